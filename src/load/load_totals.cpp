#include "load/load_totals.h"

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

QString text2(double x) {
    return formatPattern(x, QStringLiteral("0.##"));
}

// A peak above the nominal power, compared as catalog ratings are.
bool peakAbove(const Consumer& c) {
    return !notAbove(c.sppik, c.spnom);
}

bool modeMatches(const Consumer& c, RemarkMode mode) {
    return mode == RemarkMode::Any || c.rejim.trimmed() == remarkModeText(mode);
}

// Distinct values at 0,001 h, ascending.
std::vector<double> distinctHours(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::vector<double> out;
    for (double x : v)
        if (out.empty() || h3(out.back()) != h3(x))
            out.push_back(x);
    return out;
}

// The consumers of the sources with the schedule each belongs to, in row order.
template <typename F> void forEachConsumer(const std::vector<TotalsSchedule>& sources, F f) {
    for (const TotalsSchedule& s : sources)
        for (const Consumer& c : s.consumers)
            f(s, c);
}

DetailRow leadOf(const TotalsSchedule& s, const Consumer& c, size_t columns) {
    DetailRow row{s.load, s.name, c.name, {}};
    row.cells.resize(columns);
    return row;
}

} // namespace

// ------------------------------------------------------------------ month and sources

QStringList totalsMonths(const std::vector<TotalsSchedule>& schedules) {
    QStringList months;
    for (const QString& m : monthNames())
        if (std::any_of(schedules.begin(), schedules.end(),
                        [&](const TotalsSchedule& s) { return s.months.contains(m); }))
            months << m;
    return months;
}

std::vector<TotalsSchedule> monthSources(const std::vector<TotalsSchedule>& schedules,
                                         const QString& month) {
    std::vector<TotalsSchedule> out;
    for (const bool ac : {true, false})
        for (const TotalsSchedule& s : schedules)
            if (s.ac == ac && monthInRange(month, s.from, s.to))
                out.push_back(s);
    return out;
}

const DaylightRow* daylightOf(const std::vector<DaylightRow>& rows, const QString& month) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const DaylightRow& r) { return r.month == month; });
    return it == rows.end() ? nullptr : &*it;
}

std::vector<double> consumerTimePoints(const std::vector<TotalsSchedule>& sources) {
    std::vector<double> points;
    forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
        for (const ConsumerPeriod& p : c.periods) {
            points.push_back(p.t1);
            points.push_back(p.t2);
        }
    });
    if (points.empty())
        return {};
    points = distinctHours(std::move(points));
    if (h3(points.front()) > 0)
        points.insert(points.begin(), 0);
    if (h3(points.back()) < 24)
        points.push_back(24);
    return points;
}

// ------------------------------------------------------------------ consumer table

QStringList consumerTableHeaders(TotalsWindow window) {
    if (window == TotalsWindow::Information)
        return {QStringLiteral("Наименование электроприемника"), QStringLiteral(" Рном., Вт"),
                QStringLiteral(" Рном., %"), QStringLiteral(" Wсут., Вт*ч"),
                QStringLiteral(" Wсут., %")};
    return {QStringLiteral("Нагрузка"),        QStringLiteral("Суточный график"),
            QStringLiteral("Электроприемник"), QStringLiteral(" Рном., Вт"),
            QStringLiteral(" Рном., %"),       QStringLiteral(" Wсут., Вт*ч"),
            QStringLiteral(" Wсут., %")};
}

double sharePercent(double value, double total) {
    // No consumer draws anything (or none has a period): every share is 0, never a quotient by 0.
    if (total == 0)
        return 0;
    return value / total * 100;
}

ConsumerTable consumerTable(const std::vector<TotalsSchedule>& sources) {
    ConsumerTable t;
    std::vector<double> energies;
    double powerSum = 0, energySum = 0;
    forEachConsumer(sources, [&](const TotalsSchedule& s, const Consumer& c) {
        double energy = 0;
        for (const ConsumerPeriod& p : c.periods)
            energy += roundPattern(c.spnom * (p.t2 - p.t1), QStringLiteral("0.###"));
        energy = roundHalfAway(energy, 0);
        energies.push_back(energy);
        powerSum += c.spnom;
        energySum += energy;
        t.rows.push_back(
            {s.load, s.name, c.name, numberToText(c.spnom), {}, numberToText(energy), {}});
    });
    if (t.rows.empty())
        return t;
    const double power = roundHalfAway(powerSum, 0), energy = roundHalfAway(energySum, 0);
    t.installedPower = power;
    size_t i = 0;
    forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
        ConsumerRow& row = t.rows[i];
        row.pnomShare = text2(sharePercent(c.spnom, power));
        row.wsutShare = text2(sharePercent(energies[i], energy));
        t.pnomShare.push_back(*parseNumber(row.pnomShare));
        ++i;
    });
    t.total = ConsumerRow{
        {}, {}, QStringLiteral("Итого"), numberToText(power), {}, numberToText(energy), {}};
    return t;
}

// ------------------------------------------------------------------ combined schedule

IntervalTexts CombinedSchedule::texts() const {
    IntervalTexts rows;
    rows.reserve(intervals.size());
    for (const Interval& i : intervals)
        rows.push_back({numberToText(i.t1), numberToText(i.t2), numberToText(i.p)});
    return rows;
}

CombinedSchedule combinedSchedule(const std::vector<TotalsSchedule>& sources,
                                  const DaylightRow* daylight, int nomMinutes, int maxMinutes) {
    CombinedSchedule c;
    for (const TotalsSchedule& s : sources)
        c.intervals = mergeIntoProfile(c.intervals, s.intervals, 1);
    if (c.intervals.empty())
        return c;
    c.params = scheduleParameters(c.intervals, nomMinutes, maxMinutes);
    if (daylight)
        c.darkEnergy = darkEnergy(c.intervals, {{0, daylight->sunrise}, {daylight->sunset, 24}});
    return c;
}

// ------------------------------------------------------------------ detail tables

std::optional<unsigned> cellBackground(CellKind kind) {
    switch (kind) {
    case CellKind::Nominal:
        return 0xC0DCC0; // 192, 220, 192
    case CellKind::PeakEqual:
        return 0xA6CAF0; // 166, 202, 240
    case CellKind::PeakAbove:
    case CellKind::TotalMaximum:
        return 0x00FFFF;
    case CellKind::TotalNominal:
    case CellKind::TotalPeak:
        return 0x00FF00;
    case CellKind::Total:
        return 0xFFFF00;
    case CellKind::Empty:
        break;
    }
    return std::nullopt;
}

QStringList detailLeadHeaders(TotalsWindow window) {
    const QString name = QStringLiteral("Наименование электроприемника / Время, час.");
    if (window == TotalsWindow::Information)
        return {name};
    return {QStringLiteral("Нагрузка"), QStringLiteral("Суточный график"), name};
}

const std::vector<LegendLine>& scheduleDetailLegend() {
    static const std::vector<LegendLine> lines{
        {CellKind::Nominal, QStringLiteral("- значение номинальной мощности электроприемника")},
        {CellKind::TotalNominal,
         QStringLiteral("- значение номинальной выходной мощности суточного графика")},
        {CellKind::TotalMaximum,
         QStringLiteral("- значение максимальной выходной мощности суточного графика")},
        {CellKind::Total, QStringLiteral("- значение выходной мощности суточного графика")},
        {CellKind::Empty,
         QStringLiteral("- пустая ячейка, соответствующая отключенному электроприемнику")},
    };
    return lines;
}

const std::vector<LegendLine>& peakDetailLegend() {
    static const std::vector<LegendLine> lines{
        {CellKind::Nominal, QStringLiteral("- значение номинальной мощности электроприемника")},
        {CellKind::PeakEqual, QStringLiteral("- значение пиковой мощности электроприемника, "
                                             "равное значению   его номинальной мощности")},
        {CellKind::PeakAbove,
         QStringLiteral("- значение пиковой мощности электроприемника, превышающее     значение "
                        "его номинальной мощности")},
        {CellKind::TotalPeak,
         QStringLiteral("- максимальное значение пиковой мощности суточного графика")},
        {CellKind::Total, QStringLiteral("- значение пиковой мощности суточного графика")},
        {CellKind::Empty,
         QStringLiteral("- пустая ячейка, соответствующая отключенному электроприемнику")},
    };
    return lines;
}

DetailTable scheduleDetail(const std::vector<TotalsSchedule>& sources, std::optional<double> pnom,
                           std::optional<double> pmax) {
    DetailTable t;
    const std::vector<double> points = consumerTimePoints(sources);
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        t.columns << numberToText(points[k]) + QStringLiteral(" - ") + numberToText(points[k + 1]);
        t.from.push_back(points[k]);
        t.to.push_back(points[k + 1]);
    }
    const size_t n = t.from.size();
    std::vector<double> sums(n, 0.0);
    forEachConsumer(sources, [&](const TotalsSchedule& s, const Consumer& c) {
        DetailRow row = leadOf(s, c, n);
        for (size_t k = 0; k < n; ++k) {
            const bool on = std::any_of(c.periods.begin(), c.periods.end(), [&](const auto& p) {
                return h3(p.t1) <= h3(t.from[k]) && h3(p.t2) >= h3(t.to[k]);
            });
            if (on) {
                row.cells[k] = {numberToText(c.spnom), CellKind::Nominal};
                sums[k] += c.spnom;
            }
        }
        t.rows.push_back(std::move(row));
    });
    t.total.name = QStringLiteral("Итого");
    for (size_t k = 0; k < n; ++k) {
        // A schedule with one level has Рном = Рмакс: its cells are marked as the maximum.
        CellKind kind = CellKind::Total;
        if (pmax && sameValue(sums[k], *pmax))
            kind = CellKind::TotalMaximum;
        else if (pnom && sameValue(sums[k], *pnom))
            kind = CellKind::TotalNominal;
        t.total.cells.push_back({numberToText(sums[k]), kind});
    }
    return t;
}

// ------------------------------------------------------------------ peaks

namespace {

std::vector<double> switchOnMoments(const std::vector<TotalsSchedule>& sources) {
    std::vector<double> moments;
    forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
        for (const ConsumerPeriod& p : c.periods)
            moments.push_back(p.t1);
    });
    return distinctHours(std::move(moments));
}

// What a consumer draws at a switch-on moment: its peak when one of its periods starts then,
// its nominal power when one runs through it, nothing otherwise.
enum class AtMoment { Off, Start, Running };
AtMoment stateAt(const Consumer& c, double t) {
    const double t3 = h3(t);
    AtMoment state = AtMoment::Off;
    for (const ConsumerPeriod& p : c.periods) {
        if (h3(p.t1) == t3)
            return AtMoment::Start;
        if (h3(p.t1) < t3 && t3 < h3(p.t2))
            state = AtMoment::Running;
    }
    return state;
}

} // namespace

std::vector<PeakRow> peakTable(const std::vector<TotalsSchedule>& sources) {
    std::vector<PeakRow> rows;
    for (double t : switchOnMoments(sources)) {
        double load = 0;
        forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
            const double t3 = h3(t);
            for (const ConsumerPeriod& p : c.periods) {
                if (h3(p.t1) == t3)
                    load += c.sppik;
                else if (h3(p.t1) < t3 && t3 < h3(p.t2))
                    load += c.spnom;
            }
        });
        rows.push_back({t, load});
    }
    return rows;
}

double peakFigure(const std::vector<PeakRow>& peaks) {
    double m = 0;
    for (const PeakRow& r : peaks)
        m = std::max(m, r.load);
    return m;
}

DetailTable peakDetail(const std::vector<TotalsSchedule>& sources, double peak) {
    DetailTable t;
    t.from = switchOnMoments(sources);
    t.to = t.from;
    for (double m : t.from)
        t.columns << numberToText(m);
    const size_t n = t.from.size();
    std::vector<double> sums(n, 0.0);
    forEachConsumer(sources, [&](const TotalsSchedule& s, const Consumer& c) {
        DetailRow row = leadOf(s, c, n);
        for (size_t k = 0; k < n; ++k) {
            switch (stateAt(c, t.from[k])) {
            case AtMoment::Start:
                row.cells[k] = {numberToText(c.sppik), sameValue(c.sppik, c.spnom)
                                                           ? CellKind::PeakEqual
                                                       : peakAbove(c) ? CellKind::PeakAbove
                                                                      : CellKind::Nominal};
                sums[k] += c.sppik;
                break;
            case AtMoment::Running:
                row.cells[k] = {numberToText(c.spnom), CellKind::Nominal};
                sums[k] += c.spnom;
                break;
            case AtMoment::Off:
                break;
            }
        }
        t.rows.push_back(std::move(row));
    });
    t.total.name = QStringLiteral("Итого");
    const QString peakText = numberToText(peak);
    for (size_t k = 0; k < n; ++k) {
        const QString text = numberToText(sums[k]);
        t.total.cells.push_back({text, text == peakText ? CellKind::TotalPeak : CellKind::Total});
    }
    return t;
}

// ------------------------------------------------------------------ remarks

const QStringList& remarkModeTexts() {
    static const QStringList texts{QStringLiteral("ручной"), QStringLiteral("автоматический"),
                                   QStringLiteral("любой")};
    return texts;
}

QString remarkModeText(RemarkMode mode) {
    return remarkModeTexts()[int(mode)];
}

double bigPower(int share, double installedPower) {
    return roundHalfEven(share * installedPower / 100, 2);
}

QString bigPowerText(int share, double installedPower) {
    return text2(bigPower(share, installedPower));
}

std::vector<PeakRemark> peakRemarks(const std::vector<TotalsSchedule>& sources,
                                    const RemarkParams& params, TotalsWindow window) {
    if (!params.startCheck || params.nPik <= 0)
        return {};
    std::vector<double> moments;
    forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
        if (peakAbove(c))
            for (const ConsumerPeriod& p : c.periods)
                moments.push_back(p.t1);
    });
    moments = distinctHours(std::move(moments));
    std::vector<int> counts(moments.size(), 0);
    forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
        if (!peakAbove(c) || !modeMatches(c, params.startMode))
            return;
        for (const ConsumerPeriod& p : c.periods)
            for (size_t k = 0; k < moments.size(); ++k)
                if (h3(moments[k]) == h3(p.t1))
                    ++counts[k];
    });
    const QString start = window == TotalsWindow::Monthly ? QStringLiteral("Одновременный пуск ")
                                                          : QStringLiteral("Одновременный запуск ");
    std::vector<PeakRemark> rows;
    for (size_t k = 0; k < moments.size(); ++k)
        if (counts[k] > params.nPik)
            rows.push_back(
                {moments[k], start + QString::number(counts[k]) +
                                 QStringLiteral("-x электроприемников с пиковой мощностью, "
                                                "превышающей их номинальную мощность.")});
    return rows;
}

ScheduleRemarks scheduleRemarks(const std::vector<TotalsSchedule>& sources,
                                const ConsumerTable& consumers, const RemarkParams& params) {
    ScheduleRemarks r;
    if (!params.operationCheck && !params.startWhileRunningCheck)
        return r;
    if (!consumers.total) {
        r.error = QStringLiteral("Не заполнена таблица параметров электроприемников.");
        return r;
    }
    if (params.nNom <= 0 || params.bigShare <= 0)
        return r;
    // The big consumers, in the row order of the consumer table.
    std::vector<const Consumer*> big;
    size_t i = 0;
    forEachConsumer(sources, [&](const TotalsSchedule&, const Consumer& c) {
        if (i < consumers.pnomShare.size() && atLeast(consumers.pnomShare[i], params.bigShare))
            big.push_back(&c);
        ++i;
    });
    const QString pBig = bigPowerText(params.bigShare, consumers.installedPower);

    std::vector<double> starts;
    for (const Consumer* c : big)
        if (peakAbove(*c))
            for (const ConsumerPeriod& p : c->periods)
                starts.push_back(p.t1);
    starts = distinctHours(std::move(starts));
    // The big periods running through each start: every start counts them on its own, so a
    // period running through several starts counts at each of them.
    std::vector<int> running(starts.size(), 0);
    for (size_t k = 0; k < starts.size(); ++k) {
        const double s = h3(starts[k]);
        for (const Consumer* c : big)
            if (modeMatches(*c, params.startMode))
                for (const ConsumerPeriod& p : c->periods)
                    if (h3(p.t1) < s && s < h3(p.t2))
                        ++running[k];
    }

    const QString opMode = remarkModeText(params.operationMode);
    const std::vector<double> points = consumerTimePoints(sources);
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        const double a = h3(points[k]), b = h3(points[k + 1]);
        int count = 0;
        for (const Consumer* c : big)
            if (modeMatches(*c, params.operationMode))
                for (const ConsumerPeriod& p : c->periods)
                    if (h3(p.t1) <= a && h3(p.t2) >= b)
                        ++count;
        if (count <= params.nNom)
            continue;
        if (params.operationCheck) {
            QString text = QStringLiteral("Одновременная работа ") + QString::number(count) +
                           QStringLiteral("-x крупных электроприемников (Рном.>=") + pBig +
                           QStringLiteral(" Вт)");
            if (params.operationMode == RemarkMode::Any)
                text += QStringLiteral(".");
            else
                text += QStringLiteral(" в режиме работы \"") + opMode + QStringLiteral("\".");
            r.rows.push_back({points[k], points[k + 1], text});
        }
        if (params.startWhileRunningCheck)
            for (size_t s = 0; s < starts.size(); ++s)
                if (h3(starts[s]) == a && running[s] > 0)
                    r.rows.push_back(
                        {points[k], points[k + 1],
                         QStringLiteral("Пуск крупного электроприемника с пиковой мощностью, "
                                        "превышающей номинальную мощность, при работе в "
                                        "номинальном режиме других крупных электроприемников "
                                        "(Рном.>=") +
                             pBig + QStringLiteral(" Вт) в режиме работы \"") + opMode +
                             QStringLiteral("\".")});
    }
    return r;
}

int remarkColumn(const DetailTable& scheduleDetail, const ScheduleRemark& remark) {
    return int(scheduleDetail.columns.indexOf(numberToText(remark.t1) + QStringLiteral(" - ") +
                                              numberToText(remark.t2)));
}

int remarkColumn(const DetailTable& peakDetail, const PeakRemark& remark) {
    return int(peakDetail.columns.indexOf(numberToText(remark.t)));
}

// ------------------------------------------------------------------ current time

double timeAtPixel(double x, int scale) {
    if (x <= kPictureMargin || scale <= 0)
        return 0;
    return std::min(24.0, h3((x - kPictureMargin) / (12.0 * scale)));
}

double pixelAtTime(double t, int scale) {
    return kPictureMargin + t * 12.0 * scale;
}

QString hoursMinutes(double t) {
    // Whole minutes first: 7,999 h is 480 minutes, "8:00" rather than "7:60".
    const long long minutes = std::llround(roundHalfAway(t * 60, 0));
    return QString::number(minutes / 60) + QStringLiteral(":") +
           QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

RunningConsumers runningAt(const DetailTable& scheduleDetail, const DetailTable& peakDetail,
                           double t) {
    RunningConsumers r;
    const double t3 = h3(t);
    int column = -1;
    for (size_t k = 0; k < scheduleDetail.from.size(); ++k)
        if (h3(scheduleDetail.from[k]) <= t3 && t3 < h3(scheduleDetail.to[k]))
            column = int(k);
    int moment = -1;
    for (size_t k = 0; k < peakDetail.from.size(); ++k)
        if (h3(peakDetail.from[k]) == t3)
            moment = int(k);
    if (column < 0)
        return r;
    // Both tables are built from the same sources, so their rows are the same consumers.
    for (size_t i = 0; i < scheduleDetail.rows.size(); ++i) {
        const DetailRow& row = scheduleDetail.rows[i];
        if (row.cells[column].text.isEmpty())
            continue;
        RunningConsumer c{row.load, row.schedule, row.name, row.cells[column].text, {}};
        if (moment >= 0 && i < peakDetail.rows.size())
            c.ppik = peakDetail.rows[i].cells[moment].text;
        r.rows.push_back(std::move(c));
    }
    const QString total = scheduleDetail.total.cells[column].text;
    if (total != QStringLiteral("0"))
        r.nominalTotal = total;
    if (moment >= 0)
        r.peakTotal = peakDetail.total.cells[moment].text;
    return r;
}

// ------------------------------------------------------------------ everything of a month

namespace {

void fillDetails(MonthTotals& m, std::optional<double> pnom, std::optional<double> pmax,
                 const RemarkParams& params, TotalsWindow window) {
    m.detail = scheduleDetail(m.sources, pnom, pmax);
    m.scheduleRemarks = scheduleRemarks(m.sources, m.consumers, params);
    m.peaks = peakTable(m.sources);
    m.peak = peakFigure(m.peaks);
    m.peakDetail = peakDetail(m.sources, m.peak);
    m.peakRemarks = peakRemarks(m.sources, params, window);
}

} // namespace

MonthTotals monthTotals(const TotalsInput& in, const QString& month, const RemarkParams& params) {
    MonthTotals m;
    m.sources = monthSources(in.schedules, month);
    m.consumers = consumerTable(m.sources);
    m.combined =
        combinedSchedule(m.sources, daylightOf(in.daylight, month), in.nomMinutes, in.maxMinutes);
    if (m.combined.params)
        fillDetails(m, m.combined.params->pnom, m.combined.params->pmax, params,
                    TotalsWindow::Monthly);
    else
        fillDetails(m, std::nullopt, std::nullopt, params, TotalsWindow::Monthly);
    return m;
}

MonthTotals scheduleTotals(const TotalsSchedule& schedule, std::optional<double> pnom,
                           std::optional<double> pmax, const RemarkParams& params) {
    MonthTotals m;
    m.sources = {schedule};
    m.consumers = consumerTable(m.sources);
    // The window shows the handed-over interval table and figures as they are.
    m.combined.intervals = schedule.intervals;
    fillDetails(m, pnom, pmax, params, TotalsWindow::Information);
    return m;
}

} // namespace ses
