// The tabular panel choice over the demo: the table against the selection window's figures, its
// filter, the automatic refresh after a committed value only, and the arrays handed back.

#include "demo_windows.h"

#include "app/demo.h"
#include "app/ui/main_form.h"
#include "solar/ui/sel_sp_form.h"
#include "solar/ui/tabl_sp_form.h"
#include "widgets/drawing_pane.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>

#include <numeric>

using namespace ses;
using namespace ses::test;

namespace {

using SolarDemo = DemoWindows;

TEST(SolarTableWindow, BuildsFiltersAndHandsTheArraysBack) {
    SolarDemo demo;
    View& v = demo.dm.tblProj1();
    TSelSPFrm& w = demo.main.solarBatteryForm();
    w.loadForTour();
    TTablSPFm& t = w.tableWindow();
    PanelTableHandOver in = w.tableHandOver();
    EXPECT_EQ(in.company, v["Company_SP"].asString());
    in.fixedPower = 400;
    in.matchCharge = false;
    t.prepare(in);
    EXPECT_EQ(t.powerBox()->currentText(), "400");
    ASSERT_FALSE(t.shown().empty());
    EXPECT_GT(t.requirement().power, 0);
    EXPECT_TRUE(t.requirementLabel()->text().contains("(для месяца "));
    // The tracked type is under the cursor, drawn, and may be taken.
    ASSERT_TRUE(t.chosen());
    EXPECT_EQ(t.chosen()->row.tip, v["Tip_SP"].asString());
    EXPECT_TRUE(t.schemePane()->hasDrawing());
    EXPECT_TRUE(t.okButton()->isEnabled());
    EXPECT_FALSE(t.schemeCaption()->text().isEmpty());
    // The work table holds the whole list.
    EXPECT_EQ(demo.store->count("optim_sp"), qint64(t.candidates().size()));

    // Typing is not a committed value: the table stays until the pause (or a step button).
    const auto before = t.candidates().size();
    t.show();
    t.powerBox()->lineEdit()->setText("100");
    emit t.powerBox()->lineEdit()->textEdited("100");
    EXPECT_EQ(t.candidates().size(), before);
    t.powerBox()->setEditText("400");

    // A filter on the makers: only the second one's rows; "Отключить" brings all back.
    TSPFiltF& f = t.filterDialog();
    f.prepare({"Стартовый набор: Панели А", "Стартовый набор: Панели Б"});
    f.makerList()->item(0)->setCheckState(Qt::Unchecked);
    f.accept();
    t.applyFilter();
    EXPECT_TRUE(t.offButton()->isEnabled());
    EXPECT_EQ(t.summaryGrid()->cell(1, 1), "Стартовый набор: Панели Б");
    for (const PanelCandidate& c : t.shown())
        EXPECT_EQ(c.row.company, "Стартовый набор: Панели Б");
    t.switchFilterOff();
    EXPECT_EQ(t.shown().size(), t.candidates().size());
    // A maker out of use is never listed.
    demo.store->exec("UPDATE SunPanel0 SET UseSP = 0 WHERE Company = 'Стартовый набор: Панели Б'");
    t.refresh();
    ASSERT_FALSE(t.candidates().empty());
    for (const PanelCandidate& c : t.candidates())
        EXPECT_NE(c.row.company, "Стартовый набор: Панели Б");
    EXPECT_EQ(demo.store->count("optim_sp"), qint64(t.candidates().size()));
    EXPECT_EQ(t.summaryGrid()->rowCount(), 2); // the heading and one empty row
    t.hide();

    // "ОК": the arrays of the chosen row replace the table, their losses summing to the
    // orientation loss when there is no remainder.
    t.setTracking(true);
    const PanelCandidate c = *t.chosen();
    ASSERT_TRUE(w.takeTableChoice());
    EXPECT_EQ(w.typeBox()->currentText(), c.row.tip);
    const auto& rows = w.arrays();
    ASSERT_EQ(int(rows.size()), c.split.n + (c.split.restPower > 0 ? 1 : 0));
    EXPECT_EQ(rows.front().name, "Массив 1");
    EXPECT_EQ(rows.front().series, c.ns);
    const double sum = std::accumulate(rows.begin(), rows.end(), 0.0,
                                       [](double s, const ArrayRow& r) { return s + r.loss; });
    if (c.split.restPower == 0) {
        EXPECT_EQ(sum, std::round(t.requirement().power - v["Pras_SP"].asFloat()));
    }
    // No type-change notice was shown for the arrays the table brought.
    for (const auto& e : demo.prompter.entries())
        EXPECT_FALSE(e.text.startsWith("Изменен тип солнечной панели")) << e.text.toStdString();
}

TEST(SolarTableWindow, NoRequirementListsNothingAndRefusesOk) {
    SolarDemo demo;
    demo.store->exec("DELETE FROM proj_gr_prm");
    demo.store->exec("DELETE FROM proj_gr12_prm");
    TSelSPFrm& w = demo.main.solarBatteryForm();
    w.loadForTour();
    TTablSPFm& t = w.tableWindow();
    t.prepare(w.tableHandOver());
    EXPECT_EQ(t.requirement().power, 0);
    EXPECT_TRUE(t.shown().empty());
    EXPECT_FALSE(t.okButton()->isEnabled());
    EXPECT_TRUE(t.schemePane()->message().contains("равна 0"));
    EXPECT_FALSE(w.takeTableChoice());
}

} // namespace
