// The consumer dialogs offscreen: what "ОК" checks and hands over, "Отмена" putting the consumers
// back, the command states, the split of operating periods, the catalog in its choosing layout
// and the report.

#include "data/fixture.h"
#include "lib/qt_print.h"

#include "lib/months.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/period_form.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/step_chart.h"
#include "reports/recording_report_writer.h"
#include "widgets/bound_grid.h"
#include "widgets/navigator.h"
#include "widgets/number_field.h"
#include "widgets/string_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace ses;
using namespace ses::test;

namespace {

using Hours = std::vector<std::pair<double, double>>;

ScheduleInputs inputs() {
    ScheduleInputs in;
    for (const QString& m : monthNames()) {
        in.daylight.push_back({m, 7, 19, 10});
        in.regionMonths.push_back({m, 2, 5, 50});
    }
    in.region = "Юг";
    in.tempCoefficients = {{0, 1.2}, {10, 1.1}};
    in.kinv = 0.9;
    in.uses = 24;
    return in;
}

// Keys as the keyboard sends them (QTest types Latin letters only).
void type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

CatalogConsumer catalogConsumer(const QString& name, double pnom, double ipIn, bool sine) {
    CatalogConsumer c;
    c.name = name;
    c.pnom = pnom;
    c.ipIn = ipIn;
    c.clearSinus = sine;
    c.unom = 24;
    c.rejim = "ручной";
    return c;
}

class ConsumerDialogTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"}, {"Uses", "24"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
        ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Лето"}}));
        form = std::make_unique<TCreateSGF>(*dm, prompter, true);
    }
    void TearDown() override { form.reset(); }
    ScheduleDraft draft() const {
        ScheduleDraft d;
        d.name = "Дом";
        d.from = "январь";
        d.to = "декабрь";
        return d;
    }
    // The hand-worked pair: two pumps of 100 W (500 W at start) 8-12 and 18-22, a fan of 50 W
    // (150 W at start) 10-20.
    void addPair() {
        ASSERT_TRUE(form->addFromCatalog(catalogConsumer("Насос", 100, 5, true), 2));
        ASSERT_TRUE(form->setPeriods({{8, 12}, {18, 22}}));
        ASSERT_TRUE(form->addFromCatalog(catalogConsumer("Вентилятор", 50, 3, false), 1));
        ASSERT_TRUE(form->setPeriods({{10, 20}}));
    }
    std::unique_ptr<TCreateSGF> form;
    ScheduleInputs in = inputs();
};

TEST_F(ConsumerDialogTest, OkChecksInOrderThenHandsOverTheBuild) {
    form->prepare(draft(), in, {});
    addPair();
    form->prepare(draft(), in, {}); // the pair is what "Отмена" goes back to
    struct Case {
        std::function<void(TCreateSGF&)> spoil;
        std::vector<OtherSchedule> others;
        QString message;
    } cases[] = {
        {[](TCreateSGF& f) { f.header()->nameEdit()->setText(" "); },
         {},
         "Поле \"Наименование суточного графика\" должно быть заполнено."},
        {[](TCreateSGF&) {},
         {{"Зима", "декабрь", "февраль"}},
         "Месяц \"январь\" данного суточного графика входит в диапазон месяцев \"декабрь\" - "
         "\"февраль\" другого имеющегося суточного графика \"Зима\". Не допускается подобное "
         "пересечение диапазонов месяцев суточных графиков.\nСправка о диапазонах месяцев "
         "имеющихся суточных графиков:\n- суточный график \"Зима\" - диапазон месяцев "
         "\"декабрь\" - \"февраль\"\n"},
        {[](TCreateSGF& f) {
             f.setPeriods({{10, 20}, {19, 21}});
         },
         {},
         "Временные промежутки работы электроприемника не должны пересекаться между собой.\n"
         "Электроприемник \"Насос\". Пересечение промежутков времени в интервале 19 - 20."},
        {[](TCreateSGF& f) { f.setPeriods({}); },
         {},
         "Таблица времени работы электроприемника должна содержать хотя бы 1 запись.\n"
         "Электроприемник \"Насос\". "},
    };
    for (const auto& c : cases) {
        form->prepare(draft(), in, c.others);
        c.spoil(*form);
        prompter.clear();
        form->accept();
        EXPECT_EQ(prompter.last(), c.message);
        EXPECT_NE(form->result(), QDialog::Accepted);
        form->reject();
    }

    form->prepare(draft(), in, {{"Зима", "ноябрь", "февраль"}});
    form->header()->fromBox()->setCurrentIndex(monthIndex("март") - 1);
    form->header()->toBox()->setCurrentIndex(monthIndex("октябрь") - 1);
    prompter.clear();
    form->accept();
    ASSERT_EQ(form->result(), QDialog::Accepted) << prompter.last().toStdString();
    const ScheduleDraft& d = form->draft();
    EXPECT_EQ(d.name, "Дом");
    EXPECT_EQ(d.intervals, IntervalTexts({{"0", "8", "0"},
                                          {"8", "10", "200"},
                                          {"10", "12", "250"},
                                          {"12", "18", "50"},
                                          {"18", "20", "250"},
                                          {"20", "22", "200"},
                                          {"22", "24", "0"}}));
    EXPECT_EQ(d.wpSut, 2100);
    EXPECT_EQ(d.pnom, 250);
    EXPECT_EQ(d.peak, 1050);
    EXPECT_TRUE(d.clearSinus);
    ASSERT_EQ(d.monthly.size(), 8u); // март .. октябрь
    EXPECT_EQ(d.monthly.front().month, "март");
}

TEST_F(ConsumerDialogTest, CancelPutsBackTheConsumersAsTheyWereOnOpening) {
    form->prepare(draft(), in, {});
    addPair();
    const ConsumerSnapshot opened = snapshotConsumers(*dm, true);
    form->prepare(draft(), in, {});

    ASSERT_TRUE(form->addFromCatalog(catalogConsumer("Чайник", 2000, 1, false), 1));
    ASSERT_TRUE(form->setPeriods({{7, 7.1}}));
    form->askBeforeDelete()->setChecked(false);
    tbl("proj_ep0").first();
    form->deleteConsumer();
    ASSERT_TRUE(form->loadRecords({opened.rows[1].record})); // the book's set replaces them all
    ASSERT_EQ(currentConsumerRecords(*dm, true).size(), 1u);

    form->reject();
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(snapshotConsumers(*dm, true).rows, opened.rows);
    EXPECT_EQ(form->consumerGrid()->model()->rowCount(), 2);
}

TEST_F(ConsumerDialogTest, CommandsFollowTheConsumersAndTheClipboard) {
    form->prepare(draft(), in, {});
    const auto enabled = [this](TCreateSGF::Command c) {
        return form->commandButton(c)->isEnabled();
    };
    EXPECT_TRUE(enabled(TCreateSGF::Add));
    EXPECT_TRUE(enabled(TCreateSGF::Load));
    for (auto c : {TCreateSGF::Replace, TCreateSGF::Delete, TCreateSGF::Test, TCreateSGF::Build,
                   TCreateSGF::Copy, TCreateSGF::Save, TCreateSGF::Periods, TCreateSGF::Paste,
                   TCreateSGF::Info})
        EXPECT_FALSE(enabled(c)) << c;
    EXPECT_FALSE(form->okButton()->isEnabled());

    addPair();
    EXPECT_TRUE(enabled(TCreateSGF::Build));
    EXPECT_TRUE(form->okButton()->isEnabled());
    EXPECT_FALSE(enabled(TCreateSGF::Info)); // no information window yet
    EXPECT_FALSE(enabled(TCreateSGF::Paste));
    form->copyConsumers();
    EXPECT_TRUE(enabled(TCreateSGF::Paste));
    form->pasteConsumers();
    EXPECT_EQ(currentConsumerRecords(*dm, true).size(), 4u);

    ScheduleInfoRequest seen;
    form->setInfoHook([&seen](const ScheduleInfoRequest& r) { seen = r; });
    ASSERT_TRUE(enabled(TCreateSGF::Info));
    form->showInfo();
    EXPECT_EQ(seen.months.size(), 12);
    EXPECT_EQ(seen.intervals.size(), 7u);
    EXPECT_EQ(seen.pnom, 500);
}

TEST_F(ConsumerDialogTest, DeleteAsksOnlyWhenTheBoxIsTicked) {
    const struct {
        bool ask;
        bool answer;
        int left;
        int questions;
    } cases[] = {{true, false, 2, 1}, {true, true, 1, 1}, {false, false, 1, 0}};
    for (const auto& c : cases) {
        form->prepare(draft(), in, {});
        addPair();
        form->askBeforeDelete()->setChecked(c.ask);
        prompter.clear();
        prompter.answer(c.answer);
        form->deleteConsumer();
        EXPECT_EQ(int(currentConsumerRecords(*dm, true).size()), c.left);
        int asked = 0;
        for (const auto& e : prompter.entries())
            asked +=
                e.kind == RecordingPrompter::Kind::Question && e.text == "Удалить электроприемник?";
        EXPECT_EQ(asked, c.questions);
        form->reject();
        ASSERT_TRUE(currentConsumerRecords(*dm, true).empty());
        prompter = RecordingPrompter{};
    }
}

TEST_F(ConsumerDialogTest, EditsEmptyTheFiguresAndTheSchedulePageShowsTheConsumersTable) {
    form->prepare(draft(), in, {});
    addPair();
    ASSERT_TRUE(form->build());
    EXPECT_EQ(form->peakField()->text(), "1050");
    EXPECT_FALSE(form->chart()->isEmpty());
    ASSERT_TRUE(form->setPeriods({{10, 20}, {19, 21}})); // overlapping: the build refuses
    EXPECT_TRUE(form->wpSutField()->text().isEmpty());
    EXPECT_TRUE(form->peakField()->text().isEmpty());
    EXPECT_TRUE(form->chart()->isEmpty());
    EXPECT_TRUE(form->monthlyTable()->rows().empty());
    // The schedule page is rebuilt from the consumers without their test.
    form->pages()->setCurrentIndex(1);
    EXPECT_EQ(form->intervalGrid()->cell(0, 1), "0");
    EXPECT_EQ(form->intervalGrid()->cell(2, 3), "250"); // 10-12: the pumps and the fan
    EXPECT_FALSE(form->chart()->isEmpty());
    EXPECT_TRUE(form->wpSutField()->text().isEmpty());
}

TEST_F(ConsumerDialogTest, PeriodsCommandNeedsAConsumer) {
    form->prepare(draft(), in, {});
    prompter.clear();
    form->editPeriods();
    EXPECT_EQ(prompter.last(), "Перед вставкой записей в таблицу \"Время работы\" добавьте хотя бы "
                               "одну запись в таблицу \"Электроприемники\".");
}

TEST_F(ConsumerDialogTest, ReportPutsTheConsumerTableAfterTheGeneralParameters) {
    form->prepare(draft(), in, {});
    addPair();
    ASSERT_TRUE(form->build());
    RecordingReportWriter w;
    writeConsumerScheduleReport(w, form->report(), form->consumerReport());
    const QStringList s = w.summary();
    ASSERT_GE(s.size(), 20);
    EXPECT_EQ(s.mid(3, 3),
              QStringList({"pairs 4", "heading: Таблица электроприемников и времени их работы.\r",
                           "grid 3x9"}));
    const auto& table = w.blocks()[5].rows;
    EXPECT_EQ(table[0].last(), "Время работы, час.");
    EXPECT_EQ(table[1], QStringList({"Насос", "100", "500", "2", "200", "1000", "+", "ручной",
                                     "8-12; 18-22"}));
    EXPECT_TRUE(s.contains("text: Время работы, час. - интервалы времени работы "
                           "электроприемника, час.\r"));
    EXPECT_TRUE(s.contains("text: Т1, час. - начало периода времени, час.\r"));
    EXPECT_TRUE(s.contains("text: Т2, час. - окончание периода времени, час.\r"));
    EXPECT_TRUE(s.contains("grid 8x3")); // the interval table
    EXPECT_EQ(s.count("pairs 4"), 1);
}

TEST_F(ConsumerDialogTest, DcBookSaveWritesTheSystemVoltage) {
    TCreateSG12F dc(*dm, prompter);
    ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Лето"}}));
    dc.prepare(draft(), in, {});
    ASSERT_TRUE(dc.addFromCatalog(catalogConsumer("Лампа 24 В", 12, 1, false), 4));
    ASSERT_TRUE(dc.setPeriods({{18, 23}}));
    ASSERT_TRUE(dc.saveToBookAs("Дома", "Вечер")) << prompter.last().toStdString();
    View& book = tbl("sSutEP12_0");
    EXPECT_EQ(book["Unom"].asInteger(), 24);
    EXPECT_EQ(book["Wp_sut"].asFloat(), 240);
    EXPECT_EQ(prompter.last(),
              "Суточный график \"Вечер\" сохранен в справочнике, раздел \"Дома\".");
}

// ---------------------------------------------------------------- TPeriodFm

TEST_F(ConsumerDialogTest, PeriodSplitFillsTheTableAndAnyChangeEmptiesIt) {
    TPeriodFm f(prompter);
    f.prepare("Насос", 100);
    EXPECT_FALSE(f.okButton()->isEnabled());
    f.energyField()->setText("1200");
    f.beginField()->setText("0");
    f.endField()->setText("24");
    f.stepField()->setText("6");
    ASSERT_TRUE(f.split()) << prompter.last().toStdString();
    EXPECT_EQ(f.periods(), Hours({{0, 3}, {6, 9}, {12, 15}, {18, 21}}));
    EXPECT_EQ(f.periodGrid()->cell(1, 4), "21");
    EXPECT_TRUE(f.okButton()->isEnabled());
    f.stepField()->setText("6,5");
    EXPECT_TRUE(f.periods().empty());
    EXPECT_TRUE(f.periodGrid()->cell(0, 1).isEmpty());
    EXPECT_FALSE(f.okButton()->isEnabled());
    // Only the field of the chosen basis is open.
    EXPECT_TRUE(f.energyField()->isEnabled());
    EXPECT_FALSE(f.timeField()->isEnabled());
    f.timeBasis()->setChecked(true);
    EXPECT_FALSE(f.energyField()->isEnabled());
    EXPECT_TRUE(f.timeField()->isEnabled());
}

TEST_F(ConsumerDialogTest, RefusedSplitTellsWhyFocusesItsFieldAndLeavesTheTableEmpty) {
    TPeriodFm f(prompter);
    f.prepare("Насос", 100);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const struct {
        bool timeBasis;
        const char* time;
        const char* begin;
        const char* end;
        const char* step;
    } cases[] = {
        {true, "2", "0", "24", "3"},        // daily time shorter than the step
        {false, "10", "10", "8", "1"},      // begins after it ends
        {false, "10", "0", "24", "0,0005"}, // a step below 0,001
    };
    for (const auto& c : cases) {
        f.timeBasis()->setChecked(c.timeBasis);
        f.energyBasis()->setChecked(!c.timeBasis);
        f.timeField()->setText(c.time);
        f.beginField()->setText(c.begin);
        f.endField()->setText(c.end);
        f.stepField()->setText(c.step);
        const PeriodResult expected = generatePeriods(f.inputs());
        ASSERT_TRUE(expected.error) << c.step;
        prompter.clear();
        EXPECT_FALSE(f.split());
        EXPECT_EQ(prompter.last(), *expected.error);
        EXPECT_TRUE(f.periodGrid()->cell(0, 1).isEmpty());
        EXPECT_FALSE(f.okButton()->isEnabled());
        if (expected.errorField) {
            NumberField* fields[] = {f.energyField(), f.timeField(), f.beginField(), f.endField(),
                                     f.stepField()};
            // A field in an hour list gives its focus to the list.
            NumberField* field = fields[int(*expected.errorField)];
            QWidget* focused = QApplication::focusWidget();
            EXPECT_TRUE(focused == field || focused == field->parentWidget()) << c.step;
        }
    }
    f.hide();
}

// ---------------------------------------------------------------- TsEPForm

TEST_F(ConsumerDialogTest, DcCatalogShowsOneVoltageSearchesAndChecksTheQuantity) {
    View& cat = tbl("sEP12");
    for (const auto& [name, unom] : {std::pair{"Холодильник 12 В", "12"},
                                     {"Вентилятор 24 В", "24"},
                                     {"Холодильник 24 В", "24"},
                                     {"Лампа 12 В", "12"}})
        ASSERT_TRUE(add(cat, {{"Name", name},
                              {"Pnom", "40"},
                              {"Ip_In", "3"},
                              {"Unom", unom},
                              {"Rejim", "автоматический"}}));
    TsEP12Frm f(*dm, prompter);
    f.prepare(24);
    EXPECT_EQ(f.filterLabel()->text(), "Фильтрация записей: Uном.=24 В");
    QStringList shown;
    for (int r = 0; r < cat.recordCount(); ++r)
        if (!f.grid()->isRowHidden(r))
            shown << cat.valueAt(r, cat.table().columnIndex("Name")).toString();
    EXPECT_EQ(shown, QStringList({"Вентилятор 24 В", "Холодильник 24 В"}));
    ASSERT_TRUE(f.current());
    EXPECT_EQ(f.current()->name, "Вентилятор 24 В");

    // Typed in lower case, the search finds the shown consumer, not the 12-volt one before it.
    type(f.searchField(), "хол");
    EXPECT_EQ(f.current()->name, "Холодильник 24 В");
    type(f.searchField(), "одильник x");
    EXPECT_EQ(f.current()->name, "Холодильник 24 В"); // nothing begins so: stays

    const struct {
        const char* quantity;
        const char* message;
    } refusals[] = {{"", "Введите значение количества электроприемников."},
                    {"0", "Значение количества электроприемников должно быть больше 0."}};
    for (const auto& r : refusals) {
        f.quantityField()->setText(r.quantity);
        f.accept();
        EXPECT_EQ(prompter.last(), r.message);
        EXPECT_NE(f.result(), QDialog::Accepted);
    }
    f.quantityField()->setText("3");
    f.accept();
    ASSERT_EQ(f.result(), QDialog::Accepted);
    ASSERT_TRUE(f.chosen());
    EXPECT_EQ(f.chosen()->first.unom, 24);
    EXPECT_EQ(f.chosen()->second, 3);

    f.finish();
    for (int r = 0; r < cat.recordCount(); ++r)
        EXPECT_FALSE(f.grid()->isRowHidden(r));
    // Replacing: positioned on the consumer of that name and power, with its quantity.
    f.prepare(12, "Лампа 12 В", 40, 6);
    EXPECT_EQ(f.current()->name, "Лампа 12 В");
    EXPECT_EQ(f.quantityField()->text(), "6");
    f.finish();
}

} // namespace

namespace {

TEST_F(ConsumerDialogTest, BrowsingEditsTheCatalogInPlaceAndClosingSavesTheRow) {
    View& cat = tbl("sEP");
    ASSERT_TRUE(add(cat, {{"Name", "Насос"},
                          {"Pnom", "100"},
                          {"Ip_In", "5"},
                          {"ClearSinus", "-"},
                          {"Rejim", "ручной"}}));
    TsEPForm f(*dm, prompter, true);
    f.setBrowsing(true);
    f.show();
    EXPECT_TRUE(f.recordNavigator()->isVisible());
    EXPECT_FALSE(f.quantityField()->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>("ok")->isVisible());
    EXPECT_FALSE(f.grid()->isReadOnly());

    // "Чистый синус" is picked from its list, never typed.
    f.grid()->setFocus();
    f.grid()->setCurrentIndex(f.grid()->model()->index(0, 3));
    QTest::keyClick(f.grid(), Qt::Key_Plus);
    EXPECT_FALSE(cat.isEditing());

    ASSERT_TRUE(cat.edit());
    cat["Pnom"].setString("120");
    f.done(QDialog::Rejected);
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(cat.isEditing());
    EXPECT_EQ(cat["Pnom"].asString(), "120");
    f.setBrowsing(false);
    EXPECT_TRUE(f.grid()->isReadOnly());
}

} // namespace
