#include "widgets/cell_delegate.h"

#include <QLineEdit>

#include <memory>

namespace ses {

CellDelegate::CellDelegate(KindOf kindOf, ReadOnly readOnly, QObject* parent)
    : QStyledItemDelegate(parent), m_kindOf(std::move(kindOf)), m_readOnly(std::move(readOnly)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (m_readOnly && m_readOnly(index.column()))
        return nullptr;
    const auto kind = m_kindOf ? m_kindOf(index.column()) : std::nullopt;
    QWidget* editor = nullptr;
    if (kind) {
        auto* field = new NumberField(*kind, parent);
        field->setLeaveCheck(false);
        field->setFrame(false);
        editor = field;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !m_firstChange)
        return editor;
    auto* self = const_cast<CellDelegate*>(this);
    const QPersistentModelIndex cell(index);
    auto started = std::make_shared<bool>(false);
    connect(line, &QLineEdit::textEdited, line, [self, line, cell, started] {
        if (*started)
            return;
        *started = true;
        if (!cell.isValid() || !self->m_firstChange(cell))
            emit self->closeEditor(line, QAbstractItemDelegate::RevertModelCache);
    });
    return editor;
}

} // namespace ses
