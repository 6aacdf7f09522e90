#include "load/load_views_store.h"

#include "data/data_module.h"
#include "lib/numbers.h"

#include <QSqlQuery>

namespace ses {

namespace {

struct Tables {
    QString schedules, intervals, monthly, consumers, periods;
};

Tables tablesOf(bool ac) {
    if (ac)
        return {QStringLiteral("proj_graf0"), QStringLiteral("proj_graf1"),
                QStringLiteral("proj_gr_prm"), QStringLiteral("proj_ep0"),
                QStringLiteral("proj_ep1")};
    return {QStringLiteral("proj_graf12_0"), QStringLiteral("proj_graf12_1"),
            QStringLiteral("proj_gr12_prm"), QStringLiteral("proj_ep12_0"),
            QStringLiteral("proj_ep12_1")};
}

QSqlQuery rowsOf(TDataModule1& dm, const QString& columns, const QString& table,
                 const QVariant& kod0) {
    return dm.store().select(
        QStringLiteral("SELECT %1 FROM %2 WHERE Kod0 = ? ORDER BY Kod").arg(columns, table),
        {kod0});
}

std::vector<Interval> intervalsOf(TDataModule1& dm, const Tables& t, const QVariant& kod) {
    std::vector<Interval> out;
    QSqlQuery q = rowsOf(dm, QStringLiteral("T1, T2, P"), t.intervals, kod);
    while (q.next())
        out.push_back({q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble()});
    return out;
}

std::vector<Consumer> consumersOf(TDataModule1& dm, const Tables& t, const QVariant& kod) {
    std::vector<Consumer> out;
    QSqlQuery c = rowsOf(dm, QStringLiteral("Kod, Name, SPnom, SPpik, Rejim"), t.consumers, kod);
    while (c.next()) {
        Consumer consumer;
        consumer.name = c.value(1).toString();
        consumer.spnom = c.value(2).toDouble();
        consumer.sppik = c.value(3).toDouble();
        consumer.rejim = c.value(4).toString();
        QSqlQuery p = rowsOf(dm, QStringLiteral("T1, T2"), t.periods, c.value(0));
        while (p.next()) {
            const double t1 = p.value(0).toDouble(), t2 = p.value(1).toDouble();
            consumer.periods.push_back({numberToText(t1), numberToText(t2), t1, t2});
        }
        out.push_back(std::move(consumer));
    }
    return out;
}

void appendTotalsSchedules(TDataModule1& dm, bool ac, const QVariant& owner, const QString& load,
                           std::vector<TotalsSchedule>& out) {
    const Tables t = tablesOf(ac);
    QSqlQuery g =
        rowsOf(dm, QStringLiteral("Kod, SutGrafName, MonthName1, MonthName2"), t.schedules, owner);
    while (g.next()) {
        TotalsSchedule s;
        s.load = load;
        s.ac = ac;
        s.name = g.value(1).toString();
        s.from = g.value(2).toString();
        s.to = g.value(3).toString();
        QSqlQuery m = rowsOf(dm, QStringLiteral("MonthName"), t.monthly, g.value(0));
        while (m.next())
            s.months << m.value(0).toString();
        s.intervals = intervalsOf(dm, t, g.value(0));
        s.consumers = consumersOf(dm, t, g.value(0));
        out.push_back(std::move(s));
    }
}

} // namespace

std::vector<DaylightRow> infoDaylight(TDataModule1& dm, bool fromBook, int variantKod) {
    std::vector<DaylightRow> rows;
    QSqlQuery sun = fromBook
                        ? dm.store().select(QStringLiteral(
                              "SELECT MonthName, Voshod10, Zakat10 FROM sSun_day ORDER BY Kod"))
                        : rowsOf(dm, QStringLiteral("MonthName, Voshod10, Zakat10"),
                                 QStringLiteral("proj_sunday"), variantKod);
    while (sun.next())
        rows.push_back({sun.value(0).toString(), sun.value(1).toDouble(), sun.value(2).toDouble(),
                        std::nullopt});
    return rows;
}

TotalsInput readTotalsInput(TDataModule1& dm, int variantKod) {
    TotalsInput in;
    QSqlQuery p =
        dm.store().select(QStringLiteral("SELECT SutGr_Pnom_Time, SutGr_Pmax_Time FROM param"));
    if (p.next()) {
        if (!p.value(0).isNull())
            in.nomMinutes = p.value(0).toInt();
        if (!p.value(1).isNull())
            in.maxMinutes = p.value(1).toInt();
    }
    QSqlQuery sun = rowsOf(dm, QStringLiteral("MonthName, Voshod10, Zakat10, TempAB"),
                           QStringLiteral("proj_sunday"), variantKod);
    while (sun.next())
        in.daylight.push_back(
            {sun.value(0).toString(), sun.value(1).toDouble(), sun.value(2).toDouble(),
             sun.value(3).isNull() ? std::nullopt : std::optional(sun.value(3).toDouble())});
    QSqlQuery loads =
        rowsOf(dm, QStringLiteral("Kod, Nagr_Name"), QStringLiteral("proj_inv"), variantKod);
    while (loads.next())
        appendTotalsSchedules(dm, true, loads.value(0), loads.value(1).toString(), in.schedules);
    appendTotalsSchedules(dm, false, variantKod, kDcLoadName, in.schedules);
    return in;
}

std::vector<ChartSchedule> readChartSchedules(TDataModule1& dm, bool ac, int ownerKod) {
    const Tables t = tablesOf(ac);
    std::vector<ChartSchedule> out;
    QSqlQuery g =
        rowsOf(dm, QStringLiteral("Kod, SutGrafName, Wp_sut, Pnom30min, Pmax10min, Wp_pik"),
               t.schedules, ownerKod);
    while (g.next()) {
        ChartSchedule s;
        s.name = g.value(1).toString();
        s.wpSut = g.value(2).toDouble();
        s.pnom = g.value(3).toDouble();
        s.pmax = g.value(4).toDouble();
        s.wpPik = g.value(5).toDouble();
        // The chart labels the time axis with the cell texts as stored.
        for (const Interval& i : intervalsOf(dm, t, g.value(0)))
            s.intervals.push_back({numberToText(i.t1), numberToText(i.t2), numberToText(i.p)});
        QSqlQuery m = rowsOf(dm, QStringLiteral("MonthName, Wsut_dark"), t.monthly, g.value(0));
        while (m.next())
            s.months.push_back({m.value(0).toString(), m.value(1).toDouble()});
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace ses
