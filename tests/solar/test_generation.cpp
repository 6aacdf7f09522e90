// The generation and analysis tables on small hand-worked variants.

#include "solar/generation.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

StoredMonth row(const char* month, double wsd, double wmd) {
    return {QString::fromUtf8(month), wsd, wmd};
}

SizingSettings lossless(double summer, double winter) {
    SizingSettings s;
    s.batteryLosses = 0;
    s.controllerLosses = 0;
    s.kspSummer = summer;
    s.kspWinter = winter;
    return s;
}

const std::vector<LossRow> linearLoss = {{0, 0}, {90, 90}}; // 1 % a degree

std::string str(const QString& s) {
    return s.toStdString();
}

// ---------------------------------------------------------------- consumption

TEST(GenerationConsumption, AcThroughInverterDcWithoutAndRangesByName) {
    SizingSettings s;
    s.batteryLosses = 20;
    s.controllerLosses = 20;
    LoadSchedule ac{1,         "Дом", "Г1",
                    false,     0.8,   "январь",
                    "февраль", 1000,  {row("январь", 400, 600), row("март", 400, 600)}};
    LoadSchedule dc{0,        "",   "Г2",
                    true,     0.5,  "декабрь",
                    "январь", 1000, {row("январь", 400, 600), row("декабрь", 0, 0)}};
    const Consumption c = monthlyConsumption({ac, dc}, s);
    ASSERT_FALSE(c.error);
    // AC: (600 + 400 / 0,8) / 0,8 / 0,8 = 1718,75 -> 1719; (600 + 750) / 0,64 = 2109,375 -> 2109.
    // DC ignores the 0,5: 1100 / 0,8 = 1375; 1350 / 0,8 = 1687,5 -> 1688.
    EXPECT_EQ(c.c1[0], 1719 + 1375);
    EXPECT_EQ(c.c2[0], 2109 + 1688);
    EXPECT_EQ(c.c1[2], 0) << "a row outside the range counts nothing";
    EXPECT_EQ(c.c1[11], 1000 / 0.8);
    EXPECT_EQ(c.missingRows, QStringList{"Г1: февраль"});
    EXPECT_EQ(str(missingRowsNote(c.missingRows)),
              "Не учтены месяцы суточных графиков без данных за месяц: Г1: февраль.");
    EXPECT_TRUE(missingRowsNote({}).isEmpty());

    SizingSettings full = s;
    full.batteryLosses = 100;
    EXPECT_TRUE(monthlyConsumption({ac}, full).error);
    ac.kinv = 0;
    EXPECT_TRUE(monthlyConsumption({ac}, s).error);
}

// ---------------------------------------------------------------- generation

// 2000 W facing south at each month's optimum, P = 3, Ksp 0,8 in summer and 0,5 in winter; the
// load draws 3500 W*h a day, 5200 W*h over the worst cycle (its dark 1000 on average, 2700 at
// most).
GenerationInputs sunnyVariant() {
    GenerationInputs in;
    in.region = "Юг";
    in.months = {
        {"июль", 3, 25, 30}, {"июнь", 3, 25, 30}, {"февраль", 3, 25, 30}, {"январь", 3, 25, 30}};
    in.schedules = {
        {0,
         "",
         "Г",
         true,
         1,
         "февраль",
         "июль",
         3500,
         {row("июль", 1000, 2700), row("июнь", 1000, 2700), row("февраль", 1000, 2700)}}};
    in.arrays = {{2000, 180, 30}};
    in.totalPower = 2000;
    in.settings = lossless(0.8, 0.5);
    in.loss = linearLoss;
    return in;
}

TEST(GenerationTable, TenRowsOverMonthsOfEveryLength) {
    const GenerationTable t = generationTable(sunnyVariant());
    ASSERT_FALSE(t.refusal) << str(*t.refusal);
    ASSERT_EQ(t.columns.size(), 3u) << "January has no load and no column";
    struct Case {
        const char* month;
        int days;
        std::array<const char*, genRowCount> texts;
    };
    const Case cases[] = {
        // Summer: G = 2000 * 3 / 1000 * 0,8 = 4,8; 1,3 * 31 is 40,300000000000004 in binary.
        {"июль", 31, {"4,8", "3,5", "1,3", "4,8", "5,2", "-0,4", "148,8", "108,5", "40,3", "1"}},
        {"июнь", 30, {"4,8", "3,5", "1,3", "4,8", "5,2", "-0,4", "144", "105", "39", "1"}},
        // Winter: G = 6 * 0,5 = 3.
        {"февраль", 28, {"3", "3,5", "-0,5", "3", "5,2", "-2,2", "84", "98", "-14", "1"}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const GenerationColumn& c = t.columns[i];
        EXPECT_EQ(str(c.month), cases[i].month);
        EXPECT_EQ(c.days, cases[i].days);
        for (int r = 0; r < genRowCount; ++r)
            EXPECT_EQ(str(c.texts[r]), cases[i].texts[r]) << cases[i].month << " row " << r;
    }
    // The missing rows of the range: March to May.
    EXPECT_EQ(str(t.missingNote), "Не учтены месяцы суточных графиков без данных за месяц: "
                                  "Г: март; Г: апрель; Г: май.");
    const auto grid = t.grid();
    ASSERT_EQ(grid.size(), 11u);
    EXPECT_EQ(grid[0], (QStringList{"Параметр", "июль", "июнь", "февраль"}));
    EXPECT_EQ(grid[9], (QStringList{"dWмес., кВтч", "40,3", "39", "-14"}));
    EXPECT_EQ(generationNoteLines().size(), genRowCount);
}

TEST(GenerationTable, TemperatureCorrectionOnlyWhenAsked) {
    GenerationInputs in = sunnyVariant();
    in.months[0].tsred = 45; // July
    in.months[2].tsred = 5;  // February
    in.settings.kdifP = -0.5;
    EXPECT_EQ(str(generationTable(in).columns[0].texts[0]), "4,8");
    in.settings.panelTemperature = true;
    const GenerationTable t = generationTable(in);
    // Kt = 1 - 0,5 * 20 / 100 = 0,9 in July and 1,1 in February; June at 25 degrees keeps 1.
    EXPECT_EQ(str(t.columns[0].texts[0]), "4,32");
    EXPECT_EQ(str(t.columns[1].texts[0]), "4,8");
    EXPECT_EQ(str(t.columns[2].texts[0]), "3,3");
    EXPECT_DOUBLE_EQ(t.columns[0].kt, 0.9);
}

TEST(GenerationTable, BatteryCoefficientUsesTheUnroundedAngle) {
    GenerationInputs in = sunnyVariant();
    // 5 % a degree; the second array is 3 degrees off in tilt and in azimuth: 4,2426 degrees,
    // loss 21,21 %, 0,788 (at the rounded 4,2 degrees it would be 0,79).
    in.loss = {{0, 0}, {10, 50}};
    in.arrays = {{1000, 180, 30}, {1000, 183, 33}};
    const GenerationTable t = generationTable(in);
    ASSERT_FALSE(t.refusal);
    EXPECT_EQ(str(t.columns[0].texts[int(GenRow::Kproizv)]), "0,894"); // (1000 + 788) / 2000
    EXPECT_EQ(str(t.columns[0].texts[0]), "4,291"); // 2000 * 3 * 0,894 / 1000 * 0,8 = 4,2912
    EXPECT_NEAR(exactDeviationAngle(183, 33, 30), 4.2426, 1e-4);
}

TEST(GenerationTable, RefusalsShowNothing) {
    struct Case {
        const char* what;
        void (*change)(GenerationInputs&);
        const char* says;
    };
    const Case cases[] = {
        {"no solar battery", [](GenerationInputs& in) { in.totalPower.reset(); },
         "сформируйте солнечную батарею"},
        {"a battery of 0 W", [](GenerationInputs& in) { in.totalPower = 0; },
         "сформируйте солнечную батарею"},
        {"region missing from the catalog", [](GenerationInputs& in) { in.months.clear(); },
         "Регион \"Юг\" отсутствует в справочнике регионов"},
        {"no region at all",
         [](GenerationInputs& in) {
             in.months.clear();
             in.region.clear();
         },
         "не задан регион"},
        {"a loaded month the region lacks",
         [](GenerationInputs& in) { in.months.erase(in.months.begin() + 1); },
         "нет данных за месяц: июнь"},
        {"a coefficient of 0",
         [](GenerationInputs& in) {
             in.loss = {{0, 0}, {10, 100}};
             in.arrays = {{2000, 170, 30}};
         },
         "угла отклонения солнечных лучей 10 град."},
    };
    for (const Case& c : cases) {
        GenerationInputs in = sunnyVariant();
        c.change(in);
        const GenerationTable t = generationTable(in);
        ASSERT_TRUE(t.refusal) << c.what;
        EXPECT_TRUE(t.refusal->contains(QString::fromUtf8(c.says)))
            << c.what << ": " << str(*t.refusal);
        EXPECT_TRUE(t.columns.empty()) << c.what;
    }
}

// ---------------------------------------------------------------- analysis

// P = 1 and no losses: a schedule needs its Wp_sut in watts.
struct AnalysisFixture {
    std::vector<LoadSchedule> schedules;
    RegionYear region;
    SizingSettings s = lossless(1, 1);
    AnalysisFixture(double summerLoad) {
        schedules = {
            {1, "Дом", "Зима", false, 1, "", "", 1000, {row("январь", 0, 0), row("февраль", 0, 0)}},
            {1, "Дом", "Лето", false, 1, "", "", summerLoad, {row("июнь", 0, 0)}},
            {2, "Сарай", "Г", false, 1, "", "", 500, {row("январь", 0, 0)}},
            {0, "", "АБ1", true, 1, "", "", 300, {row("июнь", 0, 0)}},
            {0, "", "АБ2", true, 1, "", "", 200, {row("июль", 0, 0)}},
        };
        for (int m = 0; m < 12; ++m)
            region[m] = RegionMonthData{1, 25, 40};
        region[0]->tilt = 60;
        region[1]->tilt = 50;
        region[5]->tilt = 20;
        region[6]->tilt = 25;
    }
};

QStringList roleRow(const RoleTable& t, size_t r) {
    QStringList out;
    for (CellRole c : t.roles[r])
        out << QString::number(int(c));
    return out;
}

TEST(SolarAnalysisTable, RowsNamesAndDroppedColumns) {
    AnalysisFixture f(600);
    const SolarAnalysis a = solarAnalysis(f.schedules, f.region, f.s, linearLoss);
    ASSERT_FALSE(a.refusal);
    EXPECT_EQ(a.requirement.header,
              (QStringList{" Нагрузка", " Суточный график", "январь", "февраль", "июнь", "июль"}));
    const std::vector<QStringList> rows = {
        {"Дом", "Зима", "1000", "1000", "", ""}, {"- // -", "Лето", "", "", "600", ""},
        {"Сарай", "Г", "500", "", "", ""},       {"Нагрузка АБ", "АБ1", "", "", "300", ""},
        {"- // -", "АБ2", "", "", "", "200"},    {"Итого", "", "1500", "1000", "900", "200"},
    };
    EXPECT_EQ(a.requirement.rows, rows);
    EXPECT_EQ(a.shownMonths, (std::vector<int>{1, 2, 6, 7}));
}

TEST(SolarAnalysisChoice, WithoutSearch) {
    AnalysisFixture f(600);
    const SolarAnalysis a = solarAnalysis(f.schedules, f.region, f.s, linearLoss);
    ASSERT_FALSE(a.refusal);
    // At January's 60 degrees June needs 1500 / 0,6 = 1500: equal, not above.
    EXPECT_EQ(a.month, 1);
    EXPECT_FALSE(a.searched);
    EXPECT_TRUE(a.byTilt.empty());
    EXPECT_EQ(str(a.monthText()), "январь");
    EXPECT_EQ(str(a.preliminaryPowerText()), "1500");
    EXPECT_EQ(str(a.preliminaryTiltText()), "60");
    EXPECT_EQ(str(a.powerText()), "1500");
    EXPECT_EQ(str(a.tiltText()), "60");
    ASSERT_EQ(a.summary.rows.size(), 3u);
    EXPECT_EQ(a.summary.rows[1],
              (QStringList{"Коэффициент производительности для месяца (при В = 60 град.)", "о.е.",
                           "1", "0,9", "0,6", "0,65"}));
    EXPECT_EQ(a.summary.rows[2], (QStringList{"Требуемая мощность СБ с учетом коэффициента "
                                              "производительности (при В = 60 град.)",
                                              "Вт", "1500", "1111", "1500", "308"}));
    EXPECT_EQ(roleRow(a.summary, 0), (QStringList{"0", "0", "2", "0", "0", "0"}));
    EXPECT_EQ(roleRow(a.summary, 2), (QStringList{"0", "0", "2", "0", "0", "0"}));
    EXPECT_EQ(roleRow(a.requirement, 5), (QStringList{"0", "0", "2", "0", "0", "0"}));
    const QString tail = "Значение расчетной мощности СБ для месяца \"январь\" (1500 Вт) с учетом "
                         "падения производительности СЭ не превышено ни для одного из других "
                         "месяцев года. Окончательно принимаются значение расчетной мощности "
                         "солнечной батареи 1500 Вт и значение угла наклона солнечных панелей 60 "
                         "град. как для месяца \"январь\".";
    EXPECT_EQ(str(a.note()),
              str("В ходе предварительного выбора определен месяц (январь) и соответствующий ему "
                  "оптимальный угол наклона панелей (60 град., бирюзовый цвет ячейки), для "
                  "которых требуемая расчетная мощность СБ имеет наибольшее значение (1500 Вт, "
                  "бирюзовый цвет ячейки). " +
                  tail));
    EXPECT_EQ(str(a.exportNote()),
              str("В ходе предварительного выбора определен месяц (январь) и соответствующий ему "
                  "оптимальный угол наклона панелей (60 град.), для которых требуемая расчетная "
                  "мощность СБ имеет наибольшее значение (1500 Вт). " +
                  tail));
}

TEST(SolarAnalysisChoice, TieAndTiltSearch) {
    AnalysisFixture f(1200); // June totals 1500 too: January, the earlier, is preliminary
    const SolarAnalysis a = solarAnalysis(f.schedules, f.region, f.s, linearLoss);
    ASSERT_FALSE(a.refusal);
    EXPECT_EQ(a.month, 1);
    EXPECT_EQ(a.bp, 60);
    ASSERT_TRUE(a.searched);
    // June at 60 degrees: 1500 / 0,6 = 2500. January and June balance at 40: 1500 / 0,8.
    EXPECT_EQ(a.tilt, 40);
    EXPECT_EQ(a.power, 1875);
    EXPECT_EQ(a.byTilt.size(), 41u) << "20 to 60 degrees, the twelve months' range";
    EXPECT_EQ(a.byTilt.front(), (std::pair<int, double>{20, 2500}));
    ASSERT_EQ(a.summary.rows.size(), 5u);
    EXPECT_EQ(a.summary.rows[4], (QStringList{"Требуемая мощность СБ с учетом коэффициента "
                                              "производительности (при В = 40 град.)",
                                              "Вт", "1875", "1111", "1875", "235"}));
    EXPECT_EQ(roleRow(a.summary, 2), (QStringList{"0", "0", "2", "0", "3", "0"}));
    EXPECT_EQ(roleRow(a.summary, 4), (QStringList{"0", "0", "4", "0", "0", "0"}));
    EXPECT_TRUE(a.note().endsWith("других месяцев года (желтый цвет ячейки). В связи с этим "
                                  "подбирается оптимальный угол наклона солнечных панелей, при "
                                  "котором обеспечивается минимальная расчетная мощность СБ, "
                                  "удовлетворяющая всем месяцам. Найденный оптимальный угол "
                                  "наклона равен 40 град. При этом расчетная мощность СБ "
                                  "составляет 1875 Вт (зеленый цвет ячейки)."))
        << str(a.note());
    EXPECT_TRUE(a.exportNote().endsWith("других месяцев года. В связи с этим подбирается "
                                        "оптимальный угол наклона солнечных панелей, при котором "
                                        "обеспечивается минимальная расчетная мощность СБ, "
                                        "удовлетворяющая всем месяцам. Найденный оптимальный "
                                        "угол наклона равен 40 град. При этом расчетная мощность "
                                        "СБ составляет 1875 Вт."));

    // The same as the chain computes from the same schedules.
    std::vector<StoredSchedule> stored;
    for (const LoadSchedule& s : f.schedules)
        stored.push_back({s.wpSut, s.kinv, s.months});
    const TiltResult chain =
        requiredPowerAndTilt(monthlyRequirement(stored, f.region, f.s).watts, f.region, linearLoss);
    EXPECT_EQ(a.power, chain.power);
    EXPECT_EQ(a.tilt, chain.tilt);
}

TEST(SolarAnalysisChoice, ColoursAndRefusal) {
    EXPECT_EQ(roleRgb(CellRole::Preliminary), 0x00FFFFu);
    EXPECT_EQ(roleRgb(CellRole::Exceeding), 0xFFFF00u);
    EXPECT_EQ(roleRgb(CellRole::Accepted), 0x00FF00u);
    EXPECT_FALSE(roleRgb(CellRole::None));
    EXPECT_FALSE(roleRgb(CellRole::Heading));

    AnalysisFixture f(600);
    // Total loss at 30 degrees: June, 40 degrees off January's tilt, cannot be divided.
    const SolarAnalysis a = solarAnalysis(f.schedules, f.region, f.s, {{0, 0}, {30, 100}});
    ASSERT_TRUE(a.refusal);
    EXPECT_TRUE(a.refusal->contains("угла отклонения солнечных лучей")) << str(*a.refusal);
}

} // namespace
