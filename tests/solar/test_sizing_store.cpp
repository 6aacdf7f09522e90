// The required power and tilt of a variant read from its stored schedules, worked out by hand.

#include "../data/fixture.h"

#include "solar/sizing_store.h"

using namespace ses;
using namespace ses::test;

namespace {

class SizingStoreTest : public DbTest {};

TEST_F(SizingStoreTest, RequiredPowerAndTiltOfAVariant) {
    ASSERT_TRUE(add(tbl("param"), {{"SutGr_Pnom_Time", "30"},
                                   {"SutGr_Pmax_Time", "10"},
                                   {"KproizTable", "1"},
                                   {"Score_Isp", "0"},
                                   {"OptimUgolRejim", "1"},
                                   {"OptimUgolDay", "22"}}));
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Тест"}, {"Fi", "50"}}));
    for (const char* m : {"январь", "февраль", "март", "апрель", "май", "июнь", "июль", "август",
                          "сентябрь", "октябрь", "ноябрь", "декабрь"}) {
        const QString tilt = QString(m) == "январь" ? "60" : QString(m) == "июнь" ? "20" : "40";
        ASSERT_TRUE(
            add(tbl("region1"), {{"MonthName", m}, {"P", "2"}, {"Tsred", "10"}, {"B", tilt}}));
    }
    ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", "0"}, {"K", "0"}}));
    ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", "90"}, {"K", "90"}}));
    ASSERT_TRUE(add(tbl("project0"), {{"Name", "П"}}));
    ASSERT_TRUE(add(tbl("project1"), {{"VarName", "В"},
                                      {"Region", "Тест"},
                                      {"Poteri_AKB", "20"},
                                      {"Poteri_Ctrl", "10"},
                                      {"Ksp_summer", "0,5"},
                                      {"Ksp_winter", "0,7"},
                                      {"UchetKdifP_SP", "-"}}));
    ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}, {"Kpd_Inv", "0,9"}}));
    ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Г"}, {"Wp_sut", "1000"}}));
    ASSERT_TRUE(add(tbl("proj_gr_prm"),
                    {{"MonthName", "январь"}, {"Wsut_dark", "500"}, {"Wmax_dark", "500"}}));
    ASSERT_TRUE(add(tbl("proj_gr_prm"),
                    {{"MonthName", "июнь"}, {"Wsut_dark", "300"}, {"Wmax_dark", "300"}}));

    const SolarSizing s = requiredSolarPower(*dm);
    ASSERT_TRUE(s.ok()) << s.problems.join('\n').toStdString();
    // January: (1000 - 500 + 500 / 0,8) / 0,9 / 2 / 0,9 / 0,7 = 992,06; June, summer: 1327,16.
    EXPECT_EQ(s.requirement.watts[0], 992);
    EXPECT_EQ(s.requirement.watts[5], 1327);
    EXPECT_EQ(s.result.governingMonth, 6);
    // At June's 20 degrees January would need 992 / 0,6: the search settles on 29 degrees.
    ASSERT_TRUE(s.result.searched);
    EXPECT_EQ(s.result.tilt, 29);
    EXPECT_EQ(s.result.power, 1458);

    // Without the region the variant is not sized and says why.
    ASSERT_TRUE(tbl("project1").edit());
    tbl("project1")["Region"].setString("Нет такого");
    ASSERT_TRUE(tbl("project1").post());
    EXPECT_FALSE(requiredSolarPower(*dm).ok());
}

} // namespace
