#include "storage/ui/anal_inv_form.h"

#include "load/dispatch_ops.h"
#include "storage/inverter_ops.h"
#include "storage/ui/inverter_panels.h"
#include "storage/ui/inverter_reports.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ses {

namespace {

// Rows of the grid: the load names, then the rows of analysisRowTitles.
constexpr int kLoadRow = 0;
constexpr int kFirstTitleRow = 1;

} // namespace

TAnalInvF::TAnalInvF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TAnalInvF"));

    auto* heading = new QLabel(analysisNotes()[0], this);
    m_grid = new StringGrid(this);
    m_grid->setObjectName(QStringLiteral("analysis"));
    m_grid->setReadOnly(true);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    heading->setBuddy(m_grid);
    auto* note = new QLabel(analysisNotes()[1], this);
    note->setWordWrap(true);

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({exportButton}));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_grid);
    layout->addWidget(note);
    layout->addLayout(buttons.layout);
    resize(900, 300);
}

void TAnalInvF::run() {
    exec();
}

void TAnalInvF::showEvent(QShowEvent* event) {
    load();
    QDialog::showEvent(event);
}

void TAnalInvF::load() {
    const LoadWindows windows = readLoadWindows(m_dm);
    m_rowTitles = analysisRowTitles(windows.nomMinutes, windows.maxMinutes);
    m_blocks = inverterAnalysis(acLoadSummaries(m_dm));
    int columns = 1;
    for (const AnalysisBlock& b : m_blocks)
        columns += int(b.columns.size());
    m_grid->clearSpans();
    m_grid->clear();
    m_grid->setColCount(columns);
    m_grid->setRowCount(kFirstTitleRow + int(m_rowTitles.size()));

    const QColor face = palette().color(QPalette::Button);
    const QColor turquoise(0, 255, 255);
    const auto put = [&](int col, int row, const QString& text, const QColor& colour) {
        m_grid->setCell(col, row, text);
        QTableWidgetItem* item = m_grid->item(row, col);
        item->setBackground(colour);
        const bool figure = col > 0 && row > kFirstTitleRow;
        const bool sign = figure && row == kFirstTitleRow + int(m_rowTitles.size()) - 1;
        const Qt::Alignment h = sign ? Qt::AlignHCenter : figure ? Qt::AlignRight : Qt::AlignLeft;
        item->setTextAlignment(h | Qt::AlignVCenter);
    };
    put(0, kLoadRow, QStringLiteral("Наименование нагрузки"), face);
    for (int r = 0; r < int(m_rowTitles.size()); ++r)
        put(0, kFirstTitleRow + r, m_rowTitles[r], face);
    int col = 1;
    for (const AnalysisBlock& b : m_blocks) {
        const int width = int(b.columns.size());
        put(col, kLoadRow, b.load, face);
        for (int c = 1; c < width; ++c)
            put(col + c, kLoadRow, QString(), face);
        if (width > 1)
            m_grid->setSpan(kLoadRow, col, 1, width);
        for (int c = 0; c < width; ++c) {
            const bool value = c == width - 1;
            for (int r = 0; r < int(b.columns[c].size()); ++r)
                put(col + c, kFirstTitleRow + r, b.columns[c][r],
                    r == 0  ? face
                    : value ? turquoise
                            : QColor(Qt::white));
        }
        col += width;
    }
    m_grid->resizeColumnsToContents();
    // The load names span their groups: a group narrower than its name widens its last column.
    col = 1;
    for (const AnalysisBlock& b : m_blocks) {
        const int width = int(b.columns.size());
        int groupWidth = 0;
        for (int c = 0; c < width; ++c)
            groupWidth += m_grid->columnWidth(col + c);
        const int needed = m_grid->fontMetrics().horizontalAdvance(b.load) + 16;
        if (groupWidth < needed)
            m_grid->setColumnWidth(col + width - 1,
                                   m_grid->columnWidth(col + width - 1) + needed - groupWidth);
        col += width;
    }
    // The window fits the grid: as wide as its columns (within a 1366 x 768 screen, scrolling
    // beyond) and as tall as its rows.
    int gridWidth = 2 * m_grid->frameWidth();
    for (int c = 0; c < m_grid->columnCount(); ++c)
        gridWidth += m_grid->columnWidth(c);
    const QMargins margins = layout()->contentsMargins();
    const int width = std::clamp(gridWidth + margins.left() + margins.right(), 640, 1340);
    int height = 2 * m_grid->frameWidth();
    for (int r = 0; r < m_grid->QTableWidget::rowCount(); ++r)
        height += m_grid->rowHeight(r);
    if (gridWidth > width - margins.left() - margins.right())
        height += m_grid->horizontalScrollBar()->sizeHint().height();
    m_grid->setFixedHeight(height);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout()->activate();
    resize(width, sizeHint().height());
}

void TAnalInvF::writeReport(ReportWriter& w) const {
    writeAnalysisReport(w, m_rowTitles, m_blocks);
}

void TAnalInvF::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
