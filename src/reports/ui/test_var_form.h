#pragma once
// "Тестирование варианта расчета.": the remarks of the variant test in seven boxes, and on a
// second page the year's energy balance of the battery (the dawn charge by day and a summary).
// Read-only: the variant is read by key, so the main window's current rows stay where they are.

#include "reports/energy_balance_store.h"
#include "reports/variant_test.h"

#include <QDialog>

#include <array>

class QChartView;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QValueAxis;

namespace ses {

class Prompter;
class ReportWriter;
class TDataModule1;

class TTestVarF : public QDialog {
public:
    TTestVarF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Tests the current variant, fills the window and shows it modally.
    void run();
    // The same without the modal loop: the boxes emptied, then filled.
    void load();
    void loadForTour() { load(); }

    QPlainTextEdit* box(TestSection s) const { return m_boxes[int(s)]; }
    QLabel* label(TestSection s) const { return m_labels[int(s)]; }
    QTabWidget* pages() const { return m_pages; }
    QChartView* chart() const { return m_chart; }
    QLabel* balanceSummary() const { return m_summary; }
    const BalanceReading& balance() const { return m_balance; }

    // The balance chart as the report takes it.
    QImage balancePicture();
    void writeReport(ReportWriter& w);
    void exportReport();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void placeBoxes();
    void drawBalance();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    QTabWidget* m_pages;
    QWidget* m_remarksPage;
    std::array<QPlainTextEdit*, kTestSectionCount> m_boxes{};
    std::array<QLabel*, kTestSectionCount> m_labels{};
    QChartView* m_chart;
    QValueAxis* m_days;
    QValueAxis* m_percent;
    QLabel* m_summary;
    BalanceReading m_balance;
};

} // namespace ses
