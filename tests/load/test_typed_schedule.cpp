// Monthly rows of a schedule given by its parameters.

#include "lib/months.h"
#include "load/typed_schedule.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

class TypedTest : public ::testing::Test {
protected:
    MonthlyInputs in;
    void SetUp() override {
        for (const QString& m : monthNames()) {
            in.daylight.push_back({m, 6, 20, 10});
            in.regionMonths.push_back({m, 1, -10, 66});
        }
        in.region = "Москва";
        in.tempCoefficients = {{0, 1.2}, {10, 1.1}, {25, 1}};
    }
    std::vector<TypedEnergies> same(size_t n, const char* wsut, const char* wmax = "") {
        return std::vector<TypedEnergies>(n, TypedEnergies{wsut, wmax});
    }
};

TEST_F(TypedTest, FrameHoldsTheFixedColumnsOfTheMonthsInRange) {
    in.daylight.erase(in.daylight.begin() + 1); // no day-light row for February
    const auto rows = typedFrame("ноябрь", "февраль", in);
    QStringList months;
    for (const auto& r : rows)
        months << r.month;
    EXPECT_EQ(months, QStringList({"январь", "ноябрь", "декабрь"}));
    EXPECT_EQ(rows[0].periodDark, "0 - 6; 20 - 24");
    EXPECT_EQ(rows[0].tsutDark, 10);
    EXPECT_EQ(rows[0].tmaxDark, 10);
    in.dailyCycle = false;
    in.hoursWithoutSun = 36;
    EXPECT_EQ(typedFrame("май", "май", in).at(0).tmaxDark, 36);
}

TEST(TypedMax, TypedOnlyWithoutDailyCycleAndForPartOfADay) {
    struct Case {
        bool dailyCycle;
        double k;
        bool typed;
    } cases[] = {{true, 36, false}, {false, 24, false}, {false, 48, false},
                 {false, 36, true}, {false, 10, true},  {false, 24.5, true}};
    for (const auto& c : cases)
        EXPECT_EQ(typedMaxRequired(c.dailyCycle, c.k), c.typed) << c.k;
}

TEST_F(TypedTest, TableCheckRulesInOrder) {
    const auto frame = typedFrame("январь", "март", in); // Tsut 10 in every month
    const QString greater = "Если значение ячейки столбца \"Тсут.бс, час.\" не меньше значения "
                            "ячейки столбца \"Tмакс.бс, час.\", то и значение ячейки столбца "
                            "\"Wсут.бс, Вт*ч\" должно быть не меньше значения ячейки столбца "
                            "\"Wмакс.бс, Вт*ч.\"";
    const QString smaller = "Если значение ячейки столбца \"Тсут.бс, час.\" не больше значения "
                            "ячейки столбца \"Tмакс.бс, час.\", то и значение ячейки столбца "
                            "\"Wсут.бс, Вт*ч\" должно быть не больше значения ячейки столбца "
                            "\"Wмакс.бс, Вт*ч.\"";
    struct Case {
        std::vector<TypedEnergies> typed;
        double k; // without daily cycle
        std::optional<double> wp;
        QString message;
        int row, column;
    } cases[] = {
        // Every empty cell is found before any bad number.
        {{{"1", "x"}, {"", "1"}, {"1", "1"}},
         36,
         {},
         "Заполнение всех ячеек столбца таблицы \"Wсут.бс, Вт*ч\" обязательно.",
         1,
         3},
        {{{"1", "1"}, {"1", ""}, {"1", "1"}},
         36,
         {},
         "Заполнение всех ячеек столбца таблицы \"Wмакс.бс, Вт*ч\" обязательно.",
         1,
         5},
        {{{"1", "1"}, {"1", "1"}, {"1", "1,2,"}},
         36,
         {},
         "Ошибочное значение для числового параметра.",
         2,
         5},
        // Tsut 10 < K 36: the longer run cannot draw less.
        {{{"500", "900"}, {"500", "400"}, {"1", "1"}}, 36, {}, smaller, 1, 3},
        // Tsut 10 >= K 6: the shorter run cannot draw more.
        {{{"500", "600"}, {"1", "1"}, {"1", "1"}}, 6, {}, greater, 0, 3},
        // No typed maximum for two whole days: the cells stay as they are.
        {{{"500", ""}, {"500", "x"}, {"5000", ""}},
         48,
         4000,
         "Значение ячейки столбца \"Wсут.бс, Вт*ч\" месяца \"март\" не должно быть больше "
         "суточного "
         "потребления электроэнергии (4000 Вт*ч).",
         2,
         3},
    };
    for (const auto& c : cases) {
        const TypedCheck t = checkTypedTable(frame, c.typed, false, c.k, c.wp);
        EXPECT_FALSE(t.ok);
        EXPECT_EQ(t.message, c.message);
        EXPECT_EQ(t.row, c.row) << c.message.toStdString();
        EXPECT_EQ(t.column, c.column) << c.message.toStdString();
    }
    EXPECT_TRUE(checkTypedTable(frame, same(3, "500", "900"), false, 36, 4000).ok);
    EXPECT_TRUE(checkTypedTable(frame, same(3, "500"), true, 36, 500).ok);
}

TEST_F(TypedTest, MaximumRunFollowsTheDailyCycleOrK) {
    const auto frame = typedFrame("январь", "январь", in);
    // Daily cycle: Tmax and Wmax repeat Tsut and Wsut.
    MonthlyRow r = typedMonthlyRows(frame, same(1, "700", "9"), 3000, in).rows.at(0);
    EXPECT_EQ(r.tmaxDark, 10);
    EXPECT_EQ(r.wmaxDark, 700);
    in.dailyCycle = false;
    struct Case {
        double k;
        const char* typed;
        double wmax;
    } cases[] = {{48, "", 6000}, {24, "", 3000}, {36, "4500", 4500}};
    for (const auto& c : cases) {
        in.hoursWithoutSun = c.k;
        r = typedMonthlyRows(typedFrame("январь", "январь", in), same(1, "700", c.typed), 3000, in)
                .rows.at(0);
        EXPECT_EQ(r.tmaxDark, c.k);
        EXPECT_EQ(r.wmaxDark, c.wmax) << c.k;
    }
    // The whole days of K times the daily energy, halves away from zero.
    in.hoursWithoutSun = 48;
    r = typedMonthlyRows(frame, same(1, "700"), 2500.25, in).rows.at(0);
    EXPECT_EQ(r.wmaxDark, 5001);
}

// Given the energies an interval schedule draws, the typed rows complete exactly as its own rows
// do, problems included.
TEST_F(TypedTest, CompletesRowsAsAnIntervalScheduleDoes) {
    const std::vector<Interval> day = {{0, 6, 50}, {6, 18, 200}, {18, 24, 100}};
    MonthlyInputs noRegionData = in;
    noRegionData.regionMonths.erase(noRegionData.regionMonths.begin() + 1);
    MonthlyInputs lossy = in;
    lossy.batteryLosses = 100;
    MonthlyInputs noInverter = in;
    noInverter.kinv = 0;
    MonthlyInputs noTable = in;
    noTable.tempCoefficients.clear();
    MonthlyInputs warm = in;
    warm.panelTemperature = true;
    warm.dailyCycle = false;
    warm.hoursWithoutSun = 36;
    warm.kinv = 0.9;
    for (const MonthlyInputs& v : {in, noRegionData, lossy, noInverter, noTable, warm}) {
        const MonthlyResult built = monthlyRows(day, "январь", "май", v);
        std::vector<TypedEnergies> typed;
        for (const auto& row : built.rows)
            typed.push_back({QString::number(row.wsutDark), QString::number(row.wmaxDark)});
        const MonthlyResult t =
            typedMonthlyRows(typedFrame("январь", "май", v), typed, built.params.wpSut, v);
        ASSERT_EQ(t.rows.size(), built.rows.size());
        for (size_t i = 0; i < t.rows.size(); ++i)
            EXPECT_EQ(t.rows[i].texts(), built.rows[i].texts()) << i;
        EXPECT_EQ(t.problems, built.problems);
    }
}

} // namespace
