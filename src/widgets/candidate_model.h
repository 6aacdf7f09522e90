#pragma once
// A read-only table model over a list of rows held in memory: the tabular choices show their
// candidate lists through it. A row's texts are made when the view first asks for them, so a list
// of tens of thousands of rows costs only the rows on screen. Numbers are right-aligned, texts
// left; chosen columns are tinted; titles are shown on two lines, broken after their comma.

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QTableView;
class QWidget;

namespace ses {

class CandidateModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CandidateModel(const QStringList& titles, QObject* parent = nullptr);

    // The texts of a row, in the order of the titles.
    using RowTexts = std::function<QStringList(int row)>;

    // Replaces every row at once (one reset, however long the list).
    void setRows(int count, RowTexts texts);
    QStringList rowTexts(int row) const;
    void setColumnTint(int column, const QColor& colour);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    int m_count = 0;
    RowTexts m_texts;
    mutable std::vector<QStringList> m_cache; // empty: not made yet
    std::map<int, QColor> m_tints;
};

// A table view over the model: whole rows selected one at a time, read-only, columns sized to
// their texts, the last one stretched.
QTableView* newCandidateTable(CandidateModel* model, QWidget* parent);
// The row a table of candidates stands on, -1 with none.
int currentRowOf(const QTableView* table);
// Stands the table on `row` (selected and scrolled to); a row outside the model leaves no
// current row.
void standOnRow(QTableView* table, int row);

} // namespace ses
