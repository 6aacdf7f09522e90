#include "widgets/view_model.h"

#include "data/store.h"
#include "lib/numbers.h"
#include "lib/prompter.h"

#include <QDate>

namespace ses {

QString displayText(const ColumnDef& column, const QVariant& value) {
    if (value.isNull())
        return {};
    switch (column.type) {
    case ColType::Number:
        return numberToText(value.toDouble());
    case ColType::Logical:
        return value.toBool() ? QStringLiteral("+") : QStringLiteral("-");
    case ColType::Date:
        return QDate::fromString(value.toString(), Qt::ISODate)
            .toString(QStringLiteral("dd.MM.yyyy"));
    default:
        return value.toString();
    }
}

ViewTableModel::ViewTableModel(View& view, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_view(view), m_columns(std::move(columns)) {
    for (const GridColumn& c : m_columns)
        m_fields.push_back(m_view.field(c.field).index());
    m_rowCount = modelRowCount();
    m_listener = m_view.addListener([this](View&, View::Change c) { viewChanged(c); });
}

ViewTableModel::~ViewTableModel() {
    m_view.removeListener(m_listener);
}

const ColumnDef& ViewTableModel::columnDef(int column) const {
    return m_view.table().columns[m_fields.at(column)];
}

int ViewTableModel::modelRowCount() const {
    return m_view.recordCount() + (m_view.state() == ViewState::Insert ? 1 : 0);
}

int ViewTableModel::currentRow() const {
    if (m_view.state() == ViewState::Insert)
        return m_view.recordCount();
    return m_view.recNo();
}

bool ViewTableModel::isEditable(int column) const {
    if (m_readOnly || column < 0 || column >= int(m_columns.size()))
        return false;
    return !m_columns[column].readOnly && !columnDef(column).calculated;
}

void ViewTableModel::setColumnReadOnly(int column, bool readOnly) {
    if (column >= 0 && column < int(m_columns.size()))
        m_columns[column].readOnly = readOnly;
}

int ViewTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int ViewTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString ViewTableModel::text(int row, int column) const {
    // The row being edited or inserted shows what has been typed so far.
    if (m_view.isEditing() && row == currentRow())
        return m_view.field(m_fields[column]).asString();
    return displayText(columnDef(column), m_view.valueAt(row, m_fields[column]));
}

QVariant ViewTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rowCount || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const ColType t = columnDef(index.column()).type;
        const bool number = t == ColType::Number || t == ColType::Integer || t == ColType::AutoInc;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant ViewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(m_columns.size()))
        return m_columns[section].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ViewTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && isEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ViewTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !isEditable(index.column()) ||
        index.row() >= m_rowCount)
        return false;
    const int row = index.row();
    const int field = m_fields[index.column()];
    try {
        // Moving saves the row being edited, which may reorder the rows: edit the row that is
        // current afterwards, as the grid shows it.
        if (row != currentRow() && !m_view.moveTo(row))
            return false;
        if (!m_view.edit())
            return false;
        m_view.field(field).setString(value.toString());
    } catch (const DbError& e) {
        if (m_prompter)
            m_prompter->error(e.message());
        return false;
    }
    const QModelIndex changed = this->index(currentRow(), index.column());
    emit dataChanged(changed, changed);
    return true;
}

void ViewTableModel::viewChanged(View::Change change) {
    switch (change) {
    case View::Change::Moved:
        return;
    case View::Change::State:
        // An insert adds or drops the extra row, and a post is followed by a Data change that
        // resets everything anyway. Starting an edit shows the same values (an open cell editor
        // must keep what is being typed); cancelling one shows the saved values again.
        if (modelRowCount() == m_rowCount) {
            const int cur = currentRow();
            if (!m_view.isEditing() && cur >= 0 && cur < m_rowCount)
                emit dataChanged(index(cur, 0), index(cur, columnCount() - 1));
            return;
        }
        break;
    case View::Change::Data:
        break;
    }
    beginResetModel();
    m_rowCount = modelRowCount();
    endResetModel();
}

} // namespace ses
