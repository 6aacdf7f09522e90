#include "load/ui/chart_viewers.h"

#include "data/data_module.h"
#include "load/load_views_store.h"
#include "load/ui/step_chart.h"
#include "reports/report_writer.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QGraphicsLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace ses {

namespace {

// The colours of the series, one each, in turn.
QColor seriesColour(int i) {
    static const QColor colours[] = {QColor(0, 0, 255),   QColor(220, 0, 0),   QColor(0, 150, 0),
                                     QColor(230, 130, 0), QColor(150, 0, 180), QColor(0, 160, 170),
                                     QColor(120, 80, 40), QColor(255, 0, 200), QColor(90, 90, 90),
                                     QColor(130, 160, 0)};
    return colours[i % std::size(colours)];
}

QChartView* makeChartView(const QString& title, QWidget* parent) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setVisible(true);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setInteractive(false);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setMinimumSize(480, 240);
    return view;
}

// Lays out the chart and its legend now: the legend's markers of new series are placed only by
// the next layout, which a picture taken before the event loop runs would miss.
void settle(QChart* chart) {
    if (QGraphicsLayout* legend = chart->legend()->layout())
        legend->activate();
    if (chart->layout())
        chart->layout()->activate();
}

// Removes the series and the axes of a chart; the title stays.
void emptyChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QValueAxis* valueAxis(const QString& title, double largest) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setRange(0, largest > 0 ? largest * 1.1 : 1);
    axis->applyNiceNumbers();
    return axis;
}

// A bar chart: one set per series, the bars of a category side by side.
void drawBars(QChart* chart, const std::vector<BarSeries>& series, const QString& across,
              const QString& up) {
    emptyChart(chart);
    if (series.empty())
        return;
    auto* bars = new QBarSeries;
    double largest = 0;
    for (std::size_t i = 0; i < series.size(); ++i) {
        auto* set = new QBarSet(series[i].title);
        set->setColor(seriesColour(int(i)));
        for (double v : series[i].values) {
            *set << v;
            largest = std::max(largest, v);
        }
        bars->append(set);
    }
    bars->setLabelsVisible(false);
    chart->addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(series.front().labels);
    categories->setTitleText(across);
    QValueAxis* values = valueAxis(up, largest);
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    bars->attachAxis(categories);
    bars->attachAxis(values);
    settle(chart);
}

} // namespace

QImage chartPicture(QChartView* view) {
    // Pixels; 640 is about the text width of the report's page. The chart is laid out at that
    // size, drawn from the scene and given back its place in the view.
    const QRectF report(0, 0, 640, 360);
    // The drawings of axes removed by the last redraw leave the scene only when their deferred
    // deletion runs; a picture taken before the event loop has run would show them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QChart* c = view->chart();
    const QRectF shown = c->geometry();
    const auto layOut = [c](const QRectF& rect) {
        c->setGeometry(rect);
        settle(c);
    };
    layOut(report);
    QImage image(report.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    view->scene()->render(&painter, report, c->mapRectToScene(report));
    painter.end();
    layOut(shown);
    return image;
}

// ------------------------------------------------------------------ ScheduleViewer

ScheduleViewer::ScheduleViewer(TDataModule1& dm, Prompter& prompter, const QString& className,
                               const QString& notesTitle, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, className);

    // "Нагрузка:" until the opener names the load side.
    m_caption = new QLabel(QStringLiteral("Нагрузка:"), this);
    m_caption->setObjectName(QStringLiteral("caption"));

    auto* listGroup = new QGroupBox(QStringLiteral("Суточные графики"), this);
    m_list = new QListWidget(listGroup);
    m_list->setObjectName(QStringLiteral("schedules"));
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_columns = new QSpinBox(listGroup);
    m_columns->setObjectName(QStringLiteral("columns"));
    m_columns->setRange(1, 5);
    m_columns->setValue(1);
    m_columns->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* columnsRow = new QHBoxLayout;
    auto* columnsLabel = new QLabel(
        QStringLiteral("Количество колонок в списке суточных графиков, шт.:"), listGroup);
    columnsLabel->setWordWrap(true);
    columnsLabel->setBuddy(m_columns);
    columnsRow->addWidget(columnsLabel, 1);
    columnsRow->addWidget(m_columns);
    m_refresh = new QPushButton(QStringLiteral("Обновить"), listGroup);
    m_refresh->setObjectName(QStringLiteral("refresh"));
    m_refresh->setToolTip(QStringLiteral("Обновить суточные графики"));
    m_refresh->setAutoDefault(false);
    m_auto = new QCheckBox(QStringLiteral("Автообновление"), listGroup);
    m_auto->setObjectName(QStringLiteral("autoRefresh"));
    m_auto->setToolTip(QStringLiteral("Режим автообновления суточных графиков"));
    m_auto->setChecked(true);
    auto* refreshRow = new QHBoxLayout;
    refreshRow->addWidget(m_refresh);
    refreshRow->addWidget(m_auto);
    refreshRow->addStretch();
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(m_list, 1);
    listLayout->addLayout(columnsRow);
    listLayout->addLayout(refreshRow);

    m_options = new QVBoxLayout;
    auto* notesLabel = new QLabel(notesTitle, this);
    notesLabel->setWordWrap(true);
    m_notes = new QListWidget(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setSelectionMode(QAbstractItemView::NoSelection);
    m_notes->setFocusPolicy(Qt::NoFocus);
    notesLabel->setBuddy(m_notes);

    auto* left = new QVBoxLayout;
    left->addWidget(listGroup, 2);
    left->addLayout(m_options);
    left->addWidget(notesLabel);
    left->addWidget(m_notes, 1);
    m_charts = new QVBoxLayout;
    auto* body = new QHBoxLayout;
    body->addLayout(left, 0);
    body->addLayout(m_charts, 1);

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({exportButton}));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addLayout(body, 1);
    layout->addLayout(buttons.layout);

    connect(m_list, &QListWidget::itemChanged, this, [this] {
        updateRefresh();
        changed();
    });
    connect(m_columns, &QSpinBox::valueChanged, this, [this] { layOutColumns(); });
    connect(m_refresh, &QPushButton::clicked, this, [this] { draw(); });
    connect(m_auto, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            changed();
    });
}

ScheduleViewer::~ScheduleViewer() = default;

void ScheduleViewer::setSide(const QString& caption, const QString& voltageTag) {
    m_ac = voltageTag == QStringLiteral("220");
    m_caption->setText(caption);
}

void ScheduleViewer::open(const QString& caption, const QString& voltageTag) {
    setSide(caption, voltageTag);
    exec();
}

void ScheduleViewer::reload() {
    const int owner = (m_ac ? m_dm.tblProj_Inv() : m_dm.tblProj1()).currentKey().toInt();
    m_schedules = readChartSchedules(m_dm, m_ac, owner);
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
        for (const ChartSchedule& s : m_schedules) {
            auto* item = new QListWidgetItem(s.name, m_list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    }
    layOutColumns();
    updateRefresh();
    if (m_refresh->isEnabled() && m_auto->isChecked())
        draw();
    else
        clearCharts();
}

std::vector<bool> ScheduleViewer::ticked() const {
    std::vector<bool> out;
    for (int i = 0; i < m_list->count(); ++i)
        out.push_back(m_list->item(i)->checkState() == Qt::Checked);
    return out;
}

void ScheduleViewer::changed() {
    if (m_auto->isChecked() && m_refresh->isEnabled())
        draw();
    else
        clearCharts();
}

void ScheduleViewer::setNotes(const QStringList& lines) {
    m_notes->clear();
    m_notes->addItems(lines);
}

void ScheduleViewer::updateRefresh() {
    const std::vector<bool> t = ticked();
    m_refresh->setEnabled(std::find(t.begin(), t.end(), true) != t.end());
}

void ScheduleViewer::layOutColumns() {
    // Row by row, `columns` names a row, each column an equal share of the list's width less the
    // room the list keeps for its scroll bar when it wraps.
    const int columns = m_columns->value();
    const int room = m_list->viewport()->width() - 2 -
                     m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    const int width = std::max(40, room / columns);
    const int height = m_list->fontMetrics().height() + 6;
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setSizeHint(QSize(width, height));
    m_list->doItemsLayout();
}

void ScheduleViewer::showEvent(QShowEvent* event) {
    // The list is rebuilt at every opening; the options stay as they were left.
    QDialog::showEvent(event);
    reload();
}

void ScheduleViewer::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible())
        return;
    // Away from the window its charts are emptied; back to it they are drawn again with
    // auto-refresh, the ticks as the user left them.
    if (isActiveWindow()) {
        if (m_auto->isChecked() && m_refresh->isEnabled())
            draw();
    } else {
        clearCharts();
    }
}

void ScheduleViewer::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOutColumns();
}

void ScheduleViewer::exportReport() {
    ses::exportReport(
        m_prompter, [this](ReportWriter& w) { writeReport(w); }, ExportCursor::Plain);
}

// ------------------------------------------------------------------ TSutGrafF

TSutGrafF::TSutGrafF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : ScheduleViewer(dm, prompter, QStringLiteral("TSutGrafF"), QStringLiteral("Примечание."),
                     parent) {
    m_view = makeChartView(kScheduleChartTitle, this);
    m_view->setObjectName(QStringLiteral("chart"));
    chartsLayout()->addWidget(m_view);
    resize(1100, 600);
}

void TSutGrafF::clearCharts() {
    emptyChart(m_view->chart());
    m_hours.clear();
}

void TSutGrafF::draw() {
    clearCharts();
    const ScheduleChart c = scheduleChart(schedules(), ticked());
    setNotes(c.notes);
    if (c.series.empty())
        return;
    QChart* chart = m_view->chart();
    auto* time = new QCategoryAxis;
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time->setTitleText(QStringLiteral("Т, час"));
    QValueAxis* power = valueAxis(QStringLiteral("P, Вт"), c.largestPower);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(power, Qt::AlignLeft);
    double tMin = c.series.front().points.front().t, tMax = tMin;
    for (std::size_t i = 0; i < c.series.size(); ++i) {
        auto* line = new QLineSeries;
        line->setName(c.series[i].title);
        QPen pen(seriesColour(int(i)));
        pen.setWidth(3);
        line->setPen(pen);
        line->setPointLabelsVisible(false);
        for (const ChartPoint& p : c.series[i].points) {
            line->append(p.t, p.p);
            tMin = std::min(tMin, p.t);
            tMax = std::max(tMax, p.t);
            m_hours.push_back(p);
        }
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(power);
    }
    std::stable_sort(m_hours.begin(), m_hours.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.t < b.t; });
    m_hours.erase(std::unique(m_hours.begin(), m_hours.end(),
                              [](const ChartPoint& a, const ChartPoint& b) { return a.t == b.t; }),
                  m_hours.end());
    time->setStartValue(tMin);
    time->setRange(tMin, tMax > tMin ? tMax : tMin + 1);
    settle(chart);
    labelTimeAxis();
}

void TSutGrafF::resizeEvent(QResizeEvent* event) {
    ScheduleViewer::resizeEvent(event);
    labelTimeAxis();
}

void TSutGrafF::labelTimeAxis() {
    // The stored hours that keep clear of each other at the chart's present size.
    QChart* chart = m_view->chart();
    const auto axes = chart->axes(Qt::Horizontal);
    auto* time = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(axes.front());
    if (!time)
        return;
    for (const QString& l : time->categoriesLabels())
        time->remove(l);
    if (m_hours.empty())
        return;
    if (chart->layout())
        chart->layout()->activate();
    const QRectF plot = chart->plotArea();
    const double span = time->max() - time->min();
    const QFontMetricsF metrics(time->labelsFont());
    std::vector<double> positions, widths;
    for (const ChartPoint& h : m_hours) {
        positions.push_back(plot.left() + (h.t - time->min()) / span * plot.width());
        widths.push_back(metrics.horizontalAdvance(h.label));
    }
    const double gap = metrics.horizontalAdvance(QStringLiteral("0 "));
    for (const std::size_t i : labelledTicks(positions, widths, gap))
        time->append(m_hours[i].label, m_hours[i].t);
    if (chart->layout()) {
        chart->layout()->invalidate();
        chart->layout()->activate();
    }
}

void TSutGrafF::writeReport(ReportWriter& w) {
    // The picture first: writing may take the window's activation, which empties the chart.
    QStringList notes;
    for (int i = 0; i < notesBox()->count(); ++i)
        notes << notesBox()->item(i)->text();
    const QRectF shown = m_view->chart()->geometry();
    m_view->chart()->setGeometry(QRectF(0, 0, 640, 360));
    labelTimeAxis();
    const QImage picture = chartPicture(m_view);
    m_view->chart()->setGeometry(shown);
    labelTimeAxis();
    w.openReport();
    w.writeTitle(QStringLiteral("Суточные графики варианта расчета.\r\r"));
    w.insertPicture(picture);
    w.writeText(scheduleChartReportText(notes));
}

// ------------------------------------------------------------------ TSutDiagF

TSutDiagF::TSutDiagF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : ScheduleViewer(dm, prompter, QStringLiteral("TSutDiagF"),
                     QStringLiteral("Обозначения суточных графиков на диаграммах."), parent) {
    auto* group = new QGroupBox(QStringLiteral(" Расчетные параметры суточного графика "), this);
    auto* boxes = new QVBoxLayout(group);
    const DiagramBoxes defaults;
    const bool on[5] = {defaults.dailyEnergy, defaults.darkEnergy, defaults.nominal,
                        defaults.maximum, defaults.peak};
    for (int i = 0; i < 5; ++i) {
        m_boxes[i] = new QCheckBox(diagramBoxCaptions()[i], group);
        m_boxes[i]->setObjectName(QStringLiteral("box%1").arg(i));
        m_boxes[i]->setChecked(on[i]);
        boxes->addWidget(m_boxes[i]);
        connect(m_boxes[i], &QCheckBox::toggled, this, [this] { changed(); });
    }
    m_limit = new QCheckBox(
        QStringLiteral("Ограничение количества символов в названии месяцев года"), this);
    m_limit->setObjectName(QStringLiteral("limitMonths"));
    m_limit->setChecked(true);
    m_charsLabel = new QLabel(QStringLiteral("Количество символов в названии месяцев года:"), this);
    m_chars = new QComboBox(this);
    m_chars->setObjectName(QStringLiteral("monthChars"));
    for (int k = 1; k <= 8; ++k)
        m_chars->addItem(QString::number(k));
    m_chars->setCurrentIndex(2);
    m_charsLabel->setBuddy(m_chars);
    auto* charsRow = new QHBoxLayout;
    charsRow->addWidget(m_charsLabel, 1);
    charsRow->addWidget(m_chars);
    optionsLayout()->addWidget(group);
    optionsLayout()->addWidget(m_limit);
    optionsLayout()->addLayout(charsRow);
    // The month names change only the lower chart: without auto-refresh they wait for
    // "Обновить" and leave the charts as they are.
    const auto monthsChanged = [this] {
        m_charsLabel->setEnabled(m_limit->isChecked());
        m_chars->setEnabled(m_limit->isChecked());
        if (autoRefreshBox()->isChecked() && refreshButton()->isEnabled())
            draw();
    };
    connect(m_limit, &QCheckBox::toggled, this, monthsChanged);
    connect(m_chars, &QComboBox::currentIndexChanged, this, monthsChanged);

    m_figures = makeChartView(kParameterDiagramTitle, this);
    m_figures->setObjectName(QStringLiteral("figures"));
    m_dark = makeChartView(kDarkDiagramTitle, this);
    m_dark->setObjectName(QStringLiteral("dark"));
    chartsLayout()->addWidget(m_figures);
    chartsLayout()->addWidget(m_dark);
    resize(1340, 680);
}

DiagramBoxes TSutDiagF::boxes() const {
    DiagramBoxes b;
    b.dailyEnergy = m_boxes[0]->isChecked();
    b.darkEnergy = m_boxes[1]->isChecked();
    b.nominal = m_boxes[2]->isChecked();
    b.maximum = m_boxes[3]->isChecked();
    b.peak = m_boxes[4]->isChecked();
    return b;
}

std::optional<int> TSutDiagF::monthChars() const {
    if (!m_limit->isChecked())
        return std::nullopt;
    return m_chars->currentIndex() + 1;
}

void TSutDiagF::clearCharts() {
    emptyChart(m_figures->chart());
    emptyChart(m_dark->chart());
    setNotes({});
}

void TSutDiagF::draw() {
    clearCharts();
    const ParameterDiagram d = parameterDiagram(schedules(), ticked(), boxes(), monthChars());
    setNotes(d.notes);
    drawBars(m_figures->chart(), d.figures, QStringLiteral("Обозначение суточного графика"),
             QStringLiteral("Втч, Вт"));
    drawBars(m_dark->chart(), d.dark, QStringLiteral("Месяц года"), QStringLiteral("Wр_бс, Втч"));
}

void TSutDiagF::writeReport(ReportWriter& w) {
    QStringList notes;
    for (int i = 0; i < notesBox()->count(); ++i)
        notes << notesBox()->item(i)->text();
    const QImage figures = chartPicture(m_figures);
    const bool dark = m_boxes[1]->isChecked();
    const QImage darkPicture = dark ? chartPicture(m_dark) : QImage();
    w.openReport();
    w.writeTitle(QStringLiteral("Диаграмма расчетных параметров суточных графиков.\r\r"));
    w.insertPicture(figures);
    w.writeText(diagramNotesReportText(notes));
    for (const QString& text : diagramParameterReportTexts(boxes()))
        w.writeText(text);
    if (dark) {
        w.writeTitle(QStringLiteral("\r") + kDarkDiagramTitle + QStringLiteral("\r\r"));
        w.insertPicture(darkPicture);
        w.writeText(diagramNotesReportText(notes));
    }
}

} // namespace ses
