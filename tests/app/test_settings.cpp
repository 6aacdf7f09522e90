// The program settings without a window: defaults, the dialog's checks, the recomputation rule.

#include "../data/fixture.h"

#include "app/settings.h"

using namespace ses;
using namespace ses::test;

namespace {

class SettingsTest : public DbTest {};

TEST_F(SettingsTest, NullColumnsReadAsTheirDefaults) {
    View& param = tbl("param");
    EXPECT_EQ(readSettings(param), (ProgramSettings{30, 10, 1, 0, 0, 22}));

    ASSERT_TRUE(add(param, {{"SutGr_Pmax_Time", "5"}, {"OptimUgolDay", "3"}}));
    EXPECT_EQ(readSettings(param), (ProgramSettings{30, 5, 1, 0, 0, 3}));
}

TEST_F(SettingsTest, FirstSaveCreatesTheRowLaterSavesRewriteIt) {
    View& param = tbl("param");
    ASSERT_TRUE(writeSettings(param, {45, 15, 0, 1, 1, 7}));
    ASSERT_TRUE(writeSettings(param, {40, 20, 1, 0, 0, 9}));
    reopen();
    EXPECT_EQ(tbl("param").recordCount(), 1);
    EXPECT_EQ(readSettings(tbl("param")), (ProgramSettings{40, 20, 1, 0, 0, 9}));
}

TEST(SettingsChecks, LoadWindows) {
    const QString order =
        "Значение \"Длительность номинальной нагрузки более, мин.\" не должно быть "
        "меньше значения параметра \"Длительность максимальной нагрузки не более, "
        "мин.\".";
    const struct {
        const char* pnom;
        const char* pmax;
        QString message; // empty: accepted
        SettingsField field;
    } cases[] = {
        {"", "10", "Введите значение длительности номинальной нагрузки.", SettingsField::PnomTime},
        {"0", "10", "Значение длительности номинальной нагрузки должно быть больше 0.",
         SettingsField::PnomTime},
        {"3,5", "1", "\"3,5\" - некорректное значение для длительности номинальной нагрузки.",
         SettingsField::PnomTime},
        {"30", "", "Введите значение длительности максимальной нагрузки.", SettingsField::PmaxTime},
        {"30", "0", "Значение длительности максимальной нагрузки должно быть больше 0.",
         SettingsField::PmaxTime},
        {"30", "1,", "\"1,\" - некорректное значение для длительности максимальной нагрузки.",
         SettingsField::PmaxTime},
        {"10", "30", order, SettingsField::PnomTime},
        {"30", "30", "", SettingsField::PnomTime},
        {"90", "10", "", SettingsField::PnomTime},
    };
    for (const auto& c : cases) {
        const auto r = checkLoadWindows(QString::fromUtf8(c.pnom), QString::fromUtf8(c.pmax));
        SCOPED_TRACE(std::string(c.pnom) + " / " + c.pmax);
        if (c.message.isEmpty()) {
            EXPECT_FALSE(r.has_value());
            continue;
        }
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->message, c.message);
        EXPECT_EQ(r->field, c.field);
    }
}

TEST(SettingsChecks, TiltsAreRecomputedOnlyForANewDayInAutomaticMode) {
    const struct {
        int modeBefore, dayBefore, modeAfter, dayAfter;
        bool recompute;
    } cases[] = {
        {0, 22, 0, 22, false}, {0, 22, 0, 15, true}, {1, 22, 1, 15, false},
        {1, 22, 0, 22, false}, {1, 22, 0, 15, true}, {0, 22, 1, 15, false},
    };
    for (const auto& c : cases) {
        ProgramSettings before, after;
        before.optimUgolRejim = c.modeBefore;
        before.optimUgolDay = c.dayBefore;
        after.optimUgolRejim = c.modeAfter;
        after.optimUgolDay = c.dayAfter;
        EXPECT_EQ(tiltsNeedRecompute(before, after), c.recompute)
            << c.modeBefore << "/" << c.dayBefore << " -> " << c.modeAfter << "/" << c.dayAfter;
    }
}

} // namespace
