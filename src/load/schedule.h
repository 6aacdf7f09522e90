#pragma once
// Computations on a daily load schedule: the interval test, the schedule's energy and powers,
// the energy drawn in the hours without sun, the twelve monthly rows, the month-range check
// between the schedules of one load, and the data of the step chart. Plain values in, plain
// values out: no store, no windows.

#include "lib/battery_temp.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace ses {

// One interval of a schedule: power p (W) drawn from hour t1 to hour t2.
struct Interval {
    double t1 = 0, t2 = 0, p = 0;
};

// The interval table as the user typed it: rows of T1, T2, P texts.
using IntervalTexts = std::vector<std::array<QString, 3>>;

struct IntervalTestResult {
    bool ok = true;
    QString message;
    int column = -1; // 0 = T1, 1 = T2, 2 = P
    int row = -1;
};
// The interval test, rules in order, cells scanned column by column.
IntervalTestResult testIntervals(const IntervalTexts& rows);
// The intervals of a table that passed the test.
std::vector<Interval> parseIntervals(const IntervalTexts& rows);

struct ScheduleParams {
    double wpSut = 0; // W*h
    double pnom = 0;  // W
    double pmax = 0;  // W
};
// Daily energy and nominal and maximum powers; nomMinutes and maxMinutes are the two windows.
// The triple-list form (stored schedules) also rounds the powers to whole watts.
enum class ScheduleForm { Table, TripleList };
ScheduleParams scheduleParameters(const std::vector<Interval>& intervals, int nomMinutes,
                                  int maxMinutes, ScheduleForm form = ScheduleForm::Table);

using Period = std::pair<double, double>; // [from, to] hours

// Inserts x among ascending time points unless a point equal at 0,001 h is there already.
void insertTimePoint(std::vector<double>& points, double x);

// Adds a schedule's intervals, each power divided by divisor, to a profile: the result covers
// 0 to 24 hours with a segment between every two neighbouring time points of either, each
// carrying the power of every row of both that covers it (hours compared at 0,001 h). The
// superposition of schedules and the battery's load profile both build on it. An empty interval
// table leaves the profile as it is.
std::vector<Interval> mergeIntoProfile(const std::vector<Interval>& profile,
                                       const std::vector<Interval>& intervals, double divisor);
// Energy (W*h) the schedule draws inside the periods; each interval's share rounded to whole W*h.
double darkEnergy(const std::vector<Interval>& intervals, const std::vector<Period>& periods);

// What the monthly rows read from the variant, its day-light table and the catalogs.
struct DaylightRow {
    QString month;
    double sunrise = 0;                // Voshod10, hours
    double sunset = 0;                 // Zakat10, hours
    std::optional<double> batteryTemp; // TempAB, degrees C
};
struct RegionMonth {
    QString month;
    double radiation = 0; // P, kW*h/(m2*day)
    double tsred = 0;     // degrees C
    double tilt = 0;      // B, degrees
};
struct MonthlyInputs {
    int nomMinutes = 30, maxMinutes = 10; // param.SutGr_Pnom_Time, SutGr_Pmax_Time
    bool dailyCycle = true;               // SutCikl
    double hoursWithoutSun = 24;          // KolHourWithoutSun, K
    double uses = 24;                     // system voltage, V
    double depthOfDischarge = 30;         // GlubRazryad_AKB, %
    double batteryLosses = 20;            // Poteri_AKB, %
    double controllerLosses = 10;         // Poteri_Ctrl, %
    bool panelTemperature = false;        // UchetKdifP_SP
    double kdifP = -0.47;                 // KdifP_SP, %/degree
    double kspSummer = 0.5, kspWinter = 0.7;
    double kinv = 1;                           // inverter efficiency of an AC load, 1 for DC
    QString region;                            // for messages
    std::vector<DaylightRow> daylight;         // the variant's proj_sunday rows
    std::vector<RegionMonth> regionMonths;     // empty when the region is not in the catalog
    std::vector<TempCoefRow> tempCoefficients; // the table for the battery type
};

// One monthly row, its fourteen columns in order.
struct MonthlyRow {
    QString month;
    QString periodDark;  // "0 - V; Z - 24"
    double tsutDark = 0; // hours
    double wsutDark = 0; // W*h
    double tmaxDark = 0; // hours
    double wmaxDark = 0; // W*h
    std::optional<double> takb;
    double ktemp = 0;
    std::optional<double> cakb; // A*h; empty when it cannot be computed
    double radiation = 0, tsred = 0, tilt = 0;
    double ksp = 0;
    std::optional<double> psb; // W; empty when it cannot be computed
    QStringList texts() const; // the fourteen cell texts
};

struct MonthlyResult {
    ScheduleParams params;
    std::vector<MonthlyRow> rows;
    QStringList problems; // what kept a figure empty, one message each
};
MonthlyResult monthlyRows(const std::vector<Interval>& intervals, const QString& from,
                          const QString& to, const MonthlyInputs& in);

// The steps both kinds of schedule share once a month's dark-time energies are known: battery
// temperature and coefficient, capacity, region data, seasonal coefficient and panel power.
// `carry` holds the region figures of the previous month of the build, used when a month has
// none; every reason a figure stays empty is added to `problems` once.
struct RegionCarry {
    double radiation = 0, tsred = 0, tilt = 0;
};
void completeMonthlyRow(MonthlyRow& row, double wpSut, const MonthlyInputs& in, RegionCarry& carry,
                        QStringList& problems);
// What in the inputs keeps the capacity or the panel power from being computed at all.
void monthlyInputProblems(const MonthlyInputs& in, QStringList& problems);

// The fourteen column headers of the monthly table and the lines of its note.
const QStringList& monthlyHeaders();
const QStringList& monthlyNoteLines();

struct OtherSchedule {
    QString name, from, to;
};
// Empty when the range [from, to] overlaps none of the others; else the refusal message.
std::optional<QString> monthRangeConflict(const QString& from, const QString& to,
                                          const std::vector<OtherSchedule>& others);

// The step chart: two points per interval, labelled with the cell texts of T1 and T2.
struct ChartPoint {
    double t = 0, p = 0;
    QString label;
};
std::vector<ChartPoint> stepChartPoints(const IntervalTexts& rows);

} // namespace ses
