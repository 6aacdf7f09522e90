#include "reports/ui/com_spec_form.h"

#include "reports/report_writer.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ses {

namespace {
constexpr int kTextColumns = 3; // kind, designation, unit
}

TComSpecF::TComSpecF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TComSpecF"));

    auto* listLabel = new QLabel(QStringLiteral("Варианты расчета."), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("variants"));
    m_list->setMaximumWidth(215);
    listLabel->setBuddy(m_list);
    auto* tableLabel = new QLabel(
        QStringLiteral("Сравнительная таблица спецификаций оборудования вариантов."), this);
    m_grid = makeTableGrid(QStringLiteral("comparison"), this);
    tableLabel->setBuddy(m_grid);

    const GridOptions options =
        makeGridOptions(m_grid, QStringLiteral("Фиксация первых трех столбцов таблицы"),
                        QStringLiteral("fixColumns"), kTextColumns, this);
    m_fixColumns = options.fix;
    m_moveColumns = options.moveColumns;
    m_moveRows = options.moveRows;

    auto* formatButton = new QPushButton(QStringLiteral("Формат"), this);
    formatButton->setObjectName(QStringLiteral("format"));
    formatButton->setToolTip(QStringLiteral("Автоматическое форматирование столбцов таблицы"));
    formatButton->setAutoDefault(false);
    connect(formatButton, &QPushButton::clicked, this, [this] { fitGridColumns(m_grid); });
    auto* update = new QPushButton(QStringLiteral("Обновить"), this);
    update->setObjectName(QStringLiteral("update"));
    update->setAutoDefault(false);
    connect(update, &QPushButton::clicked, this, [this] { refresh(); });
    m_export = makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(m_export, &QPushButton::clicked, this,
            [this] { exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); }); });
    QPushButton* csvButton = makeCsvButton(this);
    connect(csvButton, &QPushButton::clicked, this, [this] { saveCsv(); });
    const DialogButtons buttons =
        makeDialogButtons(this, info, closeRow({formatButton, update, m_export, csvButton}));

    auto* grid = new QGridLayout;
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(tableLabel, 0, 1);
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(m_grid, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(options.row);
    layout->addLayout(buttons.layout);
    resize(1340, 640);
}

int TComSpecF::run() {
    return exec();
}

void TComSpecF::showEvent(QShowEvent* event) {
    prepare();
    QDialog::showEvent(event);
}

void TComSpecF::prepare() {
    m_variants = currentProjectVariants(m_dm);
    View& projects = m_dm.tblProj0();
    m_project = projects.isEmpty() ? QString() : projects[QStringLiteral("Name")].asString();
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        for (const VariantRef& v : m_variants) {
            auto* item = new QListWidgetItem(v.name, m_list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    }
    refresh();
}

void TComSpecF::refresh() {
    const WaitCursor wait;
    std::vector<VariantEquipment> chosen;
    QStringList names;
    // Items stand for the variants by their place in the list, never by their names, which
    // may repeat.
    for (int i = 0; i < m_list->count() && i < int(m_variants.size()); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked) {
            chosen.push_back(readVariantEquipment(m_dm, m_variants[i].key));
            names << m_variants[i].name;
        }
    const SpecCatalogs catalogs = readSpecCatalogs(m_dm, chosen);
    std::vector<std::vector<SpecRow>> lists;
    for (const VariantEquipment& v : chosen)
        lists.push_back(buildSpecification(v, catalogs));
    m_rows = mergeSpecifications(lists);

    const bool moving = m_moveRows->isChecked();
    if (moving)
        setRowsMovable(m_grid, false);
    fillTableGrid(m_grid, comparisonTable(m_rows, names), [this](int col, int row) {
        if (col < kTextColumns)
            return QColor(Qt::white);
        return m_rows[row - 1].differs ? kTurquoise : QColor(Qt::white);
    });
    if (moving)
        setRowsMovable(m_grid, true);
    m_export->setEnabled(!chosen.empty());
}

std::vector<QStringList> TComSpecF::shownRows() const {
    return screenTableRows(*m_grid);
}

void TComSpecF::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Сравнение спецификаций оборудования вариантов.\r"));
    w.writeText(QStringLiteral("Проект: ") + m_project + QStringLiteral("\r\r"));
    w.writeGridTable(shownRows());
}

void TComSpecF::saveCsv(const AskPath& ask) {
    saveTableCsv(this, m_prompter, shownRows(),
                 proposedCsvName({QStringLiteral("Сравнение спецификаций"), m_project}), ask);
}

} // namespace ses
