#include "load/ui/totals_pages.h"

#include "lib/entry.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "load/ui/step_chart.h"
#include "reports/interval_picture.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace ses {

namespace {

const QString kPeakFigure = QStringLiteral("Рпик., Вт:");
const QString kPeakFigureInfo = QStringLiteral("Пиковая выходная мощность (6 секунд), Вт:");

QString hours(double t) {
    return formatPattern(t, QStringLiteral("0.###"));
}

QString watts(double p) {
    return formatPattern(p, QStringLiteral("0.##"));
}

StringGrid* shownGrid(QWidget* parent, const QString& name) {
    auto* grid = new StringGrid(parent);
    grid->setObjectName(name);
    grid->setFixedRow(true);
    grid->setReadOnly(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

// Titles in row 0, then the rows; the columns sized to their content, the name column (stretch)
// taking the rest.
void fillGrid(StringGrid* grid, const QStringList& titles, const std::vector<QStringList>& rows,
              int stretch = -1) {
    grid->clearCells();
    grid->setColCount(int(titles.size()));
    grid->setRowCount(1 + int(rows.size()));
    for (int c = 0; c < titles.size(); ++c)
        grid->setCell(c, 0, titles[c]);
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < titles.size() && c < rows[r].size(); ++c)
            grid->setCell(c, r + 1, rows[r][c]);
    // Sized to the content first; the name column then takes what is left of the view, never
    // more, so that its header stays in sight.
    QHeaderView* header = grid->horizontalHeader();
    header->setStretchLastSection(false);
    for (int c = 0; c < titles.size(); ++c)
        header->setSectionResizeMode(c, QHeaderView::Interactive);
    grid->resizeColumnsToContents();
    if (stretch >= 0 && stretch < titles.size())
        header->setSectionResizeMode(stretch, QHeaderView::Stretch);
}

// The remarks under their titles, the last column (the remark) taking the width left.
void fillRemarks(StringGrid* grid, const QStringList& titles,
                 const std::vector<QStringList>& rows) {
    const int remark = int(titles.size()) - 1;
    fillGrid(grid, titles, rows, remark);
    for (int r = 0; r < int(rows.size()); ++r)
        grid->item(r, remark)->setToolTip(rows[r][remark]);
}

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// The coloured squares and lines that explain a detail table's backgrounds.
QWidget* legend(const std::vector<LegendLine>& lines, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->addWidget(new QLabel(QStringLiteral(" Цветовое обозначение фона ячеек таблицы "), box), 0,
                    0, 1, 2);
    for (int i = 0; i < int(lines.size()); ++i) {
        auto* square = new QLabel(box);
        square->setFixedSize(14, 14);
        square->setFrameShape(QFrame::Box);
        const std::optional<unsigned> rgb = cellBackground(lines[i].kind);
        const QColor colour =
            rgb ? QColor::fromRgb(QRgb(*rgb)) : parent->palette().color(QPalette::Base);
        square->setStyleSheet(
            QStringLiteral("background-color: %1; border: 1px solid gray;").arg(colour.name()));
        grid->addWidget(square, i + 1, 0);
        grid->addWidget(new QLabel(lines[i].text.simplified(), box), i + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(int(lines.size()) + 1, 1);
    return box;
}

// A remark table under its title with "Найти" beside it.
QWidget* remarkBox(const QString& title, StringGrid* grid, QPushButton* find, QWidget* parent) {
    // A remark takes the width left to it and wraps onto as many lines as it needs, so that it
    // reads whole; its column's title stays at the left.
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->setWordWrap(true);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* box = new QWidget(parent);
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(boldLabel(title, box));
    top->addStretch(1);
    top->addWidget(find);
    l->addLayout(top);
    l->addWidget(grid, 1);
    return box;
}

} // namespace

TotalsPages::TotalsPages(Prompter& prompter, TotalsWindow window, QWidget* parent)
    : QTabWidget(parent), m_prompter(prompter), m_window(window) {
    addTab(consumersPage(), QStringLiteral("Электроприемники"));
    addTab(intervalsPage(), QStringLiteral("Временные интервалы"));
    addTab(combinedPage(), QStringLiteral("Суточный график"));
    addTab(detailPage(), QStringLiteral("Детализация графика"));
    addTab(peaksPage(), QStringLiteral("Пиковые нагрузки"));
    addTab(parametersPage(), QStringLiteral("Параметры"));
}

// ------------------------------------------------------------------ pages

QWidget* TotalsPages::consumersPage() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    m_consumers = shownGrid(page, QStringLiteral("consumers"));
    fillGrid(m_consumers, consumerTableHeaders(m_window), {}, nameColumn());
    l->addWidget(m_consumers);
    return page;
}

QWidget* TotalsPages::intervalsPage() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    DrawingPane::ScaleRule rule;
    rule.caption = QStringLiteral("Масштаб, пикс./5 мин.:");
    rule.quantity = QStringLiteral("масштаба");
    rule.unit = QStringLiteral("пикс./5 мин.");
    rule.lowest = kLowestIntervalScale;
    rule.highest = largestIntervalScale();
    rule.step = 1;
    rule.lowestFitted = kLowestIntervalScale;
    rule.fitted = false;
    m_picture = new DrawingPane(m_prompter, kLowestIntervalScale, rule, page);
    m_picture->setObjectName(QStringLiteral("intervals"));
    m_picture->setPointerHook(
        [this](QPointF at) { setTime(timeAtPixel(at.x(), m_picture->scale())); });
    m_picture->setRefusalHook([this] { clearRunning(); });
    m_picture->controls()->addStretch(1);
    l->addWidget(m_picture, 1);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("Текущее время, час.:"), page));
    m_time = new NumberField(NumberField::Kind::Decimal, page);
    m_time->setObjectName(QStringLiteral("time"));
    m_time->setPrompter(&m_prompter);
    m_time->setLeaveCheck(false);
    m_time->setFixedWidth(numberFieldWidth(m_time) * 2 / 3);
    m_time->setValue(0);
    timeRow->addWidget(m_time);
    for (const double step : {1.0, 0.1, 0.01, 0.001}) {
        auto* steps = new StepButtons(m_time, step, page);
        steps->setUpRule(StepButtons::Mode::UpperBound, 24);
        steps->setDownRule(StepButtons::Mode::LowerBound, 0, QStringLiteral("0.###"));
        connect(steps, &StepButtons::stepped, this, [this] { timeEntered(); });
        timeRow->addWidget(steps);
    }
    connect(m_time, &QLineEdit::editingFinished, this, [this] { timeEntered(); });
    m_hoursMinutes = valueField(page);
    m_hoursMinutes->setObjectName(QStringLiteral("hoursMinutes"));
    m_hoursMinutes->setFixedWidth(numberFieldWidth(m_hoursMinutes) / 2);
    timeRow->addSpacing(8);
    timeRow->addWidget(new QLabel(QStringLiteral("час.:мин."), page));
    timeRow->addWidget(m_hoursMinutes);
    timeRow->addStretch(1);
    l->addLayout(timeRow);

    auto* running = new QHBoxLayout;
    m_running = shownGrid(page, QStringLiteral("running"));
    QStringList titles;
    if (m_window == TotalsWindow::Monthly)
        titles << QStringLiteral("Нагрузка") << QStringLiteral("Суточный график");
    titles << QStringLiteral("Наименование электроприемника") << QStringLiteral(" Рном., Вт")
           << QStringLiteral(" Рпик., Вт");
    fillGrid(m_running, titles, {}, nameColumn());
    m_running->setMaximumHeight(170);
    running->addWidget(m_running, 1);
    auto* totals = new QGroupBox(QStringLiteral(" Итого "), page);
    auto* form = new QFormLayout(totals);
    m_runningNom = valueField(totals);
    m_runningNom->setObjectName(QStringLiteral("runningNominal"));
    m_runningPik = valueField(totals);
    m_runningPik->setObjectName(QStringLiteral("runningPeak"));
    form->addRow(QStringLiteral("Рном., Вт:"), m_runningNom);
    form->addRow(QStringLiteral("Рпик., Вт:"), m_runningPik);
    running->addWidget(totals, 0, Qt::AlignTop);
    l->addLayout(running);
    return page;
}

QWidget* TotalsPages::combinedPage() {
    auto* page = new QWidget(this);
    auto* l = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    m_combined = shownGrid(page, QStringLiteral("combined"));
    fillGrid(m_combined,
             {QStringLiteral("   Т1, час."), QStringLiteral("   Т2, час."),
              QStringLiteral("  Pном., Вт")},
             {});
    m_combined->setFixedWidth(300);
    left->addWidget(m_combined, 1);
    auto* form = new QFormLayout;
    const QStringList captions =
        m_window == TotalsWindow::Monthly
            ? QStringList{QStringLiteral("Wсут., Вт*ч:"), QStringLiteral("Рном., Вт:"),
                          QStringLiteral("Рмакс., Вт:"), QStringLiteral("Wбс, Вт*ч:")}
            : QStringList{QStringLiteral("Номинальная выходная мощность, Вт:"),
                          QStringLiteral("Максимальная выходная мощность, Вт:")};
    for (const QString& caption : captions) {
        QLineEdit* field = valueField(page);
        form->addRow(caption, field);
        m_figures.emplace_back(caption, field);
    }
    left->addLayout(form);
    l->addLayout(left);
    m_chart = new StepChart(page);
    l->addWidget(m_chart, 1);
    return page;
}

QWidget* TotalsPages::detailPage() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    m_detail = shownGrid(page, QStringLiteral("detail"));
    fillGrid(m_detail, detailLeadHeaders(m_window), {});
    l->addWidget(m_detail, 3);
    auto* bottom = new QHBoxLayout;
    m_scheduleRemarks = shownGrid(page, QStringLiteral("scheduleRemarks"));
    m_scheduleRemarks->setSelectionBehavior(QAbstractItemView::SelectRows);
    fillRemarks(
        m_scheduleRemarks,
        {QStringLiteral(" Т1, час."), QStringLiteral(" Т2, час."), QStringLiteral(" Замечание")},
        {});
    m_findSchedule = new QPushButton(QStringLiteral("Найти"), page);
    m_findSchedule->setToolTip(QStringLiteral("Найти в таблице интервал выбранного замечания"));
    m_findSchedule->setEnabled(false);
    connect(m_findSchedule, &QPushButton::clicked, this, [this] { findScheduleRemark(); });
    connect(m_scheduleRemarks, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int col) { remarkClicked(true, row, col); });
    bottom->addWidget(remarkBox(QStringLiteral("Замечания по суточному графику."),
                                m_scheduleRemarks, m_findSchedule, page),
                      1);
    bottom->addWidget(legend(scheduleDetailLegend(), page));
    l->addLayout(bottom, 2);
    return page;
}

QWidget* TotalsPages::peaksPage() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    m_peaks = shownGrid(page, QStringLiteral("peaks"));
    fillGrid(m_peaks, {QStringLiteral("   Т, час."), QStringLiteral("  Pпик., Вт")}, {});
    m_peaks->setFixedWidth(220);
    left->addWidget(m_peaks, 1);
    auto* form = new QFormLayout;
    const QString caption = m_window == TotalsWindow::Monthly ? kPeakFigure : kPeakFigureInfo;
    QLineEdit* peak = valueField(page);
    form->addRow(caption, peak);
    m_figures.emplace_back(caption, peak);
    left->addLayout(form);
    top->addLayout(left);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Пиковые нагрузки: Pпик. = f(T)"));
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    m_peakChart = new QChartView(chart, page);
    m_peakChart->setObjectName(QStringLiteral("peakChart"));
    m_peakChart->setRenderHint(QPainter::Antialiasing);
    m_peakChart->setMinimumHeight(200);
    top->addWidget(m_peakChart, 1);
    l->addLayout(top, 3);

    m_peakDetail = shownGrid(page, QStringLiteral("peakDetail"));
    fillGrid(m_peakDetail, detailLeadHeaders(m_window), {});
    l->addWidget(m_peakDetail, 3);

    auto* bottom = new QHBoxLayout;
    m_peakRemarks = shownGrid(page, QStringLiteral("peakRemarks"));
    m_peakRemarks->setSelectionBehavior(QAbstractItemView::SelectRows);
    fillRemarks(m_peakRemarks, {QStringLiteral("  Т, час."), QStringLiteral(" Замечание")}, {});
    m_findPeak = new QPushButton(QStringLiteral("Найти"), page);
    m_findPeak->setToolTip(QStringLiteral("Найти в таблице момент выбранного замечания"));
    m_findPeak->setEnabled(false);
    connect(m_findPeak, &QPushButton::clicked, this, [this] { findPeakRemark(); });
    connect(m_peakRemarks, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int col) { remarkClicked(false, row, col); });
    bottom->addWidget(remarkBox(QStringLiteral("Замечания по пиковым нагрузкам."), m_peakRemarks,
                                m_findPeak, page),
                      1);
    bottom->addWidget(legend(peakDetailLegend(), page));
    l->addLayout(bottom, 3);
    return page;
}

QCheckBox* TotalsPages::continuedCheck(QGridLayout* grid, int row, const QString& caption,
                                       const QString& continuation) {
    QWidget* page = grid->parentWidget();
    auto* box = new QCheckBox(caption, page);
    box->setChecked(true);
    grid->addWidget(box, row, 0, 1, 2);
    // The rest of the caption toggles the box as its own text does.
    auto* rest = new QLabel(QStringLiteral("      ") + continuation.trimmed(), page);
    rest->setWordWrap(true);
    rest->installEventFilter(this);
    rest->setProperty("toggles", QVariant::fromValue(static_cast<QObject*>(box)));
    grid->addWidget(rest, row + 1, 0, 1, 2);
    return box;
}

NumberField* TotalsPages::countField(QGridLayout* grid, int row, const QString& caption,
                                     int step2) {
    QWidget* page = grid->parentWidget();
    auto* label = new QLabel(caption, page);
    label->setWordWrap(true);
    grid->addWidget(label, row, 0);
    auto* cell = new QHBoxLayout;
    auto* field = new NumberField(NumberField::Kind::Integer, page);
    field->setPrompter(&m_prompter);
    field->setLeaveCheck(false);
    field->setFixedWidth(numberFieldWidth(field) / 2);
    label->setBuddy(field);
    cell->addWidget(field);
    for (const int step : {1, step2}) {
        if (step == 0)
            continue;
        auto* steps = new StepButtons(field, step, page);
        steps->setDownRule(StepButtons::Mode::Positive);
        if (step2 != 0)
            steps->setUpRule(StepButtons::Mode::UpperBound, 100);
        cell->addWidget(steps);
    }
    cell->addStretch(1);
    grid->addLayout(cell, row, 1);
    return field;
}

QWidget* TotalsPages::parametersPage() {
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);

    auto* peaks = new QGroupBox(QStringLiteral("Пиковые нагрузки"), page);
    auto* pg = new QGridLayout(peaks);
    m_nPik = countField(
        pg, 0,
        QStringLiteral("Допускается одновременный пуск числа электроприемников не более, шт.:"), 0);
    m_nPik->setValue(1);
    m_startCheck = continuedCheck(
        pg, 1,
        QStringLiteral("Контроль одновременного пуска электроприемников с пиковой мощностью,"),
        QStringLiteral(" превышающей номинальную мощность"));
    pg->addWidget(
        new QLabel(QStringLiteral("Режим одновременно пускаемых крупных электроприемников:"),
                   peaks),
        3, 0);
    m_startMode = new QComboBox(peaks);
    m_startMode->addItems(remarkModeTexts());
    m_startMode->setCurrentIndex(int(RemarkMode::Any));
    pg->addWidget(m_startMode, 3, 1, Qt::AlignLeft);
    pg->setColumnStretch(0, 1);
    l->addWidget(peaks);

    auto* schedule = new QGroupBox(QStringLiteral("Суточный график"), page);
    auto* sg = new QGridLayout(schedule);
    m_nNom = countField(sg, 0,
                        QStringLiteral("Допускается одновременная работа числа крупных "
                                       "электроприемников не более, шт.:"),
                        0);
    m_nNom->setValue(1);
    m_operationCheck = new QCheckBox(
        QStringLiteral("Контроль одновременной работы крупных электроприемников"), schedule);
    m_operationCheck->setChecked(true);
    sg->addWidget(m_operationCheck, 1, 0, 1, 2);
    sg->addWidget(new QLabel(QStringLiteral("Режим одновременно работающих крупных "
                                            "электроприемников:"),
                             schedule),
                  2, 0);
    m_operationMode = new QComboBox(schedule);
    m_operationMode->addItems(remarkModeTexts());
    m_operationMode->setCurrentIndex(int(RemarkMode::Manual));
    sg->addWidget(m_operationMode, 2, 1, Qt::AlignLeft);
    m_whileRunningCheck = continuedCheck(
        sg, 3,
        QStringLiteral("Контроль одновременного пуска крупного электроприемника с пиковой "
                       "мощностью,"),
        QStringLiteral(" превышающей номинальную мощность, при работе в номинальном режиме других "
                       " крупных электроприемников "));
    m_bigShare = countField(sg, 5,
                            QStringLiteral("Отношение номинальной мощности крупного "
                                           "электроприемника к общей установленной номинальной "
                                           "мощности всех электроприемников не менее, %:"),
                            10);
    m_bigShare->setValue(10);
    auto* bigLabel = new QLabel(
        QStringLiteral("Минимальная номинальная мощность крупного электроприемника, Вт:"),
        schedule);
    bigLabel->setWordWrap(true);
    sg->addWidget(bigLabel, 6, 0);
    m_bigPower = valueField(schedule);
    m_bigPower->setObjectName(QStringLiteral("bigPower"));
    sg->addWidget(m_bigPower, 6, 1, Qt::AlignLeft);
    sg->setColumnStretch(0, 1);
    connect(m_bigShare, &QLineEdit::textChanged, this, [this] { updateBigPower(); });
    l->addWidget(schedule);

    auto* refresh = new QPushButton(QStringLiteral("Обновить"), page);
    refresh->setObjectName(QStringLiteral("refreshRemarks"));
    refresh->setToolTip(QStringLiteral("Заново составить замечания по суточному графику и по "
                                       "пиковым нагрузкам"));
    connect(refresh, &QPushButton::clicked, this, [this] { refreshRemarks(); });
    auto* row = new QHBoxLayout;
    row->addWidget(refresh);
    row->addStretch(1);
    l->addLayout(row);
    l->addStretch(1);
    return page;
}

bool TotalsPages::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto* box = qobject_cast<QCheckBox*>(watched->property("toggles").value<QObject*>()))
            box->toggle();
    }
    return QTabWidget::eventFilter(watched, event);
}

int TotalsPages::nameColumn() const {
    return m_window == TotalsWindow::Monthly ? 2 : 0;
}

QHBoxLayout* TotalsPages::intervalControls() const {
    return m_picture->controls();
}

QLineEdit* TotalsPages::figure(const QString& caption) const {
    for (const auto& [name, field] : m_figures)
        if (name == caption)
            return field;
    return nullptr;
}

// ------------------------------------------------------------------ showing

void TotalsPages::show(const MonthTotals& totals, const std::optional<DaylightRow>& daylight,
                       const std::function<void()>& step) {
    m_totals = totals;
    m_daylight = daylight;
    const auto next = [&step] {
        if (step)
            step();
    };
    showConsumers();
    next();
    redrawPicture();
    next();
    showCombined();
    next();
    showDetail(m_detail, m_totals.detail);
    next();
    showScheduleRemarks();
    next();
    showPeaks();
    next();
    next(); // the peak chart is drawn with its table
    showDetail(m_peakDetail, m_totals.peakDetail);
    next();
    showPeakRemarks();
    next();
    updateBigPower();
    setTime(0);
}

void TotalsPages::setDaylight(const std::optional<DaylightRow>& daylight) {
    m_daylight = daylight;
    redrawPicture();
}

void TotalsPages::showConsumers() {
    std::vector<QStringList> rows;
    const auto add = [&](const ConsumerRow& r) {
        QStringList row;
        if (m_window == TotalsWindow::Monthly)
            row << r.load << r.schedule;
        row << r.name << r.pnom << r.pnomShare << r.wsut << r.wsutShare;
        rows.push_back(row);
    };
    for (const ConsumerRow& r : m_totals.consumers.rows)
        add(r);
    if (m_totals.consumers.total)
        add(*m_totals.consumers.total);
    fillGrid(m_consumers, consumerTableHeaders(m_window), rows, nameColumn());
}

void TotalsPages::showCombined() {
    std::vector<QStringList> rows;
    for (const auto& r : m_totals.combined.texts())
        rows.push_back({r[0], r[1], r[2]});
    fillGrid(m_combined,
             {QStringLiteral("   Т1, час."), QStringLiteral("   Т2, час."),
              QStringLiteral("  Pном., Вт")},
             rows);
    if (rows.empty())
        m_chart->clear();
    else
        m_chart->draw(m_totals.combined.texts());
    if (m_window != TotalsWindow::Monthly)
        return;
    const std::optional<ScheduleParams>& p = m_totals.combined.params;
    figure(QStringLiteral("Wсут., Вт*ч:"))->setText(p ? watts(p->wpSut) : QString());
    figure(QStringLiteral("Рном., Вт:"))->setText(p ? watts(p->pnom) : QString());
    figure(QStringLiteral("Рмакс., Вт:"))->setText(p ? watts(p->pmax) : QString());
    figure(QStringLiteral("Wбс, Вт*ч:"))
        ->setText(m_totals.combined.darkEnergy ? watts(*m_totals.combined.darkEnergy) : QString());
}

void TotalsPages::setScheduleFigures(std::optional<double> pnom, std::optional<double> pmax) {
    if (QLineEdit* f = figure(QStringLiteral("Номинальная выходная мощность, Вт:")))
        f->setText(pnom ? watts(*pnom) : QString());
    if (QLineEdit* f = figure(QStringLiteral("Максимальная выходная мощность, Вт:")))
        f->setText(pmax ? watts(*pmax) : QString());
}

void TotalsPages::showDetail(StringGrid* grid, const DetailTable& table) {
    const QStringList lead = detailLeadHeaders(m_window);
    const QStringList titles = lead + table.columns;
    std::vector<const DetailRow*> rows;
    for (const DetailRow& r : table.rows)
        rows.push_back(&r);
    if (!table.empty())
        rows.push_back(&table.total);
    grid->setFrozenCols(0);
    grid->clearCells();
    grid->setColCount(int(titles.size()));
    grid->setRowCount(1 + int(rows.size()));
    for (int c = 0; c < titles.size(); ++c)
        grid->setCell(c, 0, titles[c]);
    const QColor face = palette().color(QPalette::Button);
    const QColor window = palette().color(QPalette::Base);
    for (int r = 0; r < int(rows.size()); ++r) {
        const DetailRow& row = *rows[r];
        QStringList names;
        if (m_window == TotalsWindow::Monthly)
            names << row.load << row.schedule;
        names << row.name;
        for (int c = 0; c < names.size(); ++c) {
            grid->setCell(c, r + 1, names[c]);
            grid->item(r, c)->setBackground(face);
        }
        for (int c = 0; c < int(row.cells.size()); ++c) {
            const DetailCell& cell = row.cells[c];
            grid->setCell(int(lead.size()) + c, r + 1, cell.text);
            const std::optional<unsigned> rgb = cellBackground(cell.kind);
            grid->item(r, int(lead.size()) + c)
                ->setBackground(rgb ? QColor::fromRgb(QRgb(*rgb)) : window);
        }
    }
    grid->resizeColumnsToContents();
    grid->setFrozenCols(int(lead.size()));
}

void TotalsPages::showPeaks() {
    std::vector<QStringList> rows;
    for (const PeakRow& p : m_totals.peaks)
        rows.push_back({hours(p.t), watts(p.load)});
    fillGrid(m_peaks, {QStringLiteral("   Т, час."), QStringLiteral("  Pпик., Вт")}, rows);
    figure(m_window == TotalsWindow::Monthly ? kPeakFigure : kPeakFigureInfo)
        ->setText(rows.empty() ? QString() : watts(m_totals.peak));

    QChart* chart = m_peakChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    if (rows.empty())
        return;
    auto* set = new QBarSet(QStringLiteral("Pпик. = f(T)"));
    QStringList moments;
    double top = 0;
    for (const PeakRow& p : m_totals.peaks) {
        *set << p.load;
        moments << hours(p.t);
        top = std::max(top, p.load);
    }
    auto* series = new QBarSeries;
    series->setName(QStringLiteral("Pпик. = f(T)"));
    series->append(set);
    chart->addSeries(series);
    auto* time = new QBarCategoryAxis;
    time->append(moments);
    time->setTitleText(QStringLiteral("Т, час."));
    auto* power = new QValueAxis;
    power->setTitleText(QStringLiteral("Pпик., Вт"));
    power->setLabelFormat(QStringLiteral("%.0f"));
    power->setRange(0, top > 0 ? top * 1.1 : 1);
    power->applyNiceNumbers();
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(power, Qt::AlignLeft);
    series->attachAxis(time);
    series->attachAxis(power);
}

void TotalsPages::showScheduleRemarks() {
    std::vector<QStringList> rows;
    for (const ScheduleRemark& r : m_totals.scheduleRemarks.rows)
        rows.push_back({hours(r.t1), hours(r.t2), r.text});
    fillRemarks(
        m_scheduleRemarks,
        {QStringLiteral(" Т1, час."), QStringLiteral(" Т2, час."), QStringLiteral(" Замечание")},
        rows);
    m_findSchedule->setEnabled(!rows.empty());
    if (!rows.empty())
        m_scheduleRemarks->setCurrentCell(0, 0);
}

void TotalsPages::showPeakRemarks() {
    std::vector<QStringList> rows;
    for (const PeakRemark& r : m_totals.peakRemarks)
        rows.push_back({hours(r.t), r.text});
    fillRemarks(m_peakRemarks, {QStringLiteral("  Т, час."), QStringLiteral(" Замечание")}, rows);
    m_findPeak->setEnabled(!rows.empty());
    if (!rows.empty())
        m_peakRemarks->setCurrentCell(0, 0);
}

// ------------------------------------------------------------------ picture and time

void TotalsPages::redrawPicture() {
    bool anyConsumer = false;
    for (const TotalsSchedule& s : m_totals.sources)
        anyConsumer = anyConsumer || !s.consumers.empty();
    if (!anyConsumer) {
        m_picture->showMessage(
            QStringLiteral("Ни один суточный график месяца не задан электроприемниками."));
        return;
    }
    m_picture->setDrawing([this](int scale) {
        Drawing d = intervalPicture(m_totals.sources, m_daylight ? &*m_daylight : nullptr, scale,
                                    fontTextMeasure());
        addTimeLine(d, m_t, scale);
        return d;
    });
}

void TotalsPages::setTime(double t) {
    m_t = std::clamp(t, 0.0, 24.0);
    m_time->setValue(m_t);
    m_hoursMinutes->setText(hoursMinutes(m_t));
    if (m_picture->hasDrawing())
        redrawPicture();
    showRunning();
}

void TotalsPages::setPictureScale(int scale) {
    m_picture->fitBox()->setChecked(false);
    m_picture->scaleField()->setValue(scale);
    emit m_picture->scaleField()->editingFinished();
}

void TotalsPages::timeEntered() {
    const QString text = m_time->text();
    const std::optional<QString> error = checkNumber(text, QStringLiteral("текущего времени"));
    const std::optional<double> value = parseNumber(text);
    if (error || !value) {
        m_prompter.error(error.value_or(QStringLiteral("Неверное значение текущего времени.")));
        clearRunning();
        return;
    }
    setTime(*value);
}

void TotalsPages::clearRunning() {
    m_running->clearCells();
    m_running->setRowCount(1);
    m_runningNom->clear();
    m_runningPik->clear();
}

void TotalsPages::showRunning() {
    const RunningConsumers running = runningAt(m_totals.detail, m_totals.peakDetail, m_t);
    std::vector<QStringList> rows;
    for (const RunningConsumer& r : running.rows) {
        QStringList row;
        if (m_window == TotalsWindow::Monthly)
            row << r.load << r.schedule;
        row << r.name << r.pnom << r.ppik;
        rows.push_back(row);
    }
    QStringList titles;
    for (int c = 0; c < m_running->colCount(); ++c)
        titles << m_running->cell(c, 0);
    fillGrid(m_running, titles, rows, nameColumn());
    m_runningNom->setText(running.nominalTotal);
    m_runningPik->setText(running.peakTotal);
}

// ------------------------------------------------------------------ remarks

std::optional<RemarkParams> TotalsPages::remarkParams() {
    RemarkParams p;
    p.startCheck = m_startCheck->isChecked();
    p.startMode = RemarkMode(m_startMode->currentIndex());
    p.operationCheck = m_operationCheck->isChecked();
    p.operationMode = RemarkMode(m_operationMode->currentIndex());
    p.startWhileRunningCheck = m_whileRunningCheck->isChecked();
    const auto whole = [this](NumberField* field, const QString& quantity) -> std::optional<int> {
        if (const auto error = checkNonZeroWhole(field->text(), quantity)) {
            m_prompter.error(*error);
            field->setFocus();
            return std::nullopt;
        }
        const std::optional<int> value = parseInteger(field->text());
        if (!value || *value <= 0) {
            m_prompter.error(QStringLiteral("Значение %1 должно быть целым положительным числом.")
                                 .arg(quantity));
            field->setFocus();
        }
        return value && *value > 0 ? value : std::nullopt;
    };
    if (p.startCheck) {
        const auto n = whole(m_nPik, QStringLiteral("количества электроприемников"));
        if (!n)
            return std::nullopt;
        p.nPik = *n;
    }
    if (p.operationCheck || p.startWhileRunningCheck) {
        const auto share = whole(m_bigShare, QStringLiteral("отношения мощностей"));
        if (!share)
            return std::nullopt;
        const auto n = whole(m_nNom, QStringLiteral("количества электроприемников"));
        if (!n)
            return std::nullopt;
        p.bigShare = *share;
        p.nNom = *n;
    }
    return p;
}

void TotalsPages::refreshRemarks() {
    const std::optional<RemarkParams> p = remarkParams();
    if (!p) {
        m_totals.scheduleRemarks = {};
        m_totals.peakRemarks.clear();
    } else {
        m_totals.scheduleRemarks = scheduleRemarks(m_totals.sources, m_totals.consumers, *p);
        if (m_totals.scheduleRemarks.error)
            m_prompter.error(*m_totals.scheduleRemarks.error);
        m_totals.peakRemarks = peakRemarks(m_totals.sources, *p, m_window);
    }
    showScheduleRemarks();
    showPeakRemarks();
}

void TotalsPages::updateBigPower() {
    const std::optional<int> share = parseInteger(m_bigShare->text());
    m_bigPower->setText(
        share && *share > 0 ? bigPowerText(*share, m_totals.consumers.installedPower) : QString());
}

bool TotalsPages::findScheduleRemark() {
    const auto& rows = m_totals.scheduleRemarks.rows;
    const int at = std::max(0, m_scheduleRemarks->currentRow());
    if (at >= int(rows.size()))
        return false;
    const int col = remarkColumn(m_totals.detail, rows[at]);
    if (col < 0)
        return false;
    m_detail->setCurrentCell(int(m_totals.detail.rows.size()),
                             int(detailLeadHeaders(m_window).size()) + col);
    m_detail->setFocus();
    return true;
}

bool TotalsPages::findPeakRemark() {
    const auto& rows = m_totals.peakRemarks;
    const int at = std::max(0, m_peakRemarks->currentRow());
    if (at >= int(rows.size()))
        return false;
    const int col = remarkColumn(m_totals.peakDetail, rows[at]);
    if (col < 0)
        return false;
    m_peakDetail->setCurrentCell(int(m_totals.peakDetail.rows.size()),
                                 int(detailLeadHeaders(m_window).size()) + col);
    m_peakDetail->setFocus();
    return true;
}

void TotalsPages::remarkClicked(bool schedule, int row, int col) {
    StringGrid* grid = schedule ? m_scheduleRemarks : m_peakRemarks;
    if (row < 0 || row >= grid->QTableWidget::rowCount())
        return;
    grid->setCurrentCell(row, col);
    if (schedule)
        findScheduleRemark();
    else
        findPeakRemark();
    const int textColumn = grid->colCount() - 1;
    if (col == textColumn && !grid->cell(textColumn, row + 1).isEmpty())
        m_prompter.information(grid->cell(textColumn, row + 1));
}

} // namespace ses
