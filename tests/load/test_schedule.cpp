// Daily load schedule computations, worked out by hand.

#include "lib/months.h"
#include "load/schedule.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

IntervalTexts table(std::initializer_list<std::array<const char*, 3>> rows) {
    IntervalTexts t;
    for (const auto& r : rows)
        t.push_back({QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2])});
    return t;
}

TEST(IntervalTest, RulesInOrderWithTheCursorCell) {
    struct Case {
        IntervalTexts rows;
        const char* message;
        int column, row;
    } cases[] = {
        // Empty cells are found column by column: the T2 column before the P column.
        {table({{"0", "6", ""}, {"6", "", "100"}}), "Заполнение всех ячеек таблицы обязательно.", 1,
         1},
        {table({{"0", "6", "1O0"}, {"6", "x", "100"}}),
         "Ошибочное значение для числового параметра.", 1, 1},
        {table({{"0", "6", "10"}, {"6", "24,5", "100"}}),
         "Для периода замеров значение поля \"Т2\" должно быть меньше либо равно 24 часам.", 1, 1},
        {table({{"0", "6", "10"}, {"7", "7", "100"}}),
         "Для периода замеров значение поля \"Т1\" должно быть меньше значения поля \"Т2\".", 0, 1},
        {table({{"0", "6", "10"}, {"6,5", "8", "100"}}),
         "Значение поля \"Т2\" предыдущего периода замеров должно равняться значению поля \"Т1\" "
         "последующего периода.",
         0, 1},
    };
    for (const auto& c : cases) {
        const IntervalTestResult r = testIntervals(c.rows);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
        EXPECT_EQ(r.column, c.column) << c.message;
        EXPECT_EQ(r.row, c.row) << c.message;
    }
    // The day need not be covered, and hours agree at 0,001.
    EXPECT_TRUE(testIntervals(table({{"6", "12,0004", "10"}, {"12", "18", "100"}})).ok);
}

TEST(ScheduleParameters, WindowsAndFallbacks) {
    struct Case {
        std::vector<Interval> iv;
        double wp, pnom, pmax;
    } cases[] = {
        {{{0, 24, 100}}, 2400, 100, 100},                       // maximum raised to nominal
        {{{0, 23.9, 100}, {23.9, 24, 2000}}, 2590, 100, 2000},  // 6 minutes count as maximum
        {{{0, 0.333, 50}, {0.333, 0.666, 80}}, 43, 0, 0},       // 20 minutes count for neither
        {{{0, 0.5, 300}, {0.5, 0.667, 900}}, 300, 900, 900},    // 30 min exactly is not "more than"
        {{{8, 8.167, 500}, {8.167, 20, 40.4}}, 562, 40.4, 500}, // 10 min exactly is a maximum
    };
    for (const auto& c : cases) {
        const ScheduleParams s = scheduleParameters(c.iv, 30, 10);
        EXPECT_EQ(s.wpSut, c.wp);
        EXPECT_EQ(s.pnom, c.pnom);
        EXPECT_EQ(s.pmax, c.pmax);
    }
    // The stored form rounds the powers to whole watts, halves away from zero.
    const ScheduleParams t =
        scheduleParameters({{0, 12, 40.5}, {12, 24, 20}}, 30, 10, ScheduleForm::TripleList);
    EXPECT_EQ(t.pnom, 41);
    EXPECT_EQ(t.pmax, 41);
}

TEST(DarkEnergy, OverlapsOfIntervalsAndPeriods) {
    EXPECT_EQ(darkEnergy({{5, 7, 100}}, {{0, 6}, {20, 24}}), 100);
    EXPECT_EQ(darkEnergy({{0, 24, 10}}, {{0, 6}, {20, 24}}), 100);
    EXPECT_EQ(darkEnergy({{6, 20, 1000}}, {{0, 6}, {20, 24}}), 0); // touching is no overlap
    EXPECT_EQ(darkEnergy({{19, 19, 50}}, {{19, 19}}), 0);
    // Each interval's share is rounded to whole W*h, halves away from zero: 0,25 h * 2 W = 0,5.
    EXPECT_EQ(darkEnergy({{0, 0.25, 2}, {0.25, 0.5, 2}}, {{0, 6}}), 2);
}

class MonthlyRowsTest : public ::testing::Test {
protected:
    MonthlyInputs in;
    std::vector<Interval> schedule = {{0, 6, 50}, {6, 18, 200}, {18, 24, 100}};
    void SetUp() override {
        for (const QString& m : monthNames()) {
            in.daylight.push_back({m, 7, 19, 10});
            in.regionMonths.push_back({m, 1, -10, 66});
        }
        in.region = "Москва";
        in.tempCoefficients = {{0, 1.2}, {10, 1.1}, {25, 1}};
    }
};

TEST_F(MonthlyRowsTest, AMonthWorkedOutByHand) {
    const MonthlyResult r = monthlyRows(schedule, "январь", "январь", in);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_TRUE(r.problems.isEmpty()) << r.problems.join('\n').toStdString();
    EXPECT_EQ(r.params.wpSut, 3300);
    const MonthlyRow& m = r.rows[0];
    EXPECT_EQ(m.texts(), QStringList({"январь", "0 - 7; 19 - 24", "12", "1000", "12", "1000", "10",
                                      "1,1", "190,97", "1", "-10", "66", "0,7", "5635"}));
    // Panel temperature: Ft = 1 + (-10 - 25) * -0,47 / 100 = 1,1645.
    in.panelTemperature = true;
    EXPECT_EQ(*monthlyRows(schedule, "январь", "январь", in).rows[0].psb, 4839);
}

TEST_F(MonthlyRowsTest, HoursWithoutSunBeyondTheDailyCycle) {
    in.dailyCycle = false;
    struct Case {
        double k, wmax;
    } cases[] = {{3, 300}, {12, 1000}, {24, 3300}, {36, 4300}, {48, 6600}};
    for (const auto& c : cases) {
        in.hoursWithoutSun = c.k;
        const MonthlyRow m = monthlyRows(schedule, "март", "март", in).rows.at(0);
        EXPECT_EQ(m.tmaxDark, c.k);
        EXPECT_EQ(m.wmaxDark, c.wmax) << c.k;
    }
}

TEST_F(MonthlyRowsTest, WrappingRangeComesInCalendarOrder) {
    QStringList months;
    for (const auto& row : monthlyRows(schedule, "ноябрь", "февраль", in).rows)
        months << row.month;
    EXPECT_EQ(months, QStringList({"январь", "февраль", "ноябрь", "декабрь"}));
    in.daylight.erase(in.daylight.begin()); // no day-light row for January: no monthly row
    EXPECT_EQ(monthlyRows(schedule, "ноябрь", "февраль", in).rows.size(), 3u);
}

TEST_F(MonthlyRowsTest, MissingDataLeavesFiguresEmptyAndSaysWhy) {
    in.regionMonths.erase(in.regionMonths.begin() + 1); // no radiation for February
    MonthlyResult r = monthlyRows(schedule, "январь", "март", in);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_TRUE(r.rows[0].psb.has_value());
    EXPECT_FALSE(r.rows[1].psb.has_value());
    EXPECT_TRUE(r.rows[2].psb.has_value());
    EXPECT_EQ(r.problems,
              QStringList({"Нет данных о солнечной радиации региона \"Москва\" за месяц "
                           "\"февраль\": мощность СБ за этот месяц не рассчитана."}));

    in.regionMonths.clear();
    in.region.clear();
    r = monthlyRows(schedule, "январь", "январь", in);
    EXPECT_FALSE(r.rows[0].psb.has_value());
    EXPECT_EQ(r.problems.value(0), "Для варианта не задан регион: мощность СБ не рассчитана.");

    MonthlyInputs bad = in;
    bad.batteryLosses = 100;
    bad.regionMonths = {{"январь", 1, 0, 50}};
    r = monthlyRows(schedule, "январь", "январь", bad);
    EXPECT_FALSE(r.rows[0].cakb.has_value());
    EXPECT_FALSE(r.rows[0].psb.has_value());
    bad = in;
    bad.tempCoefficients.clear();
    r = monthlyRows(schedule, "январь", "январь", bad);
    EXPECT_FALSE(r.rows[0].cakb.has_value());
    EXPECT_TRUE(r.problems.join('\n').contains("температурных коэффициентов"));
}

TEST(MonthRange, ConflictMessageListsEveryOtherSchedule) {
    const std::vector<OtherSchedule> others = {{"Зима", "ноябрь", "февраль"},
                                               {"Лето", "июнь", "август"}};
    EXPECT_FALSE(monthRangeConflict("март", "май", others));
    const auto m = monthRangeConflict("сентябрь", "ноябрь", others);
    ASSERT_TRUE(m);
    EXPECT_EQ(*m,
              "Месяц \"ноябрь\" данного суточного графика входит в диапазон месяцев \"ноябрь\" - "
              "\"февраль\" другого имеющегося суточного графика \"Зима\". Не допускается подобное "
              "пересечение диапазонов месяцев суточных графиков.\n"
              "Справка о диапазонах месяцев имеющихся суточных графиков:\n"
              "- суточный график \"Зима\" - диапазон месяцев \"ноябрь\" - \"февраль\"\n"
              "- суточный график \"Лето\" - диапазон месяцев \"июнь\" - \"август\"\n");
}

TEST(StepChart, TwoLabelledPointsPerInterval) {
    const auto pts = stepChartPoints(table({{"0", "7,5", "40"}, {"7,5", "24", "120"}}));
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_EQ(pts[1].t, 7.5);
    EXPECT_EQ(pts[1].p, 40);
    EXPECT_EQ(pts[1].label, "7,5");
    EXPECT_EQ(pts[2].p, 120);
}

} // namespace
