#include "storage/ui/inv_form.h"

#include "lib/prompter.h"
#include "storage/ui/inverter_panels.h"
#include "storage/ui/inverter_reports.h"
#include "storage/ui/sel_inv_form.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

TInvForm::TInvForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TInvForm"));

    m_uses = makeShownField(this, 70);
    m_uses->setObjectName(QStringLiteral("Uses"));
    m_uvuh = makeShownField(this, 70);
    m_uvuh->setObjectName(QStringLiteral("Uvuh"));
    auto* usesLabel = new QLabel(QStringLiteral("Напряжение системы, В:"), this);
    usesLabel->setBuddy(m_uses);
    auto* uvuhLabel =
        new QLabel(QStringLiteral("Выходное напряжение переменного тока (50 Гц), В:"), this);
    uvuhLabel->setBuddy(m_uvuh);
    auto* voltages = new QGridLayout;
    voltages->addWidget(usesLabel, 0, 0);
    voltages->addWidget(m_uses, 0, 1);
    voltages->addWidget(uvuhLabel, 1, 0);
    voltages->addWidget(m_uvuh, 1, 1);
    voltages->setColumnStretch(2, 1);

    auto* gridLabel = new QLabel(QStringLiteral("Параметры нагрузок и инверторов."), this);
    m_grid = new StringGrid(this);
    m_grid->setObjectName(QStringLiteral("loads"));
    m_grid->setRowList(invFormTitles());
    gridLabel->setBuddy(m_grid);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { chooseRow(); });

    auto* noteLabel = new QLabel(QStringLiteral("Примечание."), this);
    QListWidget* note = noteList(invFormNotes(), 0, this);

    m_choose = new QPushButton(QStringLiteral("Выбор..."), this);
    m_choose->setObjectName(QStringLiteral("choose"));
    m_choose->setAutoDefault(false);
    connect(m_choose, &QPushButton::clicked, this, [this] { chooseRow(); });
    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons =
        makeDialogButtons(this, info, {.commands = {m_choose, exportButton}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(voltages);
    layout->addSpacing(4);
    layout->addWidget(gridLabel);
    layout->addWidget(m_grid, 1);
    layout->addWidget(noteLabel);
    layout->addWidget(note);
    layout->addLayout(buttons.layout);
    resize(1000, 580);
}

void TInvForm::load() {
    m_variant = readInverterVariant(m_dm);
    m_windows = readLoadWindows(m_dm);
    m_loads = readInverterLoads(m_dm);
    m_choices.clear();
    for (const InverterLoad& l : m_loads)
        m_choices.push_back(l.stored);
    m_uses->setText(m_variant.uses ? QString::number(*m_variant.uses) : QString());
    m_uvuh->setText(m_variant.uvuh ? QString::number(*m_variant.uvuh) : QString());
    m_grid->setRowCount(int(m_loads.size()) + 1);
    for (int r = 0; r < int(m_loads.size()); ++r)
        showRow(r);
    fitColumns(m_grid);
    widenForGrid(this, m_grid);
    if (!m_loads.empty()) {
        m_grid->setCurrentCell(0, 0);
        m_grid->selectRow(0);
    }
    m_choose->setEnabled(!m_loads.empty());
}

bool TInvForm::run() {
    load();
    return exec() == QDialog::Accepted;
}

void TInvForm::showRow(int row) {
    const QStringList texts = invFormRow(m_loads[row], m_choices[row]);
    for (int c = 0; c < int(texts.size()); ++c) {
        m_grid->setCell(c, row + 1, texts[c]);
        QTableWidgetItem* item = m_grid->item(row, c);
        const bool figure = (c >= 1 && c <= 3) || (c >= 6 && c <= 8) || c == 10;
        const Qt::Alignment h = c == 4 ? Qt::AlignHCenter : figure ? Qt::AlignRight : Qt::AlignLeft;
        item->setTextAlignment(h | Qt::AlignVCenter);
    }
}

TSelInvFm& TInvForm::selectionDialog() {
    if (!m_selection)
        m_selection = new TSelInvFm(m_dm, m_prompter, this);
    return *m_selection;
}

void TInvForm::chooseRow() {
    const int row = m_grid->currentRow();
    if (row < 0 || row >= int(m_loads.size()))
        return;
    TSelInvFm& selection = selectionDialog();
    selection.prepare(m_variant, m_loads[row], m_windows, m_choices[row].company,
                      m_choices[row].name);
    if (selection.exec() != QDialog::Accepted)
        return;
    if (const auto c = selection.choice())
        applyChoice(row, *c);
}

void TInvForm::applyChoice(int row, const InverterChoice& choice) {
    m_choices.at(row) = choice;
    showRow(row);
    fitColumns(m_grid);
}

void TInvForm::accept() {
    for (const InverterChoice& c : m_choices)
        if (!choiceComplete(c)) {
            m_prompter.error(kChooseEveryInverter);
            return;
        }
    for (const InverterChoice& c : m_choices)
        if (const auto refusal = efficiencyRefusal(c)) {
            m_prompter.error(*refusal);
            return;
        }
    bool stored = false;
    {
        const WaitCursor wait;
        stored = storeInverterChoice(m_dm, m_choices);
    }
    if (stored)
        QDialog::accept();
}

void TInvForm::writeReport(ReportWriter& w) const {
    std::vector<QStringList> rows;
    for (int r = 0; r < int(m_loads.size()); ++r)
        rows.push_back(invFormRow(m_loads[r], m_choices[r]));
    writeInvFormReport(w, m_variant, rows);
}

void TInvForm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
