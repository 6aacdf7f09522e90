// The windows over a real data module, offscreen.

#include "../lib/qt_print.h"
#include "demo_windows.h"

#include "app/demo.h"
#include "app/ui/com_par_var_form.h"
#include "app/ui/main_form.h"
#include "app/ui/open_form.h"
#include "app/ui/proj_form.h"
#include "data/csv.h"
#include "lib/numbers.h"
#include "load/load_views_store.h"
#include "load/schedule_store.h"
#include "load/ui/chart_viewers.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/dsp_nagr_form.h"
#include "load/ui/nagr_dop_form.h"
#include "load/ui/sut_gr_dop_form.h"
#include "load/ui/totals_pages.h"
#include "reports/recording_report_writer.h"
#include "reports/ui/com_shem_form.h"
#include "reports/ui/com_spec_form.h"
#include "reports/ui/scheme_view.h"
#include "reports/ui/shema_form.h"
#include "reports/ui/spec_form.h"
#include "reports/ui/test_var_form.h"
#include "reports/ui/view_sp_form.h"
#include "solar/ui/anal_sb_form.h"
#include "solar/ui/vurab_form.h"
#include "storage/protection_ops.h"
#include "storage/ui/anal_akb_form.h"
#include "widgets/drawing_pane.h"
#include "widgets/frozen_table.h"
#include "widgets/number_field.h"
#include "widgets/string_grid.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace ses;
using namespace ses::test;

namespace {

class WindowTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        main = std::make_unique<TMainForm>(*dm, prompter);
    }
    void TearDown() override { main.reset(); }
    bool enabled(Command c) { return main->action(c) && main->action(c)->isEnabled(); }
    std::unique_ptr<TMainForm> main;
};

TEST_F(WindowTest, CommandsFollowTheProjectsAndVariants) {
    EXPECT_EQ(main->windowTitle(), "Tovrel SES 1.1.");
    EXPECT_TRUE(enabled(Command::ProjCreate));
    EXPECT_FALSE(enabled(Command::ProjEdit));
    EXPECT_FALSE(enabled(Command::VarDelete));
    ASSERT_NE(main->action(Command::CtrlSelect), nullptr);
    EXPECT_FALSE(enabled(Command::CtrlSelect)); // no solar battery chosen
    EXPECT_FALSE(enabled(Command::VarAdd));

    ProjectFields f = main->shell().newProjectFields();
    ASSERT_TRUE(main->shell().createProject(f));
    main->refreshAll();
    EXPECT_EQ(main->windowTitle(), "Tovrel SES 1.1. Проект 1.");
    EXPECT_TRUE(enabled(Command::ProjEdit));
    EXPECT_FALSE(enabled(Command::ProjOpen));
    f = main->shell().newProjectFields();
    ASSERT_TRUE(main->shell().createProject(f));
    ASSERT_TRUE(add(tbl("project1"), {{"VarName", "В"}}));
    EXPECT_TRUE(enabled(Command::ProjOpen));
    EXPECT_TRUE(enabled(Command::VarDelete)); // recomputed on the variant change
    EXPECT_TRUE(enabled(Command::VarSaveAs));
}

TEST_F(WindowTest, ProjectDialogRefusesAnEmptyName) {
    TProjForm& form = main->projForm();
    ProjectFields f = main->shell().newProjectFields();
    form.load(f);
    form.findChild<QLineEdit*>()->setText("");
    form.accept();
    EXPECT_EQ(prompter.last(), "Заполнение поля \"Наименование проекта\" обязательно.");
    EXPECT_EQ(form.result(), 0);
    form.findChild<QLineEdit*>()->setText("Дом");
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.values().name, "Дом");
}

TEST(MainWindow, DemoProjectFillsEveryTab) {
    ensureApp();
    QTemporaryDir tmp;
    initDataDirectory(tmp.path());
    auto store = Store::open(tmp.path());
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    TMainForm main(dm, prompter);
    buildDemoProject(main.shell());
    main.refreshAll();
    EXPECT_EQ(main.windowTitle(), "Tovrel SES 1.1. Пример: дача и метеостанция.");
    EXPECT_EQ(main.tabs()->count(), 7);
    QStringList menus;
    for (QAction* a : main.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus,
              QStringList({"Проект", "Вариант", "Нагрузка", "Инвертор", "СБ", "Контроллер", "АБ",
                           "Кабели", "Защита", "Справочники", "Параметры", "Помощь", "Выход"}));
    EXPECT_TRUE(main.action(Command::VarSaveAs)->isEnabled());
    EXPECT_TRUE(main.action(Command::CtrlSelect)->isEnabled());
    EXPECT_TRUE(main.action(Command::CableSelect)->isEnabled());
    EXPECT_TRUE(main.action(Command::BreakerSelect)->isEnabled());
    EXPECT_TRUE(main.action(Command::FuseSelect)->isEnabled());
    EXPECT_TRUE(prompter.entries().empty());

    // The required power names the month that governs it; nothing falls short in the demo.
    const auto label = [&](const char* name) { return main.findChild<QLabel*>(name); };
    EXPECT_EQ(label("sbGoverns")->text(),
              "Требуемую мощность определяет месяц: сентябрь, E = 3,33 кВт*ч/(м2*день).");
    EXPECT_TRUE(label("sbShortfall")->isHidden());
    EXPECT_TRUE(label("akbShortfall")->isHidden());
    // Panels or a battery short of the requirement are said on their tabs.
    View& v = dm.tblProj1();
    ASSERT_TRUE(v.edit());
    v["PTotal_SP"].setFloat(2000);
    v["Cfakt_AKB"].setFloat(200);
    ASSERT_TRUE(v.post());
    main.refreshAll();
    EXPECT_FALSE(label("sbShortfall")->isHidden());
    EXPECT_EQ(label("sbShortfall")->text(),
              "Мощность панелей СБ 2000 Вт меньше требуемой 2231 Вт.");
    EXPECT_EQ(label("akbShortfall")->text(), "Емкость АБ 200 А*ч меньше требуемой 267,91 А*ч.");
}

// The demo with its main window, as the program starts with it.
struct Demo : DemoWindows {
    Demo() { main.refreshAll(); }
};

// "Общая нагрузка по месяцам года..." on the summer house: the window opens modally on the first
// month of its schedules, and another month recomputes what depends on the month.
TEST(MainWindow, MonthlyTotalsOpenOnTheDemoAndFollowTheMonth) {
    Demo demo;
    TDataModule1& dm = demo.dm;
    TMainForm& main = demo.main;
    RecordingPrompter& prompter = demo.prompter;
    QAction* command = main.action(Command::LoadMonthly);
    ASSERT_NE(command, nullptr);
    ASSERT_TRUE(command->isEnabled());

    TNagrDopF* seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = dynamic_cast<TNagrDopF*>(QApplication::activeModalWidget());
        if (seen)
            seen->reject();
    });
    command->trigger();
    ASSERT_NE(seen, nullptr);
    TNagrDopF& totals = *seen;
    EXPECT_EQ(totals.windowTitle(), "Общая нагрузка солнечной электростанции по месяцам.");
    EXPECT_EQ(totals.monthBox()->count(), 6);
    EXPECT_EQ(totals.monthBox()->currentText(), "апрель");
    TotalsPages* pages = totals.pages();
    // Six consumers of three schedules (two AC loads and the DC alarm), then "Итого".
    StringGrid* consumers = pages->consumerGrid();
    ASSERT_EQ(consumers->rowCount(), 1 + 6 + 1);
    EXPECT_EQ(consumers->cell(0, 6), "Нагрузка АБ");
    EXPECT_EQ(consumers->cell(2, 7), "Итого");
    EXPECT_EQ(consumers->cell(3, 7), "1082");
    EXPECT_EQ(totals.progress()->value(), 0);
    EXPECT_EQ(pages->timeField()->text(), "0");

    const TotalsInput in = readTotalsInput(dm, dm.tblProj1()["Kod"].asInteger());
    const auto darkEnergy = [&](const QString& month) {
        return monthTotals(in, month, {}).combined.darkEnergy;
    };
    QLineEdit* dark = pages->figure("Wбс, Вт*ч:");
    ASSERT_NE(dark, nullptr);
    ASSERT_TRUE(darkEnergy("апрель") && darkEnergy("июнь"));
    ASSERT_NE(*darkEnergy("апрель"), *darkEnergy("июнь")); // the nights differ
    EXPECT_NEAR(parseNumber(dark->text()).value_or(-1), *darkEnergy("апрель"), 0.005);
    totals.monthBox()->setCurrentText("июнь");
    EXPECT_NEAR(parseNumber(dark->text()).value_or(-1), *darkEnergy("июнь"), 0.005);

    // The pump's switch-on: the running consumers with their peaks, and the remark found in the
    // peak detail.
    pages->setTime(12);
    EXPECT_EQ(pages->hoursMinutesField()->text(), "12:00");
    EXPECT_EQ(pages->runningNominal()->text(), "922");
    EXPECT_EQ(pages->runningPeak()->text(), "3772");
    ASSERT_TRUE(pages->findPeakButton()->isEnabled());
    ASSERT_TRUE(pages->findPeakRemark());
    StringGrid* peaks = pages->peakDetailGrid();
    EXPECT_EQ(peaks->cell(peaks->currentColumn(), 0), "12");
    EXPECT_EQ(peaks->cell(2, peaks->currentRow() + 1), "Итого");
    EXPECT_TRUE(prompter.entries().empty());

    // The parameters stay for the next opening.
    pages->bigShareField()->setText("20");
    QTimer::singleShot(0, [&] { totals.reject(); });
    command->trigger();
    EXPECT_EQ(pages->bigShareField()->text(), "20");
    EXPECT_EQ(pages->bigPowerField()->text(), "216,4");
}

// "Информация..." of the summer house's consumer dialog opens the information window over the
// schedule the dialog shows.
TEST(MainWindow, ConsumerDialogInformationOpensTheScheduleWindowOnTheDemo) {
    Demo demo;
    TDataModule1& dm = demo.dm;
    TMainForm& main = demo.main;
    RecordingPrompter& prompter = demo.prompter;
    dm.tblProj_Inv().first();
    TCreateSGF dialog(dm, prompter, true, &main);
    dialog.loadForTour(tourScheduleInputs(dm, true));
    connectScheduleInfo(dialog, dm, prompter);
    QPushButton* info = dialog.commandButton(TCreateSGF::Info);
    ASSERT_TRUE(info->isEnabled());

    QString caption, schedule, firstConsumer, pnom;
    int consumers = 0;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TSutGrDopF*>(QApplication::activeModalWidget());
        if (!window)
            return;
        caption = window->windowTitle();
        schedule = window->request().schedule;
        StringGrid* grid = window->pages()->consumerGrid();
        consumers = grid->rowCount() - 2; // without the titles and "Итого"
        firstConsumer = grid->cell(0, 1);
        pnom = window->pages()->figure("Номинальная выходная мощность, Вт:")->text();
        window->reject();
    });
    info->click();
    EXPECT_EQ(caption, "Дополнительная информация по суточному графику.");
    EXPECT_EQ(schedule, "Летний сезон");
    EXPECT_EQ(consumers, 4);
    EXPECT_EQ(firstConsumer, "Холодильник бытовой");
    EXPECT_EQ(pnom, dialog.pnomField()->text());
}

QStringList lines(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList seriesNames(const QChartView* view) {
    QStringList out;
    for (QAbstractSeries* s : view->chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(s))
            for (QBarSet* set : bars->barSets())
                out << set->label();
        else
            out << s->name();
    }
    return out;
}

// "Графики..." and "Диаграммы..." of both dispatchers open the window of their side with the
// load's caption and its schedules, all ticked and drawn.
TEST(DispatcherCharts, BothDispatchersOpenTheWindowsOfTheirSide) {
    Demo demo;
    struct Seen {
        QString window, caption;
        QStringList schedules, notes, series;
    };
    const auto press = [&](LoadDispatcher& d, LoadDispatcher::Command c) {
        Seen seen;
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<ScheduleViewer*>(QApplication::activeModalWidget());
            if (!w)
                return;
            seen.window = w->objectName();
            seen.caption = w->captionLabel()->text();
            seen.schedules = lines(w->scheduleList());
            seen.notes = lines(w->notesBox());
            if (auto* g = qobject_cast<TSutGrafF*>(w))
                seen.series = seriesNames(g->chartView());
            if (auto* g = qobject_cast<TSutDiagF*>(w))
                seen.series = seriesNames(g->figuresView());
            w->reject();
        });
        QPushButton* b = d.commandButton(c);
        EXPECT_FALSE(b->isHidden());
        EXPECT_TRUE(b->isEnabled());
        b->click();
        return seen;
    };
    const QString house = "Нагрузка переменного напряжения: Дом: освещение и быт.";
    const QString dc = "Нагрузка постоянного напряжения АБ.";
    for (const bool ac : {true, false}) {
        SCOPED_TRACE(ac ? "AC" : "DC");
        LoadDispatcher& d =
            ac ? static_cast<LoadDispatcher&>(demo.main.acDispatcher()) : demo.main.dcDispatcher();
        d.prepareForTour();
        d.show();
        const QString name = ac ? "Летний сезон" : "Охранная сигнализация";
        const Seen charts = press(d, LoadDispatcher::Charts);
        EXPECT_EQ(charts.window, "TSutGrafF");
        EXPECT_EQ(charts.caption, ac ? house : dc);
        EXPECT_EQ(charts.schedules, QStringList{name});
        EXPECT_EQ(charts.notes, QStringList{name + ": P1 = f(T)."});
        EXPECT_EQ(charts.series, QStringList{"P1 = f(T)"});
        const Seen diagrams = press(d, LoadDispatcher::Diagrams);
        EXPECT_EQ(diagrams.window, "TSutDiagF");
        EXPECT_EQ(diagrams.caption, ac ? house : dc);
        EXPECT_EQ(diagrams.schedules, QStringList{name});
        EXPECT_EQ(diagrams.notes, QStringList{"1 - " + name + "."});
        EXPECT_EQ(diagrams.series, QStringList{"Wp_сут., Втч"});
        d.hide();
    }
    EXPECT_EQ(demo.main.scheduleCharts().windowTitle(), "Просмотр суточных графиков нагрузки.");
    EXPECT_EQ(demo.main.parameterDiagrams().windowTitle(),
              "Просмотр диаграмм расчетных параметров суточных графиков нагрузки.");
    EXPECT_TRUE(demo.prompter.entries().empty());
}

// The ticks, "Обновить" and "Автообновление", the boxes and the month names over the demo
// station's DC schedule (all year), and the reports block by block.
TEST(DispatcherCharts, RefreshFollowsTheTicksAndTheReportsFollowTheBoxes) {
    Demo demo;
    demo.dm.tblProj1().next(); // the weather station
    TSutDiagF& diag = demo.main.parameterDiagrams();
    diag.setSide("Нагрузка постоянного напряжения АБ.", "12");
    diag.show();
    QListWidgetItem* item = diag.scheduleList()->item(0);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), "Датчики, регистратор, связь");
    EXPECT_EQ(diag.figuresView()->chart()->series().size(), 1);
    EXPECT_TRUE(diag.darkView()->chart()->series().isEmpty()); // its box is not ticked

    // The energy without sun: twelve bars, the month names cut to 3 letters, then whole.
    diag.parameterBox(1)->setChecked(true);
    ASSERT_EQ(diag.darkView()->chart()->series().size(), 1);
    auto* months =
        qobject_cast<QBarCategoryAxis*>(diag.darkView()->chart()->axes(Qt::Horizontal)[0]);
    ASSERT_TRUE(months);
    EXPECT_EQ(months->categories().first(), "янв");
    EXPECT_EQ(months->categories().size(), 12);
    diag.limitBox()->setChecked(false);
    EXPECT_FALSE(diag.charsBox()->isEnabled());
    months = qobject_cast<QBarCategoryAxis*>(diag.darkView()->chart()->axes(Qt::Horizontal)[0]);
    EXPECT_EQ(months->categories().at(8), "сентябрь");

    RecordingReportWriter w;
    diag.writeReport(w);
    QStringList expected = {"open", "title: Диаграмма расчетных параметров суточных графиков.\r\r",
                            "picture 640x360",
                            "text: Обозначение суточных графиков на диаграмме:\r- 1 - Датчики, "
                            "регистратор, связь.\r"};
    for (const QString& t : diagramParameterReportTexts(diag.boxes()))
        expected << "text: " + t;
    expected << "title: \rДиаграмма потребления электроэнергии в периоды времени суток \"без "
                "солнца\".\r\r"
             << "picture 640x360" << expected[3];
    EXPECT_EQ(w.summary(), expected);
    diag.parameterBox(1)->setChecked(false);
    w.clear();
    diag.writeReport(w);
    EXPECT_EQ(w.summary().size(), 6); // one diagram, one parameter named

    // Without auto-refresh a change empties the charts until "Обновить".
    diag.autoRefreshBox()->setChecked(false);
    diag.parameterBox(2)->setChecked(true);
    EXPECT_TRUE(diag.figuresView()->chart()->series().isEmpty());
    diag.refreshButton()->click();
    EXPECT_EQ(seriesNames(diag.figuresView()), QStringList({"Wp_сут., Втч", "Pном., Вт"}));
    // Unticking every schedule disables "Обновить" and leaves the charts empty.
    diag.autoRefreshBox()->setChecked(true);
    item->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(diag.refreshButton()->isEnabled());
    EXPECT_TRUE(diag.figuresView()->chart()->series().isEmpty());
    EXPECT_TRUE(diag.notesBox()->count() == 0);
    // Reopened, every schedule is ticked again; the options stay.
    diag.hide();
    diag.show();
    EXPECT_EQ(diag.scheduleList()->item(0)->checkState(), Qt::Checked);
    EXPECT_TRUE(diag.parameterBox(2)->isChecked());
    EXPECT_EQ(diag.figuresView()->chart()->series().size(), 1);
    diag.hide();

    TSutGrafF& graf = demo.main.scheduleCharts();
    graf.setSide("Нагрузка постоянного напряжения АБ.", "12");
    graf.show();
    graf.columnsBox()->setValue(3);
    w.clear();
    graf.writeReport(w);
    EXPECT_EQ(
        w.summary(),
        QStringList({"open", "title: Суточные графики варианта расчета.\r\r", "picture 640x360",
                     "text: Обозначение суточных графиков.\r- Датчики, регистратор, "
                     "связь: P1 = f(T).\r"}));
    graf.hide();
    EXPECT_TRUE(demo.prompter.entries().empty());
}

// The battery analysis over the demo's two variants: the summer house by the switching-time
// method (mode 2), the weather station by the profile (mode 1).
TEST(BatteryAnalysisWindow, ShowsEachDemoVariantAndTheStoredFigureWhenItDiffers) {
    ensureApp();
    QTemporaryDir tmp;
    initDataDirectory(tmp.path());
    auto store = Store::open(tmp.path());
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    TMainForm main(dm, prompter);
    buildDemoProject(main.shell());
    ASSERT_TRUE(main.action(Command::AkbAnalysis));
    main.refreshAll();
    EXPECT_TRUE(main.action(Command::AkbAnalysis)->isEnabled());
    TAnalAkbF& form = main.batteryAnalysis();
    EXPECT_EQ(form.windowTitle(), "Анализ выбора аккумуляторной батареи.");

    struct Expected {
        const char* variant;
        QStringList months;
        QString capacity;
    };
    const std::vector<Expected> cases = {
        {"Дача (апрель - сентябрь)",
         {"апрель", "май", "июнь", "июль", "август", "сентябрь"},
         "267,91"},
        {"Метеостанция (круглый год)",
         {"январь", "февраль", "март", "апрель", "май", "июнь", "июль", "август", "сентябрь",
          "октябрь", "ноябрь", "декабрь"},
         "198,36"},
    };
    View& v = dm.tblProj1();
    v.first();
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.variant);
        ASSERT_EQ(v["VarName"].asString(), e.variant);
        form.load();
        const StringGrid* energy = form.energyGrid();
        const StringGrid* capacity = form.capacityGrid();
        // Months with data only, the same in both tables.
        ASSERT_EQ(energy->colCount(), 2 + e.months.size());
        ASSERT_EQ(capacity->colCount(), 1 + e.months.size());
        for (int m = 0; m < e.months.size(); ++m) {
            EXPECT_EQ(energy->cell(2 + m, 0), e.months[m]);
            EXPECT_EQ(capacity->cell(1 + m, 0), e.months[m]);
        }
        EXPECT_EQ(energy->cell(0, energy->rowCount() - 1), " Итого");
        // The result is the largest С, in the one turquoise cell of the capacity table.
        EXPECT_EQ(form.resultField()->text(), e.capacity);
        const int cRow = capacity->rowCount() - 1;
        int turquoise = 0;
        for (int c = 1; c < capacity->colCount(); ++c)
            if (capacity->item(cRow, c)->background().color() == QColor(0, 255, 255)) {
                ++turquoise;
                EXPECT_EQ(capacity->cell(c, cRow), e.capacity);
            }
        EXPECT_EQ(turquoise, 1);
        // The chain stored the same figure: no line under the result, no refusal.
        EXPECT_TRUE(form.storedLine()->isHidden());
        EXPECT_TRUE(form.errorLine()->isHidden());
        // Fits the work area of a 1366 x 768 screen with its title bar.
        form.show();
        EXPECT_LE(form.frameGeometry().height(), 728);
        EXPECT_LE(form.height() + 30, 728);
        EXPECT_LE(form.width(), 1366);
        form.hide();

        RecordingReportWriter w;
        form.writeReport(w);
        const QStringList summary = w.summary();
        EXPECT_EQ(
            summary.mid(0, 3),
            QStringList({"open", "title: Анализ выбора аккумуляторной батареи.\r\r", "pairs 1"}));
        EXPECT_EQ(w.blocks()[2].rows[0], QStringList({"Расчетная емкость АБ, А*ч:", e.capacity}));
        EXPECT_EQ(summary[3], "heading: \r" + analysisEnergyHeading() + "\r");
        EXPECT_EQ(summary[4],
                  QString("grid %1x%2").arg(energy->rowCount()).arg(energy->colCount()));
        EXPECT_EQ(summary[5], "text: " + analysisEnergyNote() + "\r");
        EXPECT_EQ(summary[6], "heading: \r" + analysisCapacityHeading() + "\r");
        EXPECT_EQ(summary[7], QString("grid 11x%1").arg(capacity->colCount()));
        EXPECT_TRUE(summary[8].startsWith("text: В строке таблицы \"Спр.\""));
        EXPECT_EQ(summary.size(), 9);
        v.next();
    }

    // A stored figure other than the analysis is named under the result, and in the report.
    v.first();
    ASSERT_TRUE(v.edit());
    v["Cras_AKB"].setFloat(100.5);
    ASSERT_TRUE(v.post());
    form.load();
    EXPECT_FALSE(form.storedLine()->isHidden());
    EXPECT_EQ(form.storedLine()->text(),
              "Емкость АБ, записанная в варианте расчета (по параметрам суточных графиков), "
              "А*ч: 100,5");
    RecordingReportWriter w;
    form.writeReport(w);
    EXPECT_EQ(w.summary()[3], "text: " + form.storedLine()->text() + "\r");
    // Without a system voltage there is no capacity: the window names what to fix.
    ASSERT_TRUE(v.edit());
    v["Uses"].setFloat(0);
    ASSERT_TRUE(v.post());
    form.load();
    EXPECT_EQ(form.resultField()->text(), "");
    EXPECT_FALSE(form.errorLine()->isHidden());
    EXPECT_EQ(form.errorLine()->text(),
              "Напряжение системы должно быть больше 0: емкость АБ не рассчитана.");
    EXPECT_TRUE(prompter.entries().empty());
}

// The weather station (the second variant) loses its battery: its scheme can no longer be drawn.
void takeStationBattery(TDataModule1& dm) {
    View& v = dm.tblProj1();
    const qint64 current = v["Kod"].asInteger();
    v.first();
    v.next();
    ASSERT_TRUE(v.edit());
    v["Tip_AKB"].clear();
    v["Name_AKB"].clear();
    ASSERT_TRUE(v.post());
    v.first();
    while (v["Kod"].asInteger() != current)
        v.next();
}

QStringList errors(const RecordingPrompter& p) {
    QStringList result;
    for (const auto& e : p.entries())
        if (e.kind == RecordingPrompter::Kind::Error)
            result << e.text;
    return result;
}

// The calculated generation of the summer house: a column per month with loads, the chart of
// the ticked rows redrawn by itself or on "Обновить", cleared on leaving; the report's blocks.
TEST(GenerationWindow, ShowsTheDemoChartsTheTickedRowsAndWritesItsReport) {
    Demo demo;
    TMainForm& main = demo.main;
    ASSERT_TRUE(main.action(Command::VarGeneration));
    EXPECT_TRUE(main.action(Command::VarGeneration)->isEnabled());
    TVurabFrm& form = main.generationForm();
    ASSERT_TRUE(form.load());
    const StringGrid* grid = form.grid();
    ASSERT_EQ(grid->rowCount(), 11);
    EXPECT_EQ(grid->cell(0, 0), "Параметр");
    EXPECT_EQ(grid->cell(0, 10), "Кпроизв.");
    ASSERT_EQ(grid->colCount(), 1 + 6); // April to September
    EXPECT_EQ(grid->cell(1, 0), "апрель");
    EXPECT_EQ(grid->cell(6, 0), "сентябрь");
    // The month's figures agree with one another as shown: Wмес. = Wсут. x days.
    const GenerationColumn& june = form.table().columns[2];
    EXPECT_EQ(june.month, "июнь");
    EXPECT_EQ(grid->cell(3, 7), numberToText(june.values[0] * 30));
    EXPECT_TRUE(form.refusalLine()->isHidden());

    // Two series by default; a third box adds one at once, none without "Автообновление".
    auto seriesCount = [&] {
        const auto series = form.chart()->chart()->series();
        return series.isEmpty() ? 0 : int(static_cast<QBarSeries*>(series[0])->count());
    };
    EXPECT_EQ(seriesCount(), 2);
    form.parameterBox(0)->setChecked(true);
    EXPECT_EQ(seriesCount(), 3);
    form.autoUpdate()->setChecked(false);
    form.parameterBox(0)->setChecked(false);
    EXPECT_EQ(seriesCount(), 3);
    form.updateButton()->click();
    EXPECT_EQ(seriesCount(), 2);
    QEvent leave(QEvent::WindowDeactivate);
    QApplication::sendEvent(&form, &leave);
    EXPECT_TRUE(form.isChartEmpty());
    form.autoUpdate()->setChecked(true);

    RecordingReportWriter w;
    form.writeReport(w);
    const QStringList summary = w.summary();
    ASSERT_EQ(summary.size(), 9);
    EXPECT_EQ(summary[1], "title: Таблица расчетной выработки солнечной электростанции.\r\r");
    EXPECT_EQ(summary[2], "grid 11x7");
    EXPECT_TRUE(summary[3].startsWith("text: Примечание.\rWсут., кВтч - суточная"));
    EXPECT_TRUE(summary[3].endsWith("о.е.\r\r"));
    EXPECT_EQ(summary[4], "title: Диаграммы расчетной выработки солнечной электростанции.\r\r");
    EXPECT_TRUE(summary[5].startsWith("picture "));
    EXPECT_EQ(summary[6], "text: Обозначение расчетных параметров на диаграмме:\r");
    EXPECT_EQ(summary[7], "text: " + generationNoteLines()[6] + "\r");
    EXPECT_EQ(summary[8], "text: " + generationNoteLines()[8] + "\r");
    EXPECT_TRUE(demo.prompter.entries().empty());

    // Without a formed solar battery the window is refused with a message and stays closed.
    View& v = demo.dm.tblProj1();
    ASSERT_TRUE(v.edit());
    v["PTotal_SP"].clear();
    ASSERT_TRUE(v.post());
    main.run(Command::VarGeneration);
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(errors(demo.prompter).size(), 1);
    EXPECT_TRUE(errors(demo.prompter)[0].startsWith("Солнечная батарея варианта не сформирована"));
}

// The analysis of each demo variant explains the power and tilt the chain stored; the colours of
// its cells, the chart only after a search, the report's blocks.
TEST(SolarAnalysisWindow, ExplainsTheStoredPowerOfEachDemoVariant) {
    Demo demo;
    TMainForm& main = demo.main;
    ASSERT_TRUE(main.action(Command::SbAnalysis));
    EXPECT_TRUE(main.action(Command::SbAnalysis)->isEnabled());
    TAnalSBFm& form = main.solarAnalysisForm();
    View& v = demo.dm.tblProj1();
    v.first();
    for (int variant = 0; variant < 2; ++variant, v.next()) {
        SCOPED_TRACE(v["VarName"].asString().toStdString());
        form.load();
        const SolarAnalysis& a = form.analysis();
        ASSERT_FALSE(a.refusal);
        EXPECT_EQ(form.powerField()->text(), numberToText(v["Pras_SP"].asFloat()));
        EXPECT_EQ(form.tiltField()->text(), numberToText(v["B"].asFloat()));
        EXPECT_EQ(form.isChartEmpty(), !a.searched);
        // The largest total is aqua; with a search one power is yellow and one lime green.
        const StringGrid* q = form.requirementGrid();
        const int total = q->rowCount() - 1;
        EXPECT_EQ(q->cell(0, total), "Итого");
        int aqua = 0;
        for (int c = 2; c < q->colCount(); ++c)
            if (q->cellBackground(c, total) == QColor(0, 255, 255)) {
                ++aqua;
                EXPECT_EQ(q->cell(c, 0), a.monthText());
            }
        EXPECT_EQ(aqua, 1);
        const StringGrid* sm = form.summaryGrid();
        EXPECT_EQ(sm->rowCount(), a.searched ? 6 : 4);
        int yellow = 0, lime = 0;
        for (int r = 1; r < sm->rowCount(); ++r)
            for (int c = 2; c < sm->colCount(); ++c) {
                yellow += sm->cellBackground(c, r) == QColor(255, 255, 0);
                lime += sm->cellBackground(c, r) == QColor(0, 255, 0);
            }
        EXPECT_EQ(yellow, a.searched ? 1 : 0);
        EXPECT_EQ(lime, a.searched ? 1 : 0);
        EXPECT_EQ(form.noteLine()->text(), a.note());

        RecordingReportWriter w;
        form.writeReport(w);
        const QStringList s = w.summary();
        ASSERT_EQ(s.size(), a.searched ? 15 : 12);
        EXPECT_EQ(s[1], "heading: Анализ выбора солнечной батареи.\r\r");
        EXPECT_EQ(s[3], QString("grid %1x%2").arg(q->rowCount()).arg(q->colCount()));
        EXPECT_EQ(s[5], "text: Результаты предварительного выбора.\rМесяц года: " + a.monthText() +
                            ".\rПредварительная расчетная мощность СБ: Рсб = " +
                            form.preliminaryPowerField()->text() +
                            " Вт.\rПредварительный угол наклона панелей СБ: В = " +
                            form.preliminaryTiltField()->text() + " град.\r\r");
        EXPECT_EQ(s[7], QString("grid %1x%2").arg(sm->rowCount()).arg(sm->colCount()));
        if (a.searched) {
            EXPECT_TRUE(s[11].startsWith("picture "));
        }
        EXPECT_EQ(s.back(), "text: " + a.exportNote() + "\r\r");
    }
    EXPECT_TRUE(demo.prompter.entries().empty());
}

// The summer house's array schemes: every array checked on opening, the basis from the program's
// settings, the controls each annotation enables, the picture held back without
// "Автообновление", a scale too large refused with the largest that draws, the report's blocks.
TEST(SchemeViewWindow, OpensOnEveryArrayAndFollowsItsSettings) {
    Demo demo;
    TMainForm& main = demo.main;
    ASSERT_TRUE(main.action(Command::SbScheme));
    EXPECT_TRUE(main.action(Command::SbScheme)->isEnabled());
    View& param = demo.dm.tblParam();
    ASSERT_TRUE(param.isEmpty() ? param.append() : param.edit());
    param["Score_Isp"].setInteger(1);
    ASSERT_TRUE(param.post());

    TViewSPF& form = main.solarSchemeView();
    form.load();
    EXPECT_TRUE(form.shortCircuit());
    EXPECT_EQ(form.title()->text(), "Распределение токов короткого замыкания панелей.");
    ASSERT_EQ(form.arrayList()->count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(form.arrayList()->item(i)->checkState(), Qt::Checked);
    EXPECT_FALSE(form.pane()->picture().isNull());
    EXPECT_FALSE(form.sectionBox()->isEnabled());
    EXPECT_FALSE(form.connectorNote()->isEnabled());
    EXPECT_EQ(form.sectionBox()->currentText(), "4");

    form.setAnnotation(SchemeAnnotation::Sections);
    EXPECT_TRUE(form.sectionBox()->isEnabled());
    EXPECT_EQ(form.title()->text(),
              "Рекомендуемые сечения кабелей (проводов) при токах короткого замыкания панелей.");
    // The smallest section chosen here is kept for the run.
    form.sectionBox()->setCurrentText("6");
    EXPECT_EQ(minimumStringSection(), 6);
    EXPECT_EQ(form.annotations().label(1), "6 мм2");
    form.sectionBox()->setCurrentText("4");
    form.setAnnotation(SchemeAnnotation::Connectors);
    EXPECT_FALSE(form.sectionBox()->isEnabled());
    EXPECT_TRUE(form.connectorNote()->isEnabled());

    // Without "Автообновление" a change clears the picture until "Обновить".
    form.autoBox()->setChecked(false);
    form.setAnnotation(SchemeAnnotation::Currents);
    EXPECT_TRUE(form.pane()->picture().isNull());
    form.redraw();
    EXPECT_FALSE(form.pane()->picture().isNull());
    form.arrayList()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(form.pane()->picture().isNull());
    form.autoBox()->setChecked(true);
    // No array checked: an empty picture.
    form.arrayList()->item(1)->setCheckState(Qt::Unchecked);
    form.redraw();
    EXPECT_TRUE(form.pane()->picture().isNull());
    EXPECT_TRUE(form.pane()->message().isEmpty());
    form.arrayList()->item(0)->setCheckState(Qt::Checked);
    form.arrayList()->item(1)->setCheckState(Qt::Checked);
    form.redraw();

    // A scale of 0 is refused with the validated-entry message and clears the picture.
    form.pane()->scaleField()->setText("0");
    emit form.pane()->scaleField()->editingFinished();
    ASSERT_EQ(errors(demo.prompter).size(), 1);
    EXPECT_TRUE(errors(demo.prompter)[0].contains("масштаба отображения солнечных панелей"))
        << errors(demo.prompter)[0].toStdString();
    EXPECT_TRUE(form.pane()->picture().isNull());
    demo.prompter.clear();
    form.redraw();
    EXPECT_FALSE(form.pane()->picture().isNull());
    // A scale whose picture would be too large is refused with the largest one that draws.
    form.pane()->scaleField()->setText("5000");
    emit form.pane()->scaleField()->editingFinished();
    EXPECT_TRUE(form.pane()->picture().isNull());
    EXPECT_TRUE(form.pane()->message().contains("слишком велик"));
    const QRegularExpression largest("Наибольший масштаб, при котором рисунок строится: (\\d+) ");
    const auto m = largest.match(form.pane()->message());
    ASSERT_TRUE(m.hasMatch()) << form.pane()->message().toStdString();
    const int fits = m.captured(1).toInt();
    const QSize at = form.layout(fits).size, above = form.layout(fits + 1).size;
    EXPECT_LE(std::max(at.width(), at.height()), 8000);
    EXPECT_GT(std::max(above.width(), above.height()), 8000);
    form.pane()->scaleField()->setText("40");
    emit form.pane()->scaleField()->editingFinished();
    EXPECT_FALSE(form.pane()->picture().isNull());

    RecordingReportWriter w;
    form.writeReport(w);
    const QStringList s = w.summary();
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[1], "heading: Распределение токов короткого замыкания панелей.\r");
    EXPECT_EQ(s[2], QString("picture %1x%2")
                        .arg(form.pane()->picture().width())
                        .arg(form.pane()->picture().height()));
    EXPECT_EQ(s[3], "text: \r");
    EXPECT_TRUE(errors(demo.prompter).isEmpty());
}

TEST(SchemePane, DrawsACompleteVariantAndStaysClearedWithoutABattery) {
    Demo demo;
    takeStationBattery(demo.dm);
    demo.main.refreshAll();
    SchemeView* pane = demo.main.schemePane();
    EXPECT_FALSE(pane->isCleared());
    EXPECT_GT(pane->image().width(), 300);
    EXPECT_TRUE(demo.main.action(Command::VarScheme)->isEnabled());
    const QSize drawn = pane->image().size();

    // A larger battery scale makes the picture taller; the other variant has no battery.
    demo.main.batteryScaleField()->setText("140");
    demo.main.redrawScheme();
    EXPECT_GT(pane->image().height(), drawn.height());
    demo.dm.tblProj1().next();
    EXPECT_TRUE(pane->isCleared());
    EXPECT_EQ(pane->image().size(), QSize(50, 50));
    EXPECT_FALSE(demo.main.action(Command::VarScheme)->isEnabled());
    demo.dm.tblProj1().first();
    EXPECT_FALSE(pane->isCleared());
    EXPECT_TRUE(demo.prompter.entries().empty());
}

TEST(SchemePane, InvalidOrHugeScalesAreToldAndKeepThePicture) {
    Demo demo;
    demo.main.refreshAll();
    SchemeView* pane = demo.main.schemePane();
    const QImage before = pane->image();
    ASSERT_FALSE(pane->isCleared());

    struct Case {
        const char *panels, *battery;
        QString message; // the start of the message
    };
    const Case cases[] = {
        {"0", "70", "Значение масштаба отображения солнечных панелей должно быть больше 0."},
        {"40", "", "Введите значение масштаба отображения АБ."},
        {"40", "7,5", "\"7,5\" - некорректное значение для масштаба отображения АБ."},
        {"4000", "70", "Рисунок размером"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.panels + std::string(" / ") + c.battery);
        demo.prompter.clear();
        demo.main.panelScaleField()->setText(c.panels);
        demo.main.batteryScaleField()->setText(c.battery);
        demo.main.redrawScheme();
        ASSERT_EQ(errors(demo.prompter).size(), 1);
        EXPECT_TRUE(errors(demo.prompter)[0].startsWith(c.message))
            << errors(demo.prompter)[0].toStdString();
        EXPECT_EQ(pane->image(), before);
    }
    EXPECT_TRUE(errors(demo.prompter)[0].contains("\"Масштаб СП, пиксель/м:\" (сейчас 4000)"));
}

TEST(SchemeWindow, TakesTheMainScalesRefreshesOnlyOnUpdateAndExports) {
    Demo demo;
    demo.main.panelScaleField()->setText("50");
    demo.main.currentsBox()->setChecked(true);
    demo.main.refreshAll();
    const qint64 kod = demo.dm.tblProj1()["Kod"].asInteger();
    TShemaFrm& form = demo.main.schemeForm();
    EXPECT_EQ(form.windowTitle(), "Просмотр схемы СЭ.");
    form.prepare(demo.main.panelScaleField()->text(), demo.main.batteryScaleField()->text(),
                 demo.main.currentsBox()->isChecked(), kod);
    EXPECT_EQ(form.panelScale()->text(), "50");
    EXPECT_EQ(form.batteryScale()->text(), "70");
    EXPECT_TRUE(form.currents()->isChecked());
    // The window shows what the main window's pane shows.
    EXPECT_EQ(form.view()->image(), demo.main.schemePane()->image());
    const QImage shown = form.view()->image();

    // A field or the box alone does not redraw; "Обновить" does, after checking the scales.
    form.currents()->setChecked(false);
    form.panelScale()->setText("30");
    EXPECT_EQ(form.view()->image(), shown);
    form.updateButton()->click();
    EXPECT_NE(form.view()->image().size(), shown.size());
    const QImage smaller = form.view()->image();
    form.batteryScale()->setText("0");
    form.updateButton()->click();
    EXPECT_EQ(errors(demo.prompter),
              QStringList({"Значение масштаба отображения АБ должно быть больше 0."}));
    EXPECT_EQ(form.view()->image(), smaller);

    RecordingReportWriter writer;
    form.writeReport(writer);
    EXPECT_EQ(
        writer.summary(),
        QStringList({"open", "title: Структурная схема солнечной электростанции.\r\r",
                     QStringLiteral("picture %1x%2").arg(smaller.width()).arg(smaller.height()),
                     "text: \r"}));
}

TEST(SchemeComparison, DrawsBothPanesByKeyAndLeavesTheCurrentVariant) {
    Demo demo;
    takeStationBattery(demo.dm);
    View& v = demo.dm.tblProj1();
    v.next(); // the weather station is current
    const qint64 current = v["Kod"].asInteger();
    TComShemF& form = demo.main.schemeComparison();
    EXPECT_EQ(form.windowTitle(), "Сравнение схем вариантов проекта.");
    form.prepare();
    EXPECT_EQ(form.list(0)->count(), 2);
    EXPECT_EQ(form.list(0)->currentText(), "Метеостанция (круглый год)");
    EXPECT_EQ(form.list(1)->currentText(), "Дача (апрель - сентябрь)");
    EXPECT_TRUE(form.view(0)->isCleared()); // no battery
    EXPECT_FALSE(form.view(1)->isCleared());
    EXPECT_EQ(v["Kod"].asInteger(), current);

    // Choosing a variant redraws its pane only; "Обновить" redraws both.
    form.list(0)->setCurrentIndex(0);
    EXPECT_FALSE(form.view(0)->isCleared());
    EXPECT_EQ(form.view(0)->image(), form.view(1)->image());
    form.panelScale()->setText("40");
    form.updateButton()->click();
    EXPECT_GT(form.view(1)->image().width(), form.view(0)->image().width() - 1);
    EXPECT_EQ(v["Kod"].asInteger(), current);
    EXPECT_TRUE(demo.prompter.entries().empty());

    // Two variants of one name are still two: each pane draws the one chosen, not the first of
    // that name.
    ASSERT_TRUE(v.edit());
    v["VarName"].setString("Дача (апрель - сентябрь)");
    ASSERT_TRUE(v.post());
    form.prepare();
    EXPECT_EQ(form.list(0)->itemText(0), form.list(0)->itemText(1));
    EXPECT_EQ(form.list(0)->currentIndex(), 1);
    EXPECT_TRUE(form.view(0)->isCleared());
    EXPECT_FALSE(form.view(1)->isCleared());
}

TEST(SpecWindows, ListsReadByKeyLeaveTheCurrentVariantAndArray) {
    Demo demo;
    View& v = demo.dm.tblProj1();
    v.next(); // the weather station is current, on its second array
    demo.dm.tblProj_Mas().last();
    const qint64 current = v["Kod"].asInteger();
    const int array = demo.dm.tblProj_Mas().recNo();

    TSpecForm& spec = demo.main.specForm();
    spec.rebuild();
    ASSERT_FALSE(spec.rows().empty());
    EXPECT_EQ(spec.grid()->cell(3, 0), "Количество");
    EXPECT_EQ(spec.shownRows().size(), spec.rows().size() + 1);
    EXPECT_EQ(v["Kod"].asInteger(), current);
    EXPECT_EQ(demo.dm.tblProj_Mas().recNo(), array);

    RecordingReportWriter w;
    spec.writeReport(w);
    ASSERT_EQ(w.summary().size(), 5);
    EXPECT_EQ(w.summary()[1], "title: Спецификация оборудования варианта.\r");
    EXPECT_EQ(w.summary()[3], "text: Вариант расчета: Метеостанция (круглый год)\r\r");
    EXPECT_EQ(w.blocks().back().rows, spec.shownRows());
    spec.standardForm()->setChecked(true);
    w.clear();
    spec.writeReport(w);
    EXPECT_EQ(w.blocks().back().rows.front().size(), 9);
    EXPECT_EQ(w.blocks().back().rows.at(1).front(), "1");

    // The comparison: both variants ticked, differing quantities in turquoise; one variant alone
    // has nothing to differ from.
    TComSpecF& cmp = demo.main.specComparison();
    cmp.prepare();
    ASSERT_EQ(cmp.variants()->count(), 2);
    EXPECT_EQ(cmp.grid()->colCount(), 5);
    int turquoise = 0;
    for (int r = 1; r < cmp.grid()->rowCount(); ++r) {
        const bool differs = cmp.rows()[r - 1].differs;
        turquoise += differs;
        EXPECT_EQ(cmp.grid()->cellBackground(3, r), differs ? kTurquoise : QColor(Qt::white));
    }
    EXPECT_GT(turquoise, 0);
    cmp.variants()->item(0)->setCheckState(Qt::Unchecked);
    cmp.refresh();
    EXPECT_EQ(cmp.grid()->colCount(), 4);
    EXPECT_EQ(cmp.grid()->cell(3, 0), "Метеостанция (круглый год)");
    for (const MergedSpecRow& r : cmp.rows())
        EXPECT_FALSE(r.differs);
    cmp.variants()->item(1)->setCheckState(Qt::Unchecked);
    cmp.refresh();
    EXPECT_FALSE(cmp.exportButton()->isEnabled());
    EXPECT_EQ(v["Kod"].asInteger(), current);
    EXPECT_EQ(demo.dm.tblProj_Mas().recNo(), array);
    EXPECT_TRUE(demo.prompter.entries().empty());
}

TEST(SpecWindows, CsvReadsBackAsTheShownCellsAndAFailureLeavesNoFile) {
    Demo demo;
    TSpecForm& spec = demo.main.specForm();
    spec.rebuild();
    QTemporaryDir out;
    const QString path = out.filePath("spec.csv");
    QString proposed;
    spec.saveCsv([&](const QString& p) {
        proposed = p;
        return path;
    });
    // The ":" of the project's name may not stand in a file name.
    EXPECT_TRUE(proposed.endsWith("Спецификация - Пример_ дача и метеостанция - Дача (апрель - "
                                  "сентябрь).csv"))
        << proposed.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("\r\n"));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, QLatin1Char(';'));
    std::vector<QStringList> back;
    QStringList record;
    int line = 0;
    while (reader.next(record, line))
        back.push_back(record);
    EXPECT_TRUE(reader.error().isEmpty());
    EXPECT_EQ(back, spec.shownRows());

    // A folder that does not exist: told, nothing written.
    spec.saveCsv([&](const QString&) { return out.filePath("none/spec.csv"); });
    ASSERT_EQ(demo.prompter.entries().size(), 1u);
    EXPECT_TRUE(demo.prompter.entries()[0].text.startsWith("Не удалось записать файл"));
    EXPECT_FALSE(QFileInfo::exists(out.filePath("none/spec.csv")));
}

TEST(ParamComparisonWindow, ByKeyWithSameNamesAndNothingTicked) {
    Demo demo;
    View& v = demo.dm.tblProj1();
    v.next();
    ASSERT_TRUE(v.edit());
    v["VarName"].setString("Дача (апрель - сентябрь)"); // two variants of one name
    ASSERT_TRUE(v.post());
    const qint64 current = v["Kod"].asInteger();
    TComParVarF& form = demo.main.paramComparison();
    form.prepare();
    ASSERT_EQ(form.variants()->count(), 2);
    // Each column is its own variant: the system voltages differ (24 and 12 V).
    EXPECT_EQ(form.params()->cell(1, 2), "24");
    EXPECT_EQ(form.params()->cell(2, 2), "12");
    EXPECT_EQ(form.params()->cellBackground(1, 2), kTurquoise);
    EXPECT_EQ(form.params()->cellBackground(0, 1), kSilver);
    EXPECT_EQ(form.sun()->colCount(), 5);
    ASSERT_EQ(form.strip()->groups().size(), 3u);
    EXPECT_EQ(form.strip()->groups()[2].first, 3);
    EXPECT_EQ(v["Kod"].asInteger(), current);

    RecordingReportWriter w;
    form.writeReport(w);
    EXPECT_EQ(w.summary().back(), "text: 4, 5 - Дача (апрель - сентябрь).\r");

    for (int i = 0; i < form.variants()->count(); ++i)
        form.variants()->item(i)->setCheckState(Qt::Unchecked);
    form.refresh();
    EXPECT_FALSE(form.exportButton()->isEnabled());
    EXPECT_EQ(form.params()->colCount(), 1);
    EXPECT_EQ(form.temperature()->QTableWidget::rowCount(), 0);
    EXPECT_EQ(v["Kod"].asInteger(), current);
    EXPECT_TRUE(demo.prompter.entries().empty());
}

TEST(OpenProject, PreviewFollowsTheHighlightedVariantWhileTicked) {
    Demo demo;
    takeStationBattery(demo.dm);
    TOpenForm& form = demo.main.openForm();
    form.show();
    EXPECT_TRUE(form.preview()->isCleared());
    form.previewBox()->setChecked(true);
    EXPECT_FALSE(form.preview()->isCleared());
    demo.dm.tblProj1().next();
    EXPECT_TRUE(form.preview()->isCleared());
    demo.dm.tblProj1().first();
    EXPECT_FALSE(form.preview()->isCleared());
    form.previewBox()->setChecked(false);
    EXPECT_TRUE(form.preview()->isCleared());
    form.hide();
}

// The variant test reads the variant by key: the main window's current variant, array and load,
// and the commands they enable, are as they were; each run empties the boxes first.
TEST(VariantTestWindow, LeavesTheCurrentRowsAndCommandsAndShowsRemarks) {
    Demo demo;
    TMainForm& main = demo.main;
    TDataModule1& dm = demo.dm;
    ASSERT_TRUE(main.action(Command::VarTest)->isEnabled());
    EXPECT_EQ(main.action(Command::VarTest)->toolTip(), "Тестирование текущего варианта расчета");
    dm.tblProj1().next();
    ASSERT_GE(dm.tblProj_Mas().recordCount(), 1);
    dm.tblProj_Mas().first();
    dm.tblProj_Inv().first();
    main.refreshAll();
    const QVariant variant = dm.tblProj1().currentKey(), array = dm.tblProj_Mas().currentKey(),
                   load = dm.tblProj_Inv().currentKey();
    std::map<Command, bool> states;
    for (const CommandDef& d : commandTable())
        if (QAction* a = main.action(d.id))
            states[d.id] = a->isEnabled();

    TTestVarF& form = main.variantTest();
    form.load();
    EXPECT_EQ(dm.tblProj1().currentKey(), variant);
    EXPECT_EQ(dm.tblProj_Mas().currentKey(), array);
    EXPECT_EQ(dm.tblProj_Inv().currentKey(), load);
    main.refreshAll();
    for (const auto& [c, on] : states)
        EXPECT_EQ(main.action(c)->isEnabled(), on) << int(c);
    for (int s = 0; s < kTestSectionCount; ++s)
        EXPECT_EQ(form.box(TestSection(s))->toPlainText(), "Замечаний нет.") << s;
    EXPECT_TRUE(form.balance().balance);

    // A device deleted: the numbered remark, and the earlier text gone.
    deleteDevices(dm, DeviceKind::Fuse, Circuit::ArrayController, 0, false);
    form.load();
    const QString protection = form.box(TestSection::Protection)->toPlainText();
    EXPECT_TRUE(protection.startsWith("1. Не выбран автоматический выключатель"))
        << protection.toStdString();
    EXPECT_FALSE(protection.contains("Замечаний нет."));
    RecordingReportWriter w;
    form.writeReport(w);
    const QStringList summary = w.summary();
    EXPECT_EQ(summary[1], "title: Тестирование варианта расчета.\r\r");
    EXPECT_EQ(summary[2], "heading: Нагрузки.\r");
    EXPECT_EQ(summary[3], "text: Замечаний нет.\r\r");
    EXPECT_TRUE(summary.contains("heading: Баланс энергии за год.\r"));
}

TEST(ScreenTour, WritesAPictureOfEveryWindow) {
    ensureApp();
    QTemporaryDir tmp;
    QProcess p;
    p.start(QStringLiteral(SCREENS_TOOL), {tmp.path()});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QByteArray err = p.readAllStandardError();
    ASSERT_EQ(p.exitCode(), 0) << err.toStdString();
    // The tour reports any message a window would have shown; the demo must need none.
    EXPECT_FALSE(err.contains("message:")) << err.toStdString();
    // Nor may any window break the look every window follows: a number aligned left in a field or
    // a cell, a dialog larger than the work area of a 1366 x 768 screen.
    EXPECT_FALSE(err.contains("look:")) << err.toStdString();
    for (const char* name :
         {"TMainForm-1",        "TMainForm-7",    "TMainForm-8",   "TProjForm",
          "TOpenForm",          "TAboutForm",     "TParamFrm",     "TsTempABF",
          "TsTempABF-2",        "TVarForm-1",     "TVarForm-7",    "TVarForm-default-7",
          "TDspNagrF",          "TDspNagr12F",    "TAddSutGrF-2",  "TNagrForm",
          "TCreateSGF-3",       "TCreateSG12F-1", "TPeriodFm",     "TsEPForm",
          "TsEP12Frm",          "TInvForm",       "TSelInvFm",     "TTabInvFm",
          "TAnalInvF",          "TSprKForm-1",    "TSprKForm-5",   "TKproizFm",
          "TsSunDayF",          "TSelSPFrm",      "TMasSPFrm-1",   "TMasSPFrm-2",
          "TMasSPFrm-4",        "TMasSPFrm-5",    "TControlF",     "TSelCtrlF",
          "TMainForm-4",        "TNagrDopF-1",    "TNagrDopF-2",   "TNagrDopF-3",
          "TNagrDopF-4",        "TNagrDopF-5",    "TNagrDopF-6",   "TNagrDopF-7",
          "TAnalAkbF-1",        "TAnalAkbF-2",    "TSutGrafF",     "TSutDiagF",
          "Help-index",         "Help-guide",     "Help-53",       "TKabelFrm",
          "TMainForm-6",        "Help-53",        "TsInvForm",     "TsAKBForm",
          "TsSunPanF",          "TsContFrm",      "TsKabelFm",     "TsKabInvF",
          "TsAVForm",           "TsPrForm",       "TsPeremFm",     "TsMCForm",
          "TsRegForm",          "TsKtempFm",      "TsAKBZarF",     "TsInvZuForm",
          "TsEPForm-2",         "TsEP12Frm-2",    "TAVForm-1",     "TAVForm-2",
          "TAVForm-3",          "TAVForm-4",      "TAVForm-5",     "TPrForm-1",
          "TPrForm-2",          "TPrForm-3",      "TPrForm-4",     "TPrForm-5",
          "TSelAVFrm",          "TSelPrFrm",      "TMainForm-7",   "TMainForm-8",
          "TVurabFrm-1",        "TVurabFrm-2",    "TTestVarF-1",   "TTestVarF-2",
          "TTestVarF-3",        "TAnalSBFm-1",    "TAnalSBFm-2",   "TViewSPF-1",
          "TViewSPF-2",         "TViewSPF-3",     "TViewSPF-4",    "TSpecForm",
          "TComSpecF",          "TComParVarF-1",  "TComParVarF-2", "TsRegForm-import",
          "TsRegForm-stations", "TTablAKBF",      "TAKBFiltF",     "TFilterFm",
          "TFilterFm-2",        "TTablSPFm-1",    "TTablSPFm-2",   "TSPFiltF",
          "TsSutForm",          "TsSutFrm1",      "TsSutEPF-1",    "TsSutEPF-2",
          "TsSutEP12F-1",       "TsSutEP12F-2"})
        EXPECT_TRUE(QFile::exists(tmp.path() + "/" + name + ".png")) << name;
}

TEST(ScreenTour, ReportsWritesTheReportOfEveryWindowWithAnExport) {
    ensureApp();
    QTemporaryDir tmp;
    QProcess p;
    p.start(QStringLiteral(SCREENS_TOOL), {tmp.path(), QStringLiteral("--reports")});
    ASSERT_TRUE(p.waitForFinished(600000));
    const QByteArray err = p.readAllStandardError();
    ASSERT_EQ(p.exitCode(), 0) << err.toStdString();
    EXPECT_FALSE(err.contains("message:")) << err.toStdString();
    // The PDF and its first page where LibreOffice and pdftoppm are installed (./test does).
    QStringList suffixes = {".odt"};
    if (!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
        suffixes << ".pdf";
        if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            suffixes << ".png";
    }
    for (const char* name :
         {"TVarForm",  "TAddSutGrF", "TNagrForm", "TCreateSGF", "TCreateSG12F", "TInvForm",
          "TSelInvFm", "TAnalInvF",  "TAnalAkbF", "TSelSPFrm",  "TControlF",    "TSutGrafF",
          "TSutDiagF", "TAKBForm",   "TViewAKBF", "TShemaFrm",  "TKabelFrm",    "TAVForm",
          "TPrForm",   "TVurabFrm",  "TAnalSBFm", "TViewSPF",   "TTestVarF",    "TSpecForm",
          "TComSpecF", "TComParVarF"}) {
        for (const QString& suffix : suffixes) {
            const QFileInfo file(tmp.path() + "/" + name + suffix);
            EXPECT_GT(file.size(), 0) << file.fileName().toStdString();
        }
        const QImage page(tmp.path() + "/" + name + ".png");
        if (suffixes.contains(".png")) {
            EXPECT_NEAR(double(page.height()) / page.width(), 297.0 / 210.0, 0.01) << name;
        }
    }
    // Only those: the writer's own dated names are replaced, and the profile is elsewhere.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
              26 * suffixes.size());
}

TEST(StartUp, SmokeRunShowsTheMainWindowAndQuits) {
    ensureApp();
    QTemporaryDir tmp;
    // The program keeps its data beside itself: run a copy from a fresh folder.
    const QString exe = tmp.path() + "/tovrel-ses";
    ASSERT_TRUE(QFile::copy(QStringLiteral(PROGRAM), exe));
    QProcess p;
    p.start(exe, {"--smoke"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().contains("main window shown"));
    // The first start made the data directory with the worked example in it.
    auto store = Store::open(tmp.path() + "/Data");
    QSqlQuery q(store->db());
    ASSERT_TRUE(q.exec("SELECT Name FROM project0"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Пример: дача и метеостанция");

    store.reset();

    // A second program on the same data is told which process has it, and quits.
    {
        DataDirLock held(tmp.path() + "/Data");
        p.start(exe, {"--smoke"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_NE(p.exitCode(), 0);
        EXPECT_TRUE(
            QString::fromUtf8(p.readAllStandardError())
                .contains(QStringLiteral("процесс %1").arg(QCoreApplication::applicationPid())));
    }

    // A database the program cannot use is told on the error stream of a smoke run, which then
    // ends at once instead of waiting on a message box nobody will close.
    QFile foreign(tmp.path() + "/Data/TovrelSES11.sqlite");
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly | QIODevice::Truncate));
    foreign.write("not a database at all, just text");
    foreign.close();
    p.start(exe, {"--smoke"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_FALSE(p.readAllStandardError().isEmpty());
}

} // namespace
