#include "reports/energy_balance_store.h"

#include "data/data_module.h"
#include "lib/months.h"
#include "solar/generation_store.h"
#include "storage/capacity_store.h"

#include <QSqlQuery>

#include <algorithm>

namespace ses {

namespace {

const QString kNotComputed = QStringLiteral(" Баланс энергии не рассчитан.");

} // namespace

BalanceReading yearBalance(TDataModule1& dm, qint64 kod) {
    BalanceReading r;
    QSqlQuery v = dm.store().select(
        QStringLiteral("SELECT Cfakt_AKB, Uses, GlubRazryad_AKB, Tip_AKB, "
                       "(SELECT COUNT(*) FROM proj_mas WHERE Kod0 = p.Kod) FROM project1 p "
                       "WHERE Kod = ?"),
        {kod});
    if (!v.next()) {
        r.reason = QStringLiteral("Нет варианта расчета.") + kNotComputed;
        return r;
    }
    const double cfakt = v.value(0).toDouble(), uses = v.value(1).toDouble(),
                 depth = v.value(2).toDouble();
    if (v.value(3).isNull() || !(cfakt > 0) || !(uses > 0) || !(depth > 0)) {
        r.reason = QStringLiteral("Аккумуляторная батарея варианта не сформирована (или не заданы "
                                  "ее емкость, напряжение и глубина разряда).") +
                   kNotComputed;
        return r;
    }
    const GenerationInputs gen = generationInputs(dm, kod);
    if (v.value(4).toInt() == 0 || !gen.totalPower || !(*gen.totalPower > 0)) {
        r.reason = QStringLiteral("Солнечная батарея варианта не сформирована.") + kNotComputed;
        return r;
    }
    // The region's rows by calendar month, the later row of a month winning.
    std::array<const RegionMonthRow*, 12> region{};
    for (const RegionMonthRow& m : gen.months)
        if (const int i = monthIndex(m.month))
            region[i - 1] = &m;
    const CapacityInputs cap = capacityInputs(dm, int(kod));
    QStringList noRegion, noRoom;
    BalanceInputs in;
    in.controllerLosses = gen.settings.controllerLosses;
    in.batteryLosses = gen.settings.batteryLosses;
    for (int m = 1; m <= 12; ++m) {
        const QString& name = monthNames()[m - 1];
        BalanceMonth& month = in.months[m - 1];
        if (!region[m - 1]) {
            noRegion << name;
            continue;
        }
        const DailyGeneration g = dailyGeneration(gen, *region[m - 1]);
        if (g.refusal) {
            r.reason = *g.refusal + kNotComputed;
            return r;
        }
        month.generation = g.g * 1000;
        // The battery room's temperature makes the usable energy smaller or larger, as it does
        // the required capacity.
        const auto room = std::find_if(cap.daylight.begin(), cap.daylight.end(),
                                       [&](const DaylightRow& d) { return d.month == name; });
        const double k = room == cap.daylight.end() || !room->batteryTemp
                             ? 0
                             : batteryTempCoef(cap.tempCoefficients, *room->batteryTemp);
        if (!(k > 0)) {
            noRoom << name;
            continue;
        }
        month.usable = cfakt * uses * depth / 100 / k;
        for (const LoadSchedule& s : gen.schedules) {
            if (!monthInRange(name, s.first, s.last))
                continue;
            const auto row = std::find_if(s.months.begin(), s.months.end(),
                                          [&](const StoredMonth& x) { return x.month == name; });
            if (row == s.months.end())
                continue;
            const double eta = s.dc ? 1 : s.kinv;
            if (!(eta > 0))
                continue;
            month.dayLoad += (s.wpSut - row->wsutDark) / eta;
            month.darkLoad += row->wsutDark / eta;
        }
    }
    if (!noRegion.isEmpty()) {
        r.reason = (gen.months.empty()
                        ? QStringLiteral("Для варианта не задан регион или его нет в справочнике "
                                         "регионов.")
                        : QStringLiteral("В справочнике регионов для региона \"%1\" нет данных за "
                                         "месяц: %2.")
                              .arg(gen.region, noRegion.join(QStringLiteral(", ")))) +
                   kNotComputed;
        return r;
    }
    if (!noRoom.isEmpty()) {
        r.reason = QStringLiteral("Нет температуры помещения АБ (или температурного коэффициента "
                                  "АБ) за месяц: %1.")
                       .arg(noRoom.join(QStringLiteral(", "))) +
                   kNotComputed;
        return r;
    }
    r.inputs = in;
    r.balance = energyBalance(in);
    if (!r.balance)
        r.reason = QStringLiteral("Потери в АБ или в контроллере составляют 100 % или более.") +
                   kNotComputed;
    return r;
}

} // namespace ses
