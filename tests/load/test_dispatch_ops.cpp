// What the dispatchers write: the AC load's aggregates after every command, edits whole or not
// at all, the variant's DC figures and the cable choice they invalidate, the close checks over
// the stored loads, and the deep copy with its own free range.

#include "data/fixture.h"
#include "lib/qt_print.h"

#include "lib/months.h"
#include "load/dispatch_ops.h"

using namespace ses;
using namespace ses::test;

namespace {

class OpsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"},
                                          {"Uses", "24"},
                                          {"GlubRazryad_AKB", "30"},
                                          {"Poteri_AKB", "20"},
                                          {"Poteri_Ctrl", "10"},
                                          {"SutCikl", "+"}}));
        for (const QString& m : monthNames())
            ASSERT_TRUE(
                add(tbl("proj_sunday"), {{"MonthName", m}, {"Voshod10", "7"}, {"Zakat10", "19"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}, {"Kpd_Inv", "0,9"}}));
    }

    // A schedule of the figures given, typed (no intervals) unless intervals are passed.
    static ScheduleDraft draft(const QString& name, const QString& from, const QString& to,
                               double pnom, double pmax, double peak, bool sine = false,
                               const IntervalTexts& intervals = {}) {
        ScheduleDraft d;
        d.name = name;
        d.from = from;
        d.to = to;
        d.wpSut = 1000;
        d.pnom = pnom;
        d.pmax = pmax;
        d.peak = peak;
        d.clearSinus = sine;
        d.intervals = intervals;
        for (const QString& m : monthNames())
            if (monthInRange(m, from, to)) {
                MonthlyRow r;
                r.month = m;
                r.wsutDark = 500;
                d.monthly.push_back(r);
            }
        return d;
    }
    int rows(const char* table) { return int(store->count(QString::fromLatin1(table))); }
    QString text(const char* table, const char* column) {
        return tbl(table)[QString::fromLatin1(column)].asString();
    }
    QStringList loadFigures() {
        return {text("proj_inv", "Pnom30min"), text("proj_inv", "Pmax10min"),
                text("proj_inv", "Ppik"), text("proj_inv", "ClearSinus")};
    }
};

TEST_F(OpsTest, LoadAggregatesFollowEveryAddEditAndDelete) {
    View& schedules = tbl("proj_graf0");
    ASSERT_TRUE(addSchedule(*dm, true, draft("Зима", "январь", "июнь", 200, 300, 900)));
    EXPECT_EQ(loadFigures(), QStringList({"200", "300", "900", "-"}));
    ASSERT_TRUE(addSchedule(*dm, true, draft("Лето", "июль", "декабрь", 500, 250, 700, true)));
    EXPECT_EQ(loadFigures(), QStringList({"500", "300", "900", "+"}));
    EXPECT_EQ(schedules["SutGrafName"].asString(), "Лето"); // the new schedule is current

    ASSERT_TRUE(editSchedule(*dm, true, draft("Лето", "июль", "декабрь", 100, 250, 700)));
    EXPECT_EQ(loadFigures(), QStringList({"200", "300", "900", "-"}));

    ASSERT_TRUE(schedules.locate("SutGrafName", "Зима"));
    ASSERT_TRUE(deleteSchedule(*dm, true));
    EXPECT_EQ(loadFigures(), QStringList({"100", "250", "700", "-"}));
    // The last one gone: the powers are emptied, not left at the deleted schedule's.
    ASSERT_TRUE(deleteSchedule(*dm, true));
    EXPECT_EQ(loadFigures(), QStringList({"", "", "", "-"}));
    EXPECT_EQ(rows("proj_gr_prm"), 0);
}

TEST_F(OpsTest, ARefusedEditLeavesTheScheduleAndTheAggregatesWhole) {
    const IntervalTexts day = {{"0", "12", "100"}, {"12", "24", "300"}};
    ASSERT_TRUE(addSchedule(*dm, true, draft("Зима", "январь", "июнь", 200, 300, 900, false, day)));
    // The intervals and the record would be rewritten before the monthly row that cannot be
    // saved (its month is too long for the column).
    ScheduleDraft bad = draft("Зима 2", "январь", "июнь", 800, 900, 950, true, {{"0", "24", "5"}});
    bad.monthly.back().month = QString(30, u'я');
    prompter.clear();
    EXPECT_FALSE(editSchedule(*dm, true, bad));
    EXPECT_FALSE(prompter.entries().empty());
    EXPECT_EQ(text("proj_graf0", "SutGrafName"), "Зима");
    EXPECT_EQ(loadSchedule(*dm, tbl("proj_graf0"), true).intervals, day);
    EXPECT_EQ(rows("proj_gr_prm"), 6);
    EXPECT_EQ(loadFigures(), QStringList({"200", "300", "900", "-"}));
}

TEST_F(OpsTest, DcFiguresClearTheBatteryCableOnlyWhenTheyChange) {
    View& var = dm->tblProj1();
    const auto chooseCable = [&] {
        ASSERT_TRUE(var.edit());
        var["Skab_akb"].setString("4");
        var["Tip_AV_AKB"].setString("АВ-10");
        var["Inom_Pr_AKB"].setString("10");
        var["Lkab_akb"].setString("3");
        ASSERT_TRUE(var.post());
    };
    const auto figures = [&] {
        QStringList f;
        for (const char* c : {"Pnom30min", "Pmax10min", "Wp_pik", "Inom", "Imax", "Ipik"})
            f << text("project1", c);
        return f;
    };
    const auto cable = [&] {
        QStringList f;
        for (const QString& c : dcProtectionColumns())
            f << var[c].asString();
        return f.join(QString()); // empty when every column is
    };

    // No DC schedule and nothing stored: nothing changes.
    chooseCable();
    EXPECT_FALSE(storeDcFigures(*dm));
    EXPECT_EQ(cable(), "4АВ-1010");

    ASSERT_TRUE(addSchedule(*dm, false, draft("Охрана", "январь", "июнь", 50, 100, 150)));
    ASSERT_TRUE(addSchedule(*dm, false, draft("Связь", "июль", "декабрь", 60, 80, 90)));
    EXPECT_TRUE(storeDcFigures(*dm));
    EXPECT_EQ(figures(), QStringList({"60", "100", "150", "2,5", "4,17", "6,25"}));
    EXPECT_EQ(cable(), "");
    EXPECT_EQ(text("project1", "Lkab_akb"), "3"); // the length stays

    // Reopened and closed without a change: the cable chosen since stays.
    chooseCable();
    EXPECT_FALSE(storeDcFigures(*dm));
    EXPECT_EQ(cable(), "4АВ-1010");

    ASSERT_TRUE(editSchedule(*dm, false, draft("Связь", "июль", "декабрь", 60, 80, 200)));
    EXPECT_TRUE(storeDcFigures(*dm));
    EXPECT_EQ(figures(), QStringList({"60", "100", "200", "2,5", "4,17", "8,33"}));
    EXPECT_EQ(cable(), "");

    ASSERT_TRUE(deleteSchedule(*dm, false));
    ASSERT_TRUE(deleteSchedule(*dm, false));
    EXPECT_TRUE(storeDcFigures(*dm));
    EXPECT_EQ(figures(), QStringList({"", "", "", "", "", ""}));
}

TEST_F(OpsTest, CloseChecksReadEveryLoadWithoutMovingAny) {
    const QString overlapAc =
        "Диапазоны месяцев действия суточных графиков не должны накладываться друг на друга в "
        "пределах одной нагрузки.\nДиапазоны месяцев суточных графиков нагрузки \"%1\" "
        "накладываются друг на друга по месяцам: %2.\nОтредактируйте диапазоны месяцев суточных "
        "графиков данной нагрузки.";
    const QString overlapDc =
        "Диапазоны месяцев действия суточных графиков не должны накладываться друг на друга.\n"
        "Диапазоны месяцев накладываются друг на друга по месяцам: %1.\nОтредактируйте "
        "диапазоны месяцев суточных графиков.";
    const QString noSchedule =
        "Каждая нагрузка варианта расчета должна содержать хотя бы один суточный график. "
        "Добавьте один или несколько суточных графиков к нагрузке \"Дом\" или удалите эту "
        "нагрузку. После этого может быть завершена работа с диалогом.";
    using Ranges = std::vector<std::pair<QString, QString>>;
    const struct Case {
        Ranges home, pump; // the schedules of the two loads; the home's are also the DC ones
        std::optional<QString> ac;
        QString dcMonths; // the overlap of the DC schedules; empty: none
    } cases[] = {
        // The first load without a schedule is named, though the second is current.
        {{}, {{"январь", "декабрь"}}, noSchedule, ""},
        {{{"январь", "июнь"}, {"июль", "декабрь"}}, {{"январь", "декабрь"}}, std::nullopt, ""},
        {{{"январь", "июнь"}, {"июнь", "декабрь"}},
         {{"январь", "декабрь"}},
         overlapAc.arg("Дом", "июнь"),
         "июнь"},
        {{{"ноябрь", "март"}, {"март", "май"}},
         {{"январь", "декабрь"}},
         overlapAc.arg("Дом", "март"),
         "март"},
        // Months listed in calendar order, not in the order of the ranges.
        {{{"октябрь", "февраль"}, {"январь", "март"}},
         {{"январь", "декабрь"}},
         overlapAc.arg("Дом", "январь, февраль"),
         "январь, февраль"},
        {{{"январь", "декабрь"}},
         {{"октябрь", "февраль"}, {"январь", "декабрь"}},
         overlapAc.arg("Насос", "январь, февраль, октябрь, ноябрь, декабрь"),
         ""},
    };
    for (const Case& c : cases) {
        // A variant of its own for each case.
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Вариант"}, {"Uses", "24"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
        for (const auto& [from, to] : c.home) {
            ASSERT_TRUE(addSchedule(*dm, true, draft("Дом", from, to, 1, 1, 1)));
            ASSERT_TRUE(addSchedule(*dm, false, draft("DC", from, to, 1, 1, 1)));
        }
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Насос"}}));
        for (const auto& [from, to] : c.pump)
            ASSERT_TRUE(addSchedule(*dm, true, draft("Насос", from, to, 1, 1, 1)));
        EXPECT_EQ(closeRefusal(*dm, true), c.ac);
        EXPECT_EQ(text("proj_inv", "Nagr_Name"), "Насос");
        EXPECT_EQ(closeRefusal(*dm, false),
                  c.dcMonths.isEmpty() ? std::nullopt : std::optional(overlapDc.arg(c.dcMonths)));
    }
}

TEST_F(OpsTest, FreeMonthRangeIsTheLongestRunNoScheduleCovers) {
    using Ranges = std::vector<std::pair<QString, QString>>;
    const struct Case {
        Ranges taken;
        std::optional<std::pair<QString, QString>> free;
    } cases[] = {
        {{}, std::pair<QString, QString>{"январь", "декабрь"}},
        {{{"январь", "декабрь"}}, std::nullopt},
        {{{"ноябрь", "октябрь"}}, std::nullopt},
        {{{"март", "октябрь"}}, std::pair<QString, QString>{"ноябрь", "февраль"}},
        {{{"январь", "март"}, {"июнь", "июль"}}, std::pair<QString, QString>{"август", "декабрь"}},
        // Two runs of five: the earlier in the year.
        {{{"март", "март"}, {"сентябрь", "сентябрь"}},
         std::pair<QString, QString>{"апрель", "август"}},
    };
    for (const Case& c : cases) {
        std::vector<ScheduleSummary> s;
        for (const auto& [from, to] : c.taken)
            s.push_back({"Г", from, to, {}, {}, {}, false});
        EXPECT_EQ(freeMonthRange(s), c.free)
            << (c.taken.empty() ? std::string() : c.taken[0].first.toStdString());
    }
}

TEST_F(OpsTest, CopyIsDeepAndValidInItsOwnRange) {
    const IntervalTexts day = {{"0", "12", "100"}, {"12", "24", "300"}};
    ASSERT_TRUE(addSchedule(*dm, true, draft("Зима", "январь", "июнь", 300, 300, 900, true, day)));
    const QVariant sourceKey = tbl("proj_graf0").currentKey();
    ASSERT_TRUE(add(tbl("proj_time"), {{"T1", "1"}, {"T2", "2"}}));
    ASSERT_TRUE(add(tbl("proj_ep0"), {{"Name", "Насос"}, {"Pnom", "100"}, {"Kol_vo", "2"}}));
    ASSERT_TRUE(add(tbl("proj_ep1"), {{"T1", "0"}, {"T2", "12"}}));
    ASSERT_TRUE(add(tbl("proj_ep1"), {{"T1", "12"}, {"T2", "24"}}));

    const std::optional<int> key = copySchedule(*dm, true, "  Лето ", "июль", "декабрь");
    ASSERT_TRUE(key);
    View& schedules = tbl("proj_graf0");
    EXPECT_EQ(schedules.currentKey().toInt(), *key);
    EXPECT_NE(schedules.currentKey(), sourceKey);
    const ScheduleDraft copy = loadSchedule(*dm, schedules, true);
    EXPECT_EQ(copy.name, "Лето");
    EXPECT_EQ(copy.from, "июль");
    EXPECT_EQ(copy.to, "декабрь");
    EXPECT_EQ(copy.intervals, day);
    EXPECT_EQ(copy.wpSut, 1000);
    EXPECT_EQ(copy.peak, 900);
    EXPECT_TRUE(copy.clearSinus);
    // Its monthly rows are those of its own months, built from its intervals.
    ASSERT_EQ(copy.monthly.size(), 6u);
    EXPECT_EQ(copy.monthly.front().month, "июль");
    EXPECT_EQ(copy.monthly.front().wsutDark, 2200); // 0-7 h at 100 W and 19-24 h at 300 W
    // Every detail row copied under the copy, the source's left where they were.
    EXPECT_EQ(tbl("proj_time").recordCount(), 1);
    EXPECT_EQ(tbl("proj_ep0").recordCount(), 1);
    EXPECT_EQ(tbl("proj_ep0")["Name"].asString(), "Насос");
    EXPECT_EQ(tbl("proj_ep1").recordCount(), 2);
    EXPECT_EQ(rows("proj_graf1"), 4);
    EXPECT_EQ(rows("proj_time"), 2);
    EXPECT_EQ(rows("proj_ep0"), 2);
    EXPECT_EQ(rows("proj_ep1"), 4);
    EXPECT_EQ(rows("proj_gr_prm"), 12);
    EXPECT_EQ(closeRefusal(*dm, true), std::nullopt);
    ASSERT_TRUE(schedules.locate("Kod", sourceKey));
    EXPECT_EQ(loadSchedule(*dm, schedules, true).monthly.size(), 6u);
    EXPECT_EQ(tbl("proj_ep1").recordCount(), 2);

    // A typed copy keeps only its months' typed rows: none here (its dialog asks for them).
    ASSERT_TRUE(addSchedule(*dm, false, draft("Охрана", "январь", "март", 10, 10, 10)));
    ASSERT_TRUE(copySchedule(*dm, false, "Охрана_1", "апрель", "май"));
    EXPECT_EQ(text("proj_graf12_0", "SutGrafName"), "Охрана_1");
    EXPECT_EQ(tbl("proj_gr12_prm").recordCount(), 0);
    EXPECT_EQ(rows("proj_gr12_prm"), 3);
}

TEST_F(OpsTest, CopyRefusesANameOrRangeThatWouldMakeItInvalid) {
    ASSERT_TRUE(addSchedule(*dm, true, draft("Зима", "январь", "июнь", 300, 300, 900)));
    const struct Case {
        QString name, from, to, message;
    } cases[] = {
        {" ", "июль", "июль", "Поле \"Наименование суточного графика\" должно быть заполнено."},
        {QString(49, u'З') + "_1", "июль", "июль",
         "Наименование суточного графика \"" + QString(49, u'З') +
             "_1\" длиннее допустимого: 51 символов при наибольшей длине 50. Сократите "
             "наименование."},
        // The source's own range is taken: the copy may not share a month with it.
        {"Зима_1", "июнь", "август",
         "Месяц \"июнь\" данного суточного графика входит в диапазон месяцев \"январь\" - "
         "\"июнь\" другого имеющегося суточного графика \"Зима\". Не допускается подобное "
         "пересечение диапазонов месяцев суточных графиков.\nСправка о диапазонах месяцев "
         "имеющихся суточных графиков:\n- суточный график \"Зима\" - диапазон месяцев \"январь\" - "
         "\"июнь\"\n"},
    };
    for (const Case& c : cases) {
        prompter.clear();
        EXPECT_FALSE(copySchedule(*dm, true, c.name, c.from, c.to));
        EXPECT_EQ(prompter.last(), c.message);
        EXPECT_EQ(rows("proj_graf0"), 1);
        EXPECT_EQ(rows("proj_gr_prm"), 6);
        EXPECT_EQ(text("proj_graf0", "SutGrafName"), "Зима");
    }
}

} // namespace
