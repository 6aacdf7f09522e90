#include "widgets/choice_column.h"

#include "widgets/bound_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace ses {

namespace {

// Keys that only move through a choice column; every other key that types is refused there.
bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// A typed character (Backspace, Delete and Enter included) would change a choice cell; Escape
// still drops an open list or the row's changes.
bool typesIntoCell(const QKeyEvent* e) {
    return !e->text().isEmpty() && !isNavigationKey(e->key()) && e->key() != Qt::Key_Escape;
}

class RefuseTyping : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && typesIntoCell(static_cast<QKeyEvent*>(event))) {
            QApplication::beep();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The choice column of a grid outside its cell editor: typing there beeps instead of opening an
// editor with the typed text.
class ChoiceColumnKeys : public QObject {
public:
    ChoiceColumnKeys(BoundGrid* grid, int column) : QObject(grid), m_grid(grid), m_column(column) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && m_grid->currentIndex().column() == m_column &&
            typesIntoCell(static_cast<QKeyEvent*>(event))) {
            QApplication::beep();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    BoundGrid* m_grid;
    int m_column;
};

class ChoiceDelegate : public QStyledItemDelegate {
public:
    ChoiceDelegate(QStringList values, QObject* parent)
        : QStyledItemDelegate(parent), m_values(std::move(values)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        combo->setFrame(false);
        combo->addItems(m_values);
        combo->setMaxVisibleItems(16);
        combo->installEventFilter(new RefuseTyping(combo));
        auto* self = const_cast<ChoiceDelegate*>(this);
        connect(combo, &QComboBox::activated, combo, [self, combo] {
            emit self->commitData(combo);
            emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
        });
        return combo;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        // Opening and leaving the list without a pick leaves the row as it is.
        const QString picked = static_cast<QComboBox*>(editor)->currentText();
        if (!picked.isEmpty() && picked != index.data(Qt::EditRole).toString())
            model->setData(index, picked, Qt::EditRole);
    }

private:
    QStringList m_values;
};

} // namespace

void makeChoiceColumn(BoundGrid* grid, int column, const QStringList& values) {
    grid->setItemDelegateForColumn(column, new ChoiceDelegate(values, grid));
    grid->installEventFilter(new ChoiceColumnKeys(grid, column));
}

} // namespace ses
