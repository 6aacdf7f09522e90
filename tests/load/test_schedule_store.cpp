// Reading a schedule's inputs, writing schedules in one transaction, the schedule book.

#include "data/fixture.h"

#include "load/schedule_store.h"

using namespace ses;
using namespace ses::test;

namespace {

class StoreTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"},
                                          {"Uses", "24"},
                                          {"Region", "Юг"},
                                          {"GlubRazryad_AKB", "30"},
                                          {"Poteri_AKB", "20"},
                                          {"Poteri_Ctrl", "10"},
                                          {"Ksp_summer", "0,5"},
                                          {"Ksp_winter", "0,7"},
                                          {"SutCikl", "-"},
                                          {"KolHourWithoutSun", "36"},
                                          {"DefTipAKB_Ctrl", "LiFePo4"}}));
        for (const char* m : {"январь", "февраль"})
            ASSERT_TRUE(
                add(tbl("proj_sunday"),
                    {{"MonthName", m}, {"Voshod10", "7"}, {"Zakat10", "19"}, {"TempAB", "5"}}));
        ASSERT_TRUE(add(tbl("region0"), {{"Region", "Север"}, {"Fi", "60"}}));
        ASSERT_TRUE(add(tbl("region0"), {{"Region", "Юг"}, {"Fi", "45"}}));
        ASSERT_TRUE(add(tbl("region1"),
                        {{"MonthName", "январь"}, {"P", "1,5"}, {"Tsred", "-2"}, {"B", "60"}}));
        for (const auto& [t, k] : {std::pair{"0", "1,2"}, {"10", "1,1"}}) {
            ASSERT_TRUE(add(tbl("Ktemp"), {{"T", t}, {"K", k}}));
            ASSERT_TRUE(add(tbl("Ktemp1"), {{"T", t}, {"K", "1"}}));
        }
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}, {"Kpd_Inv", "0,8"}}));
        tbl("region0").first();
    }

    static ScheduleDraft draft(const QString& name, const QString& from, const QString& to) {
        ScheduleDraft d;
        d.name = name;
        d.from = from;
        d.to = to;
        d.wpSut = 3300;
        d.pnom = 200;
        d.pmax = 200;
        d.peak = 900;
        d.clearSinus = true;
        d.intervals = {{"0", "6", "50"}, {"6", "18", "200"}, {"18", "24", "100"}};
        MonthlyRow r;
        r.month = "январь";
        r.periodDark = "0 - 7; 19 - 24";
        r.tsutDark = 12;
        r.wsutDark = 1000;
        r.tmaxDark = 36;
        r.wmaxDark = 4300;
        r.takb = 5;
        r.ktemp = 1.15;
        r.cakb = 1029.95;
        r.radiation = 1.5;
        r.tsred = -2;
        r.tilt = 60;
        r.ksp = 0.7;
        d.monthly = {r, r};
        d.monthly[1].month = "февраль"; // no Psb: stays empty
        return d;
    }
    int rows(const char* table) { return int(store->count(QString::fromLatin1(table))); }
};

TEST_F(StoreTest, ReadsTheInputsOfTheCurrentVariant) {
    ASSERT_TRUE(add(tbl("param"), {{"SutGr_Pnom_Time", "20"}, {"SutGr_Pmax_Time", "5"}}));
    ScheduleInputs in = readScheduleInputs(*dm, true);
    EXPECT_EQ(in.nomMinutes, 20);
    EXPECT_EQ(in.maxMinutes, 5);
    EXPECT_FALSE(in.dailyCycle);
    EXPECT_EQ(in.hoursWithoutSun, 36);
    EXPECT_EQ(in.kspWinter, 0.7);
    EXPECT_EQ(in.kinv, 0.8);
    ASSERT_EQ(in.daylight.size(), 2u);
    EXPECT_EQ(in.daylight[1].month, "февраль");
    EXPECT_EQ(in.daylight[1].batteryTemp, 5);
    ASSERT_EQ(in.regionMonths.size(), 1u);
    EXPECT_EQ(in.regionMonths[0].radiation, 1.5);
    // The region list stays where the user left it.
    EXPECT_EQ(tbl("region0")["Region"].asString(), "Север");
    // No battery chosen: the default type, not lead-acid, reads Ktemp1.
    EXPECT_EQ(in.batteryType, "LiFePo4");
    EXPECT_EQ(in.tempCoefficients[0].k, 1);

    View& var = dm->tblProj1();
    ASSERT_TRUE(var.edit());
    var["Tip_AKB"].setString("AGM");
    var["UseUserKpd_Inv"].setBoolean(true);
    var["UserKpd_Inv"].setString("0,95");
    ASSERT_TRUE(var.post());
    in = readScheduleInputs(*dm, true);
    EXPECT_EQ(in.tempCoefficients[0].k, 1.2);
    EXPECT_EQ(in.kinv, 0.95);
    EXPECT_EQ(readScheduleInputs(*dm, false).kinv, 1);
}

TEST_F(StoreTest, StoresAScheduleWithItsDetailsAndReadsItBack) {
    View& schedules = tbl("proj_graf0");
    const ScheduleDraft d = draft("Зима", "ноябрь", "февраль");
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, false, d));
    EXPECT_EQ(rows("proj_graf0"), 1);
    EXPECT_EQ(rows("proj_graf1"), 3);
    EXPECT_EQ(rows("proj_gr_prm"), 2);
    EXPECT_EQ(schedules["Wp_pik"].asString(), "900");
    EXPECT_TRUE(schedules["ClearSinus"].asBoolean());
    View& monthly = tbl("proj_gr_prm");
    monthly.first();
    EXPECT_EQ(monthly["Period_dark"].asString(), "0 - 7; 19 - 24");
    EXPECT_EQ(monthly["Cakb"].asString(), "1029,95");
    EXPECT_TRUE(monthly["Psb"].isNull());

    const ScheduleDraft back = loadSchedule(*dm, schedules, true);
    EXPECT_EQ(back.name, d.name);
    EXPECT_EQ(back.to, d.to);
    EXPECT_EQ(back.peak, d.peak);
    EXPECT_EQ(back.intervals, d.intervals);
    ASSERT_EQ(back.monthly.size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(back.monthly[i].texts(), d.monthly[i].texts());

    // DC schedules belong to the variant and have no pure-sine column.
    ASSERT_TRUE(storeSchedule(*dm, tbl("proj_graf12_0"), false, false, d));
    EXPECT_EQ(rows("proj_graf12_1"), 3);
    EXPECT_EQ(rows("proj_gr12_prm"), 2);
}

TEST_F(StoreTest, EditingReplacesTheDetailsATypedScheduleKeepsItsIntervals) {
    View& schedules = tbl("proj_graf0");
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, false, draft("Зима", "январь", "июнь")));
    ScheduleDraft d = draft("Зима 2", "январь", "июнь");
    d.intervals = {{"0", "24", "10"}};
    d.monthly.resize(1);
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, true, d));
    EXPECT_EQ(rows("proj_graf0"), 1);
    EXPECT_EQ(schedules["SutGrafName"].asString(), "Зима 2");
    EXPECT_EQ(rows("proj_graf1"), 1);
    EXPECT_EQ(rows("proj_gr_prm"), 1);
    // A typed schedule has no intervals: the stored ones stay; an empty monthly table stores no
    // row.
    d.intervals.clear();
    d.monthly.clear();
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, true, d));
    EXPECT_EQ(rows("proj_graf1"), 1);
    EXPECT_EQ(rows("proj_gr_prm"), 0);
}

TEST_F(StoreTest, ARefusedRowLeavesEverythingAsItWas) {
    View& schedules = tbl("proj_graf0");
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, false, draft("Зима", "январь", "июнь")));
    // The last monthly row cannot be saved (its month is too long for the column).
    ScheduleDraft bad = draft("Лето", "июль", "декабрь");
    bad.intervals = {{"0", "24", "10"}};
    bad.monthly[1].month = QString(30, u'я');
    for (const bool editing : {false, true}) {
        prompter.clear();
        EXPECT_FALSE(storeSchedule(*dm, schedules, true, editing, bad));
        EXPECT_FALSE(prompter.entries().empty());
        EXPECT_EQ(rows("proj_graf0"), 1);
        EXPECT_EQ(rows("proj_graf1"), 3);
        EXPECT_EQ(rows("proj_gr_prm"), 2);
        EXPECT_EQ(schedules["SutGrafName"].asString(), "Зима");
        EXPECT_FALSE(schedules.isEditing());
        EXPECT_EQ(tbl("proj_gr_prm").recordCount(), 2);
    }
}

TEST_F(StoreTest, OtherSchedulesLeaveOutTheOneBeingEdited) {
    View& schedules = tbl("proj_graf0");
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, false, draft("Зима", "ноябрь", "март")));
    ASSERT_TRUE(storeSchedule(*dm, schedules, true, false, draft("Лето", "апрель", "октябрь")));
    ASSERT_TRUE(schedules.locate("SutGrafName", "Зима"));
    const auto others = otherSchedules(schedules, true);
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].name, "Лето");
    EXPECT_EQ(others[0].to, "октябрь");
    EXPECT_EQ(otherSchedules(schedules, false).size(), 2u);
}

TEST_F(StoreTest, SavesIntoTheBookUnderASectionFoundByName) {
    const IntervalTexts day = {{"0", "12", "100"}, {"12", "24", "300"}};
    const ScheduleParams figures{4800, 300, 300};
    ASSERT_TRUE(saveToBook(*dm, "Дома", "Дача", day, figures));
    ASSERT_TRUE(saveToBook(*dm, "Дома", "Дача, зима", day, figures));
    EXPECT_EQ(bookSections(*dm), QStringList({"Дома"}));
    EXPECT_EQ(rows("sSut0"), 2);
    View& schedules = tbl("sSut0");
    EXPECT_EQ(schedules["Name"].asString(), "Дача, зима");
    EXPECT_EQ(schedules["Wp_sut"].asString(), "4800");
    EXPECT_EQ(bookIntervals(*dm), day);

    // A schedule without a name is refused by the book's rule: not even the new section stays.
    prompter.clear();
    EXPECT_FALSE(saveToBook(*dm, "Мастерские", "", day, figures));
    EXPECT_EQ(prompter.last(), "Ошибка. Заполнение поля \"Наименование\" таблицы обязательно.");
    EXPECT_EQ(bookSections(*dm), QStringList({"Дома"}));
    EXPECT_EQ(rows("sSut0"), 2);
    EXPECT_EQ(rows("sSut1"), 4);
}

} // namespace
