#pragma once

#include "widgets/choice_column.h"
#include "widgets/frozen_columns.h"
// Pieces shared by the solar reference windows: grid columns whose values are picked from a
// list, a grid header with a row of group titles over its column titles, a table whose first
// columns stay in place while the others scroll, the line chart of the loss tables and the notes
// under the grids.

#include <QChartView>
#include <QColor>
#include <QHeaderView>
#include <QPointF>
#include <QStringList>
#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QValueAxis;

namespace ses {

class BoundGrid;
class StringGrid;

// A read-only grid of shown rows (the first a heading row); each cell's background is
// background(col, row), an invalid colour leaving it to the palette. Columns are as wide as their
// longest text plus `pad` pixels. Returns the grid's width with its frame.
int fillShownGrid(StringGrid* grid, const std::vector<QStringList>& rows,
                  const std::function<QColor(int col, int row)>& background, int pad = 10);
// A read-only grid for fillShownGrid, without selection or focus.
StringGrid* makeShownGrid(const QString& name, QWidget* parent);

// The cells of `column` take one of `values`, picked from a drop-down list; every typed
// character beeps, in the list and in the grid outside it.

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

struct ChartLine {
    QString name;
    std::vector<QPointF> points;
};

// Lines over two value axes, numbers with the decimal comma. Empty until drawn.
class LineChart : public QChartView {
public:
    explicit LineChart(QWidget* parent = nullptr);

    void setTitles(const QString& title, const QString& xTitle, const QString& yTitle);
    QString title() const;
    QString xTitle() const;
    void setLegendShown(bool shown);

    // Redraws with these lines; lines without points are left out.
    void draw(const std::vector<ChartLine>& lines);
    void clear();
    bool isEmpty() const;
    QStringList lineNames() const;

private:
    QValueAxis* m_x;
    QValueAxis* m_y;
};

// A framed, wrapped note of several lines.
QLabel* noteLabel(const QString& text, QWidget* parent);
// A bold caption over a panel.
QLabel* headingLabel(const QString& text, QWidget* parent);

} // namespace ses
