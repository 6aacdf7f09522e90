#pragma once

#include <QString>
#include <QStringList>

namespace ses {

// The twelve lower-case Russian month names in calendar order ("январь" .. "декабрь").
// Every month column of the tables holds exactly one of these texts.
const QStringList& monthNames();

// 1..12 for a month name (exact text compare: no trimming, case-sensitive), 0 otherwise.
int monthIndex(const QString& name);

// Whether `month` lies in the range `first`..`last`. With a, f, l the month indexes:
// when l < f the range wraps over the new year, (a > 0 and a <= l) or (a >= f and a <= 12);
// otherwise f <= a <= l. A `month` that is not a month name lies in no range, even when
// `first` is not a month name either (index 0 would otherwise satisfy f <= a).
bool monthInRange(const QString& month, const QString& first, const QString& last);

// Days of the months before `monthIdx` in a non-leap year: 0 for January, 334 for December.
// Throws std::out_of_range for an index outside 1..12.
int daysBeforeMonth(int monthIdx);

// Days of month `monthIdx` in a non-leap year (31, 30 or 28).
// Throws std::out_of_range for an index outside 1..12.
int daysInMonth(int monthIdx);

// The summer half of the year, "апрель" to "сентябрь".
bool isSummerMonth(const QString& month);

} // namespace ses
