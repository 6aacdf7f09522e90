#pragma once
// A grid of plain texts: selection and analysis windows keep their working figures in it as
// text while they are open. Cells are addressed (column, row) with the optional fixed first
// row and fixed first column counted in: with a fixed row, row 0 holds the column titles
// (shown as the frozen header) and the rows of figures start at 1; with a fixed column,
// column 0 holds the row titles. rowCount()/setRowCount() count the same way (they hide
// QTableWidget's own, which count the rows of figures only).

#include "widgets/number_field.h"

#include <QTableWidget>

#include <map>
#include <set>

namespace ses {

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    void setFixedRow(bool on);
    bool hasFixedRow() const { return m_fixedRow; }
    void setFixedCol(bool on);
    bool hasFixedCol() const { return m_fixedCol; }

    void setColCount(int count);
    int colCount() const;
    void setRowCount(int count);
    int rowCount() const;

    // An empty text for a cell that was never written. Throws std::out_of_range outside the grid.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Empties every cell of figures; titles stay.
    void clearCells();

    void setColWidth(int col, int width);

    // Whether a column (grid numbering) can be typed into; every column can by default.
    void setColumnReadOnly(int col, bool readOnly);
    bool isColumnReadOnly(int col) const;
    void setReadOnly(bool readOnly);
    // Typing in a column goes through the number key filter of this kind.
    void setColumnKind(int col, NumberField::Kind kind);

private:
    void checkCell(int col, int row) const;
    void fillTitles();

    bool m_fixedRow = false;
    bool m_fixedCol = false;
    bool m_readOnly = false;
    QString m_corner; // cell (0, 0) when both the row and the column are fixed
    std::set<int> m_readOnlyCols;
    std::map<int, NumberField::Kind> m_kinds;
};

} // namespace ses
