#include "widgets/bound_grid.h"

#include "data/store.h"
#include "widgets/cell_delegate.h"
#include "widgets/message_prompter.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>

namespace ses {

BoundGrid::BoundGrid(View& view, std::vector<GridColumn> columns, QWidget* parent)
    : QTableView(parent) {
    m_model = new ViewTableModel(view, std::move(columns), this);
    setModel(m_model);
    m_model->setPrompter(&prompter());

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* delegate = new CellDelegate(
        [this](int column) -> std::optional<NumberField::Kind> {
            switch (m_model->columnDef(column).type) {
            case ColType::Number:
                return NumberField::Kind::Decimal;
            case ColType::Integer:
                return NumberField::Kind::Integer;
            default:
                return std::nullopt;
            }
        },
        nullptr, this);
    delegate->setFirstChange([this](const QModelIndex& index) { return startEdit(index.row()); });
    setItemDelegate(delegate);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    // Column widths come from the rows in sight and a few hundred more: a catalog of thousands
    // of rows is not measured text by text each time its rows are reread.
    horizontalHeader()->setResizeContentsPrecision(300);
    setWordWrap(false);
    fitColumns();

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (current.isValid())
                    m_column = current.column();
            });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { gridRowChanged(current); });
    // A reset (rows saved, deleted, reloaded) loses the grid's current index: take the view's.
    connect(m_model, &QAbstractItemModel::modelReset, this, &BoundGrid::syncFromView);
    connect(m_model, &QAbstractItemModel::modelReset, this, &BoundGrid::fitColumns);
    m_listener = view.addListener([this](View&, View::Change c) {
        if (c == View::Change::Moved || c == View::Change::State)
            syncFromView();
    });
    syncFromView();
}

BoundGrid::~BoundGrid() {
    view().removeListener(m_listener);
}

void BoundGrid::setPrompter(Prompter* prompter) {
    m_prompter = prompter;
    m_model->setPrompter(&this->prompter());
}

Prompter& BoundGrid::prompter() {
    if (m_prompter)
        return *m_prompter;
    if (!m_ownPrompter)
        m_ownPrompter = std::make_unique<MessageBoxPrompter>(this);
    return *m_ownPrompter;
}

void BoundGrid::setReadOnly(bool readOnly) {
    if (readOnly)
        discardEditor();
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
}

bool BoundGrid::commitEditor() {
    QWidget* editor = state() == EditingState ? indexWidget(currentIndex()) : nullptr;
    if (!editor)
        return true;
    const QModelIndex index = currentIndex();
    const QByteArray property = editor->metaObject()->userProperty().name();
    const QString typed = editor->property(property).toString();
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (typed == m_model->data(index, Qt::EditRole).toString())
        return true;
    return m_model->setData(index, typed, Qt::EditRole);
}

void BoundGrid::discardEditor() {
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex()))
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void BoundGrid::fitColumns() {
    // Every column as wide as its widest text and title (no less than its own width). The name
    // column, or else the last, takes what the others leave, but never less than its own texts:
    // a grid wider than its pane scrolls instead of cutting the names.
    const auto& columns = m_model->columns();
    m_stretchColumn = -1;
    m_stretchContent = 0;
    for (int i = 0; i < int(columns.size()); ++i) {
        resizeColumnToContents(i);
        if (columnWidth(i) < columns[i].width)
            setColumnWidth(i, columns[i].width);
        if (columns[i].stretch && m_stretchColumn < 0) {
            m_stretchColumn = i;
            m_stretchContent = columnWidth(i);
        }
    }
    horizontalHeader()->setStretchLastSection(m_stretchColumn < 0);
    spreadSpareWidth();
}

void BoundGrid::spreadSpareWidth() {
    if (m_stretchColumn < 0)
        return;
    int others = 0;
    for (int i = 0; i < horizontalHeader()->count(); ++i)
        if (i != m_stretchColumn)
            others += columnWidth(i);
    setColumnWidth(m_stretchColumn, std::max(m_stretchContent, viewport()->width() - others));
}

void BoundGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    spreadSpareWidth();
}

bool BoundGrid::moveViewTo(int row) {
    if (row == m_model->currentRow())
        return true;
    try {
        return view().moveTo(row);
    } catch (const DbError& e) {
        prompter().error(e.message());
        return false;
    }
}

bool BoundGrid::startEdit(int row) {
    if (!moveViewTo(row))
        return false;
    try {
        return view().edit();
    } catch (const DbError& e) {
        prompter().error(e.message());
        return false;
    }
}

void BoundGrid::syncFromView() {
    const int row = m_model->currentRow();
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const int column = std::clamp(m_column, 0, std::max(0, m_model->columnCount() - 1));
        const QModelIndex index = m_model->index(row, column);
        if (currentIndex() != index)
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
        else if (!selectionModel()->isRowSelected(row, QModelIndex()))
            selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    } else {
        selectionModel()->clear();
    }
    m_syncing = false;
    noteRow(row);
}

void BoundGrid::gridRowChanged(const QModelIndex& current) {
    if (m_syncing || !current.isValid())
        return;
    // Set from code (the grid's own mouse and keys ask the view before moving): follow it when
    // the view agrees, else go back to the view's row.
    if (!moveViewTo(current.row()))
        syncFromView();
}

void BoundGrid::noteRow(int row) {
    if (row == m_lastRow)
        return;
    m_lastRow = row;
    emit currentRowChanged(row);
}

void BoundGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() != m_model->currentRow()) {
        if (state() == EditingState && !commitEditor()) {
            event->accept();
            return;
        }
        if (!moveViewTo(index.row())) {
            event->accept();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

QModelIndex BoundGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (!target.isValid() || target.row() == m_model->currentRow())
        return target;
    if (!moveViewTo(target.row()))
        return currentIndex();
    // Moving may have saved an edited row and reset the model: point at the view's row now.
    return m_model->index(m_model->currentRow(), target.column());
}

void BoundGrid::keyPressEvent(QKeyEvent* event) {
    // Escape outside a cell editor drops the changes of the row, as the navigator's cancel does.
    if (event->key() == Qt::Key_Escape && state() != EditingState && view().isEditing()) {
        view().cancel();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool saveGridEdits(std::initializer_list<BoundGrid*> grids, Prompter& prompter) {
    for (BoundGrid* g : grids) {
        if (!g->commitEditor())
            return false;
        View& v = g->view();
        if (!v.isEditing())
            continue;
        try {
            if (v.post())
                continue;
        } catch (const DbError& e) {
            prompter.error(e.message());
        }
        g->setFocus();
        return false;
    }
    return true;
}

} // namespace ses
