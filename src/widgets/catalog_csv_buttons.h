#pragma once
// "Экспорт в CSV..." and "Импорт из CSV..." of a catalog window: the catalog's tables to a
// folder, a file each, and back (added or replacing, all lines or none, the refused lines listed
// by file and line). The window saves its rows being edited first.

#include "data/catalog_csv.h"

#include <functional>
#include <vector>

class QPushButton;
class QWidget;

namespace ses {

class Prompter;
class TDataModule1;

// The export to folder; false (told) when the edits are refused or a file cannot be written.
bool exportCatalogCsv(TDataModule1& dm, Prompter& prompter, const QString& className,
                      const QString& folder, const std::function<bool()>& saveEdits);
// The import from folder; false (nothing changed, every refused line told) on any refusal.
bool importCatalogCsv(TDataModule1& dm, Prompter& prompter, const QString& className,
                      const QString& folder, ImportMode mode,
                      const std::function<bool()>& saveEdits);

// The two buttons, for the left of the window's button row; they ask for the folder (and for an
// import whether to add or replace) and run the operations above.
std::vector<QPushButton*> catalogCsvButtons(QWidget* window, TDataModule1& dm, Prompter& prompter,
                                            const QString& className,
                                            std::function<bool()> saveEdits);

} // namespace ses
