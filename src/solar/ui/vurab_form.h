#pragma once
// "Расчетная выработка варианта расчета.": month by month what the variant's solar battery
// generates against what the loads draw from it, as a table and as bar charts of the chosen rows.
// Read-only; computed anew each time the window is opened.

#include "solar/generation.h"

#include <QDialog>

#include <vector>

class QBarCategoryAxis;
class QChartView;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QValueAxis;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;

class TVurabFrm : public QDialog {
public:
    TVurabFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Computes the table of the current variant; a variant that cannot have one is refused with
    // a message and the window stays closed.
    void run();
    // Computes the table of the current variant and fills the window; false with the refusal
    // shown in the window when there is no table.
    bool load();
    void loadForTour() { load(); }

    const GenerationTable& table() const { return m_table; }
    StringGrid* grid() const { return m_grid; }
    QLabel* refusalLine() const { return m_refusal; }
    QLabel* missingLine() const { return m_missing; }
    QTabWidget* pages() const { return m_pages; }
    // " Отображаемые параметры ": one box per row but the last, in the rows' order.
    QCheckBox* parameterBox(int row) const { return m_boxes[row]; }
    QSpinBox* monthLength() const { return m_monthLength; }
    QCheckBox* autoUpdate() const { return m_auto; }
    QPushButton* updateButton() const { return m_update; }
    QChartView* chart() const { return m_chart; }

    // "Обновить": a bar series per ticked parameter over the months of the table.
    void drawChart();
    void clearChart();
    bool isChartEmpty() const;
    // The chart as the report takes it, drawn first when it was cleared.
    QImage chartPicture();

    void writeReport(ReportWriter& w);
    void exportReport();

protected:
    bool event(QEvent* event) override;

private:
    void optionsChanged();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    GenerationTable m_table;
    QTabWidget* m_pages;
    StringGrid* m_grid;
    QLabel* m_refusal;
    QLabel* m_missing;
    std::vector<QCheckBox*> m_boxes;
    QSpinBox* m_monthLength;
    QCheckBox* m_auto;
    QPushButton* m_update;
    QChartView* m_chart;
    QBarCategoryAxis* m_months;
    QValueAxis* m_values;
};

} // namespace ses
