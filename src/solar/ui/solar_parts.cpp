#include "solar/ui/solar_parts.h"

#include "widgets/string_grid.h"

#include "widgets/bound_grid.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

// The smallest of the usual steps that gives at most a dozen intervals over the span.
double tickStep(double span) {
    for (double step : {1.0, 2.0, 5.0, 10.0, 15.0, 20.0, 30.0, 45.0, 60.0, 90.0, 100.0})
        if (span / step <= 12)
            return step;
    return std::pow(10.0, std::ceil(std::log10(span / 10)));
}

// Colours told apart at a glance, taken in turn by the lines of a chart.
QColor lineColor(int index) {
    static const QRgb colors[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                  0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f, 0xbcbd22};
    return QColor(colors[index % std::size(colors)]);
}

} // namespace

// ---------------------------------------------------------------- LineChart

LineChart::LineChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    QFont title = chart->titleFont();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() + 1);
    chart->setTitleFont(title);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart->legend()->hide();
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setMinimumSize(360, 260);

    m_x = new QValueAxis;
    m_x->setLabelFormat(QStringLiteral("%.0f"));
    m_x->setTickType(QValueAxis::TicksDynamic);
    m_y = new QValueAxis;
    m_y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    clear();
}

void LineChart::setTitles(const QString& title, const QString& xTitle, const QString& yTitle) {
    chart()->setTitle(title);
    m_x->setTitleText(xTitle);
    m_y->setTitleText(yTitle);
}

QString LineChart::title() const {
    return chart()->title();
}

QString LineChart::xTitle() const {
    return m_x->titleText();
}

void LineChart::setLegendShown(bool shown) {
    chart()->legend()->setVisible(shown);
}

void LineChart::clear() {
    chart()->removeAllSeries();
    // Axes stay for the chart's lifetime: removed ones leave their drawing behind until the
    // event loop runs again.
    m_x->setVisible(false);
    m_y->setVisible(false);
}

bool LineChart::isEmpty() const {
    return chart()->series().isEmpty();
}

QStringList LineChart::lineNames() const {
    QStringList names;
    for (const QAbstractSeries* s : chart()->series())
        names << s->name();
    return names;
}

void LineChart::draw(const std::vector<ChartLine>& lines) {
    clear();
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool any = false;
    for (const ChartLine& l : lines) {
        if (l.points.empty())
            continue;
        auto* series = new QLineSeries;
        series->setName(l.name);
        series->setPointsVisible(true);
        series->setPen(QPen(lineColor(int(chart()->series().size())), 2));
        for (const QPointF& p : l.points) {
            series->append(p);
            xMin = any ? std::min(xMin, p.x()) : p.x();
            xMax = any ? std::max(xMax, p.x()) : p.x();
            yMin = any ? std::min(yMin, p.y()) : p.y();
            yMax = any ? std::max(yMax, p.y()) : p.y();
            any = true;
        }
        chart()->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
    }
    if (!any)
        return;
    if (xMax <= xMin)
        xMax = xMin + 1;
    m_x->setRange(xMin, xMax);
    m_x->setTickAnchor(xMin);
    m_x->setTickInterval(tickStep(xMax - xMin));
    if (yMax <= yMin)
        yMax = yMin + 1;
    m_y->setRange(yMin, yMax);
    m_y->applyNiceNumbers();
    m_x->setVisible(true);
    m_y->setVisible(true);
}

// ---------------------------------------------------------------- notes

QLabel* noteLabel(const QString& text, QWidget* parent) {
    auto* note = new QLabel(text, parent);
    note->setFrameShape(QFrame::StyledPanel);
    note->setMargin(6);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return note;
}

QLabel* headingLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

StringGrid* makeShownGrid(const QString& name, QWidget* parent) {
    auto* grid = new StringGrid(parent);
    grid->setObjectName(name);
    grid->setReadOnly(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}

int fillShownGrid(StringGrid* grid, const std::vector<QStringList>& rows,
                  const std::function<QColor(int col, int row)>& background, int pad) {
    int cols = 0;
    for (const QStringList& row : rows)
        cols = std::max(cols, int(row.size()));
    grid->clear();
    grid->setColCount(cols);
    grid->setRowCount(int(rows.size()));
    std::vector<int> widths(cols, 0);
    const QFontMetrics metrics(grid->font());
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < cols; ++c) {
            const QString text = c < rows[r].size() ? rows[r][c] : QString();
            grid->setCell(c, r, text);
            grid->setCellBackground(c, r, background(c, r));
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(text));
        }
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < cols; ++c) {
        grid->setColumnWidth(c, widths[c] + pad);
        width += widths[c] + pad;
    }
    return width;
}

} // namespace ses
