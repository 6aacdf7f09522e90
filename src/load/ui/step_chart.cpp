#include "load/ui/step_chart.h"

#include <QCategoryAxis>
#include <QChart>
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

    // The hours as typed, each at its own place. An hour closer than a thirtieth of the axis to
    // a labelled one would write over it and stays unlabelled; both ends are always labelled.
    for (const QString& l : m_time->categoriesLabels())
        m_time->remove(l);
    std::vector<ChartPoint> hours = points;
    std::stable_sort(hours.begin(), hours.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.t < b.t; });
    const double gap = (tMax - tMin) / 30;
    m_time->append(hours.front().label, hours.front().t);
    double last = hours.front().t;
    for (const ChartPoint& h : hours)
        if (h.t - last >= gap && tMax - h.t >= gap) {
            m_time->append(h.label, h.t);
            last = h.t;
        }
    if (tMax > hours.front().t)
        m_time->append(hours.back().label, tMax);
    m_time->setStartValue(tMin);
    m_time->setRange(tMin, tMax > tMin ? tMax : tMin + 1);
    m_power->setRange(0, pMax > 0 ? pMax * 1.1 : 1);
    m_power->applyNiceNumbers();
    line->attachAxis(m_time);
    line->attachAxis(m_power);
    m_time->setVisible(true);
    m_power->setVisible(true);
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
    QImage image(report.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene()->render(&painter, report, c->mapRectToScene(report));
    painter.end();
    layOut(shown);
    return image;
}

} // namespace ses
