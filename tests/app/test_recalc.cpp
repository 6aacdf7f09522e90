// The recalculation chain over the demo project and over a variant without loads.

#include "../data/fixture.h"

#include "app/demo.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "load/rebuild.h"

#include <QSqlQuery>

using namespace ses;
using namespace ses::test;

namespace {

class RecalcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
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

TEST_F(RecalcTest, SizesTheDemoAndEmptiesAVariantWithoutLoads)
{
    buildDemoProject(*shell);
    View& v = dm->tblProj1();
    ASSERT_EQ(v["VarName"].asString(), "Основной");
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

TEST_F(RecalcTest, TriggersRunTheChainInOneTransactionWithTheirWrites)
{
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
    store->exec("CREATE TRIGGER no_months BEFORE INSERT ON proj_gr_prm BEGIN SELECT RAISE(ABORT, 'диск полон'); END");
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

TEST_F(RecalcTest, MonthlyRowsFollowTheVariantsDaylightHours)
{
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
