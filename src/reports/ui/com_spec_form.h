#pragma once
// "Сравнение спецификаций оборудования вариантов.": the equipment lists of the ticked variants of
// the current project side by side, quantities that differ in turquoise. Every variant is read by
// its key, so the main window's current variant never moves; nothing is written.

#include "data/data_module.h"
#include "reports/specification.h"
#include "reports/variant_equipment.h"
#include "widgets/shown_table.h"

#include <QDialog>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace ses {

class ReportWriter;
class StringGrid;

class TComSpecF : public QDialog {
public:
    TComSpecF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    int run();
    // Lists the project's variants, all ticked, and builds the table.
    void prepare();
    // "Обновить": the table of the ticked variants.
    void refresh();

    QListWidget* variants() const { return m_list; }
    StringGrid* grid() const { return m_grid; }
    QCheckBox* fixColumns() const { return m_fixColumns; }
    QCheckBox* moveColumns() const { return m_moveColumns; }
    QCheckBox* moveRows() const { return m_moveRows; }
    QPushButton* exportButton() const { return m_export; }
    const std::vector<MergedSpecRow>& rows() const { return m_rows; }

    void writeReport(ReportWriter& w) const;
    std::vector<QStringList> shownRows() const;
    void saveCsv(const AskPath& ask = {});

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDataModule1& m_dm;
    Prompter& m_prompter;
    QListWidget* m_list;
    StringGrid* m_grid;
    QCheckBox* m_fixColumns;
    QCheckBox* m_moveColumns;
    QCheckBox* m_moveRows;
    QPushButton* m_export;
    std::vector<VariantRef> m_variants; // the list's items, by key
    std::vector<MergedSpecRow> m_rows;
    QString m_project;
};

} // namespace ses
