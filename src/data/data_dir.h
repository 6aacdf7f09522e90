#pragma once
// Operations on a whole data directory: creating it with the starter catalogs, checking it, and
// moving one table to and from CSV. Every failure throws DbError with a message in Russian and
// leaves the directory as it was.

#include "data/view.h"
#include "lib/file_read.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace ses {

class TDataModule1;
struct CsvTable;

enum class InitContent { StarterCatalogs, Bare };

// Creates dir (when missing) and a new database in it: every table, the twelve day-light rows
// and, unless bare, the starter catalogs. An existing database is never overwritten.
void initDataDirectory(const QString& dir, InitContent content = InitContent::StarterCatalogs);

// Makes the database of dir whole or not at all: fill(work) builds it in a private folder, and the
// finished file is then linked in under its final name. False when dir has a database already, or
// another process made one meanwhile: that one is kept as it is. Throws what fill throws (nothing
// is left under the final name), or DbError when the folder cannot be written.
bool createDataDirectory(const QString& dir, const std::function<void(const QString& work)>& fill);
// What init writes into a new database of dir (made by Store::create); used by fill functions.
void fillDataDirectory(const QString& dir, InitContent content);

struct CheckReport {
    bool ok = true;
    QStringList lines;    // one per table: name, file, row count
    QStringList problems; // each in words
};
CheckReport checkDataDirectory(const QString& dir);

// Writes the table's stored columns, in key order, to file.
void exportTable(const QString& dir, const QString& table, const QString& file);

struct ImportReport {
    int imported = 0;
    QStringList refusals; // "Файл \"name\", строка N: message", one per refused line
    bool ok() const { return refusals.isEmpty(); }
};
// The largest file import reads, bytes: the limit of every reader of outside data.
inline constexpr qint64 kMaxImportBytes = kMaxReadBytes;

// Imports every line of file through the table's rules; all lines or none. Malformed files (text
// that is not UTF-8 included), files over kMaxImportBytes, unknown tables and unknown columns
// throw DbError, and so does a failing store (a full disk): nothing of the file stays then. The
// file is read as it is imported.
ImportReport importTable(const QString& dir, const QString& table, const QString& file);

// The same over an open data module and parsed CSV rows (used by init for the compiled-in
// catalogs). Runs inside the caller's transaction.
ImportReport importRows(TDataModule1& dm, const TableDef& table, const CsvTable& csv);

// A stored value as the data files write it (decimal point, 1/0, empty for null), and back into
// a field of a row being edited (throws DbError for a bad number).
QString csvValue(const ColumnDef& column, const QVariant& value);
void setFieldFromCsv(Field field, const QString& text);
// Makes the row with key kod current in the module's view of table, moving its masters first.
bool positionOnKey(TDataModule1& dm, const QString& table, const QVariant& kod);

} // namespace ses
