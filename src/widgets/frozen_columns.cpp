#include "widgets/frozen_columns.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace ses {

FrozenColumns::FrozenColumns(QTableView* table, QTableView* overlay, int count)
    : m_table(table), m_overlay(overlay), m_count(std::max(0, count)) {
    if (m_overlay->parent() != m_table)
        m_overlay->setParent(m_table);
    m_overlay->verticalHeader()->hide();
    m_overlay->setFocusPolicy(Qt::NoFocus); // a click gives the focus to the table
    m_overlay->setFrameShape(QFrame::NoFrame);
    m_overlay->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_overlay->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A line between the fixed columns and the ones scrolling under them.
    m_overlay->setStyleSheet(
        QStringLiteral("QTableView { border-right: 1px solid palette(dark); }"));
    // Scrolling by pixels, so that the first scrolling column starts right at the line.
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->viewport()->stackUnder(m_overlay);
    m_overlay->raise(); // over the header too
    m_overlay->show();

    QScrollBar* ownRows = m_overlay->verticalScrollBar();
    QScrollBar* rows = m_table->verticalScrollBar();
    QObject::connect(ownRows, &QAbstractSlider::valueChanged, rows, &QAbstractSlider::setValue);
    QObject::connect(rows, &QAbstractSlider::valueChanged, ownRows, &QAbstractSlider::setValue);
    QObject::connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, m_overlay,
                     [this](int column, int, int size) {
                         if (column < m_count) {
                             m_overlay->setColumnWidth(column, size);
                             place();
                         }
                     });
    QObject::connect(m_table->verticalHeader(), &QHeaderView::sectionResized, m_overlay,
                     [this](int row, int, int size) { m_overlay->setRowHeight(row, size); });
    // Clicks in the frozen cells are the table's.
    QObject::connect(m_overlay, &QAbstractItemView::clicked, m_table, &QAbstractItemView::clicked);
    QObject::connect(m_overlay, &QAbstractItemView::doubleClicked, m_table,
                     &QAbstractItemView::doubleClicked);
    QObject::connect(m_overlay, &QAbstractItemView::activated, m_table,
                     &QAbstractItemView::activated);
    modelChanged();
}

FrozenColumns::~FrozenColumns() {
    delete m_overlay;
}

int FrozenColumns::width() const {
    const int columns = m_table->model() ? m_table->model()->columnCount() : 0;
    int width = 0;
    for (int c = 0; c < std::min(m_count, columns); ++c)
        if (!m_table->isColumnHidden(c))
            width += m_table->columnWidth(c);
    return width;
}

void FrozenColumns::modelChanged() {
    QAbstractItemModel* model = m_table->model();
    if (model != m_overlay->model()) {
        if (m_overlay->model())
            QObject::disconnect(m_overlay->model(), nullptr, m_overlay, nullptr);
        m_overlay->setModel(model);
        // The overlay's header has taken the new columns first: they are hidden after it.
        if (model) {
            const auto refit = [this] { fitColumns(); };
            QObject::connect(model, &QAbstractItemModel::columnsInserted, m_overlay, refit);
            QObject::connect(model, &QAbstractItemModel::columnsRemoved, m_overlay, refit);
            QObject::connect(model, &QAbstractItemModel::modelReset, m_overlay, refit);
        }
    }
    if (m_table->selectionModel())
        m_overlay->setSelectionModel(m_table->selectionModel());
    fitColumns();
}

void FrozenColumns::fitColumns() {
    const int columns = m_table->model() ? m_table->model()->columnCount() : 0;
    for (int c = 0; c < columns; ++c) {
        m_overlay->setColumnHidden(c, c >= m_count || m_table->isColumnHidden(c));
        if (c < m_count)
            m_overlay->setColumnWidth(c, m_table->columnWidth(c));
    }
    place();
}

void FrozenColumns::follow() {
    QTableView* t = m_table;
    QTableView* o = m_overlay;
    o->setSelectionBehavior(t->selectionBehavior());
    o->setSelectionMode(t->selectionMode());
    if (o->verticalScrollMode() != t->verticalScrollMode())
        o->setVerticalScrollMode(t->verticalScrollMode());
    if (o->showGrid() != t->showGrid())
        o->setShowGrid(t->showGrid());
    if (o->gridStyle() != t->gridStyle())
        o->setGridStyle(t->gridStyle());
    if (o->wordWrap() != t->wordWrap())
        o->setWordWrap(t->wordWrap());
    if (o->textElideMode() != t->textElideMode())
        o->setTextElideMode(t->textElideMode());
    if (o->alternatingRowColors() != t->alternatingRowColors())
        o->setAlternatingRowColors(t->alternatingRowColors());

    // Rows of the same heights.
    const QHeaderView* rows = t->verticalHeader();
    QHeaderView* ownRows = o->verticalHeader();
    if (ownRows->minimumSectionSize() != rows->minimumSectionSize())
        ownRows->setMinimumSectionSize(rows->minimumSectionSize());
    if (ownRows->defaultSectionSize() != rows->defaultSectionSize())
        ownRows->setDefaultSectionSize(rows->defaultSectionSize());

    // The same titles over the frozen columns, at the height of the table's.
    const QHeaderView* titles = t->horizontalHeader();
    QHeaderView* ownTitles = o->horizontalHeader();
    if (ownTitles->isHidden() != titles->isHidden())
        ownTitles->setHidden(titles->isHidden());
    if (ownTitles->highlightSections() != titles->highlightSections())
        ownTitles->setHighlightSections(titles->highlightSections());
    if (!titles->isHidden() && titles->height() > 0 &&
        ownTitles->maximumHeight() != titles->height())
        ownTitles->setFixedHeight(titles->height());
}

void FrozenColumns::place() {
    follow();
    const QRect rows = m_table->viewport()->geometry();
    const QHeaderView* titles = m_table->horizontalHeader();
    const int top = titles->isHidden() ? rows.top() : titles->geometry().top();
    m_overlay->setGeometry(rows.left(), top, std::min(width() + 1, rows.width()),
                           rows.bottom() + 1 - top);
    m_overlay->verticalScrollBar()->setValue(m_table->verticalScrollBar()->value());
}

void FrozenColumns::scrolledTo(const QModelIndex& index, int formerX) {
    if (!index.isValid())
        return;
    QScrollBar* bar = m_table->horizontalScrollBar();
    if (isFrozen(index)) {
        bar->setValue(formerX);
        return;
    }
    const int hidden = width() - m_table->visualRect(index).x();
    if (hidden > 0)
        bar->setValue(bar->value() - hidden);
}

} // namespace ses
