#include "storage/capacity.h"

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

// A value written with "0.##" and read back.
double text2(double x) {
    return roundHalfAway(x, 2);
}

double divisorOf(const CapacitySchedule& s) {
    return s.ac ? s.kinv : 1.0;
}

const DaylightRow* daylightOf(const std::vector<DaylightRow>& rows, const QString& month) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const DaylightRow& r) { return r.month == month; });
    return it == rows.end() ? nullptr : &*it;
}

} // namespace

std::optional<QString> capacityRefusal(const CapacityInputs& in) {
    const StorageSettings& s = in.settings;
    const QString tail = QStringLiteral(": емкость АБ не рассчитана.");
    if (!(s.uses > 0))
        return QStringLiteral("Напряжение системы должно быть больше 0") + tail;
    if (!(s.depthOfDischarge > 0))
        return QStringLiteral("Глубина разряда АБ должна быть больше 0") + tail;
    if (!(s.batteryLosses < 100))
        return QStringLiteral("Потери на заряд-разряд АБ должны быть меньше 100 %") + tail;
    for (const CapacitySchedule& sc : in.schedules)
        if (sc.ac && !(sc.kinv > 0))
            return QStringLiteral("КПД инвертора должен быть больше 0") + tail;
    if (in.tempCoefficients.empty())
        return QStringLiteral("Таблица температурных коэффициентов эксплуатации АБ пуста") + tail;
    for (const QString& month : monthNames()) {
        const DaylightRow* d = daylightOf(in.daylight, month);
        if (d && !d->batteryTemp)
            return QStringLiteral("Не задана температура эксплуатации АБ для месяца \"%1\"")
                       .arg(month) +
                   tail;
    }
    return std::nullopt;
}

namespace {

std::optional<QString> refusal(const CapacityInputs& in) {
    return capacityRefusal(in);
}

// The energies and the capacity by months: C is the largest monthly capacity.
CapacityResult capacityByMonths(const CapacityInputs& in) {
    CapacityResult r;
    const StorageSettings& s = in.settings;
    const std::array<double, 12> energy = darkEnergyByMonth(in.schedules);
    for (int m = 1; m <= 12; ++m) {
        CapacityMonth& cm = r.months[m - 1];
        cm.energy = energy[m - 1];
        const DaylightRow* d = daylightOf(in.daylight, monthNames()[m - 1]);
        if (!d)
            continue;
        cm.daylight = true;
        cm.temperature = *d->batteryTemp;
        cm.ktemp = batteryTempCoef(in.tempCoefficients, cm.temperature);
        cm.capacity =
            monthCapacity(s.uses, 1, s.batteryLosses, cm.ktemp, s.depthOfDischarge, cm.energy)
                .value_or(0);
        if (roundHalfEven(cm.capacity, 2) > roundHalfEven(r.energyCapacity, 2)) {
            r.energyCapacity = roundHalfEven(cm.capacity, 2);
            r.governingMonth = m;
        }
    }
    r.capacity = r.energyCapacity;
    return r;
}

// The discharge currents: a check that needs more than the capacity so far takes over.
void checkDischarge(CapacityResult& r, const StorageSettings& s, bool withPeak) {
    const auto check = [&](double k, double p, double& need, CapacityBasis basis) {
        need = roundHalfEven(k * p / s.uses, 2);
        if (need > *r.capacity) {
            r.capacity = need;
            r.basis = basis;
        }
    };
    check(s.krazrNom, r.pnom, r.nomCapacity, CapacityBasis::Nominal);
    check(s.krazrMax, r.pmax, r.maxCapacity, CapacityBasis::Maximum);
    if (withPeak)
        check(s.krazrPik, r.ppeak, r.peakCapacity, CapacityBasis::Peak);
}

CapacityResult refused(const QString& message) {
    CapacityResult r;
    r.error = message;
    return r;
}

} // namespace

std::optional<double> monthCapacity(double uses, double kdiv, double losses, double ktemp,
                                    double depth, double energy) {
    if (!(uses > 0) || !(kdiv > 0) || !(depth > 0) || !(losses < 100))
        return std::nullopt;
    return roundPattern(energy / uses / depth * 100 * ktemp / (1 - losses / 100) / kdiv,
                        QStringLiteral("0.##"));
}

std::array<double, 12> darkEnergyByMonth(const std::vector<CapacitySchedule>& schedules) {
    std::array<double, 12> e{};
    // AC schedules first, as the loads come before the DC schedules.
    for (const bool ac : {true, false}) {
        for (const CapacitySchedule& s : schedules) {
            if (s.ac != ac)
                continue;
            std::array<double, 12> slot{};
            for (const ScheduleMonthEnergy& row : s.months) {
                const int m = monthIndex(row.month);
                if (m > 0)
                    slot[m - 1] = ac ? text2(row.wmaxDark / s.kinv) : row.wmaxDark;
            }
            for (int m = 0; m < 12; ++m)
                e[m] = text2(e[m] + slot[m]);
        }
    }
    return e;
}

std::vector<Period> darkWindows(double sunset, double darkLength) {
    double r = h3(darkLength);
    if (r <= 0)
        return {};
    if (h3(sunset + r) <= 24)
        return {{sunset, h3(sunset + r)}};
    std::vector<Period> w{{sunset, 24}};
    r = h3(r - (24 - sunset));
    while (std::floor(r / 24) > 0) {
        w.emplace_back(0, 24);
        r = h3(r - 24);
    }
    if (r > 0)
        w.emplace_back(0, r);
    return w;
}

std::vector<Interval> clipToWindows(const std::vector<Interval>& segments,
                                    const std::vector<Period>& windows) {
    std::vector<Interval> clipped;
    for (const auto& [a, b] : windows)
        for (const Interval& s : segments)
            if (h3(s.t1) < h3(b) && h3(a) < h3(s.t2))
                clipped.push_back({std::max(s.t1, a), std::min(s.t2, b), s.p});
    return clipped;
}

CapacityResult capacityByParameters(const CapacityInputs& in) {
    if (const auto e = refusal(in))
        return refused(*e);
    CapacityResult r = capacityByMonths(in);
    for (const CapacitySchedule& s : in.schedules) {
        r.pnom = std::max(r.pnom, s.pnom);
        r.pmax = std::max(r.pmax, s.pmax);
        r.ppeak = std::max(r.ppeak, s.wpPik);
    }
    checkDischarge(r, in.settings, true);
    return r;
}

void profilePowers(const CapacityInputs& in, int monthIdx, CapacityMonth& cm,
                   int accumulatorDecimals) {
    const StorageSettings& st = in.settings;
    const bool byConsumers = st.loadMode == 2;
    const QString& month = monthNames()[monthIdx - 1];
    const DaylightRow* d = daylightOf(in.daylight, month);
    if (!d)
        return;
    std::vector<Interval> profile;
    std::vector<double> switching;
    for (const bool ac : {true, false}) {
        for (const CapacitySchedule& s : in.schedules) {
            if (s.ac != ac || !monthInRange(month, s.from, s.to))
                continue;
            profile = mergeIntoProfile(profile, s.intervals, divisorOf(s));
            if (byConsumers)
                for (const Consumer& c : s.consumers)
                    for (const ConsumerPeriod& p : c.periods)
                        insertTimePoint(switching, p.t1);
        }
    }
    const double dark = st.dailyCycle ? d->sunrise + 24 - d->sunset : st.hoursWithoutSun;
    cm.darkWindows = darkWindows(d->sunset, dark);
    const ScheduleParams powers =
        scheduleParameters(clipToWindows(profile, cm.darkWindows), st.nomMinutes, st.maxMinutes,
                           ScheduleForm::TripleList);
    cm.pnom = powers.pnom;
    cm.pmax = powers.pmax;
    cm.ppeak = 0;

    if (!byConsumers) {
        for (const CapacitySchedule& s : in.schedules)
            if (monthInRange(month, s.from, s.to))
                cm.ppeak = std::max(cm.ppeak, s.ac ? roundHalfEven(s.wpPik / s.kinv, 3) : s.wpPik);
        return;
    }
    // The load at each switching time: the starting powers of the periods that begin then and
    // the rated powers of those running through it, each addition rounded as written.
    const auto add = [accumulatorDecimals](double acc, double x) {
        return roundHalfAway(acc + x, accumulatorDecimals);
    };
    std::vector<double> load(switching.size(), 0.0);
    for (const bool ac : {true, false}) {
        for (const CapacitySchedule& s : in.schedules) {
            if (s.ac != ac || !monthInRange(month, s.from, s.to))
                continue;
            const double x = divisorOf(s);
            for (const Consumer& c : s.consumers) {
                for (const ConsumerPeriod& p : c.periods) {
                    const double t1 = h3(p.t1), t2 = h3(p.t2);
                    bool started = false;
                    for (size_t k = 0; k < switching.size(); ++k) {
                        const double t = h3(switching[k]);
                        if (!started && t == t1) {
                            load[k] = add(load[k], c.sppik / x);
                            started = true;
                        }
                        if (t1 < t && t < t2)
                            load[k] = add(load[k], c.spnom / x);
                    }
                }
            }
        }
    }
    for (const auto& [a, b] : cm.darkWindows)
        for (size_t k = 0; k < switching.size(); ++k) {
            const double t = h3(switching[k]);
            if (h3(a) <= t && t <= h3(b))
                cm.ppeak = std::max(cm.ppeak, roundHalfEven(load[k], 0));
        }
}

CapacityResult capacityByProfiles(const CapacityInputs& in) {
    if (const auto e = refusal(in))
        return refused(*e);
    CapacityResult r = capacityByMonths(in);
    for (int m = 1; m <= 12; ++m) {
        CapacityMonth& cm = r.months[m - 1];
        profilePowers(in, m, cm, 2);
        r.pnom = std::max(r.pnom, cm.pnom);
        r.pmax = std::max(r.pmax, cm.pmax);
        r.ppeak = std::max(r.ppeak, cm.ppeak);
    }
    checkDischarge(r, in.settings, true);
    return r;
}

CapacityResult requiredCapacity(const CapacityInputs& in) {
    return in.settings.loadMode == 0 ? capacityByParameters(in) : capacityByProfiles(in);
}

} // namespace ses
