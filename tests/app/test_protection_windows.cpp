// The breaker and fuse windows over the demo: the tabs and their enabling, the choice dialog
// filled for a circuit (values, note, columns, the present row), a choice stored and a device
// of the other kind displaced, a missing input refused with its name, and the export.

#include "demo_windows.h"

#include "app/demo.h"
#include "app/ui/main_form.h"
#include "lib/numbers.h"
#include "reports/recording_report_writer.h"
#include "storage/protection_ops.h"
#include "storage/ui/prot_form.h"
#include "storage/ui/sel_prot_form.h"
#include "widgets/bound_grid.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

using namespace ses;
using namespace ses::test;

namespace {

using ProtectionDemo = DemoWindows;

QStringList headers(const StringGrid* g) {
    QStringList out;
    for (int c = 0; c < g->columnCount(); ++c)
        out << g->horizontalHeaderItem(c)->text();
    return out;
}

TEST(ProtectionWindow, BreakerChoiceOverTheDemo) {
    ProtectionDemo demo;
    TProtForm& w = demo.main.protectionForm(false);
    w.load();
    ASSERT_EQ(w.tabs()->count(), 5);
    EXPECT_EQ(w.tabs()->tabText(1), " Массив СП - контроллер ");
    EXPECT_EQ(w.tabs()->tabText(4), " АБ - потребители ");
    // The summer house protects its assembly by a breaker and its DC circuit by a fuse.
    EXPECT_FALSE(w.fieldText("sp.type").isEmpty());
    EXPECT_TRUE(w.fieldText("dc.type").isEmpty());
    // The device's rated current and the loads' nominal current are two rows of the DC tab.
    EXPECT_TRUE(w.fieldText("dc.inom").isEmpty());
    EXPECT_EQ(w.fieldText("dc.loadInom"), numberToText(demo.dm.tblProj1()["Inom"].asFloat()));
    EXPECT_FALSE(w.fieldText("dc.loadInom").isEmpty());
    EXPECT_TRUE(w.deleteButton(Circuit::Assembly)->isEnabled());
    EXPECT_FALSE(w.deleteButton(Circuit::BatteryDc)->isEnabled());
    EXPECT_TRUE(w.chooseButton(Circuit::BatteryDc)->isEnabled());
    // Two arrays: the bulk boxes are enabled.
    ASSERT_EQ(demo.dm.tblProj_Mas().recordCount(), 2);
    EXPECT_TRUE(w.bulkBox(Circuit::ArrayController)->isEnabled());
    EXPECT_TRUE(w.bulkBox(Circuit::ControllerBattery)->isEnabled());

    // The dialog for the first array stands on the device the array holds.
    View& arrays = demo.dm.tblProj_Mas();
    arrays.first();
    const QString held = arrays["Tip_AV_mas"].asString();
    ASSERT_TRUE(w.prepareChoice(Circuit::ArrayController));
    TSelProtFrm& d = w.choiceDialog();
    EXPECT_EQ(d.windowTitle(),
              "Выбор автоматического выключателя контура \"Массив СП - контроллер\".");
    EXPECT_TRUE(d.noteText().startsWith("Выбор автоматического выключателя выполняется по току "
                                        "короткого замыкания"));
    EXPECT_EQ(d.sourceValue("Сечение жил провода (кабеля), мм2:"), arrays["Skab"].asString());
    EXPECT_EQ(d.sourceValue("Коэффициент запаса по току:"), "1,2");
    EXPECT_EQ(headers(d.grid()).mid(0, 2), QStringList({"Компания-производитель", "Тип автомата"}));
    EXPECT_TRUE(d.okButton()->isEnabled());
    ASSERT_TRUE(d.chosen());
    EXPECT_EQ(d.chosen()->name, held);

    // A breaker for the DC circuit displaces its fuse.
    ASSERT_TRUE(w.prepareChoice(Circuit::BatteryDc));
    ASSERT_TRUE(d.chosen());
    ASSERT_TRUE(w.applyChoice(Circuit::BatteryDc, *d.chosen()));
    EXPECT_EQ(w.fieldText("dc.type"), d.chosen()->name);
    EXPECT_TRUE(demo.dm.tblProj1()["Tip_Pr_AKB"].isNull());
    EXPECT_TRUE(w.deleteButton(Circuit::BatteryDc)->isEnabled());
    ASSERT_TRUE(w.remove(Circuit::BatteryDc, false));
    EXPECT_TRUE(w.fieldText("dc.type").isEmpty());
    EXPECT_FALSE(w.deleteButton(Circuit::BatteryDc)->isEnabled());
}

TEST(ProtectionWindow, FuseDialogByInverterPowerAndWithNothingToOffer) {
    ProtectionDemo demo;
    View& v = demo.dm.tblProj1();
    ASSERT_TRUE(v.edit());
    v["Par_Pr_AKB_Inv"].setInteger(0);
    ASSERT_TRUE(v.post());
    TProtForm& w = demo.main.protectionForm(true);
    w.load();
    ASSERT_TRUE(w.prepareChoice(Circuit::BatteryInverter));
    TSelProtFrm& d = w.choiceDialog();
    const QStringList h = headers(d.grid());
    EXPECT_EQ(h.last(), "Pном., Вт");
    EXPECT_TRUE(h.contains("Тип держателя"));
    EXPECT_EQ(d.noteText(), "Выбор предохранителя выполняется по номинальной мощности и "
                            "номинальному напряжению инвертора.");

    // A cable thicker than any terminal: nothing is offered and "ОК" is disabled.
    View& loads = demo.dm.tblProj_Inv();
    loads.first();
    ASSERT_TRUE(loads.edit());
    loads["Skab_inv"].setFloat(500);
    ASSERT_TRUE(loads.post());
    ASSERT_TRUE(w.prepareChoice(Circuit::BatteryInverter));
    EXPECT_FALSE(d.okButton()->isEnabled());
    EXPECT_FALSE(d.chosen());

    // No cable chosen at all: the window says so and opens nothing.
    ASSERT_TRUE(loads.edit());
    loads["Skab_inv"].clear();
    ASSERT_TRUE(loads.post());
    demo.prompter.clear();
    EXPECT_FALSE(w.prepareChoice(Circuit::BatteryInverter));
    ASSERT_EQ(demo.prompter.entries().size(), 1u);
    EXPECT_TRUE(demo.prompter.entries().front().text.contains("сечение жил провода"));
}

TEST(ProtectionWindow, ReportHasEveryCircuit) {
    ProtectionDemo demo;
    TProtForm& w = demo.main.protectionForm(true);
    w.load();
    RecordingReportWriter r;
    w.writeReport(r);
    const QStringList blocks = r.summary();
    ASSERT_FALSE(blocks.isEmpty());
    EXPECT_EQ(blocks.front(), "open");
    EXPECT_TRUE(blocks.contains("title: Выбор предохранителей СЭ.\r\r"));
    EXPECT_EQ(blocks.filter("heading").size(), 5) << blocks.join("|").toStdString();
    EXPECT_EQ(blocks.filter("grid ").size(), 3);
    EXPECT_EQ(blocks.filter("pairs ").size(), 2);
}

} // namespace
