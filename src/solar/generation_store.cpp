#include "solar/generation_store.h"

#include "data/data_module.h"
#include "lib/kinv.h"
#include "solar/sizing_store.h"

#include <QSqlQuery>

namespace ses {

namespace {

LoadSchedule scheduleOf(TDataModule1& dm, const QSqlQuery& g, const QString& table) {
    LoadSchedule s;
    s.name = g.value(1).toString();
    s.wpSut = g.value(2).toDouble();
    s.first = g.value(3).toString();
    s.last = g.value(4).toString();
    s.months = storedMonths(dm, table, g.value(0));
    return s;
}

} // namespace

GenerationInputs generationInputs(TDataModule1& dm) {
    View& v = dm.tblProj1();
    if (v.isEmpty())
        return {};
    return generationInputs(dm, v.currentKey().toLongLong());
}

GenerationInputs generationInputs(TDataModule1& dm, qint64 variantKod) {
    GenerationInputs in;
    const QVariant kod(variantKod);
    QSqlQuery head = dm.store().select(
        QStringLiteral("SELECT Region, PTotal_SP FROM project1 WHERE Kod = ?"), {kod});
    if (!head.next())
        return in;
    in.region = head.value(0).toString();
    in.totalPower = optionalNumber(head.value(1));
    in.settings = sizingSettings(dm, variantKod);
    in.loss = lossTable(dm);

    QSqlQuery r = dm.store().select(
        QStringLiteral("SELECT r1.MonthName, r1.P, r1.Tsred, r1.B FROM region0 r0 JOIN region1 r1 "
                       "ON r1.Kod0 = r0.Kod WHERE r0.Region = ? ORDER BY r1.Kod"),
        {in.region});
    while (r.next())
        in.months.push_back({r.value(0).toString(), r.value(1).toDouble(), r.value(2).toDouble(),
                             r.value(3).toDouble()});

    QSqlQuery p = dm.store().select(
        QStringLiteral("SELECT UseUserKpd_Inv, UserKpd_Inv FROM project1 WHERE Kod = ?"), {kod});
    const bool useUser = p.next() && p.value(0).toInt() != 0;
    const std::optional<double> user = useUser ? optionalNumber(p.value(1)) : std::nullopt;
    QSqlQuery loads = dm.store().select(
        QStringLiteral("SELECT Kod, Kpd_Inv, Nagr_Name FROM proj_inv WHERE Kod0 = ? ORDER BY Kod"),
        {kod});
    while (loads.next()) {
        const double k = kinv(useUser, user, optionalNumber(loads.value(1)));
        QSqlQuery g = dm.store().select(
            QStringLiteral("SELECT Kod, SutGrafName, Wp_sut, MonthName1, MonthName2 FROM "
                           "proj_graf0 WHERE Kod0 = ? ORDER BY Kod"),
            {loads.value(0)});
        while (g.next()) {
            LoadSchedule s = scheduleOf(dm, g, QStringLiteral("proj_gr_prm"));
            s.loadKey = loads.value(0).toInt();
            s.load = loads.value(2).toString();
            s.kinv = k;
            in.schedules.push_back(std::move(s));
        }
    }
    QSqlQuery dc = dm.store().select(
        QStringLiteral("SELECT Kod, SutGrafName, Wp_sut, MonthName1, MonthName2 FROM "
                       "proj_graf12_0 WHERE Kod0 = ? ORDER BY Kod"),
        {kod});
    while (dc.next()) {
        LoadSchedule s = scheduleOf(dm, dc, QStringLiteral("proj_gr12_prm"));
        s.dc = true;
        in.schedules.push_back(std::move(s));
    }

    QSqlQuery mas = dm.store().select(
        QStringLiteral("SELECT Pmas, Ugol_Orient, Ugol_Nakl FROM proj_mas WHERE Kod0 = ? "
                       "ORDER BY Kod"),
        {kod});
    while (mas.next())
        in.arrays.push_back(
            {mas.value(0).toDouble(), mas.value(1).toDouble(), mas.value(2).toDouble()});
    return in;
}

} // namespace ses
