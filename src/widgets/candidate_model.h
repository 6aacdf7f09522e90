#pragma once
// A read-only table model over a list of rows held in memory as texts: the tabular choices show
// their candidate lists through it. Numbers are right-aligned, texts left; chosen columns are
// tinted; titles are shown on two lines, broken after their comma.

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <map>
#include <vector>

namespace ses {

class CandidateModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CandidateModel(const QStringList& titles, QObject* parent = nullptr);

    // Replaces every row at once (one reset, however long the list).
    void setRows(std::vector<QStringList> rows);
    const std::vector<QStringList>& rows() const { return m_rows; }
    void setColumnTint(int column, const QColor& colour);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    std::vector<QStringList> m_rows;
    std::map<int, QColor> m_tints;
};

} // namespace ses
