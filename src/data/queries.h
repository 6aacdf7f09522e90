#pragma once
// The fixed parameterised queries over the catalogs. Each keeps its historical text (the lines
// the selection code was written against) and runs an equivalent SQLite statement.

#include "data/store.h"

#include <QStringList>
#include <QVariant>
#include <vector>

namespace ses {

struct QueryParam {
    QString name;
    ColType type; // Integer, Number or Text
};

struct FixedQueryDef {
    QString name;
    QStringList text;               // the lines of the historical text
    std::vector<QueryParam> params; // one entry per occurrence, in order
    QStringList resultColumns;
    QString sql; // SQLite statement with one ? per occurrence
};

const std::vector<FixedQueryDef>& fixedQueries();
const FixedQueryDef* findFixedQuery(const QString& name);

struct QueryResult {
    QStringList columns;
    std::vector<QVariantList> rows;

    int columnIndex(const QString& c) const { return int(columns.indexOf(c)); }
    QVariant value(int row, const QString& column) const;
    bool empty() const { return rows.empty(); }
};

// A fixed query with its parameter values. Every parameter must be set before run().
class FixedQuery {
public:
    FixedQuery(Store& store, const QString& name);             // throws DbError for an unknown name
    void setParam(const QString& name, const QVariant& value); // every occurrence of the name
    void setParamAt(int occurrence, const QVariant& value);
    QueryResult run() const; // throws DbError when a parameter is missing
    const FixedQueryDef& def() const { return *m_def; }

private:
    Store& m_store;
    const FixedQueryDef* m_def;
    std::vector<QVariant> m_values;
};

} // namespace ses
