// The controller windows over a real store, offscreen: the choice window without candidates, the
// "ОК" check and the warning of the controller window, and its report.

#include "solar/controller_fixture.h"

#include "reports/recording_report_writer.h"
#include "solar/ui/control_form.h"
#include "solar/ui/sel_ctrl_form.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

using namespace ses;
using namespace ses::test;

namespace {

// Takes the candidate of the given type.
std::function<bool(TSelCtrlF&)> take(const char* tip) {
    return [tip](TSelCtrlF& s) {
        for (int r = 1; r < s.grid()->rowCount(); ++r)
            if (s.grid()->cell(1, r) == QString::fromUtf8(tip)) {
                s.setCurrent(r - 1);
                return true;
            }
        return false;
    };
}

TEST_F(ControllerStoreTest, NoCandidateIsToldAndOkIsDisabled) {
    View& m = tbl("proj_mas");
    m.first();
    ASSERT_TRUE(m.edit());
    m["Pmas"].setFloat(5000); // above every controller's array power
    ASSERT_TRUE(m.post());
    TControlF w(*dm, prompter);
    ASSERT_TRUE(w.load());
    bool okEnabled = true;
    w.choiceRunner = [&](TSelCtrlF& s) {
        okEnabled = s.okButton()->isEnabled();
        QTimer::singleShot(0, &s, &QDialog::reject);
        return s.run();
    };
    EXPECT_FALSE(w.choose());
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(prompter.last(), TSelCtrlF::noCandidateText());
    EXPECT_TRUE(w.rows()[0].controller.tip.isEmpty()); // the row keeps its previous choice
}

TEST_F(ControllerStoreTest, OkWithAnArrayWithoutControllerIsRefusedAndStoresNothing) {
    TControlF w(*dm, prompter);
    ASSERT_TRUE(w.load());
    w.allArraysBox()->setChecked(false);
    w.choiceRunner = take("MPPT-60");
    ASSERT_TRUE(w.choose());
    EXPECT_EQ(w.grid()->cell(3, 1), "MPPT-60");
    EXPECT_EQ(w.grid()->cell(3, 2), "");
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(prompter.last(),
              "Для завершения работы с диалогом посредством нажатия кнопки \"ОК\" необходимо "
              "выбрать контроллеры заряда для всех массивов солнечных панелей.");
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_TRUE(tbl("proj_mas")["Tip_Ctrl"].isNull());

    w.setCurrentRow(1);
    ASSERT_TRUE(w.choose());
    EXPECT_TRUE(w.ok());
    EXPECT_EQ(tbl("project1")["SIzar_AKB"].asFloat(), 67.98);
}

TEST_F(ControllerStoreTest, ChangingAControllerWarnsBeforeClearingItsCables) {
    TControlF w(*dm, prompter);
    ASSERT_TRUE(w.load());
    w.choiceRunner = take("MPPT-40");
    ASSERT_TRUE(w.choose());
    ASSERT_TRUE(w.ok());
    setCables(0);
    setCables(1);

    ASSERT_TRUE(w.load());
    // The choice window opens on the array's present controller.
    w.choiceRunner = [](TSelCtrlF& s) { return s.chosen() && s.chosen()->tip == "MPPT-40"; };
    EXPECT_TRUE(w.choose());
    w.allArraysBox()->setChecked(false);
    w.setCurrentRow(1);
    w.choiceRunner = take("MPPT-60");
    ASSERT_TRUE(w.choose());
    prompter.answer(false);
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(prompter.entries().back().kind, RecordingPrompter::Kind::Question);
    EXPECT_TRUE(prompter.last().contains("\"М2\""));
    EXPECT_FALSE(prompter.last().contains("\"М1\""));
    View& m = tbl("proj_mas");
    m.moveTo(1);
    EXPECT_EQ(m["Tip_Ctrl"].asString(), "MPPT-40");
    EXPECT_EQ(m["Skab"].asFloat(), 6);
}

TEST_F(ControllerStoreTest, ReportWritesTheSourceTheWholeGridAndTheNote) {
    TControlF w(*dm, prompter);
    ASSERT_TRUE(w.load());
    w.choiceRunner = take("MPPT-40");
    ASSERT_TRUE(w.choose());
    w.setCurrentRow(1);
    RecordingReportWriter rec;
    w.writeReport(rec);
    const QStringList s = rec.summary();
    ASSERT_EQ(s.size(), 7) << s.join(" | ").toStdString();
    EXPECT_EQ(s[0], "open");
    EXPECT_EQ(s[1], "title: Выбор контроллеров заряда СЭ.\r\r");
    EXPECT_EQ(s[2], "heading: Исходные данные.\r");
    EXPECT_EQ(s[3], "pairs 9");
    EXPECT_EQ(s[4], "heading: \rКонтроллеры.\r");
    EXPECT_EQ(s[5], "grid 3x12");
    EXPECT_TRUE(s[6].startsWith("text: Примечание.\rНаименование массива - "));
    EXPECT_TRUE(s[6].endsWith("контроллера.\r\r"));

    const auto& pairs = rec.blocks()[3].rows;
    EXPECT_EQ(pairs[1], QStringList({"Тип аккумуляторов АБ", "GEL"}));
    EXPECT_EQ(pairs[2], QStringList({"Алгоритм заряда АБ", "МРРТ"}));
    EXPECT_EQ(pairs[5], QStringList({"Напряжение х.х. массива СП, В", "64,8"}));
    EXPECT_EQ(pairs[7], QStringList({"Температурный коэффициент СП, %/град.", "1,16"}));
    // 1,16 x 1,1 x 64,8 = 82,6848.
    EXPECT_EQ(pairs[8].last(), "82,68");
    const auto& grid = rec.blocks()[5].rows;
    EXPECT_EQ(grid[0], TControlF::columnTitles());
    EXPECT_EQ(grid[2], QStringList({"М2", "1080", "32", "MPPT-40", "24", "40", "30", "80", "100",
                                    "33,99", "16", "Заряд"}));
}

} // namespace
