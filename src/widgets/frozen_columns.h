#pragma once
// The first columns of a table kept at its left edge while the others scroll under them: a
// second view of the same model (the overlay) lies over those columns, showing only them. It
// shares the table's selection, row heights and vertical scrolling, takes the table's column
// widths and header height, and a click in it selects in the table. The overlay is never typed
// into: the table should open no editor in a frozen column either, since the overlay hides it.
//
// The table owns one and forwards to it from its overrides:
//   resizeEvent, updateGeometries: place() after the base class;
//   scrollTo: scrolledTo() after the base class, with the horizontal scroll value from before;
//   setModel (when the table takes another model): modelChanged() after the base class.

#include <QModelIndex>

class QTableView;

namespace ses {

class FrozenColumns {
public:
    // `overlay` is made by the table, so that it may have a header of its own; it is put over the
    // table's viewport and deleted with this.
    FrozenColumns(QTableView* table, QTableView* overlay, int count);
    ~FrozenColumns();
    FrozenColumns(const FrozenColumns&) = delete;
    FrozenColumns& operator=(const FrozenColumns&) = delete;

    QTableView* overlay() const { return m_overlay; }
    int count() const { return m_count; }
    bool isFrozen(const QModelIndex& index) const { return index.column() < m_count; }
    // The frozen columns' widths together.
    int width() const;

    void modelChanged();
    // Lays the overlay over the frozen columns, from the top of the header to the bottom of the
    // viewport, and brings it in line with the table's settings.
    void place();
    // After the table scrolled to `index` (its horizontal scroll value was `formerX`): a frozen
    // cell is seen without scrolling sideways, a scrolling one is brought out from under the
    // frozen ones.
    void scrolledTo(const QModelIndex& index, int formerX);

private:
    void fitColumns();
    void follow();

    QTableView* m_table;
    QTableView* m_overlay;
    int m_count;
};

} // namespace ses
