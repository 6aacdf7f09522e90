#include "solar/insolation.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ses {

double deviationLoss(const std::vector<LossRow>& rows, double angle) {
    if (rows.empty())
        return 0;
    if (angle <= rows.front().angle)
        return rows.front().loss;
    if (angle >= rows.back().angle)
        return rows.back().loss;
    for (size_t i = 1; i < rows.size(); ++i) {
        const LossRow& hi = rows[i];
        if (hi.angle < angle)
            continue;
        if (hi.angle == angle)
            return hi.loss;
        const LossRow& lo = rows[i - 1];
        return roundHalfEven(
            lo.loss - (lo.loss - hi.loss) * (angle - lo.angle) / (hi.angle - lo.angle), 2);
    }
    return rows.back().loss;
}

std::optional<double> performanceCoefficient(const std::vector<LossRow>& rows, double angle) {
    const double k = roundHalfEven(1 - deviationLoss(rows, angle) / 100, 3);
    if (k <= 0)
        return std::nullopt;
    return k;
}

QString coefficientRefusal(double angle) {
    return QStringLiteral(
               "Коэффициент падения производительности для угла отклонения солнечных лучей %1 "
               "град. составляет 100 % или более: проверьте таблицу коэффициентов падения "
               "производительности.")
        .arg(numberToText(angle));
}

double deviationAngle(double orientation, double tilt, double monthTilt) {
    const double a = tilt - monthTilt, b = 180 - orientation;
    return roundHalfEven(std::sqrt(a * a + b * b), 1);
}

std::optional<double> batteryCoefficient(const std::vector<ArrayShare>& arrays, double totalPower) {
    if (!(totalPower > 0))
        return std::nullopt;
    double sum = 0;
    for (const ArrayShare& a : arrays)
        sum += a.power * a.coefficient;
    return roundHalfEven(sum / totalPower, 3);
}

namespace {

std::optional<double> monthRequirement(const SizingSettings& s, double wpSut, double wsutDark,
                                       double wmaxDark, double radiation, double tsred, double kinv,
                                       double ksp, double kpr) {
    if (s.batteryLosses >= 100 || s.controllerLosses >= 100 || !(radiation > 0) || !(kinv > 0) ||
        !(ksp > 0) || !(kpr > 0))
        return std::nullopt;
    // The dark-time energy passes through the battery and bears its losses; the controller loses
    // its share of everything; the panels' rating holds at 25 degrees.
    const double e = wpSut - wsutDark + wmaxDark / (1 - s.batteryLosses / 100);
    const double e1 = e / (1 - s.controllerLosses / 100);
    const double ft = s.panelTemperature ? 1 + (tsred - 25) * s.kdifP / 100 : 1;
    if (!(ft > 0))
        return std::nullopt;
    return roundHalfAway(e1 / ft / radiation / kinv / ksp / kpr, 0);
}

} // namespace

std::optional<double> scheduleMonthRequirement(const SizingSettings& s, double wpSut,
                                               double wsutDark, double wmaxDark, double radiation,
                                               double tsred, double kinv, double ksp) {
    return monthRequirement(s, wpSut, wsutDark, wmaxDark, radiation, tsred, kinv, ksp, 1);
}

MonthlyRequirement monthlyRequirement(const std::vector<StoredSchedule>& schedules,
                                      const RegionYear& region, const SizingSettings& s) {
    std::array<double, 12> ones;
    ones.fill(1);
    return monthlyRequirement(schedules, region, s, ones);
}

MonthlyRequirement monthlyRequirement(const std::vector<StoredSchedule>& schedules,
                                      const RegionYear& region, const SizingSettings& s,
                                      const std::array<double, 12>& kpr) {
    MonthlyRequirement r;
    for (const StoredSchedule& sch : schedules) {
        std::array<double, 12> one{};
        for (const StoredMonth& m : sch.months) {
            const int i = monthIndex(m.month);
            if (i == 0)
                continue;
            const auto& reg = region[i - 1];
            const double ksp = isSummerMonth(m.month) ? s.kspSummer : s.kspWinter;
            const auto need =
                reg ? monthRequirement(s, sch.wpSut, m.wsutDark, m.wmaxDark, reg->radiation,
                                       reg->tsred, sch.kinv, ksp, kpr[i - 1])
                    : std::nullopt;
            if (!need) {
                const QString p =
                    QStringLiteral("Мощность СБ за месяц \"%1\" не рассчитана: нет данных о "
                                   "солнечной радиации региона или неверны потери, КПД "
                                   "инвертора или сезонный коэффициент.")
                        .arg(m.month);
                if (!r.problems.contains(p))
                    r.problems << p;
                continue;
            }
            one[i - 1] = *need; // a later row for the same month replaces an earlier one
        }
        for (int m = 0; m < 12; ++m)
            r.watts[m] = roundPattern(r.watts[m] + one[m], QStringLiteral("0.##"));
    }
    return r;
}

TiltResult requiredPowerAndTilt(const std::array<double, 12>& req, const RegionYear& region,
                                const std::vector<LossRow>& loss) {
    TiltResult t;
    for (int m = 0; m < 12; ++m) {
        const double v = roundHalfEven(req[m], 2);
        if (v > t.pmax) { // strictly greater: the earlier month wins a tie
            t.pmax = v;
            t.governingMonth = m + 1;
        }
    }
    const double bg =
        t.governingMonth && region[t.governingMonth - 1] ? region[t.governingMonth - 1]->tilt : 0;
    t.power = t.pmax;
    t.tilt = bg;
    // The power needed at a tilt: each month's requirement over the month's coefficient.
    const auto powerAt = [&](double tilt) -> std::optional<double> {
        double worst = -std::numeric_limits<double>::infinity();
        bool any = false;
        for (int m = 0; m < 12; ++m) {
            if (!region[m])
                continue;
            const double angle = std::fabs(tilt - region[m]->tilt);
            const auto k = performanceCoefficient(loss, angle);
            if (!k) {
                t.error = coefficientRefusal(angle);
                return std::nullopt;
            }
            worst = std::max(worst, roundHalfEven(req[m] / *k, 0));
            any = true;
        }
        return any ? std::optional<double>(worst) : std::nullopt;
    };
    const auto atBg = powerAt(bg);
    if (t.error || !atBg || *atBg <= t.pmax)
        return t;
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const auto& r : region)
        if (r) {
            lo = std::min(lo, r->tilt);
            hi = std::max(hi, r->tilt);
        }
    t.searched = true;
    bool first = true;
    for (double tilt = lo; tilt <= hi + 1e-9; tilt += 1) {
        const auto w = powerAt(tilt);
        if (!w)
            return t;
        t.byTilt.emplace_back(int(std::lround(tilt)), *w);
        if (first || *w < t.power) { // the first tilt with the smallest power
            t.power = *w;
            t.tilt = tilt;
            first = false;
        }
    }
    return t;
}

std::array<double, 12> remainingRequirement(const std::array<double, 12>& req,
                                            const std::vector<FormedArray>& arrays,
                                            const RegionYear& region,
                                            const std::vector<LossRow>& loss,
                                            std::optional<QString>* error) {
    std::array<double, 12> rest = req;
    for (const FormedArray& a : arrays)
        for (int m = 0; m < 12; ++m) {
            if (!region[m])
                continue;
            const double dx = region[m]->tilt - a.tilt, dy = 180 - a.orientation;
            const double angle = std::sqrt(dx * dx + dy * dy); // unrounded here
            const auto k = performanceCoefficient(loss, angle);
            if (!k) {
                if (error)
                    *error = coefficientRefusal(roundHalfEven(angle, 1));
                continue;
            }
            rest[m] = roundHalfAway(rest[m] - a.power * *k, 0);
        }
    return rest;
}

OrientedRequirement orientedRequirement(const std::vector<StoredSchedule>& schedules,
                                        const RegionYear& region, const SizingSettings& s,
                                        const std::vector<LossRow>& loss, double orientation,
                                        double tilt) {
    OrientedRequirement out;
    std::array<double, 12> kpr;
    kpr.fill(1);
    for (int m = 0; m < 12; ++m) {
        if (!region[m])
            continue;
        const double a = tilt - region[m]->tilt, b = 180 - orientation;
        const double angle = std::sqrt(a * a + b * b);
        const auto k = performanceCoefficient(loss, angle);
        if (!k) {
            out.error = coefficientRefusal(roundHalfEven(angle, 1));
            return out;
        }
        kpr[m] = *k;
    }
    const MonthlyRequirement r = monthlyRequirement(schedules, region, s, kpr);
    if (!r.problems.isEmpty()) {
        out.error = r.problems.join(QStringLiteral("\n"));
        return out;
    }
    for (int m = 0; m < 12; ++m)
        if (r.watts[m] > out.power) { // strictly larger: the earlier month wins a tie
            out.power = r.watts[m];
            out.month = m + 1;
        }
    if (out.month && region[out.month - 1])
        out.monthTilt = region[out.month - 1]->tilt;
    return out;
}

QString orientedRequirementLabel(const OrientedRequirement& r) {
    if (r.month == 0)
        return QStringLiteral("Расчетная мощность солнечной батареи, Вт:");
    return QStringLiteral("Расчетная мощность солнечной батареи (для месяца ") +
           monthNames()[r.month - 1] + QStringLiteral(" с В = ") + numberToText(r.monthTilt) +
           QStringLiteral(" град.), Вт:");
}

} // namespace ses
