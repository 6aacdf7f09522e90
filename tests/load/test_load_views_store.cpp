// What the monthly totals and the chart windows read from a variant.

#include "data/fixture.h"

#include "load/load_views_store.h"

using namespace ses;
using namespace ses::test;

namespace {

class LoadTotalsStore : public DbTest {};

TEST_F(LoadTotalsStore, ReadsLoadsThenDcWithIntervalsMonthsAndConsumers) {
    ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
    ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"}, {"Uses", "24"}}));
    const int variant = tbl("project1")["Kod"].asInteger();
    ASSERT_TRUE(
        add(tbl("proj_sunday"), {{"MonthName", "май"}, {"Voshod10", "5"}, {"Zakat10", "21"}}));
    ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
    ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Лето"},
                                        {"MonthName1", "май"},
                                        {"MonthName2", "сентябрь"},
                                        {"Wp_sut", "1200"}}));
    ASSERT_TRUE(add(tbl("proj_graf1"), {{"T1", "0"}, {"T2", "6,5"}, {"P", "50"}}));
    ASSERT_TRUE(add(tbl("proj_graf1"), {{"T1", "6,5"}, {"T2", "24"}, {"P", "0"}}));
    ASSERT_TRUE(add(tbl("proj_gr_prm"), {{"MonthName", "май"}, {"Wsut_dark", "300"}}));
    ASSERT_TRUE(
        add(tbl("proj_ep0"),
            {{"Name", "Насос"}, {"SPnom", "50"}, {"SPpik", "150"}, {"Rejim", "автоматический"}}));
    ASSERT_TRUE(add(tbl("proj_ep1"), {{"T1", "0"}, {"T2", "6,5"}}));
    ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Связь"}}));

    const TotalsInput in = readTotalsInput(*dm, variant);
    ASSERT_EQ(in.schedules.size(), 2u);
    const TotalsSchedule& ac = in.schedules[0];
    EXPECT_EQ(ac.load, "Дом");
    EXPECT_EQ(ac.from, "май");
    EXPECT_EQ(ac.months, QStringList({"май"}));
    ASSERT_EQ(ac.intervals.size(), 2u);
    EXPECT_EQ(ac.intervals[0].t2, 6.5);
    ASSERT_EQ(ac.consumers.size(), 1u);
    EXPECT_EQ(ac.consumers[0].rejim, "автоматический");
    EXPECT_EQ(ac.consumers[0].periods[0].t2Text, "6,5");
    EXPECT_FALSE(in.schedules[1].ac);
    EXPECT_EQ(in.schedules[1].load, "Нагрузка АБ");
    ASSERT_EQ(in.daylight.size(), 1u);
    EXPECT_EQ(in.daylight[0].sunset, 21);

    const std::vector<ChartSchedule> charts =
        readChartSchedules(*dm, true, tbl("proj_inv")["Kod"].asInteger());
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts[0].intervals[0][1], "6,5");
    EXPECT_EQ(charts[0].wpSut, 1200);
    EXPECT_EQ(darkEnergyBars(charts[0])[4], 300);
    EXPECT_EQ(readChartSchedules(*dm, false, variant).size(), 1u);
}

// The information window shades the variant's dark periods for a schedule of the variant and the
// design table's for a reference-book one.
TEST_F(LoadTotalsStore, InformationDaylightFollowsTheOrigin) {
    ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
    ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"}}));
    const int variant = tbl("project1")["Kod"].asInteger();
    ASSERT_TRUE(
        add(tbl("proj_sunday"), {{"MonthName", "июнь"}, {"Voshod10", "4"}, {"Zakat10", "22"}}));
    // The design table of a new data directory, its June changed to tell it from the variant's.
    View& design = tbl("sSun_day");
    const int designRows = design.recordCount();
    const int month = design.table().columnIndex("MonthName");
    int juneRow = -1;
    for (int r = 0; r < designRows; ++r)
        if (design.valueAt(r, month).toString() == "июнь")
            juneRow = r;
    const bool june = juneRow >= 0;
    if (june) {
        ASSERT_TRUE(design.moveTo(juneRow));
        ASSERT_TRUE(design.edit());
        design["Zakat10"].setFloat(18.5);
        ASSERT_TRUE(design.post());
    } else {
        ASSERT_TRUE(add(design, {{"MonthName", "июнь"}, {"Voshod10", "6"}, {"Zakat10", "18,5"}}));
    }

    const std::vector<DaylightRow> own = infoDaylight(*dm, false, variant);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].sunrise, 4);
    const std::vector<DaylightRow> book = infoDaylight(*dm, true, variant);
    ASSERT_EQ(int(book.size()), designRows + (june ? 0 : 1));
    const DaylightRow* bookJune = daylightOf(book, "июнь");
    ASSERT_NE(bookJune, nullptr);
    EXPECT_EQ(bookJune->sunset, 18.5);
}

} // namespace
