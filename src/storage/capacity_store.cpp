#include "storage/capacity_store.h"

#include "data/data_module.h"
#include "lib/kinv.h"
#include "lib/numbers.h"

#include <QSqlQuery>

namespace ses {

namespace {

std::optional<double> opt(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

// One schedule of an AC load (tables proj_graf0 ...) or of the DC loads (proj_graf12_0 ...).
CapacitySchedule scheduleOf(TDataModule1& dm, bool ac, const QSqlQuery& g, double kinvOfLoad,
                            int loadKod, const QString& load) {
    CapacitySchedule s;
    s.ac = ac;
    s.kinv = kinvOfLoad;
    s.loadKod = loadKod;
    s.load = load;
    s.name = g.value(6).toString();
    const QVariant kod = g.value(0);
    s.from = g.value(1).toString();
    s.to = g.value(2).toString();
    s.pnom = g.value(3).toDouble();
    s.pmax = g.value(4).toDouble();
    s.wpPik = g.value(5).toDouble();
    QSqlQuery m = dm.store().select(
        QStringLiteral("SELECT MonthName, Wsut_dark, Wmax_dark FROM %1 WHERE Kod0 = ? ORDER BY Kod")
            .arg(ac ? QStringLiteral("proj_gr_prm") : QStringLiteral("proj_gr12_prm")),
        {kod});
    while (m.next())
        s.months.push_back({m.value(0).toString(), m.value(1).toDouble(), m.value(2).toDouble()});
    QSqlQuery i = dm.store().select(
        QStringLiteral("SELECT T1, T2, P FROM %1 WHERE Kod0 = ? ORDER BY Kod")
            .arg(ac ? QStringLiteral("proj_graf1") : QStringLiteral("proj_graf12_1")),
        {kod});
    while (i.next())
        s.intervals.push_back(
            {i.value(0).toDouble(), i.value(1).toDouble(), i.value(2).toDouble()});
    QSqlQuery c = dm.store().select(
        ac ? QStringLiteral("SELECT Kod, Name, SPnom, SPpik, ClearSinus, Rejim FROM proj_ep0 "
                            "WHERE Kod0 = ? ORDER BY Kod")
           : QStringLiteral("SELECT Kod, Name, SPnom, SPpik, 0, Rejim FROM proj_ep12_0 "
                            "WHERE Kod0 = ? ORDER BY Kod"),
        {kod});
    while (c.next()) {
        Consumer consumer{c.value(1).toString(),
                          c.value(2).toDouble(),
                          c.value(3).toDouble(),
                          c.value(4).toInt() != 0,
                          {},
                          c.value(5).toString()};
        QSqlQuery p = dm.store().select(
            QStringLiteral("SELECT T1, T2 FROM %1 WHERE Kod0 = ? ORDER BY Kod")
                .arg(ac ? QStringLiteral("proj_ep1") : QStringLiteral("proj_ep12_1")),
            {c.value(0)});
        while (p.next())
            consumer.periods.push_back({numberToText(p.value(0).toDouble()),
                                        numberToText(p.value(1).toDouble()), p.value(0).toDouble(),
                                        p.value(1).toDouble()});
        s.consumers.push_back(std::move(consumer));
    }
    return s;
}

} // namespace

CapacityInputs capacityInputs(TDataModule1& dm, int variantKod) {
    CapacityInputs in;
    QSqlQuery v = dm.store().select(
        QStringLiteral("SELECT ParamNagr, Uses, GlubRazryad_AKB, Poteri_AKB, Krazr_nom, Krazr_max, "
                       "Krazr_pik, SutCikl, KolHourWithoutSun, Tip_AKB, DefTipAKB_Ctrl, "
                       "UseUserKpd_Inv, UserKpd_Inv FROM project1 WHERE Kod = ?"),
        {variantKod});
    if (!v.next())
        return in;
    StorageSettings& s = in.settings;
    // Empty divisors read as 0 so that the computation refuses them instead of guessing.
    s.loadMode = v.value(0).toInt();
    s.uses = v.value(1).toDouble();
    s.depthOfDischarge = v.value(2).toDouble();
    s.batteryLosses = v.value(3).toDouble();
    s.krazrNom = v.value(4).toDouble();
    s.krazrMax = v.value(5).toDouble();
    s.krazrPik = v.value(6).toDouble();
    s.dailyCycle = v.value(7).toInt() != 0;
    s.hoursWithoutSun = v.value(8).isNull() ? 24 : v.value(8).toDouble();
    QString type = v.value(9).toString();
    if (type.isEmpty())
        type = v.value(10).toString();
    const bool useUser = v.value(11).toInt() != 0;
    const std::optional<double> user = opt(v.value(12));

    QSqlQuery p =
        dm.store().select(QStringLiteral("SELECT SutGr_Pnom_Time, SutGr_Pmax_Time FROM param"));
    if (p.next()) {
        if (!p.value(0).isNull())
            s.nomMinutes = p.value(0).toInt();
        if (!p.value(1).isNull())
            s.maxMinutes = p.value(1).toInt();
    }
    QSqlQuery sun = dm.store().select(
        QStringLiteral("SELECT MonthName, Voshod10, Zakat10, TempAB FROM proj_sunday "
                       "WHERE Kod0 = ? ORDER BY Kod"),
        {variantKod});
    while (sun.next())
        in.daylight.push_back({sun.value(0).toString(), sun.value(1).toDouble(),
                               sun.value(2).toDouble(), opt(sun.value(3))});
    QSqlQuery k = dm.store().select(
        QStringLiteral("SELECT T, K FROM %1 WHERE T IS NOT NULL AND K IS NOT NULL ORDER BY T")
            .arg(usesLeadAcidTable(type) ? QStringLiteral("Ktemp") : QStringLiteral("Ktemp1")));
    while (k.next())
        in.tempCoefficients.push_back({k.value(0).toDouble(), k.value(1).toDouble()});

    const QString schedules = QStringLiteral(
        "SELECT Kod, MonthName1, MonthName2, Pnom30min, Pmax10min, Wp_pik, SutGrafName "
        "FROM %1 WHERE Kod0 = ? ORDER BY Kod");
    QSqlQuery loads = dm.store().select(
        QStringLiteral("SELECT Kod, Kpd_Inv, Nagr_Name FROM proj_inv WHERE Kod0 = ? ORDER BY Kod"),
        {variantKod});
    while (loads.next()) {
        const double k = kinv(useUser, user, opt(loads.value(1)));
        QSqlQuery g =
            dm.store().select(schedules.arg(QStringLiteral("proj_graf0")), {loads.value(0)});
        while (g.next())
            in.schedules.push_back(
                scheduleOf(dm, true, g, k, loads.value(0).toInt(), loads.value(2).toString()));
    }
    QSqlQuery dc = dm.store().select(schedules.arg(QStringLiteral("proj_graf12_0")), {variantKod});
    while (dc.next())
        in.schedules.push_back(scheduleOf(dm, false, dc, 1, 0, QStringLiteral("Нагрузка АБ")));
    return in;
}

std::optional<double> storedCapacity(TDataModule1& dm, int variantKod) {
    QSqlQuery v = dm.store().select(QStringLiteral("SELECT Cras_AKB FROM project1 WHERE Kod = ?"),
                                    {variantKod});
    return v.next() ? opt(v.value(0)) : std::nullopt;
}

} // namespace ses
