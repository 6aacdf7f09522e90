#include "load/typed_schedule.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

const DaylightRow* daylightOf(const MonthlyInputs& in, const QString& month) {
    const auto it = std::find_if(in.daylight.begin(), in.daylight.end(),
                                 [&](const DaylightRow& d) { return d.month == month; });
    return it == in.daylight.end() ? nullptr : &*it;
}

} // namespace

std::vector<MonthlyRow> typedFrame(const QString& from, const QString& to,
                                   const MonthlyInputs& in) {
    std::vector<MonthlyRow> rows;
    for (const QString& month : monthNames()) {
        if (!monthInRange(month, from, to))
            continue;
        const DaylightRow* sun = daylightOf(in, month);
        if (!sun)
            continue;
        MonthlyRow row;
        row.month = month;
        row.periodDark = QStringLiteral("0 - ") + numberToText(sun->sunrise) +
                         QStringLiteral("; ") + numberToText(sun->sunset) + QStringLiteral(" - 24");
        row.tsutDark = roundHalfAway(sun->sunrise + (24 - sun->sunset), 3);
        row.tmaxDark = in.dailyCycle ? row.tsutDark : in.hoursWithoutSun;
        rows.push_back(row);
    }
    return rows;
}

bool typedMaxRequired(bool dailyCycle, double k) {
    if (dailyCycle)
        return false;
    const double days = roundHalfEven(k / 24, 6);
    return days != std::floor(days);
}

TypedCheck checkTypedTable(const std::vector<MonthlyRow>& frame,
                           const std::vector<TypedEnergies>& typed, bool dailyCycle, double k,
                           std::optional<double> wpSut) {
    const bool maxTyped = typedMaxRequired(dailyCycle, k);
    const int n = int(std::min(frame.size(), typed.size()));
    const auto fail = [](const QString& message, int row, int column) {
        return TypedCheck{false, message, row, column};
    };
    for (int r = 0; r < n; ++r) {
        if (typed[r].wsut.trimmed().isEmpty())
            return fail(QStringLiteral("Заполнение всех ячеек столбца таблицы \"Wсут.бс, Вт*ч\" "
                                       "обязательно."),
                        r, 3);
        if (maxTyped && typed[r].wmax.trimmed().isEmpty())
            return fail(QStringLiteral("Заполнение всех ячеек столбца таблицы \"Wмакс.бс, Вт*ч\" "
                                       "обязательно."),
                        r, 5);
    }
    for (int r = 0; r < n; ++r) {
        if (!parseNumber(typed[r].wsut))
            return fail(QStringLiteral("Ошибочное значение для числового параметра."), r, 3);
        if (maxTyped && !parseNumber(typed[r].wmax))
            return fail(QStringLiteral("Ошибочное значение для числового параметра."), r, 5);
    }
    if (maxTyped)
        for (int r = 0; r < n; ++r) {
            const double tsut = roundHalfEven(frame[r].tsutDark, 3);
            const double tmax = roundHalfEven(k, 3);
            const double wsut = roundHalfEven(*parseNumber(typed[r].wsut), 3);
            const double wmax = roundHalfEven(*parseNumber(typed[r].wmax), 3);
            if (tsut >= tmax && wmax > wsut)
                return fail(
                    QStringLiteral("Если значение ячейки столбца \"Тсут.бс, час.\" не меньше "
                                   "значения ячейки столбца \"Tмакс.бс, час.\", то и значение "
                                   "ячейки столбца \"Wсут.бс, Вт*ч\" должно быть не меньше "
                                   "значения ячейки столбца \"Wмакс.бс, Вт*ч.\""),
                    r, 3);
            if (tsut < tmax && wmax < wsut)
                return fail(
                    QStringLiteral("Если значение ячейки столбца \"Тсут.бс, час.\" не больше "
                                   "значения ячейки столбца \"Tмакс.бс, час.\", то и значение "
                                   "ячейки столбца \"Wсут.бс, Вт*ч\" должно быть не больше "
                                   "значения ячейки столбца \"Wмакс.бс, Вт*ч.\""),
                    r, 3);
        }
    if (wpSut)
        for (int r = 0; r < n; ++r)
            if (roundHalfEven(*parseNumber(typed[r].wsut), 3) > roundHalfEven(*wpSut, 3))
                return fail(
                    QStringLiteral("Значение ячейки столбца \"Wсут.бс, Вт*ч\" месяца \"%1\" "
                                   "не должно быть больше суточного потребления "
                                   "электроэнергии (%2 Вт*ч).")
                        .arg(frame[r].month, numberToText(*wpSut)),
                    r, 3);
    return {};
}

MonthlyResult typedMonthlyRows(const std::vector<MonthlyRow>& frame,
                               const std::vector<TypedEnergies>& typed, double wpSut,
                               const MonthlyInputs& in) {
    MonthlyResult res;
    res.params.wpSut = wpSut;
    monthlyInputProblems(in, res.problems);
    const bool maxTyped = typedMaxRequired(in.dailyCycle, in.hoursWithoutSun);
    RegionCarry carry;
    const int n = int(std::min(frame.size(), typed.size()));
    for (int r = 0; r < n; ++r) {
        MonthlyRow row = frame[r];
        row.wsutDark = parseNumber(typed[r].wsut).value_or(0);
        if (in.dailyCycle) {
            row.tmaxDark = row.tsutDark;
            row.wmaxDark = row.wsutDark;
        } else {
            row.tmaxDark = in.hoursWithoutSun;
            row.wmaxDark = maxTyped ? parseNumber(typed[r].wmax).value_or(0)
                                    : roundHalfAway(wpSut * in.hoursWithoutSun / 24, 0);
        }
        completeMonthlyRow(row, wpSut, in, carry, res.problems);
        res.rows.push_back(row);
    }
    return res;
}

} // namespace ses
