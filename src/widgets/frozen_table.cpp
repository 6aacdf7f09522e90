#include "widgets/frozen_table.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include <algorithm>

namespace ses {

// ---------------------------------------------------------------- GroupHeader

GroupHeader::GroupHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

void GroupHeader::setGroups(std::vector<Group> groups) {
    m_groups = std::move(groups);
    viewport()->update();
}

int GroupHeader::groupRowHeight() const {
    return fontMetrics().height() + 8;
}

QSize GroupHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(s.height() + groupRowHeight());
    return s;
}

void GroupHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect.adjusted(0, groupRowHeight(), 0, 0), logicalIndex);
}

void GroupHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    QPainter painter(viewport());
    const int h = groupRowHeight();
    for (const Group& g : m_groups) {
        const int last = std::min(g.first + g.count, count()) - 1;
        if (g.first < 0 || last < g.first)
            continue;
        const int x = sectionViewportPosition(g.first);
        const int right = sectionViewportPosition(last) + sectionSize(last);
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = QRect(x, 0, right - x, h);
        opt.section = g.first;
        opt.position = QStyleOptionHeader::Middle;
        opt.textAlignment = Qt::AlignCenter;
        opt.text = fontMetrics().elidedText(g.title, Qt::ElideRight, right - x - 8);
        style()->drawControl(QStyle::CE_Header, &opt, &painter, this);
    }
}

// ---------------------------------------------------------------- FrozenTable

FrozenTable::FrozenTable(int frozen, QWidget* parent)
    : QTableView(parent), m_header(new GroupHeader(this)), m_frozenHeader(new GroupHeader) {
    setHorizontalHeader(m_header);
    auto* overlay = new QTableView(this);
    overlay->setHorizontalHeader(m_frozenHeader);
    m_frozen = std::make_unique<FrozenColumns>(this, overlay, frozen);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void FrozenTable::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    m_frozen->modelChanged();
    fitColumns();
}

void FrozenTable::fitColumns() {
    if (!model())
        return;
    resizeColumnsToContents();
    const int columns = model()->columnCount();
    // Each group title fits over its columns: the last column of a group takes what is missing.
    for (const GroupHeader* h : {m_header, m_frozenHeader})
        for (const GroupHeader::Group& g : h->groups()) {
            const int last = std::min(g.first + g.count, columns) - 1;
            if (g.first < 0 || last < g.first)
                continue;
            int width = 0;
            for (int c = g.first; c <= last; ++c)
                width += columnWidth(c);
            const int needed = fontMetrics().horizontalAdvance(g.title) + 16;
            if (needed > width)
                setColumnWidth(last, columnWidth(last) + needed - width);
        }
    // Never wider than its columns: the space beyond them stays the window's.
    int total = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columns; ++c)
        total += columnWidth(c);
    setMaximumWidth(total);
    // Up to a width that still leaves room beside it: wider tables scroll.
    setMinimumWidth(std::min(total, 900));
    // A year of months with the header and the scroll bar, without scrolling up and down.
    setMinimumHeight(horizontalHeader()->sizeHint().height() +
                     12 * verticalHeader()->defaultSectionSize() +
                     horizontalScrollBar()->sizeHint().height() + 2 * frameWidth() + 2);
}

void FrozenTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (m_frozen) // not while it is being made
        m_frozen->place();
}

void FrozenTable::updateGeometries() {
    QTableView::updateGeometries();
    if (m_frozen)
        m_frozen->place();
}

void FrozenTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int x = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (m_frozen)
        m_frozen->scrolledTo(index, x);
}

} // namespace ses
