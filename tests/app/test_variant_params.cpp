// The variant parameters without the dialog: step rules, the checks of "ОК", the columns they
// are stored in, the report, and the saves over a fresh database.

#include "../data/fixture.h"
#include "../lib/qt_print.h"

#include "app/variant_export.h"
#include "app/variant_ops.h"
#include "app/variant_params.h"
#include "lib/months.h"
#include "reports/recording_report_writer.h"

using namespace ses;
using namespace ses::test;

namespace {

// Factory values with every hour and temperature filled: they pass every check.
VariantParams valid() {
    VariantParams p = factoryParams();
    p.name = "Вариант 1";
    p.set("Region", "Москва");
    p.set("Pom_AKB", "Подвал");
    for (int m = 0; m < 12; ++m)
        p.months[m] = {p.months[m].month, "8", "17,5", "-5"};
    return p;
}

// ---------------------------------------------------------------- array voltages

TEST(VariantParams, ArrayVoltagesFollowTheSystemVoltage) {
    const QStringList for48 = umpptEntries(48);
    ASSERT_FALSE(for48.isEmpty());
    EXPECT_EQ(for48.first(), "60");
    EXPECT_EQ(for48[1], "72");
    EXPECT_EQ(for48.last(), "996");
    EXPECT_EQ(for48.size(), 79);
    EXPECT_EQ(umpptEntries(96).first(), "108");
    EXPECT_EQ(umpptEntries(12).last(), "996");
}

// ---------------------------------------------------------------- step rules

struct StepCase {
    const char* column;
    double step;
    bool up;
    const char* start;
    const char* expected; // nullptr: the button leaves the field as it is
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.column << (c.up ? " +" : " -") << c.step << " from \"" << c.start << '"';
}

class StepRules : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepRules, NeverPassTheirBound) {
    const StepCase& c = GetParam();
    const ParamDef& def = paramDef(c.column);
    const StepRule* rule = nullptr;
    for (const StepRule& r : def.steps)
        if (r.step == c.step)
            rule = &r;
    ASSERT_NE(rule, nullptr) << "no step " << c.step;
    const StepResult result = applyStep(*rule, c.up, c.start);
    EXPECT_FALSE(result.error);
    if (c.expected)
        EXPECT_EQ(result.text, QString::fromUtf8(c.expected));
    else
        EXPECT_FALSE(result.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StepRules,
    ::testing::Values(StepCase{"KdifP_SP", 0.1, true, "-0,05", nullptr}, // 0,05 would pass 0
                      StepCase{"KdifP_SP", 0.01, true, "-0,01", "0"},
                      StepCase{"KdifP_SP", 0.1, false, "-0,95", nullptr}, // -1,05 below -1
                      StepCase{"KdifP_SP", 0.1, false, "-0,47", "-0,57"},
                      StepCase{"GlubRazryad_AKB", 10, true, "95", nullptr}, // 105 > 100
                      StepCase{"GlubRazryad_AKB", 1, true, "99", "100"},
                      StepCase{"GlubRazryad_AKB", 1, true, "100", nullptr},
                      StepCase{"Poteri_AKB", 1, false, "1", nullptr}, // never reaches 0
                      StepCase{"Poteri_AKB", 1, false, "", "1"},
                      StepCase{"Poteri_AKB", 10, true, "95", "105"}, // no upper bound
                      StepCase{"UserKpd_Inv", 0.1, true, "0,95", nullptr},
                      StepCase{"ZapPnom_Inv", 10, false, "5", nullptr},
                      StepCase{"ZapPnom_Inv", 1, false, "1", "0"},
                      StepCase{"DefUzar_Ctrl", 1, false, "11,5", nullptr},
                      StepCase{"DefUzar_Ctrl", 0.1, true, "16,9", "17"},
                      StepCase{"Tmin_SP", 1, false, "-99,5", nullptr},
                      StepCase{"KolHourWithoutSun", 0.1, false, "0,1", nullptr},
                      StepCase{"MaxKolSborNotProt", 1, false, "0", nullptr}));

TEST(VariantParams, FiveStepsOfOneReachTheDepthBound) {
    const StepRule& one = paramDef("GlubRazryad_AKB").steps.front();
    ASSERT_EQ(one.step, 1);
    QString depth = "95";
    for (int i = 0; i < 6; ++i)
        depth = applyStep(one, true, depth).text.value_or(depth);
    EXPECT_EQ(depth, "100");
}

// ---------------------------------------------------------------- checks of "ОК"

struct CheckCase {
    const char* what;
    std::function<void(VariantParams&)> change;
    std::optional<int> batteryUnom;
    QString message; // empty: accepted
    QString column;  // or the grid cell below
    int grid = -1, row = -1, col = -1;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.what;
}

class OkChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(OkChecks, RefuseTheFirstFaultWithItsMessageAndPlace) {
    const CheckCase& c = GetParam();
    VariantParams p = valid();
    c.change(p);
    CheckContext context;
    context.batteryUnom = c.batteryUnom;
    const auto error = checkParams(p, context);
    if (c.message.isEmpty()) {
        EXPECT_FALSE(error) << error->message.toStdString();
        return;
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, c.message);
    EXPECT_EQ(error->column, c.column);
    EXPECT_EQ(error->grid, c.grid);
    EXPECT_EQ(error->row, c.row);
    EXPECT_EQ(error->col, c.col);
}

auto set(const char* column, const char* text) {
    return [column, text](VariantParams& p) { p.set(column, QString::fromUtf8(text)); };
}

const QString kSunset = "Время заката солнца должно быть больше времени его восхода.";
const QString kFillAll = "Заполнение всех ячеек таблицы обязательно.";
const QString kWindow =
    "В панели \"Соотношение между током заряда АБ (от контроллера) и допустимыми токами её "
    "заряда\" значение коэффициента левой границы диапазона (\"от\") должно быть меньше "
    "коэффициента правой границы диапазона (\"до\").";

INSTANTIATE_TEST_SUITE_P(
    Cases, OkChecks,
    ::testing::Values(
        CheckCase{"factory values", [](VariantParams&) {}, std::nullopt, "", ""},
        CheckCase{"empty name", [](VariantParams& p) { p.name = "  "; }, std::nullopt,
                  "Поле \"Наименование варианта расчета\" должно быть заполнено.", "VarName"},
        CheckCase{"name first, then numbers",
                  [](VariantParams& p) {
                      p.name.clear();
                      p.set("ZapPnom_Inv", "");
                  },
                  std::nullopt, "Поле \"Наименование варианта расчета\" должно быть заполнено.",
                  "VarName"},
        CheckCase{"numbers in their order",
                  [](VariantParams& p) {
                      p.set("KdifP_SP", "0");
                      p.set("ZapPmax_Inv", "");
                  },
                  std::nullopt, "Введите значение запаса максимальной мощности инвертора.",
                  "ZapPmax_Inv"},
        CheckCase{
            "zero temperature coefficient", set("KdifP_SP", "0"), std::nullopt,
            "Значение коэффициента изменения мощности солнечных панелей должно быть больше 0.",
            "KdifP_SP"},
        CheckCase{"negative temperature coefficient", set("KdifP_SP", "-0,47"), std::nullopt, "",
                  ""},
        CheckCase{"hours without sun are checked while their field is off",
                  set("KolHourWithoutSun", ""), std::nullopt,
                  "Введите значение максимального числа последовательных \"часов без солнца\".",
                  "KolHourWithoutSun"},
        CheckCase{"losses of 100 %", set("Poteri_AKB", "100"), std::nullopt,
                  "Значение потерь на заряд-разряд АБ должно быть меньше 100.", "Poteri_AKB"},
        CheckCase{"negative losses", set("Poteri_AKB", "-5"), std::nullopt,
                  "Значение потерь на заряд-разряд АБ должно быть больше 0.", "Poteri_AKB"},
        CheckCase{"negative cable length", set("L_KL_Ctrl_AKB", "-3"), std::nullopt,
                  "Значение длины кабеля должно быть больше 0.", "L_KL_Ctrl_AKB"},
        CheckCase{"negative inverter margin", set("ZapPnom_Inv", "-10"), std::nullopt,
                  "Значение запаса номинальной мощности инвертора не должно быть меньше 0.",
                  "ZapPnom_Inv"},
        CheckCase{"lowest panel temperature below zero", set("Tmin_SP", "-40"), std::nullopt, "",
                  ""},
        CheckCase{"losses just under 100 %", set("Poteri_AKB", "99,9"), std::nullopt, "", ""},
        CheckCase{"nominal capacity factor", set("Krazr_nom", ""), std::nullopt,
                  "Введите значение числового коэффициента.", "Krazr_nom"},
        CheckCase{"maximum capacity factor", set("Krazr_max", "0"), std::nullopt,
                  "Значение числового коэффициента должно быть больше 0.", "Krazr_max"},
        CheckCase{"boost voltage", set("DefUzar_Ctrl", "14,,2"), std::nullopt,
                  "\"14,,2\" - некорректное значение для напряжения ускоренного заряда АБ.",
                  "DefUzar_Ctrl"},
        CheckCase{"DC consumers' cable length", set("L_KL_AKB_Output", ""), std::nullopt,
                  "Введите значение длины кабеля.", "L_KL_AKB_Output"},
        CheckCase{"DC consumers' voltage drop", set("DU_KL_AKB_Output", "1,,2"), std::nullopt,
                  "\"1,,2\" - некорректное значение для допустимого падения напряжения.",
                  "DU_KL_AKB_Output"},
        CheckCase{"DC consumers' fuse margin", set("Kzap_Pr_AKB_Output_U", "0"), std::nullopt,
                  "Значение коэффициента запаса должно быть больше 0.", "Kzap_Pr_AKB_Output_U"},
        CheckCase{"fractional string count", set("MaxKolSborNotProt", "2,5"), std::nullopt,
                  "\"2,5\" - некорректное значение для количества сборок солнечных панелей.",
                  "MaxKolSborNotProt"},
        CheckCase{"MPPT without an array voltage",
                  [](VariantParams& p) {
                      p.setOn("UseMPPT_Ctrl", true);
                      p.set("Umppt", "");
                  },
                  std::nullopt,
                  "Выберите напряжение массивов СП при использовании МРРТ - контроллера.", "Umppt"},
        CheckCase{"24 V on 12 V cells", set("Uses", "24"), 12, "", ""},
        CheckCase{"36 V on 24 V cells", set("Uses", "36"), 24,
                  "Напряжение системы (36 B) некратно номинальному напряжению АБ (24 В). "
                  "Необходимо выбрать другое напряжение системы.",
                  "Uses"},
        CheckCase{"window bounds in the wrong order",
                  [](VariantParams& p) {
                      p.set("Izar_min", kIzarMax);
                      p.set("Izar_max", kIzarMax);
                      p.set("Kzar_min", "1,2");
                      p.set("Kzar_max", "1,1");
                  },
                  std::nullopt, kWindow, "Kzar_min"},
        CheckCase{"the same factors on different currents",
                  [](VariantParams& p) {
                      p.set("Izar_min", kIzarMin);
                      p.set("Izar_max", kIzarMax);
                      p.set("Kzar_min", "1,2");
                      p.set("Kzar_max", "1,1");
                  },
                  std::nullopt, "", ""},
        CheckCase{"sunrise equal to sunset",
                  [](VariantParams& p) {
                      p.months[3].sunrise = "8";
                      p.months[3].sunset = "8";
                  },
                  std::nullopt, kSunset, "", 0, 3, 2},
        CheckCase{"empty cells before bad ones",
                  [](VariantParams& p) {
                      p.months[1].sunrise = "1,,2";
                      p.months[5].sunset = "";
                  },
                  std::nullopt, kFillAll, "", 0, 5, 2},
        CheckCase{"bad hours before their order",
                  [](VariantParams& p) {
                      p.months[0].sunset = "7";
                      p.months[9].sunrise = "1,,2";
                  },
                  std::nullopt, "Ошибочное значение для числового параметра.", "", 0, 9, 1},
        CheckCase{"sunset after midnight", [](VariantParams& p) { p.months[6].sunset = "25"; },
                  std::nullopt,
                  "Время восхода и заката солнца должно быть в пределах от 0 до 24 час.", "", 0, 6,
                  2},
        CheckCase{"empty temperature", [](VariantParams& p) { p.months[11].temperature = ""; },
                  std::nullopt, kFillAll, "", 1, 11, 1}));

TEST(VariantParams, DefaultLayoutHasNoNameToCheck) {
    VariantParams p = valid();
    p.name.clear();
    CheckContext context;
    context.checkName = false;
    EXPECT_FALSE(checkParams(p, context));
}

TEST(VariantParams, DcConsumersOfAnotherVoltageAreNamed) {
    EXPECT_FALSE(dcVoltageNotice("24", {"24", "24"}));
    EXPECT_EQ(dcVoltageNotice("24", {"24", "12", "36"}),
              "Нагрузка АБ содержит электроприемники, имеющие номинальное постоянное напряжение "
              "12 В. Удалите эти электроприемники или замените их на электроприемники, имеющие "
              "номинальное напряжение 24 В.");
}

// ---------------------------------------------------------------- columns

QVariant valueOf(const std::vector<std::pair<QString, QVariant>>& columns, const QString& name) {
    for (const auto& [c, v] : columns)
        if (c == name)
            return v;
    ADD_FAILURE() << "no column " << name.toStdString();
    return {};
}

TEST(VariantParams, ColumnsAsTheMappingSays) {
    VariantParams p = valid();
    p.set("Kzap_AV_Vetv_I", "1,50");
    p.setIndex("Par_AV_AKB_Inv", 3);
    const auto columns = paramColumns(p, ParamTable::Variant);
    EXPECT_EQ(valueOf(columns, "VarName"), "Вариант 1");
    EXPECT_EQ(valueOf(columns, "Uses"), 24);
    EXPECT_EQ(valueOf(columns, "Kzap_AV_Vetv_I"), 1.5);
    EXPECT_EQ(valueOf(columns, "KdifP_SP"), -0.47);
    EXPECT_EQ(valueOf(columns, "Izar_min"), kIzarMin);
    EXPECT_EQ(valueOf(columns, "Par_AV_AKB_Inv"), 3);
    EXPECT_EQ(valueOf(columns, "SutCikl"), true);
    EXPECT_EQ(valueOf(columns, "ParamNagr"), 0);
    EXPECT_EQ(valueOf(columns, "Pom_AKB"), "Подвал");
    EXPECT_TRUE(valueOf(columns, "Umppt").isNull()); // PWM controllers: no array voltage

    p.setOn("UseMPPT_Ctrl", true);
    p.set("Umppt", "36");
    const auto defaults = paramColumns(p, ParamTable::Default);
    EXPECT_EQ(valueOf(defaults, "Umppt"), 36);
    EXPECT_EQ(valueOf(defaults, "PomName"), "Подвал");
    for (const auto& [c, v] : defaults)
        EXPECT_NE(c, "VarName");

    std::map<QString, QVariant> row(defaults.begin(), defaults.end());
    const VariantParams back =
        paramsFromColumns([&row](const QString& c) { return row[c]; }, ParamTable::Default);
    p.set("Kzap_AV_Vetv_I", "1,5"); // shown in its shortest form once stored
    EXPECT_EQ(back.values, p.values);
}

TEST(VariantParams, NullColumnsShowNothing) {
    const VariantParams p =
        paramsFromColumns([](const QString&) { return QVariant(); }, ParamTable::Variant);
    EXPECT_EQ(p.text("Uses"), "");
    EXPECT_EQ(p.index("Sel_Tbl_AKB_Inv"), -1);
    EXPECT_EQ(p.index("ParamNagr"), -1);
    EXPECT_FALSE(p.isOn("SutCikl"));
    EXPECT_EQ(p.text("Poteri_AKB"), "");
}

// ---------------------------------------------------------------- the report

TEST(VariantReport, SectionsAndLeftOutRows) {
    VariantParams p = valid();
    p.setIndex("Sel_Tbl_AKB_Inv", 1); // the current basis is then disabled
    RecordingReportWriter w;
    writeVariantReport(w, p);
    w.closeReport();
    EXPECT_EQ(
        w.summary(),
        QStringList({"open", "title: Параметры варианта расчета.\r",
                     "heading: \rОбщие параметры.\r", "pairs 3", "heading: \rНагрузка.\r",
                     "pairs 1", "heading: \rИнвертор.\r", "pairs 5",
                     "heading: \rСолнечные панели (СП).\r", "pairs 4", "heading: \rКонтроллер.\r",
                     "pairs 2", "heading: \rАккумуляторная батарея (АБ).\r", "pairs 7",
                     "heading: \rКабели (провода).\r", "pairs 10", "heading: \rАппараты защиты.\r",
                     "pairs 17", "close"}));
    const auto& load = w.blocks()[5].rows;
    EXPECT_EQ(load[0], QStringList({"Параметры нагрузки электроустановки",
                                    "известны нагрузочные параметры электроустановки"}));
    const auto& inverter = w.blocks()[7].rows;
    EXPECT_EQ(inverter[3],
              QStringList({"При выборе инвертора учитывать пиковые мощности нагрузки", "-"}));
    const auto& battery = w.blocks()[13].rows;
    EXPECT_EQ(battery[2][0], "Отношение тока заряда АБ (от контроллера) к минимальному паспортному "
                             "току заряда АБ, не менее");
    EXPECT_EQ(battery[3][0], "Отношение тока заряда АБ (от контроллера) к максимальному "
                             "паспортному току заряда АБ, не более");
    const auto& devices = w.blocks()[17].rows;
    EXPECT_EQ(devices[7], QStringList({"При наличии более 1 контроллера выбор автоматических "
                                       "выключателей в контурах \"Контроллер - АБ\" выполнять",
                                       "по максимальному току контроллера"}));
}

TEST(VariantReport, EnabledFieldsComeBack) {
    VariantParams p = valid();
    p.setOn("UseUserKpd_Inv", true);
    p.setOn("UchetKdifP_SP", true);
    p.setOn("UseMPPT_Ctrl", true);
    p.set("Umppt", "36");
    p.setIndex("Par_AV_AKB_Inv", 2);
    p.setIndex("Par_Pr_AKB_Inv", 1);
    p.set("Izar_min", kIzarMax);
    RecordingReportWriter w;
    writeVariantReport(w, p);
    const QStringList s = w.summary();
    EXPECT_EQ(s[7], "pairs 6");
    EXPECT_EQ(s[9], "pairs 5");
    EXPECT_EQ(s[11], "pairs 3");
    EXPECT_EQ(s[15], "pairs 11");
    EXPECT_EQ(s[17], "pairs 21");
    EXPECT_EQ(w.blocks()[11].rows[1],
              QStringList({"Напряжение массивов солнечных панелей, В", "36"}));
    EXPECT_EQ(w.blocks()[13].rows[2][0], "Отношение тока заряда АБ (от контроллера) к "
                                         "максимальному паспортному току заряда АБ, не менее");
    const auto& devices = w.blocks()[17].rows;
    EXPECT_EQ(devices.back(), QStringList({"Выбор предохранителя в контуре \"АБ - инвертор\" "
                                           "выполнять",
                                           "по номинальному току инвертора"}));
    EXPECT_EQ(devices[7][0], "Коэффициент запаса по току при выборе автоматических выключателей в "
                             "контуре \"АБ - инвертор\"");
}

// ---------------------------------------------------------------- saves

class VariantOpsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дом"}}));
    }
    // The months of the current variant as stored.
    QStringList storedMonths() {
        QStringList r;
        View& v = tbl("proj_sunday");
        for (int i = 0; i < v.recordCount(); ++i) {
            v.moveTo(i);
            r << v["MonthName"].asString() + ' ' + v["Voshod10"].asString() + ' ' +
                     v["Zakat10"].asString() + ' ' + v["TempAB"].asString();
        }
        return r;
    }
};

TEST_F(VariantOpsTest, AddingWritesTheVariantAndItsTwelveMonths) {
    VariantParams p = valid();
    p.months[0] = {"январь", "9,27", "14,73", "-12"};
    ASSERT_TRUE(addVariant(*dm, p));
    EXPECT_EQ(store->count("project1"), 1);
    EXPECT_EQ(store->count("proj_sunday"), 12);
    View& variant = tbl("project1");
    EXPECT_EQ(variant["VarName"].asString(), "Вариант 1");
    EXPECT_EQ(variant["Kod0"].asInteger(), tbl("project0")["Kod"].asInteger());
    const QStringList months = storedMonths();
    ASSERT_EQ(months.size(), 12);
    EXPECT_EQ(months.first(), "январь 9,27 14,73 -12");
    EXPECT_EQ(months.last(), "декабрь 8 17,5 -5");
    EXPECT_EQ(currentVariantParams(*dm).values, p.values);
}

TEST_F(VariantOpsTest, EditingReplacesTheMonths) {
    ASSERT_TRUE(addVariant(*dm, valid()));
    VariantParams p = valid();
    p.name = "Зимний";
    p.set("Uses", "48");
    p.months[11].temperature = "-30";
    ASSERT_TRUE(editVariant(*dm, p));
    EXPECT_EQ(store->count("project1"), 1);
    EXPECT_EQ(store->count("proj_sunday"), 12);
    EXPECT_EQ(storedMonths().last(), "декабрь 8 17,5 -30");
    EXPECT_EQ(tbl("project1")["Uses"].asInteger(), 48);
    EXPECT_EQ(tbl("project1")["VarName"].asString(), "Зимний");
}

TEST_F(VariantOpsTest, AFailedEditLeavesTheVariantAsItWas) {
    ASSERT_TRUE(addVariant(*dm, valid()));
    const QStringList before = storedMonths();
    VariantParams p = valid();
    p.name = "Зимний";
    // Too long for MonthName: refused after the variant row is rewritten and its months deleted.
    p.months[11].month = QString(25, 'x');
    EXPECT_FALSE(editVariant(*dm, p));
    EXPECT_FALSE(prompter.texts().isEmpty());
    EXPECT_EQ(tbl("project1")["VarName"].asString(), "Вариант 1");
    EXPECT_EQ(store->count("proj_sunday"), 12);
    EXPECT_EQ(storedMonths(), before);
    EXPECT_EQ(tbl("proj_sunday").state(), ViewState::Browse);
}

TEST_F(VariantOpsTest, AFailedAddWritesNothing) {
    VariantParams p = valid();
    p.months[4].month = QString(25, 'x');
    EXPECT_FALSE(addVariant(*dm, p));
    EXPECT_EQ(store->count("project1"), 0);
    EXPECT_EQ(store->count("proj_sunday"), 0);
    EXPECT_TRUE(tbl("project1").isEmpty());
}

TEST_F(VariantOpsTest, DefaultVariantStartsFromTheFactoryAndKeepsOneRow) {
    ASSERT_TRUE(add(tbl("sTempAB0"), {{"PomName", "Склад"}}));
    for (int m = 0; m < 12; ++m)
        ASSERT_TRUE(add(tbl("sTempAB1"),
                        {{"MonthName", monthNames()[m]}, {"TempAB", QString::number(m - 6)}}));
    ASSERT_FALSE(hasDefaultVariant(*dm));
    VariantParams p = defaultVariantParams(*dm);
    EXPECT_EQ(p.text("DefTipAKB_Ctrl"), "GEL");
    EXPECT_EQ(p.text("KdifP_SP"), "-0,47");
    EXPECT_EQ(p.text("Pom_AKB"), "Склад");
    EXPECT_EQ(p.months[0].sunrise, "9,27");
    EXPECT_EQ(p.months[0].sunset, "14,73");
    EXPECT_EQ(p.months[0].temperature, "-6");
    EXPECT_EQ(p.months[11].temperature, "5");

    p.set("Poteri_AKB", "15");
    ASSERT_TRUE(saveDefaultVariant(*dm, p));
    p.set("Poteri_AKB", "12");
    p.months[2].sunrise = "7";
    ASSERT_TRUE(saveDefaultVariant(*dm, p));
    reopen();
    EXPECT_EQ(store->count("ParVarDef"), 1);
    EXPECT_EQ(store->count("ParVarDef1"), 12);
    EXPECT_EQ(tbl("ParVarDef")["PomName"].asString(), "Склад");
    const VariantParams back = defaultVariantParams(*dm);
    EXPECT_EQ(back.values, p.values);
    EXPECT_EQ(back.months[2].sunrise, "7");
    EXPECT_EQ(back.months[11].temperature, "5");
}

TEST_F(VariantOpsTest, BatteryAndDcConsumersOfTheCurrentVariant) {
    ASSERT_TRUE(addVariant(*dm, valid()));
    EXPECT_FALSE(chosenBatteryUnom(*dm));
    ASSERT_TRUE(tbl("project1").edit());
    tbl("project1")["Unom_AKB"].setInteger(12);
    ASSERT_TRUE(tbl("project1").post());
    EXPECT_EQ(chosenBatteryUnom(*dm), 12);

    ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Свет"}}));
    ASSERT_TRUE(add(tbl("proj_ep12_0"), {{"Name", "Лампа"}, {"Unom", "24"}}));
    ASSERT_TRUE(add(tbl("proj_ep12_0"), {{"Name", "Насос"}, {"Unom", "12"}}));
    ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Связь"}}));
    ASSERT_TRUE(add(tbl("proj_ep12_0"), {{"Name", "Рация"}, {"Unom", "36"}}));
    EXPECT_EQ(dcConsumerVoltages(*dm), QStringList({"24", "12", "36"}));
}

} // namespace
