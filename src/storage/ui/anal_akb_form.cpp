#include "storage/ui/anal_akb_form.h"

#include "data/data_module.h"
#include "reports/report_writer.h"
#include "storage/capacity_store.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <algorithm>

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ses {

namespace {

const QColor kTurquoise(0, 255, 255);

// The energy table's rows as the window and the report show them.
std::vector<QStringList> energyRows(const AnalysisEnergyTable& e) {
    std::vector<QStringList> rows{e.header};
    rows.insert(rows.end(), e.rows.begin(), e.rows.end());
    rows.push_back(e.total);
    return rows;
}

// The capacity table turned to rows: the parameter names down column 0, a month a column.
std::vector<QStringList> capacityRows(const AnalysisCapacityTable& c) {
    std::vector<QStringList> rows;
    for (int r = 0; r < int(c.rowNames.size()); ++r) {
        QStringList row{c.rowNames[r]};
        for (const QStringList& column : c.columns)
            row << (r < int(column.size()) ? column[r] : QString());
        rows.push_back(row);
    }
    return rows;
}

StringGrid* makeGrid(const QString& name, QWidget* parent) {
    auto* grid = new StringGrid(parent);
    grid->setObjectName(name);
    grid->setReadOnly(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}

// Fills a grid with rows; the first row and the first `titleCols` columns in the button face
// colour, the cell (col, row) of `marked` turquoise.
void fill(StringGrid* grid, const std::vector<QStringList>& rows, int titleCols,
          std::pair<int, int> marked) {
    int cols = 0;
    for (const QStringList& row : rows)
        cols = std::max(cols, int(row.size()));
    grid->clear();
    grid->setColCount(cols);
    grid->setRowCount(int(rows.size()));
    const QColor face = grid->palette().color(QPalette::Button);
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < cols; ++c) {
            grid->setCell(c, r, c < rows[r].size() ? rows[r][c] : QString());
            QTableWidgetItem* item = grid->item(r, c);
            if (std::pair(c, r) == marked)
                item->setBackground(kTurquoise);
            else if (r == 0 || c < titleCols)
                item->setBackground(face);
            else
                item->setBackground(Qt::white);
        }
    grid->resizeColumnsToContents();
    for (int c = titleCols; c < cols; ++c)
        grid->setColumnWidth(c, std::max(grid->columnWidth(c), 64));
    grid->setFrozenCols(cols > titleCols ? titleCols : 0);
}

int gridWidth(const StringGrid* grid) {
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}

// A grid as tall as its rows, `maxRows` of them at most (scrolling beyond), with room for the
// horizontal scroll bar when the columns are wider than `width`.
void fitHeight(StringGrid* grid, int maxRows, int width) {
    const int rows = grid->QTableWidget::rowCount();
    int height = 2 * grid->frameWidth();
    for (int r = 0; r < std::min(rows, maxRows); ++r)
        height += grid->rowHeight(r);
    if (gridWidth(grid) > width)
        height += grid->horizontalScrollBar()->sizeHint().height();
    grid->setFixedHeight(height);
    grid->setVerticalScrollBarPolicy(rows > maxRows ? Qt::ScrollBarAsNeeded
                                                    : Qt::ScrollBarAlwaysOff);
}

constexpr int kEnergyRowsShown = 8;

} // namespace

TAnalAkbF::TAnalAkbF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TAnalAkbF"));

    m_result = valueField(this);
    m_result->setObjectName(QStringLiteral("capacity"));
    auto* result = new QFormLayout;
    result->addRow(kAnalysisResultLabel, m_result);
    m_stored = new QLabel(this);
    m_stored->setObjectName(QStringLiteral("stored"));
    m_stored->setWordWrap(true);
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("error"));

    auto* energyHeading = new QLabel(analysisEnergyHeading(), this);
    energyHeading->setWordWrap(true);
    m_energy = makeGrid(QStringLiteral("energy"), this);
    auto* energyNote = new QLabel(analysisEnergyNote(), this);
    energyNote->setWordWrap(true);

    auto* capacityHeading = new QLabel(analysisCapacityHeading(), this);
    capacityHeading->setWordWrap(true);
    m_capacity = makeGrid(QStringLiteral("capacityTable"), this);
    m_capacityNote = noteList(analysisCapacityNoteLines(), 4, this);

    QPushButton* exportButton = makeExportButton(
        this,
        QStringLiteral("Экспорт полного отчёта по суточному графику в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({exportButton}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(result);
    layout->addWidget(m_stored);
    layout->addWidget(m_error);
    layout->addWidget(energyHeading);
    layout->addWidget(m_energy);
    layout->addWidget(energyNote);
    layout->addWidget(capacityHeading);
    layout->addWidget(m_capacity);
    layout->addWidget(m_capacityNote);
    layout->addLayout(buttons.layout);
    resize(900, 600);
}

void TAnalAkbF::run() {
    exec();
}

void TAnalAkbF::showEvent(QShowEvent* event) {
    {
        WaitCursor wait;
        load();
    }
    QDialog::showEvent(event);
}

void TAnalAkbF::load() {
    const int variantKod = m_dm.tblProj1().currentKey().toInt();
    m_analysis = analyseBattery(capacityInputs(m_dm, variantKod));
    m_storedText = storedCapacityLine(m_analysis, storedCapacity(m_dm, variantKod));

    m_result->setText(m_analysis.capacityText);
    m_stored->setText(m_storedText);
    m_stored->setVisible(!m_storedText.isEmpty());
    showShortfall(m_error, m_analysis.error.value_or(QString()));

    const AnalysisEnergyTable& e = m_analysis.energy;
    const int totalRow = 1 + int(e.rows.size());
    fill(m_energy, energyRows(e), 2, {e.largest < 0 ? -1 : 2 + e.largest, totalRow});
    const AnalysisCapacityTable& c = m_analysis.capacityTable;
    fill(m_capacity, capacityRows(c), 1,
         {c.largest < 0 ? -1 : 1 + c.largest, int(c.rowNames.size()) - 1});
    fitToContent();
}

void TAnalAkbF::fitToContent() {
    // As wide as the wider table (within the work area, scrolling beyond), as tall as its parts.
    const QMargins margins = layout()->contentsMargins();
    const int inner = std::max(gridWidth(m_energy), gridWidth(m_capacity));
    const int width =
        std::clamp(inner + margins.left() + margins.right(), 600, kWorkArea.width() - 26);
    const int gridRoom = width - margins.left() - margins.right();
    fitHeight(m_energy, kEnergyRowsShown, gridRoom);
    fitHeight(m_capacity, m_capacity->QTableWidget::rowCount(), gridRoom);
    layout()->activate();
    // The wrapped headings and notes take their height at this width, not at the narrowest.
    resize(width, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                : sizeHint().height());
}

void TAnalAkbF::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(kAnalysisCaption + QStringLiteral("\r\r"));
    w.writePairsTable({{kAnalysisResultLabel, m_analysis.capacityText}});
    if (!m_storedText.isEmpty())
        w.writeText(m_storedText + QStringLiteral("\r"));
    if (m_analysis.error)
        w.writeText(*m_analysis.error + QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("\r") + analysisEnergyHeading() + QStringLiteral("\r"));
    w.writeGridTable(energyRows(m_analysis.energy));
    w.writeText(analysisEnergyNote() + QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("\r") + analysisCapacityHeading() + QStringLiteral("\r"));
    w.writeGridTable(capacityRows(m_analysis.capacityTable));
    w.writeText(analysisCapacityNoteLines().join(QLatin1Char(' ')) + QStringLiteral("\r"));
}

void TAnalAkbF::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
