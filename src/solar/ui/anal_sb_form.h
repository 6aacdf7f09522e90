#pragma once
// "Анализ выбора солнечной батареи.": the required power of the solar battery explained schedule
// by schedule and month by month, with the preliminary choice, the check against the other months
// and, when one of them asks for more, the search of the tilt. Read-only; computed anew every time
// the window becomes active.

#include "solar/generation.h"

#include <QDialog>

class QChartView;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;

class TAnalSBFm : public QDialog {
public:
    TAnalSBFm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    void run();
    // Computes the analysis of the current variant and fills the window.
    void load();
    void loadForTour() { load(); }

    const SolarAnalysis& analysis() const { return m_analysis; }
    StringGrid* requirementGrid() const { return m_requirement; }
    StringGrid* summaryGrid() const { return m_summary; }
    QLineEdit* monthField() const { return m_month; }
    QLineEdit* preliminaryPowerField() const { return m_pp; }
    QLineEdit* preliminaryTiltField() const { return m_bp; }
    QLineEdit* powerField() const { return m_power; }
    QLineEdit* tiltField() const { return m_tilt; }
    QLabel* noteLine() const { return m_note; }
    QLabel* refusalLine() const { return m_refusal; }
    // "Pсб = f(В).": one bar per tested tilt; empty without a search.
    QChartView* chart() const { return m_chart; }
    bool isChartEmpty() const;

    void writeReport(ReportWriter& w);
    void exportReport();

protected:
    bool event(QEvent* event) override;

private:
    void drawChart();
    void clearChart();
    void fitToContent();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    SolarAnalysis m_analysis;
    StringGrid* m_requirement;
    StringGrid* m_summary;
    QLineEdit* m_month;
    QLineEdit* m_pp;
    QLineEdit* m_bp;
    QLineEdit* m_power;
    QLineEdit* m_tilt;
    QLabel* m_note;
    QLabel* m_refusal;
    QGroupBox* m_chartBox;
    QChartView* m_chart;
    int m_requirementWidth = 0;
    int m_summaryWidth = 0;
};

} // namespace ses
