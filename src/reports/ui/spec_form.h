#pragma once
// "Спецификация оборудования варианта расчета.": the equipment list of the current variant, read
// by the variant's key each time the window is shown; nothing is written.

#include "data/data_module.h"
#include "reports/specification.h"
#include "widgets/shown_table.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace ses {

class ReportWriter;
class StringGrid;

class TSpecForm : public QDialog {
public:
    TSpecForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    int run();
    // Reads the current variant's list again and shows it.
    void rebuild();

    StringGrid* grid() const { return m_grid; }
    QCheckBox* moveRows() const { return m_moveRows; }
    QCheckBox* standardForm() const { return m_standardForm; }
    const std::vector<SpecRow>& rows() const { return m_rows; }

    // The report: the heading, the project and the variant, then the table in screen order, or
    // the equipment-list form when its check box is ticked.
    void writeReport(ReportWriter& w) const;
    // The table as shown, for the spreadsheet file.
    std::vector<QStringList> shownRows() const;
    QString proposedFileName() const;
    void saveCsv(const AskPath& ask = {});

protected:
    void showEvent(QShowEvent* event) override;

private:
    void format();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    StringGrid* m_grid;
    QCheckBox* m_moveRows;
    QCheckBox* m_standardForm;
    std::vector<SpecRow> m_rows;
    std::vector<SpecRow> m_byMaker;
    QString m_project, m_variant;
};

} // namespace ses
