// The consumer-detailed schedule books offscreen: the consumer commands over the book's current
// schedule, the build writing its figures and every edit emptying them, the DC voltage filter
// and what "ОК" hands over while choosing.

#include "data/fixture.h"
#include "lib/qt_print.h"

#include "lib/months.h"
#include "load/load_totals.h"
#include "load/ui/s_sut_ep_form.h"
#include "load/ui/step_chart.h"
#include "widgets/bound_grid.h"
#include "widgets/string_grid.h"

#include <QLabel>
#include <QPushButton>

using namespace ses;
using namespace ses::test;

namespace {

using Hours = std::vector<std::pair<double, double>>;

CatalogConsumer lamp(double pnom, std::optional<double> unom) {
    CatalogConsumer c;
    c.name = QStringLiteral("Лампа");
    c.pnom = pnom;
    c.ipIn = 2;
    c.clearSinus = true;
    c.unom = unom;
    c.rejim = QStringLiteral("ручной");
    return c;
}

class ConsumerBookTest : public DbTest {
protected:
    void open(bool ac) {
        book = ac ? std::make_unique<TsSutEPF>(*dm, prompter, true)
                  : std::unique_ptr<TsSutEPF>(std::make_unique<TsSutEP12F>(*dm, prompter));
        book->setBrowsing(true);
    }
    View& schedules() { return tbl(book->isAc() ? "sSutEP0" : "sSutEP12_0"); }
    // A schedule under the current section with one consumer of that power working the hours,
    // built.
    void addSchedule(const QString& name, double pnom, const Hours& hours, const QString& unom) {
        if (book->isAc())
            ASSERT_TRUE(add(schedules(), {{"Name", name}}));
        else
            ASSERT_TRUE(add(schedules(), {{"Name", name}, {"Unom", unom}}));
        ASSERT_TRUE(book->addFromCatalog(lamp(pnom, unom.toDouble()), 2));
        ASSERT_TRUE(book->setPeriods(hours));
        ASSERT_TRUE(book->build());
    }
    QStringList shownNames() {
        QStringList names;
        for (int r = 0; r < schedules().recordCount(); ++r)
            if (!book->scheduleGrid()->isRowHidden(r))
                names << schedules().valueAt(r, schedules().table().columnIndex("Name")).toString();
        return names;
    }
    std::unique_ptr<TsSutEPF> book;
};

TEST_F(ConsumerBookTest, BuildWritesTheFiguresAndEveryEditEmptiesThemWithTheChart) {
    open(true);
    ASSERT_TRUE(add(tbl("sSutEP"), {{"Razdel", "Дача"}}));
    // Without a schedule there is nothing to add a consumer to.
    book->addConsumer();
    EXPECT_EQ(prompter.last(), "Перед выполнением операции добавьте хотя бы одну запись в таблицу "
                               "\"Суточные графики раздела\".");

    addSchedule("Вечер", 10, {{18, 23}}, {});
    View& s = schedules();
    EXPECT_EQ(s["Wp_sut"].asFloat(), 100);
    EXPECT_EQ(s["Pnom30min"].asFloat(), 20);
    EXPECT_EQ(s["Pmax10min"].asFloat(), 20);
    EXPECT_EQ(s["Ppik"].asFloat(), 40); // two lamps starting at twice their power
    EXPECT_TRUE(s["ClearSinus"].asBoolean());
    EXPECT_EQ(book->intervalGrid()->cell(1, 2), "23");
    EXPECT_EQ(book->intervalGrid()->cell(2, 2), "20");
    EXPECT_FALSE(book->chart()->isEmpty());

    // A period changed: the figures, the table and the chart are gone until the next build.
    ASSERT_TRUE(book->setPeriods({{18, 22}}));
    EXPECT_TRUE(s["Wp_sut"].isNull());
    EXPECT_FALSE(s["ClearSinus"].asBoolean());
    EXPECT_EQ(book->intervalGrid()->cell(0, 1), "");
    EXPECT_TRUE(book->chart()->isEmpty());
    ASSERT_TRUE(book->build());
    EXPECT_EQ(s["Wp_sut"].asFloat(), 80);

    // Overlapping periods fail the test and keep the figures empty.
    ASSERT_TRUE(book->setPeriods({{8, 12}, {11, 14}}));
    prompter.clear();
    EXPECT_FALSE(book->build());
    EXPECT_TRUE(prompter.last().contains("в интервале 11 - 12")) << prompter.last().toStdString();
    EXPECT_TRUE(s["Wp_sut"].isNull());

    // A schedule being edited takes no command.
    ASSERT_TRUE(book->setPeriods({{8, 12}}));
    ASSERT_TRUE(s.edit());
    prompter.clear();
    EXPECT_FALSE(book->build());
    EXPECT_EQ(prompter.last(),
              "Перед выполнением операции завершите работу с таблицей \"Суточные графики "
              "раздела\", сохранив или отменив в ней изменения (кнопка \"V\" или кнопка \"Х\" "
              "навигатора).");
    s.cancel();
}

// "Информация..." builds first and opens the information window over the built schedule with
// every month offered; a schedule the test refuses opens nothing.
TEST_F(ConsumerBookTest, InformationOpensOverTheBuiltScheduleWithEveryMonth) {
    open(false);
    ASSERT_TRUE(add(tbl("sSutEP12"), {{"Razdel", "Связь"}}));
    addSchedule("Ночь", 10, {{20, 24}}, "24");
    ASSERT_TRUE(book->commandButton(TsSutEPF::Info)->isEnabled());
    const auto r = book->infoRequest();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->months, monthNames());
    EXPECT_EQ(r->origin, kInfoFromBook);
    EXPECT_FALSE(r->ac);
    EXPECT_EQ(r->load, kDcLoadName);
    EXPECT_EQ(r->schedule, "Ночь");
    EXPECT_EQ(r->pnom, 20);
    ASSERT_EQ(r->consumers.size(), 1u);
    EXPECT_FALSE(r->intervals.empty());

    ASSERT_TRUE(book->setPeriods({{8, 12}, {11, 14}}));
    prompter.clear();
    EXPECT_FALSE(book->infoRequest());
    EXPECT_TRUE(prompter.last().contains("в интервале 11 - 12")) << prompter.last().toStdString();
}

TEST_F(ConsumerBookTest, CopiedConsumersArePastedUnderAnotherScheduleOfTheBook) {
    open(true);
    ASSERT_TRUE(add(tbl("sSutEP"), {{"Razdel", "Дача"}}));
    addSchedule("Вечер", 10, {{18, 23}, {5, 7}}, {});
    EXPECT_FALSE(book->commandButton(TsSutEPF::Paste)->isEnabled());
    book->copyConsumers();
    EXPECT_TRUE(book->commandButton(TsSutEPF::Paste)->isEnabled());

    ASSERT_TRUE(add(schedules(), {{"Name", "Копия"}}));
    book->pasteConsumers();
    book->pasteConsumers();
    EXPECT_EQ(tbl("sSutEP1").recordCount(), 2);
    ASSERT_TRUE(book->build());
    EXPECT_EQ(schedules()["Wp_sut"].asFloat(), 2 * 140);
    // The project's consumers are not the book's: its clipboard is its own.
    EXPECT_EQ(store->count("proj_ep0"), 0);
}

TEST_F(ConsumerBookTest, DcBookChosenForAVoltageOffersOnlyItsSchedules) {
    open(false);
    ASSERT_TRUE(add(tbl("sSutEP12"), {{"Razdel", "Дом"}}));
    addSchedule("Свет 12", 10, {{18, 23}}, "12");
    addSchedule("Свет 24", 5, {{19, 23}}, "24");
    addSchedule("Насос 24", 50, {{7, 8}}, "24");
    ASSERT_TRUE(add(tbl("sSutEP12"), {{"Razdel", "Баня"}}));
    addSchedule("Свет 12", 10, {{17, 20}}, "12");
    // The window was left in the section without a 24 V schedule: choosing starts elsewhere.
    book->prepare(24);
    EXPECT_FALSE(book->isBrowsing());
    EXPECT_FALSE(book->filterLabel()->isHidden());
    EXPECT_EQ(book->filterLabel()->text(), "Фильтрация записей: Uном.=24 В");
    EXPECT_EQ(tbl("sSutEP12")["Razdel"].asString(), "Дом");
    EXPECT_EQ(shownNames(), QStringList({"Свет 24", "Насос 24"}));
    EXPECT_EQ(schedules()["Name"].asString(), "Свет 24");

    ASSERT_TRUE(schedules().moveTo(2));
    book->accept();
    ASSERT_EQ(book->result(), QDialog::Accepted);
    ASSERT_TRUE(book->chosen());
    ASSERT_EQ(book->chosen()->size(), 1u);
    EXPECT_EQ(book->chosen()->front().periods.front().first.toDouble(), 7);
    EXPECT_EQ(book->intervalGrid()->cell(2, 2), "100"); // the table as the caller reads it

    // A section with nothing of that voltage offers nothing to choose.
    ASSERT_TRUE(tbl("sSutEP12").moveTo(1));
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(book->consumerGrid()->isRowHidden(0));
    prompter.clear();
    book->accept();
    EXPECT_EQ(prompter.last(), "Выберите суточный график в таблице \"Суточные графики раздела\".");

    book->finish();
    EXPECT_TRUE(book->filterLabel()->isHidden());
    EXPECT_EQ(shownNames(), QStringList({"Свет 12"}));
    EXPECT_FALSE(book->consumerGrid()->isRowHidden(0));
}

TEST_F(ConsumerBookTest, ChoosingRefusesSchedulesWithoutConsumersOrWithOverlappingPeriods) {
    open(true);
    ASSERT_TRUE(add(tbl("sSutEP"), {{"Razdel", "Дача"}}));
    ASSERT_TRUE(add(schedules(), {{"Name", "Пусто"}}));
    book->prepare(std::nullopt);
    book->accept();
    EXPECT_EQ(prompter.last(), "Суточный график \"Пусто\" справочника не содержит ни одного "
                               "электроприемника. Выберите другой суточный график.");
    // Periods stored over each other (typed in the book) fail the test on "ОК".
    ASSERT_TRUE(book->addFromCatalog(lamp(10, {}), 1));
    ASSERT_TRUE(book->setPeriods({{8, 12}, {11, 14}}));
    prompter.clear();
    book->accept();
    EXPECT_TRUE(prompter.last().startsWith("Временные промежутки работы электроприемника не "
                                           "должны пересекаться между собой."))
        << prompter.last().toStdString();
    EXPECT_FALSE(book->chosen());
}

} // namespace
