#pragma once
// The schema of every table, declared once as data. The DDL, the views, the record copy and the
// data tool are all driven from these declarations (schema_tables.cpp holds the table list).

#include "lib/ranges.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace ses {

// Version of the database layout kept in PRAGMA user_version.
// 2: the table region2 (the horizontal radiation behind a region's E).
inline constexpr int kSchemaVersion = 2;

enum class ColType { AutoInc, Integer, Number, Text, Logical, Date, Time, Memo };

struct ColumnDef {
    QString name;
    ColType type = ColType::Number;
    int width = 0;           // characters, for Text columns
    bool calculated = false; // filled on every read, never stored
    // The figure's physical range (Number columns), checked on every post; none when null.
    const PhysicalRange* range = nullptr;
};

// How a table is keyed.
enum class KeyKind {
    AutoInc,  // Kod INTEGER PRIMARY KEY AUTOINCREMENT
    PlainKod, // Kod is an ordinary integer written by the program (sSun_day)
    None,     // no key column (Ktemp, param)
};

struct IndexDef {
    QString name;        // empty for the unnamed unique key
    QStringList columns; // order columns
    bool unique = false;
    bool secondary = true; // a duplicate in a secondary index is reported with "Index:"
};

struct TableDef {
    QString name;     // SQLite table name: the file name without its extension
    QString fileName; // the historical file name, e.g. "project1.DB"
    KeyKind keyKind = KeyKind::AutoInc;
    QString master;       // master table; the link is always Kod0 -> master.Kod
    QString defaultIndex; // index the data module opens the table with ("primary", "Kod0", ...)
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;
    QStringList cascade; // detail tables deleted first, in this order

    int columnIndex(const QString& column) const; // -1 when absent
    const ColumnDef* column(const QString& column) const;
    const IndexDef* index(const QString& indexName) const; // "primary" gives nullptr
    bool hasKod() const { return keyKind != KeyKind::None; }
    bool hasMaster() const { return !master.isEmpty(); }
    QStringList storedColumns() const;
    QStringList orderColumns(const QString& indexName) const;
};

const std::vector<TableDef>& allTables();
// Case-insensitive lookup by table name ("SunPanel1", "sunpanel1"); nullptr when unknown.
const TableDef* findTable(const QString& name);

QString columnTypeName(const ColumnDef& c); // "autoincrement", "text(30)", "number" ...

// SQL statements that create one table and its indexes.
QStringList createStatements(const TableDef& t);

} // namespace ses
