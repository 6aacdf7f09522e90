// The cable window over the demo: edits written at once, the options and their enabling, "Выбор"
// with its messages, and the export on a recording writer.

#include "demo_windows.h"

#include "app/demo.h"
#include "app/ui/main_form.h"
#include "reports/recording_report_writer.h"
#include "storage/cable_ops.h"
#include "storage/ui/kabel_form.h"
#include "widgets/bound_grid.h"
#include "widgets/number_field.h"

#include <QCheckBox>
#include <QComboBox>

using namespace ses;
using namespace ses::test;

namespace {

struct CableDemo : DemoWindows {
    CableDemo() { sessionCableOptions() = CableOptions{}; }
};

TEST(CableWindow, EditsAreWrittenAndTheChoiceFollowsThem) {
    CableDemo demo;
    TKabelFrm& w = demo.main.cableForm();
    w.load();
    // The section lists start at 4, 4, 25 and 6, ticked.
    for (int g = 0; g < 4; ++g) {
        EXPECT_TRUE(w.minimumBox(g)->isChecked());
        EXPECT_EQ(w.minimumList(g)->count(), 15);
    }
    EXPECT_EQ(w.minimumList(2)->currentText(), "25");
    EXPECT_EQ(w.minimumList(3)->currentText(), "6");
    View& arrays = demo.dm.tblProj_Mas();
    EXPECT_EQ(w.fieldText("section"), demo.dm.tblProj1()["Skab_akb"].asString());

    // A long array cable typed into the grid is stored at once; "Выбор" then sizes it by the
    // drop.
    const double before = arrays["Skab"].asFloat();
    QAbstractItemModel* m = w.arrayGrid()->model();
    int lengthColumn = -1;
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == "L, м")
            lengthColumn = c;
    ASSERT_GE(lengthColumn, 0);
    ASSERT_TRUE(m->setData(m->index(0, lengthColumn), "14"));
    EXPECT_FALSE(arrays.isEditing());
    EXPECT_EQ(arrays["Lkab"].asFloat(), 14);
    // A zero length is refused and changes nothing.
    ASSERT_TRUE(m->setData(m->index(0, lengthColumn), "0"));
    EXPECT_EQ(demo.prompter.entries().back().text, "Значение длины кабеля должно быть больше 0.");
    EXPECT_EQ(arrays["Lkab"].asFloat(), 14);
    demo.prompter.clear();
    ASSERT_TRUE(w.choose());
    arrays.first();
    EXPECT_GT(arrays["Skab"].asFloat(), before);

    // The DC cable's length field writes the variant.
    w.dcLength()->setText("7");
    w.dcLength()->setModified(true);
    emit w.dcLength()->editingFinished();
    EXPECT_EQ(demo.dm.tblProj1()["Lkab_akb"].asFloat(), 7);

    // A minimum above the controllers' terminals empties the array cables, each with its
    // message, and the option is kept for the next opening.
    w.minimumList(0)->setCurrentText("50");
    EXPECT_EQ(sessionCableOptions().arrays.value, 50);
    demo.prompter.clear();
    ASSERT_TRUE(w.choose());
    ASSERT_EQ(int(demo.prompter.entries().size()), arrays.recordCount());
    EXPECT_TRUE(demo.prompter.entries().front().text.contains("(50 мм2)"));
    arrays.first();
    EXPECT_TRUE(arrays["Skab"].isNull());
}

TEST(CableWindow, TheOptimalTableDisablesItsMinimum) {
    CableDemo demo;
    View& v = demo.dm.tblProj1();
    TKabelFrm& w = demo.main.cableForm();
    w.load();
    EXPECT_TRUE(w.minimumBox(2)->isEnabled());
    EXPECT_TRUE(w.inverterGrid()->isEnabled());
    ASSERT_TRUE(v.edit());
    v["Sel_Tbl_AKB_Inv"].setInteger(1);
    ASSERT_TRUE(v.post());
    EXPECT_FALSE(w.minimumBox(2)->isEnabled());
    EXPECT_FALSE(w.minimumList(2)->isEnabled());
    // The table's cables for the summer house's inverters at 24 V.
    demo.prompter.clear();
    ASSERT_TRUE(w.choose());
    View& loads = demo.dm.tblProj_Inv();
    for (loads.first(); !loads.eof(); loads.next()) {
        if (!loads["Skab_inv"].isNull()) {
            EXPECT_GE(loads["Ikab_inv"].asFloat(), loads["Inom_Inv"].asFloat());
        }
    }
}

TEST(CableWindow, ReportHasEveryGroupAndTheNote) {
    CableDemo demo;
    TKabelFrm& w = demo.main.cableForm();
    w.load();
    RecordingReportWriter r;
    w.writeReport(r);
    const QStringList blocks = r.summary();
    ASSERT_FALSE(blocks.isEmpty());
    EXPECT_EQ(blocks.front(), "open");
    EXPECT_TRUE(blocks.contains("title: Выбор проводов (кабелей) СЭ.\r\r"));
    EXPECT_EQ(blocks.filter("grid ").size(), 3);
    EXPECT_EQ(blocks.filter("pairs ").size(), 2);
    EXPECT_EQ(blocks.filter("text: \rПримечание.\r").size(), 1) << blocks.join("|").toStdString();
}

} // namespace
