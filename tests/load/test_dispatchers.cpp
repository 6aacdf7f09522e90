// The load dispatchers offscreen, their schedule dialogs replaced by scripted ones: button
// states, the commands through the dialog of the load-entry mode, the copy with its name and
// free range, the close checks, the load name rule; and the typed dialog's stored energies.

#include "data/fixture.h"
#include "lib/qt_print.h"

#include "lib/months.h"
#include "load/ui/chart_viewers.h"
#include "load/ui/dsp_nagr_form.h"
#include "load/ui/nagr_form.h"
#include "load/ui/schedule_panels.h"
#include "widgets/navigator.h"
#include "widgets/string_grid.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

using namespace ses;
using namespace ses::test;

namespace {

class DspTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(
            add(tbl("project1"),
                {{"VarName", "Основной"}, {"Uses", "24"}, {"ParamNagr", "1"}, {"SutCikl", "+"}}));
        for (const QString& m : monthNames())
            ASSERT_TRUE(
                add(tbl("proj_sunday"), {{"MonthName", m}, {"Voshod10", "7"}, {"Zakat10", "19"}}));
    }
    void setMode(int mode) {
        View& var = dm->tblProj1();
        ASSERT_TRUE(var.edit());
        var["ParamNagr"].setInteger(mode);
        ASSERT_TRUE(var.post());
    }
    void addLoad(const QString& name) { ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", name}})); }
    void addScheduleRow(bool ac, const QString& from, const QString& to) {
        ScheduleDraft d;
        d.name = "Зима";
        d.from = from;
        d.to = to;
        d.wpSut = 2400;
        d.pnom = d.pmax = 100;
        d.peak = 300;
        d.intervals = {{"0", "24", "100"}};
        ASSERT_TRUE(addSchedule(*dm, ac, d));
    }
    int rows(const char* table) { return int(store->count(QString::fromLatin1(table))); }

    // The scripted schedule dialog: records what it was given, then answers.
    struct Call {
        ScheduleDraft draft;
        std::vector<OtherSchedule> others;
    };
    std::vector<Call> calls;
    std::function<bool(ScheduleDraft&)> answer = [](ScheduleDraft&) { return true; };
    LoadDispatcher::ScheduleDialog scripted() {
        return [this](ScheduleDraft& d, const ScheduleInputs&,
                      const std::vector<OtherSchedule>& others) {
            calls.push_back({d, others});
            return answer(d);
        };
    }
    template <class Form> std::unique_ptr<Form> dispatcher() {
        auto f = std::make_unique<Form>(*dm, prompter);
        for (int mode = 0; mode < 3; ++mode)
            f->setScheduleDialog(mode, scripted());
        f->setChartViewer([](auto, const QString&, const QString&) {});
        return f;
    }
};

QString enabledCommands(const LoadDispatcher& f) {
    QString s;
    for (int c = 0; c < LoadDispatcher::CommandCount; ++c)
        s += f.commandButton(LoadDispatcher::Command(c))->isEnabled() ? '+' : '-';
    return s;
}

TEST_F(DspTest, ButtonsFollowTheLoadsTheSchedulesAndTheMode) {
    // Add, Edit, Delete, Copy, Charts, Diagrams.
    auto ac = dispatcher<TDspNagrF>();
    auto dc = dispatcher<TDspNagr12F>();
    EXPECT_EQ(enabledCommands(*ac), "------");
    EXPECT_EQ(enabledCommands(*dc), "+-----");
    addLoad("Дом");
    EXPECT_EQ(enabledCommands(*ac), "+-----");
    addScheduleRow(true, "январь", "декабрь");
    addScheduleRow(false, "январь", "декабрь");
    EXPECT_EQ(enabledCommands(*ac), "++++++");
    EXPECT_EQ(enabledCommands(*dc), "++++++");
    // A schedule typed by its parameters has no intervals to draw.
    setMode(0);
    ac->refreshState();
    EXPECT_EQ(enabledCommands(*ac), "++++-+");
    // The next load has no schedule yet.
    addLoad("Насос");
    EXPECT_EQ(enabledCommands(*ac), "+-----");
    // Without a chart viewer the view commands cannot run.
    ac->setChartViewer({});
    ASSERT_TRUE(tbl("proj_inv").first());
    EXPECT_EQ(enabledCommands(*ac), "++++--");
    // Shown all the same: a disabled command is not hidden.
    EXPECT_FALSE(ac->commandButton(LoadDispatcher::Charts)->isHidden());
    EXPECT_FALSE(ac->commandButton(LoadDispatcher::Diagrams)->isHidden());
}

// The chart window over three DC schedules, the middle one without intervals: the numbering goes
// past it, the list lays the names out in the columns asked for, and without auto-refresh a tick
// empties the chart until "Обновить" draws it with the schedules numbered afresh.
TEST_F(DspTest, ChartWindowNumbersTheTickedSchedulesAndLaysOutTheList) {
    ScheduleDraft d;
    d.from = "январь";
    d.to = "декабрь";
    d.name = "Зима";
    d.intervals = {{"0", "12", "100"}, {"12", "24", "50"}};
    ASSERT_TRUE(addSchedule(*dm, false, d));
    d.name = "Без интервалов";
    d.intervals = {};
    ASSERT_TRUE(addSchedule(*dm, false, d));
    d.name = "Лето";
    d.intervals = {{"0", "24", "30"}};
    ASSERT_TRUE(addSchedule(*dm, false, d));

    TSutGrafF w(*dm, prompter);
    w.setSide("Нагрузка постоянного напряжения АБ.", "12");
    w.show();
    const auto series = [&] {
        QStringList names;
        for (QAbstractSeries* s : w.chartView()->chart()->series())
            names << s->name();
        return names;
    };
    const auto notes = [&] {
        QStringList lines;
        for (int i = 0; i < w.notesBox()->count(); ++i)
            lines << w.notesBox()->item(i)->text();
        return lines;
    };
    EXPECT_EQ(series(), QStringList({"P1 = f(T)", "P3 = f(T)"}));
    EXPECT_EQ(notes(),
              QStringList({"Зима: P1 = f(T).", "Без интервалов: P2 = f(T).", "Лето: P3 = f(T)."}));
    auto* first = qobject_cast<QLineSeries*>(w.chartView()->chart()->series()[0]);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->points(), QList<QPointF>({{0, 100}, {12, 100}, {12, 50}, {24, 50}}));

    QListWidget* list = w.scheduleList();
    const auto rect = [&](int i) { return list->visualItemRect(list->item(i)); };
    w.columnsBox()->setValue(3);
    QApplication::processEvents();
    EXPECT_EQ(rect(1).top(), rect(0).top());
    EXPECT_EQ(rect(2).top(), rect(0).top());
    EXPECT_GT(rect(1).left(), rect(0).left());
    w.columnsBox()->setValue(1);
    QApplication::processEvents();
    EXPECT_GT(rect(1).top(), rect(0).top());

    w.autoRefreshBox()->setChecked(false);
    list->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(series().isEmpty());
    EXPECT_TRUE(w.refreshButton()->isEnabled());
    w.refreshButton()->click();
    EXPECT_EQ(series(), QStringList({"P2 = f(T)"}));
    EXPECT_EQ(notes(), QStringList({"Без интервалов: P1 = f(T).", "Лето: P2 = f(T)."}));
    // Ticking "Автообновление" again draws at once.
    list->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(series().isEmpty());
    w.autoRefreshBox()->setChecked(true);
    EXPECT_EQ(series(), QStringList({"P1 = f(T)", "P3 = f(T)"}));
}

TEST_F(DspTest, AddEditAndDeleteGoThroughTheModeDialog) {
    addLoad("Дом");
    auto f = dispatcher<TDspNagrF>();
    answer = [](ScheduleDraft& d) {
        d.wpSut = 2400;
        d.pnom = d.pmax = 100;
        d.peak = 300;
        d.intervals = {{"0", "24", "100"}};
        return true;
    };
    f->addSchedule();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].draft.name, "Суточный график 1");
    EXPECT_EQ(calls[0].draft.from, "январь");
    EXPECT_EQ(calls[0].draft.to, "декабрь");
    EXPECT_TRUE(calls[0].draft.clearSinus);
    EXPECT_EQ(rows("proj_graf1"), 1);
    EXPECT_EQ(tbl("proj_inv")["Ppik"].asString(), "300");
    EXPECT_EQ(f->figureField(3)->text(), "300");

    // The edit starts from the stored schedule, without it among the others.
    answer = [](ScheduleDraft& d) {
        d.name = "Зима";
        d.to = "июнь";
        d.peak = 500;
        return true;
    };
    f->editSchedule();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].draft.intervals, IntervalTexts({{"0", "24", "100"}}));
    EXPECT_TRUE(calls[1].others.empty());
    EXPECT_EQ(tbl("proj_graf0")["SutGrafName"].asString(), "Зима");
    EXPECT_EQ(tbl("proj_inv")["Ppik"].asString(), "500");

    // The next one is checked against the first.
    answer = [](ScheduleDraft&) { return false; };
    f->addSchedule();
    EXPECT_EQ(calls[2].draft.name, "Суточный график 2");
    ASSERT_EQ(calls[2].others.size(), 1u);
    EXPECT_EQ(rows("proj_graf0"), 1);

    prompter.answer(false);
    f->deleteSchedule();
    EXPECT_EQ(prompter.last(), "Удалить суточный график?");
    EXPECT_EQ(rows("proj_graf0"), 1);
    prompter.answer(true);
    f->deleteSchedule();
    EXPECT_EQ(rows("proj_graf0"), 0);
    EXPECT_EQ(rows("proj_graf1"), 0);
    EXPECT_EQ(tbl("proj_inv")["Ppik"].asString(), "");
    EXPECT_EQ(f->figureField(3)->text(), "");
}

TEST_F(DspTest, AConsumerScheduleCancelledLeavesNothingBehind) {
    setMode(2);
    addLoad("Дом");
    auto f = dispatcher<TDspNagrF>();
    bool confirm = false;
    // The consumer dialog works on the schedule row the dispatcher made for it.
    answer = [&](ScheduleDraft& d) {
        if (!add(tbl("proj_ep0"), {{"Name", "Насос"}, {"Pnom", "100"}, {"Kol_vo", "1"}}))
            return false;
        d.wpSut = 2400;
        d.pnom = d.pmax = d.peak = 100;
        d.intervals = {{"0", "24", "100"}};
        return confirm;
    };
    f->addSchedule();
    EXPECT_TRUE(calls.back().others.empty());
    EXPECT_EQ(rows("proj_graf0"), 0);
    EXPECT_EQ(rows("proj_ep0"), 0);
    EXPECT_EQ(f->figureField(0)->text(), "");

    confirm = true;
    f->addSchedule();
    EXPECT_EQ(rows("proj_graf0"), 1);
    EXPECT_EQ(rows("proj_ep0"), 1);
    EXPECT_EQ(tbl("proj_graf0")["SutGrafName"].asString(), "Суточный график 1");
    EXPECT_EQ(tbl("proj_graf0")["Wp_sut"].asString(), "2400");

    // A mode without a dialog says so and writes nothing.
    setMode(3);
    f->addSchedule();
    EXPECT_EQ(prompter.last(),
              "Для способа задания нагрузки варианта расчета нет диалога ввода суточного графика.");
    EXPECT_EQ(rows("proj_graf0"), 1);
}

TEST_F(DspTest, CopyAsksTheNameThenOpensTheCopyInAFreeRange) {
    addLoad("Дом");
    addScheduleRow(true, "январь", "июнь");
    auto f = dispatcher<TDspNagrF>();

    // Cancelled in its dialog, the copy is not kept; the source stays current.
    answer = [](ScheduleDraft&) { return false; };
    prompter.type("Осень");
    f->copySchedule();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(rows("proj_graf0"), 1);
    EXPECT_EQ(rows("proj_graf1"), 1);
    EXPECT_EQ(rows("proj_gr_prm"), 0);
    EXPECT_EQ(tbl("proj_graf0")["SutGrafName"].asString(), "Зима");

    answer = [](ScheduleDraft&) { return true; };
    prompter.clear();
    prompter.type(QString(49, u'З') + "_1");
    prompter.type("Лето");
    f->copySchedule();
    const auto& e = prompter.entries();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].text,
              "После создания копии суточного графика обязательно отредактируйте диапазон месяцев "
              "действия полученного суточного графика. Это необходимо во избежание пересечения "
              "диапазонов месяцев действия графика - оригинала и графика - копии.");
    EXPECT_EQ(e[1].text, "Наименование нового суточного графика:");
    EXPECT_EQ(e[2].kind, RecordingPrompter::Kind::Error); // too long: asked again
    EXPECT_EQ(e[3].kind, RecordingPrompter::Kind::TextInput);
    // The copy opens in its dialog with the free months and the source among the others.
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].draft.name, "Лето");
    EXPECT_EQ(calls[1].draft.from, "июль");
    EXPECT_EQ(calls[1].draft.to, "декабрь");
    EXPECT_EQ(calls[1].draft.intervals, IntervalTexts({{"0", "24", "100"}}));
    EXPECT_EQ(calls[1].draft.monthly.size(), 6u);
    ASSERT_EQ(calls[1].others.size(), 1u);
    EXPECT_EQ(calls[1].others[0].name, "Зима");
    EXPECT_EQ(rows("proj_graf0"), 2);
    EXPECT_EQ(rows("proj_graf1"), 2);
    EXPECT_EQ(tbl("proj_graf0")["SutGrafName"].asString(), "Лето");
    EXPECT_EQ(closeRefusal(*dm, true), std::nullopt);

    // With every month taken there is no range to give a copy: nothing is asked.
    prompter.clear();
    f->copySchedule();
    ASSERT_EQ(prompter.entries().size(), 1u);
    EXPECT_EQ(prompter.last(),
              "Все месяцы года уже входят в диапазоны месяцев имеющихся суточных графиков. Копия "
              "суточного графика должна получить свободный диапазон месяцев: сначала сократите "
              "диапазон месяцев суточного графика - оригинала или другого суточного графика.");
    EXPECT_EQ(rows("proj_graf0"), 2);
}

TEST_F(DspTest, CloseStaysOpenOnARefusalAndStoresTheDcFigures) {
    addLoad("Дом");
    auto ac = dispatcher<TDspNagrF>();
    EXPECT_FALSE(ac->tryClose());
    EXPECT_TRUE(prompter.last().contains("к нагрузке \"Дом\""));
    EXPECT_NE(ac->result(), QDialog::Accepted);
    addScheduleRow(true, "январь", "декабрь");
    EXPECT_TRUE(ac->tryClose());
    EXPECT_EQ(ac->result(), QDialog::Accepted);

    auto dc = dispatcher<TDspNagr12F>();
    addScheduleRow(false, "январь", "декабрь");
    EXPECT_TRUE(dc->tryClose());
    EXPECT_TRUE(dc->figuresChanged());
    EXPECT_EQ(dm->tblProj1()["Imax"].asString(), "4,17");
    EXPECT_TRUE(dc->tryClose());
    EXPECT_FALSE(dc->figuresChanged());
}

TEST_F(DspTest, ALoadNeedsANameWhileTheDispatcherIsShown) {
    auto f = dispatcher<TDspNagrF>();
    f->show();
    View& loads = tbl("proj_inv");
    f->loadsNavigator()->click(Navigator::Insert);
    f->loadsNavigator()->click(Navigator::Post);
    EXPECT_EQ(prompter.last(), "Поле \"Наименование нагрузки\" должно быть заполнено.");
    EXPECT_TRUE(loads.isEditing());
    EXPECT_EQ(rows("proj_inv"), 0);
    // The schedule commands save the load first, and are refused with it.
    prompter.clear();
    f->addSchedule();
    EXPECT_EQ(prompter.entries().size(), 1u);
    EXPECT_TRUE(calls.empty());
    loads["Nagr_Name"].setString("Дом");
    f->loadsNavigator()->click(Navigator::Post);
    EXPECT_EQ(rows("proj_inv"), 1);
    f->hide();
    // Other windows save load rows as they are.
    ASSERT_TRUE(loads.edit());
    loads["Nagr_Name"].clear();
    EXPECT_TRUE(loads.post());
}

TEST_F(DspTest, TypedEditFindsEachStoredEnergyInItsMonth) {
    ScheduleInputs in;
    for (const char* m : {"январь", "март"}) // no day-light row for February any more
        in.daylight.push_back({m, 7, 19, 10});
    ScheduleDraft d;
    d.name = "Зима";
    d.from = "январь";
    d.to = "март";
    d.wpSut = 5000;
    d.pnom = d.pmax = d.peak = 500;
    for (const auto& [m, wsut] : {std::pair{"январь", 100}, {"февраль", 200}, {"март", 300}}) {
        MonthlyRow r;
        r.month = m;
        r.wsutDark = wsut;
        r.wmaxDark = wsut;
        d.monthly.push_back(r);
    }
    TNagrForm form(*dm, prompter);
    form.prepare(d, in, {}, true);
    const StringGrid* g = form.monthlyTable()->grid();
    EXPECT_EQ(g->cell(0, 2), "март");
    EXPECT_EQ(g->cell(3, 1), "100");
    EXPECT_EQ(g->cell(3, 2), "300");
}

} // namespace
