#include "solar/sizing_store.h"

#include "data/data_module.h"
#include "lib/kinv.h"
#include "lib/months.h"
#include "lib/numbers.h"

#include <QSqlQuery>
#include <algorithm>

namespace ses {

std::optional<double> optionalNumber(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

std::vector<StoredMonth> storedMonths(TDataModule1& dm, const QString& table,
                                      const QVariant& schedule) {
    std::vector<StoredMonth> months;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT MonthName, Wsut_dark, Wmax_dark FROM \"%1\" WHERE Kod0 = ? "
                       "ORDER BY Kod")
            .arg(table),
        {schedule});
    while (q.next())
        months.push_back({q.value(0).toString(), q.value(1).toDouble(), q.value(2).toDouble()});
    return months;
}

std::vector<StoredSchedule> storedSchedules(TDataModule1& dm, int variantKod) {
    std::vector<StoredSchedule> out;
    QSqlQuery v = dm.store().select(
        QStringLiteral("SELECT UseUserKpd_Inv, UserKpd_Inv FROM project1 WHERE Kod = ?"),
        {variantKod});
    const bool useUser = v.next() && v.value(0).toInt() != 0;
    const std::optional<double> user = useUser ? optionalNumber(v.value(1)) : std::nullopt;
    QSqlQuery loads = dm.store().select(
        QStringLiteral("SELECT Kod, Kpd_Inv FROM proj_inv WHERE Kod0 = ? ORDER BY Kod"),
        {variantKod});
    while (loads.next()) {
        const double k = kinv(useUser, user, optionalNumber(loads.value(1)));
        QSqlQuery g = dm.store().select(
            QStringLiteral("SELECT Kod, Wp_sut FROM proj_graf0 WHERE Kod0 = ? ORDER BY Kod"),
            {loads.value(0)});
        while (g.next())
            out.push_back({g.value(1).toDouble(), k,
                           storedMonths(dm, QStringLiteral("proj_gr_prm"), g.value(0))});
    }
    QSqlQuery dc = dm.store().select(
        QStringLiteral("SELECT Kod, Wp_sut FROM proj_graf12_0 WHERE Kod0 = ? ORDER BY Kod"),
        {variantKod});
    while (dc.next())
        out.push_back({dc.value(1).toDouble(), 1,
                       storedMonths(dm, QStringLiteral("proj_gr12_prm"), dc.value(0))});
    return out;
}

RegionYear regionYear(TDataModule1& dm, const QString& region) {
    RegionYear year;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT r1.MonthName, r1.P, r1.Tsred, r1.B FROM region0 r0 JOIN region1 r1 "
                       "ON r1.Kod0 = r0.Kod WHERE r0.Region = ? ORDER BY r1.Kod"),
        {region});
    while (q.next()) {
        const int m = monthIndex(q.value(0).toString());
        if (m > 0 && !q.value(1).isNull())
            year[m - 1] = RegionMonthData{q.value(1).toDouble(), q.value(2).toDouble(),
                                          q.value(3).toDouble()};
    }
    return year;
}

std::vector<LossRow> lossTable(TDataModule1& dm) {
    std::vector<LossRow> rows;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Ugol, K FROM Kproiz2 WHERE Ugol IS NOT NULL AND K IS NOT NULL "
                       "ORDER BY Ugol"),
        {});
    while (q.next())
        rows.push_back({q.value(0).toDouble(), q.value(1).toDouble()});
    return rows;
}

SizingSettings sizingSettings(TDataModule1& dm) {
    SizingSettings s;
    View& v = dm.tblProj1();
    if (v.isEmpty())
        return s;
    // Empty divisors read as 0, so that the computations refuse them instead of guessing.
    s.panelTemperature = v[QStringLiteral("UchetKdifP_SP")].asBoolean();
    s.kdifP = v[QStringLiteral("KdifP_SP")].asFloat();
    s.batteryLosses = v[QStringLiteral("Poteri_AKB")].asFloat();
    s.controllerLosses = v[QStringLiteral("Poteri_Ctrl")].asFloat();
    s.kspSummer = v[QStringLiteral("Ksp_summer")].asFloat();
    s.kspWinter = v[QStringLiteral("Ksp_winter")].asFloat();
    return s;
}

SizingSettings sizingSettings(TDataModule1& dm, qint64 kod) {
    SizingSettings s;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT UchetKdifP_SP, KdifP_SP, Poteri_AKB, Poteri_Ctrl, Ksp_summer, "
                       "Ksp_winter FROM project1 WHERE Kod = ?"),
        {kod});
    if (!q.next())
        return s;
    // Empty divisors read as 0, as above.
    s.panelTemperature = q.value(0).toInt() != 0;
    s.kdifP = q.value(1).toDouble();
    s.batteryLosses = q.value(2).toDouble();
    s.controllerLosses = q.value(3).toDouble();
    s.kspSummer = q.value(4).toDouble();
    s.kspWinter = q.value(5).toDouble();
    return s;
}

SolarSizing requiredSolarPower(TDataModule1& dm) {
    SolarSizing out;
    View& v = dm.tblProj1();
    if (v.isEmpty())
        return out;
    const QString region = v[QStringLiteral("Region")].asString();
    const RegionYear year = regionYear(dm, region);
    out.region = year;
    if (std::none_of(year.begin(), year.end(), [](const auto& m) { return m.has_value(); }))
        out.problems << (region.isEmpty()
                             ? QStringLiteral(
                                   "Для варианта не задан регион: мощность СБ не рассчитана.")
                             : QStringLiteral("Нет данных о солнечной радиации региона \"%1\": "
                                              "мощность СБ не рассчитана.")
                                   .arg(region));
    out.requirement =
        monthlyRequirement(storedSchedules(dm, v.currentKey().toInt()), year, sizingSettings(dm));
    out.problems << out.requirement.problems;
    out.result = requiredPowerAndTilt(out.requirement.watts, year, lossTable(dm));
    if (out.result.error)
        out.problems << *out.result.error;
    return out;
}

QString SolarSizing::governingText() const {
    const int m = result.governingMonth;
    if (m < 1 || m > 12 || result.power <= 0)
        return {};
    QString text = monthNames()[m - 1];
    if (region[m - 1])
        text += QStringLiteral(", E = %1 кВт*ч/(м2*день)")
                    .arg(formatPattern(region[m - 1]->radiation, QStringLiteral("0.##")));
    return text;
}

} // namespace ses
