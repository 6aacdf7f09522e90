#pragma once
// "Справочник коэффициентов падения производительности.": the loss of output against the
// deviation angle (Kproiz2) with its chart K = f(A), and the two tables of output against the
// panels' orientation and tilt (Kproiz, Kproiz1), each with a cross table and charts with one of
// the angles fixed.

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace ses {

class BoundGrid;
class LineChart;
class Navigator;
class Prompter;
class StringGrid;
class TDataModule1;
class View;

// One of the orientation/tilt tables: its view, the values of its picked columns and the
// range notes.
struct OrientationTable {
    QString table;       // "Kproiz" or "Kproiz1"
    QStringList compass; // the names of the orientations
    int orientFrom, orientTo, orientStep;
    int tiltFrom, tiltTo, tiltStep;

    QStringList orientations() const; // "90", "105" ... as the drop-down list offers them
    QStringList tilts() const;
    static const OrientationTable& small(); // Kproiz: 90 - 270, 15 - 60
    static const OrientationTable& full();  // Kproiz1: 0 - 360, 0 - 90
};

// The page of an orientation/tilt table.
class OrientationPage : public QWidget {
public:
    OrientationPage(TDataModule1& dm, Prompter& prompter, const OrientationTable& table,
                    QWidget* parent = nullptr);

    const OrientationTable& table() const { return m_table; }
    View& view() const;
    BoundGrid* grid() const { return m_grid; }
    Navigator* navigator() const { return m_navigator; }
    QTabWidget* subPages() const { return m_subPages; }

    // " Табличный просмотр ": orientations as columns, tilts as rows.
    StringGrid* crossTable() const { return m_cross; }
    // "Обновить": every cell from the row with that orientation and tilt (matched by text).
    void fillCrossTable();
    // "Найти": selects the cell of the current row; false, with the message, when there is none.
    bool findCurrent();

    // " Графики ": the fixed angle is the orientation (true) or the tilt.
    bool orientationFixed() const;
    void setOrientationFixed(bool orientation);
    QListWidget* valueList() const { return m_values; }
    void setChecked(const QStringList& values);
    QStringList checkedValues() const;
    QPushButton* drawButton() const { return m_draw; }
    QCheckBox* autoDraw() const { return m_auto; }
    LineChart* chart() const { return m_chart; }
    void drawCharts();

private:
    QWidget* makeCrossPage();
    QWidget* makeChartPage();
    void fillValueList();
    void valuesChanged();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    const OrientationTable& m_table;
    BoundGrid* m_grid;
    Navigator* m_navigator;
    QTabWidget* m_subPages;
    StringGrid* m_cross;
    QRadioButton* m_byOrientation;
    QRadioButton* m_byTilt;
    QListWidget* m_values;
    QPushButton* m_draw;
    QCheckBox* m_auto;
    LineChart* m_chart;
};

class TSprKForm : public QDialog {
public:
    TSprKForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TSprKForm() override;

    // Modal, on the first page; the cross tables of tables with rows are filled first.
    void run();
    // Every page with something to show: both kinds of charts drawn, the cross tables filled.
    void loadForTour();

    QTabWidget* pages() const { return m_pages; }

    // "Таблица 1".
    BoundGrid* lossGrid() const { return m_lossGrid; }
    LineChart* lossChart() const { return m_lossChart; }
    QCheckBox* lossAutoDraw() const { return m_lossAuto; }
    void drawLossChart();

    // " Таблица 2 " (Kproiz) and " Таблица 3 " (Kproiz1).
    OrientationPage* orientationPage(int index) const { return index == 0 ? m_small : m_full; }

    void reject() override;

private:
    void prepare();
    bool saveEdits();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    QTabWidget* m_pages;
    BoundGrid* m_lossGrid;
    LineChart* m_lossChart;
    QCheckBox* m_lossAuto;
    int m_lossListener = 0;
    OrientationPage* m_small;
    OrientationPage* m_full;
};

} // namespace ses
