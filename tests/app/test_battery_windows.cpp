// The battery windows over the demo: the choice through a failed match with its justification,
// the scheme view's headings and drawing, and both exports on a recording writer.

#include "demo_windows.h"

#include "app/demo.h"
#include "app/ui/main_form.h"
#include "lib/numbers.h"
#include "reports/recording_report_writer.h"
#include "storage/ui/akb_form.h"
#include "storage/ui/cmp_akb_sp_form.h"
#include "storage/ui/tabl_akb_form.h"
#include "storage/ui/view_akb_form.h"
#include "widgets/drawing_pane.h"
#include "widgets/filter_form.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace ses;
using namespace ses::test;

namespace {

using BatteryDemo = DemoWindows;

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

TEST(BatteryWindows, TableTracksFiltersAndHandsTheRowBack) {
    BatteryDemo demo;
    View& v = demo.dm.tblProj1();
    TAKBForm& w = demo.main.batteryForm();
    w.load();
    EXPECT_TRUE(w.tableButton()->isVisibleTo(&w));
    TTablAKBF& t = w.tableWindow();
    w.prepareTable();
    ASSERT_FALSE(t.shown().empty());
    const QString stored = v["Name_AKB"].asString();
    EXPECT_EQ(t.trackBox()->text(), "Отслеживать модель аккумулятора \"" + stored + "\".");
    // The tracked (stored) model is under the cursor and drawn; its row agrees with the window.
    ASSERT_TRUE(t.chosen());
    EXPECT_EQ(t.chosen()->model.name, stored);
    EXPECT_EQ(numberToText(t.chosen()->figures.cf), w.fieldText("cf"));
    EXPECT_TRUE(t.schemePane()->hasDrawing());
    EXPECT_TRUE(t.okButton()->isEnabled());
    EXPECT_FALSE(t.offButton()->isEnabled());

    // A filter that leaves the tracked model out: the cursor on the first row.
    TAKBFiltF& f = t.filterDialog();
    f.prepare({kMakerA, "Стартовый набор: АКБ Б"}, {"AGM", "GEL", "Flooded", "LiFePo4"});
    f.makerList()->item(0)->setCheckState(Qt::Unchecked);
    f.setValueSource([](int) { return QStringList{"1", "2", "20", "100"}; });
    f.valueDialog().rangeButton()->setChecked(true);
    demo.prompter.clear();
    // "100" sorts before "20" as a text; as numbers 20 .. 100 is no reversed range.
    f.valueDialog().prepare("p", {"20", "100"});
    f.valueDialog().fromBox()->setCurrentIndex(1);
    f.valueDialog().toBox()->setCurrentIndex(0);
    EXPECT_FALSE(f.valueDialog().ok());
    EXPECT_EQ(demo.prompter.entries().size(), 1u);
    f.valueDialog().fromBox()->setCurrentIndex(0);
    f.valueDialog().toBox()->setCurrentIndex(1);
    EXPECT_TRUE(f.valueDialog().ok());
    EXPECT_EQ(f.valueDialog().condition(), "20 .. 100");
    f.accept();
    t.applyFilter();
    EXPECT_TRUE(t.offButton()->isEnabled());
    EXPECT_EQ(t.summaryGrid()->cell(0, 1), "Компании-производители АБ");
    EXPECT_EQ(t.summaryGrid()->cell(1, 1), "Стартовый набор: АКБ Б");
    EXPECT_FALSE(t.shown().empty());
    for (const BatteryCandidate& c : t.shown())
        EXPECT_NE(c.company, kMakerA);
    if (v["Company_AKB"].asString() == kMakerA) {
        EXPECT_EQ(t.currentRow(), 0);
    }

    // The ticks are remembered for the next opening; "Отключить" empties the summary and shows
    // every row again, the dialog keeping its ticks.
    f.prepare({kMakerA, "Стартовый набор: АКБ Б"}, {"AGM", "GEL", "Flooded", "LiFePo4"});
    EXPECT_EQ(f.makerList()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(f.makerList()->item(1)->checkState(), Qt::Checked);
    f.reject();
    t.switchFilterOff();
    EXPECT_FALSE(t.offButton()->isEnabled());
    EXPECT_EQ(t.summaryGrid()->rowCount(), 2); // the heading and one empty row
    EXPECT_EQ(t.summaryGrid()->cell(0, 1), "");
    EXPECT_EQ(t.shown().size(), t.candidates().size());
    EXPECT_EQ(f.tickedMakers(), QStringList{"Стартовый набор: АКБ Б"});
    // Tracking again finds the stored model.
    t.setCurrentRow(int(t.shown().size()) - 1);
    t.setTracking(true);
    EXPECT_EQ(t.chosen()->model.name, stored);

    // "ОК" of the table: the chosen row becomes the window's model, the check box follows.
    t.setCurrentRow(0);
    const BatteryCandidate first = *t.chosen();
    w.takeTableChoice();
    EXPECT_EQ(w.modelBox()->currentText(), first.model.name);
    EXPECT_EQ(w.typeBox()->currentText(), first.tip);
    EXPECT_EQ(w.fieldText("np"), QString::number(first.figures.np));
}

} // namespace
