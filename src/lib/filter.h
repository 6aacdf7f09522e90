#pragma once
// The filter of the tabular choices (battery and solar battery): a condition typed as text turned
// into a test on a number, the admission of a candidate row by its maker, its type and every
// condition, the summary rows shown beside the table, and the distinct values a condition may be
// chosen from. Numbers compare as numbers and tolerantly: a value shown as 11 but held as
// 11,000000000000002 is 11.

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace ses {

// One condition on a column: a list of values ("2, 4"), a closed range ("100 .. 200") or one
// value ("11").
struct FilterCondition {
    bool range = false;
    std::vector<double> values; // the list, or the one value
    double low = 0, high = 0;   // the range, both ends admitted

    bool admits(double value) const;
};

// The separators the value dialog writes: ", " between listed values, " .. " inside a range.
inline const QString kFilterListSeparator = QStringLiteral(", ");
inline const QString kFilterRangeSeparator = QStringLiteral(" .. ");

// Reads a condition field's text; nullopt for an empty text or one that holds a word that is not
// a number (such a field makes no condition and admits no row: see RowFilter).
std::optional<FilterCondition> parseFilterCondition(const QString& text);

// A condition field of a filter dialog: its label and the parameter's name (the value dialog's
// and the summary row's caption).
struct FilterFieldLabel {
    QString label, name;
};

// A condition field: the parameter's name (the summary row's caption) and the field's text.
struct FilterField {
    QString name;
    QString text;
};

// The filter of a candidate table: the makers and types ticked (none ticked: no condition on
// them) and one condition per non-empty field, each field bound to a column of the row's values
// by its position.
class RowFilter {
public:
    // `makersCaption` / `typesCaption` name the summary rows of the ticked makers and types; an
    // empty types caption means the table has no type condition.
    RowFilter(const QString& makersCaption, const QStringList& makers, const QString& typesCaption,
              const QStringList& types, const std::vector<FilterField>& fields);

    // Whether a row with this maker, type and the fields' column values (in the fields' order)
    // meets every condition present. A value that is not a number (an empty column) meets no
    // condition on its column.
    bool admits(const QString& maker, const QString& type, const std::vector<double>& values) const;

    // The summary grid's rows: (parameter, value text) in the order of the conditions.
    const std::vector<std::pair<QString, QString>>& summary() const { return m_summary; }
    bool empty() const { return m_summary.empty(); }

private:
    QStringList m_makers, m_types;
    std::vector<std::pair<int, std::optional<FilterCondition>>> m_conditions;
    std::vector<std::pair<QString, QString>> m_summary;
};

// The distinct values of a column, ascending, tolerantly equal values once, written as the
// table shows them; what the value dialog offers.
QStringList distinctValueTexts(std::vector<double> values);

// The distinct ascending texts of one filter field over every candidate, `valuesOf` giving a
// candidate's filter values.
template <class Candidate, class ValuesOf>
QStringList distinctFieldTexts(const std::vector<Candidate>& all, int field, ValuesOf valuesOf) {
    std::vector<double> values;
    values.reserve(all.size());
    for (const Candidate& c : all)
        values.push_back(valuesOf(c)[field]);
    return distinctValueTexts(std::move(values));
}

// The value dialog's check of a range: nullopt when "от" is not above "до", compared as numbers;
// else the error it shows.
std::optional<QString> reversedRangeError(const QString& from, const QString& to);

} // namespace ses
