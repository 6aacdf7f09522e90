#include "solar/ui/anal_sb_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "reports/report_writer.h"
#include "solar/generation_store.h"
#include "solar/ui/solar_parts.h"
#include "widgets/chart_view.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace ses {

namespace {

const QString kMonthLabel = QStringLiteral("Месяц года:");
const QString kPpLabel = QStringLiteral("Рсб - предварительная расчетная мощность СБ, Вт:");
const QString kBpLabel = QStringLiteral("В - предварительный угол наклона панелей СБ, град.:");
const QString kPowerLabel = QStringLiteral("Рсб - расчетная мощность солнечной батареи, Вт:");
const QString kTiltLabel = QStringLiteral("Вопт. - оптимальный угол наклона панелей СБ, град.:");

// A role table as shown: the header as the first row, in the button-face colour.
std::vector<QStringList> shownRows(const RoleTable& t) {
    if (t.header.isEmpty())
        return {};
    std::vector<QStringList> rows{t.header};
    rows.insert(rows.end(), t.rows.begin(), t.rows.end());
    return rows;
}

QColor roleColour(const RoleTable& t, int col, int row, const QColor& face) {
    if (row == 0)
        return face;
    const auto& roles = t.roles[row - 1];
    const CellRole role = col < int(roles.size()) ? roles[col] : CellRole::None;
    if (role == CellRole::Heading)
        return face;
    if (const auto rgb = roleRgb(role))
        return QColor::fromRgb(*rgb);
    return Qt::white;
}

// The grid as tall as its rows.
void fitRows(StringGrid* grid, int width, int room) {
    int height = 2 * grid->frameWidth();
    for (int r = 0; r < grid->QTableWidget::rowCount(); ++r)
        height += grid->rowHeight(r);
    if (width > room)
        height += grid->horizontalScrollBar()->sizeHint().height();
    grid->setFixedHeight(std::max(height, 2 * grid->fontMetrics().height()));
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QLabel* swatch(const QColor& colour, const QString& text, QWidget* parent, QVBoxLayout* rows) {
    auto* box = new QLabel(parent);
    box->setFixedSize(28, 16);
    box->setStyleSheet(
        QStringLiteral("QLabel { background: %1; border: 1px solid black; }").arg(colour.name()));
    auto* label = new QLabel(text, parent);
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(label, 1);
    rows->addLayout(row);
    return label;
}

} // namespace

TAnalSBFm::TAnalSBFm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TAnalSBFm"));

    auto* body = new QWidget;
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);

    m_refusal = new QLabel(body);
    m_refusal->setObjectName(QStringLiteral("refusal"));
    m_refusal->setWordWrap(true);
    auto* requirementTitle = new QLabel(QString::fromUtf8(analysisRequirementTitle), body);
    requirementTitle->setWordWrap(true);
    m_requirement = makeShownGrid(QStringLiteral("requirement"), body);

    auto* preliminary = new QGroupBox(QStringLiteral(" Результаты предварительного выбора "), body);
    auto* preliminaryLayout = new QFormLayout(preliminary);
    m_month = new QLineEdit(preliminary);
    m_month->setReadOnly(true);
    m_month->setObjectName(QStringLiteral("month"));
    m_month->setFixedWidth(120);
    m_pp = valueField(preliminary);
    m_pp->setObjectName(QStringLiteral("pp"));
    m_bp = valueField(preliminary);
    m_bp->setObjectName(QStringLiteral("bp"));
    preliminaryLayout->addRow(kMonthLabel, m_month);
    preliminaryLayout->addRow(kPpLabel, m_pp);
    preliminaryLayout->addRow(kBpLabel, m_bp);

    auto* summaryTitle = new QLabel(QString::fromUtf8(analysisSummaryTitle), body);
    summaryTitle->setWordWrap(true);
    m_summary = makeShownGrid(QStringLiteral("summary"), body);

    auto* finalBox = new QGroupBox(QStringLiteral(" Результаты окончательного выбора "), body);
    auto* final = new QFormLayout(finalBox);
    m_power = valueField(finalBox);
    m_power->setObjectName(QStringLiteral("power"));
    m_tilt = valueField(finalBox);
    m_tilt->setObjectName(QStringLiteral("tilt"));
    final->addRow(kPowerLabel, m_power);
    final->addRow(kTiltLabel, m_tilt);

    auto* legend = new QGroupBox(QStringLiteral(" Цветовое обозначение фона ячеек таблиц "), body);
    auto* legendRow = new QVBoxLayout(legend);
    swatch(QColor::fromRgb(*roleRgb(CellRole::Preliminary)),
           QStringLiteral("предварительный выбор"), legend, legendRow);
    swatch(QColor::fromRgb(*roleRgb(CellRole::Exceeding)),
           QStringLiteral("превышение предварительной мощности"), legend, legendRow);
    swatch(QColor::fromRgb(*roleRgb(CellRole::Accepted)), QStringLiteral("окончательный выбор"),
           legend, legendRow);

    m_chartBox = new QGroupBox(body);
    m_chartBox->setFlat(true);
    m_chart = newChartView(m_chartBox, QSize(420, 210), false, QStringLiteral("Pсб = f(В)."));
    auto* chartLayout = new QVBoxLayout(m_chartBox);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(m_chart);

    m_note = new QLabel(body);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    m_note->setFrameShape(QFrame::Panel);
    m_note->setFrameShadow(QFrame::Sunken);
    m_note->setMargin(4);

    bodyLayout->addWidget(m_refusal);
    bodyLayout->addWidget(requirementTitle);
    bodyLayout->addWidget(m_requirement);
    // Both results and the legend side by side under the requirement table; under the summary
    // the note, with the chart of the search beside it.
    auto* results = new QHBoxLayout;
    results->addWidget(preliminary);
    results->addWidget(finalBox);
    results->addWidget(legend, 1);
    bodyLayout->addLayout(results);
    bodyLayout->addWidget(summaryTitle);
    bodyLayout->addWidget(m_summary);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_note, 1, Qt::AlignTop);
    bottom->addWidget(m_chartBox, 1);
    bodyLayout->addLayout(bottom);
    bodyLayout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(body);

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(makeDialogButtons(this, info, closeRow({exportButton})).layout);
    resize(1000, kWorkArea.height() - kTitleBarHeight - 20);
}

void TAnalSBFm::run() {
    load();
    exec();
}

void TAnalSBFm::load() {
    const GenerationInputs in = generationInputs(m_dm);
    if (in.months.empty()) {
        m_analysis = SolarAnalysis();
        m_analysis.refusal =
            in.region.isEmpty()
                ? QStringLiteral("Для варианта не задан регион: анализ выбора солнечной батареи "
                                 "невозможен.")
                : QStringLiteral("Регион \"%1\" отсутствует в справочнике регионов: анализ "
                                 "выбора солнечной батареи невозможен.")
                      .arg(in.region);
    } else {
        m_analysis = solarAnalysis(in.schedules, regionYearOf(in.months), in.settings, in.loss);
    }
    const SolarAnalysis& a = m_analysis;
    const bool shown = !a.refusal;
    const QColor face = palette().color(QPalette::Button);
    m_requirementWidth =
        fillShownGrid(m_requirement, shown ? shownRows(a.requirement) : std::vector<QStringList>{},
                      [&](int c, int r) { return roleColour(a.requirement, c, r, face); });
    m_summaryWidth =
        fillShownGrid(m_summary, shown ? shownRows(a.summary) : std::vector<QStringList>{},
                      [&](int c, int r) { return roleColour(a.summary, c, r, face); });
    m_requirement->setFrozenCols(m_requirement->colCount() > 2 ? 2 : 0);
    m_summary->setFrozenCols(m_summary->colCount() > 2 ? 2 : 0);

    QStringList problems;
    if (a.refusal)
        problems << *a.refusal;
    problems << a.problems;
    showShortfall(m_refusal, problems.join(QLatin1Char('\n')));
    const bool any = shown && a.month != 0;
    m_month->setText(any ? a.monthText() : QString());
    m_pp->setText(any ? a.preliminaryPowerText() : QString());
    m_bp->setText(any ? a.preliminaryTiltText() : QString());
    m_power->setText(any ? a.powerText() : QString());
    m_tilt->setText(any ? a.tiltText() : QString());
    m_note->setText(shown ? a.note() : QString());
    m_note->setVisible(!m_note->text().isEmpty());
    if (shown && a.searched)
        drawChart();
    else
        clearChart();
    fitToContent();
}

void TAnalSBFm::fitToContent() {
    // As wide as the wider table and the row of results need, within the work area.
    const int widest = std::max(m_requirementWidth, m_summaryWidth);
    const QWidget* body = findChild<QScrollArea*>()->widget();
    const int width = std::clamp(std::max(widest, body->minimumSizeHint().width()) + 60, 900,
                                 kWorkArea.width() - 26);
    const int room = width - 2 * layout()->contentsMargins().left() - 4;
    fitRows(m_requirement, m_requirementWidth, room);
    fitRows(m_summary, m_summaryWidth, room);
    // As tall as the contents at that width, within the work area (scrolling beyond).
    body->layout()->activate();
    const int tall = body->layout()->hasHeightForWidth()
                         ? body->layout()->totalHeightForWidth(width - 30)
                         : body->sizeHint().height();
    resize(width, std::min(tall + 70, kWorkArea.height() - kTitleBarHeight - 20));
}

void TAnalSBFm::clearChart() {
    m_chart->chart()->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->chart()->axes())
        m_chart->chart()->removeAxis(axis);
    m_chartBox->hide();
}

bool TAnalSBFm::isChartEmpty() const {
    return m_chart->chart()->series().isEmpty();
}

void TAnalSBFm::drawChart() {
    clearChart();
    if (m_analysis.byTilt.empty())
        return;
    auto* set = new QBarSet(QStringLiteral("Pсб, Вт"));
    // The bars stand at 0, 1, ... in the order of the tilts; the axis names each tilt under its
    // bar, only every fifth one when there are many, so that the labels stay readable.
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int n = int(m_analysis.byTilt.size());
    double high = 0;
    for (int i = 0; i < n; ++i) {
        const auto& [t, p] = m_analysis.byTilt[i];
        *set << p;
        high = std::max(high, p);
        if (t % 5 == 0 || n <= 12)
            x->append(QString::number(t), i);
    }
    x->setRange(-0.5, n - 0.5);
    x->setTitleText(QStringLiteral("В, град."));
    auto* series = new QBarSeries;
    series->append(set);
    QChart* chart = m_chart->chart();
    chart->addSeries(series);
    auto* y = new QValueAxis;
    y->setRange(0, high > 0 ? high : 1);
    y->setTickCount(6);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTitleText(QStringLiteral("Pсб, Вт"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    m_chartBox->show();
}

void TAnalSBFm::writeReport(ReportWriter& w) {
    const SolarAnalysis& a = m_analysis;
    w.openReport();
    w.writeHeading(QStringLiteral("Анализ выбора солнечной батареи.\r\r"));
    w.writeText(QString::fromUtf8(analysisRequirementTitle) + QStringLiteral("\r"));
    w.writeGridTable(shownRows(a.requirement));
    w.writeText(QStringLiteral("\r"));
    w.writeText(QStringLiteral("Результаты предварительного выбора.\rМесяц года: ") +
                a.monthText() + QStringLiteral(".\rПредварительная расчетная мощность СБ: Рсб = ") +
                a.preliminaryPowerText() +
                QStringLiteral(" Вт.\rПредварительный угол наклона панелей СБ: В = ") +
                a.preliminaryTiltText() + QStringLiteral(" град.\r\r"));
    w.writeText(QString::fromUtf8(analysisSummaryTitle) + QStringLiteral("\r"));
    w.writeGridTable(shownRows(a.summary));
    w.writeText(QStringLiteral("\r"));
    w.writeText(QStringLiteral("Результаты окончательного выбора.\rРасчетная мощность солнечной "
                               "батареи: Рсб. = ") +
                a.powerText() +
                QStringLiteral(" Вт.\rОптимальный угол наклона панелей СБ: Вопт. = ") +
                a.tiltText() + QStringLiteral(" град.\r\r"));
    if (a.searched) {
        w.writeText(QStringLiteral("Зависимость расчетной мощности СБ от угла наклона солнечных "
                                   "панелей при его подборе.\r"));
        if (isChartEmpty())
            drawChart();
        if (m_chart->width() < 480 || m_chart->height() < 260)
            m_chart->resize(std::max(m_chart->width(), 640), std::max(m_chart->height(), 360));
        w.insertPicture(m_chart->grab().toImage());
        w.writeText(QStringLiteral("\r"));
    }
    w.writeText(QStringLiteral("Примечание.\r"));
    w.writeText(a.exportNote() + QStringLiteral("\r\r"));
}

void TAnalSBFm::exportReport() {
    if (m_analysis.refusal || m_analysis.month == 0)
        return;
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

bool TAnalSBFm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        WaitCursor wait;
        load();
    }
    return QDialog::event(event);
}

} // namespace ses
