// The generation inputs of a variant read from a temporary data directory.

#include "../data/fixture.h"

#include "solar/generation_store.h"
#include "solar/sizing_store.h"

using namespace ses;
using namespace ses::test;

namespace {

class GenerationStoreTest : public DbTest {};

TEST_F(GenerationStoreTest, ReadsTheVariantAndExplainsTheChain) {
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Тест"}, {"Fi", "50"}}));
    for (const char* m : {"июнь", "январь"})
        ASSERT_TRUE(add(tbl("region1"), {{"MonthName", m},
                                         {"P", "2"},
                                         {"Tsred", "10"},
                                         {"B", QString(m) == "январь" ? "60" : "20"}}));
    ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", "0"}, {"K", "0"}}));
    ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", "90"}, {"K", "90"}}));
    ASSERT_TRUE(add(tbl("project0"), {{"Name", "П"}}));
    ASSERT_TRUE(add(tbl("project1"), {{"VarName", "В"},
                                      {"Region", "Тест"},
                                      {"Poteri_AKB", "20"},
                                      {"Poteri_Ctrl", "10"},
                                      {"Ksp_summer", "0,5"},
                                      {"Ksp_winter", "0,7"},
                                      {"PTotal_SP", "1500"},
                                      {"UchetKdifP_SP", "-"}}));
    ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}, {"Kpd_Inv", "0,9"}}));
    ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Г"},
                                        {"Wp_sut", "1000"},
                                        {"MonthName1", "январь"},
                                        {"MonthName2", "июнь"}}));
    ASSERT_TRUE(add(tbl("proj_gr_prm"),
                    {{"MonthName", "январь"}, {"Wsut_dark", "500"}, {"Wmax_dark", "500"}}));
    ASSERT_TRUE(add(tbl("proj_gr_prm"),
                    {{"MonthName", "июнь"}, {"Wsut_dark", "300"}, {"Wmax_dark", "300"}}));
    ASSERT_TRUE(add(
        tbl("proj_mas"),
        {{"NameMassive", "М1"}, {"Pmas", "1500"}, {"Ugol_Orient", "180"}, {"Ugol_Nakl", "29"}}));

    const GenerationInputs in = generationInputs(*dm);
    EXPECT_EQ(in.region, "Тест");
    ASSERT_EQ(in.months.size(), 2u);
    EXPECT_EQ(in.months[0].month, "июнь") << "the region's stored order";
    ASSERT_EQ(in.schedules.size(), 1u);
    EXPECT_EQ(in.schedules[0].load, "Дом");
    EXPECT_EQ(in.schedules[0].name, "Г");
    EXPECT_EQ(in.schedules[0].last, "июнь");
    EXPECT_DOUBLE_EQ(in.schedules[0].kinv, 0.9);
    ASSERT_EQ(in.arrays.size(), 1u);
    EXPECT_EQ(in.arrays[0].tilt, 29);
    EXPECT_EQ(in.totalPower, 1500);

    const GenerationTable t = generationTable(in);
    ASSERT_FALSE(t.refusal) << t.refusal->toStdString();
    ASSERT_EQ(t.columns.size(), 2u);
    EXPECT_EQ(t.columns[0].month, "июнь");

    // The analysis explains the chain's stored figures: 1458 W at 29 degrees.
    const SolarAnalysis a =
        solarAnalysis(in.schedules, regionYearOf(in.months), in.settings, in.loss);
    const SolarSizing chain = requiredSolarPower(*dm);
    ASSERT_TRUE(chain.ok());
    EXPECT_TRUE(a.searched);
    EXPECT_EQ(a.power, chain.result.power);
    EXPECT_EQ(a.tilt, chain.result.tilt);

    // No solar battery formed: the generation refuses.
    ASSERT_TRUE(tbl("project1").edit());
    tbl("project1")["PTotal_SP"].setValue(QVariant());
    ASSERT_TRUE(tbl("project1").post());
    EXPECT_TRUE(generationTable(generationInputs(*dm)).refusal);
}

} // namespace
