// The variant test on hand-made snapshots: a variant that passes every check, and cases that
// each change it just enough to make one check fire (or just not fire).

#include "lib/qt_print.h"
#include "reports/variant_test.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ses;

namespace {

using S = TestSection;

// One array, one AC load with its inverter, one DC schedule: every check passes.
VariantSnapshot passing() {
    VariantSnapshot s;
    s.exists = true;
    s.variant = SnapshotRow{
        {"Uses", 24},
        {"Uvuh", 220},
        {"ParamNagr", 1},
        {"ZapPnom_Inv", 10},
        {"ZapPmax_Inv", 10},
        {"ZapPpik_Inv", 10},
        {"UsePpik_Inv", 1},
        {"UseMPPT_Ctrl", 0},
        {"Umppt", 36},
        {"Unom_SP", 12},
        {"Pras_SP", 500},
        {"PTotal_SP", 600},
        {"SIzar_min_AKB", 10},
        {"SIzar_max_AKB", 40},
        {"SIzar_AKB", 20},
        {"Kzar_min", 1},
        {"Izar_min", "Iз.мин."},
        {"Kzar_max", 1},
        {"Izar_max", "Iз.макс."},
        {"Tip_SP", "P1"},
        {"Company_SP", "M"},
        {"Tip_AKB", "AGM"},
        {"Name_AKB", "B1"},
        {"Unom_AKB", 12},
        {"KolPosled_AKB", 2},
        {"Cras_AKB", 100},
        {"Cfakt_AKB", 200},
        {"Inom", 2},
        {"Imax", 4},
        {"Ipik", 10},
        {"Krazr_nom", 10},
        {"Krazr_max", 5},
        {"Krazr_pik", 1},
        {"Uxx_zap_Ctrl", 10},
        {"Tmin_SP", -10},
        {"DU_KL_Mas_Ctrl", 3},
        {"DU_KL_Ctrl_AKB", 2},
        {"DU_KL_AKB_Inv", 2},
        {"DU_KL_AKB_Output", 2},
        {"Skab_akb", 4},
        {"DUkab_akb", 1},
        {"MaxKolSborNotProt", 2},
        {"Isc_SP", 5},
        {"Imp_SP", 4.5},
        {"Tip_AV_AKB", "DCB"},
        {"Inom_AV_AKB", 16},
        {"Unom_AV_AKB", 60},
        {"Par_AV_AKB_Output", 0},
        {"Par_AV_AKB_Inv", 1},
        {"Par_Pr_AKB_Inv", 1},
        {"Par_AV_Ctrl_AKB", 0},
        {"Par_Pr_Ctrl_AKB", 0},
        {"Par_Pr_AKB_Output", 0},
    };
    for (const char* tag : {"AV", "Pr"})
        for (const char* circuit : {"Vetv", "Mas", "AKB", "Inv", "AKB_Output"}) {
            const QString base = QStringLiteral("Kzap_%1_%2_").arg(tag, circuit);
            s.variant.set(base + "I", 1.25);
            s.variant.set(base + "U", 1.2);
        }
    s.arrays.push_back(SnapshotRow{
        {"Kod", 1},           {"NameMassive", "M1"}, {"Tip_Ctrl", "C1"},   {"Company_Ctrl", "CC"},
        {"KolPosled", 2},     {"KolVetv", 2},        {"SumUxx", 44},       {"Imas", 10},
        {"Unom_Ctrl", 24},    {"Uxx_Ctrl", 100},     {"Inom_Ctrl", 20},    {"Iakb_Ctrl", 18},
        {"Skab", 4},          {"Skab_akb", 6},       {"DUkab", 1},         {"DUkab_akb", 1},
        {"Tip_AV_mas", "AB"}, {"Inom_AV_mas", 16},   {"Unom_AV_mas", 100}, {"Tip_AV_AKB", "AB2"},
        {"Inom_AV_AKB", 63},  {"Unom_AV_AKB", 60},
    });
    s.selectedArray = 0;
    s.controllerBatteryTypes = {QStringList{"AGM", "GEL"}};
    s.loads.push_back(SnapshotRow{
        {"Nagr_Name", "L1"},     {"Name_Inv", "I1"},  {"Pnom30min", 500},
        {"Pmax10min", 800},      {"Ppik", 1500},      {"Pnom_Inv", 1000},
        {"Pmax_Inv", 1500},      {"Ppik_Inv", 3000},  {"Uvh_Inv", 24},
        {"Uvuh_Inv", 220},       {"ClearSinus", 1},   {"Forma_Inv", "чистый синус"},
        {"Skab_inv", 16},        {"DUkab_inv", 1},    {"Inom_Inv", 50},
        {"Imax_Inv", 70},        {"Ipik_Inv", 140},   {"Tip_AV_Inv", "AI"},
        {"Company_AV_Inv", "X"}, {"Inom_AV_Inv", 80}, {"Unom_AV_Inv", 60},
    });
    s.breakerRatings = {DevicePowerRating{1500, 3000}};
    s.fuseRatings = {std::nullopt};
    s.dc.push_back(
        {SnapshotRow{{"SutGrafName", "D1"}}, {SnapshotRow{{"Name", "Lamp"}, {"Unom", 24}}}});
    return s;
}

TEST(VariantTest, APassingVariantShowsNoRemarksInEverySection) {
    const auto lines = shownTestLines(testVariant(passing()));
    for (const QStringList& l : lines)
        EXPECT_EQ(l, QStringList{"Замечаний нет."});
}

TEST(VariantTest, GatingAndNumbering) {
    // No variant: nothing at all.
    for (const QStringList& l : shownTestLines(testVariant(VariantSnapshot{})))
        EXPECT_TRUE(l.isEmpty());

    // A new variant without loads: the single numbered remark, the rest empty.
    VariantSnapshot fresh;
    fresh.exists = true;
    fresh.variant = SnapshotRow{{"Uses", 24}};
    auto lines = shownTestLines(testVariant(fresh));
    EXPECT_EQ(lines[0], QStringList{"1. Полностью отсутствуют нагрузки солнечной электростанции. "
                                    "Добавьте хотя бы одну нагрузку - или постоянного, или "
                                    "переменного напряжения."});
    for (int i = 1; i < kTestSectionCount; ++i)
        EXPECT_TRUE(lines[i].isEmpty()) << i;

    // DC loads only: no inverter check skipped, so both boxes say so.
    VariantSnapshot dcOnly = passing();
    dcOnly.loads.clear();
    lines = shownTestLines(testVariant(dcOnly));
    EXPECT_EQ(lines[0], QStringList{"Замечаний нет."});
    EXPECT_EQ(lines[1], QStringList{"Замечаний нет."});

    // Remarks in two sections: only the first is shown, numbered; cables and protection both
    // follow the battery.
    VariantSnapshot two = passing();
    two.loads[0].set("Uvh_Inv", 12);
    two.loads[0].set("Uvuh_Inv", 230);
    two.variant.set("Cfakt_AKB", 99);
    lines = shownTestLines(testVariant(two));
    ASSERT_EQ(lines[1].size(), 2);
    EXPECT_TRUE(lines[1][0].startsWith("1. Входное напряжению"));
    EXPECT_TRUE(lines[1][1].startsWith("2. Выходное напряжение"));
    for (int i = 2; i < kTestSectionCount; ++i)
        EXPECT_TRUE(lines[i].isEmpty()) << i;
    two.loads[0] = passing().loads[0];
    lines = shownTestLines(testVariant(two));
    EXPECT_EQ(lines[4].size(), 1);
    EXPECT_TRUE(lines[5].isEmpty() && lines[6].isEmpty());

    // An AC load without peak power and without inverter: no "choose" remark, its inverter
    // checks skipped, the box empty, and the next sections still shown.
    VariantSnapshot bare = passing();
    for (const char* c : {"Ppik", "Name_Inv", "Pnom_Inv", "Pmax_Inv", "Ppik_Inv", "Uvh_Inv",
                          "Uvuh_Inv", "Forma_Inv"})
        bare.loads[0].set(c, QVariant());
    const VariantTestResult r = testVariant(bare);
    EXPECT_TRUE(r[S::Inverters].remarks.isEmpty());
    EXPECT_FALSE(r[S::Inverters].complete);
    lines = shownTestLines(r);
    EXPECT_TRUE(lines[1].isEmpty());
    EXPECT_EQ(lines[2], QStringList{"Замечаний нет."});
}

// One change to the passing variant and what it makes one section say.
struct Case {
    const char* name;
    std::function<void(VariantSnapshot&)> change;
    S section;
    QStringList expected; // the whole list of remarks
    bool complete = true;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Checks : public ::testing::TestWithParam<Case> {};

TEST_P(Checks, SayExactlyThis) {
    const Case& c = GetParam();
    VariantSnapshot s = passing();
    c.change(s);
    const SectionRemarks r = testVariant(s)[c.section];
    EXPECT_EQ(r.remarks, c.expected);
    EXPECT_EQ(r.complete, c.complete);
}

auto setV(const char* column, QVariant value) {
    return [=](VariantSnapshot& s) { s.variant.set(column, value); };
}
auto setA(const char* column, QVariant value) {
    return [=](VariantSnapshot& s) { s.arrays[0].set(column, value); };
}
auto setL(const char* column, QVariant value) {
    return [=](VariantSnapshot& s) { s.loads[0].set(column, value); };
}
// A second array like the first with its own name, strings and open-circuit voltage.
void secondArray(VariantSnapshot& s, double strings = 2, double uxx = 44) {
    SnapshotRow a = s.arrays[0];
    a.set("Kod", 2);
    a.set("NameMassive", "M2");
    a.set("Tip_Ctrl", "C2");
    a.set("KolVetv", strings);
    a.set("SumUxx", uxx);
    a.set("Inom_AV_mas", 25);
    s.arrays.push_back(a);
    s.controllerBatteryTypes.push_back(QStringList{"AGM"});
}

const QString kInvBasisHead =
    "Номинальный ток инвертора \"I1\" c учетом коэффициента запаса по току (";

INSTANTIATE_TEST_SUITE_P(
    Loads, Checks,
    ::testing::Values(
        Case{"ConsumerVoltage",
             [](VariantSnapshot& s) { s.dc[0].consumers[0].set("Unom", 12); },
             S::Loads,
             {"Суточный график \"D1\" нагрузки постоянного напряжения АБ. Номинальное напряжение "
              "электроприемника \"Lamp\" (12 B) не соответствует номинальному напряжению "
              "аккумуляторной батареи (24 B). Удалите указанный электроприемник или замените его "
              "на электроприемник с номинальным напряжением 24 B."}},
        Case{"ConsumerVoltageRoundsToUses",
             [](VariantSnapshot& s) { s.dc[0].consumers[0].set("Unom", 23.6); },
             S::Loads,
             {}},
        Case{"NoParametersInMode0",
             [](VariantSnapshot& s) {
                 s.variant.set("ParamNagr", 0);
                 s.loads[0].set("Pnom30min", QVariant());
                 s.loads[0].set("Pmax10min", QVariant());
             },
             S::Loads,
             {"Отсутствуют параметры нагрузки \"L1\"."}},
        Case{"NoSchedulesInMode2",
             [](VariantSnapshot& s) {
                 s.variant.set("ParamNagr", 2);
                 s.loads[0].set("Pnom30min", QVariant());
                 s.loads[0].set("Pmax10min", QVariant());
             },
             S::Loads,
             {"Добавьте один или несколько суточных графиков нагрузки \"L1\"."}}));

INSTANTIATE_TEST_SUITE_P(
    Inverters, Checks,
    ::testing::Values(
        Case{"NominalJustShort",
             setL("Pnom_Inv", 549.99),
             S::Inverters,
             {"Номинальная мощность нагрузки \"L1\" с учетом коэффициента запаса при выборе "
              "инвертора (1,1*500 = 550 Bт) превышает номинальную мощность инвертора (549,99 Вт). "
              "Необходимо пересмотреть нагрузку \"L1\" или выбрать инвертор с другой номинальной "
              "мощностью."}},
        Case{"NominalJustEnough", setL("Pnom_Inv", 550), S::Inverters, {}},
        Case{"PeakNotCheckedWhenOff",
             [](VariantSnapshot& s) {
                 s.variant.set("UsePpik_Inv", 0);
                 s.loads[0].set("Ppik_Inv", 100);
             },
             S::Inverters,
             {}},
        Case{"MissingMarginIsANeed", setV("ZapPmax_Inv", QVariant()), S::Inverters, {}, false},
        Case{"ChooseInverter",
             [](VariantSnapshot& s) {
                 for (const char* c : {"Name_Inv", "Pnom_Inv", "Pmax_Inv", "Ppik_Inv", "Uvh_Inv",
                                       "Uvuh_Inv", "Forma_Inv"})
                     s.loads[0].set(c, QVariant());
             },
             S::Inverters,
             {"Выберите инвертор нагрузки \"L1\"."},
             false},
        Case{"WaveForm",
             setL("Forma_Inv", "модифицированный синус"),
             S::Inverters,
             {"Форма выходного сигнала инвертора нагрузки \"L1\" (\"модифицированный синус\") не "
              "соответствует форме выходного напряжения нагрузки (\"чистый синус\"). Необходимо "
              "выбрать другую форму выходного напряжения нагрузки или инвертор c другой формой "
              "выходного сигнала."}}));

INSTANTIATE_TEST_SUITE_P(
    SolarBattery, Checks,
    ::testing::Values(
        Case{"MpptInputNotMultipleNorEqual",
             [](VariantSnapshot& s) {
                 s.variant.set("UseMPPT_Ctrl", 1);
                 s.variant.set("Umppt", 30);
             },
             S::SolarBattery,
             {"Напряжение на входе MPPT-контроллера (30 B) некратно номинальному напряжению "
              "солнечных панелей (12 В). Необходимо выбрать другое напряжение на входе "
              "MPPT-контроллера или солнечные панели с другим номинальным напряжением.",
              "Напряжение на входе MPPT-контроллера (30 B) неравно номинальному напряжению сборок "
              "солнечных панелей (24 В). Необходимо выбрать другое напряжение на входе "
              "МРРТ-контроллера или сформировать массивы солнечных панелей с другим номинальным "
              "напряжением сборок панелей."}},
        // A panel voltage of 0 is no divisor: the multiple check is skipped, not a crash.
        Case{"ZeroPanelVoltage",
             [](VariantSnapshot& s) {
                 s.variant.set("Unom_SP", 0);
                 s.arrays[0].set("KolPosled", 0);
                 s.variant.set("Uses", 0);
             },
             S::SolarBattery,
             {},
             false},
        Case{"EmptyMpptFlagIsANeed", setV("UseMPPT_Ctrl", QVariant()), S::SolarBattery, {}, false},
        Case{"StringLengthOfTheSelectedArray",
             [](VariantSnapshot& s) {
                 secondArray(s);
                 s.arrays[1].set("KolPosled", 3);
                 s.selectedArray = 1;
             },
             S::SolarBattery,
             {"Напряжение солнечной электростанции (24 B) неравно номинальному напряжению сборок "
              "солнечных панелей (36 В). Необходимо выбрать другое напряжение солнечной "
              "электростанции или сформировать массивы солнечных панелей с другим номинальным "
              "напряжением сборок панелей."}},
        Case{"TotalPowerShort",
             setV("PTotal_SP", 499),
             S::SolarBattery,
             {"Обшая мощность солнечной батареи (499 Bт) меньше ее расчетной мощности (500 Вт). "
              "Необходимо пересмотреть нагрузки солнечной электростанции или сформировать "
              "солнечную батарею большей мощности."}},
        Case{"ChargeBelowTheMinimumWithFactor",
             [](VariantSnapshot& s) {
                 s.variant.set("Kzar_min", 1.2);
                 s.variant.set("SIzar_AKB", 11.5);
             },
             S::SolarBattery,
             {"Суммарный ток заряда АБ, обеспечиваемый солнечной батареей и контроллерами (11,5 "
              "А), меньше минимально допустимого зарядного тока АБ (1,2*10 = 12 А). Рекомендуется "
              "увеличить суммарную мощность солнечной батареи или, если это возможно, уменьшить "
              "суммарную емкость АБ."}},
        Case{"ChargeBelowTheMinimumWithoutFactor",
             setV("SIzar_AKB", 9.5),
             S::SolarBattery,
             {"Суммарный ток заряда АБ, обеспечиваемый солнечной батареей и контроллерами (9,5 "
              "А), меньше минимально допустимого зарядного тока АБ (10 А). Рекомендуется "
              "увеличить суммарную мощность солнечной батареи или, если это возможно, уменьшить "
              "суммарную емкость АБ."}},
        Case{"UpperBoundFromTheMinimumCurrent",
             [](VariantSnapshot& s) {
                 s.variant.set("Izar_max", "Iз.мин.");
                 s.variant.set("Kzar_max", 1.5);
             },
             S::SolarBattery,
             {"Суммарный ток заряда АБ, обеспечиваемый солнечной батареей и контроллерами (20 А), "
              "больше максимально допустимого зарядного тока АБ (1,5*10 = 15 А). Рекомендуется "
              "увеличить суммарную емкость АБ или, если это возможно, уменьшить суммарную "
              "мощность солнечной батареи."}},
        Case{
            "EmptyChargeFactorIsANeed", setV("Kzar_max", QVariant()), S::SolarBattery, {}, false}));

const QString kOpenCircuit =
    "Напряжение холостого хода массива \"M1\" с учетом коэффициента запаса и температурного "
    "коэффициента (%1 В) превышает максимально допустимое напряжение холостого хода "
    "МРРТ-контроллера \"C1\" (50 В). Необходимо выбрать контроллер c большим максимально "
    "допустимым напряжением холостого хода массива СП или сформировать солнечную батарею с "
    "меньшим напряжением холостого хода массива СП.";

INSTANTIATE_TEST_SUITE_P(
    Controllers, Checks,
    ::testing::Values(
        Case{"NoController",
             setA("Tip_Ctrl", QVariant()),
             S::Controllers,
             {"Выберите контроллер для работы с массивом солнечных панелей \"M1\"."},
             false},
        Case{"BatteryTypeNotAllowed",
             [](VariantSnapshot& s) { s.controllerBatteryTypes = {QStringList{"GEL"}}; },
             S::Controllers,
             {"Тип аккумуляторной батареи \"B1\" (AGM) не входит в перечень допустимых типов "
              "аккумуляторных батарей для контроллера \"C1\". Необходимо выбрать другой тип "
              "контроллера или другой тип аккумуляторной батареи."}},
        Case{"ControllerNotInTheCatalog",
             [](VariantSnapshot& s) { s.controllerBatteryTypes = {std::nullopt}; },
             S::Controllers,
             {}},
        Case{"OpenCircuitWithoutThePanel",
             [](VariantSnapshot& s) {
                 s.variant.set("UseMPPT_Ctrl", 1);
                 s.arrays[0].set("Uxx_Ctrl", 50);
             },
             S::Controllers,
             {kOpenCircuit.arg("44*1,1*1,115 = 53,97")}},
        Case{"OpenCircuitWithThePanel",
             [](VariantSnapshot& s) {
                 s.variant.set("UseMPPT_Ctrl", 1);
                 s.arrays[0].set("Uxx_Ctrl", 50);
                 s.panelFound = true;
                 s.panelTkVos = -0.35; // (-10 - 25) * -0.35 / 100 + 1 = 1,1225 -> 1,123
             },
             S::Controllers,
             {kOpenCircuit.arg("44*1,1*1,123 = 54,35")}},
        Case{"ArrayCurrent",
             setA("Imas", 20.5),
             S::Controllers,
             {"Номинальный ток контроллера (20 А) меньше номинального тока солнечных панелей "
              "массива \"M1\" (20,5 А). Необходимо выбрать другой тип контроллера или "
              "сформировать другой массив солнечных панелей."}},
        Case{"NoArrays", [](VariantSnapshot& s) { s.arrays.clear(); }, S::Controllers, {}, false}));

INSTANTIATE_TEST_SUITE_P(
    Battery, Checks,
    ::testing::Values(
        Case{"FormTheBattery",
             [](VariantSnapshot& s) {
                 s.variant.set("Tip_AKB", QVariant());
                 s.variant.set("Cfakt_AKB", QVariant());
             },
             S::Battery,
             {"Сформируйте аккумуляторную батарею солнечной электростанции."},
             false},
        Case{"NotFormedWhileAnArrayLacksItsController",
             [](VariantSnapshot& s) {
                 s.variant.set("Tip_AKB", QVariant());
                 s.arrays[0].set("Tip_Ctrl", QVariant());
             },
             S::Battery,
             {}},
        Case{"CapacityAndNominalCurrent",
             setV("Cfakt_AKB", 19),
             S::Battery,
             {"Обшая емкость АБ (19 А*ч) меньше ее расчетной емкости (100 А*ч). Необходимо "
              "пересмотреть нагрузки солнечной электростанции или выбрать другую АБ.",
              "Номинальный ток нагрузки c учетом расчетного коэффициента (10*2 = 20 А) превышает "
              "суммарную емкость АБ (19 А*ч). Рекомендуется увеличить суммарную емкость АБ (не "
              "менее 20 А*ч).",
              "Максимальный ток нагрузки c учетом расчетного коэффициента (5*4 = 20 А) превышает "
              "суммарную емкость АБ (19 А*ч). Рекомендуется увеличить суммарную емкость АБ (не "
              "менее 20 А*ч)."}},
        Case{"EmptyCurrentIsANeed", setV("Ipik", QVariant()), S::Battery, {}, false}));

INSTANTIATE_TEST_SUITE_P(
    Cables, Checks,
    ::testing::Values(
        Case{"DropJustAbove",
             setA("DUkab", 3.01),
             S::Cables,
             {"Падение напряжения в кабеле (проводе) для присоединения массива солнечных панелей "
              "\"M1\" к контроллеру \"C1\" (3,01 %) превышает допустимое значение (3 %). "
              "Выберите кабель (провод) с большим сечением жил."}},
        Case{"DropEqual", setA("DUkab", 3), S::Cables, {}},
        Case{"EmptyAllowedDropIsANeed", setV("DU_KL_AKB_Inv", QVariant()), S::Cables, {}, false},
        Case{"NoCableToTheInverter",
             setL("Skab_inv", QVariant()),
             S::Cables,
             {"Не выбран кабель (провод) для присоединения АБ к инвертору \"I1\"."}},
        Case{"DcCablesOnlyWithADcSchedule",
             [](VariantSnapshot& s) {
                 s.variant.set("Skab_akb", QVariant());
                 s.dc.clear();
             },
             S::Cables,
             {}},
        Case{"DcCable",
             setV("Skab_akb", QVariant()),
             S::Cables,
             {"Не выбран кабель (провод) для присоединения потребителей постоянного напряжения к "
              "АБ."}},
        Case{"ArraysWithoutControllers", setA("Tip_Ctrl", QVariant()), S::Cables, {}, false}));

INSTANTIATE_TEST_SUITE_P(
    Protection, Checks,
    ::testing::Values(
        // The rating equal to the required value passes: 1,25 * 8 = 10.
        Case{"RatingEqualToRequired", setV("Inom", 8), S::Protection, {}},
        Case{"RatingJustBelow",
             [](VariantSnapshot& s) {
                 s.variant.set("Inom", 8);
                 s.variant.set("Inom_AV_AKB", 9.99);
             },
             S::Protection,
             {"Номинальный ток нагрузки постоянного напряжения АБ c учетом коэффициента запаса по "
              "току (1,25*8 = 10 А) превышает номинальный ток (9,99 А) автоматического "
              "выключателя \"DCB\". Рекомендуется выбрать автоматический выключатель с "
              "номинальным током не менее 10 А."}},
        // 8,1 * 1,25 = 10,125: required 10,12 (half to even), shown 10,13 (half away).
        Case{"HalfToEvenRequirement",
             [](VariantSnapshot& s) {
                 s.variant.set("Inom", 8.1);
                 s.variant.set("Inom_AV_AKB", 10.12);
             },
             S::Protection,
             {}},
        Case{"HalfToEvenRequirementMissed",
             [](VariantSnapshot& s) {
                 s.variant.set("Inom", 8.1);
                 s.variant.set("Inom_AV_AKB", 10.11);
             },
             S::Protection,
             {"Номинальный ток нагрузки постоянного напряжения АБ c учетом коэффициента запаса по "
              "току (1,25*8,1 = 10,13 А) превышает номинальный ток (10,11 А) автоматического "
              "выключателя \"DCB\". Рекомендуется выбрать автоматический выключатель с "
              "номинальным током не менее 10,13 А."}},
        Case{"EmptyFactorIsANeed",
             setV("Kzap_AV_AKB_Output_I", QVariant()),
             S::Protection,
             {},
             false},
        Case{"DcVoltageAndFuseWording",
             [](VariantSnapshot& s) {
                 s.variant.set("Tip_AV_AKB", QVariant());
                 s.variant.set("Tip_Pr_AKB", "F1");
                 s.variant.set("Inom_Pr_AKB", 2);
                 s.variant.set("Unom_Pr_AKB", 28);
             },
             S::Protection,
             {"Номинальный ток нагрузки постоянного напряжения АБ c учетом коэффициента запаса по "
              "току (1,25*2 = 2,5 А) превышает номинальный ток вставки (2 А) предохранителя "
              "\"F1\". Рекомендуется выбрать предохранитель с номинальным током вставки не менее "
              "2,5 А.",
              "Напряжение АБ c учетом коэффициента запаса по напряжению (1,2*24 = 28,8 В) "
              "превышает номинальное напряжение (28 B) предохранителя \"F1\". Рекомендуется "
              "выбрать предохранитель с номинальным напряжением не менее 28,8 B."}},
        // The array breaker stands the panels' short-circuit current of all its strings, as the
        // choice sizes it: 5 * 2 = 10, times 1,25.
        Case{"ArrayBreakerAgainstShortCircuitOfTheStrings",
             setA("Inom_AV_mas", 12),
             S::Protection,
             {"Суммарный ток солнечных панелей массива \"M1\" к контроллеру \"C1\" c учетом "
              "коэффициента запаса по току (1,25*10 = 12,5 А) превышает номинальный ток (12 А) "
              "автоматического выключателя \"AB\". Рекомендуется выбрать автоматический "
              "выключатель с номинальным током не менее 12,5 А."}},
        Case{"OneArrayUsesTheBatteryMaximumCharge",
             setA("Inom_AV_AKB", 49),
             S::Protection,
             {"Максимально допустимый ток заряда АБ c учетом коэффициента запаса по току "
              "(1,25*40 = 50 А) превышает номинальный ток (49 А) автоматического выключателя "
              "\"AB2\". Рекомендуется выбрать автоматический выключатель с номинальным током не "
              "менее 50 А."}},
        Case{"TwoArraysUseTheControllerMaximum",
             [](VariantSnapshot& s) {
                 secondArray(s);
                 s.arrays[0].set("Inom_AV_AKB", 24);
             },
             S::Protection,
             {"Максимально допустимый ток контроллера \"C1\" c учетом коэффициента запаса по "
              "току (1,25*20 = 25 А) превышает номинальный ток (24 А) автоматического "
              "выключателя \"AB2\". Рекомендуется выбрать автоматический выключатель с "
              "номинальным током не менее 25 А."}},
        Case{"TwoArraysFuseByChargeCurrent",
             [](VariantSnapshot& s) {
                 secondArray(s);
                 s.variant.set("Par_Pr_Ctrl_AKB", 1);
                 for (SnapshotRow& a : s.arrays) {
                     a.set("Tip_AV_AKB", QVariant());
                     a.set("Tip_Pr_AKB", "F2");
                     a.set("Inom_Pr_AKB", 25);
                     a.set("Unom_Pr_AKB", 60);
                 }
                 s.arrays[1].set("Inom_Pr_AKB", 20);
             },
             S::Protection,
             {"Ток заряда АБ от контроллера  \"C2\" c учетом коэффициента запаса по току "
              "(1,25*18 = 22,5 А) превышает номинальный ток вставки (20 А) предохранителя \"F2\". "
              "Рекомендуется выбрать предохранитель с номинальным током вставки не менее 22,5 "
              "А."}},
        Case{"InverterBasisMaximum",
             [](VariantSnapshot& s) { s.variant.set("Par_AV_AKB_Inv", 2); },
             S::Protection,
             {"Максимальный ток инвертора \"I1\" c учетом коэффициента запаса по току (1,25*70 = "
              "87,5 А) превышает номинальный ток (80 А) автоматического выключателя \"AI\". "
              "Рекомендуется выбрать автоматический выключатель с номинальным током не менее "
              "87,5 А."}},
        Case{"InverterBasisPeak",
             setV("Par_AV_AKB_Inv", 3),
             S::Protection,
             {"Пиковый ток инвертора \"I1\" c учетом коэффициента запаса по току (1,25*140 = 175 "
              "А) превышает номинальный ток (80 А) автоматического выключателя \"AI\". "
              "Рекомендуется выбрать автоматический выключатель с номинальным током не менее 175 "
              "А."}},
        Case{"InverterBasisByPower",
             [](VariantSnapshot& s) {
                 s.variant.set("Par_AV_AKB_Inv", 0);
                 s.loads[0].set("Ppik_Inv", 3500);
                 s.loads[0].set("Unom_AV_Inv", 28);
             },
             S::Protection,
             {"Максимально допустимые номинальная и пиковая мощности инвертора, подключаемого к "
              "автоматическому выключателю \"AI\" при напряжении 24 B, составляют соответственно "
              "1500 и 3000 Вт. Рекомендуется выбрать другой автоматический выключатель, "
              "позволяющий подключить инвертор \"I1\" номинальной мощностью 1000 Вт и пиковой "
              "мощностью 3500 Вт.",
              "Напряжение на входе инвертора \"I1\" (напряжение АБ) c учетом коэффициента запаса "
              "по напряжению (1,2*24 = 28,8 В) превышает номинальное напряжение (28 B) "
              "автоматического выключателя \"AI\". Рекомендуется выбрать автоматический "
              "выключатель с номинальным напряжением не менее 28,8 B."}},
        Case{"InverterPowerLookUpFailedIsSilent",
             [](VariantSnapshot& s) {
                 s.variant.set("Par_AV_AKB_Inv", 0);
                 s.loads[0].set("Ppik_Inv", 3500);
                 s.breakerRatings = {std::nullopt};
             },
             S::Protection,
             {}},
        // A basis out of range checks no current, but still the voltage.
        Case{"InverterBasisOutOfRange",
             [](VariantSnapshot& s) {
                 s.variant.set("Par_AV_AKB_Inv", 5);
                 s.loads[0].set("Inom_AV_Inv", 1);
                 s.loads[0].set("Unom_AV_Inv", 28);
             },
             S::Protection,
             {"Напряжение на входе инвертора \"I1\" (напряжение АБ) c учетом коэффициента запаса "
              "по напряжению (1,2*24 = 28,8 В) превышает номинальное напряжение (28 B) "
              "автоматического выключателя \"AI\". Рекомендуется выбрать автоматический "
              "выключатель с номинальным напряжением не менее 28,8 B."}},
        Case{"NoInverterDevice",
             [](VariantSnapshot& s) { s.loads[0].set("Tip_AV_Inv", QVariant()); },
             S::Protection,
             {"Не выбран автоматический выключатель (предохранитель) на кабельный контур от АБ  "
              "к инвертору \"I1\"."}},
        // Any array with more strings than may go unprotected asks for string devices, whichever
        // array the main window stands on.
        Case{"StringDevicesForAnyArray",
             [](VariantSnapshot& s) {
                 secondArray(s, 3);
                 s.selectedArray = 0;
             },
             S::Protection,
             {"Не выбраны автоматические выключатели (предохранители) на отдельные сборки "
              "массивов солнечных панелей."}},
        // The string fuse stands the highest open-circuit voltage of the arrays: 60 * 1,2.
        Case{"StringFuseAgainstTheHighestVoltage",
             [](VariantSnapshot& s) {
                 secondArray(s, 3, 60);
                 s.variant.set("Tip_Pr_SP", "FS");
                 s.variant.set("Inom_Pr_SP", 5);
                 s.variant.set("Unom_Pr_SP", 60);
             },
             S::Protection,
             {"Номинальный ток отдельной сборки массива СП c учетом коэффициента запаса по току "
              "(1,25*5 = 6,25 А) превышает номинальный ток (5 А) предохранителя \"FS\" отдельной "
              "сборки СП массива. Рекомендуется выбрать предохранитель с номинальным током не "
              "менее 6,25 А.",
              "Напряжение холостого хода отдельной сборки массива СП c учетом коэффициента "
              "запаса по напряжению (1,2*60 = 72 В) превышает номинальное напряжение (60 B) "
              "предохранителя \"FS\" отдельной сборки СП массива. Рекомендуется выбрать "
              "предохранитель с номинальным напряжением не менее 72 B."}},
        Case{"NoDcDevice",
             setV("Tip_AV_AKB", QVariant()),
             S::Protection,
             {"Не выбран автоматический выключатель (предохранитель) на кабельный контур от АБ "
              "к потребителям постоянного напряжения."}},
        Case{"InverterChecksNeedTheBattery",
             [](VariantSnapshot& s) {
                 s.variant.set("Tip_AKB", QVariant());
                 s.loads[0].set("Tip_AV_Inv", QVariant());
             },
             S::Protection,
             {},
             false}));

TEST(VariantTest, NoRemarkCarriesAnEmptyNumber) {
    // Emptying any one number of the passing variant never yields a remark with a hole in it.
    const VariantSnapshot base = passing();
    const QStringList columns = {"Uses",         "Unom_SP",  "Umppt",         "Cfakt_AKB",
                                 "Inom",         "Kzar_min", "Kzar_max",      "SIzar_AKB",
                                 "Uxx_zap_Ctrl", "Tmin_SP",  "Kzap_AV_Mas_I", "DU_KL_Mas_Ctrl",
                                 "Isc_SP"};
    for (const QString& c : columns) {
        VariantSnapshot s = base;
        s.variant.set(c, QVariant());
        s.variant.set("UseMPPT_Ctrl", 1);
        s.arrays[0].set("Uxx_Ctrl", 10);
        for (const SectionRemarks& r : testVariant(s).sections)
            for (const QString& text : r.remarks)
                EXPECT_FALSE(text.contains("( ") || text.contains("*)") || text.contains("= )") ||
                             text.contains("(*") || text.contains("*<"))
                    << c.toStdString() << ": " << text.toStdString();
    }
}

} // namespace
