#include "data/queries.h"

#include "lib/numbers.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ses {

const FixedQueryDef* findFixedQuery(const QString& name) {
    for (const auto& d : fixedQueries())
        if (d.name.compare(name, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

QVariant QueryResult::value(int row, const QString& column) const {
    const int c = columnIndex(column);
    if (row < 0 || row >= int(rows.size()) || c < 0)
        return {};
    return rows[row][c];
}

FixedQuery::FixedQuery(Store& store, const QString& name)
    : m_store(store), m_def(findFixedQuery(name)) {
    if (!m_def)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Неизвестный запрос \"%1\".").arg(name));
    m_values.resize(m_def->params.size());
}

void FixedQuery::setParam(const QString& name, const QVariant& value) {
    bool found = false;
    for (size_t i = 0; i < m_def->params.size(); ++i)
        if (m_def->params[i].name == name) {
            setParamAt(int(i), value);
            found = true;
        }
    if (!found)
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Запрос \"%1\" не имеет параметра \"%2\".").arg(m_def->name, name));
}

void FixedQuery::setParamAt(int occurrence, const QVariant& value) {
    const QueryParam& p = m_def->params.at(occurrence);
    QVariant v = value;
    if (!v.isNull()) {
        switch (p.type) {
        case ColType::Integer:
            v = v.toInt();
            break;
        case ColType::Number: {
            const double d = v.toDouble();
            // Tolerant comparison: the bound is taken at 6 decimals, like the catalog side.
            v = p.name == QLatin1String("Ro") ? d : roundHalfEven(d, 6);
            break;
        }
        default:
            v = v.toString();
            break;
        }
    }
    m_values[occurrence] = v;
}

QueryResult FixedQuery::run() const {
    for (size_t i = 0; i < m_values.size(); ++i)
        if (!m_values[i].isValid())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Запрос \"%1\": не задан параметр \"%2\".")
                              .arg(m_def->name, m_def->params[i].name));
    QSqlQuery q(m_store.db());
    q.setForwardOnly(true);
    if (!q.prepare(m_def->sql))
        m_store.fail(q, m_def->name);
    for (size_t i = 0; i < m_values.size(); ++i)
        q.bindValue(int(i), m_values[i]);
    if (!q.exec())
        m_store.fail(q, m_def->name);
    QueryResult r;
    r.columns = m_def->resultColumns;
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < r.columns.size(); ++c)
            row << (q.value(c).isNull() ? QVariant() : q.value(c));
        r.rows.push_back(std::move(row));
    }
    return r;
}

} // namespace ses
