#pragma once
// "Анализ выбора инверторов.": for every AC load of the current variant, the figures of each of
// its schedules and the largest of them, which the inverter selection compares with the
// catalog. Read-only.

#include "storage/inverters.h"

#include <QDialog>

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;

class TAnalInvF : public QDialog {
    Q_OBJECT
public:
    TAnalInvF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Computes the grid from the current variant and shows the window modally.
    void run();
    // Computes the grid (run and every activation do this).
    void load();
    void loadForTour() { load(); }

    void writeReport(ReportWriter& w) const;
    void exportReport();

    // Row 0: the load names over their groups of columns; row 1: the parameter names, the
    // schedule names and "значение"; rows 2 to 5: the figures. Column 0 holds the titles.
    StringGrid* grid() const { return m_grid; }
    const std::vector<AnalysisBlock>& blocks() const { return m_blocks; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDataModule1& m_dm;
    Prompter& m_prompter;
    QStringList m_rowTitles;
    std::vector<AnalysisBlock> m_blocks;
    StringGrid* m_grid;
};

} // namespace ses
