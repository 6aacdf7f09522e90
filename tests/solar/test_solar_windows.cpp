// The solar reference windows over a real data module, offscreen: the variant's coefficient
// table, the day-light periods' copy and narrowing, the cross tables of the loss reference.

#include "data/fixture.h"
#include "lib/qt_print.h"

#include "lib/numbers.h"
#include "solar/coefficients_view.h"
#include "solar/ui/spr_k_form.h"
#include "solar/ui/sun_day_form.h"
#include "widgets/bound_grid.h"
#include "widgets/number_field.h"
#include "widgets/string_grid.h"

#include <QComboBox>
#include <QTest>

#include <tuple>

using namespace ses;
using namespace ses::test;

namespace {

// ---------------------------------------------------------------- coefficient table

class CoefficientsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        // Loss rows with an uneven slope, so that no coefficient falls on a rounding tie.
        for (const auto& [angle, loss] :
             {std::pair{"0", "0"}, {"10", "2"}, {"20", "6"}, {"40", "12"}, {"90", "100"}})
            ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", angle}, {"K", loss}}));
        // Latitude 50, day 22: B is 70 in January, 50 in March and 27 in June.
        ASSERT_TRUE(add(tbl("region0"), {{"Region", "Юг"}, {"Fi", "50"}}));
        for (const char* m : {"январь", "март", "июнь"})
            ASSERT_TRUE(add(tbl("region1"), {{"MonthName", m}, {"P", "3"}, {"Tsred", "10"}}));
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"),
                        {{"VarName", "Основной"}, {"Region", "Юг"}, {"PTotal_SP", "1500"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
        ASSERT_TRUE(add(tbl("proj_graf0"),
                        {{"SutGrafName", "Весна"}, {"MonthName1", "март"}, {"MonthName2", "май"}}));
        ASSERT_TRUE(add(tbl("proj_graf12_0"),
                        {{"SutGrafName", "Лето"}, {"MonthName1", "июнь"}, {"MonthName2", "июнь"}}));
        ASSERT_TRUE(add(tbl("proj_mas"), {{"NameMassive", "Южный"},
                                          {"Ugol_Orient", "180"},
                                          {"Ugol_Nakl", "50"},
                                          {"Pmas", "1000"}}));
        ASSERT_TRUE(add(tbl("proj_mas"), {{"NameMassive", "Восточный"},
                                          {"Ugol_Orient", "150"},
                                          {"Ugol_Nakl", "40"},
                                          {"Pmas", "500"}}));
    }

    static QStringList row(const CoefficientTable& t, int r) {
        QStringList texts;
        for (int c = 0; c < t.columnCount(); ++c)
            texts << t.text(r, c);
        return texts;
    }
};

TEST_F(CoefficientsTest, MonthsOfTheSchedulesWithEveryArraysAngleAndCoefficient) {
    const CoefficientTable t = variantCoefficients(*dm);
    EXPECT_EQ(t.headings(), QStringList({"Месяц", "Аопт., град.", "Вопт., град.", "  А, град.",
                                         "  В, град.", "  С, град.", "  Кпроиз.", "  А, град.",
                                         "  В, град.", "  С, град.", "  Кпроиз.", "  Кпр.сб"}));
    ASSERT_EQ(t.months.size(), 2u); // January lies in no schedule's range
    // March (B 50): the southern array is at its optimum; (1000 * 1 + 500 * 0,905) / 1500.
    EXPECT_EQ(row(t, 0), QStringList({"март", "180", "50", "180", "50", "0", "1", "150", "40",
                                      "31,6", "0,905", "0,968"}));
    // June (B 27): sqrt(13² + 30²) = 32,7; (1000 * 0,931 + 500 * 0,902) / 1500.
    EXPECT_EQ(row(t, 1), QStringList({"июнь", "180", "27", "180", "50", "23", "0,931", "150", "40",
                                      "32,7", "0,902", "0,921"}));
    EXPECT_EQ(t.entries(), QStringList({"Южный", "Восточный", "СБ"}));
    EXPECT_TRUE(t.refusedAngles().empty());
}

TEST_F(CoefficientsTest, FullLossIsShownAsTheRefusalNamingTheAngle) {
    View& arrays = tbl("proj_mas");
    ASSERT_TRUE(arrays.last());
    ASSERT_TRUE(arrays.edit());
    arrays["Ugol_Orient"].setString("90"); // east at the March optimum: 90 degrees off the sun
    arrays["Ugol_Nakl"].setString("50");
    ASSERT_TRUE(arrays.post());

    const CoefficientTable t = variantCoefficients(*dm);
    const int k2 = 10, battery = 11;
    EXPECT_EQ(t.text(0, 9), "90");
    EXPECT_EQ(t.text(0, k2), kRefusedCell);
    EXPECT_EQ(t.refusal(0, k2), coefficientRefusal(90));
    EXPECT_EQ(t.text(0, battery), kRefusedCell);
    EXPECT_EQ(t.value(0, 1), std::nullopt);
    EXPECT_EQ(t.text(0, 6), "1"); // the other array is unaffected
    // June: sqrt(23² + 90²) = 92,9, past the last row, which holds.
    EXPECT_EQ(t.refusedAngles(), (std::vector<double>{90, 92.9}));
}

TEST_F(CoefficientsTest, UnknownRegionLeavesOnlyTheHeadings) {
    View& variant = tbl("project1");
    ASSERT_TRUE(variant.edit());
    variant["Region"].setString("Север");
    ASSERT_TRUE(variant.post());
    const CoefficientTable t = variantCoefficients(*dm);
    EXPECT_TRUE(t.months.empty());
    EXPECT_EQ(t.columnCount(), 12);
}

// ---------------------------------------------------------------- day-light periods

class SunDayTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        form = std::make_unique<TsSunDayF>(*dm, prompter);
    }
    void TearDown() override { form.reset(); }

    // Every month's start and end of a table, as the grid shows them.
    QStringList periods(const char* table) {
        View& v = tbl(table);
        QStringList texts;
        for (int r = 0; r < v.recordCount(); ++r)
            texts << v.valueAt(r, 1).toString() + ' ' + numberToText(v.valueAt(r, 2).toDouble()) +
                         '-' + numberToText(v.valueAt(r, 3).toDouble());
        return texts;
    }
    void setPeriod(int row, const QString& start, const QString& end) {
        View& v = tbl("sSun_day");
        ASSERT_TRUE(v.moveTo(row));
        ASSERT_TRUE(v.edit());
        v["Voshod10"].setString(start);
        v["Zakat10"].setString(end);
        ASSERT_TRUE(v.post());
    }

    std::unique_ptr<TsSunDayF> form;
};

TEST_F(SunDayTest, NarrowingMovesBothEndsOfEveryMonth) {
    setPeriod(0, "9,27", "14,73");
    setPeriod(11, "9,5", "14,5");
    form->fromStartField()->setText("0,5");
    form->fromEndField()->setText("1,255");
    ASSERT_TRUE(form->narrowFromFields());
    const QStringList after = periods("sSun_day");
    EXPECT_EQ(after.first(), "январь 9,77-13,475");
    EXPECT_EQ(after.last(), "декабрь 10-13,245");
    form.reset(); // its grids watch the views that reopening closes
    reopen();     // stored, not only shown
    EXPECT_EQ(periods("sSun_day"), after);
}

TEST_F(SunDayTest, AMonthLeftWithoutLightRefusesTheWholeNarrowing) {
    setPeriod(11, "9", "10"); // December, the last month changed, is the one refused
    const QStringList before = periods("sSun_day");
    form->fromStartField()->setText("0,5");
    form->fromEndField()->setText("0,5");
    EXPECT_FALSE(form->narrowFromFields());
    EXPECT_EQ(prompter.last(), "Время заката солнца должно быть больше времени его восхода.");
    EXPECT_EQ(periods("sSun_day"), before);
    form.reset();
    reopen();
    EXPECT_EQ(periods("sSun_day"), before);
}

TEST_F(SunDayTest, BadNarrowingValuesAreReportedAndChangeNothing) {
    const QStringList before = periods("sSun_day");
    const struct {
        const char* start;
        const char* end;
        const char* message;
    } cases[] = {
        {"", "1", "Введите значение сужения периода от начала."},
        {"1", "x", "\"x\" - некорректное значение для сужения периода от окончания."},
        {"-1", "1", "Значение сужения периода от начала не может быть меньше 0."},
    };
    for (const auto& c : cases) {
        form->fromStartField()->setText(c.start);
        form->fromEndField()->setText(c.end);
        EXPECT_FALSE(form->narrowFromFields()) << c.message;
        EXPECT_EQ(prompter.last(), c.message);
        EXPECT_EQ(periods("sSun_day"), before);
    }
}

TEST_F(SunDayTest, SunriseSunsetCopiesTheUpperTableMonthByMonth) {
    ASSERT_TRUE(form->narrow(1, 1));
    ASSERT_NE(periods("sSun_day"), periods("sSun_day_def"));
    ASSERT_TRUE(form->copySunriseSunset());
    EXPECT_EQ(periods("sSun_day"), periods("sSun_day_def"));
    EXPECT_TRUE(prompter.entries().empty());
}

TEST_F(SunDayTest, InsertingAndDeletingAreRefusedByTheRules) {
    EXPECT_FALSE(tbl("sSun_day").append());
    EXPECT_TRUE(prompter.last().startsWith("Добавление записей в таблицу запрещено."));
    EXPECT_FALSE(tbl("sSun_day_def").remove());
    EXPECT_TRUE(prompter.last().startsWith("Удаление записей из таблицы запрещено."));
    EXPECT_EQ(tbl("sSun_day").recordCount(), 12);
}

// ---------------------------------------------------------------- cross tables

class CrossTableTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        for (const auto& [orient, angle, tilt, k] : {std::tuple{"Юг", "180", "30", "99,3"},
                                                     {"Восток", "90", "15", "84,6"},
                                                     {"Запад", "270", "60", "72,6"},
                                                     {"Юг", "182", "30", "99"}})
            ASSERT_TRUE(
                add(tbl("Kproiz"),
                    {{"Orient", orient}, {"UgolOrient", angle}, {"UgolNakl", tilt}, {"K", k}}));
        form = std::make_unique<TSprKForm>(*dm, prompter);
        page = form->orientationPage(0);
    }
    void TearDown() override { form.reset(); }

    // The figures of the cross table: "orientation/tilt=K" for every filled cell.
    QStringList filled() const {
        const StringGrid* g = page->crossTable();
        QStringList cells;
        for (int c = 1; c < g->colCount(); ++c)
            for (int r = 1; r < g->rowCount(); ++r)
                if (!g->cell(c, r).isEmpty())
                    cells << g->cell(c, 0) + '/' + g->cell(0, r) + '=' + g->cell(c, r);
        return cells;
    }

    std::unique_ptr<TSprKForm> form;
    OrientationPage* page = nullptr;
};

TEST_F(CrossTableTest, RefreshPutsEveryRowUnderItsHeadings) {
    const StringGrid* g = page->crossTable();
    EXPECT_EQ(g->cell(0, 0), "Угол");
    EXPECT_EQ(g->colCount(), 1 + 13); // 90 to 270 by 15
    EXPECT_EQ(g->rowCount(), 1 + 10); // 15 to 60 by 5
    page->fillCrossTable();
    // 182 degrees has no column: that row is left out.
    EXPECT_EQ(filled(), QStringList({"90/15=84,6", "180/30=99,3", "270/60=72,6"}));

    View& v = page->view();
    ASSERT_TRUE(v.locate("UgolOrient", 90));
    ASSERT_TRUE(v.remove());
    page->fillCrossTable();
    EXPECT_EQ(filled(), QStringList({"180/30=99,3", "270/60=72,6"}));
}

TEST_F(CrossTableTest, FindSelectsTheCellOfTheCurrentRow) {
    page->fillCrossTable();
    View& v = page->view();
    ASSERT_TRUE(v.locate("UgolOrient", 180));
    ASSERT_TRUE(page->findCurrent());
    const StringGrid* g = page->crossTable();
    EXPECT_EQ(g->cell(g->currentColumn() + 1, 0), "180");
    EXPECT_EQ(g->cell(0, g->currentRow() + 1), "30");

    ASSERT_TRUE(v.locate("UgolOrient", 182));
    EXPECT_FALSE(page->findCurrent());
    EXPECT_EQ(prompter.last(), "Коэффициент падения производительности СЭ не найден.");
}

TEST_F(CrossTableTest, AnglesAndOrientationArePickedFromTheListsNeverTyped) {
    form->show();
    BoundGrid* g = page->grid();
    View& v = page->view();
    ASSERT_TRUE(v.first());
    const QString angle = v["UgolOrient"].asString();
    for (const int column : {0, 1, 2}) {
        g->setCurrentIndex(g->model()->index(0, column));
        QTest::keyClick(g, Qt::Key_5);
        EXPECT_FALSE(v.isEditing()) << column;
    }
    g->setCurrentIndex(g->model()->index(0, 1));
    g->edit(g->currentIndex());
    auto* list = g->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 13);
    EXPECT_EQ(list->currentText(), angle);
    QTest::keyClick(list, Qt::Key_2);
    EXPECT_EQ(list->currentText(), angle);
    // The percentage is typed as usual.
    g->setCurrentIndex(g->model()->index(0, 3));
    QTest::keyClick(g, Qt::Key_5);
    EXPECT_TRUE(v.isEditing());
}

} // namespace
