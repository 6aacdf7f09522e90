// The monthly totals of the load: consumer shares, superposition, detail cells, peaks, remarks,
// the current time and the consumers running at it.

#include "lib/numbers.h"
#include "load/load_totals.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

ConsumerPeriod period(double t1, double t2) {
    return {numberToText(t1), numberToText(t2), t1, t2};
}

Consumer consumer(const char* name, double pnom, double ppik, const char* rejim,
                  std::vector<ConsumerPeriod> periods) {
    Consumer c;
    c.name = QString::fromUtf8(name);
    c.spnom = pnom;
    c.sppik = ppik;
    c.rejim = QString::fromUtf8(rejim);
    c.periods = std::move(periods);
    return c;
}

TotalsSchedule schedule(const char* load, const char* name, std::vector<Consumer> consumers) {
    TotalsSchedule s;
    s.load = QString::fromUtf8(load);
    s.name = QString::fromUtf8(name);
    s.consumers = std::move(consumers);
    s.intervals = parseIntervals(buildFromConsumers(s.consumers));
    return s;
}

QStringList texts(const std::vector<DetailCell>& cells) {
    QStringList out;
    for (const DetailCell& c : cells)
        out << c.text;
    return out;
}

std::vector<CellKind> kinds(const std::vector<DetailCell>& cells) {
    std::vector<CellKind> out;
    for (const DetailCell& c : cells)
        out.push_back(c.kind);
    return out;
}

// A pump of 500 W (1500 W starting) at 8-10 and 18-19,5 and a lamp of 100 W at 6-8,25:
// energies 500 * 2 + 500 * 1,5 = 1750 and 100 * 2,25 = 225 of 1975 W*h; powers 500 and 100 of
// 600 W, so the shares are 83,33 % and 16,67 %, 88,61 % and 11,39 %.
std::vector<TotalsSchedule> pumpAndLamp() {
    return {
        schedule("Дом", "Зима",
                 {consumer("Насос", 500, 1500, "автоматический", {period(8, 10), period(18, 19.5)}),
                  consumer("Лампа", 100, 100, "ручной", {period(6, 8.25)})})};
}

TEST(LoadTotalsConsumers, SharesOfPowerAndEnergyWithTheirTotal) {
    const ConsumerTable t = consumerTable(pumpAndLamp());
    ASSERT_EQ(t.rows.size(), 2u);
    const auto row = [](const ConsumerRow& r) {
        return QStringList{r.load, r.schedule, r.name, r.pnom, r.pnomShare, r.wsut, r.wsutShare};
    };
    EXPECT_EQ(row(t.rows[0]),
              QStringList({"Дом", "Зима", "Насос", "500", "83,33", "1750", "88,61"}));
    EXPECT_EQ(row(t.rows[1]),
              QStringList({"Дом", "Зима", "Лампа", "100", "16,67", "225", "11,39"}));
    ASSERT_TRUE(t.total);
    EXPECT_EQ(row(*t.total), QStringList({"", "", "Итого", "600", "", "1975", ""}));
    EXPECT_EQ(t.installedPower, 600);
    EXPECT_EQ(bigPowerText(20, t.installedPower), "120");
    EXPECT_EQ(consumerTableHeaders(TotalsWindow::Information).size(), 5);
}

TEST(LoadTotalsConsumers, ZeroTotalsGiveZeroSharesNeverAQuotientByZero) {
    // Consumers of 0 W, and a consumer without any period: the totals are 0.
    const ConsumerTable t = consumerTable({schedule(
        "Дом", "Лето",
        {consumer("Датчик", 0, 0, "ручной", {period(0, 24)}), consumer("Резерв", 0, 0, "", {})})});
    ASSERT_EQ(t.rows.size(), 2u);
    for (const ConsumerRow& r : t.rows) {
        EXPECT_EQ(r.pnomShare, "0");
        EXPECT_EQ(r.wsutShare, "0");
    }
    EXPECT_EQ(t.total->pnom, "0");
    EXPECT_EQ(t.total->wsut, "0");
}

TEST(LoadTotalsMonth, MonthListAndSourcesAcBeforeDc) {
    TotalsSchedule dc;
    dc.ac = false;
    dc.load = kDcLoadName;
    dc.name = "Связь";
    dc.from = "май";
    dc.to = "сентябрь";
    dc.months = QStringList{"сентябрь", "май"};
    dc.intervals = {{6, 18, 20}};
    TotalsSchedule ac;
    ac.load = "Дом";
    ac.name = "Зима";
    ac.from = "октябрь";
    ac.to = "май";
    ac.months = QStringList{"январь", "декабрь"};
    ac.intervals = {{0, 12, 100}, {12, 24, 50}};
    TotalsInput in;
    in.schedules = {dc, ac};
    in.daylight = {{"май", 7, 19, std::nullopt}};

    EXPECT_EQ(totalsMonths(in.schedules), QStringList({"январь", "май", "сентябрь", "декабрь"}));
    const std::vector<TotalsSchedule> may = monthSources(in.schedules, "май");
    ASSERT_EQ(may.size(), 2u);
    EXPECT_EQ(may[0].name, "Зима");
    EXPECT_EQ(may[1].name, "Связь");
    EXPECT_EQ(monthSources(in.schedules, "январь").size(), 1u);

    // Superposed: 100 + 20 over 6-12, 50 + 20 over 12-18.
    const MonthTotals m = monthTotals(in, "май", {});
    EXPECT_EQ(m.combined.texts(),
              (IntervalTexts{
                  {"0", "6", "100"}, {"6", "12", "120"}, {"12", "18", "70"}, {"18", "24", "50"}}));
    ASSERT_TRUE(m.combined.params);
    EXPECT_EQ(m.combined.params->wpSut, 600 + 720 + 420 + 300);
    EXPECT_EQ(m.combined.params->pnom, 120);
    EXPECT_EQ(m.combined.params->pmax, 120);
    // Without sun 0-7 and 19-24: 600 + 120 + 250.
    EXPECT_EQ(m.combined.darkEnergy, 970);
    // No day-light row: the energy without sun stays empty.
    EXPECT_FALSE(monthTotals(in, "сентябрь", {}).combined.darkEnergy);
}

TEST(LoadTotalsMonth, OnlyTypedSchedulesLeaveEveryConsumerViewEmpty) {
    TotalsSchedule typed;
    typed.load = "Дом";
    typed.name = "По параметрам";
    typed.months = QStringList{"март"};
    TotalsInput in;
    in.schedules = {typed};
    const MonthTotals m = monthTotals(in, "март", {});
    EXPECT_TRUE(m.consumers.rows.empty());
    EXPECT_FALSE(m.consumers.total);
    EXPECT_TRUE(m.combined.intervals.empty());
    EXPECT_FALSE(m.combined.params);
    EXPECT_TRUE(m.detail.empty());
    EXPECT_TRUE(m.peaks.empty());
    EXPECT_TRUE(m.peakDetail.empty());
    EXPECT_TRUE(m.peakRemarks.empty());
    EXPECT_TRUE(m.scheduleRemarks.rows.empty());
    EXPECT_EQ(m.scheduleRemarks.error, "Не заполнена таблица параметров электроприемников.");
}

// X 100 W at 0-12, Y 50 W (200 W starting) at 6-12, Z 50 W at 12-13.
std::vector<TotalsSchedule> threeLamps() {
    return {schedule("Дом", "Зима",
                     {consumer("X", 100, 100, "ручной", {period(0, 12)}),
                      consumer("Y", 50, 200, "ручной", {period(6, 12)}),
                      consumer("Z", 50, 50, "ручной", {period(12, 13)})})};
}

TEST(LoadTotalsDetail, CellsCarryTheirKindAndTheMaximumWinsATie) {
    using K = CellKind;
    const DetailTable d = scheduleDetail(threeLamps(), 100, 150);
    EXPECT_EQ(d.columns, QStringList({"0 - 6", "6 - 12", "12 - 13", "13 - 24"}));
    EXPECT_EQ(texts(d.rows[1].cells), QStringList({"", "50", "", ""}));
    EXPECT_EQ(kinds(d.rows[1].cells), (std::vector<K>{K::Empty, K::Nominal, K::Empty, K::Empty}));
    EXPECT_EQ(texts(d.total.cells), QStringList({"100", "150", "50", "0"}));
    EXPECT_EQ(kinds(d.total.cells),
              (std::vector<K>{K::TotalNominal, K::TotalMaximum, K::Total, K::Total}));
    // Рном = Рмакс: a total equal to both is marked as the maximum.
    EXPECT_EQ(kinds(scheduleDetail(threeLamps(), 150, 150).total.cells)[1], K::TotalMaximum);
    // Colours of the legend.
    EXPECT_EQ(cellBackground(K::Nominal), 0xC0DCC0u);
    EXPECT_EQ(cellBackground(K::TotalMaximum), 0x00FFFFu);
    EXPECT_EQ(cellBackground(K::Total), 0xFFFF00u);
    EXPECT_FALSE(cellBackground(K::Empty));
}

TEST(LoadTotalsPeaks, TableDetailAndTheFigure) {
    using K = CellKind;
    const std::vector<PeakRow> peaks = peakTable(threeLamps());
    ASSERT_EQ(peaks.size(), 3u);
    // At 0 X starts; at 6 Y starts (200) while X runs (100); at 12 X and Y have ended.
    EXPECT_EQ(peaks[1].t, 6);
    EXPECT_EQ(peaks[1].load, 300);
    EXPECT_EQ(peaks[2].load, 50);
    EXPECT_EQ(peakFigure(peaks), 300);
    const DetailTable d = peakDetail(threeLamps(), 300);
    EXPECT_EQ(d.columns, QStringList({"0", "6", "12"}));
    EXPECT_EQ(kinds(d.rows[0].cells), (std::vector<K>{K::PeakEqual, K::Nominal, K::Empty}));
    EXPECT_EQ(kinds(d.rows[1].cells), (std::vector<K>{K::Empty, K::PeakAbove, K::Empty}));
    EXPECT_EQ(texts(d.total.cells), QStringList({"100", "300", "50"}));
    EXPECT_EQ(kinds(d.total.cells), (std::vector<K>{K::Total, K::TotalPeak, K::Total}));

    // Starting powers are summed as they are, not rounded at each addition.
    const auto halves = peakTable({schedule("Дом", "Зима",
                                            {consumer("A", 100, 100.4, "", {period(1, 2)}),
                                             consumer("B", 100, 100.4, "", {period(1, 3)})})});
    EXPECT_EQ(numberToText(halves[0].load), "200,8");
}

TEST(LoadTotalsRemarks, SimultaneousStartsByStartMode) {
    const std::vector<TotalsSchedule> s = {
        schedule("Дом", "Зима",
                 {consumer("Пила", 200, 600, "ручной", {period(7, 9)}),
                  consumer("Насос", 200, 800, "автоматический", {period(7, 8)}),
                  consumer("Дрель", 100, 300, "ручной", {period(7, 12)}),
                  consumer("Лампа", 100, 100, "ручной", {period(7, 10)})})};
    struct Case {
        RemarkMode mode;
        int nPik;
        QString expected; // empty: no remark
    };
    const QString tail = "-x электроприемников с пиковой мощностью, превышающей их номинальную "
                         "мощность.";
    for (const Case& c : std::vector<Case>{{RemarkMode::Any, 1, "Одновременный пуск 3" + tail},
                                           {RemarkMode::Manual, 1, "Одновременный пуск 2" + tail},
                                           {RemarkMode::Automatic, 1, ""},
                                           {RemarkMode::Any, 3, ""}}) {
        RemarkParams p;
        p.startMode = c.mode;
        p.nPik = c.nPik;
        const std::vector<PeakRemark> r = peakRemarks(s, p, TotalsWindow::Monthly);
        SCOPED_TRACE(c.expected.toStdString());
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(r.empty());
            continue;
        }
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].t, 7);
        EXPECT_EQ(r[0].text, c.expected);
    }
    EXPECT_TRUE(peakRemarks(s, RemarkParams{.startCheck = false}, TotalsWindow::Monthly).empty());
    EXPECT_TRUE(peakRemarks(s, {}, TotalsWindow::Information)[0].text.startsWith(
        "Одновременный запуск 3-x"));
}

// Three big consumers of 300 W at 8-10 (A starting at 900 W, C already on since 7) and a small
// one of 10 W at 9-12 that only splits 8-10 in two: 910 W installed, P_big = 91 W.
std::vector<TotalsSchedule> threeBig() {
    return {schedule("Дом", "Зима",
                     {consumer("A", 300, 900, "ручной", {period(8, 10)}),
                      consumer("B", 300, 300, "ручной", {period(8, 10)}),
                      consumer("C", 300, 300, "автоматический", {period(7, 10)}),
                      consumer("D", 10, 10, "ручной", {period(9, 12)})})};
}

QStringList remarkRows(const ScheduleRemarks& r) {
    QStringList out;
    for (const ScheduleRemark& row : r.rows)
        out << numberToText(row.t1) + "-" + numberToText(row.t2) + ": " + row.text;
    return out;
}

TEST(LoadTotalsRemarks, SimultaneousOperationOfBigConsumers) {
    const auto s = threeBig();
    const ConsumerTable t = consumerTable(s);
    const QString three = "Одновременная работа 3-x крупных электроприемников (Рном.>=91 Вт)";
    const QString start = "Пуск крупного электроприемника с пиковой мощностью, превышающей "
                          "номинальную мощность, при работе в номинальном режиме других крупных "
                          "электроприемников (Рном.>=91 Вт) в режиме работы \"любой\".";
    RemarkParams p;
    p.operationMode = RemarkMode::Any;
    p.nNom = 2;
    p.startWhileRunningCheck = false;
    EXPECT_EQ(remarkRows(scheduleRemarks(s, t, p)),
              QStringList({"8-9: " + three + ".", "9-10: " + three + "."}));
    p.nNom = 3;
    EXPECT_TRUE(scheduleRemarks(s, t, p).rows.empty());
    // Only the manual ones: A and B, two of them.
    p.nNom = 1;
    p.operationMode = RemarkMode::Manual;
    EXPECT_EQ(remarkRows(scheduleRemarks(s, t, p)).first(),
              "8-9: Одновременная работа 2-x крупных электроприемников (Рном.>=91 Вт) в режиме "
              "работы \"ручной\".");
    // A starts at 8 while C runs through it.
    p.nNom = 2;
    p.operationMode = RemarkMode::Any;
    p.startWhileRunningCheck = true;
    EXPECT_EQ(remarkRows(scheduleRemarks(s, t, p)),
              QStringList({"8-9: " + three + ".", "8-9: " + start, "9-10: " + three + "."}));
    // At 40 % only no consumer is big (each has 32,97 %).
    p.bigShare = 40;
    EXPECT_TRUE(scheduleRemarks(s, t, p).rows.empty());
    // Both checks off: nothing, not even the missing-table message.
    const ScheduleRemarks off = scheduleRemarks(
        {}, {}, RemarkParams{.operationCheck = false, .startWhileRunningCheck = false});
    EXPECT_TRUE(off.rows.empty());
    EXPECT_FALSE(off.error);
}

TEST(LoadTotalsRemarks, AStartCountsTheRunningConsumerAlreadyCountedAtAnEarlierStart) {
    // L runs 1-20; S1 starts at 5 and S2 at 12, both with a peak above their nominal power. L
    // runs through both starts, so each start gets its remark.
    const std::vector<TotalsSchedule> s = {
        schedule("Дом", "Зима",
                 {consumer("L", 400, 400, "ручной", {period(1, 20)}),
                  consumer("S1", 400, 1200, "ручной", {period(5, 6)}),
                  consumer("S2", 400, 1200, "ручной", {period(12, 13)})})};
    RemarkParams p;
    p.operationCheck = false;
    const QStringList rows = remarkRows(scheduleRemarks(s, consumerTable(s), p));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith("5-6: Пуск крупного"));
    EXPECT_TRUE(rows[1].startsWith("12-13: Пуск крупного"));
    EXPECT_TRUE(rows[1].endsWith("(Рном.>=120 Вт) в режиме работы \"ручной\"."));
}

TEST(LoadTotalsTime, HoursAndMinutesAndPixels) {
    const std::vector<std::pair<double, QString>> cases{{7.25, "7:15"},     {7.05, "7:03"},
                                                        {7.999, "8:00"},    {0, "0:00"},
                                                        {23.9999, "24:00"}, {12.5, "12:30"}};
    for (const auto& [t, text] : cases)
        EXPECT_EQ(hoursMinutes(t), text) << t;
    // Scale 2: an hour is 24 pixels after the 10-pixel margin.
    EXPECT_EQ(timeAtPixel(5, 2), 0);
    EXPECT_EQ(timeAtPixel(34, 2), 1);
    EXPECT_EQ(timeAtPixel(11, 2), 0.042);
    EXPECT_EQ(timeAtPixel(10 + 24 * 24 + 50, 2), 24);
    EXPECT_EQ(pixelAtTime(1.5, 6), 10 + 108);
}

TEST(LoadTotalsTime, RunningConsumersAtATimeAndAtASwitchOnMoment) {
    const auto s = threeLamps();
    const DetailTable detail = scheduleDetail(s, 100, 150);
    const DetailTable peaks = peakDetail(s, 300);
    const auto names = [](const RunningConsumers& r) {
        QStringList out;
        for (const RunningConsumer& c : r.rows)
            out << c.name + ":" + c.pnom + "/" + c.ppik;
        return out;
    };
    const RunningConsumers at6 = runningAt(detail, peaks, 6);
    EXPECT_EQ(names(at6), QStringList({"X:100/100", "Y:50/200"}));
    EXPECT_EQ(at6.nominalTotal, "150");
    EXPECT_EQ(at6.peakTotal, "300");
    const RunningConsumers at7 = runningAt(detail, peaks, 7.5);
    EXPECT_EQ(names(at7), QStringList({"X:100/", "Y:50/"}));
    EXPECT_EQ(at7.peakTotal, "");
    // Nothing runs after 13: the total "0" is not shown.
    const RunningConsumers late = runningAt(detail, peaks, 20);
    EXPECT_TRUE(late.rows.empty());
    EXPECT_EQ(late.nominalTotal, "");
    // "Найти" goes to the remark's column.
    EXPECT_EQ(remarkColumn(detail, ScheduleRemark{6, 12, {}}), 1);
    EXPECT_EQ(remarkColumn(peaks, PeakRemark{12, {}}), 2);
    EXPECT_EQ(remarkColumn(peaks, PeakRemark{5, {}}), -1);
}

} // namespace
