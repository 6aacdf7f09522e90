#pragma once
// Cell editing shared by the grids: number columns are typed in a NumberField (its key filter,
// no leave check: the grid reports a bad value when the cell is saved), columns the grid marks
// read-only open no editor at all, and the first change typed into an editor can be vetoed
// (a bound grid puts its view into editing then, as the user starts changing the row).

#include "widgets/number_field.h"

#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace ses {

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // kindOf(column): the number kind of a column, nullopt for text.
    // readOnly(column): no editor for that column.
    using KindOf = std::function<std::optional<NumberField::Kind>(int column)>;
    using ReadOnly = std::function<bool(int column)>;
    // Called on the first change typed into an editor; false closes the editor unchanged.
    using FirstChange = std::function<bool(const QModelIndex& index)>;

    CellDelegate(KindOf kindOf, ReadOnly readOnly, QObject* parent = nullptr);

    void setFirstChange(FirstChange f) { m_firstChange = std::move(f); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    KindOf m_kindOf;
    ReadOnly m_readOnly;
    FirstChange m_firstChange;
};

} // namespace ses
