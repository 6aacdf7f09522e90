#pragma once
// The step chart of a schedule: one line through (T1, P) and (T2, P) of every interval, the
// time axis labelled with the typed hours.

#include "load/schedule.h"

#include <QChartView>
#include <QImage>

class QCategoryAxis;
class QValueAxis;

namespace ses {

class StepChart : public QChartView {
public:
    explicit StepChart(QWidget* parent = nullptr);

    // Redraws the chart from an interval table that passed the interval test.
    void draw(const IntervalTexts& rows);
    // Removes the line and the axes; the title stays.
    void clear();
    bool isEmpty() const;
    // The chart for the report, drawn at one size whatever the window's (in a small view the hour
    // labels give way to "...").
    QImage picture();

private:
    // Kept for the chart's lifetime and hidden while it is empty: axes removed from a chart
    // leave their drawing behind until the event loop runs again.
    QCategoryAxis* m_time;
    QValueAxis* m_power;
};

} // namespace ses
