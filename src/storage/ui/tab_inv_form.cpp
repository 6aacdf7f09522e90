#include "storage/ui/tab_inv_form.h"

#include "storage/ui/inverter_panels.h"
#include "storage/ui/inverter_reports.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

TTabInvFm::TTabInvFm(TDataModule1& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TTabInvFm"));

    m_inputs = new InverterInputsBox(true, this);

    auto* noteLabel = new QLabel(QStringLiteral("Примечание."), this);
    QListWidget* note = noteList(tabInvNotes(), -1, this);
    auto* noteColumn = new QVBoxLayout;
    noteColumn->addWidget(noteLabel);
    noteColumn->addWidget(note, 1);

    auto* gridLabel = new QLabel(QStringLiteral("Инверторы."), this);
    m_grid = new StringGrid(this);
    m_grid->setObjectName(QStringLiteral("candidates"));
    m_grid->setRowList(tabInvTitles());
    m_grid->setMinimumHeight(160);
    gridLabel->setBuddy(m_grid);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });

    const DialogButtons buttons = makeDialogButtons(this, info);
    m_ok = buttons.ok;

    auto* top = new QHBoxLayout;
    top->addWidget(m_inputs);
    top->addSpacing(8);
    top->addLayout(noteColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(gridLabel);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons.layout);
    resize(1040, 600);
}

void TTabInvFm::prepare(const InverterVariant& variant, const InverterLoad& load,
                        const LoadWindows& windows, const QString& company, const QString& type) {
    m_inputs->setInputs(variant, load, windows);
    m_rows = candidateTable(m_dm, inverterRequirement(load, variant));
    m_grid->setRowCount(int(m_rows.size()) + 1);
    int cursor = m_rows.empty() ? -1 : 0;
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const QStringList texts = tabInvRow(m_rows[r]);
        for (int c = 0; c < int(texts.size()); ++c) {
            m_grid->setCell(c, r + 1, texts[c]);
            if (c >= 2 && c != 7)
                m_grid->item(r, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (m_rows[r].model.company == company && m_rows[r].model.name == type)
            cursor = r;
    }
    fitColumns(m_grid);
    widenForGrid(this, m_grid);
    if (cursor >= 0) {
        m_grid->setCurrentCell(cursor, 0);
        m_grid->selectRow(cursor);
    }
    m_ok->setEnabled(!m_rows.empty());
}

void TTabInvFm::loadForTour() {
    const std::vector<InverterLoad> loads = readInverterLoads(m_dm);
    const InverterLoad load = loads.empty() ? InverterLoad{} : loads.front();
    prepare(readInverterVariant(m_dm), load, readLoadWindows(m_dm), load.stored.company,
            load.stored.name);
}

std::optional<CatalogInverter> TTabInvFm::chosen() const {
    const int r = m_grid->currentRow();
    if (r < 0 || r >= int(m_rows.size()))
        return std::nullopt;
    return m_rows[r];
}

} // namespace ses
