// The charge controllers: the temperature factor, the query of one array, the output current and
// its fall-backs, the candidate rule, the choice over the window's rows and its "ОК" check; then
// over a real store: the fixed query against the rule, the lookups and what "ОК" stores.

#include "lib/qt_print.h"
#include "solar/controller_fixture.h"
#include "solar/controllers.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

#include <functional>

using namespace ses;
using namespace ses::test;

namespace {

// A 24 V system with MPPT controllers strung to 36 V, 12 V panels of 21,6 V open-circuit and
// 17,2 V at the operating point, 15 % margin, 8 % losses, no battery chosen yet.
ControllerVariant mpptVariant() {
    ControllerVariant v;
    v.mppt = true;
    v.umppt = 36;
    v.uses = 24;
    v.losses = 8;
    v.margin = 15;
    v.defaultChargeVoltage = 14.4;
    v.defaultBatteryType = QStringLiteral("GEL");
    v.panelCompany = QStringLiteral("Солнце");
    v.panelType = QStringLiteral("СП-120");
    v.unomSp = 12;
    v.vocSp = 21.6;
    v.vmpSp = 17.2;
    return v;
}

ControllerArray array(const char* name, double power, double current, int series) {
    ControllerArray a;
    a.name = QString::fromUtf8(name);
    a.power = power;
    a.current = current;
    a.series = series;
    return a;
}

ChargeVoltageLookup found(double upodzar) {
    return {QStringLiteral("Заряд"), QStringLiteral("MPPT-40"), true, upodzar};
}

TEST(TemperatureFactor, DefaultWithoutThePanelAndFromTheCatalogOtherwise) {
    EXPECT_EQ(temperatureFactor(std::nullopt, -30), 1.115);
    // (-15 - 25) x -0,4 / 100 + 1: frost raises the open-circuit voltage.
    EXPECT_DOUBLE_EQ(temperatureFactor(-0.4, -15), 1.16);
    // (45 - 25) x -0,3 / 100 + 1: heat lowers it.
    EXPECT_DOUBLE_EQ(temperatureFactor(-0.3, 45), 0.94);
    // 1,1485 written with "0.###": the half goes away from zero.
    EXPECT_DOUBLE_EQ(temperatureFactor(-0.33, -20), 1.149);
}

TEST(ControllerQuery, RequiredVoltageAndOperatingPointFollowThePanelsInSeries) {
    ControllerVariant v = mpptVariant();
    // Three panels in series: round(1,16 x 1,15 x 21,6 x 3, 2) = 86,44; 17,2 x 3 = 51,6.
    const auto q = controllerQuery(v, 1.16, array("М1", 1000, 52, 3), Amperes{35.5, {}});
    ASSERT_TRUE(q.query) << q.error.toStdString();
    EXPECT_EQ(q.query->algorithm, "MPPT");
    EXPECT_DOUBLE_EQ(q.query->uxx, 86.44);
    EXPECT_DOUBLE_EQ(q.query->umppt, 51.6);
    EXPECT_EQ(q.query->charge, 35.5); // the output current, not the array current
    EXPECT_EQ(q.query->batteryType, "GEL");

    // PWM: strung to Uses (two panels), the array current is the charge current.
    v.mppt = false;
    v.margin = 10;
    v.batteryType = QStringLiteral("AGM");
    const auto p = controllerQuery(v, 1.115, array("М1", 500, 26, 2), Amperes{});
    ASSERT_TRUE(p.query) << p.error.toStdString();
    EXPECT_EQ(p.query->algorithm, "PWM");
    EXPECT_DOUBLE_EQ(p.query->uxx, 52.98); // 1,115 x 1,1 x 21,6 x 2 = 52,9848
    EXPECT_EQ(p.query->charge, 26);
    EXPECT_EQ(p.query->batteryType, "AGM");

    // A panel stored as 12 V but strung four to a string is checked as four in series.
    const auto f = controllerQuery(mpptVariant(), 1, array("М1", 1000, 52, 4), Amperes{35.5, {}});
    ASSERT_TRUE(f.query);
    EXPECT_DOUBLE_EQ(f.query->uxx, 99.36); // 1 x 1,15 x 21,6 x 4
    EXPECT_DOUBLE_EQ(f.query->umppt, 68.8);
}

TEST(ControllerQuery, RefusesAPanelWithoutVoltagesAndPassesOnACurrentRefusal) {
    for (const auto& zero : {std::optional<double>(), std::optional<double>(0)}) {
        ControllerVariant v = mpptVariant();
        v.unomSp = zero;
        const auto q = controllerQuery(v, 1.115, array("М1", 1000, 52, 3), Amperes{30, {}});
        EXPECT_FALSE(q.query);
        EXPECT_TRUE(q.error.contains("\"СП-120\"")) << q.error.toStdString();
    }
    const auto q = controllerQuery(mpptVariant(), 1.115, array("М1", 1000, 52, 3),
                                   Amperes{std::nullopt, QStringLiteral("нет тока")});
    EXPECT_FALSE(q.query);
    EXPECT_EQ(q.error, "нет тока");
}

TEST(OutputCurrent, DefaultVoltageCatalogVoltageAndRefusals) {
    ControllerVariant v = mpptVariant();
    v.uses = 48;
    // Not found: (48 div 12) x 14,4 = 57,6 V; 0,92 x 2000 / 57,6 = 31,944.
    EXPECT_EQ(controllerOutputCurrent(v, 2000, {}).value, 31.94);
    // Found: 56,8 V; 0,92 x 2000 / 56,8 = 32,394.
    EXPECT_EQ(controllerOutputCurrent(v, 2000, found(56.8)).value, 32.39);

    struct Case {
        const char* what;
        double uses;
        ChargeVoltageLookup lookup;
        const char* names;
    } refused[] = {
        {"system below 12 V", 6, {}, "6 В"},
        {"zero Upodzar", 24, found(0), "\"MPPT-40\""},
        {"empty Upodzar",
         24,
         {QStringLiteral("Заряд"), QStringLiteral("MPPT-40"), true, {}},
         "GEL"},
        {"negative Upodzar", 24, found(-1), "\"Заряд\""},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.what);
        v.uses = c.uses;
        const Amperes a = controllerOutputCurrent(v, 2000, c.lookup);
        EXPECT_FALSE(a.ok());
        EXPECT_TRUE(a.error.contains(QString::fromUtf8(c.names))) << a.error.toStdString();
    }
    v.uses = 24;
    v.defaultChargeVoltage = 0;
    EXPECT_FALSE(controllerOutputCurrent(v, 2000, {}).ok());
}

TEST(OutputCurrent, CatalogLookupFallsBackAtEachLevel) {
    CatalogController c;
    c.company = QStringLiteral("Заряд");
    c.tip = QStringLiteral("MPPT-40");
    c.uses = 24;
    c.chargeVoltages = {{QStringLiteral("GEL"), 28.2}, {QStringLiteral("AGM"), 28.8}};
    const std::vector<CatalogController> catalog = {c};
    const auto look = [&](const char* company, const char* tip, double uses, const char* type) {
        return lookupChargeVoltage(catalog, QString::fromUtf8(company), QString::fromUtf8(tip),
                                   uses, QString::fromUtf8(type));
    };
    EXPECT_EQ(look("Заряд", "MPPT-40", 24, "AGM").upodzar, 28.8);
    EXPECT_TRUE(look("Заряд", "MPPT-40", 24, "GEL").found);
    EXPECT_FALSE(look("Другая", "MPPT-40", 24, "GEL").found);    // maker
    EXPECT_FALSE(look("Заряд", "MPPT-60", 24, "GEL").found);     // type
    EXPECT_FALSE(look("Заряд", "MPPT-40", 48, "GEL").found);     // rating for the voltage
    EXPECT_FALSE(look("Заряд", "MPPT-40", 24, "Flooded").found); // battery type
}

CatalogController mppt40() {
    CatalogController c;
    c.company = QStringLiteral("Заряд");
    c.tip = QStringLiteral("MPPT-40");
    c.algorithm = QStringLiteral("MPPT");
    c.imax = 40;
    c.section = 16;
    c.uses = 24;
    c.psp = 1200;
    c.uxx = 100;
    c.umpptMin = 30;
    c.umpptMax = 80;
    c.chargeVoltages = {{QStringLiteral("GEL"), 28.2}};
    return c;
}

TEST(CandidateRule, EachConditionAtItsEdge) {
    ControllerQuery q;
    q.algorithm = QStringLiteral("MPPT");
    q.uxx = 86.44;
    q.umppt = 51.6;
    q.uses = 24;
    q.power = 1000;
    q.charge = 35.5;
    q.batteryType = QStringLiteral("GEL");
    struct Case {
        const char* what;
        std::function<void(CatalogController&, ControllerQuery&)> change;
        bool offered;
    } cases[] = {
        {"as it is", [](auto&, auto&) {}, true},
        {"PWM type", [](auto& c, auto&) { c.algorithm = "PWM"; }, false},
        {"Uxx_sp equal to the required", [](auto& c, auto&) { c.uxx = 86.44; }, true},
        {"Uxx_sp below", [](auto& c, auto&) { c.uxx = 86; }, false},
        {"Umppt_min at Umppt'", [](auto& c, auto&) { c.umpptMin = 51.6; }, true},
        {"Umppt_max at Umppt'", [](auto& c, auto&) { c.umpptMax = 51.6; }, true},
        {"window above Umppt'", [](auto& c, auto&) { c.umpptMin = 51.61; }, false},
        {"window below Umppt'", [](auto& c, auto&) { c.umpptMax = 51.59; }, false},
        {"no MPPT window", [](auto& c, auto&) { c.umpptMin.reset(); }, false},
        {"Psp equal to the array power", [](auto& c, auto&) { c.psp = 1000; }, true},
        {"Psp below", [](auto& c, auto&) { c.psp = 999; }, false},
        {"Imax_sp equal to the charge current", [](auto&, auto& q) { q.charge = 40; }, false},
        {"another system voltage", [](auto& c, auto&) { c.uses = 12; }, false},
        {"maker switched off", [](auto& c, auto&) { c.companyOn = false; }, false},
        {"type switched off", [](auto& c, auto&) { c.typeOn = false; }, false},
        {"no row for the battery type",
         [](auto& c, auto&) {
             c.chargeVoltages = {{"AGM", 28.8}};
         },
         false},
        {"PWM type for a PWM variant",
         [](auto& c, auto& q) {
             c.algorithm = q.algorithm = "PWM";
             c.umpptMin.reset();
             c.umpptMax.reset();
         },
         true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CatalogController c = mppt40();
        ControllerQuery qq = q;
        k.change(c, qq);
        EXPECT_EQ(isCandidate(c, qq), k.offered);
    }
}

TEST(CandidateRule, OrderedByPowerThenCurrentThenOpenCircuitVoltage) {
    const auto rated = [](const char* tip, double psp, double imax, double uxx) {
        CatalogController c = mppt40();
        c.tip = QString::fromUtf8(tip);
        c.psp = psp;
        c.imax = imax;
        c.uxx = uxx;
        return c;
    };
    ControllerQuery q{QStringLiteral("MPPT"), 90, 50, 24, 1000, 30, QStringLiteral("GEL")};
    QStringList order;
    for (const auto& c : candidates({rated("Г", 1600, 40, 150), rated("В", 1200, 60, 100),
                                     rated("Б", 1200, 40, 150), rated("А", 1200, 40, 100),
                                     rated("нет", 900, 40, 100)},
                                    q))
        order << c.tip;
    EXPECT_EQ(order, QStringList({"А", "Б", "В", "Г"}));
}

TEST(Choice, AllArraysOfEqualWholePowerTakeTheControllerEachWithItsCurrent) {
    const ControllerVariant v = mpptVariant();
    const ControllerCandidate c = candidateOf(mppt40());
    // 1200,4 and 1199,6 W are both 1200 whole watts; 800 W is not.
    const std::vector<ControllerArray> start = {
        array("М1", 1200.4, 60, 3), array("М2", 1199.6, 60, 3), array("М3", 800, 40, 3)};
    std::vector<ControllerArray> rows = start;
    const ChoiceResult r = applyChoice(rows, 1, c, true, v, found(28.2));
    EXPECT_EQ(r.rows, std::vector<int>({0, 1}));
    EXPECT_EQ(rows[0].controller, fieldsOf(c));
    EXPECT_EQ(rows[0].controller.tip, "MPPT-40");
    EXPECT_EQ(rows[0].controller.unom, 24);
    EXPECT_EQ(rows[0].iakb, 39.16); // 0,92 x 1200,4 / 28,2 = 39,161
    EXPECT_EQ(rows[1].iakb, 39.14); // 0,92 x 1199,6 / 28,2 = 39,135
    EXPECT_TRUE(rows[2].controller.tip.isEmpty());
    EXPECT_FALSE(rows[2].iakb);

    rows = start;
    EXPECT_EQ(applyChoice(rows, 1, c, false, v, found(28.2)).rows, std::vector<int>({1}));
    EXPECT_TRUE(rows[0].controller.tip.isEmpty());

    // PWM: Іаб is the array current. A refused current changes no row.
    ControllerVariant pwm = v;
    pwm.mppt = false;
    rows = start;
    applyChoice(rows, 2, c, true, pwm, {});
    EXPECT_EQ(rows[2].iakb, 40);
    rows = start;
    const ChoiceResult refused = applyChoice(rows, 0, c, true, v, found(0));
    EXPECT_FALSE(refused.error.isEmpty());
    EXPECT_TRUE(refused.rows.empty());
    EXPECT_TRUE(rows[0].controller.tip.isEmpty());
}

TEST(Choice, OkNeedsEveryControllerCellTheMpptRangeOnlyWithMppt) {
    const QString refusal =
        QStringLiteral("Для завершения работы с диалогом посредством нажатия кнопки \"ОК\" "
                       "необходимо выбрать контроллеры заряда для всех массивов солнечных "
                       "панелей.");
    CatalogController pwmType = mppt40();
    pwmType.algorithm = QStringLiteral("PWM");
    pwmType.umpptMin.reset();
    pwmType.umpptMax.reset();
    std::vector<ControllerArray> rows = {array("М1", 500, 26, 2), array("М2", 500, 26, 2)};
    applyChoice(rows, 0, candidateOf(pwmType), true, mpptVariant(), found(28.2));
    EXPECT_EQ(controllersOkRefusal(rows, false), std::nullopt);
    EXPECT_EQ(controllersOkRefusal(rows, true), refusal);
    applyChoice(rows, 0, candidateOf(mppt40()), true, mpptVariant(), found(28.2));
    EXPECT_EQ(controllersOkRefusal(rows, true), std::nullopt);
    rows.push_back(array("М3", 700, 30, 2));
    EXPECT_EQ(controllersOkRefusal(rows, true), refusal);
}

TEST(SourcePanel, NineValuesWithTheCurrentArraysOnes) {
    const ControllerVariant v = mpptVariant();
    const ControllerArray a = array("М1", 1000, 52, 3);
    // SumUxx = 3 x 21,6 = 64,8; 1,16 x 1,15 x 64,8 = 86,4432.
    EXPECT_EQ(sourceTexts(v, 1.16, &a),
              QStringList({"24", "GEL", "МРРТ", "36", "51,6", "64,8", "15", "1,16", "86,44"}));
    EXPECT_EQ(sourceTexts(v, 1.16, nullptr),
              QStringList({"24", "GEL", "МРРТ", "36", "", "", "15", "1,16", ""}));
}

} // namespace

// ---------------------------------------------------------------- over the store

namespace {

TEST_F(ControllerStoreTest, StoresTheFieldsAndTheTotalWithTheShownCurrent) {
    ControllerSource s = readControllerSource(*dm);
    EXPECT_DOUBLE_EQ(s.kt, 1.16); // (-15 - 25) x -0,4 / 100 + 1
    ASSERT_EQ(s.rows.size(), 2u);
    choose(s, 0, "MPPT-40", true);
    // Before a battery is chosen the GEL voltage of the catalog counts, as shown:
    // 0,9 x 1080 / 28,6 = 33,99 A, not 0,9 x 1080 / 28,4 = 34,23 A from the default voltage.
    EXPECT_EQ(s.rows[1].iakb, 33.99);
    EXPECT_EQ(storeControllers(*dm, s.rows), std::nullopt);

    View& m = tbl("proj_mas");
    for (int r = 0; r < 2; ++r) {
        m.moveTo(r);
        EXPECT_EQ(m["Company_Ctrl"].asString(), "Заряд");
        EXPECT_EQ(m["Tip_Ctrl"].asString(), "MPPT-40");
        EXPECT_EQ(m["Unom_Ctrl"].asInteger(), 24);
        EXPECT_EQ(m["Inom_Ctrl"].asFloat(), 40);
        EXPECT_EQ(m["Umppt_min_Ctrl"].asInteger(), 30);
        EXPECT_EQ(m["Umppt_max_Ctrl"].asInteger(), 80);
        EXPECT_EQ(m["Uxx_Ctrl"].asInteger(), 100);
        EXPECT_EQ(m["Skab_Ctrl"].asFloat(), 16);
        EXPECT_EQ(m["Iakb_Ctrl"].asFloat(), s.rows[r].iakb);
    }
    EXPECT_EQ(tbl("project1")["SIzar_AKB"].asFloat(), 67.98);

    // Once an AGM battery is chosen the same controllers deliver 0,9 x 1080 / 29 = 33,52 A, and
    // the window shows what storing will write.
    View& p = tbl("project1");
    ASSERT_TRUE(p.edit());
    p["Tip_AKB"].setString("AGM");
    ASSERT_TRUE(p.post());
    ControllerSource again = readControllerSource(*dm);
    ControllerCatalog(*dm).refreshCurrents(again);
    EXPECT_EQ(again.rows[0].iakb, 33.52);
    EXPECT_EQ(storeControllers(*dm, again.rows), std::nullopt);
    EXPECT_EQ(p["SIzar_AKB"].asFloat(), 67.04);
}

TEST_F(ControllerStoreTest, CablesAndBatteryProtectionAreClearedOnlyWhereTheControllerChanged) {
    ControllerSource s = readControllerSource(*dm);
    choose(s, 0, "MPPT-40", true);
    ASSERT_EQ(storeControllers(*dm, s.rows), std::nullopt);
    setCables(0);
    setCables(1);

    s = readControllerSource(*dm);
    const std::vector<ControllerArray> stored = s.rows;
    choose(s, 1, "MPPT-60");
    EXPECT_EQ(arraysLosingCables(stored, s.rows), QStringList({"М2"}));
    EXPECT_TRUE(losingCablesQuestion({"М2"})->contains("\"М2\""));
    ASSERT_EQ(storeControllers(*dm, s.rows), std::nullopt);

    View& m = tbl("proj_mas");
    m.moveTo(0);
    EXPECT_EQ(m["Skab"].asFloat(), 6);
    EXPECT_EQ(m["Skab_akb"].asFloat(), 10);
    EXPECT_EQ(m["Company_AV_AKB"].asString(), "Автомат");
    EXPECT_EQ(m["Inom_Pr_AKB"].asFloat(), 50);
    m.moveTo(1);
    EXPECT_EQ(m["Tip_Ctrl"].asString(), "MPPT-60");
    for (const char* cleared : {"Skab", "Skab_akb", "Company_AV_AKB", "Inom_Pr_AKB"})
        EXPECT_TRUE(m[cleared].isNull()) << cleared;
    // The breaker between the array and its controller does not depend on the controller.
    EXPECT_EQ(m["Company_AV_mas"].asString(), "Автомат массива");
}

TEST_F(ControllerStoreTest, ARefusalHalfWayLeavesEverythingAsItWas) {
    ControllerSource s = readControllerSource(*dm);
    choose(s, 0, "MPPT-40", true);
    ASSERT_EQ(storeControllers(*dm, s.rows), std::nullopt);
    setCables(0);

    // The first array is changed, the second gets a controller without a GEL voltage.
    s.rows[0].controller.tip = QStringLiteral("MPPT-60");
    s.rows[1].controller.company = QStringLiteral("Другой");
    s.rows[1].controller.tip = QStringLiteral("MPPT-50");
    const auto refusal = storeControllers(*dm, s.rows);
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->contains("\"М2\"")) << refusal->toStdString();
    EXPECT_TRUE(refusal->contains("\"MPPT-50\"")) << refusal->toStdString();

    View& m = tbl("proj_mas");
    m.moveTo(0);
    EXPECT_EQ(m["Tip_Ctrl"].asString(), "MPPT-40");
    EXPECT_EQ(m["Skab"].asFloat(), 6);
    m.moveTo(1);
    EXPECT_EQ(m["Tip_Ctrl"].asString(), "MPPT-40");
    EXPECT_EQ(tbl("project1")["SIzar_AKB"].asFloat(), 67.98);
}

TEST_F(ControllerStoreTest, ChargeVoltageLookupFallsBackAtEachLevel) {
    ControllerCatalog c(*dm);
    EXPECT_EQ(c.chargeVoltage("Заряд", "MPPT-40", 24, "AGM").upodzar, 29);
    for (const auto& [company, tip, uses, type] :
         {std::tuple{"Нет", "MPPT-40", 24, "GEL"}, std::tuple{"Заряд", "Нет", 24, "GEL"},
          std::tuple{"Заряд", "MPPT-40", 48, "GEL"}, std::tuple{"Заряд", "MPPT-40", 24, "Flooded"},
          std::tuple{"Заряд", "", 24, "GEL"}})
        EXPECT_FALSE(c.chargeVoltage(company, tip, uses, type).found) << company << tip << type;
    // With the default voltage: 0,9 x 1080 / (2 x 14,2) = 34,23.
    EXPECT_EQ(c.outputCurrent(readControllerVariant(*dm), 1080, "Заряд", "Нет").value, 34.23);
}

// The fixed query and the candidate rule agree on one catalog: every controller of it, read back
// as the rule sees it, against queries around its edges.
TEST_F(ControllerStoreTest, FixedQueryAgreesWithTheCandidateRule) {
    maker("Третий", {{"MPPT-30", 30, 800, "28"}});
    View& c1 = tbl("Controller1");
    c1.last();
    ASSERT_TRUE(c1.edit());
    c1["UseCtrl"].setBoolean(false);
    ASSERT_TRUE(c1.post());

    std::vector<CatalogController> catalog;
    QSqlQuery q = store->select(
        "SELECT c0.Company, c0.UseCtrl, c1.Tip, c1.Algoritm1, c1.Imax_sp, c1.ProvSechMax, "
        "c1.UseCtrl, c2.Uses, c2.Psp, c2.Uxx_sp, c2.Umppt_min, c2.Umppt_max, c2.Kod "
        "FROM Controller0 c0 JOIN Controller1 c1 ON c1.Kod0 = c0.Kod "
        "JOIN Controller2 c2 ON c2.Kod0 = c1.Kod ORDER BY c2.Kod");
    while (q.next()) {
        CatalogController c{q.value(0).toString(),
                            q.value(1).toBool(),
                            q.value(2).toString(),
                            q.value(3).toString(),
                            q.value(4).toDouble(),
                            q.value(5).toDouble(),
                            q.value(6).toBool(),
                            q.value(7).toDouble(),
                            q.value(8).toDouble(),
                            q.value(9).toDouble(),
                            q.value(10).toDouble(),
                            q.value(11).toDouble(),
                            {}};
        QSqlQuery v =
            store->select("SELECT TipAKB, Upodzar FROM Controller4 WHERE Kod0 = ?", {q.value(12)});
        while (v.next())
            c.chargeVoltages.push_back({v.value(0).toString(), v.value(1).toDouble()});
        catalog.push_back(c);
    }
    ASSERT_EQ(catalog.size(), 4u);

    ControllerCatalog cat(*dm);
    for (const ControllerQuery& query : {ControllerQuery{"MPPT", 90, 50, 24, 1000, 33, "GEL"},
                                         ControllerQuery{"MPPT", 100, 80, 24, 1200, 39.99, "AGM"},
                                         ControllerQuery{"MPPT", 100.01, 50, 24, 500, 10, "GEL"},
                                         ControllerQuery{"MPPT", 90, 29.99, 24, 500, 10, "GEL"},
                                         ControllerQuery{"MPPT", 90, 50, 24, 1500, 50, "GEL"},
                                         ControllerQuery{"PWM", 90, 50, 24, 500, 10, "GEL"},
                                         ControllerQuery{"MPPT", 90, 50, 12, 500, 10, "GEL"}}) {
        QStringList fromQuery, fromRule;
        for (const ControllerCandidate& c : cat.query(query))
            fromQuery << c.tip;
        for (const ControllerCandidate& c : candidates(catalog, query))
            fromRule << c.tip;
        EXPECT_EQ(fromQuery, fromRule) << query.uxx << " " << query.power;
    }
    EXPECT_EQ(candidates(catalog, {"MPPT", 90, 50, 24, 1000, 33, "GEL"}).size(), 3u);
}

} // namespace
