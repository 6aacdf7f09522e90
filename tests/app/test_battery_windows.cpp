// The battery windows over the demo: the choice through a failed match with its justification,
// the scheme view's headings and drawing, and both exports on a recording writer.

#include "../data/fixture.h"

#include "app/demo.h"
#include "app/ui/main_form.h"
#include "reports/recording_report_writer.h"
#include "storage/ui/akb_form.h"
#include "storage/ui/cmp_akb_sp_form.h"
#include "storage/ui/view_akb_form.h"
#include "widgets/drawing_pane.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace ses;
using namespace ses::test;

namespace {

struct BatteryDemo {
    BatteryDemo() : dm(*openStore(), prompter), main(dm, prompter) {
        buildDemoProject(main.shell());
        dm.tblProj1().first();
    }
    std::unique_ptr<Store>& openStore() {
        ensureApp();
        initDataDirectory(tmp.path());
        store = Store::open(tmp.path());
        return store;
    }
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    TDataModule1 dm;
    TMainForm main;
};

const QString kMakerA = QStringLiteral("Стартовый набор: АКБ А");

TEST(BatteryWindows, AFailedMatchIsJustifiedAndCannotBeStored) {
    BatteryDemo demo;
    View& v = demo.dm.tblProj1();
    TAKBForm& w = demo.main.batteryForm();
    int justified = 0;
    QStringList lines;
    QString chargeShown;
    w.justificationRunner = [&](TCmpAKB_SPFm& j) {
        ++justified;
        lines = j.lines();
        chargeShown = j.fieldText(14);
        EXPECT_TRUE(j.pane()->hasDrawing());
    };
    w.load();
    // The stored battery is preselected, matched, and may be stored again.
    EXPECT_EQ(w.modelBox()->currentText(), v["Name_AKB"].asString());
    EXPECT_EQ(w.fieldText("cf"), v["Cfakt_AKB"].asString());
    EXPECT_TRUE(w.okButton()->isEnabled());
    EXPECT_EQ(justified, 0);
    EXPECT_FALSE(w.discharge().rows.empty());
    EXPECT_EQ(w.months()->item(0)->text(), "апрель");

    // 2 V cells of 3000 A*h need at least 300 A of charge: the summer house gives far less.
    EXPECT_TRUE(w.select(kMakerA, "GEL", "СН-GEL-2-3000"));
    EXPECT_EQ(justified, 1);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_TRUE(lines[14].contains("меньше минимально допустимого")) << lines[14].toStdString();
    EXPECT_EQ(chargeShown, v["SIzar_AKB"].asString());
    EXPECT_TRUE(w.fieldText("np").isEmpty());
    EXPECT_TRUE(w.fieldText("c") == "3000");
    EXPECT_FALSE(w.okButton()->isEnabled());
    EXPECT_FALSE(w.messageLine()->isHidden());
    EXPECT_TRUE(w.discharge().rows.empty());
    EXPECT_FALSE(w.schemePane()->hasDrawing());
    demo.prompter.clear();
    EXPECT_FALSE(w.ok());
    ASSERT_FALSE(demo.prompter.entries().empty());

    // Without the match the same model is shown and may be stored.
    w.setMatchCharge(false);
    EXPECT_EQ(justified, 1);
    EXPECT_EQ(w.fieldText("ns"), "12");
    EXPECT_TRUE(w.okButton()->isEnabled());
    EXPECT_TRUE(w.schemePane()->hasDrawing());

    RecordingReportWriter r;
    w.writeReport(r);
    const QStringList s = r.summary();
    ASSERT_GE(s.size(), 6);
    EXPECT_EQ(s[0], "open");
    EXPECT_EQ(s[1], "title: Выбор аккумуляторной батареи.\r\r");
    EXPECT_EQ(s[2], "heading: Исходные данные.\r");
    EXPECT_EQ(s[3], "pairs 5");
    EXPECT_EQ(s[5], "pairs 21");
    EXPECT_TRUE(s.contains("heading: \rТаблица разряда АБ.\r"));
    EXPECT_TRUE(s.last().startsWith("picture "));
    // The stored variant is untouched by the window.
    EXPECT_NE(v["Name_AKB"].asString(), "СН-GEL-2-3000");
}

TEST(BatteryWindows, SchemeViewFollowsItsChoicesAndExports) {
    BatteryDemo demo;
    TViewAKBF& w = demo.main.batterySchemeView();
    w.load();
    EXPECT_EQ(w.heading()->text(), "Распределение максимального зарядного тока АБ.");
    EXPECT_TRUE(w.pane()->hasDrawing());
    w.setShown(SchemeShows::Section);
    w.setBasis(CurrentBasis::Calculated);
    EXPECT_EQ(w.heading()->text(),
              "Рекомендуемое сечение перемычек при расчетном зарядном токе АБ.");
    EXPECT_TRUE(w.pane()->hasDrawing());

    RecordingReportWriter r;
    w.writeReport(r);
    const QStringList s = r.summary();
    ASSERT_GE(s.size(), 3);
    EXPECT_EQ(s[1], "title: Рекомендуемое сечение перемычек при расчетном зарядном токе АБ.\r\r");
    EXPECT_TRUE(s.filter("picture ").size() == 1);

    // Without automatic refresh a click clears the drawing; "Обновить" draws it.
    w.autoBox()->setChecked(false);
    w.setBasis(CurrentBasis::Minimum);
    EXPECT_FALSE(w.pane()->hasDrawing());
    w.redraw();
    EXPECT_TRUE(w.pane()->hasDrawing());

    // The down button stops at 10; the window keeps its choices when opened again.
    w.pane()->scaleField()->setText("11");
    w.pane()->scaleSteps()->stepDown();
    w.pane()->scaleSteps()->stepDown();
    EXPECT_EQ(w.pane()->scaleField()->text(), "10");
    w.load();
    EXPECT_EQ(w.basis(), CurrentBasis::Minimum);
    EXPECT_EQ(w.shown(), SchemeShows::Section);
}

} // namespace
