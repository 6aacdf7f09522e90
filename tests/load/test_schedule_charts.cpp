// What the schedule chart and parameter diagram windows plot.

#include "load/schedule_charts.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

ChartSchedule chartSchedule(const char* name, IntervalTexts intervals, double wpSut) {
    ChartSchedule s;
    s.name = QString::fromUtf8(name);
    s.intervals = std::move(intervals);
    s.wpSut = wpSut;
    s.pnom = wpSut / 10;
    s.pmax = wpSut / 5;
    s.wpPik = wpSut / 2;
    return s;
}

// "Утро" has intervals, "Типовой" none (typed by its parameters), "Вечер" has intervals.
std::vector<ChartSchedule> three() {
    return {chartSchedule("Утро", {{"0", "6,5", "10"}, {"6,5", "24", "40"}}, 1000),
            chartSchedule("Типовой", {}, 2000), chartSchedule("Вечер", {{"0", "24", "25"}}, 600)};
}

TEST(ScheduleCharts, NumbersRunPastAScheduleWithoutIntervals) {
    const ScheduleChart c = scheduleChart(three(), {true, true, true});
    ASSERT_EQ(c.series.size(), 2u);
    EXPECT_EQ(c.series[0].title, "P1 = f(T)");
    EXPECT_EQ(c.series[1].title, "P3 = f(T)");
    EXPECT_EQ(c.notes,
              QStringList({"Утро: P1 = f(T).", "Типовой: P2 = f(T).", "Вечер: P3 = f(T)."}));
    // Two points per interval, labelled with the stored texts.
    ASSERT_EQ(c.series[0].points.size(), 4u);
    EXPECT_EQ(c.series[0].points[1].label, "6,5");
    EXPECT_EQ(c.series[0].points[1].p, 10);
    EXPECT_EQ(c.largestPower, 40);
    // Unticked schedules take no number.
    const ScheduleChart last = scheduleChart(three(), {false, false, true});
    EXPECT_EQ(last.series[0].title, "P1 = f(T)");
    EXPECT_TRUE(scheduleChart(three(), {false, false, false}).notes.isEmpty());
}

TEST(ScheduleCharts, FigureBarsPerTickedBoxInTheirOrder) {
    DiagramBoxes boxes;
    boxes.peak = true;
    boxes.nominal = true;
    const ParameterDiagram d = parameterDiagram(three(), {true, false, true}, boxes, std::nullopt);
    ASSERT_EQ(d.figures.size(), 3u);
    EXPECT_EQ(d.figures[0].title, "Wp_сут., Втч");
    EXPECT_EQ(d.figures[1].title, "Pном., Вт");
    EXPECT_EQ(d.figures[2].title, "Pпик., Вт");
    EXPECT_EQ(d.figures[0].labels, QStringList({"1", "2"}));
    EXPECT_EQ(d.figures[0].values, (std::vector<double>{1000, 600}));
    EXPECT_EQ(d.figures[2].values, (std::vector<double>{500, 300}));
    EXPECT_EQ(d.notes, QStringList({"1 - Утро.", "2 - Вечер."}));
    EXPECT_TRUE(d.dark.empty()); // the box of the energy without sun is not ticked
    // The report names the figures drawn, never the energy without sun.
    boxes.darkEnergy = true;
    EXPECT_EQ(diagramParameterReportTexts(boxes),
              QStringList({"Обозначение расчетных параметров суточных графиков на диаграмме:\r",
                           "- Wр_сут., Втч - суточное потребление электроэнергии, Вт*ч.\r",
                           "- Рном., Вт - номинальная выходная мощность, Вт.\r",
                           "- Рпик., Вт - пиковая выходная мощность, Вт.\r"}));
    EXPECT_EQ(diagramNotesReportText(d.notes),
              "Обозначение суточных графиков на диаграмме:\r- 1 - Утро.\r- 2 - Вечер.\r");
}

TEST(ScheduleCharts, DarkBarsByExactMonthNameAndCutLabels) {
    // Valid May to September; one row with a name that is not exact is no month.
    ChartSchedule summer = chartSchedule("Лето", {}, 0);
    for (const char* m : {"май", "июнь", "июль", "август", "сентябрь"})
        summer.months.push_back({QString::fromUtf8(m), 100});
    summer.months[1].wsutDark = 150;
    summer.months.push_back({"Октябрь", 999});
    summer.months.push_back({"", 999});
    EXPECT_EQ(darkEnergyBars(summer),
              (std::array<double, 12>{0, 0, 0, 0, 100, 150, 100, 100, 100, 0, 0, 0}));

    DiagramBoxes boxes;
    boxes.darkEnergy = true;
    const ParameterDiagram d = parameterDiagram({summer}, {true}, boxes, 3);
    ASSERT_EQ(d.dark.size(), 1u);
    EXPECT_EQ(d.dark[0].title, "1");
    EXPECT_EQ(d.dark[0].labels[8], "сен");
    EXPECT_EQ(d.dark[0].values[5], 150);

    const QStringList three = monthLabels(3), eight = monthLabels(8), whole = monthLabels({});
    EXPECT_EQ(three.first(), "янв");
    EXPECT_EQ(three[4], "май");
    EXPECT_EQ(eight, whole);
    EXPECT_EQ(eight[8], "сентябрь");
}

} // namespace
