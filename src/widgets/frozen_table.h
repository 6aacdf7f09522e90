#pragma once
// A header with a row of group titles over its column titles, and a read-only table whose first
// columns stay in place while the others scroll (see FrozenColumns), each with such a header.

#include "widgets/frozen_columns.h"

#include <QHeaderView>
#include <QString>
#include <QTableView>

#include <memory>
#include <vector>

namespace ses {

// A horizontal header with a row of group titles above the column titles; each group spans
// `count` columns from `first`, and scrolls with them.
class GroupHeader : public QHeaderView {
public:
    struct Group {
        QString title;
        int first = 0;
        int count = 1;
    };

    explicit GroupHeader(QWidget* parent = nullptr);

    void setGroups(std::vector<Group> groups);
    const std::vector<Group>& groups() const { return m_groups; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int groupRowHeight() const;

    std::vector<Group> m_groups;
};

// A read-only table whose first `frozen` columns stay at the left edge (see FrozenColumns). The
// table and the view over its frozen columns have a GroupHeader each.
class FrozenTable : public QTableView {
public:
    FrozenTable(int frozen, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QTableView* frozenView() const { return m_frozen->overlay(); }
    GroupHeader* groupHeader() const { return m_header; }
    GroupHeader* frozenHeader() const { return m_frozenHeader; }

    // Fits every column to its contents and title and lays the frozen columns over again; call
    // after the model's columns change.
    void fitColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    GroupHeader* m_header;
    GroupHeader* m_frozenHeader;
    std::unique_ptr<FrozenColumns> m_frozen;
};

} // namespace ses
