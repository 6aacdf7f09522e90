#include "load/ui/step_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace ses {

StepChart::StepChart(QWidget* parent) : QChartView(parent)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Суточный график: P = f(T)"));
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setInteractive(false);
    setRubberBand(QChartView::NoRubberBand);
    setMinimumSize(360, 260);
}

void StepChart::clear()
{
    chart()->removeAllSeries();
    for (QAbstractAxis* axis : chart()->axes()) {
        chart()->removeAxis(axis);
        delete axis;
    }
}

bool StepChart::isEmpty() const
{
    return chart()->series().isEmpty();
}

void StepChart::draw(const IntervalTexts& rows)
{
    clear();
    const std::vector<ChartPoint> points = stepChartPoints(rows);
    if (points.empty())
        return;
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("P = f(T)"));
    QPen pen(QColor(0, 0, 255));
    pen.setWidth(3);
    line->setPen(pen);
    line->setPointsVisible(false);
    double tMin = points.front().t, tMax = points.front().t, pMax = 0;
    for (const ChartPoint& p : points) {
        line->append(p.t, p.p);
        tMin = std::min(tMin, p.t);
        tMax = std::max(tMax, p.t);
        pMax = std::max(pMax, p.p);
    }
    chart()->addSeries(line);

    // The hours as typed, each at its own place; an hour closer than a thirtieth of the axis to
    // the one labelled before it would write over it and stays unlabelled.
    auto* time = new QCategoryAxis;
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time->setTitleText(QStringLiteral("Т, час"));
    std::vector<ChartPoint> hours = points;
    std::stable_sort(hours.begin(), hours.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.t < b.t; });
    const double gap = (tMax - tMin) / 30;
    bool first = true;
    double last = 0;
    for (const ChartPoint& h : hours) {
        if (!first && h.t - last < gap)
            continue;
        if (time->categoriesLabels().contains(h.label))
            continue;
        time->append(h.label, h.t);
        last = h.t;
        first = false;
    }
    time->setRange(tMin, tMax > tMin ? tMax : tMin + 1);
    time->setStartValue(tMin);
    time->setGridLineVisible(true);

    auto* power = new QValueAxis;
    power->setTitleText(QStringLiteral("P, Вт"));
    power->setLabelFormat(QStringLiteral("%.0f"));
    power->setRange(0, pMax > 0 ? pMax * 1.1 : 1);
    power->applyNiceNumbers();

    chart()->addAxis(time, Qt::AlignBottom);
    chart()->addAxis(power, Qt::AlignLeft);
    line->attachAxis(time);
    line->attachAxis(power);
}

QImage StepChart::picture()
{
    return grab().toImage();
}

} // namespace ses
