#pragma once
// What the comparison and list windows share: a read-only string grid filled from rows of texts
// (the first row the titles) with a background per cell, its rows read back in the order the
// user sees them after dragging rows or columns, and "Сохранить CSV..." that writes them.

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QTableView;
class QWidget;

namespace ses {

class Prompter;
class StringGrid;

// The comparison colours: what the reader must look at, and the group headings.
inline const QColor kTurquoise{0, 255, 255};
inline const QColor kSilver{192, 192, 192};

// A read-only grid with a title row, one whole row selected at a time.
StringGrid* makeTableGrid(const QString& name, QWidget* parent);
// Fills the grid with `rows` (rows[0] are the titles); background(col, row) colours each cell of
// figures (row >= 1), an invalid colour leaving it to the palette. Columns fit their texts.
void fillTableGrid(StringGrid* grid, const std::vector<QStringList>& rows,
                   const std::function<QColor(int col, int row)>& background);
// Every column as wide as its widest text (title included) plus `pad` pixels.
void fitGridColumns(StringGrid* grid, int pad = 10);

// The titles and the rows in the order shown: moved columns and rows where the user put them.
std::vector<QStringList> screenTableRows(const QTableView& view);

// Rows can be dragged by a handle at their left, or not.
void setRowsMovable(StringGrid* grid, bool on);
void setColumnsMovable(StringGrid* grid, bool on);

// The options under a comparison table: `fixCaption` freezes its first `frozen` columns,
// "Разрешить перемещение столбцов таблицы" and "Разрешить перемещение строк таблицы" (rows move
// only while those columns stay in place); `fixed` follows each change of the freezing.
struct GridOptions {
    QCheckBox* fix;
    QCheckBox* moveColumns;
    QCheckBox* moveRows;
    QHBoxLayout* row; // the three side by side
};
GridOptions makeGridOptions(StringGrid* grid, const QString& fixCaption, const QString& fixName,
                            int frozen, QWidget* parent, std::function<void()> fixed = {});

// "Сохранить CSV..." with its hint; the caller connects it.
QPushButton* makeCsvButton(QWidget* parent);

// A file name from the parts (project, variant ...): characters a file name may not hold become
// "_", with ".csv" appended.
QString proposedCsvName(const QStringList& parts);

// Asks where to save (proposing `name` in the user's documents folder) and writes the rows; a
// failure is told. `ask` replaces the file dialog (tests); it returns an empty path to cancel.
using AskPath = std::function<QString(const QString& proposed)>;
void saveTableCsv(QWidget* parent, Prompter& prompter, const std::vector<QStringList>& rows,
                  const QString& name, const AskPath& ask = {});

} // namespace ses
