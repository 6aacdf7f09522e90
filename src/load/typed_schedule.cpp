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

// The divisors of the capacity and the panel power; the texts are those of the interval
// schedule's rows, so both kinds of schedule tell the user the same thing.
void inputProblems(const MonthlyInputs& in, QStringList& problems) {
    if (in.uses <= 0)
        problems << QStringLiteral(
            "Напряжение системы должно быть больше 0: емкость АБ не рассчитана.");
    if (in.depthOfDischarge <= 0)
        problems << QStringLiteral(
            "Глубина разряда АБ должна быть больше 0: емкость АБ не рассчитана.");
    if (in.batteryLosses >= 100)
        problems << QStringLiteral(
            "Потери на заряд-разряд АБ должны быть меньше 100 %: емкость АБ и "
            "мощность СБ не рассчитаны.");
    if (in.kinv <= 0)
        problems << QStringLiteral(
            "КПД инвертора должен быть больше 0: емкость АБ и мощность СБ не "
            "рассчитаны.");
    if (in.controllerLosses >= 100)
        problems << QStringLiteral("Потери в контроллере должны быть меньше 100 %: мощность СБ не "
                                   "рассчитана.");
    if (in.tempCoefficients.empty())
        problems << QStringLiteral("Таблица температурных коэффициентов эксплуатации АБ пуста: "
                                   "емкость АБ не рассчитана.");
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
    inputProblems(in, res.problems);
    const auto problem = [&res](const QString& m) {
        if (!res.problems.contains(m))
            res.problems << m;
    };
    const bool batteryOk =
        in.uses > 0 && in.depthOfDischarge > 0 && in.batteryLosses < 100 && in.kinv > 0;
    const bool maxTyped = typedMaxRequired(in.dailyCycle, in.hoursWithoutSun);
    double radiation = 0, tsred = 0, tilt = 0; // carried over from the previous month of the build
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
        const DaylightRow* sun = daylightOf(in, row.month);
        row.takb = sun ? sun->batteryTemp : std::nullopt;
        row.ktemp = row.takb ? batteryTempCoef(in.tempCoefficients, *row.takb) : 0;
        if (batteryOk && row.ktemp > 0)
            row.cakb = roundPattern(row.wmaxDark / in.uses / in.depthOfDischarge * 100 * row.ktemp /
                                        (1 - in.batteryLosses / 100) / in.kinv,
                                    QStringLiteral("0.##"));
        else if (!row.takb)
            problem(QStringLiteral("Не задана температура эксплуатации АБ для месяца \"%1\".")
                        .arg(row.month));
        const auto reg = std::find_if(in.regionMonths.begin(), in.regionMonths.end(),
                                      [&](const RegionMonth& m) { return m.month == row.month; });
        if (reg != in.regionMonths.end()) {
            radiation = reg->radiation;
            tsred = reg->tsred;
            tilt = reg->tilt;
        }
        row.radiation = radiation;
        row.tsred = tsred;
        row.tilt = tilt;
        row.ksp = isSummerMonth(row.month) ? in.kspSummer : in.kspWinter;
        const double ft = in.panelTemperature ? 1 + (tsred - 25) * in.kdifP / 100 : 1;
        if (radiation <= 0 || reg == in.regionMonths.end()) {
            problem(in.region.isEmpty()
                        ? QStringLiteral("Для варианта не задан регион: мощность СБ не рассчитана.")
                        : QStringLiteral("Нет данных о солнечной радиации региона \"%1\" за месяц "
                                         "\"%2\": мощность СБ за этот месяц не рассчитана.")
                              .arg(in.region, row.month));
        } else if (in.kinv > 0 && row.ksp > 0 && ft > 0 && in.batteryLosses < 100 &&
                   in.controllerLosses < 100) {
            // Part of the day's energy is drawn while the sun shines, the rest goes through the
            // battery and its losses; the controller loses its share of both.
            const double need =
                (wpSut - row.wsutDark + row.wmaxDark / (1 - in.batteryLosses / 100)) /
                (1 - in.controllerLosses / 100);
            row.psb = roundHalfAway(need / ft / radiation / in.kinv / row.ksp, 0);
        } else if (row.ksp <= 0) {
            problem(
                QStringLiteral("Сезонный поправочный коэффициент должен быть больше 0: мощность "
                               "СБ не рассчитана."));
        }
        res.rows.push_back(row);
    }
    return res;
}

} // namespace ses
