#include "reports/ui/spec_form.h"

#include "reports/report_writer.h"
#include "reports/variant_equipment.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

TSpecForm::TSpecForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TSpecForm"));

    auto* heading = new QLabel(QStringLiteral("Спецификация оборудования."), this);
    m_grid = makeTableGrid(QStringLiteral("specification"), this);
    heading->setBuddy(m_grid);

    m_moveRows = new QCheckBox(QStringLiteral("Разрешить перемещение строк таблицы"), this);
    m_moveRows->setObjectName(QStringLiteral("moveRows"));
    connect(m_moveRows, &QCheckBox::toggled, this, [this](bool on) {
        // Dragged rows keep the kind in view: the first column stays in place.
        m_grid->setFrozenCols(on ? 1 : 0);
        setRowsMovable(m_grid, on);
    });
    m_standardForm = new QCheckBox(QStringLiteral("Экспорт по форме ГОСТ 21.110"), this);
    m_standardForm->setObjectName(QStringLiteral("standardForm"));
    m_standardForm->setToolTip(
        QStringLiteral("Экспорт в виде спецификации оборудования по форме 1 ГОСТ 21.110-2013"));

    auto* formatButton = new QPushButton(QStringLiteral("Формат"), this);
    formatButton->setObjectName(QStringLiteral("format"));
    formatButton->setToolTip(QStringLiteral("Автоматическое форматирование столбцов таблицы"));
    formatButton->setAutoDefault(false);
    connect(formatButton, &QPushButton::clicked, this, [this] { format(); });
    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this,
            [this] { exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); }); });
    QPushButton* csvButton = makeCsvButton(this);
    connect(csvButton, &QPushButton::clicked, this, [this] { saveCsv(); });
    const DialogButtons buttons =
        makeDialogButtons(this, info, closeRow({formatButton, exportButton, csvButton}));

    auto* options = new QHBoxLayout;
    options->addWidget(m_moveRows);
    options->addWidget(m_standardForm);
    options->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_grid, 1);
    layout->addLayout(options);
    layout->addLayout(buttons.layout);
    resize(1000, 560);
}

int TSpecForm::run() {
    return exec();
}

void TSpecForm::showEvent(QShowEvent* event) {
    rebuild();
    QDialog::showEvent(event);
}

void TSpecForm::rebuild() {
    const qint64 key = currentVariantKey(m_dm);
    const VariantEquipment v = readVariantEquipment(m_dm, key);
    const SpecCatalogs c = readSpecCatalogs(m_dm, {v});
    m_rows = buildSpecification(v, c);
    m_byMaker = buildSpecificationByMaker(v, c);
    m_variant = v.name;
    View& projects = m_dm.tblProj0();
    m_project = projects.isEmpty() ? QString() : projects[QStringLiteral("Name")].asString();
    const bool moving = m_moveRows->isChecked();
    if (moving)
        setRowsMovable(m_grid, false);
    fillTableGrid(m_grid, specificationTable(m_rows), {});
    if (moving)
        setRowsMovable(m_grid, true);
}

void TSpecForm::format() {
    fitGridColumns(m_grid);
}

std::vector<QStringList> TSpecForm::shownRows() const {
    return screenTableRows(*m_grid);
}

void TSpecForm::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Спецификация оборудования варианта.\r"));
    w.writeText(QStringLiteral("Проект: ") + m_project + QStringLiteral("\r"));
    w.writeText(QStringLiteral("Вариант расчета: ") + m_variant + QStringLiteral("\r\r"));
    w.writeGridTable(m_standardForm->isChecked() ? equipmentListTable(m_byMaker) : shownRows());
}

QString TSpecForm::proposedFileName() const {
    return proposedCsvName({QStringLiteral("Спецификация"), m_project, m_variant});
}

void TSpecForm::saveCsv(const AskPath& ask) {
    saveTableCsv(this, m_prompter, shownRows(), proposedFileName(), ask);
}

} // namespace ses
