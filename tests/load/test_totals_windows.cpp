// The schedule information window offscreen: opened by "Информация..." of the consumer dialog
// over the schedule as built there, its pages filled from the handed-over schedule.

#include "data/fixture.h"

#include "lib/months.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/sut_gr_dop_form.h"
#include "load/ui/totals_pages.h"
#include "widgets/drawing_pane.h"
#include "widgets/number_field.h"
#include "widgets/string_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace ses;
using namespace ses::test;

namespace {

CatalogConsumer catalogConsumer(const QString& name, double pnom, double ipIn,
                                const QString& mode) {
    CatalogConsumer c;
    c.name = name;
    c.pnom = pnom;
    c.ipIn = ipIn;
    c.clearSinus = true;
    c.rejim = mode;
    return c;
}

class InfoWindowTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"}, {"Uses", "24"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
        ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Лето"}}));
        for (const QString& m : monthNames()) {
            in.daylight.push_back({m, 7, 19, 10});
            in.regionMonths.push_back({m, 2, 5, 50});
        }
        in.region = "Юг";
        in.tempCoefficients = {{0, 1.2}, {10, 1.1}};
        in.kinv = 0.9;
        in.uses = 24;
        form = std::make_unique<TCreateSGF>(*dm, prompter, true);
        ScheduleDraft d;
        d.name = "Лето";
        d.from = "май";
        d.to = "август";
        form->prepare(d, in, {});
        // Two pumps of 100 W (400 W each at start) 8-12, a fan of 50 W (150 W at start) 8-20.
        ASSERT_TRUE(form->addFromCatalog(catalogConsumer("Насос", 100, 4, "автоматический"), 2));
        ASSERT_TRUE(form->setPeriods({{8, 12}}));
        ASSERT_TRUE(form->addFromCatalog(catalogConsumer("Вентилятор", 50, 3, "ручной"), 1));
        ASSERT_TRUE(form->setPeriods({{8, 20}}));
    }
    void TearDown() override { form.reset(); }

    std::unique_ptr<TCreateSGF> form;
    ScheduleInputs in;
};

TEST_F(InfoWindowTest, InformationOpensTheWindowOverTheBuiltSchedule) {
    EXPECT_FALSE(form->commandButton(TCreateSGF::Info)->isEnabled()); // nothing to open yet
    connectScheduleInfo(*form, *dm, prompter);
    QPushButton* info = form->commandButton(TCreateSGF::Info);
    ASSERT_TRUE(info->isEnabled());
    EXPECT_FALSE(info->isHidden());

    struct Seen {
        QString caption;
        ScheduleInfoRequest request;
        QStringList months, consumers;
        int combinedRows = 0;
        QString pnom, peak, leadHeader, remark, runningNominal, runningPeak;
    };
    std::optional<Seen> seen;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TSutGrDopF*>(QApplication::activeModalWidget());
        if (!window)
            return;
        Seen s;
        s.caption = window->windowTitle();
        s.request = window->request();
        for (int i = 0; i < window->monthBox()->count(); ++i)
            s.months << window->monthBox()->itemText(i);
        TotalsPages* pages = window->pages();
        for (int r = 1; r < pages->consumerGrid()->rowCount(); ++r)
            s.consumers << pages->consumerGrid()->cell(0, r);
        s.combinedRows = pages->combinedGrid()->rowCount() - 1;
        s.pnom = pages->figure("Номинальная выходная мощность, Вт:")->text();
        s.peak = pages->figure("Пиковая выходная мощность (6 секунд), Вт:")->text();
        s.leadHeader = pages->detailGrid()->cell(0, 0);
        if (pages->peakRemarkGrid()->rowCount() > 1)
            s.remark = pages->peakRemarkGrid()->cell(1, 1);
        pages->setTime(8);
        s.runningNominal = pages->runningNominal()->text();
        s.runningPeak = pages->runningPeak()->text();
        seen = s;
        window->reject();
    });
    info->click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->caption, "Дополнительная информация по суточному графику.");
    EXPECT_EQ(seen->request.load, "Дом");
    EXPECT_EQ(seen->request.schedule, "Лето");
    EXPECT_EQ(seen->request.origin, kInfoFromVariant);
    EXPECT_TRUE(seen->request.ac);
    ASSERT_EQ(seen->request.consumers.size(), 2u);
    EXPECT_EQ(seen->months, QStringList({"май", "июнь", "июль", "август"}));
    EXPECT_EQ(seen->consumers, QStringList({"Насос", "Вентилятор", "Итого"}));
    EXPECT_EQ(seen->combinedRows, int(seen->request.intervals.size()));
    EXPECT_EQ(seen->pnom, QString::number(seen->request.pnom));
    EXPECT_EQ(seen->leadHeader, "Наименование электроприемника / Время, час.");
    // Both start at 8 above their nominal power: the information window's own wording.
    EXPECT_EQ(seen->peak, "950");
    EXPECT_TRUE(seen->remark.startsWith("Одновременный запуск 2-x электроприемников"))
        << seen->remark.toStdString();
    EXPECT_EQ(seen->runningNominal, "250");
    EXPECT_EQ(seen->runningPeak, "950");
}

TEST_F(InfoWindowTest, MonthChoosesOnlyTheDarkPeriodsAndBadParametersEmptyTheRemarks) {
    TSutGrDopF window(*dm, prompter);
    ASSERT_TRUE(form->build());
    ScheduleInfoRequest request = form->infoRequest();
    TotalsPages* pages = window.pages();
    window.load(request);
    const QString detail = pages->detailGrid()->cell(1, 1);
    ASSERT_GT(pages->peakRemarkGrid()->rowCount(), 1);
    window.monthBox()->setCurrentIndex(2);
    EXPECT_EQ(pages->detailGrid()->cell(1, 1), detail);
    EXPECT_GT(pages->peakRemarkGrid()->rowCount(), 1);

    // The monthly window's progress bar counts the nine stages of a showing.
    int stages = 0;
    pages->show(pages->totals(), std::nullopt, [&stages] { ++stages; });
    EXPECT_EQ(stages, 9);

    // A double click in the remark column finds the moment's total and tells the whole remark.
    const int told = int(prompter.entries().size());
    emit pages->peakRemarkGrid()->cellDoubleClicked(0, 1);
    StringGrid* peaks = pages->peakDetailGrid();
    EXPECT_EQ(peaks->cell(peaks->currentColumn(), 0), "8");
    EXPECT_EQ(peaks->cell(0, peaks->currentRow() + 1), "Итого");
    ASSERT_EQ(int(prompter.entries().size()), told + 1);
    EXPECT_EQ(prompter.entries().back().text, pages->peakRemarkGrid()->cell(1, 1));

    // A time that is no number empties the running consumers.
    pages->setTime(9);
    ASSERT_EQ(pages->runningNominal()->text(), "250");
    pages->timeField()->setText("9,,5");
    emit pages->timeField()->editingFinished();
    EXPECT_TRUE(prompter.entries().back().text.contains("текущего времени"));
    EXPECT_TRUE(pages->runningNominal()->text().isEmpty());
    EXPECT_EQ(pages->runningGrid()->rowCount(), 1);

    // N_pik of 2 admits the two starts; a share that is no number leaves both remark tables
    // empty after saying which entry is wrong.
    NumberField* nPik = pages->nPikField();
    ASSERT_EQ(nPik->text(), "1");
    nPik->setText("2");
    pages->refreshRemarks();
    EXPECT_EQ(pages->peakRemarkGrid()->rowCount(), 1);
    EXPECT_FALSE(pages->findPeakButton()->isEnabled());
    pages->bigShareField()->setText("0");
    EXPECT_TRUE(pages->bigPowerField()->text().isEmpty());
    pages->refreshRemarks();
    ASSERT_FALSE(prompter.entries().empty());
    EXPECT_TRUE(prompter.entries().back().text.contains("отношения мощностей"))
        << prompter.entries().back().text.toStdString();
    EXPECT_EQ(pages->scheduleRemarkGrid()->rowCount(), 1);
}

} // namespace
