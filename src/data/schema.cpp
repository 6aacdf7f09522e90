#include "data/schema.h"

#include <QHash>

namespace ses {

int TableDef::columnIndex(const QString& c) const {
    for (int i = 0; i < int(columns.size()); ++i)
        if (columns[i].name.compare(c, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const ColumnDef* TableDef::column(const QString& c) const {
    const int i = columnIndex(c);
    return i < 0 ? nullptr : &columns[i];
}

const IndexDef* TableDef::index(const QString& indexName) const {
    for (const auto& ix : indexes)
        if (!ix.name.isEmpty() && ix.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

QStringList TableDef::storedColumns() const {
    QStringList r;
    for (const auto& c : columns)
        if (!c.calculated)
            r << c.name;
    return r;
}

QStringList TableDef::orderColumns(const QString& indexName) const {
    QStringList r;
    if (const IndexDef* ix = index(indexName))
        r = ix->columns;
    // Rows with equal index values keep their insertion order, as a keyed table shows them.
    if (hasKod())
        r << QStringLiteral("Kod");
    else
        r << QStringLiteral("rowid");
    return r;
}

const TableDef* findTable(const QString& name) {
    static const QHash<QString, const TableDef*> byName = [] {
        QHash<QString, const TableDef*> h;
        for (const auto& t : allTables())
            h.insert(t.name.toLower(), &t);
        return h;
    }();
    return byName.value(name.toLower(), nullptr);
}

QString columnTypeName(const ColumnDef& c) {
    switch (c.type) {
    case ColType::AutoInc:
        return QStringLiteral("autoincrement");
    case ColType::Integer:
        return QStringLiteral("integer");
    case ColType::Number:
        return QStringLiteral("number");
    case ColType::Text:
        return QStringLiteral("text(%1)").arg(c.width);
    case ColType::Logical:
        return QStringLiteral("logical");
    case ColType::Date:
        return QStringLiteral("date");
    case ColType::Time:
        return QStringLiteral("time");
    case ColType::Memo:
        return QStringLiteral("memo");
    }
    return {};
}

static QString sqlType(const ColumnDef& c) {
    switch (c.type) {
    case ColType::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case ColType::Integer:
    case ColType::Logical:
        return QStringLiteral("INTEGER");
    case ColType::Number:
        return QStringLiteral("REAL");
    case ColType::Text:
    case ColType::Date:
    case ColType::Time:
    case ColType::Memo:
        return QStringLiteral("TEXT");
    }
    return {};
}

static QString quoted(const QString& id) {
    return QLatin1Char('"') + id + QLatin1Char('"');
}

QStringList createStatements(const TableDef& t) {
    QStringList cols;
    for (const auto& c : t.columns) {
        if (c.calculated)
            continue;
        QString def = quoted(c.name) + QLatin1Char(' ') + sqlType(c);
        if (t.keyKind == KeyKind::PlainKod && c.name == QLatin1String("Kod"))
            def += QStringLiteral(" UNIQUE");
        cols << def;
    }
    QStringList r;
    r << QStringLiteral("CREATE TABLE %1 (%2)")
             .arg(quoted(t.name), cols.join(QStringLiteral(", ")));
    int n = 0;
    for (const auto& ix : t.indexes) {
        QStringList ic;
        for (const auto& c : ix.columns)
            ic << quoted(c);
        const QString name = ix.name.isEmpty() ? QStringLiteral("uk%1").arg(n++) : ix.name;
        r << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                 .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(),
                      quoted(t.name + QLatin1Char('_') + name), quoted(t.name),
                      ic.join(QLatin1Char(',')));
    }
    return r;
}

} // namespace ses
