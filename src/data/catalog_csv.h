#pragma once
// A whole catalog to and from CSV: one file per table, named and written as the starter files in
// data/ (a header of column names, decimal point, 1/0, empty for null). An import adds to the
// catalog or replaces it; every line goes through the table's rules, all lines of all files are
// written in one transaction or none. Keys are given anew: a detail row follows its master
// through the Kod and Kod0 of the files. The figures of the schedule books are not taken from the
// files: the books' own build makes them from the imported rows.

#include "data/catalogs.h"

#include <QStringList>

namespace ses {

class TDataModule1;

// Writes every table of the catalog into folder as <table>.csv. Throws DbError naming the file
// that could not be written.
void exportCatalog(TDataModule1& dm, const CatalogDef& def, const QString& folder);

struct CatalogImportReport {
    int imported = 0;
    QStringList refusals; // "<file>, строка N: message"
    bool ok() const { return refusals.isEmpty(); }
};

enum class ImportMode { Add, Replace };

// Imports the catalog's files from folder. On any refusal nothing changes and every refused line
// is listed. A missing or malformed file is a refusal of the whole import. Throws DbError when
// the store fails. The module's views are reread afterwards.
CatalogImportReport importCatalog(TDataModule1& dm, const CatalogDef& def, const QString& folder,
                                  ImportMode mode);

// The month tables of day-light periods, whose twelve rows are matched by month, never added.
bool isMonthRowsTable(const QString& table);

} // namespace ses
