// The program-settings dialog and the battery-room catalog over a fresh database with the
// starter catalogs, offscreen.

#include "../data/fixture.h"

#include "app/ui/param_form.h"
#include "data/data_dir.h"
#include "refbooks/temp_ab_form.h"
#include "widgets/bound_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace ses;
using namespace ses::test;

namespace {

class StarterDbTest : public DbTest {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(m_tmp.isValid());
        initDataDirectory(dir(), InitContent::StarterCatalogs);
        reopen();
    }
    // B of the first region's January row, as stored.
    QString januaryTilt() {
        tbl("region0").first();
        View& months = tbl("region1");
        EXPECT_TRUE(months.locate("MonthName", QStringLiteral("январь")));
        return months["B"].asString();
    }
};

using ParamFormTest = StarterDbTest;

TEST_F(ParamFormTest, SavesANewRowAndRecomputesTheTiltsForANewDay) {
    ASSERT_TRUE(tbl("param").isEmpty());
    ASSERT_EQ(januaryTilt(), "74"); // latitude 53,75 on day 22
    TParamFrm form(*dm, prompter);
    QTimer::singleShot(0, &form, [&] {
        form.findChild<QLineEdit*>("SutGr_Pnom_Time")->setText("45");
        form.findChild<QComboBox*>("OptimUgolDay")->setCurrentText("1");
        form.accept();
    });
    EXPECT_TRUE(form.run());
    EXPECT_TRUE(prompter.entries().empty()) << prompter.last().toStdString();
    ASSERT_EQ(tbl("param").recordCount(), 1);
    EXPECT_EQ(tbl("param")["SutGr_Pnom_Time"].asInteger(), 45);
    EXPECT_EQ(tbl("param")["SutGr_Pmax_Time"].asInteger(), 10);
    EXPECT_EQ(tbl("param")["OptimUgolDay"].asInteger(), 1);
    EXPECT_EQ(januaryTilt(), "77");
}

TEST_F(ParamFormTest, RefusedEntriesSaveNothing) {
    TParamFrm form(*dm, prompter);
    form.load();
    form.findChild<QLineEdit*>("SutGr_Pnom_Time")->setText("10");
    form.findChild<QLineEdit*>("SutGr_Pmax_Time")->setText("30");
    form.findChild<QComboBox*>("OptimUgolDay")->setCurrentText("1");
    form.accept();
    EXPECT_EQ(prompter.last(),
              "Значение \"Длительность номинальной нагрузки более, мин.\" не должно быть меньше "
              "значения параметра \"Длительность максимальной нагрузки не более, мин.\".");
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_TRUE(tbl("param").isEmpty());
    EXPECT_EQ(januaryTilt(), "74");
}

class RoomsFormTest : public StarterDbTest {
protected:
    void SetUp() override {
        StarterDbTest::SetUp();
        form = std::make_unique<TsTempABF>(*dm, prompter);
    }
    void TearDown() override { form.reset(); }
    bool toRoom(int row) { return tbl("sTempAB0").moveTo(row); }
    std::unique_ptr<TsTempABF> form;
};

TEST_F(RoomsFormTest, StaysOpenOnARoomWithMissingMonths) {
    ASSERT_TRUE(toRoom(1));
    ASSERT_TRUE(tbl("sTempAB1").locate("MonthName", QStringLiteral("март")));
    ASSERT_TRUE(tbl("sTempAB1").remove());
    ASSERT_TRUE(toRoom(0));
    form->show();
    form->done(QDialog::Rejected); // "Закрыть" and the window's close button end here
    EXPECT_EQ(prompter.last(),
              "Таблица \"Температура эксплуатации АБ\" должна содержать по 12 записей для каждого "
              "помещения размещения АБ - по 1 записи для каждого месяца года. Для помещения "
              "\"Неотапливаемое помещение (климат Москвы)\" таких записей только 11. Введите "
              "записи для недостающих месяцев.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(tbl("sTempAB0").recNo(), 1);

    ASSERT_TRUE(add(tbl("sTempAB1"), {{"MonthName", "март"}, {"TempAB", "2,6"}}));
    ASSERT_TRUE(toRoom(0)); // the walk ends on the last room; closing returns here
    prompter.clear();
    form->done(QDialog::Rejected);
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(tbl("sTempAB0").recNo(), 0);
}

TEST_F(RoomsFormTest, ChoosingReturnsTheRoomAndItsTwelveTemperatures) {
    const QString room = QStringLiteral("Уличный шкаф (климат Москвы)");
    QTimer::singleShot(0, form.get(), [&] {
        EXPECT_EQ(form->roomsGrid()->currentIndex().row(), 2);
        form->accept();
    });
    const auto choice = form->choose(room);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->room, room);
    const std::vector<std::optional<double>> expected = {-7.5, -6,   -0.4, 8,   15.1, 18.7,
                                                         20.3, 18.8, 13.3, 7.1, 0.8,  -4.2};
    EXPECT_EQ(choice->temperatures, expected);

    QTimer::singleShot(0, form.get(), [&] { form->reject(); });
    EXPECT_FALSE(form->choose(room).has_value());
}

TEST_F(RoomsFormTest, MonthIsPickedFromTheListNeverTyped) {
    form->show();
    BoundGrid* grid = form->monthsGrid();
    View& months = tbl("sTempAB1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_5);
    EXPECT_FALSE(months.isEditing());
    EXPECT_EQ(months["MonthName"].asString(), "февраль");

    grid->edit(grid->currentIndex());
    auto* list = grid->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 12);
    list->setCurrentIndex(11);
    emit list->activated(11);
    EXPECT_TRUE(months.isEditing());
    EXPECT_EQ(months["MonthName"].asString(), "декабрь");
    months.cancel();
}

} // namespace
