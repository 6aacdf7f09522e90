#include "load/schedule.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

// Hours are compared at 0,001 h.
double h3(double x) {
    return roundHalfEven(x, 3);
}

// A value written with "0.###" and read back.
double p3(double x) {
    return roundHalfAway(x, 3);
}

// A whole number as the pattern "0" writes it: halves away from zero.
double whole(double x) {
    return roundHalfAway(x, 0);
}

} // namespace

void insertTimePoint(std::vector<double>& points, double x) {
    // The points stay sorted, so the place is found by halving (compared at 0,001 h).
    const double x3 = h3(x);
    const auto it = std::lower_bound(points.begin(), points.end(), x3,
                                     [](double p, double v) { return h3(p) < v; });
    if (it != points.end() && h3(*it) == x3)
        return;
    points.insert(it, x);
}

IntervalTestResult testIntervals(const IntervalTexts& rows) {
    const auto fail = [](const QString& m, int column, int row) {
        return IntervalTestResult{false, m, column, row};
    };
    if (rows.empty())
        return fail(QStringLiteral("Заполнение всех ячеек таблицы обязательно."), 0, 0);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < int(rows.size()); ++r)
            if (rows[r][c].trimmed().isEmpty())
                return fail(QStringLiteral("Заполнение всех ячеек таблицы обязательно."), c, r);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < int(rows.size()); ++r)
            if (!parseNumber(rows[r][c]))
                return fail(QStringLiteral("Ошибочное значение для числового параметра."), c, r);
    const std::vector<Interval> iv = parseIntervals(rows);
    for (int r = 0; r < int(iv.size()); ++r)
        if (h3(iv[r].t2) > 24)
            return fail(
                QStringLiteral("Для периода замеров значение поля \"Т2\" должно быть меньше "
                               "либо равно 24 часам."),
                1, r);
    for (int r = 0; r < int(iv.size()); ++r)
        if (!(h3(iv[r].t1) < h3(iv[r].t2)))
            return fail(
                QStringLiteral("Для периода замеров значение поля \"Т1\" должно быть меньше "
                               "значения поля \"Т2\"."),
                0, r);
    for (int r = 0; r + 1 < int(iv.size()); ++r)
        if (h3(iv[r].t2) != h3(iv[r + 1].t1))
            return fail(QStringLiteral("Значение поля \"Т2\" предыдущего периода замеров должно "
                                       "равняться значению поля \"Т1\" последующего периода."),
                        0, r + 1);
    return {};
}

std::vector<Interval> parseIntervals(const IntervalTexts& rows) {
    std::vector<Interval> r;
    r.reserve(rows.size());
    for (const auto& row : rows)
        r.push_back({parseNumber(row[0]).value_or(0), parseNumber(row[1]).value_or(0),
                     parseNumber(row[2]).value_or(0)});
    return r;
}

ScheduleParams scheduleParameters(const std::vector<Interval>& intervals, int nomMinutes,
                                  int maxMinutes, ScheduleForm form) {
    const double hnom = p3(nomMinutes / 60.0);
    const double hmax = p3(maxMinutes / 60.0);
    ScheduleParams s;
    for (const Interval& i : intervals) {
        s.wpSut += p3((i.t2 - i.t1) * i.p);
        const double d = h3(i.t2 - i.t1);
        // An interval between the two windows counts for neither power.
        if (d > hnom)
            s.pnom = std::max(s.pnom, i.p);
        if (d <= hmax)
            s.pmax = std::max(s.pmax, i.p);
    }
    s.wpSut = whole(s.wpSut);
    if (s.pnom == 0)
        s.pnom = s.pmax;
    if (s.pmax < s.pnom)
        s.pmax = s.pnom;
    if (form == ScheduleForm::TripleList) {
        s.pnom = whole(s.pnom);
        s.pmax = whole(s.pmax);
    }
    return s;
}

double darkEnergy(const std::vector<Interval>& intervals, const std::vector<Period>& periods) {
    double total = 0;
    std::vector<Period> p3periods;
    p3periods.reserve(periods.size());
    for (const auto& [a, b] : periods)
        p3periods.emplace_back(h3(a), h3(b));
    for (const Interval& i : intervals) {
        double sum = 0;
        const double t1 = h3(i.t1), t2 = h3(i.t2);
        for (size_t k = 0; k < periods.size(); ++k) {
            const auto& [a, b] = periods[k];
            if (t2 > p3periods[k].first && p3periods[k].second > t1) {
                const double overlap = h3(std::min(b, i.t2) - std::max(a, i.t1));
                sum += p3(overlap * i.p);
            }
        }
        if (sum != 0)
            total += whole(sum);
    }
    return total;
}

std::vector<Interval> mergeIntoProfile(const std::vector<Interval>& profile,
                                       const std::vector<Interval>& intervals, double divisor) {
    if (intervals.empty())
        return profile;
    std::vector<double> points;
    for (const Interval& s : profile) {
        insertTimePoint(points, s.t1);
        insertTimePoint(points, s.t2);
    }
    for (const Interval& i : intervals) {
        insertTimePoint(points, i.t1);
        insertTimePoint(points, i.t2);
    }
    if (h3(points.front()) > 0)
        points.insert(points.begin(), 0);
    if (h3(points.back()) < 24)
        points.push_back(24);
    // The hours compared at 0,001, rounded once rather than at every comparison.
    const auto rounded = [](const std::vector<Interval>& v) {
        std::vector<std::pair<double, double>> r;
        r.reserve(v.size());
        for (const Interval& i : v)
            r.emplace_back(h3(i.t1), h3(i.t2));
        return r;
    };
    const auto profileHours = rounded(profile), intervalHours = rounded(intervals);
    std::vector<Interval> merged;
    merged.reserve(points.size());
    double b = h3(points.front());
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        const double a = b;
        b = h3(points[k + 1]);
        double p = 0;
        for (size_t i = 0; i < profile.size(); ++i)
            if (a >= profileHours[i].first && b <= profileHours[i].second)
                p += profile[i].p;
        for (size_t i = 0; i < intervals.size(); ++i)
            if (a >= intervalHours[i].first && b <= intervalHours[i].second)
                p += intervals[i].p / divisor;
        merged.push_back({points[k], points[k + 1], p});
    }
    return merged;
}

QStringList MonthlyRow::texts() const {
    const auto opt = [](const std::optional<double>& v) {
        return v ? numberToText(*v) : QString();
    };
    return {month,
            periodDark,
            formatPattern(tsutDark, QStringLiteral("0.###")),
            numberToText(wsutDark),
            numberToText(tmaxDark),
            numberToText(wmaxDark),
            opt(takb),
            numberToText(ktemp),
            cakb ? formatPattern(*cakb, QStringLiteral("0.##")) : QString(),
            numberToText(radiation),
            numberToText(tsred),
            numberToText(tilt),
            numberToText(ksp),
            psb ? formatPattern(*psb, QStringLiteral("0")) : QString()};
}

namespace {

void addProblem(QStringList& problems, const QString& m) {
    if (!problems.contains(m))
        problems << m;
}

} // namespace

void monthlyInputProblems(const MonthlyInputs& in, QStringList& problems) {
    if (in.uses <= 0)
        addProblem(
            problems,
            QStringLiteral("Напряжение системы должно быть больше 0: емкость АБ не рассчитана."));
    if (in.depthOfDischarge <= 0)
        addProblem(
            problems,
            QStringLiteral("Глубина разряда АБ должна быть больше 0: емкость АБ не рассчитана."));
    if (in.batteryLosses >= 100)
        addProblem(problems, QStringLiteral(
                                 "Потери на заряд-разряд АБ должны быть меньше 100 %: емкость АБ и "
                                 "мощность СБ не рассчитаны."));
    if (in.kinv <= 0)
        addProblem(problems,
                   QStringLiteral("КПД инвертора должен быть больше 0: емкость АБ и мощность СБ не "
                                  "рассчитаны."));
    if (in.controllerLosses >= 100)
        addProblem(problems,
                   QStringLiteral("Потери в контроллере должны быть меньше 100 %: мощность СБ не "
                                  "рассчитана."));
    if (in.tempCoefficients.empty())
        addProblem(problems,
                   QStringLiteral("Таблица температурных коэффициентов эксплуатации АБ пуста: "
                                  "емкость АБ не рассчитана."));
}

void completeMonthlyRow(MonthlyRow& row, double wp, const MonthlyInputs& in, RegionCarry& carry,
                        QStringList& problems) {
    const auto sun = std::find_if(in.daylight.begin(), in.daylight.end(),
                                  [&](const DaylightRow& d) { return d.month == row.month; });
    row.takb = sun == in.daylight.end() ? std::nullopt : sun->batteryTemp;
    row.ktemp = row.takb ? batteryTempCoef(in.tempCoefficients, *row.takb) : 0;
    // Divisors that would make the capacity or the panel power infinite or meaningless.
    const bool batteryOk =
        in.uses > 0 && in.depthOfDischarge > 0 && in.batteryLosses < 100 && in.kinv > 0;
    if (batteryOk && row.ktemp > 0)
        row.cakb = roundPattern(row.wmaxDark / in.uses / in.depthOfDischarge * 100 * row.ktemp /
                                    (1 - in.batteryLosses / 100) / in.kinv,
                                QStringLiteral("0.##"));
    else if (!row.takb)
        addProblem(problems,
                   QStringLiteral("Не задана температура эксплуатации АБ для месяца \"%1\".")
                       .arg(row.month));
    const auto reg = std::find_if(in.regionMonths.begin(), in.regionMonths.end(),
                                  [&](const RegionMonth& r) { return r.month == row.month; });
    if (reg != in.regionMonths.end())
        carry = {reg->radiation, reg->tsred, reg->tilt};
    row.radiation = carry.radiation;
    row.tsred = carry.tsred;
    row.tilt = carry.tilt;
    row.ksp = isSummerMonth(row.month) ? in.kspSummer : in.kspWinter;
    const double ft = in.panelTemperature ? 1 + (carry.tsred - 25) * in.kdifP / 100 : 1;
    if (carry.radiation <= 0 || reg == in.regionMonths.end()) {
        addProblem(
            problems,
            in.region.isEmpty()
                ? QStringLiteral("Для варианта не задан регион: мощность СБ не рассчитана.")
                : QStringLiteral("Нет данных о солнечной радиации региона \"%1\" за месяц \"%2\": "
                                 "мощность СБ за этот месяц не рассчитана.")
                      .arg(in.region, row.month));
    } else if (in.kinv > 0 && row.ksp > 0 && ft > 0 && in.batteryLosses < 100 &&
               in.controllerLosses < 100) {
        // Part of the day's energy is drawn while the sun shines, the rest goes through the
        // battery and its losses; the controller loses its share of both.
        const double r = (wp - row.wsutDark + row.wmaxDark / (1 - in.batteryLosses / 100)) /
                         (1 - in.controllerLosses / 100);
        row.psb = whole(r / ft / carry.radiation / in.kinv / row.ksp);
    } else if (row.ksp <= 0) {
        addProblem(problems,
                   QStringLiteral("Сезонный поправочный коэффициент должен быть больше 0: мощность "
                                  "СБ не рассчитана."));
    }
}

MonthlyResult monthlyRows(const std::vector<Interval>& intervals, const QString& from,
                          const QString& to, const MonthlyInputs& in) {
    MonthlyResult res;
    res.params = scheduleParameters(intervals, in.nomMinutes, in.maxMinutes);
    const double wp = res.params.wpSut;
    monthlyInputProblems(in, res.problems);
    RegionCarry carry;
    for (int m = 1; m <= 12; ++m) {
        const QString month = monthNames()[m - 1];
        if (!monthInRange(month, from, to))
            continue;
        const auto sun = std::find_if(in.daylight.begin(), in.daylight.end(),
                                      [&](const DaylightRow& d) { return d.month == month; });
        if (sun == in.daylight.end())
            continue;
        MonthlyRow row;
        row.month = month;
        const double v = sun->sunrise, z = sun->sunset;
        row.periodDark = QStringLiteral("0 - ") + numberToText(v) + QStringLiteral("; ") +
                         numberToText(z) + QStringLiteral(" - 24");
        row.tsutDark = p3(v + (24 - z));
        row.wsutDark = darkEnergy(intervals, {{0, v}, {z, 24}});
        if (in.dailyCycle) {
            row.tmaxDark = row.tsutDark;
            row.wmaxDark = row.wsutDark;
        } else {
            const double k = in.hoursWithoutSun;
            const double n = std::floor(k / 24);
            const double r = k - 24 * n;
            std::vector<Period> window;
            if (z + r > 24)
                window = {{0, z + r - 24}, {z, 24}};
            else
                window = {{z, z + r}};
            row.tmaxDark = k;
            row.wmaxDark = n * wp + darkEnergy(intervals, window);
        }
        completeMonthlyRow(row, wp, in, carry, res.problems);
        res.rows.push_back(row);
    }
    return res;
}

const QStringList& monthlyHeaders() {
    static const QStringList h = {
        QStringLiteral("Месяц"),          QStringLiteral("Периоды суток, час."),
        QStringLiteral("Тсут.бс, час."),  QStringLiteral("Wсут.бс, Вт*ч"),
        QStringLiteral("Тмакс.бс, час."), QStringLiteral("Wмакс.бс, Вт*ч"),
        QStringLiteral("Такб, град."),    QStringLiteral("Ктемп."),
        QStringLiteral("Саб, А*ч"),       QStringLiteral("Е, кВт*ч/м2"),
        QStringLiteral("Тср., град."),    QStringLiteral("В, град."),
        QStringLiteral(" Ксп"),           QStringLiteral("Pсб, Вт")};
    return h;
}

const QStringList& monthlyNoteLines() {
    static const QStringList n = {
        QStringLiteral("Месяц - наименование месяца года."),
        QStringLiteral("Периоды суток, час. - периоды времени суток \"без солнца\", час."),
        QStringLiteral(
            "Тсут.бс, час. - общая длительность периодов времени суток \"без солнца\", час."),
        QStringLiteral("Wсут.бс, Вт*ч - потребление электроэнергии в периоды времени суток \"без "
                       "солнца\", Вт*ч."),
        QStringLiteral(
            "Тмакс.бс, час. - максимальное число последовательных \"часов без солнца\", час."),
        QStringLiteral(
            "Wмакс.бс, Вт*ч - потребление электроэнергии за максимальное число \"часов без "
            "солнца\", Вт*ч."),
        QStringLiteral("Такб, град. - средняя температура эксплуатации АБ, град. С."),
        QStringLiteral("Ктемп. - температурный коэффициент эксплуатации АБ."),
        QStringLiteral("Саб, А*ч - расчетная емкость аккумуляторной батареи, А*ч."),
        QStringLiteral(
            "Е, кВт*ч/м2 - средний месячный уровень солнечной радиации, кВтч/(м2*день)."),
        QStringLiteral("Тср., град. - среднемесячная температура, град. С."),
        QStringLiteral("В, град. - оптимальный угол наклона солнечных панелей, град."),
        QStringLiteral("Ксп - сезонный поправочный коэффициент."),
        QStringLiteral("Pсб, Вт - расчетная мощность солнечной батареи, Вт.")};
    return n;
}

std::optional<QString> monthRangeConflict(const QString& from, const QString& to,
                                          const std::vector<OtherSchedule>& others) {
    for (int m = 1; m <= 12; ++m) {
        const QString month = monthNames()[m - 1];
        if (!monthInRange(month, from, to))
            continue;
        for (const OtherSchedule& o : others) {
            if (!monthInRange(month, o.from, o.to))
                continue;
            QString msg =
                QStringLiteral("Месяц \"%1\" данного суточного графика входит в диапазон "
                               "месяцев \"%2\" - \"%3\" другого имеющегося суточного графика "
                               "\"%4\". Не допускается подобное пересечение диапазонов "
                               "месяцев суточных графиков.")
                    .arg(month, o.from, o.to, o.name) +
                QStringLiteral("\nСправка о диапазонах месяцев имеющихся суточных графиков:\n");
            for (const OtherSchedule& e : others)
                msg +=
                    QStringLiteral("- суточный график \"%1\" - диапазон месяцев \"%2\" - \"%3\"\n")
                        .arg(e.name, e.from, e.to);
            return msg;
        }
    }
    return std::nullopt;
}

std::vector<ChartPoint> stepChartPoints(const IntervalTexts& rows) {
    std::vector<ChartPoint> pts;
    for (const auto& row : rows) {
        const double p = parseNumber(row[2]).value_or(0);
        pts.push_back({parseNumber(row[0]).value_or(0), p, row[0]});
        pts.push_back({parseNumber(row[1]).value_or(0), p, row[1]});
    }
    return pts;
}

} // namespace ses
