#pragma once
// A grid over a view. The grid's current row and the view's current row are kept in step both
// ways: a click or a cursor key moves the view first, and when the view refuses the move (a
// before-scroll abort, a row that cannot be saved) the grid stays on the view's row; a move of
// the view selects its row in the grid.

#include "widgets/view_model.h"

#include <QTableView>

#include <initializer_list>
#include <memory>

namespace ses {

class MessageBoxPrompter;
class Prompter;

class BoundGrid : public QTableView {
    Q_OBJECT
public:
    BoundGrid(View& view, std::vector<GridColumn> columns, QWidget* parent = nullptr);
    ~BoundGrid() override;

    View& view() const { return m_model->view(); }
    ViewTableModel* viewModel() const { return m_model; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_model->isReadOnly(); }

    // Messages of refused moves and bad cell values (not owned; null: message boxes).
    void setPrompter(Prompter* prompter);
    Prompter& prompter();

    // Saves the text of an open cell editor into the view's edit buffer and closes the editor
    // (the navigator does this before posting). False when the value was refused.
    bool commitEditor();
    // Closes an open cell editor, dropping its text.
    void discardEditor();

    // Fits the columns without a width of their own to their contents and titles.
    void fitColumns();

signals:
    // The grid's current row, in step with the view (-1: none).
    void currentRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void spreadSpareWidth();
    bool moveViewTo(int row);
    bool startEdit(int row);
    void syncFromView();
    void gridRowChanged(const QModelIndex& current);
    void noteRow(int row);

    ViewTableModel* m_model;
    int m_stretchColumn = -1; // the name column that takes the spare width, or none
    int m_stretchContent = 0; // its width by its texts
    int m_listener = 0;
    bool m_syncing = false;
    int m_lastRow = -1;
    int m_column = 0;
    Prompter* m_prompter = nullptr;
    std::unique_ptr<MessageBoxPrompter> m_ownPrompter;
};

// Saves the rows being edited in the grids, in order: an open cell editor first, then the row.
// A refused row is told through the prompter (when the store refused it), its grid takes the
// focus, and false is returned.
bool saveGridEdits(std::initializer_list<BoundGrid*> grids, Prompter& prompter);

} // namespace ses
