// The schedule dialogs offscreen: what "ОК" checks and hands over, what edits do to the figures,
// and the reports.

#include "data/fixture.h"
#include "lib/qt_print.h"

#include "lib/months.h"
#include "load/ui/add_sut_gr_form.h"
#include "load/ui/nagr_form.h"
#include "load/ui/s_sut_ep_form.h"
#include "load/ui/s_sut_form.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/step_chart.h"
#include "reports/recording_report_writer.h"
#include "widgets/number_field.h"
#include "widgets/string_grid.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace ses;
using namespace ses::test;

namespace {

ScheduleInputs inputs() {
    ScheduleInputs in;
    for (const QString& m : monthNames()) {
        in.daylight.push_back({m, 7, 19, 10});
        in.regionMonths.push_back({m, 2, 5, 50});
    }
    in.region = "Юг";
    in.tempCoefficients = {{0, 1.2}, {10, 1.1}};
    in.kinv = 0.9;
    return in;
}

IntervalTexts day() {
    return tourIntervals(); // 5435 W*h, nominal 600 W, maximum 2000 W
}

void chooseMonths(ScheduleHeader* h, const QString& from, const QString& to) {
    h->fromBox()->setCurrentIndex(monthIndex(from) - 1);
    emit h->fromBox()->activated(h->fromBox()->currentIndex());
    h->toBox()->setCurrentIndex(monthIndex(to) - 1);
    emit h->toBox()->activated(h->toBox()->currentIndex());
}

bool showActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

QStringList months(const std::vector<MonthlyRow>& rows) {
    QStringList m;
    for (const auto& r : rows)
        m << r.month;
    return m;
}

class DialogTest : public DbTest {
protected:
    ScheduleDraft draft(const IntervalTexts& intervals = {}) {
        ScheduleDraft d;
        d.name = "Дом";
        d.from = "январь";
        d.to = "декабрь";
        d.clearSinus = true;
        d.intervals = intervals;
        return d;
    }
    ScheduleInputs in = inputs();
};

// ---------------------------------------------------------------- TAddSutGrF

TEST_F(DialogTest, IntervalDialogChecksOkInOrder) {
    struct Case {
        std::function<void(TAddSutGrF&)> spoil;
        std::vector<OtherSchedule> others;
        QString message;
    } cases[] = {
        {[](TAddSutGrF& f) { f.intervalGrid()->item(0, 2)->setText("45"); },
         {},
         "Выполните расчет параметров суточного графика."},
        {[](TAddSutGrF& f) { f.header()->nameEdit()->setText("  "); },
         {},
         "Поле \"Наименование суточного графика\" должно быть заполнено."},
        {[](TAddSutGrF& f) { f.peakField()->setText("0"); },
         {},
         "Значение пиковой выходной мощности должно быть больше 0."},
        {[](TAddSutGrF& f) { f.peakField()->setText("1999"); },
         {},
         "Значение пиковой выходной мощности не должно быть меньше значений номинальной и "
         "максимальной выходной мощностей (страница \"Расчетные параметры\" двухстраничной "
         "панели)."},
        {[](TAddSutGrF&) {},
         {{"Лето", "май", "сентябрь"}},
         "Месяц \"май\" данного суточного графика входит в диапазон месяцев \"май\" - "
         "\"сентябрь\" другого имеющегося суточного графика \"Лето\". Не допускается подобное "
         "пересечение диапазонов месяцев суточных графиков.\nСправка о диапазонах месяцев "
         "имеющихся суточных графиков:\n- суточный график \"Лето\" - диапазон месяцев \"май\" - "
         "\"сентябрь\"\n"},
    };
    TAddSutGrF f(*dm, prompter);
    for (const auto& c : cases) {
        f.prepare(draft(day()), in, c.others, true);
        f.peakField()->setText("2500"); // kept from the last opening otherwise
        c.spoil(f);
        prompter.clear();
        f.accept();
        EXPECT_EQ(prompter.last(), c.message);
        EXPECT_NE(f.result(), QDialog::Accepted);
    }
    // The refused peak shows its page.
    EXPECT_EQ(f.pages()->currentIndex(), 0);
    f.prepare(draft(day()), in, {}, true);
    f.peakField()->setText("1999");
    f.accept();
    EXPECT_EQ(f.pages()->currentIndex(), 1);

    f.prepare(draft(day()), in, {{"Зима", "ноябрь", "март"}}, true);
    chooseMonths(f.header(), "апрель", "октябрь");
    f.peakField()->setText("2500");
    prompter.clear();
    f.accept();
    ASSERT_EQ(f.result(), QDialog::Accepted) << prompter.last().toStdString();
    const ScheduleDraft& d = f.draft();
    EXPECT_EQ(d.wpSut, 5435);
    EXPECT_EQ(d.pnom, 600);
    EXPECT_EQ(d.pmax, 2000);
    EXPECT_EQ(d.peak, 2500);
    EXPECT_TRUE(d.clearSinus);
    EXPECT_EQ(d.intervals, day());
    EXPECT_EQ(months(d.monthly).size(), 7);
    EXPECT_EQ(d.monthly.front().month, "апрель");
}

TEST_F(DialogTest, AnyEditOfTheTableEmptiesTheFigures) {
    TAddSutGrF f(*dm, prompter);
    const std::function<void(TAddSutGrF&)> edits[] = {
        [](TAddSutGrF& g) { g.intervalGrid()->item(1, 1)->setText("8,5"); },
        [](TAddSutGrF& g) { g.deleteRow(); },
        [](TAddSutGrF& g) { g.addRow(); },
        [](TAddSutGrF& g) { g.insertRow(); },
    };
    for (const auto& edit : edits) {
        f.prepare(draft(day()), in, {}, true);
        ASSERT_TRUE(f.okButton()->isEnabled());
        edit(f);
        EXPECT_TRUE(f.wpSutField()->text().isEmpty());
        EXPECT_TRUE(f.monthlyTable()->rows().empty());
        EXPECT_EQ(f.monthlyTable()->dataRows(), 1); // one empty row
        EXPECT_TRUE(f.chart()->isEmpty());
        EXPECT_FALSE(f.okButton()->isEnabled());
    }
    f.prepare(draft(day()), in, {}, true);
    f.intervalGrid()->item(0, 2)->setText("45");
    EXPECT_TRUE(f.build());
    EXPECT_TRUE(f.okButton()->isEnabled());
}

TEST_F(DialogTest, ChangingTheRangeRebuildsTheMonthlyRows) {
    TAddSutGrF f(*dm, prompter);
    f.prepare(draft(day()), in, {}, true);
    ASSERT_EQ(f.monthlyTable()->rows().size(), 12u);
    chooseMonths(f.header(), "ноябрь", "февраль");
    QStringList shown;
    for (const QStringList& row : f.monthlyTable()->rows())
        shown << row[0];
    EXPECT_EQ(shown, QStringList({"январь", "февраль", "ноябрь", "декабрь"}));
    f.accept();
    ASSERT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(months(f.draft().monthly), shown);
}

TEST_F(DialogTest, BuildTellsWhichRegionMonthsLackDataAndLeavesTheirPowerEmpty) {
    in.regionMonths.resize(1); // January only
    TAddSutGrF f(*dm, prompter);
    f.prepare(draft(), in, {}, true);
    f.setIntervals(day());
    prompter.clear();
    ASSERT_TRUE(f.build());
    ASSERT_EQ(prompter.entries().size(), 1u);
    EXPECT_EQ(prompter.entries()[0].kind, RecordingPrompter::Kind::Information);
    EXPECT_TRUE(
        prompter.last().startsWith("Нет данных о солнечной радиации региона \"Юг\" за месяц "
                                   "\"февраль\": мощность СБ за этот месяц не рассчитана."));
    f.accept();
    ASSERT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(f.draft().monthly[0].psb.has_value());
    EXPECT_FALSE(f.draft().monthly[1].psb.has_value());
}

TEST_F(DialogTest, RowCommandsAndButtonStates) {
    TAddSutGrF f(*dm, prompter);
    f.prepare(draft(), in, {}, false);
    EXPECT_FALSE(f.pureSineBox()->isEnabled()); // DC
    const auto enabled = [&f](const char* text) {
        for (QPushButton* b : f.findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(text))
                return b->isEnabled();
        ADD_FAILURE() << text;
        return false;
    };
    EXPECT_FALSE(enabled("Удалить строку"));
    EXPECT_FALSE(enabled("Построить"));
    f.intervalGrid()->setCell(0, 1, "0"); // typed into the first cell
    EXPECT_TRUE(enabled("Удалить строку"));
    EXPECT_TRUE(enabled("Построить"));
    // Deleting the only row empties it.
    f.deleteRow();
    EXPECT_EQ(f.intervals(), IntervalTexts(1));
    f.setIntervals({{"0", "6", "10"}, {"6", "24", "20"}});
    f.intervalGrid()->setCurrentCell(1, 0);
    f.insertRow();
    EXPECT_EQ(f.intervals(), IntervalTexts({{"0", "6", "10"}, {}, {"6", "24", "20"}}));
    // The failed test clears the chart and points at the empty cell.
    prompter.clear();
    EXPECT_FALSE(f.testTable());
    EXPECT_EQ(prompter.last(), "Заполнение всех ячеек таблицы обязательно.");
    EXPECT_EQ(f.intervalGrid()->currentRow(), 1);
    f.deleteRow();
    EXPECT_TRUE(f.testTable());
    EXPECT_EQ(prompter.last(), "Ошибки не найдены.");
    // Clearing asks first and keeps the rows.
    prompter.answer(true);
    f.clearTable();
    EXPECT_EQ(f.intervals(), IntervalTexts(2));
}

TEST(StepChartAxis, LabelsThatWouldOverlapAreLeftOutTheLastKept) {
    struct Case {
        const char* name;
        std::vector<double> positions, widths;
        std::vector<std::size_t> kept;
    };
    // Gap 6: two labels 10 wide need their ticks 16 apart.
    const Case cases[] = {
        {"all clear", {0, 20, 40, 60}, {10, 10, 10, 10}, {0, 1, 2, 3}},
        {"exactly clear", {0, 16, 32}, {10, 10, 10}, {0, 1, 2}},
        {"one too close is skipped", {0, 15, 30, 46}, {10, 10, 10, 10}, {0, 2, 3}},
        // Hours 0, 6,5, 8, 18, 23, 24 at 16 pixels an hour: 23 gives way to the last.
        {"last in place of the one before",
         {0, 104, 128, 288, 368, 384},
         {7, 18, 7, 14, 14, 14},
         {0, 1, 2, 3, 5}},
        {"a wide last label drops several", {0, 40, 60, 80, 100}, {10, 10, 10, 10, 80}, {0, 1, 4}},
        {"the last never drops the first", {0, 10}, {10, 10}, {0}},
        {"one tick", {5}, {10}, {0}},
        {"none", {}, {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(labelledTicks(c.positions, c.widths, 6), c.kept) << c.name;
}

TEST(StepChartAxis, HourLabelsKeepClearOfEachOtherAtEverySize) {
    StepChart view;
    view.draw(day()); // hours 0, 6,5, 8, 8,1, 18, 23, 24
    view.show();
    auto* axis = qobject_cast<QCategoryAxis*>(view.chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(axis, nullptr);
    const QFontMetricsF metrics(axis->labelsFont());
    const auto labelled = [&] {
        const QStringList labels = axis->categoriesLabels();
        const QRectF plot = view.chart()->plotArea();
        const auto x = [&](const QString& label) {
            return plot.left() + (axis->endValue(label) - axis->min()) /
                                     (axis->max() - axis->min()) * plot.width();
        };
        for (int i = 1; i < labels.size(); ++i)
            EXPECT_GE(x(labels[i]) - x(labels[i - 1]), (metrics.horizontalAdvance(labels[i]) +
                                                        metrics.horizontalAdvance(labels[i - 1])) /
                                                           2)
                << labels[i - 1].toStdString() << " and " << labels[i].toStdString() << " at "
                << view.width();
        return labels;
    };
    // In the smallest view 23 is an hour from the end of the axis: too close to label both.
    view.resize(view.minimumSize());
    QApplication::processEvents();
    const QStringList narrow = labelled();
    EXPECT_EQ(narrow.first(), "0");
    EXPECT_EQ(narrow.last(), "24");
    EXPECT_FALSE(narrow.contains("23"));
    // A wide view has room for more, 23 among them.
    view.resize(1300, 500);
    QApplication::processEvents();
    const QStringList wide = labelled();
    EXPECT_GT(wide.size(), narrow.size());
    EXPECT_TRUE(wide.contains("23"));
    EXPECT_EQ(wide.last(), "24");
    // The report's picture labels for its own size and leaves the view's labels as they were.
    view.picture();
    EXPECT_EQ(axis->categoriesLabels(), wide);
}

TEST_F(DialogTest, ReportChartHasOneSizeWhateverTheView) {
    TAddSutGrF f(*dm, prompter);
    f.loadForTour(in);
    StepChart* view = f.chart();
    view->resize(view->minimumSize());
    QApplication::processEvents();
    const QRectF shown = view->chart()->geometry();
    const QImage picture = view->picture();
    EXPECT_EQ(picture.size(), QSize(640, 360));
    // The line is drawn (pure blue), and the view keeps its own layout.
    int blue = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            blue += picture.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_GT(blue, 100);
    EXPECT_EQ(view->chart()->geometry(), shown);
}

TEST_F(DialogTest, IntervalReportBlocks) {
    TAddSutGrF f(*dm, prompter);
    f.loadForTour(in);
    RecordingReportWriter w;
    writeScheduleReport(w, f.report());
    QStringList s = w.summary();
    ASSERT_EQ(s.size(), 31);
    EXPECT_TRUE(s[11].startsWith("picture ") && s[11] != "picture 0x0") << s[11].toStdString();
    s[11] = "picture";
    EXPECT_EQ(
        s.mid(0, 17),
        QStringList({"open", "title: Суточный график \"Дачный дом, круглый год\".\r\r",
                     "heading: Общие параметры суточного графика.\r", "pairs 4",
                     "heading: Таблица суточного графика нагрузки.\r", "grid 7x3",
                     "text: Примечание.\r", "text: Т1, час. - время начала периода времени, час.\r",
                     "text: Т2, час. - время окончания периода времени, час.\r",
                     "text: P, Вт - активная мощность электроустановки в период времени, Вт.\r",
                     "heading: Суточный график нагрузки.\r", "picture",
                     "heading: Расчетные параметры суточного графика.\r", "pairs 5",
                     "heading: Параметры суточного графика \"без солнца\".\r", "grid 13x14",
                     "text: Примечание.\r"}));
    const auto& pairs = w.blocks()[13].rows;
    EXPECT_EQ(pairs[1], QStringList({"Номинальная выходная мощность (более 30 минут), Вт", "600"}));
    EXPECT_EQ(pairs[4], QStringList({"Наличие потребителей, требующих форму выходного  сигнала "
                                     "инвертора \"чистый синус\"",
                                     "+"}));
}

// ---------------------------------------------------------------- TNagrForm

// ---------------------------------------------------------------- TsSutForm, TsSutFrm1

TEST_F(DialogTest, BookEditorOkReplacesTheFiguresAndIntervalsOfTheSchedule) {
    TsSutForm book(*dm, prompter);
    book.setBrowsing(true);
    book.change();
    EXPECT_EQ(prompter.last(), "Перед выполнением операции добавьте хотя бы одну запись в таблицу "
                               "\"Суточные графики раздела\".");

    // A constant load over the whole day: one interval, and still a chart.
    ASSERT_TRUE(saveToBook(*dm, "Дача", "Сторож", {{"0", "24", "100"}}, {2400, 100, 100}));
    book.redraw();
    EXPECT_FALSE(book.chart()->isEmpty());

    TsSutFrm1& editor = book.editor();
    editor.prepareBook();
    EXPECT_EQ(editor.intervals(), IntervalTexts({{"0", "24", "100"}}));
    EXPECT_EQ(editor.wpSutField()->text(), "2400");
    editor.setIntervals(day());
    emit editor.intervalGrid()->model()->dataChanged({}, {}); // an edit empties the figures
    prompter.clear();
    editor.accept();
    EXPECT_EQ(prompter.last(), "Выполните расчет параметров суточного графика.");
    EXPECT_EQ(store->count("sSut1"), 1);

    ASSERT_TRUE(editor.build());
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(bookIntervals(*dm), day());
    View& schedules = tbl("sSut0");
    EXPECT_EQ(schedules["Name"].asString(), "Сторож");
    EXPECT_EQ(schedules["Wp_sut"].asFloat(), 5435);
    EXPECT_EQ(schedules["Pnom30min"].asFloat(), 600);
    EXPECT_EQ(schedules["Pmax10min"].asFloat(), 2000);
}

TEST_F(DialogTest, BookEditorImportsTheBuiltTableOfAConsumerDetailedBookSchedule) {
    // A lamp of 100 W from 18 to 22 in the AC book, one of 12 V (the book's only voltage, not
    // the system's: the editor imports any) of 20 W from 0 to 6 in the DC book.
    for (const bool ac : {true, false}) {
        std::unique_ptr<TsSutEPF> consumerBook =
            ac ? std::make_unique<TsSutEPF>(*dm, prompter, true)
               : std::unique_ptr<TsSutEPF>(std::make_unique<TsSutEP12F>(*dm, prompter));
        ASSERT_TRUE(add(tbl(ac ? "sSutEP" : "sSutEP12"), {{"Razdel", "Дом"}}));
        if (ac)
            ASSERT_TRUE(add(tbl("sSutEP0"), {{"Name", "Вечер"}}));
        else
            ASSERT_TRUE(add(tbl("sSutEP12_0"), {{"Name", "Ночь"}, {"Unom", "12"}}));
        CatalogConsumer lamp;
        lamp.name = "Лампа";
        lamp.pnom = ac ? 100 : 20;
        lamp.unom = ac ? std::nullopt : std::optional<double>(12);
        ASSERT_TRUE(consumerBook->addFromCatalog(lamp, 1));
        ASSERT_TRUE(consumerBook->setPeriods({ac ? std::pair{18.0, 22.0} : std::pair{0.0, 6.0}}));
        ASSERT_TRUE(consumerBook->build());
    }
    ASSERT_TRUE(saveToBook(*dm, "Дача", "Сторож", {{"0", "24", "100"}}, {2400, 100, 100}));
    TsSutFrm1 editor(*dm, prompter);
    editor.prepareBook();

    // "Отмена" in the book leaves the table as it was.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    editor.importFromConsumerBook(true);
    EXPECT_EQ(editor.intervals(), IntervalTexts({{"0", "24", "100"}}));

    const struct {
        bool ac;
        IntervalTexts table;
        QString wpSut;
    } cases[] = {
        {true, {{"0", "18", "0"}, {"18", "22", "100"}, {"22", "24", "0"}}, "400"},
        {false, {{"0", "6", "20"}, {"6", "24", "0"}}, "120"},
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [] {
            auto* book = qobject_cast<TsSutEPF*>(QApplication::activeModalWidget());
            ASSERT_TRUE(book);
            EXPECT_TRUE(book->filterLabel()->isHidden());
            book->accept();
        });
        editor.importFromConsumerBook(c.ac);
        EXPECT_EQ(editor.intervals(), c.table) << c.ac;
        EXPECT_EQ(editor.wpSutField()->text(), c.wpSut) << c.ac; // tested and built at once
        EXPECT_FALSE(editor.chart()->isEmpty());
    }
    // "ОК" then writes the imported table into the book schedule.
    editor.accept();
    EXPECT_EQ(bookIntervals(*dm), cases[1].table);
    EXPECT_EQ(tbl("sSut0")["Wp_sut"].asFloat(), 120);
}

class TypedDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        form = std::make_unique<TNagrForm>(*dm, prompter);
        form->prepare(draft(), in, {}, true);
        for (int r = 0; r < 12; ++r)
            form->setEnergies(r, "2000", "");
    }
    void type(int row, int column, const QString& text) {
        form->monthlyTable()->grid()->item(row, column)->setText(text);
    }
    QString cell(int row, int column) {
        return form->monthlyTable()->grid()->cell(column, row + 1);
    }
    std::unique_ptr<TNagrForm> form;
};

TEST_F(TypedDialogTest, OkChecksInOrderThenTheTable) {
    struct Case {
        std::function<void(TNagrForm&)> spoil;
        std::vector<OtherSchedule> others;
        QString message;
    } cases[] = {
        {[](TNagrForm& f) { f.header()->nameEdit()->clear(); },
         {},
         "Поле \"Наименование суточного графика\" должно быть заполнено."},
        {[](TNagrForm& f) { f.wpSutField()->clear(); },
         {},
         "Введите значение суточного потребления электроэнергии."},
        {[](TNagrForm& f) { f.wpSutField()->setText("0"); },
         {},
         "Значение суточного потребления электроэнергии должно быть больше 0."},
        {[](TNagrForm& f) { f.pnomField()->setText(","); },
         {},
         "\",\" - некорректное значение для номинальной выходной мощности."},
        {[](TNagrForm& f) { f.peakField()->clear(); },
         {},
         "Введите значение пиковой выходной мощности."},
        {[](TNagrForm& f) { f.pnomField()->setText("1600"); },
         {},
         "Значение максимальной выходной мощности не должно быть меньше значения номинальной "
         "выходной мощности."},
        {[](TNagrForm& f) { f.peakField()->setText("1400"); },
         {},
         "Значение пиковой выходной мощности не должно быть меньше значения номинальной выходной "
         "мощности."},
        {[](TNagrForm& f) { f.pmaxField()->setText("2600"); },
         {},
         "Значение пиковой выходной мощности не должно быть меньше значения максимальной выходной "
         "мощности."},
        {[](TNagrForm&) {},
         {{"Зима", "декабрь", "февраль"}},
         "Месяц \"январь\" данного суточного графика входит в диапазон месяцев \"декабрь\" - "
         "\"февраль\" другого имеющегося суточного графика \"Зима\". Не допускается подобное "
         "пересечение диапазонов месяцев суточных графиков.\nСправка о диапазонах месяцев "
         "имеющихся суточных графиков:\n- суточный график \"Зима\" - диапазон месяцев \"декабрь\" "
         "- "
         "\"февраль\"\n"},
        {[](TNagrForm& f) { f.setEnergies(4, "", ""); },
         {},
         "Заполнение всех ячеек столбца таблицы \"Wсут.бс, Вт*ч\" обязательно."},
        {[](TNagrForm& f) { f.setEnergies(4, "6000", ""); },
         {},
         "Значение ячейки столбца \"Wсут.бс, Вт*ч\" месяца \"май\" не должно быть больше "
         "суточного потребления электроэнергии (5000 Вт*ч)."},
    };
    for (const auto& c : cases) {
        form->prepare(draft(), in, c.others, true);
        // Not an edit: the typed figures stay from one opening to the next.
        form->wpSutField()->setText("5000");
        form->pnomField()->setText("1500");
        form->pmaxField()->setText("1500");
        form->peakField()->setText("2500");
        for (int r = 0; r < 12; ++r)
            form->setEnergies(r, "2000", "");
        c.spoil(*form);
        prompter.clear();
        form->accept();
        EXPECT_EQ(prompter.last(), c.message);
        EXPECT_NE(form->result(), QDialog::Accepted);
    }
}

TEST_F(TypedDialogTest, OkHandsOverFiguresOfTheInputsOnScreen) {
    // Never calculated: "ОК" calculates.
    prompter.clear();
    form->accept();
    ASSERT_EQ(form->result(), QDialog::Accepted) << prompter.last().toStdString();
    const ScheduleDraft first = form->draft();
    ASSERT_EQ(first.monthly.size(), 12u);
    ASSERT_TRUE(first.monthly[0].psb.has_value());
    EXPECT_EQ(first.wpSut, 5000);
    // Calculated, then the daily energy and one month's energy edited: the figures follow.
    form->setResult(0);
    ASSERT_TRUE(form->calculate());
    form->wpSutField()->setText("6000");
    type(0, 3, "2500");
    EXPECT_TRUE(cell(0, 13).isEmpty()); // the stale power is not shown either
    form->accept();
    ASSERT_EQ(form->result(), QDialog::Accepted);
    const ScheduleDraft second = form->draft();
    EXPECT_EQ(second.wpSut, 6000);
    EXPECT_EQ(second.monthly[0].wsutDark, 2500);
    EXPECT_GT(*second.monthly[1].psb, *first.monthly[1].psb);
}

TEST_F(TypedDialogTest, MaximumEnergyByDailyCycleOrK) {
    ASSERT_TRUE(form->calculate());
    EXPECT_EQ(cell(0, 4), cell(0, 2)); // daily cycle: Tmax = Tsut, Wmax = Wsut
    EXPECT_EQ(cell(0, 5), "2000");

    in.dailyCycle = false;
    in.hoursWithoutSun = 48;
    form->prepare(draft(), in, {}, true);
    for (int r = 0; r < 12; ++r)
        form->setEnergies(r, "2000", "");
    ASSERT_TRUE(form->calculate());
    EXPECT_EQ(cell(3, 4), "48");
    EXPECT_EQ(cell(3, 5), "10000");

    in.hoursWithoutSun = 36;
    form->prepare(draft(), in, {}, true);
    for (int r = 0; r < 12; ++r)
        form->setEnergies(r, "2000", "7000");
    type(2, 5, "1500"); // Tsut 12 < 36 with less energy than in the dark hours of one day
    prompter.clear();
    EXPECT_FALSE(form->calculate());
    EXPECT_TRUE(prompter.last().startsWith("Если значение ячейки столбца \"Тсут.бс, час.\" не "
                                           "больше"));
    EXPECT_EQ(form->monthlyTable()->grid()->currentRow(), 2);
    EXPECT_EQ(form->monthlyTable()->grid()->currentColumn(), 3);
}

TEST_F(TypedDialogTest, RangeChangeRebuildsTheRowsWithoutEnergies) {
    chooseMonths(form->header(), "июнь", "август");
    ASSERT_EQ(form->monthlyTable()->dataRows(), 3);
    EXPECT_EQ(cell(0, 0), "июнь");
    EXPECT_TRUE(cell(0, 3).isEmpty());
    prompter.clear();
    form->accept();
    EXPECT_EQ(prompter.last(),
              "Заполнение всех ячеек столбца таблицы \"Wсут.бс, Вт*ч\" обязательно.");
}

TEST_F(TypedDialogTest, EditingShowsTheStoredEnergiesCalculated) {
    ScheduleDraft d = draft();
    d.wpSut = 4000;
    d.pnom = 100;
    d.pmax = 200;
    d.peak = 300;
    d.from = "январь";
    d.to = "февраль";
    MonthlyRow stored;
    stored.month = "январь";
    stored.wsutDark = 1234;
    d.monthly = {stored, stored};
    d.monthly[1].month = "февраль";
    form->prepare(d, in, {}, true);
    EXPECT_EQ(form->wpSutField()->text(), "4000");
    EXPECT_EQ(cell(1, 3), "1234");
    EXPECT_FALSE(cell(1, 13).isEmpty());
}

TEST_F(TypedDialogTest, OnlyTheEnergyColumnsTakeKeys) {
    ASSERT_TRUE(showActive(*form));
    StringGrid* g = form->monthlyTable()->grid();
    g->setCurrentCell(0, 0);
    QTest::keyClick(g, Qt::Key_7);
    EXPECT_EQ(cell(0, 0), "январь");
    g->setCurrentCell(0, 3);
    QTest::keyClick(g, Qt::Key_1);
    QTest::keyClicks(QApplication::focusWidget(), "x5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents(); // the editor is closed by a queued call
    EXPECT_EQ(cell(0, 3), "15");
    form->hide();
}

TEST_F(TypedDialogTest, ReportHasNoIntervalSection) {
    RecordingReportWriter w;
    writeScheduleReport(w, form->report());
    const QStringList s = w.summary();
    EXPECT_FALSE(s.join('\n').contains("Таблица суточного графика нагрузки."));
    EXPECT_FALSE(s.join('\n').contains("picture"));
    EXPECT_EQ(w.blocks()[3].rows[3],
              QStringList({"Суточный цикл работы солнечной электростанции", "+"}));
    EXPECT_EQ(s[5], "pairs 5");
    EXPECT_EQ(s[7], "grid 13x14");
}

} // namespace
