#include "fixture.h"
#include "widgets/string_grid.h"

#include <QHeaderView>

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

} // namespace
} // namespace ses::test
