#pragma once
// "Коэффициенты производительности солнечной батареи.": the coefficients of the current
// variant's panel arrays month by month (rebuilt whenever the window becomes active), a bar
// chart of the checked arrays and of the whole battery, and a memo on the columns.

#include "solar/coefficients_view.h"

#include <QDialog>

class QBarCategoryAxis;
class QChartView;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QValueAxis;

namespace ses {

class FrozenTable;
class TDataModule1;

class TKproizFm : public QDialog {
public:
    TKproizFm(TDataModule1& dm, QWidget* parent = nullptr);

    // Shows the window (not modal) built for the current variant.
    void run();
    // Built for the current variant with every entry charted.
    void loadForTour();

    // Reads the current variant again into the grid, the header strip and the check list
    // (entries keep their checks by name); the chart is redrawn when it was shown or is drawn
    // automatically.
    void rebuild();
    const CoefficientTable& table() const { return m_table; }

    FrozenTable* grid() const { return m_grid; }
    QStandardItemModel* gridModel() const { return m_model; }
    QLabel* refusalLabel() const { return m_refusals; }
    QListWidget* entryList() const { return m_entries; }
    QCheckBox* percentBox() const { return m_percent; }
    QSpinBox* monthLength() const { return m_monthLength; }
    QCheckBox* autoUpdate() const { return m_auto; }
    QChartView* chart() const { return m_chart; }

    // "Обновить": one bar series per checked entry.
    void drawChart();
    void clearChart();
    bool isChartEmpty() const;

protected:
    bool event(QEvent* event) override;

private:
    void optionsChanged();
    void updateButton(); // "Обновить" only while an entry is checked

    TDataModule1& m_dm;
    CoefficientTable m_table;
    QStringList m_cells; // every text the grid and its header strip show, for rebuild()
    bool m_built = false;
    FrozenTable* m_grid;
    QStandardItemModel* m_model;
    QLabel* m_refusals;
    QListWidget* m_entries;
    QCheckBox* m_percent;
    QSpinBox* m_monthLength;
    QPushButton* m_update;
    QCheckBox* m_auto;
    QChartView* m_chart;
    QBarCategoryAxis* m_months;
    QValueAxis* m_values;
};

} // namespace ses
