#include "fixture.h"
#include "widgets/bound_grid.h"
#include "widgets/navigator.h"
#include "widgets/view_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

namespace ses::test {
namespace {

std::vector<GridColumn> columns() {
    return {{"Name", "Наименование", true, 120},
            {"Pnom", "Рном., Вт", false, 0},
            {"ClearSinus", "Синус", true, 0}};
}

QStringList rowTexts(const QAbstractItemModel& m, int row) {
    QStringList r;
    for (int c = 0; c < m.columnCount(); ++c)
        r << m.data(m.index(row, c)).toString();
    return r;
}

QStringList names(const QAbstractItemModel& m) {
    QStringList r;
    for (int i = 0; i < m.rowCount(); ++i)
        r << m.data(m.index(i, 0)).toString();
    return r;
}

using ModelTest = ViewTest;

TEST_F(ModelTest, ShowsRowsAsTheFieldsWriteThemWithoutMovingTheView) {
    addThree();
    ViewTableModel m(*view, columns());
    ASSERT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Рном., Вт");
    EXPECT_EQ(rowTexts(m, 0), (QStringList{"Лампа", "24", "-"}));
    EXPECT_EQ(rowTexts(m, 1), (QStringList{"Насос", "0,9", "+"}));
    EXPECT_EQ(rowTexts(m, 2), (QStringList{"Чайник", "", ""}));
    EXPECT_EQ(view->recNo(), 0);
}

TEST_F(ModelTest, FollowsInsertPostAndDelete) {
    addThree();
    ViewTableModel m(*view, columns());

    ASSERT_TRUE(view->append());
    EXPECT_EQ(m.rowCount(), 4); // the row being inserted, last
    EXPECT_EQ(m.currentRow(), 3);
    (*view)["Name"].setString("Миксер");
    (*view)["Pnom"].setString("1,5");
    ASSERT_TRUE(view->post());
    EXPECT_EQ(names(m), (QStringList{"Лампа", "Миксер", "Насос", "Чайник"}));
    EXPECT_EQ(rowTexts(m, 1), (QStringList{"Миксер", "1,5", ""}));

    ASSERT_TRUE(view->moveTo(0));
    ASSERT_TRUE(view->remove());
    EXPECT_EQ(names(m), (QStringList{"Миксер", "Насос", "Чайник"}));

    ASSERT_TRUE(view->append());
    view->cancel();
    EXPECT_EQ(m.rowCount(), 3);
}

TEST_F(ModelTest, EditsTheRowThroughTheViewAndLeavesSavingToLeavingIt) {
    addThree();
    ViewTableModel m(*view, columns());
    m.setPrompter(&prompter);

    ASSERT_TRUE(m.setData(m.index(1, 1), "2,5"));
    EXPECT_EQ(view->recNo(), 1);
    EXPECT_EQ(view->state(), ViewState::Edit);
    EXPECT_EQ(m.data(m.index(1, 1)).toString(), "2,5");

    ASSERT_TRUE(view->moveTo(2)); // leaving the row saves it
    EXPECT_EQ(rowTexts(m, 1), (QStringList{"Насос", "2,5", "+"}));
}

TEST_F(ModelTest, RefusalsLeaveModelAndViewAsTheyWere) {
    addThree();
    ViewTableModel m(*view, columns());
    m.setPrompter(&prompter);

    EXPECT_FALSE(m.setData(m.index(0, 0), "Новое")) << "a read-only column";
    EXPECT_FALSE(m.flags(m.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(m.flags(m.index(0, 1)).testFlag(Qt::ItemIsEditable));

    view->beforeEdit = [](View&) { throw Abort(); };
    EXPECT_FALSE(m.setData(m.index(0, 1), "5"));
    EXPECT_EQ(view->state(), ViewState::Browse);
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), "24");

    view->beforeEdit = nullptr;
    view->beforeScroll = [](View&) { throw Abort(); };
    EXPECT_FALSE(m.setData(m.index(2, 1), "5"));
    EXPECT_EQ(view->recNo(), 0);
    EXPECT_EQ(view->state(), ViewState::Browse);

    EXPECT_FALSE(m.setData(m.index(0, 1), "abc"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), "24");
    EXPECT_EQ(prompter.entries().size(), 1u) << "the bad value is reported";
    EXPECT_TRUE(prompter.last().contains("abc"));

    m.setReadOnly(true);
    EXPECT_FALSE(m.flags(m.index(0, 1)).testFlag(Qt::ItemIsEditable));
}

class GridTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        addThree();
        grid = std::make_unique<BoundGrid>(*view, columns());
        grid->setPrompter(&prompter);
        grid->resize(400, 200);
        ASSERT_TRUE(showActive(*grid));
    }
    void TearDown() override {
        grid.reset();
        ViewTest::TearDown();
    }
    void clickRow(int row) {
        const QRect r = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    }
    int gridRow() const { return grid->currentIndex().row(); }

    std::unique_ptr<BoundGrid> grid;
};

TEST_F(GridTest, GridAndViewKeepTheirRowsInStepBothWays) {
    QSignalSpy rows(grid.get(), &BoundGrid::currentRowChanged);
    EXPECT_EQ(gridRow(), 0);

    clickRow(2);
    EXPECT_EQ(view->recNo(), 2);
    EXPECT_EQ(gridRow(), 2);

    QTest::keyClick(grid.get(), Qt::Key_Up);
    EXPECT_EQ(view->recNo(), 1);
    EXPECT_EQ(gridRow(), 1);

    ASSERT_TRUE(view->first());
    EXPECT_EQ(gridRow(), 0);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(0, {}));

    grid->setCurrentIndex(grid->model()->index(2, 0));
    EXPECT_EQ(view->recNo(), 2);

    ASSERT_EQ(rows.count(), 4);
    EXPECT_EQ(rows.at(3).at(0).toInt(), 2);
}

TEST_F(GridTest, RefusedMoveKeepsTheGridOnTheViewsRow) {
    view->beforeScroll = [](View&) { throw Abort(); };

    clickRow(2);
    EXPECT_EQ(view->recNo(), 0);
    EXPECT_EQ(gridRow(), 0);

    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(gridRow(), 0);

    grid->setCurrentIndex(grid->model()->index(1, 0));
    EXPECT_EQ(view->recNo(), 0);
    EXPECT_EQ(gridRow(), 0);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(0, {}));
    EXPECT_FALSE(grid->selectionModel()->isRowSelected(1, {}));
}

TEST_F(GridTest, ColumnsTakeTheirWidthsAndTheLastStretches) {
    EXPECT_EQ(grid->columnWidth(0), 120);
    EXPECT_TRUE(grid->horizontalHeader()->stretchLastSection());
    grid->setReadOnly(true);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(GridTest, NameColumnTakesTheSpareWidthButNeverCutsItsTexts) {
    add(QStringLiteral("Насос скважинный с частотным преобразователем"), QStringLiteral("750"),
        QStringLiteral("+"));
    BoundGrid named(*view, {{"Name", "Наименование", true, 60, true},
                            {"Pnom", "Рном., Вт", true, 0},
                            {"ClearSinus", "Синус", true, 0}});
    named.fitColumns();
    named.resize(1200, 200);
    named.show();
    QApplication::processEvents();
    const int others = named.columnWidth(1) + named.columnWidth(2);
    EXPECT_EQ(named.columnWidth(0), named.viewport()->width() - others); // the spare width
    EXPECT_FALSE(named.horizontalHeader()->stretchLastSection());
    const int wide = named.columnWidth(0);
    named.resize(200, 200); // too narrow: the grid scrolls, the name stays whole
    QApplication::processEvents();
    EXPECT_GE(named.columnWidth(0), named.fontMetrics().horizontalAdvance(
                                        "Насос скважинный с частотным преобразователем"));
    EXPECT_LT(named.columnWidth(0), wide);
}

TEST_F(GridTest, InsertedRowIsFollowedToItsPlace) {
    ASSERT_TRUE(view->append());
    EXPECT_EQ(gridRow(), 3) << "the row being inserted is the extra last one";
    (*view)["Name"].setString("Аэратор");
    ASSERT_TRUE(view->post());
    EXPECT_EQ(view->recNo(), 0);
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 0)).toString(), "Аэратор");
}

using NavigatorTest = ViewTest;
using B = Navigator::Button;

TEST_F(NavigatorTest, ButtonsFollowTheViewsState) {
    struct Case {
        const char* name;
        std::function<void(View&)> setUp;
        std::vector<B> enabled;
    };
    const std::vector<Case> cases = {
        {"browse, first row",
         [](View& v) { v.first(); },
         {B::Next, B::Last, B::Insert, B::Delete, B::Edit, B::Refresh}},
        {"browse, middle row",
         [](View& v) { v.moveTo(1); },
         {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Edit, B::Refresh}},
        {"browse, last row",
         [](View& v) { v.last(); },
         {B::First, B::Prior, B::Insert, B::Delete, B::Edit, B::Refresh}},
        {"edit",
         [](View& v) { v.moveTo(1), v.edit(); },
         {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Post, B::Cancel}},
        {"insert",
         [](View& v) { v.append(); },
         {B::First, B::Prior, B::Insert, B::Delete, B::Post, B::Cancel}},
    };
    addThree();
    Navigator nav(*view);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view->cancel();
        c.setUp(*view);
        for (B b : {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Edit, B::Post,
                    B::Cancel, B::Refresh}) {
            const bool expected =
                std::find(c.enabled.begin(), c.enabled.end(), b) != c.enabled.end();
            EXPECT_EQ(nav.button(b)->isEnabled(), expected)
                << nav.button(b)->toolTip().toStdString();
        }
    }
}

TEST_F(NavigatorTest, EmptyViewOffersOnlyInsertEditAndRefresh) {
    Navigator nav(*view);
    for (B b : {B::First, B::Prior, B::Next, B::Last, B::Delete, B::Post, B::Cancel})
        EXPECT_FALSE(nav.button(b)->isEnabled()) << nav.button(b)->toolTip().toStdString();
    for (B b : {B::Insert, B::Edit, B::Refresh})
        EXPECT_TRUE(nav.button(b)->isEnabled()) << nav.button(b)->toolTip().toStdString();
}

TEST_F(NavigatorTest, DeleteAsksFirst) {
    addThree();
    Navigator nav(*view);
    nav.setPrompter(&prompter);

    prompter.answer(false);
    QTest::mouseClick(nav.button(B::Delete), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), QStringList{"Удалить запись?"});
    EXPECT_EQ(view->recordCount(), 3);

    prompter.answer(true);
    QTest::mouseClick(nav.button(B::Delete), Qt::LeftButton);
    EXPECT_EQ(view->recordCount(), 2);
    EXPECT_EQ(view->valueAt(0, 1).toString(), "Насос");
}

TEST_F(NavigatorTest, PostSavesTheOpenCellEditorFirst) {
    addThree();
    BoundGrid grid(*view, columns());
    Navigator nav(*view, &grid);
    grid.resize(400, 200);
    ASSERT_TRUE(showActive(grid));
    const QModelIndex cell = grid.model()->index(0, 1);
    grid.setCurrentIndex(cell);
    grid.edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(view->state(), ViewState::Browse) << "opening a cell changes nothing yet";
    editor->selectAll();
    QTest::keyClicks(editor, "30");
    EXPECT_EQ(view->state(), ViewState::Edit) << "typing starts editing the row";

    nav.click(B::Post);

    EXPECT_EQ(view->state(), ViewState::Browse);
    EXPECT_EQ((*view)["Pnom"].asString(), "30");
}

TEST(NavigatorLayout, VisibleButtonsFollowTheFlags) {
    QTemporaryDir tmp;
    auto store = Store::create(tmp.path() + "/Data");
    View view(*store, "sEP");
    Navigator nav(view);
    nav.setVisibleButtons(Navigator::First | Navigator::Last | Navigator::Post);
    EXPECT_FALSE(nav.button(B::First)->isHidden());
    EXPECT_TRUE(nav.button(B::Prior)->isHidden());
    EXPECT_FALSE(nav.button(B::Post)->isHidden());
    EXPECT_EQ(nav.button(B::Post)->toolTip(), "Сохранить изменения");
}

} // namespace
} // namespace ses::test
