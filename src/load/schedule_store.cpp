#include "load/schedule_store.h"

#include "data/data_module.h"
#include "lib/battery_temp.h"
#include "lib/kinv.h"
#include "lib/numbers.h"

namespace ses {

namespace {

std::optional<double> number(View& v, const QString& column) {
    const Field f = v[column];
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

std::optional<double> numberAt(const View& v, int row, int column) {
    const QVariant x = v.valueAt(row, column);
    return x.isNull() ? std::nullopt : std::optional<double>(x.toDouble());
}

QString textAt(const View& v, int row, int column) {
    return v.valueAt(row, column).toString();
}

int col(const View& v, const char* name) {
    const int c = v.table().columnIndex(QString::fromLatin1(name));
    if (c < 0)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Таблица \"%1\": поле \"%2\" не найдено.")
                          .arg(v.name(), QString::fromLatin1(name)));
    return c;
}

void setNumber(Field f, const std::optional<double>& x) {
    if (x)
        f.setFloat(*x);
    else
        f.clear();
}

QString intervalsTable(bool ac) {
    return ac ? QStringLiteral("proj_graf1") : QStringLiteral("proj_graf12_1");
}

QString monthlyTable(bool ac) {
    return ac ? QStringLiteral("proj_gr_prm") : QStringLiteral("proj_gr12_prm");
}

IntervalTexts readIntervals(const View& v) {
    const int t1 = col(v, "T1"), t2 = col(v, "T2"), p = col(v, "P");
    IntervalTexts rows;
    for (int r = 0; r < v.recordCount(); ++r)
        rows.push_back({numberToText(numberAt(v, r, t1)), numberToText(numberAt(v, r, t2)),
                        numberToText(numberAt(v, r, p))});
    return rows;
}

bool appendIntervals(View& v, const IntervalTexts& rows) {
    for (const auto& row : rows) {
        if (!v.append())
            return false;
        v[QStringLiteral("T1")].setString(row[0]);
        v[QStringLiteral("T2")].setString(row[1]);
        v[QStringLiteral("P")].setString(row[2]);
        if (!v.post())
            return false;
    }
    return true;
}

void readRegion(TDataModule1& dm, ScheduleInputs& in) {
    View& regions = dm.tbl(QStringLiteral("region0"));
    const int name = col(regions, "Region");
    for (int r = 0; r < regions.recordCount(); ++r) {
        if (in.region.isEmpty() || textAt(regions, r, name) != in.region)
            continue;
        // The months are the detail of the current region: visit it and come back.
        const Bookmark back = regions.bookmark();
        if (!regions.moveTo(r))
            return;
        View& months = dm.tbl(QStringLiteral("region1"));
        const int m = col(months, "MonthName"), p = col(months, "P"), t = col(months, "Tsred"),
                  b = col(months, "B");
        for (int k = 0; k < months.recordCount(); ++k)
            in.regionMonths.push_back({textAt(months, k, m), numberAt(months, k, p).value_or(0),
                                       numberAt(months, k, t).value_or(0),
                                       numberAt(months, k, b).value_or(0)});
        regions.gotoBookmark(back);
        return;
    }
}

} // namespace

ScheduleInputs readScheduleInputs(TDataModule1& dm, bool ac) {
    ScheduleInputs in;
    View& param = dm.tblParam();
    if (!param.isEmpty()) {
        in.nomMinutes = number(param, QStringLiteral("SutGr_Pnom_Time")).value_or(30);
        in.maxMinutes = number(param, QStringLiteral("SutGr_Pmax_Time")).value_or(10);
    }
    View& var = dm.tblProj1();
    if (var.isEmpty())
        return in;
    // An empty divisor is read as 0, so that the computations name it instead of guessing.
    in.dailyCycle = var[QStringLiteral("SutCikl")].asBoolean();
    in.hoursWithoutSun = number(var, QStringLiteral("KolHourWithoutSun")).value_or(24);
    in.uses = number(var, QStringLiteral("Uses")).value_or(0);
    in.depthOfDischarge = number(var, QStringLiteral("GlubRazryad_AKB")).value_or(0);
    in.batteryLosses = number(var, QStringLiteral("Poteri_AKB")).value_or(0);
    in.controllerLosses = number(var, QStringLiteral("Poteri_Ctrl")).value_or(0);
    in.panelTemperature = var[QStringLiteral("UchetKdifP_SP")].asBoolean();
    in.kdifP = number(var, QStringLiteral("KdifP_SP")).value_or(0);
    in.kspSummer = number(var, QStringLiteral("Ksp_summer")).value_or(0);
    in.kspWinter = number(var, QStringLiteral("Ksp_winter")).value_or(0);
    in.region = var[QStringLiteral("Region")].asString();
    in.batteryType = var[QStringLiteral("Tip_AKB")].asString();
    if (in.batteryType.isEmpty())
        in.batteryType = var[QStringLiteral("DefTipAKB_Ctrl")].asString();
    if (ac) {
        View& loads = dm.tblProj_Inv();
        in.kinv = kinv(var[QStringLiteral("UseUserKpd_Inv")].asBoolean(),
                       number(var, QStringLiteral("UserKpd_Inv")),
                       loads.isEmpty() ? std::nullopt : number(loads, QStringLiteral("Kpd_Inv")));
    } else {
        in.kinv = 1;
    }

    View& sun = dm.tbl(QStringLiteral("proj_sunday"));
    const int m = col(sun, "MonthName"), v = col(sun, "Voshod10"), z = col(sun, "Zakat10"),
              t = col(sun, "TempAB");
    for (int r = 0; r < sun.recordCount(); ++r)
        in.daylight.push_back({textAt(sun, r, m), numberAt(sun, r, v).value_or(0),
                               numberAt(sun, r, z).value_or(0), numberAt(sun, r, t)});

    readRegion(dm, in);

    View& coefs = dm.tbl(usesLeadAcidTable(in.batteryType) ? QStringLiteral("Ktemp")
                                                           : QStringLiteral("Ktemp1"));
    const int ct = col(coefs, "T"), ck = col(coefs, "K");
    for (int r = 0; r < coefs.recordCount(); ++r) {
        const auto tt = numberAt(coefs, r, ct), kk = numberAt(coefs, r, ck);
        if (tt && kk)
            in.tempCoefficients.push_back({*tt, *kk});
    }
    return in;
}

ScheduleInputs tourScheduleInputs(TDataModule1& dm, bool ac) {
    ScheduleInputs in = readScheduleInputs(dm, ac);
    if (!in.daylight.empty())
        return in;
    View& sun = dm.tbl(QStringLiteral("sSun_day"));
    View& temps = dm.tbl(QStringLiteral("sTempAB1"));
    const int m = col(sun, "MonthName"), v = col(sun, "Voshod10"), z = col(sun, "Zakat10");
    const int tm = col(temps, "MonthName"), tt = col(temps, "TempAB");
    for (int r = 0; r < sun.recordCount(); ++r) {
        DaylightRow row{textAt(sun, r, m), numberAt(sun, r, v).value_or(0),
                        numberAt(sun, r, z).value_or(0), std::nullopt};
        for (int k = 0; k < temps.recordCount(); ++k)
            if (textAt(temps, k, tm) == row.month)
                row.batteryTemp = numberAt(temps, k, tt);
        in.daylight.push_back(row);
    }
    return in;
}

std::vector<OtherSchedule> otherSchedules(View& schedules, bool editing) {
    const int n = col(schedules, "SutGrafName"), f = col(schedules, "MonthName1"),
              t = col(schedules, "MonthName2");
    std::vector<OtherSchedule> others;
    for (int r = 0; r < schedules.recordCount(); ++r)
        if (!(editing && r == schedules.recNo()))
            others.push_back(
                {textAt(schedules, r, n), textAt(schedules, r, f), textAt(schedules, r, t)});
    return others;
}

bool storeSchedule(TDataModule1& dm, View& schedules, bool ac, bool editing,
                   const ScheduleDraft& d) {
    View& intervals = dm.tbl(intervalsTable(ac));
    View& monthly = dm.tbl(monthlyTable(ac));
    // A refused or failed row leaves its view in editing: the rollback cancels it and rereads
    // the views.
    Transaction tr(dm.store(), {&monthly, &intervals, &schedules});
    try {
        if (!(editing ? schedules.edit() : schedules.append()))
            return false;
        schedules[QStringLiteral("SutGrafName")].setString(d.name);
        schedules[QStringLiteral("MonthName1")].setString(d.from);
        schedules[QStringLiteral("MonthName2")].setString(d.to);
        setNumber(schedules[QStringLiteral("Wp_sut")], d.wpSut);
        setNumber(schedules[QStringLiteral("Pnom30min")], d.pnom);
        setNumber(schedules[QStringLiteral("Pmax10min")], d.pmax);
        setNumber(schedules[QStringLiteral("Wp_pik")], d.peak);
        if (ac)
            schedules[QStringLiteral("ClearSinus")].setBoolean(d.clearSinus);
        if (!schedules.post())
            return false;
        // The details now follow the posted row.
        if (!d.intervals.empty())
            if (!intervals.removeAll() || !appendIntervals(intervals, d.intervals))
                return false;
        if (!monthly.removeAll())
            return false;
        for (const MonthlyRow& row : d.monthly) {
            if (!monthly.append())
                return false;
            monthly[QStringLiteral("MonthName")].setString(row.month);
            monthly[QStringLiteral("Period_dark")].setString(row.periodDark);
            monthly[QStringLiteral("Tsut_dark")].setFloat(row.tsutDark);
            monthly[QStringLiteral("Wsut_dark")].setFloat(row.wsutDark);
            monthly[QStringLiteral("Tmax_dark")].setFloat(row.tmaxDark);
            monthly[QStringLiteral("Wmax_dark")].setFloat(row.wmaxDark);
            setNumber(monthly[QStringLiteral("Takb")], row.takb);
            monthly[QStringLiteral("Ktemp_akb")].setFloat(row.ktemp);
            setNumber(monthly[QStringLiteral("Cakb")], row.cakb);
            monthly[QStringLiteral("UrovRad")].setFloat(row.radiation);
            monthly[QStringLiteral("Tsred")].setFloat(row.tsred);
            monthly[QStringLiteral("Bopt")].setFloat(row.tilt);
            monthly[QStringLiteral("Ksp")].setFloat(row.ksp);
            setNumber(monthly[QStringLiteral("Psb")], row.psb);
            if (!monthly.post())
                return false;
        }
        tr.commit();
        return true;
    } catch (const DbError& e) {
        dm.prompter().error(e.message());
        return false;
    }
}

ScheduleDraft loadSchedule(TDataModule1& dm, View& schedules, bool ac) {
    ScheduleDraft d;
    if (schedules.isEmpty())
        return d;
    d.name = schedules[QStringLiteral("SutGrafName")].asString();
    d.from = schedules[QStringLiteral("MonthName1")].asString();
    d.to = schedules[QStringLiteral("MonthName2")].asString();
    d.wpSut = number(schedules, QStringLiteral("Wp_sut"));
    d.pnom = number(schedules, QStringLiteral("Pnom30min"));
    d.pmax = number(schedules, QStringLiteral("Pmax10min"));
    d.peak = number(schedules, QStringLiteral("Wp_pik"));
    d.clearSinus = ac && schedules[QStringLiteral("ClearSinus")].asBoolean();
    d.intervals = readIntervals(dm.tbl(intervalsTable(ac)));
    const View& m = dm.tbl(monthlyTable(ac));
    for (int r = 0; r < m.recordCount(); ++r) {
        MonthlyRow row;
        row.month = textAt(m, r, col(m, "MonthName"));
        row.periodDark = textAt(m, r, col(m, "Period_dark"));
        row.tsutDark = numberAt(m, r, col(m, "Tsut_dark")).value_or(0);
        row.wsutDark = numberAt(m, r, col(m, "Wsut_dark")).value_or(0);
        row.tmaxDark = numberAt(m, r, col(m, "Tmax_dark")).value_or(0);
        row.wmaxDark = numberAt(m, r, col(m, "Wmax_dark")).value_or(0);
        row.takb = numberAt(m, r, col(m, "Takb"));
        row.ktemp = numberAt(m, r, col(m, "Ktemp_akb")).value_or(0);
        row.cakb = numberAt(m, r, col(m, "Cakb"));
        row.radiation = numberAt(m, r, col(m, "UrovRad")).value_or(0);
        row.tsred = numberAt(m, r, col(m, "Tsred")).value_or(0);
        row.tilt = numberAt(m, r, col(m, "Bopt")).value_or(0);
        row.ksp = numberAt(m, r, col(m, "Ksp")).value_or(0);
        row.psb = numberAt(m, r, col(m, "Psb"));
        d.monthly.push_back(row);
    }
    return d;
}

QStringList bookSections(TDataModule1& dm) {
    const View& sections = dm.tbl(QStringLiteral("sSut"));
    const int c = col(sections, "Razdel");
    QStringList names;
    for (int r = 0; r < sections.recordCount(); ++r)
        names << textAt(sections, r, c);
    return names;
}

IntervalTexts bookIntervals(TDataModule1& dm) {
    return readIntervals(dm.tbl(QStringLiteral("sSut1")));
}

bool saveToBook(TDataModule1& dm, const QString& section, const QString& name,
                const IntervalTexts& intervals, const ScheduleParams& figures) {
    View& sections = dm.tbl(QStringLiteral("sSut"));
    View& schedules = dm.tbl(QStringLiteral("sSut0"));
    View& rows = dm.tbl(QStringLiteral("sSut1"));
    Transaction tr(dm.store(), {&rows, &schedules, &sections});
    try {
        if (!sections.locate(QStringLiteral("Razdel"), section)) {
            if (!sections.append())
                return false;
            sections[QStringLiteral("Razdel")].setString(section);
            if (!sections.post())
                return false;
        }
        if (!schedules.append())
            return false;
        schedules[QStringLiteral("Name")].setString(name);
        schedules[QStringLiteral("Wp_sut")].setFloat(figures.wpSut);
        schedules[QStringLiteral("Pnom30min")].setFloat(figures.pnom);
        schedules[QStringLiteral("Pmax10min")].setFloat(figures.pmax);
        if (!schedules.post() || !appendIntervals(rows, intervals))
            return false;
        tr.commit();
        return true;
    } catch (const DbError& e) {
        dm.prompter().error(e.message());
        return false;
    }
}

bool replaceBookSchedule(TDataModule1& dm, const IntervalTexts& intervals,
                         const ScheduleParams& figures) {
    View& schedules = dm.tbl(QStringLiteral("sSut0"));
    View& rows = dm.tbl(QStringLiteral("sSut1"));
    if (schedules.isEmpty())
        return false;
    Transaction tr(dm.store(), {&rows, &schedules});
    try {
        if (!schedules.edit())
            return false;
        schedules[QStringLiteral("Wp_sut")].setFloat(figures.wpSut);
        schedules[QStringLiteral("Pnom30min")].setFloat(figures.pnom);
        schedules[QStringLiteral("Pmax10min")].setFloat(figures.pmax);
        if (!schedules.post() || !rows.removeAll() || !appendIntervals(rows, intervals))
            return false;
        tr.commit();
        rows.first();
        return true;
    } catch (const DbError& e) {
        dm.prompter().error(e.message());
        return false;
    }
}

} // namespace ses
