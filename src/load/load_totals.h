#pragma once
// The load of a station month by month and the information on one schedule built from
// consumers: the consumer table with its shares, the combined schedule of the month, the detail
// and peak tables with a kind per cell, the remarks on simultaneous operation and starts, the
// current time of the interval picture and the consumers running at it. Plain values in, plain
// values out: the windows show these texts as they are.

#include "load/consumers.h"
#include "load/schedule.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace ses {

// The load name of the DC schedules.
inline const QString kDcLoadName = QStringLiteral("Нагрузка АБ");

// One schedule as the totals read it.
struct TotalsSchedule {
    QString load; // the AC load's Nagr_Name, kDcLoadName for a DC schedule
    QString name; // SutGrafName
    bool ac = true;
    QString from = QStringLiteral("январь"), to = QStringLiteral("декабрь");
    QStringList months;              // MonthName of its monthly rows, in stored order
    std::vector<Interval> intervals; // its interval table
    std::vector<Consumer> consumers; // with their periods; none unless built from consumers
};

// What the monthly window reads of a variant.
struct TotalsInput {
    std::vector<TotalsSchedule> schedules; // AC loads in stored order, then the DC schedules
    std::vector<DaylightRow> daylight;     // proj_sunday
    int nomMinutes = 30, maxMinutes = 10;  // param.SutGr_Pnom_Time, SutGr_Pmax_Time
};

// The two windows differ in their leading columns and in one remark text.
enum class TotalsWindow { Monthly, Information };

// ------------------------------------------------------------------ month and sources

// Every month named in a monthly row of any schedule, in calendar order.
QStringList totalsMonths(const std::vector<TotalsSchedule>& schedules);
// The schedules whose month range holds the month: the AC ones, then the DC ones, each in
// stored order.
std::vector<TotalsSchedule> monthSources(const std::vector<TotalsSchedule>& schedules,
                                         const QString& month);
// The day-light row of the month, or nullptr.
const DaylightRow* daylightOf(const std::vector<DaylightRow>& rows, const QString& month);

// The time points of the consumers' periods: each distinct T1 and T2 once (at 0,001 h),
// ascending, with 0 and 24 added when missing. Empty without any period.
std::vector<double> consumerTimePoints(const std::vector<TotalsSchedule>& sources);

// ------------------------------------------------------------------ consumer table

struct ConsumerRow {
    QString load, schedule, name;
    QString pnom;      // " Рном., Вт": SPnom as stored
    QString pnomShare; // " Рном., %": "0.##"
    QString wsut;      // " Wсут., Вт*ч": whole W*h
    QString wsutShare; // " Wсут., %": "0.##"
};

struct ConsumerTable {
    std::vector<ConsumerRow> rows; // one per consumer, load by load, schedule by schedule
    // "Итого" in the name column with the two sums; absent without any consumer.
    std::optional<ConsumerRow> total;
    double installedPower = 0;     // the whole-watt sum of SPnom
    std::vector<double> pnomShare; // the shares as numbers (the "0.##" texts read back)
};
// The headers of the consumer table; the information window has no load and schedule columns.
QStringList consumerTableHeaders(TotalsWindow window);
// A share of a total; a total of 0 gives a share of 0.
double sharePercent(double value, double total);
ConsumerTable consumerTable(const std::vector<TotalsSchedule>& sources);

// ------------------------------------------------------------------ combined schedule

struct CombinedSchedule {
    std::vector<Interval> intervals; // empty when no source has an interval
    std::optional<ScheduleParams> params; // "Wсут., Вт*ч:", "Рном., Вт:", "Рмакс., Вт:"
    std::optional<double> darkEnergy; // "Wбс, Вт*ч:"; empty too without a day-light row
    IntervalTexts texts() const;      // the rows "Т1", "Т2", "Pном." as shown
};
// The superposition of the sources' interval tables in turn (mergeIntoProfile), with the
// schedule figures of the result and its energy in [0, V] and [Z, 24] of the day-light row.
CombinedSchedule combinedSchedule(const std::vector<TotalsSchedule>& sources,
                                  const DaylightRow* daylight, int nomMinutes, int maxMinutes);

// ------------------------------------------------------------------ detail tables

// What a cell of the schedule and peak detail shows, which decides its background.
enum class CellKind {
    Empty,        // a consumer switched off
    Nominal,      // a consumer's nominal power
    PeakEqual,    // a consumer's peak power equal to its nominal power (peak detail)
    PeakAbove,    // a consumer's peak power above its nominal power (peak detail)
    TotalNominal, // a total equal to the schedule's nominal power (schedule detail)
    TotalMaximum, // a total equal to the schedule's maximum power (schedule detail)
    TotalPeak,    // a total equal to the peak figure (peak detail)
    Total,        // any other total
};
// The background as 0xRRGGBB; nullopt for the system window colour (empty cells).
std::optional<unsigned> cellBackground(CellKind kind);

struct DetailCell {
    QString text;
    CellKind kind = CellKind::Empty;
};
struct DetailRow {
    QString load, schedule, name;
    std::vector<DetailCell> cells;
};
struct DetailTable {
    QStringList columns;         // "{t1} - {t2}" (schedule detail) or "{t}" (peak detail)
    std::vector<double> from;    // per column: t1 (schedule detail) or the moment (peak detail)
    std::vector<double> to;      // per column: t2; the moment again in the peak detail
    std::vector<DetailRow> rows; // one per consumer
    DetailRow total;             // "Итого" in the name column
    bool empty() const { return columns.isEmpty(); }
};
// The leading headers: "Нагрузка", "Суточный график" (monthly window only) and
// "Наименование электроприемника / Время, час.".
QStringList detailLeadHeaders(TotalsWindow window);

// Legend lines of the two detail tables, each with the kind whose colour it explains.
struct LegendLine {
    CellKind kind;
    QString text;
};
const std::vector<LegendLine>& scheduleDetailLegend();
const std::vector<LegendLine>& peakDetailLegend();

// Each consumer's SPnom in each elementary interval its periods cover, and the column sums. A
// sum equal to the schedule's maximum power is TotalMaximum, else one equal to its nominal power
// TotalNominal (when the two are equal the maximum wins), else Total.
DetailTable scheduleDetail(const std::vector<TotalsSchedule>& sources, std::optional<double> pnom,
                           std::optional<double> pmax);

// ------------------------------------------------------------------ peaks

struct PeakRow {
    double t = 0;    // a switch-on moment, hours
    double load = 0; // W: SPpik of the periods starting then plus SPnom of those running through
};
// Every distinct T1 of the periods, ascending, with its load (summed without rounding).
std::vector<PeakRow> peakTable(const std::vector<TotalsSchedule>& sources);
// The largest load of the peak table ("Рпик., Вт:"); 0 without any row.
double peakFigure(const std::vector<PeakRow>& peaks);
// At each of a consumer's starts its SPpik (PeakEqual or PeakAbove), at moments inside one of
// its periods its SPnom; a column sum whose text equals that of peak is TotalPeak.
DetailTable peakDetail(const std::vector<TotalsSchedule>& sources, double peak);

// ------------------------------------------------------------------ remarks

enum class RemarkMode { Manual, Automatic, Any };
// "ручной", "автоматический", "любой": the choices of both mode lists, in this order.
const QStringList& remarkModeTexts();
QString remarkModeText(RemarkMode mode);

// The page "Параметры" with its defaults.
struct RemarkParams {
    int nPik = 1;
    bool startCheck = true;
    RemarkMode startMode = RemarkMode::Any;
    int nNom = 1;
    bool operationCheck = true;
    RemarkMode operationMode = RemarkMode::Manual;
    bool startWhileRunningCheck = true;
    int bigShare = 10; // %
};

// P_big: share * installed power / 100 at 0,01 W, and its text ("0.##") for the read-only field.
double bigPower(int share, double installedPower);
QString bigPowerText(int share, double installedPower);

struct PeakRemark {
    double t = 0;
    QString text;
};
// Starts of more than N_pik consumers whose peak exceeds their nominal power, at one moment.
// Empty when the start check is off.
std::vector<PeakRemark> peakRemarks(const std::vector<TotalsSchedule>& sources,
                                    const RemarkParams& params, TotalsWindow window);

struct ScheduleRemark {
    double t1 = 0, t2 = 0;
    QString text;
};
struct ScheduleRemarks {
    std::vector<ScheduleRemark> rows;
    std::optional<QString> error; // the consumer table has no total
};
// More than N_nom big consumers working at once, and big starts while other big consumers
// work. Both checks off: no rows and no error.
ScheduleRemarks scheduleRemarks(const std::vector<TotalsSchedule>& sources,
                                const ConsumerTable& consumers, const RemarkParams& params);

// The detail column a remark refers to ("Найти"): the column headed "{T1} - {T2}" or headed by
// the moment; -1 when there is none.
int remarkColumn(const DetailTable& scheduleDetail, const ScheduleRemark& remark);
int remarkColumn(const DetailTable& peakDetail, const PeakRemark& remark);

// ------------------------------------------------------------------ current time

// The picture's left margin, pixels; an hour is 12 * scale pixels.
inline constexpr int kPictureMargin = 10;
// The time under pixel column x at the scale: (x - 10) / (12 * scale) at 0,001 h, within 0..24.
double timeAtPixel(double x, int scale);
double pixelAtTime(double t, int scale);
// "{h}:{mm}": the time rounded to whole minutes, then split (7,999 gives "8:00").
QString hoursMinutes(double t);

struct RunningConsumer {
    QString load, schedule, name;
    QString pnom; // " Рном., Вт"
    QString ppik; // " Рпик., Вт": only when t is a switch-on moment
};
struct RunningConsumers {
    std::vector<RunningConsumer> rows;
    QString nominalTotal; // "Рном., Вт:"; empty when "0" or no interval holds t
    QString peakTotal;    // "Рпик., Вт:"; empty unless t is a switch-on moment
};
// The consumers with a value in the schedule detail's column whose interval holds t
// (t1 <= t < t2), with their peak column when t is a moment of the peak detail.
RunningConsumers runningAt(const DetailTable& scheduleDetail, const DetailTable& peakDetail,
                           double t);

// ------------------------------------------------------------------ everything of a month

struct MonthTotals {
    std::vector<TotalsSchedule> sources;
    ConsumerTable consumers;
    CombinedSchedule combined;
    DetailTable detail;
    ScheduleRemarks scheduleRemarks;
    std::vector<PeakRow> peaks;
    double peak = 0;
    DetailTable peakDetail;
    std::vector<PeakRemark> peakRemarks;
};
// The monthly window's tables for a month, in the order it fills them.
MonthTotals monthTotals(const TotalsInput& in, const QString& month, const RemarkParams& params);
// The information window's tables for one schedule: its own interval table with the handed-over
// nominal and maximum powers.
MonthTotals scheduleTotals(const TotalsSchedule& schedule, std::optional<double> pnom,
                           std::optional<double> pmax, const RemarkParams& params);

} // namespace ses
