#include "lib/filter.h"

#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

bool FilterCondition::admits(double value) const {
    if (!std::isfinite(value))
        return false;
    if (range)
        return atLeast(value, low) && notAbove(value, high);
    return std::any_of(values.begin(), values.end(),
                       [value](double v) { return sameValue(value, v); });
}

std::optional<FilterCondition> parseFilterCondition(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    FilterCondition c;
    if (t.contains(kFilterRangeSeparator)) {
        const QStringList ends = t.split(kFilterRangeSeparator);
        if (ends.size() != 2)
            return std::nullopt;
        const auto low = parseNumber(ends[0]);
        const auto high = parseNumber(ends[1]);
        if (!low || !high)
            return std::nullopt;
        c.range = true;
        c.low = *low;
        c.high = *high;
        return c;
    }
    for (const QString& part : t.split(kFilterListSeparator)) {
        const auto v = parseNumber(part);
        if (!v)
            return std::nullopt;
        c.values.push_back(*v);
    }
    return c;
}

RowFilter::RowFilter(const QString& makersCaption, const QStringList& makers,
                     const QString& typesCaption, const QStringList& types,
                     const std::vector<FilterField>& fields)
    : m_makers(makers), m_types(typesCaption.isEmpty() ? QStringList{} : types) {
    if (!m_makers.isEmpty())
        m_summary.emplace_back(makersCaption, m_makers.join(kFilterListSeparator));
    if (!m_types.isEmpty())
        m_summary.emplace_back(typesCaption, m_types.join(kFilterListSeparator));
    for (int i = 0; i < int(fields.size()); ++i) {
        if (fields[i].text.trimmed().isEmpty())
            continue;
        m_conditions.emplace_back(i, parseFilterCondition(fields[i].text));
        m_summary.emplace_back(fields[i].name, fields[i].text);
    }
}

bool RowFilter::admits(const QString& maker, const QString& type,
                       const std::vector<double>& values) const {
    if (!m_makers.isEmpty() && !m_makers.contains(maker))
        return false;
    if (!m_types.isEmpty() && !m_types.contains(type))
        return false;
    for (const auto& [column, condition] : m_conditions) {
        // A field whose text is not a condition admits nothing rather than everything: the user
        // sees an empty table and the summary row that caused it.
        if (!condition || column >= int(values.size()) || !condition->admits(values[column]))
            return false;
    }
    return true;
}

QStringList distinctValueTexts(std::vector<double> values) {
    std::erase_if(values, [](double v) { return !std::isfinite(v); });
    std::sort(values.begin(), values.end());
    QStringList out;
    double last = 0;
    for (double v : values) {
        if (!out.isEmpty() && sameValue(v, last))
            continue;
        out << numberToText(v);
        last = v;
    }
    return out;
}

std::optional<QString> reversedRangeError(const QString& from, const QString& to) {
    const auto low = parseNumber(from);
    const auto high = parseNumber(to);
    if (!low || !high || notAbove(*low, *high))
        return std::nullopt;
    return QStringLiteral("Ошибочный диапазон значений: ") + from + kFilterRangeSeparator + to +
           QStringLiteral(".") + QStringLiteral("\n") +
           QStringLiteral("Значение левой границы диапазона должно быть меньше ") +
           QStringLiteral("либо равно значения правой границы).");
}

} // namespace ses
