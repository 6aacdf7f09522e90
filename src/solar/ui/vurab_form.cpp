#include "solar/ui/vurab_form.h"

#include "data/data_module.h"
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

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace ses {

namespace {

constexpr int kChartedRows = genRowCount - 1; // every row but "Кпроизв."

// Month names cut to `length` characters; a cut name met before gets invisible marks, as the
// categories of a bar axis must differ ("июнь" and "июль" both start "и").
QStringList monthLabels(const GenerationTable& t, int length) {
    QStringList labels;
    for (const GenerationColumn& c : t.columns) {
        QString label = c.month.left(length);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels << label;
    }
    return labels;
}

} // namespace

TVurabFrm::TVurabFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TVurabFrm"));
    m_pages = new QTabWidget(this);

    // The table with its notes.
    auto* tablePage = new QWidget(m_pages);
    m_grid = makeShownGrid(QStringLiteral("grid"), tablePage);
    m_refusal = new QLabel(tablePage);
    m_refusal->setObjectName(QStringLiteral("refusal"));
    m_refusal->setWordWrap(true);
    m_missing = new QLabel(tablePage);
    m_missing->setObjectName(QStringLiteral("missing"));
    m_missing->setWordWrap(true);
    auto* note = noteList(generationNoteLines(), 0, tablePage);
    note->setObjectName(QStringLiteral("note"));
    auto* cycle = new QLabel(generationCycleNote(), tablePage);
    cycle->setObjectName(QStringLiteral("cycleNote"));
    cycle->setWordWrap(true);
    auto* tableLayout = new QVBoxLayout(tablePage);
    tableLayout->addWidget(m_grid, 1);
    tableLayout->addWidget(m_refusal);
    tableLayout->addWidget(m_missing);
    tableLayout->addWidget(new QLabel(QStringLiteral("Примечание."), tablePage));
    tableLayout->addWidget(note);
    tableLayout->addWidget(cycle);
    m_pages->addTab(tablePage, QStringLiteral(" Таблица расчетной выработки СЭ "));

    // The charts with their options at the left.
    auto* chartPage = new QWidget(m_pages);
    auto* shown = new QGroupBox(QStringLiteral(" Отображаемые параметры "), chartPage);
    auto* shownLayout = new QVBoxLayout(shown);
    for (int r = 0; r < kChartedRows; ++r) {
        auto* box = new QCheckBox(generationRowNames()[r], shown);
        box->setChecked(r == int(GenRow::Wmonth) || r == int(GenRow::DWmonth));
        connect(box, &QCheckBox::toggled, this, [this] { optionsChanged(); });
        shownLayout->addWidget(box);
        m_boxes.push_back(box);
    }
    auto* lengthLabel =
        new QLabel(QStringLiteral("Ограничение количества символов в названии месяцев"), chartPage);
    lengthLabel->setWordWrap(true);
    m_monthLength = new QSpinBox(chartPage);
    m_monthLength->setObjectName(QStringLiteral("monthLength"));
    m_monthLength->setRange(1, 8);
    m_monthLength->setValue(3);
    m_monthLength->setFixedWidth(60);
    lengthLabel->setBuddy(m_monthLength);
    connect(m_monthLength, &QSpinBox::valueChanged, this, [this] { optionsChanged(); });
    m_auto = new QCheckBox(QStringLiteral("Автообновление"), chartPage);
    m_auto->setChecked(true);
    connect(m_auto, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            drawChart();
    });
    m_update = new QPushButton(QStringLiteral("Обновить"), chartPage);
    m_update->setAutoDefault(false);
    connect(m_update, &QPushButton::clicked, this, [this] { drawChart(); });

    m_chart =
        newChartView(chartPage, QSize(480, 300), true, QStringLiteral("Расчетная выработка СЭ."));
    addMonthAxes(m_chart->chart(), m_months, m_values);

    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(lengthLabel, 1);
    lengthRow->addWidget(m_monthLength, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(shown);
    side->addLayout(lengthRow);
    side->addWidget(m_auto);
    side->addWidget(m_update);
    side->addStretch(1);
    auto* sideBox = new QWidget(chartPage);
    sideBox->setLayout(side);
    sideBox->setFixedWidth(230);
    auto* chartLayout = new QHBoxLayout(chartPage);
    chartLayout->addWidget(sideBox);
    chartLayout->addWidget(m_chart, 1);
    m_pages->addTab(chartPage, QStringLiteral(" Диаграммы расчетной выработки СЭ "));

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeDialogButtons(this, info, closeRow({exportButton})).layout);
    resize(1000, 600);
    clearChart();
}

bool TVurabFrm::load() {
    m_table = generationTable(generationInputs(m_dm));
    const QColor face = m_grid->palette().color(QPalette::Button);
    const int width =
        fillShownGrid(m_grid, m_table.refusal ? std::vector<QStringList>{} : m_table.grid(),
                      [&](int c, int r) { return r == 0 || c == 0 ? face : QColor(Qt::white); });
    m_grid->setFrozenCols(m_grid->colCount() > 1 ? 1 : 0);
    showShortfall(m_refusal, m_table.refusal.value_or(QString()));
    m_missing->setText(m_table.missingNote);
    m_missing->setVisible(!m_table.missingNote.isEmpty());
    m_update->setEnabled(!m_table.columns.empty());
    // The window takes the table's width within the work area; a wider table scrolls.
    resize(std::clamp(width + 60, 900, kWorkArea.width() - 26), height());
    if (m_auto->isChecked())
        drawChart();
    else
        clearChart();
    return !m_table.refusal;
}

void TVurabFrm::run() {
    if (!load()) {
        m_prompter.error(*m_table.refusal);
        return;
    }
    exec();
    clearChart();
}

void TVurabFrm::optionsChanged() {
    if (m_auto->isChecked())
        drawChart();
}

void TVurabFrm::clearChart() {
    m_chart->chart()->removeAllSeries();
    m_months->clear();
    m_months->setVisible(false);
    m_values->setVisible(false);
    m_values->setTitleText(QString());
}

bool TVurabFrm::isChartEmpty() const {
    return m_chart->chart()->series().isEmpty();
}

void TVurabFrm::drawChart() {
    clearChart();
    if (m_table.columns.empty())
        return;
    auto* series = new QBarSeries;
    double low = 0, high = 0;
    QString firstTitle;
    for (int r = 0; r < kChartedRows; ++r) {
        if (!m_boxes[r]->isChecked())
            continue;
        if (firstTitle.isEmpty())
            firstTitle = generationRowNames()[r];
        auto* set = new QBarSet(generationRowNames()[r]);
        for (const GenerationColumn& c : m_table.columns) {
            low = std::min(low, c.values[r]);
            high = std::max(high, c.values[r]);
            *set << c.values[r];
        }
        series->append(set);
    }
    if (series->count() == 0) {
        delete series;
        return;
    }
    m_chart->chart()->addSeries(series);
    m_months->setCategories(monthLabels(m_table, m_monthLength->value()));
    m_values->setRange(low, high > low ? high : low + 1);
    m_values->setTickCount(6);
    m_values->applyNiceNumbers();
    m_values->setLabelFormat(QStringLiteral("%.1f"));
    m_values->setTitleText(firstTitle);
    series->attachAxis(m_months);
    series->attachAxis(m_values);
    m_months->setVisible(true);
    m_values->setVisible(true);
}

QImage TVurabFrm::chartPicture() {
    if (isChartEmpty())
        drawChart();
    if (m_chart->width() < 480 || m_chart->height() < 300)
        m_chart->resize(std::max(m_chart->width(), 640), std::max(m_chart->height(), 400));
    return m_chart->grab().toImage();
}

void TVurabFrm::writeReport(ReportWriter& w) {
    w.openReport();
    w.writeTitle(QStringLiteral("Таблица расчетной выработки солнечной электростанции.\r\r"));
    w.writeGridTable(m_table.grid());
    QString note = QStringLiteral("Примечание.\r");
    for (const QString& line : generationNoteLines())
        note += line + QStringLiteral("\r");
    w.writeText(note + QStringLiteral("\r"));
    w.writeTitle(QStringLiteral("Диаграммы расчетной выработки солнечной электростанции.\r\r"));
    w.insertPicture(chartPicture());
    w.writeText(QStringLiteral("Обозначение расчетных параметров на диаграмме:\r"));
    for (int r = 0; r < kChartedRows; ++r)
        if (m_boxes[r]->isChecked())
            w.writeText(generationNoteLines()[r] + QStringLiteral("\r"));
}

void TVurabFrm::exportReport() {
    if (m_table.refusal)
        return;
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

bool TVurabFrm::event(QEvent* event) {
    // Leaving the window clears the chart; coming back draws it again when it is drawn by itself.
    if (event->type() == QEvent::WindowDeactivate)
        clearChart();
    else if (event->type() == QEvent::WindowActivate && m_auto->isChecked() && isChartEmpty())
        drawChart();
    return QDialog::event(event);
}

} // namespace ses
