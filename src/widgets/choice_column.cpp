#include "widgets/choice_column.h"

#include "widgets/bound_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include <optional>

namespace ses {

namespace {

bool refused(QEvent* event, ChoiceKeys keys) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* e = static_cast<QKeyEvent*>(event);
    return choiceKeyRefused(e->key(), e->text(), keys);
}

class RefuseTyping : public QObject {
public:
    RefuseTyping(ChoiceKeys keys, QObject* parent) : QObject(parent), m_keys(keys) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (refused(event, m_keys)) {
            QApplication::beep();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ChoiceKeys m_keys;
};

// The choice column of a grid outside its cell editor: typing there beeps instead of opening an
// editor with the typed text.
class ChoiceColumnKeys : public QObject {
public:
    ChoiceColumnKeys(BoundGrid* grid, int column, ChoiceKeys keys)
        : QObject(grid), m_grid(grid), m_column(column), m_keys(keys) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_grid->currentIndex().column() == m_column && refused(event, m_keys)) {
            QApplication::beep();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    BoundGrid* m_grid;
    int m_column;
    ChoiceKeys m_keys;
};

class ChoiceDelegate : public QStyledItemDelegate {
public:
    // keys: nullopt for an open list, which takes typed values as well.
    ChoiceDelegate(QStringList values, std::optional<ChoiceKeys> keys, QObject* parent)
        : QStyledItemDelegate(parent), m_values(std::move(values)), m_keys(keys) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        combo->setFrame(false);
        combo->addItems(m_values);
        combo->setMaxVisibleItems(16);
        if (m_keys) {
            combo->installEventFilter(new RefuseTyping(*m_keys, combo));
        } else {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
        }
        auto* self = const_cast<ChoiceDelegate*>(this);
        connect(combo, &QComboBox::activated, combo, [self, combo] {
            emit self->commitData(combo);
            emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
        });
        return combo;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        combo->setCurrentIndex(combo->findText(text));
        if (combo->isEditable())
            combo->setEditText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        // Opening and leaving the list without a pick leaves the row as it is; an open list may
        // also be emptied.
        auto* combo = static_cast<QComboBox*>(editor);
        const QString picked = combo->currentText();
        if ((!picked.isEmpty() || combo->isEditable()) &&
            picked != index.data(Qt::EditRole).toString())
            model->setData(index, picked, Qt::EditRole);
    }

private:
    QStringList m_values;
    std::optional<ChoiceKeys> m_keys;
};

} // namespace

void makeChoiceColumn(BoundGrid* grid, int column, const QStringList& values, ChoiceKeys keys) {
    grid->setItemDelegateForColumn(column, new ChoiceDelegate(values, keys, grid));
    grid->installEventFilter(new ChoiceColumnKeys(grid, column, keys));
}

void makeOpenListColumn(BoundGrid* grid, int column, const QStringList& values) {
    grid->setItemDelegateForColumn(column, new ChoiceDelegate(values, std::nullopt, grid));
}

} // namespace ses
