#pragma once
// The step chart of a schedule: one line through (T1, P) and (T2, P) of every interval, the
// time axis labelled with the typed hours where their labels keep clear of each other.

#include "load/schedule.h"

#include <QChartView>
#include <QImage>

#include <cstddef>
#include <vector>

class QCategoryAxis;
class QValueAxis;

namespace ses {

// The ticks of an axis whose labels can be written without two of them overlapping: positions
// are the ticks' pixels in increasing order, widths the widths of their labels, each centred on
// its tick, and gap the least room between two labels. The first label is always written, then
// each one that keeps clear of the one written before it; the last is written too when it keeps
// clear of the first, in place of those before it that it would overlap. Indices, increasing.
std::vector<std::size_t> labelledTicks(const std::vector<double>& positions,
                                       const std::vector<double>& widths, double gap);

class StepChart : public QChartView {
public:
    explicit StepChart(QWidget* parent = nullptr);

    // Redraws the chart from an interval table that passed the interval test.
    void draw(const IntervalTexts& rows);
    // Removes the line and the axes; the title stays.
    void clear();
    bool isEmpty() const;
    // The chart for the report, drawn at one size whatever the window's, its hours labelled for
    // that size.
    QImage picture();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Labels the hours that fit the time axis at the chart's present size.
    void labelHours();

    // Kept for the chart's lifetime and hidden while it is empty: axes removed from a chart
    // leave their drawing behind until the event loop runs again.
    QCategoryAxis* m_time;
    QValueAxis* m_power;
    // The typed hours along the time axis, in increasing order, one per place.
    std::vector<ChartPoint> m_hours;
};

} // namespace ses
