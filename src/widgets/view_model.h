#pragma once
// A table model over a view: one row per row of the view, the columns chosen by the window.
// Painting reads rows through View::valueAt, so it never moves the view; the row being edited
// shows the edit buffer, and a row being inserted appears as an extra last row.

#include "data/view.h"

#include <QAbstractTableModel>

#include <vector>

namespace ses {

class Prompter;

struct GridColumn {
    QString field; // column of the view
    QString title;
    bool readOnly = true;
    int width = 0;        // pixels, the least width; the column widens to its contents and title
    bool stretch = false; // the name column: takes the width the others leave
};

// A value as the grids show it: numbers in the shortest form with the decimal comma, logical
// "+" / "-", dates dd.MM.yyyy, null as an empty text (the same as Field::asString).
QString displayText(const ColumnDef& column, const QVariant& value);

class ViewTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Throws DbError when a column names no field of the view.
    ViewTableModel(View& view, std::vector<GridColumn> columns, QObject* parent = nullptr);
    ~ViewTableModel() override;

    View& view() const { return m_view; }
    const std::vector<GridColumn>& columns() const { return m_columns; }
    const ColumnDef& columnDef(int column) const;

    // The model row of the view's current row: the extra last row while inserting, else
    // view.recNo() (-1 when the view is empty).
    int currentRow() const;

    // Refused edits that carry a message (a bad value) are shown here; null: not shown.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    bool isEditable(int column) const;
    // A column that the window opens or closes for editing while it is shown.
    void setColumnReadOnly(int column, bool readOnly);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edits the row through the view: moves to it (which saves another row being edited),
    // puts it into editing and writes the field. Saving is left to the navigator or to leaving
    // the row. False, with the model unchanged, when the view refuses any step.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void viewChanged(View::Change change);
    int modelRowCount() const;
    QString text(int row, int column) const;

    View& m_view;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fields; // view field index of each column
    int m_listener = 0;
    int m_rowCount = 0;
    bool m_readOnly = false;
    Prompter* m_prompter = nullptr;
};

} // namespace ses
