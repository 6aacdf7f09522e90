// The recalculation chain over the demo project and over a variant without loads.

#include "../data/fixture.h"

#include "app/demo.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "load/rebuild.h"
#include "solar/controller_ops.h"
#include "solar/sizing_store.h"
#include "solar/solar_choice_ops.h"
#include "storage/inverter_ops.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

#include <algorithm>

using namespace ses;
using namespace ses::test;

namespace {

class RecalcTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        initDataDirectory(m_tmp.path());
        store = Store::open(m_tmp.path());
        dm = std::make_unique<TDataModule1>(*store, prompter);
        shell = std::make_unique<Shell>(*dm, prompter);
    }
    QTemporaryDir m_tmp;
    RecordingPrompter prompter;
    std::unique_ptr<Store> store;
    std::unique_ptr<TDataModule1> dm;
    std::unique_ptr<Shell> shell;
};

TEST_F(RecalcTest, SizesTheDemoAndEmptiesAVariantWithoutLoads) {
    buildDemoProject(*shell);
    View& v = dm->tblProj1();
    ASSERT_EQ(v["VarName"].asString(), "Дача (апрель - сентябрь)");
    EXPECT_GT(v["Pras_SP"].asFloat(), 0);
    EXPECT_GT(v["Cras_AKB"].asFloat(), 0);
    EXPECT_GE(v["B"].asFloat(), 0);
    const double pras = v["Pras_SP"].asFloat();

    // Twice the same: the chain depends on nothing but the stored rows.
    const ChainResult again = runRecalcChain(*dm);
    EXPECT_TRUE(again.problems.isEmpty()) << again.problems.join('\n').toStdString();
    EXPECT_EQ(*again.pras, pras);

    // Losing the region leaves the power and tilt empty and says so; the capacity stays.
    ASSERT_TRUE(v.edit());
    v["Region"].setString("Нет такого региона");
    ASSERT_TRUE(v.post());
    const ChainResult lost = runRecalcChain(*dm);
    EXPECT_FALSE(lost.pras);
    EXPECT_TRUE(v["Pras_SP"].isNull());
    EXPECT_FALSE(lost.problems.isEmpty());
    EXPECT_GT(v["Cras_AKB"].asFloat(), 0);

    // Without loads the three figures are emptied.
    while (!dm->tblProj_Inv().isEmpty())
        ASSERT_TRUE(dm->tblProj_Inv().remove());
    while (!dm->tbl("proj_graf12_0").isEmpty())
        ASSERT_TRUE(dm->tbl("proj_graf12_0").remove());
    runRecalcChain(*dm);
    for (const char* c : {"Pras_SP", "B", "Cras_AKB"})
        EXPECT_TRUE(v[c].isNull()) << c;
}

// The example a user first sees must be a design that passes its own checks: every figure below
// is worked out by hand from the demo's inputs, or is a check the selection windows make.
TEST_F(RecalcTest, DemoIsADesignThatPassesItsOwnChecks) {
    buildDemoProject(*shell);
    EXPECT_EQ(dm->tblProj0()["Name"].asString(), "Пример: дача и метеостанция");
    struct Expected {
        const char* variant;
        std::vector<double> acEnergies; // Wp_sut of each AC load's schedule, W*h
        double dcEnergy;                // Wp_sut of the DC schedule, W*h
        std::vector<int> governing;     // months that may govern the solar power
        double maxPower;                // what a designer would still accept, W
    } expected[] = {
        // Fridge 900 (150 W x 6 h, a quarter of every hour) + 6 lamps x 10 W x 4 h + TV 100 W x 3 h
        // + router 10 W x 24 h; pump 750 W x 1 h; alarm 12 W x 24 h. April to September.
        {"Дача (апрель - сентябрь)", {900 + 240 + 300 + 240, 750}, 288, {4, 9}, 3000},
        // Laptop 60 W x 3 h; sensors 27 W x 12 h at night + 15 W x 12 h by day. The darkest months.
        {"Метеостанция (круглый год)", {180}, 27 * 12 + 15 * 12, {11, 12, 1}, 1500},
    };
    View& v = dm->tblProj1();
    v.first();
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.variant);
        ASSERT_FALSE(v.eof());
        EXPECT_EQ(v["VarName"].asString(), e.variant);

        const auto column = [&](const QString& sql) {
            QSqlQuery q(store->db());
            q.prepare(sql);
            q.addBindValue(v.currentKey());
            EXPECT_TRUE(q.exec());
            std::vector<double> values;
            while (q.next())
                values.push_back(q.value(0).toDouble());
            return values;
        };
        EXPECT_EQ(column("SELECT g.Wp_sut FROM proj_graf0 g JOIN proj_inv i ON g.Kod0 = i.Kod "
                         "WHERE i.Kod0 = ? ORDER BY i.Kod, g.Kod"),
                  e.acEnergies);
        EXPECT_EQ(column("SELECT Wp_sut FROM proj_graf12_0 WHERE Kod0 = ?"),
                  std::vector<double>{e.dcEnergy});

        // The governing month and the power: a few kW at most, month of the least sun.
        const SolarSizing sizing = requiredSolarPower(*dm);
        ASSERT_TRUE(sizing.ok()) << sizing.problems.join(' ').toStdString();
        EXPECT_NE(std::find(e.governing.begin(), e.governing.end(), sizing.result.governingMonth),
                  e.governing.end())
            << sizing.result.governingMonth;
        EXPECT_EQ(v["Pras_SP"].asFloat(), sizing.result.power);
        EXPECT_GT(v["Pras_SP"].asFloat(), 0);
        EXPECT_LT(v["Pras_SP"].asFloat(), e.maxPower);
        EXPECT_GT(v["Cras_AKB"].asFloat(), 0);

        // Every AC load has an inverter that meets its requirement.
        const InverterVariant iv = readInverterVariant(*dm);
        for (const InverterLoad& load : readInverterLoads(*dm)) {
            CatalogInverter chosen{load.stored, double(*iv.uses), double(*iv.uvuh)};
            EXPECT_TRUE(fitsTypeList(chosen, inverterRequirement(load, iv)))
                << load.name.toStdString();
        }

        // The solar battery as the selection window reads it back: nothing left to cover and its
        // "ОК" checks pass; the stored totals are those of the arrays.
        SolarSelection sel;
        sel.load(readSelectionSource(*dm));
        ASSERT_FALSE(sel.rows().empty());
        EXPECT_EQ(sel.additionalPower(), 0);
        CatalogPanel type;
        type.tip = v["Tip_SP"].asString();
        sel.chooseType(v["Company_SP"].asString(), &type);
        EXPECT_EQ(sel.okRefusal(true), std::nullopt);
        EXPECT_EQ(v["PTotal_SP"].asFloat(), sel.totals().power);
        EXPECT_GE(sel.totals().power, *sel.totals().fullPower);

        // Every array has a catalog controller that the controller query offers it, and the
        // variant's charge current is the sum of theirs.
        const ControllerSource cs = readControllerSource(*dm);
        ControllerCatalog catalog(*dm);
        std::vector<double> currents;
        for (const ControllerArray& a : cs.rows) {
            SCOPED_TRACE(a.name.toStdString());
            ASSERT_FALSE(a.controller.tip.isEmpty());
            const QueryOrRefusal q = catalog.rowQuery(cs, a);
            ASSERT_TRUE(q.query) << q.error.toStdString();
            const auto offered = catalog.query(*q.query);
            EXPECT_TRUE(std::any_of(offered.begin(), offered.end(),
                                    [&](const auto& c) { return fieldsOf(c) == a.controller; }));
            ASSERT_TRUE(a.iakb);
            EXPECT_EQ(a.iakb, catalog.rowCurrent(cs.variant, a).value);
            currents.push_back(*a.iakb);
        }
        EXPECT_EQ(v["SIzar_AKB"].asFloat(), totalChargeCurrent(currents));
        v.next();
    }
    EXPECT_TRUE(v.eof());
}

// The first start builds the example beside the final name and links it in: a second start finds
// the name taken and leaves the first database as it is.
TEST(FirstStart, CreatesTheExampleOnceAndNeverOverAnother) {
    ensureApp();
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/Data";
    ASSERT_TRUE(createDataDirectoryWithExample(dir));
    const QDateTime written = QFileInfo(Store::databasePath(dir)).lastModified();
    EXPECT_FALSE(createDataDirectoryWithExample(dir));
    EXPECT_EQ(QFileInfo(Store::databasePath(dir)).lastModified(), written);
    EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"TovrelSES11.sqlite"}));
    auto store = Store::open(dir);
    QSqlQuery q(store->db());
    ASSERT_TRUE(q.exec("SELECT Name FROM project0 ORDER BY Kod"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Пример: дача и метеостанция");
    EXPECT_FALSE(q.next());
}

TEST_F(RecalcTest, TriggersRunTheChainInOneTransactionWithTheirWrites) {
    buildDemoProject(*shell);
    View& v = dm->tblProj1();
    View& loads = dm->tblProj_Inv();
    const double before = v["Pras_SP"].asFloat();

    // A new inverter efficiency raises the power the panels must give.
    const auto chosen = runWithChain(*dm, ChainTrigger::InvertersChosen, [&] {
        loads.first();
        EXPECT_TRUE(loads.edit());
        loads["Kpd_Inv"].setString("0,8");
        return loads.post();
    });
    ASSERT_TRUE(chosen);
    EXPECT_GT(*chosen->pras, before);
    EXPECT_EQ(v["Pras_SP"].asFloat(), *chosen->pras);

    // A dialog closed without a change runs nothing; a dispatcher's closing always does.
    EXPECT_FALSE(runWithChain(*dm, ChainTrigger::VariantEdited, [] { return false; }));
    EXPECT_TRUE(runWithChain(*dm, ChainTrigger::AcDispatcherClosed, [] { return false; }));

    // A failure after the dialog's writes takes them back too.
    store->exec("CREATE TRIGGER no_months BEFORE INSERT ON proj_gr_prm BEGIN SELECT RAISE(ABORT, "
                "'диск полон'); END");
    const QString name = v["VarName"].asString();
    EXPECT_THROW(runWithChain(*dm, ChainTrigger::VariantEdited,
                              [&] {
                                  EXPECT_TRUE(v.edit());
                                  v["VarName"].setString("Переименованный");
                                  return v.post();
                              }),
                 DbError);
    EXPECT_EQ(v["VarName"].asString(), name);
    QSqlQuery q(store->db());
    q.exec("SELECT VarName FROM project1 WHERE Kod = 1");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), name);
}

TEST_F(RecalcTest, MonthlyRowsFollowTheVariantsDaylightHours) {
    buildDemoProject(*shell);
    View& months = dm->tbl("proj_gr_prm");
    ASSERT_FALSE(months.isEmpty());
    months.first();
    const QString before = months["Period_dark"].asString();
    View& sun = dm->tbl("proj_sunday");
    for (sun.first(); !sun.eof(); sun.next()) {
        ASSERT_TRUE(sun.edit());
        sun["Voshod10"].setString("7");
        sun["Zakat10"].setString("19");
        ASSERT_TRUE(sun.post());
    }
    ASSERT_TRUE(rebuildMonthlyRows(*dm));
    months.refresh();
    months.first();
    EXPECT_NE(months["Period_dark"].asString(), before);
    EXPECT_EQ(months["Period_dark"].asString(), "0 - 7; 19 - 24");
    EXPECT_EQ(months["Tsut_dark"].asString(), "12");
    // The DC schedule too.
    View& dcMonths = dm->tbl("proj_gr12_prm");
    dcMonths.first();
    EXPECT_EQ(dcMonths["Period_dark"].asString(), "0 - 7; 19 - 24");
}

} // namespace
