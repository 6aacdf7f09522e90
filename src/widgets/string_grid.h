#pragma once
// A grid of plain texts: selection and analysis windows keep their working figures in it as
// text while they are open. Cells are addressed (column, row) with the optional fixed first
// row and fixed first column counted in: with a fixed row, row 0 holds the column titles
// (shown as the frozen header) and the rows of figures start at 1; with a fixed column,
// column 0 holds the row titles. rowCount()/setRowCount() count the same way (they hide
// QTableWidget's own, which count the rows of figures only). Leading columns can be frozen: they
// stay at the left edge while the others scroll (see FrozenColumns).

#include "widgets/number_field.h"

#include <QColor>
#include <QTableWidget>

#include <map>
#include <memory>
#include <set>

namespace ses {

class FrozenColumns;

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    void setFixedRow(bool on);
    bool hasFixedRow() const { return m_fixedRow; }
    void setFixedCol(bool on);
    bool hasFixedCol() const { return m_fixedCol; }
    // The first `count` columns (a fixed column counted in) stay in place while the others
    // scroll; 0 lets every column scroll. Frozen cells are shown only, never typed into.
    void setFrozenCols(int count);
    int frozenCols() const { return m_frozenCols; }
    // The view lying over the frozen columns; null when none is frozen.
    QTableView* frozenView() const;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    void setColCount(int count);
    int colCount() const;
    void setRowCount(int count);
    int rowCount() const;

    // An empty text for a cell that was never written. Throws std::out_of_range outside the grid.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // The background of a cell of figures (a title keeps the header's); an invalid colour gives
    // the cell back to the palette. Throws std::out_of_range outside the grid or on a title.
    void setCellBackground(int col, int row, const QColor& colour);
    QColor cellBackground(int col, int row) const;
    // Empties every cell of figures; titles stay.
    void clearCells();

    void setColWidth(int col, int width);

    // Whether a column (grid numbering) can be typed into; every column can by default.
    void setColumnReadOnly(int col, bool readOnly);
    bool isColumnReadOnly(int col) const;
    void setReadOnly(bool readOnly);
    // A read-only list of rows under fixed titles (row 0), one whole row selected at a time: how
    // the selection and result windows show their lists.
    void setRowList(const QStringList& titles);
    // The least height that shows the titles and `rows` rows without scrolling.
    void setVisibleRows(int rows);
    // Typing in a column goes through the number key filter of this kind.
    void setColumnKind(int col, NumberField::Kind kind);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    void freeze();
    void checkCell(int col, int row) const;
    void fillTitles();

    bool m_fixedRow = false;
    bool m_fixedCol = false;
    bool m_readOnly = false;
    int m_frozenCols = 0;
    std::unique_ptr<FrozenColumns> m_frozen;
    QString m_corner; // cell (0, 0) when both the row and the column are fixed
    std::set<int> m_readOnlyCols;
    std::map<int, NumberField::Kind> m_kinds;
};

} // namespace ses
