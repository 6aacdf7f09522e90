#include "load/ui/step_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>

namespace ses {

StepChart::StepChart(QWidget* parent) : QChartView(parent) {
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

    m_time = new QCategoryAxis;
    m_time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_time->setTitleText(QStringLiteral("Т, час"));
    m_power = new QValueAxis;
    m_power->setTitleText(QStringLiteral("P, Вт"));
    m_power->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_time, Qt::AlignBottom);
    chart->addAxis(m_power, Qt::AlignLeft);
    clear();
}

void StepChart::clear() {
    chart()->removeAllSeries();
    m_time->setVisible(false);
    m_power->setVisible(false);
}

bool StepChart::isEmpty() const {
    return chart()->series().isEmpty();
}

void StepChart::draw(const IntervalTexts& rows) {
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

    // The hours as typed, one per place; which of them are labelled depends on the axis's
    // length in pixels (labelHours).
    m_hours = points;
    std::stable_sort(m_hours.begin(), m_hours.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.t < b.t; });
    m_hours.erase(std::unique(m_hours.begin(), m_hours.end(),
                              [](const ChartPoint& a, const ChartPoint& b) { return a.t == b.t; }),
                  m_hours.end());
    m_time->setStartValue(tMin);
    m_time->setRange(tMin, tMax > tMin ? tMax : tMin + 1);
    m_power->setRange(0, pMax > 0 ? pMax * 1.1 : 1);
    m_power->applyNiceNumbers();
    line->attachAxis(m_time);
    line->attachAxis(m_power);
    m_time->setVisible(true);
    m_power->setVisible(true);
    labelHours();
}

void StepChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    labelHours();
}

void StepChart::labelHours() {
    for (const QString& l : m_time->categoriesLabels())
        m_time->remove(l);
    if (isEmpty() || m_hours.empty())
        return;
    if (chart()->layout())
        chart()->layout()->activate();
    const QRectF plot = chart()->plotArea();
    const double tMin = m_time->min();
    const double span = m_time->max() - tMin;
    const QFontMetricsF metrics(m_time->labelsFont());
    std::vector<double> positions;
    std::vector<double> widths;
    for (const ChartPoint& h : m_hours) {
        positions.push_back(plot.left() + (h.t - tMin) / span * plot.width());
        widths.push_back(metrics.horizontalAdvance(h.label));
    }
    // Between two labels at least the width of a digit and a space, so that neighbouring hours
    // do not read as one number.
    const double gap = metrics.horizontalAdvance(QStringLiteral("0 "));
    for (const std::size_t i : labelledTicks(positions, widths, gap))
        m_time->append(m_hours[i].label, m_hours[i].t);
    // The axis lays out its new labels with the chart's next layout; the report's picture is
    // drawn before the event loop would run it.
    if (chart()->layout()) {
        chart()->layout()->invalidate();
        chart()->layout()->activate();
    }
}

std::vector<std::size_t> labelledTicks(const std::vector<double>& positions,
                                       const std::vector<double>& widths, double gap) {
    std::vector<std::size_t> kept;
    if (positions.empty())
        return kept;
    const auto clear = [&](std::size_t a, std::size_t b) {
        return positions[b] - positions[a] >= (widths[a] + widths[b]) / 2 + gap;
    };
    kept.push_back(0);
    const std::size_t last = positions.size() - 1;
    for (std::size_t i = 1; i < last; ++i)
        if (clear(kept.back(), i))
            kept.push_back(i);
    if (last == 0)
        return kept;
    while (kept.size() > 1 && !clear(kept.back(), last))
        kept.pop_back();
    if (clear(kept.back(), last))
        kept.push_back(last);
    return kept;
}

QImage StepChart::picture() {
    // Pixels; 640 is about the text width of the report's page (170 mm at 96 dpi). The chart is
    // laid out at that size and drawn from the scene, then given back its place in the view:
    // a view that is resized lays its chart out only when the event loop runs.
    const QRectF report(0, 0, 640, 360);
    QChart* c = chart();
    const QRectF shown = c->geometry();
    const auto layOut = [c](const QRectF& rect) {
        c->setGeometry(rect);
        if (c->layout())
            c->layout()->activate();
    };
    layOut(report);
    labelHours();
    QImage image(report.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene()->render(&painter, report, c->mapRectToScene(report));
    painter.end();
    layOut(shown);
    labelHours();
    return image;
}

} // namespace ses
