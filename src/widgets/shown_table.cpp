#include "widgets/shown_table.h"

#include "data/csv.h"
#include "lib/prompter.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>

#include <algorithm>

namespace ses {

StringGrid* makeTableGrid(const QString& name, QWidget* parent) {
    auto* grid = new StringGrid(parent);
    grid->setObjectName(name);
    grid->setFixedRow(true);
    grid->setReadOnly(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

void fillTableGrid(StringGrid* grid, const std::vector<QStringList>& rows,
                   const std::function<QColor(int col, int row)>& background) {
    int cols = 0;
    for (const QStringList& row : rows)
        cols = std::max(cols, int(row.size()));
    grid->clearSpans();
    grid->setColCount(cols);
    grid->setRowCount(std::max(1, int(rows.size())));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < cols; ++c) {
            grid->setCell(c, r, c < rows[r].size() ? rows[r][c] : QString());
            if (r > 0 && background)
                grid->setCellBackground(c, r, background(c, r));
        }
    fitGridColumns(grid);
}

void fitGridColumns(StringGrid* grid, int pad) {
    const QFontMetrics cells(grid->font());
    const QFontMetrics titles(grid->horizontalHeader()->font());
    for (int c = 0; c < grid->colCount(); ++c) {
        int width = titles.horizontalAdvance(grid->cell(c, 0));
        for (int r = 1; r < grid->rowCount(); ++r)
            width = std::max(width, cells.horizontalAdvance(grid->cell(c, r)));
        grid->setColWidth(c, width + pad);
    }
}

std::vector<QStringList> screenTableRows(const QTableView& view) {
    const QAbstractItemModel* m = view.model();
    std::vector<QStringList> out;
    if (!m)
        return out;
    const QHeaderView* h = view.horizontalHeader();
    const QHeaderView* v = view.verticalHeader();
    std::vector<int> cols, rows;
    for (int visual = 0; visual < m->columnCount(); ++visual)
        if (!view.isColumnHidden(h->logicalIndex(visual)))
            cols.push_back(h->logicalIndex(visual));
    for (int visual = 0; visual < m->rowCount(); ++visual)
        rows.push_back(v->logicalIndex(visual));
    QStringList head;
    for (int c : cols)
        head << m->headerData(c, Qt::Horizontal).toString();
    out.push_back(head);
    for (int r : rows) {
        QStringList line;
        for (int c : cols)
            line << m->data(m->index(r, c)).toString();
        out.push_back(line);
    }
    return out;
}

void setRowsMovable(StringGrid* grid, bool on) {
    QHeaderView* v = grid->verticalHeader();
    if (!on) {
        // Back to the rows' own order, as they were built.
        for (int logical = 0; logical < v->count(); ++logical)
            v->moveSection(v->visualIndex(logical), logical);
    }
    v->setSectionsMovable(on);
    if (!grid->hasFixedCol()) {
        // A narrow handle at the left of each row to drag it by.
        for (int r = 0; r < grid->QTableWidget::rowCount(); ++r)
            if (QTableWidgetItem* item = grid->verticalHeaderItem(r))
                item->setText(QString());
        v->setVisible(on);
        v->setMinimumWidth(on ? 14 : 0);
    }
}

void setColumnsMovable(StringGrid* grid, bool on) {
    grid->horizontalHeader()->setSectionsMovable(on);
}

GridOptions makeGridOptions(StringGrid* grid, const QString& fixCaption, const QString& fixName,
                            int frozen, QWidget* parent, std::function<void()> fixed) {
    GridOptions o;
    o.fix = new QCheckBox(fixCaption, parent);
    o.fix->setObjectName(fixName);
    o.moveColumns = new QCheckBox(QStringLiteral("Разрешить перемещение столбцов таблицы"), parent);
    o.moveColumns->setObjectName(QStringLiteral("moveColumns"));
    o.moveRows = new QCheckBox(QStringLiteral("Разрешить перемещение строк таблицы"), parent);
    o.moveRows->setObjectName(QStringLiteral("moveRows"));
    o.moveRows->setEnabled(false);
    QCheckBox* moveRows = o.moveRows;
    QObject::connect(o.fix, &QCheckBox::toggled, parent,
                     [grid, frozen, moveRows, fixed = std::move(fixed)](bool on) {
                         grid->setFrozenCols(on ? frozen : 0);
                         if (!on)
                             moveRows->setChecked(false);
                         moveRows->setEnabled(on);
                         if (fixed)
                             fixed();
                     });
    QObject::connect(o.moveColumns, &QCheckBox::toggled, parent,
                     [grid](bool on) { setColumnsMovable(grid, on); });
    QObject::connect(o.moveRows, &QCheckBox::toggled, parent,
                     [grid](bool on) { setRowsMovable(grid, on); });
    o.row = new QHBoxLayout;
    o.row->addWidget(o.fix);
    o.row->addWidget(o.moveColumns);
    o.row->addWidget(o.moveRows);
    o.row->addStretch();
    return o;
}

QPushButton* makeCsvButton(QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("Сохранить CSV..."), parent);
    b->setObjectName(QStringLiteral("csv"));
    b->setToolTip(QStringLiteral("Сохранение таблицы в файл для электронной таблицы"));
    b->setAutoDefault(false);
    b->setMinimumWidth(90);
    return b;
}

QString proposedCsvName(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    QString name = kept.join(QStringLiteral(" - "));
    if (name.isEmpty())
        name = QStringLiteral("Таблица");
    for (QChar& c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    return name + QStringLiteral(".csv");
}

void saveTableCsv(QWidget* parent, Prompter& prompter, const std::vector<QStringList>& rows,
                  const QString& name, const AskPath& ask) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(folder).filePath(name);
    const QString path =
        ask ? ask(proposed)
            : QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить CSV"), proposed,
                                           QStringLiteral("Файлы CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writeSpreadsheetCsv(path, rows, &error))
        prompter.error(error);
}

} // namespace ses
