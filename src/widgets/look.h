#pragma once
// How every window of the program looks, so that a designer reads it at a glance. New windows
// follow these rules; the screen tour checks each of its windows against them (lookProblems).
//
// - Alignment. Every number is right-aligned, in fields and in cells; texts are left-aligned.
//   NumberField is right-aligned from birth; a read-only figure is a valueField() or a ShownRows
//   row; StringGrid aligns each cell by its content; other grids build their cells with
//   cellItem() or return the alignment of alignmentFor() from their model.
// - Field widths. A field is as wide as the widest value its quantity can take
//   (numberFieldWidth(), about nine digits with a comma), not as wide as the window; a text field
//   (maker, type, name) takes the rest of its row. Result figures sit compactly in a form
//   layout: caption, figure, unit.
// - Grid columns. Sized to their content; the name column (or the last) takes the rest.
//   Headers are plain, as in every grid.
// - Drawings. At the default scale a drawing fills its pane; a scale control beside it lets the
//   user zoom (DrawingPane: "Масштаб, пиксель/м:" with step buttons and "По размеру окна").
//   An empty drawing says in one line why it is empty (DrawingPane::showMessage).
// - Window size. A dialog with its title bar fits the work area of a 1366 x 768 screen
//   (kWorkArea).
// - Shortfall. When what is chosen falls short of what is required, the window says so in one
//   line, in the shortfall colour (showShortfall()), beside the figure, not only in a later
//   window. A figure that looks surprising names its reason beside it (e.g. the governing month).

#include <QSize>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class QLineEdit;
class QTableWidgetItem;
class QWidget;

namespace ses {

// The work area of a 1366 x 768 screen, and what a window's title bar takes of it.
inline constexpr QSize kWorkArea{1366, 728};
inline constexpr int kTitleBarHeight = 30;

// Whether a shown text is a number: digits with an optional sign, decimal comma or point,
// thousands spaces, and a trailing percent sign.
bool isNumberText(const QString& text);
// Right for a number, left for anything else, vertically centred.
Qt::Alignment alignmentFor(const QString& text);

// A read-only figure: right-aligned, as wide as numberFieldWidth(), not taking the focus on tab.
QLineEdit* valueField(QWidget* parent);
int numberFieldWidth(const QWidget* w);

// A note of whole lines that scrolls by lines, never cutting one: `visible` lines in view, all
// of them when 0, the height left to the layout when negative.
QListWidget* noteList(const QStringList& lines, int visible, QWidget* parent);

// A grid cell with the alignment of its text.
QTableWidgetItem* cellItem(const QString& text);

// One line under a figure: the shortfall in the shortfall colour, or nothing (hidden).
void showShortfall(QLabel* line, const QString& text);

// What breaks the rules above in a window and its children, one line each; empty when nothing.
// `name` starts each line.
QStringList lookProblems(const QWidget* window, const QString& name);

} // namespace ses
