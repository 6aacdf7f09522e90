// The battery analysis month by month, in the three load-entry modes, and what it reads.

#include "data/fixture.h"
#include "storage/capacity_analysis.h"
#include "storage/capacity_store.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

CapacitySchedule schedule(bool ac, int loadKod, const char* load, const char* name,
                          const char* from, const char* to,
                          std::vector<ScheduleMonthEnergy> months) {
    CapacitySchedule s;
    s.ac = ac;
    s.kinv = ac ? 0.8 : 1;
    s.loadKod = loadKod;
    s.load = QString::fromUtf8(load);
    s.name = QString::fromUtf8(name);
    s.from = QString::fromUtf8(from);
    s.to = QString::fromUtf8(to);
    s.months = std::move(months);
    return s;
}

// 24 V, 50 % depth, 10 % losses; Krazr 10, 5 and 1 hours. One AC load (Kinv 0,8) with three
// schedules, one DC schedule. January 20 degrees (Kt 1), February 0 (Kt 1,2), no day-light row
// for March and April.
//   E: January 960 / 0,8 + 300 = 1500, February 1040 / 0,8 = 1300, March 5000 / 0,8 = 6250,
//      April 0.
//   Спр: January 1500 / 24 / 50 * 100 / 0,9 = 138,89; February 1300 ... * 1,2 = 144,44.
//   Mode 0 powers of January and February: "Зима" through its inverter, 400 / 0,8 = 500,
//   600 / 0,8 = 750, 2000 / 0,8 = 2500: Сi.ном. 10 * 500 / 24 = 208,33 is С in both.
CapacityInputs variant(int mode) {
    CapacityInputs in;
    StorageSettings& s = in.settings;
    s.loadMode = mode;
    s.uses = 24;
    s.depthOfDischarge = 50;
    s.batteryLosses = 10;
    s.krazrNom = 10;
    s.krazrMax = 5;
    s.krazrPik = 1;
    in.tempCoefficients = {{0, 1.2}, {20, 1}};
    in.daylight = {{"январь", 7, 17, 20}, {"февраль", 7, 18, 0}};
    CapacitySchedule winter = schedule(true, 1, "Дом", "Зима", "январь", "февраль",
                                       {{"январь", 0, 960}, {"февраль", 0, 1040}});
    winter.pnom = 400;
    winter.pmax = 600;
    winter.wpPik = 2000;
    winter.intervals = {{0, 24, 400}};
    CapacitySchedule march = schedule(true, 1, "Дом", "Лето", "март", "март", {{"март", 0, 5000}});
    march.pnom = 100;
    march.intervals = {{0, 24, 100}};
    CapacitySchedule night =
        schedule(true, 1, "Дом", "Ночь", "апрель", "апрель", {{"апрель", 0, 0}});
    CapacitySchedule dc =
        schedule(false, 0, "Нагрузка АБ", "Связь", "январь", "январь", {{"январь", 0, 300}});
    dc.pnom = 50;
    dc.pmax = 700;
    dc.wpPik = 100;
    dc.intervals = {{0, 24, 50}};
    in.schedules = {winter, march, night, dc};
    return in;
}

TEST(BatteryAnalysis, EnergyTableNamesEachLoadOnceAndDropsMonthsWithoutData) {
    const BatteryAnalysis a = analyseBattery(variant(0));
    const AnalysisEnergyTable& e = a.energy;
    EXPECT_EQ(e.header, QStringList({" Нагрузка", " Суточный график", "январь", "февраль", "март",
                                     "апрель"}));
    ASSERT_EQ(e.rows.size(), 4u);
    EXPECT_EQ(e.rows[0], QStringList({"Дом", "Зима", "1200", "1300", "", ""}));
    EXPECT_EQ(e.rows[1], QStringList({"- // -", "Лето", "", "", "6250", ""}));
    EXPECT_EQ(e.rows[2], QStringList({"- // -", "Ночь", "", "", "", "0"}));
    EXPECT_EQ(e.rows[3], QStringList({"Нагрузка АБ", "Связь", "300", "", "", ""}));
    EXPECT_EQ(e.total, QStringList({" Итого", "", "1500", "1300", "6250", "0"}));
    EXPECT_EQ(e.largest, 2);
    // With profiles a month of zeros is no data: April goes.
    EXPECT_EQ(analyseBattery(variant(1)).energy.months, (std::vector<int>{1, 2, 3}));
}

TEST(BatteryAnalysis, ModeZeroPerMonthThroughTheInverterDiffersFromTheStoredFigure) {
    const BatteryAnalysis a = analyseBattery(variant(0));
    ASSERT_FALSE(a.error);
    const auto& c = a.capacityTable.columns;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], QStringList({"январь", "20", "1", "138,89", "20,83", "208,33", "31,25",
                                 "156,25", "104,17", "104,17", "208,33"}));
    EXPECT_EQ(c[1], QStringList({"февраль", "0", "1,2", "144,44", "20,83", "208,33", "31,25",
                                 "156,25", "104,17", "104,17", "208,33"}));
    // March has no day-light row: its column stays empty and its energy decides nothing.
    EXPECT_EQ(c[2], QStringList({"март", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(a.capacityText, "208,33");
    EXPECT_EQ(a.capacityTable.largest, 0); // the first of the tie
    EXPECT_EQ(a.capacityTable.rowNames.size(), 11);

    // The chain takes the largest raw powers of all schedules: 10 * 400 / 24 = 166,67.
    const CapacityResult chain = requiredCapacity(variant(0));
    ASSERT_TRUE(chain.capacity);
    EXPECT_DOUBLE_EQ(*chain.capacity, 166.67);
    EXPECT_EQ(storedCapacityLine(a, chain.capacity),
              "Емкость АБ, записанная в варианте расчета (по параметрам суточных графиков), "
              "А*ч: 166,67");
    EXPECT_EQ(storedCapacityLine(a, 208.33), "");
}

TEST(BatteryAnalysis, ModeOneProfilesInTheDarkAndTheLargestSchedulePeak) {
    // January: 400 / 0,8 + 50 = 550 W all night, peak 2000 / 0,8 = 2500 of "Зима";
    // February: 500 W. С: January 10 * 550 / 24 = 229,17.
    const BatteryAnalysis a = analyseBattery(variant(1));
    const auto& jan = a.capacityTable.columns[0];
    EXPECT_EQ(jan.mid(4),
              QStringList({"22,92", "229,17", "22,92", "114,58", "104,17", "104,17", "229,17"}));
    EXPECT_EQ(a.capacityTable.columns[1][10], "208,33");
    EXPECT_EQ(a.capacityText, "229,17");
}

TEST(BatteryAnalysis, ModeTwoAccumulatesStartsWithThreeDecimals) {
    // Four DC consumers of 0,1 W starting at 18 with 0,125 W each: 0,5 W, which rounds to 0 W
    // (half to even). Written with two decimals at each addition it would be 0,52, so 1 W.
    CapacityInputs in = variant(2);
    Consumer c;
    c.spnom = 0.1;
    c.sppik = 0.125;
    c.periods = {{"18", "20", 18, 20}};
    in.schedules[3].consumers = {c, c, c, c};
    const BatteryAnalysis a = analyseBattery(in);
    EXPECT_EQ(a.capacityTable.columns[0][8], "0");
    CapacityMonth chain;
    profilePowers(in, 1, chain, 2);
    EXPECT_EQ(chain.ppeak, 1);
}

TEST(BatteryAnalysis, ADivisorOfZeroOrNoTemperatureTableLeavesTheFiguresEmpty) {
    struct Case {
        std::function<void(CapacityInputs&)> spoil;
        QString names;
    };
    const std::vector<Case> cases{
        {[](CapacityInputs& in) { in.settings.uses = 0; }, "Напряжение системы"},
        {[](CapacityInputs& in) { in.settings.depthOfDischarge = 0; }, "Глубина разряда"},
        {[](CapacityInputs& in) { in.settings.batteryLosses = 100; }, "Потери"},
        {[](CapacityInputs& in) { in.schedules[0].kinv = 0; }, "КПД инвертора"},
        {[](CapacityInputs& in) { in.tempCoefficients.clear(); }, "температурных коэффициентов"},
    };
    for (const Case& c : cases) {
        CapacityInputs in = variant(0);
        c.spoil(in);
        const BatteryAnalysis a = analyseBattery(in);
        SCOPED_TRACE(c.names.toStdString());
        ASSERT_TRUE(a.error);
        EXPECT_TRUE(a.error->contains(c.names));
        EXPECT_FALSE(a.capacity);
        EXPECT_EQ(a.capacityText, "");
        for (const QStringList& column : a.capacityTable.columns)
            EXPECT_EQ(column.mid(1).join(""), "");
    }
    // Without an inverter efficiency the AC energies and the totals are unknown too.
    CapacityInputs in = variant(0);
    in.schedules[0].kinv = 0;
    const BatteryAnalysis a = analyseBattery(in);
    EXPECT_EQ(a.energy.rows[0].mid(2).join(""), "");
    EXPECT_EQ(a.energy.total.mid(2).join(""), "");
    EXPECT_EQ(a.energy.largest, -1);
}

class BatteryAnalysisStore : public ses::test::DbTest {};

TEST_F(BatteryAnalysisStore, ReadsLoadAndScheduleNamesAndTheStoredCapacity) {
    ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
    ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"}, {"Uses", "24"}}));
    const int variantKod = tbl("project1")["Kod"].asInteger();
    ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
    ASSERT_TRUE(add(tbl("proj_graf0"),
                    {{"SutGrafName", "Зима"}, {"MonthName1", "январь"}, {"MonthName2", "март"}}));
    ASSERT_TRUE(
        add(tbl("proj_graf12_0"),
            {{"SutGrafName", "Связь"}, {"MonthName1", "январь"}, {"MonthName2", "декабрь"}}));
    const CapacityInputs in = capacityInputs(*dm, variantKod);
    ASSERT_EQ(in.schedules.size(), 2u);
    EXPECT_EQ(in.schedules[0].load, "Дом");
    EXPECT_EQ(in.schedules[0].name, "Зима");
    EXPECT_NE(in.schedules[0].loadKod, 0);
    EXPECT_EQ(in.schedules[1].load, "Нагрузка АБ");
    EXPECT_EQ(in.schedules[1].name, "Связь");
    EXPECT_FALSE(storedCapacity(*dm, variantKod));
}

} // namespace
