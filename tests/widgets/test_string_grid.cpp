#include "fixture.h"
#include "widgets/string_grid.h"

#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>

namespace ses::test {
namespace {

TEST(StringGrid, FixedRowAndColumnAreCountedInTheCellAddresses) {
    StringGrid g;
    g.setFixedRow(true);
    g.setFixedCol(true);
    g.setColCount(3);
    g.setRowCount(4);
    EXPECT_EQ(g.colCount(), 3);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.QTableWidget::columnCount(), 2);
    EXPECT_EQ(g.QTableWidget::rowCount(), 3);

    struct Case {
        int col, row;
        QString text;
    };
    const Case cases[] = {{0, 0, "№"}, {1, 0, "Тип"}, {2, 0, " Рном., Вт"}, {0, 1, "1"},
                          {0, 3, "3"}, {1, 1, "AGM"}, {2, 3, "0,9"}};
    for (const Case& c : cases)
        g.setCell(c.col, c.row, c.text);
    for (const Case& c : cases)
        EXPECT_EQ(g.cell(c.col, c.row), c.text) << c.col << "," << c.row;

    // Titles are the frozen headers; figures are the cells.
    EXPECT_EQ(g.horizontalHeaderItem(1)->text(), " Рном., Вт");
    EXPECT_EQ(g.verticalHeaderItem(2)->text(), "3");
    EXPECT_EQ(g.item(2, 1)->text(), "0,9");
    EXPECT_EQ(g.cell(2, 2), "");

    g.clearCells();
    EXPECT_EQ(g.cell(2, 3), "");
    EXPECT_EQ(g.cell(1, 0), "Тип");

    EXPECT_THROW(g.cell(3, 0), std::out_of_range);
    EXPECT_THROW(g.setCell(0, 4, "x"), std::out_of_range);
}

TEST(StringGrid, WithoutFixedCellsEveryCellIsAFigure) {
    StringGrid g;
    g.setColCount(2);
    g.setRowCount(2);
    g.setCell(1, 0, "x");
    EXPECT_EQ(g.item(0, 1)->text(), "x");
    EXPECT_TRUE(g.horizontalHeader()->isHidden());
}

// A cell's background follows its grid address (fixed row and column counted in), survives a new
// text, and an invalid colour gives it back to the palette; titles keep the header's.
TEST(StringGrid, CellBackgroundsByGridAddress) {
    StringGrid g;
    g.setFixedRow(true);
    g.setFixedCol(true);
    g.setColCount(3);
    g.setRowCount(3);
    g.setCellBackground(2, 1, QColor(0, 255, 255)); // a cell never written
    EXPECT_EQ(g.item(0, 1)->background().color(), QColor(0, 255, 255));
    g.setCell(2, 1, "12,5");
    EXPECT_EQ(g.cellBackground(2, 1), QColor(0, 255, 255));
    EXPECT_EQ(g.cellBackground(1, 1), QColor());
    g.setCellBackground(2, 1, QColor());
    EXPECT_EQ(g.cellBackground(2, 1), QColor());
    EXPECT_THROW(g.setCellBackground(1, 0, Qt::yellow), std::out_of_range);
    EXPECT_THROW(g.setCellBackground(3, 1, Qt::yellow), std::out_of_range);
}

TEST(StringGrid, ReadOnlyColumnsOpenNoEditorAndNumberColumnsFilterKeys) {
    StringGrid g;
    g.setFixedCol(true);
    g.setColCount(4);
    g.setRowCount(2);
    g.setColumnReadOnly(1, true);
    g.setColumnKind(2, NumberField::Kind::Decimal);
    QStyleOptionViewItem option;
    auto editor = [&](int col) {
        return g.itemDelegate()->createEditor(g.viewport(), option, g.model()->index(0, col - 1));
    };
    EXPECT_EQ(editor(1), nullptr);
    QWidget* number = editor(2);
    ASSERT_NE(qobject_cast<NumberField*>(number), nullptr);
    EXPECT_FALSE(static_cast<NumberField*>(number)->leaveCheck());
    QWidget* text = editor(3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(qobject_cast<NumberField*>(text), nullptr);
    g.setReadOnly(true);
    EXPECT_EQ(editor(3), nullptr);
}

// A shown grid of 8 columns (the first two frozen, 60 and 70 wide) and 40 rows of "col:row"
// figures, too small for them either way.
class FrozenGrid : public ::testing::Test {
protected:
    void SetUp() override {
        g.setFixedRow(true);
        // Frozen before the columns are made: the ones added later are laid out alike.
        g.setFrozenCols(2);
        g.setColCount(8);
        g.setRowCount(41);
        for (int c = 0; c < 8; ++c) {
            g.setColWidth(c, 60 + 10 * c);
            for (int r = 1; r < 41; ++r)
                g.setCell(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        }
        g.setSelectionBehavior(QAbstractItemView::SelectRows);
        g.resize(300, 200);
        ASSERT_TRUE(showActive(g));
        frozen = g.frozenView();
        ASSERT_NE(frozen, nullptr);
    }
    QModelIndex at(int row, int col) const { return g.model()->index(row, col); }
    // Where a cell of `view` shows, in the grid's coordinates.
    QRect shown(const QTableView* view, const QModelIndex& index) const {
        const QRect r = view->visualRect(index);
        return QRect(view->viewport()->mapTo(&g, r.topLeft()), r.size());
    }

    StringGrid g;
    QTableView* frozen = nullptr;
};

TEST_F(FrozenGrid, FrozenColumnsStayOverTheScrolledOnesAndRowsStayInStep) {
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(frozen->isColumnHidden(c), c >= 2) << c;
    EXPECT_EQ(frozen->columnWidth(1), 70);
    // From the top of the titles to the bottom of the rows, over the two columns and the line
    // after them.
    const QRect rows = g.viewport()->geometry();
    EXPECT_EQ(frozen->geometry(), QRect(rows.left(), g.horizontalHeader()->y(), 60 + 70 + 1,
                                        rows.bottom() + 1 - g.horizontalHeader()->y()));
    EXPECT_EQ(frozen->horizontalHeader()->height(), g.horizontalHeader()->height());

    QScrollBar* across = g.horizontalScrollBar();
    QScrollBar* down = g.verticalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    ASSERT_GT(down->maximum(), 0);
    across->setValue(across->maximum());
    down->setValue(down->maximum());
    ASSERT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->verticalScrollBar()->value(), down->value());
    // The last row's frozen cells are at the left edge, level with its scrolled cells.
    const QRect name = shown(frozen, at(39, 0));
    const QRect power = shown(frozen, at(39, 1));
    const QRect last = shown(&g, at(39, 7));
    EXPECT_EQ(name.left(), rows.left());
    EXPECT_EQ(power.left(), rows.left() + 60);
    EXPECT_EQ(power.top(), last.top());
    EXPECT_EQ(power.height(), last.height());
    EXPECT_TRUE(rows.contains(last.center()));
    EXPECT_EQ(frozen->indexAt(frozen->viewport()->mapFrom(&g, power.center())), at(39, 1));

    // A frozen cell made current scrolls the rows only; a scrolling one comes out from under
    // the frozen columns.
    g.setCurrentCell(1, 0);
    EXPECT_EQ(g.visualRect(at(1, 0)).top(), 0);
    EXPECT_EQ(frozen->verticalScrollBar()->value(), down->value());
    EXPECT_EQ(across->value(), across->maximum());
    g.setCurrentCell(0, 2);
    EXPECT_EQ(g.visualRect(at(0, 2)).left(), 60 + 70);
}

TEST_F(FrozenGrid, SelectionIsSharedAndAClickInAFrozenCellSelectsItsRow) {
    EXPECT_EQ(frozen->selectionModel(), g.selectionModel());
    QSignalSpy doubleClicks(&g, &QTableWidget::cellDoubleClicked);
    const QPoint cell = frozen->visualRect(at(3, 1)).center();
    QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(g.selectedItems().size(), 8);
    QTest::mouseDClick(frozen->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(doubleClicks.size(), 1);
    EXPECT_EQ(doubleClicks[0], QVariantList({3, 1}));
    // The grid opens no editor under the frozen columns, even in a column open to typing.
    QStyleOptionViewItem option;
    EXPECT_EQ(g.itemDelegate()->createEditor(g.viewport(), option, at(3, 1)), nullptr);
    EXPECT_NE(g.itemDelegate()->createEditor(g.viewport(), option, at(3, 2)), nullptr);

    g.setCurrentCell(5, 4);
    EXPECT_TRUE(frozen->selectionModel()->isRowSelected(5, {}));
    EXPECT_EQ(frozen->currentIndex(), at(5, 4));
}

TEST(StringGrid, FrozenColumnsCountTheFixedOneAndNoneRemovesTheOverlay) {
    StringGrid g;
    g.setFixedCol(true);
    g.setColCount(5);
    g.setFrozenCols(3); // the row titles and two columns of figures
    ASSERT_NE(g.frozenView(), nullptr);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.frozenView()->isColumnHidden(c), c >= 2) << c;
    const QPointer<QTableView> overlay = g.frozenView();
    for (const int count : {1, 0}) { // the row titles are in place without it
        g.setFrozenCols(count);
        EXPECT_EQ(g.frozenView(), nullptr) << count;
    }
    EXPECT_TRUE(overlay.isNull());
    g.setFixedCol(false);
    g.setFrozenCols(1);
    EXPECT_NE(g.frozenView(), nullptr);
}

} // namespace
} // namespace ses::test
