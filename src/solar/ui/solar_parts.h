#pragma once

#include "widgets/choice_column.h"
#include "widgets/frozen_table.h"
// Pieces shared by the solar reference windows: grid columns whose values are picked from a
// list, the line chart of the loss tables and the notes under the grids. The grouped header and
// the table with fixed first columns are in widgets/frozen_table.h.

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
