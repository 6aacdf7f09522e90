#pragma once
// The chart view every window's chart starts from: numbers written the Russian way, narrow
// margins, smoothed lines, and the legend at the bottom or hidden.

#include <QString>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QSize;
class QValueAxis;
class QWidget;

namespace ses {

// A new view named "chart" over a new chart with `title`, at least `minimum` large.
QChartView* newChartView(QWidget* parent, const QSize& minimum, bool legend,
                         const QString& title = QString());

// Month names along the bottom and the values on the left, added to `chart`.
void addMonthAxes(QChart* chart, QBarCategoryAxis*& months, QValueAxis*& values);

} // namespace ses
