#include "widgets/string_grid.h"

#include "widgets/cell_delegate.h"
#include "widgets/frozen_columns.h"
#include "widgets/look.h"

#include <QHeaderView>
#include <QScrollBar>

#include <stdexcept>

namespace ses {

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Titles stay plain when a row is selected, as in every grid.
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    setWordWrap(false);
    setItemDelegate(new CellDelegate(
        [this](int column) -> std::optional<NumberField::Kind> {
            const auto it = m_kinds.find(column + (m_fixedCol ? 1 : 0));
            return it == m_kinds.end() ? std::nullopt : std::optional(it->second);
        },
        [this](int column) {
            return (m_frozen && column < m_frozen->count()) ||
                   isColumnReadOnly(column + (m_fixedCol ? 1 : 0));
        },
        this));
}

StringGrid::~StringGrid() = default;

void StringGrid::setFixedRow(bool on) {
    if (on == m_fixedRow)
        return;
    const int rows = rowCount();
    m_fixedRow = on;
    horizontalHeader()->setVisible(on);
    setRowCount(rows);
}

void StringGrid::setFixedCol(bool on) {
    if (on == m_fixedCol)
        return;
    const int cols = colCount();
    m_fixedCol = on;
    verticalHeader()->setVisible(on);
    setColCount(cols);
    freeze();
}

void StringGrid::setFrozenCols(int count) {
    m_frozenCols = std::max(0, count);
    freeze();
}

void StringGrid::freeze() {
    // The fixed column is the vertical header, in place already.
    const int count = m_frozenCols - (m_fixedCol ? 1 : 0);
    if (m_frozen && m_frozen->count() == count)
        return;
    m_frozen.reset();
    if (count > 0)
        m_frozen = std::make_unique<FrozenColumns>(this, new QTableView(this), count);
}

QTableView* StringGrid::frozenView() const {
    return m_frozen ? m_frozen->overlay() : nullptr;
}

void StringGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    if (m_frozen)
        m_frozen->place();
}

void StringGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    if (m_frozen)
        m_frozen->place();
}

void StringGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int x = horizontalScrollBar()->value();
    QTableWidget::scrollTo(index, hint);
    if (m_frozen)
        m_frozen->scrolledTo(index, x);
}

void StringGrid::setColCount(int count) {
    QTableWidget::setColumnCount(std::max(0, count - (m_fixedCol ? 1 : 0)));
    fillTitles();
}

int StringGrid::colCount() const {
    return QTableWidget::columnCount() + (m_fixedCol ? 1 : 0);
}

void StringGrid::setRowCount(int count) {
    QTableWidget::setRowCount(std::max(0, count - (m_fixedRow ? 1 : 0)));
    fillTitles();
}

void StringGrid::fillTitles() {
    // A header section without an item shows its number; a title not written yet is empty.
    for (int c = 0; c < QTableWidget::columnCount(); ++c)
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < QTableWidget::rowCount(); ++r)
        if (!verticalHeaderItem(r))
            setVerticalHeaderItem(r, new QTableWidgetItem());
}

int StringGrid::rowCount() const {
    return QTableWidget::rowCount() + (m_fixedRow ? 1 : 0);
}

void StringGrid::checkCell(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        throw std::out_of_range("StringGrid: cell (" + std::to_string(col) + ", " +
                                std::to_string(row) + ") is outside the grid");
}

QString StringGrid::cell(int col, int row) const {
    checkCell(col, row);
    const int c = col - (m_fixedCol ? 1 : 0);
    const int r = row - (m_fixedRow ? 1 : 0);
    const QTableWidgetItem* item = nullptr;
    if (c < 0 && r < 0)
        return m_corner;
    if (r < 0)
        item = horizontalHeaderItem(c);
    else if (c < 0)
        item = verticalHeaderItem(r);
    else
        item = QTableWidget::item(r, c);
    return item ? item->text() : QString();
}

void StringGrid::setCellBackground(int col, int row, const QColor& colour) {
    checkCell(col, row);
    const int c = col - (m_fixedCol ? 1 : 0);
    const int r = row - (m_fixedRow ? 1 : 0);
    if (c < 0 || r < 0)
        throw std::out_of_range("StringGrid: a title cell has the header's background");
    QTableWidgetItem* item = QTableWidget::item(r, c);
    if (!item) {
        setCell(col, row, QString());
        item = QTableWidget::item(r, c);
    }
    item->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
}

QColor StringGrid::cellBackground(int col, int row) const {
    checkCell(col, row);
    const int c = col - (m_fixedCol ? 1 : 0);
    const int r = row - (m_fixedRow ? 1 : 0);
    const QTableWidgetItem* item = c < 0 || r < 0 ? nullptr : QTableWidget::item(r, c);
    return item && item->background().style() != Qt::NoBrush ? item->background().color()
                                                             : QColor();
}

void StringGrid::setCell(int col, int row, const QString& text) {
    checkCell(col, row);
    const int c = col - (m_fixedCol ? 1 : 0);
    const int r = row - (m_fixedRow ? 1 : 0);
    if (c < 0 && r < 0) {
        m_corner = text;
        return;
    }
    QTableWidgetItem* item = r < 0   ? horizontalHeaderItem(c)
                             : c < 0 ? verticalHeaderItem(r)
                                     : QTableWidget::item(r, c);
    if (r < 0) {
        if (item)
            item->setText(text);
        else
            setHorizontalHeaderItem(c, new QTableWidgetItem(text));
    } else if (c < 0) {
        if (item)
            item->setText(text);
        else
            setVerticalHeaderItem(r, new QTableWidgetItem(text));
    } else if (QTableWidgetItem* cellItemNow = QTableWidget::item(r, c)) {
        // A figure is right-aligned and a text left-aligned, whatever the cell held before.
        cellItemNow->setText(text);
        cellItemNow->setTextAlignment(alignmentFor(text));
    } else {
        setItem(r, c, cellItem(text));
    }
}

void StringGrid::clearCells() {
    clearContents();
}

void StringGrid::setColWidth(int col, int width) {
    if (m_fixedCol && col == 0)
        verticalHeader()->setFixedWidth(width);
    else
        setColumnWidth(col - (m_fixedCol ? 1 : 0), width);
}

void StringGrid::setColumnReadOnly(int col, bool readOnly) {
    if (readOnly)
        m_readOnlyCols.insert(col);
    else
        m_readOnlyCols.erase(col);
}

bool StringGrid::isColumnReadOnly(int col) const {
    return m_readOnly || m_readOnlyCols.count(col) > 0;
}

void StringGrid::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
}

void StringGrid::setRowList(const QStringList& titles) {
    setFixedRow(true);
    setColCount(int(titles.size()));
    for (int c = 0; c < titles.size(); ++c)
        setCell(c, 0, titles[c]);
    setReadOnly(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void StringGrid::setVisibleRows(int rows) {
    setMinimumHeight(horizontalHeader()->sizeHint().height() +
                     rows * verticalHeader()->defaultSectionSize() + 4);
}

void StringGrid::setColumnKind(int col, NumberField::Kind kind) {
    m_kinds[col] = kind;
}

} // namespace ses
