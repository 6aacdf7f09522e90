#pragma once
// The worked example the program starts with: one project with two variants sized and chosen by
// the program's own operations (variant save, dispatchers, the chain, the inverter and solar
// battery choices). Built in one transaction: whole or not at all.

#include <QString>

namespace ses {

class Shell;

inline const QString kDemoProjectName = QStringLiteral("Пример: дача и метеостанция");

// Adds the example project to the data module's database; it becomes the current project.
// Throws std::runtime_error (nothing written) when a step is refused.
void buildDemoProject(Shell& shell);

// Creates the database of dir with the starter catalogs and the example project, whole or not at
// all (createDataDirectory). False when dir has a database already or another process made one
// meanwhile: that one is used as it is. Throws DbError or std::runtime_error.
bool createDataDirectoryWithExample(const QString& dir);

} // namespace ses
