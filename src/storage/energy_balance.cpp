#include "storage/energy_balance.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace ses {

namespace {

// One year of days from the store at dawn of 1 January; returns the store at the end.
double runYear(const BalanceInputs& in, double store, EnergyBalance* out) {
    const double controller = 1 - in.controllerLosses / 100;
    const double battery = 1 - in.batteryLosses / 100;
    // Draws `load` W*h from the store; returns what it could not give.
    const auto draw = [&](double& s, double load) {
        const double cost = load / battery;
        if (cost <= s) {
            s -= cost;
            return 0.0;
        }
        const double missing = (cost - s) * battery;
        s = 0;
        return missing;
    };
    for (int m = 1; m <= 12; ++m) {
        const BalanceMonth& month = in.months[m - 1];
        const double full = std::max(0.0, month.usable);
        const auto percent = [full](double s) { return full > 0 ? s / full * 100 : 0.0; };
        for (int d = 1; d <= daysInMonth(m); ++d) {
            // A colder battery room holds less: what is above the month's usable energy is
            // not there to give.
            store = std::min(store, full);
            BalanceDay day{m, d, store, percent(store), 0, 0, 0, 0};
            const double supply = month.generation * controller;
            if (supply >= month.dayLoad) {
                store += supply - month.dayLoad;
                if (store > full) {
                    day.wasted = store - full;
                    store = full;
                }
            } else {
                day.unserved += draw(store, month.dayLoad - supply);
            }
            day.sunset = store;
            day.sunsetPercent = percent(store);
            day.unserved += draw(store, month.darkLoad);
            if (out) {
                out->demandKwh += (month.dayLoad + month.darkLoad) / 1000;
                out->days.push_back(day);
            }
        }
    }
    return store;
}

} // namespace

std::optional<EnergyBalance> energyBalance(const BalanceInputs& in) {
    if (in.controllerLosses >= 100 || in.batteryLosses >= 100)
        return std::nullopt;
    const double start = std::max(0.0, in.months[0].usable);
    const double afterFirst = runYear(in, start, nullptr);
    EnergyBalance b;
    b.days.reserve(365);
    runYear(in, afterFirst, &b);
    b.lowest = std::numeric_limits<double>::infinity();
    for (int i = 0; i < int(b.days.size()); ++i) {
        const BalanceDay& d = b.days[i];
        if (d.unserved > 1e-9) {
            ++b.shortDays;
            if (b.firstShortDay < 0)
                b.firstShortDay = i;
        }
        b.unservedKwh += d.unserved / 1000;
        b.wastedKwh += d.wasted / 1000;
        const double full = in.months[d.month - 1].usable;
        if (full > 0 && d.sunset >= full - 1e-9)
            ++b.fullDays;
        for (const auto& [value, percent] :
             {std::pair{d.dawn, d.dawnPercent}, std::pair{d.sunset, d.sunsetPercent}})
            if (value < b.lowest) {
                b.lowest = value;
                b.lowestPercent = percent;
                b.lowestDay = i;
            }
    }
    if (b.days.empty())
        b.lowest = 0;
    b.unservedPercent = b.demandKwh > 0 ? b.unservedKwh / b.demandKwh * 100 : 0;
    return b;
}

QString balanceDate(const BalanceDay& d) {
    static const char* const genitive[12] = {"января",   "февраля", "марта",  "апреля",
                                             "мая",      "июня",    "июля",   "августа",
                                             "сентября", "октября", "ноября", "декабря"};
    return QString::number(d.day) + QLatin1Char(' ') + QString::fromUtf8(genitive[d.month - 1]);
}

QStringList EnergyBalance::summary() const {
    const QString two = QStringLiteral("0.##");
    QStringList lines;
    lines << QStringLiteral("Дней с недостатком энергии: %1%2.")
                 .arg(shortDays)
                 .arg(firstShortDay >= 0
                          ? QStringLiteral(" (первый - %1)").arg(balanceDate(days[firstShortDay]))
                          : QString());
    lines << QStringLiteral("Недоотпущенная энергия: %1 кВт*ч (%2 % потребности %3 кВт*ч).")
                 .arg(formatPattern(unservedKwh, two), formatPattern(unservedPercent, two),
                      formatPattern(demandKwh, two));
    if (!days.empty())
        lines << QStringLiteral("Наименьший заряд АБ: %1 кВт*ч (%2 %), %3.")
                     .arg(formatPattern(lowest / 1000, two), formatPattern(lowestPercent, two),
                          balanceDate(days[lowestDay]));
    lines << QStringLiteral("Дней, когда АБ заряжена полностью к закату: %1.").arg(fullDays);
    lines << QStringLiteral("Избыток энергии, не принятый АБ: %1 кВт*ч.")
                 .arg(formatPattern(wastedKwh, two));
    return lines;
}

} // namespace ses
