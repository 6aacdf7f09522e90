#include "solar/ui/kproiz_form.h"

#include "widgets/chart_view.h"
#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "solar/ui/solar_parts.h"

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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace ses {

namespace {

const QString kMemo = QStringLiteral(
    "Месяц - месяц года.\n"
    "Аопт., град. - оптимальный угол ориентации солнечных панелей массива (180 град. - юг), "
    "град.\n"
    "Вопт., град. - оптимальный угол наклона солнечных панелей массива для данного месяца и "
    "данного региона, град.\n"
    "А, град. - фактический угол ориентации солнечных панелей массива, град.\n"
    "В, град. - фактический угол наклона солнечных панелей массива, град.\n"
    "С, град. - угол отклонения солнечных лучей от перепендикуляра к солнечной панели град.\n"
    "Кпроиз. - коэффициент производительности солнечных панелей массива.\n"
    "Кпр.сэ - коэффициент производительности солнечных панелей СЭ.");

// Month names cut to `length` characters; a cut name met before gets invisible marks, as the
// categories of a bar axis must differ ("июнь" and "июль" both start "и").
QStringList monthLabels(const CoefficientTable& t, int length) {
    QStringList labels;
    for (const CoefficientMonth& m : t.months) {
        QString label = m.month.left(length);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels << label;
    }
    return labels;
}

// The refusal of the first angle met, and the other refused angles after it (a few of them:
// each cell names its own in its hint).
QString refusalSummary(const CoefficientTable& t) {
    const std::vector<double> angles = t.refusedAngles();
    if (angles.empty())
        return {};
    QString text = coefficientRefusal(angles.front());
    if (angles.size() == 1)
        return text;
    constexpr size_t kShown = 8;
    QStringList others;
    for (size_t i = 1; i < angles.size() && i <= kShown; ++i)
        others << numberToText(angles[i]);
    return text + QStringLiteral("\nУглы отклонения с тем же отказом, град.: ") +
           others.join(QStringLiteral("; ")) +
           (angles.size() > kShown + 1 ? QStringLiteral("; ...") : QStringLiteral("."));
}

} // namespace

TKproizFm::TKproizFm(TDataModule1& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TKproizFm"));

    m_grid = new FrozenTable(CoefficientTable::kFixedColumns, this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_model = new QStandardItemModel(this);
    m_grid->setModel(m_model);
    m_grid->frozenHeader()->setGroups(
        {{QStringLiteral("Наименование массива СП"), 0, CoefficientTable::kFixedColumns}});

    m_refusals = new QLabel(this);
    m_refusals->setObjectName(QStringLiteral("refusals"));
    m_refusals->setWordWrap(true);
    m_refusals->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    m_refusals->hide();

    auto* charts =
        new QGroupBox(QStringLiteral(" Диаграммы коэффициентов производительности "), this);
    m_entries = new QListWidget(charts);
    m_entries->setObjectName(QStringLiteral("entries"));
    m_percent = new QCheckBox(QStringLiteral("Значения Кпроиз. в процентах"), charts);
    m_percent->setChecked(true);
    auto* lengthLabel =
        new QLabel(QStringLiteral("Ограничение количества символов в названии месяцев"), charts);
    lengthLabel->setWordWrap(true);
    m_monthLength = new QSpinBox(charts);
    m_monthLength->setRange(1, 8);
    m_monthLength->setValue(3);
    m_monthLength->setFixedWidth(60);
    lengthLabel->setBuddy(m_monthLength);
    m_update = new QPushButton(QStringLiteral("Обновить"), charts);
    m_update->setAutoDefault(false);
    m_auto = new QCheckBox(QStringLiteral("Автообновление"), charts);

    connect(m_entries, &QListWidget::itemChanged, this, [this] { optionsChanged(); });
    connect(m_percent, &QCheckBox::toggled, this, [this] { optionsChanged(); });
    connect(m_monthLength, &QSpinBox::valueChanged, this, [this] { optionsChanged(); });
    connect(m_update, &QPushButton::clicked, this, [this] { drawChart(); });
    connect(m_auto, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            drawChart();
    });

    m_chart = newChartView(charts, QSize(420, 240), true);
    addMonthAxes(m_chart->chart(), m_months, m_values);

    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(lengthLabel, 1);
    lengthRow->addWidget(m_monthLength, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    side->addWidget(m_entries, 1);
    side->addWidget(m_percent);
    side->addLayout(lengthRow);
    side->addWidget(m_update);
    side->addWidget(m_auto);
    auto* sideBox = new QWidget(charts);
    side->setContentsMargins(0, 0, 0, 0);
    sideBox->setLayout(side);
    sideBox->setFixedWidth(230);
    auto* chartsLayout = new QHBoxLayout(charts);
    chartsLayout->addWidget(sideBox);
    chartsLayout->addWidget(m_chart, 1);

    auto* memo = new QPlainTextEdit(kMemo, this);
    memo->setObjectName(QStringLiteral("memo"));
    memo->setReadOnly(true);

    // The table at its own width with the column notes beside it, the diagrams below across the
    // whole window.
    auto* layout = new QVBoxLayout(this);
    auto* gridRow = new QHBoxLayout;
    gridRow->addWidget(m_grid, 0);
    gridRow->addWidget(memo, 1);
    layout->addLayout(gridRow, 1);
    layout->addWidget(m_refusals);
    layout->addWidget(charts, 1);
    layout->addLayout(makeDialogButtons(this, info, closeRow()).layout);
    resize(1220, 690);
    clearChart();
}

void TKproizFm::rebuild() {
    const bool redraw = m_auto->isChecked() || !isChartEmpty();
    QString problem;
    try {
        m_table = variantCoefficients(m_dm);
    } catch (const DbError& e) {
        m_table = CoefficientTable();
        problem = e.message();
    }

    // Nothing to do when the variant shows the same figures as before (the window is activated
    // often: after every message box and every other window).
    QStringList cells = m_table.headings();
    for (int r = 0; r < int(m_table.months.size()); ++r)
        for (int c = 0; c < m_table.columnCount(); ++c)
            cells << m_table.text(r, c);
    for (const CoefficientArray& a : m_table.arrays)
        cells << a.name;
    cells << problem;
    if (m_built && cells == m_cells) {
        if (m_auto->isChecked() && isChartEmpty())
            drawChart();
        return;
    }
    m_built = true;
    m_cells = cells;

    m_model->clear();
    const QStringList headings = m_table.headings();
    const int battery = int(headings.size()) - 1;
    m_model->setColumnCount(headings.size());
    m_model->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < int(m_table.months.size()); ++r) {
        QList<QStandardItem*> row;
        for (int c = 0; c < headings.size(); ++c) {
            auto* item = new QStandardItem(m_table.text(r, c));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            if (item->text() == kRefusedCell) {
                // The battery's cell names the refusals of its arrays.
                QStringList why{m_table.refusal(r, c)};
                for (int k = CoefficientTable::kFixedColumns + 3; c == battery && k < battery;
                     k += CoefficientTable::kColumnsPerArray)
                    why << m_table.refusal(r, k);
                why.removeAll(QString());
                why.removeDuplicates();
                item->setForeground(QColor(0xb0, 0, 0));
                item->setToolTip(why.join(u'\n'));
            }
            row << item;
        }
        m_model->appendRow(row);
    }
    std::vector<GroupHeader::Group> groups{
        {QStringLiteral("Наименование массива СП"), 0, CoefficientTable::kFixedColumns}};
    for (int a = 0; a < int(m_table.arrays.size()); ++a)
        groups.push_back({m_table.arrays[a].name,
                          CoefficientTable::kFixedColumns + a * CoefficientTable::kColumnsPerArray,
                          CoefficientTable::kColumnsPerArray});
    groups.push_back({QStringLiteral("СБ"), battery, 1});
    m_grid->groupHeader()->setGroups(std::move(groups));
    m_grid->fitColumns();

    if (problem.isEmpty())
        problem = refusalSummary(m_table);
    m_refusals->setText(problem);
    m_refusals->setVisible(!problem.isEmpty());

    QStringList unchecked;
    for (int i = 0; i < m_entries->count(); ++i)
        if (m_entries->item(i)->checkState() != Qt::Checked)
            unchecked << m_entries->item(i)->text();
    {
        const QSignalBlocker block(m_entries);
        m_entries->clear();
        for (const QString& e : m_table.entries()) {
            auto* item = new QListWidgetItem(e, m_entries);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(unchecked.contains(e) ? Qt::Unchecked : Qt::Checked);
        }
    }
    updateButton();
    if (redraw)
        drawChart();
    else
        clearChart();
}

void TKproizFm::updateButton() {
    bool any = false;
    for (int i = 0; i < m_entries->count(); ++i)
        any = any || m_entries->item(i)->checkState() == Qt::Checked;
    m_update->setEnabled(any);
}

void TKproizFm::optionsChanged() {
    updateButton();
    if (m_auto->isChecked())
        drawChart();
}

void TKproizFm::clearChart() {
    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    m_months->clear();
    m_months->setVisible(false);
    m_values->setVisible(false);
}

bool TKproizFm::isChartEmpty() const {
    return m_chart->chart()->series().isEmpty();
}

void TKproizFm::drawChart() {
    clearChart();
    const bool percent = m_percent->isChecked();
    const double scale = percent ? 100 : 1;
    double top = scale;
    auto* series = new QBarSeries;
    for (int e = 0; e < m_entries->count(); ++e) {
        if (m_entries->item(e)->checkState() != Qt::Checked)
            continue;
        auto* set = new QBarSet(m_entries->item(e)->text());
        for (int r = 0; r < int(m_table.months.size()); ++r) {
            const double v = m_table.value(r, e).value_or(0) * scale;
            top = std::max(top, v);
            *set << v;
        }
        series->append(set);
    }
    if (series->count() == 0 || m_table.months.empty()) {
        delete series;
        return;
    }
    QChart* chart = m_chart->chart();
    chart->addSeries(series);
    m_months->setCategories(monthLabels(m_table, m_monthLength->value()));
    m_values->setRange(0, top);
    m_values->setTickCount(6);
    if (top > scale) // a battery coefficient above 1 (the arrays' powers exceed the total)
        m_values->applyNiceNumbers();
    m_values->setLabelFormat(percent ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
    m_values->setTitleText(percent ? QStringLiteral("Кпроиз., %")
                                   : QStringLiteral("Кпроиз., о.е."));
    series->attachAxis(m_months);
    series->attachAxis(m_values);
    m_months->setVisible(true);
    m_values->setVisible(true);
}

void TKproizFm::run() {
    rebuild();
    show();
    raise();
    activateWindow();
}

void TKproizFm::loadForTour() {
    rebuild();
    for (int i = 0; i < m_entries->count(); ++i)
        m_entries->item(i)->setCheckState(Qt::Checked);
    drawChart();
}

bool TKproizFm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        rebuild();
    else if (event->type() == QEvent::WindowDeactivate)
        clearChart();
    return QDialog::event(event);
}

} // namespace ses
