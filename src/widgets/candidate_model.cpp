#include "widgets/candidate_model.h"

#include "widgets/look.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace ses {

CandidateModel::CandidateModel(const QStringList& titles, QObject* parent)
    : QAbstractTableModel(parent), m_titles(titles) {}

void CandidateModel::setRows(int count, RowTexts texts) {
    beginResetModel();
    m_count = std::max(count, 0);
    m_texts = std::move(texts);
    m_cache.assign(size_t(m_count), QStringList());
    endResetModel();
}

QStringList CandidateModel::rowTexts(int row) const {
    if (row < 0 || row >= m_count)
        return {};
    QStringList& cached = m_cache[size_t(row)];
    if (cached.isEmpty() && m_texts)
        cached = m_texts(row);
    return cached;
}

void CandidateModel::setColumnTint(int column, const QColor& colour) {
    m_tints[column] = colour;
}

int CandidateModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

int CandidateModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant CandidateModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_count)
        return {};
    const QStringList row = rowTexts(index.row());
    const QString text = index.column() < row.size() ? row[index.column()] : QString();
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentFor(text));
    case Qt::BackgroundRole: {
        const auto it = m_tints.find(index.column());
        return it == m_tints.end() ? QVariant() : QVariant(it->second);
    }
    default:
        return {};
    }
}

QVariant CandidateModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section >= m_titles.size())
            return {};
        // Titles on two lines, broken after the comma (or the hyphen of a broken word), so that
        // a column is as narrow as its figures allow.
        QString t = m_titles[section];
        t.replace(QStringLiteral(", "), QStringLiteral(",\n"));
        t.replace(QStringLiteral("- "), QStringLiteral("-\n"));
        return t;
    }
    return section + 1;
}

QTableView* newCandidateTable(CandidateModel* model, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setObjectName(QStringLiteral("candidates"));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

int currentRowOf(const QTableView* table) {
    const QModelIndex i = table->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void standOnRow(QTableView* table, int row) {
    QAbstractItemModel* model = table->model();
    if (!model || row < 0 || row >= model->rowCount()) {
        table->setCurrentIndex({});
        return;
    }
    table->setCurrentIndex(model->index(row, 0));
    table->selectRow(row);
    table->scrollTo(model->index(row, 0));
}

} // namespace ses
