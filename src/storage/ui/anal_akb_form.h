#pragma once
// "Анализ выбора аккумуляторной батареи.": month by month, the energy the loads draw from the
// battery in the hours without sun and the capacity each discharge current needs, by the method
// of the variant's load-entry mode. Read-only; computed anew each time it is shown.

#include "storage/capacity_analysis.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;

class TAnalAkbF : public QDialog {
    Q_OBJECT
public:
    TAnalAkbF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Shows the window modally; it computes itself on showing.
    void run();
    // Computes the analysis of the current variant and fills the window.
    void load();
    void loadForTour() { load(); }

    void writeReport(ReportWriter& w) const;
    void exportReport();

    const BatteryAnalysis& analysis() const { return m_analysis; }
    QLineEdit* resultField() const { return m_result; }
    // Under the result: the stored figure when it differs, or why there is no result.
    QLabel* storedLine() const { return m_stored; }
    QLabel* errorLine() const { return m_error; }
    // Row 0 the header, then a row per schedule, then " Итого".
    StringGrid* energyGrid() const { return m_energy; }
    // Row 0 the months, then the ten parameters; column 0 their names.
    StringGrid* capacityGrid() const { return m_capacity; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitToContent();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BatteryAnalysis m_analysis;
    QString m_storedText;
    QLineEdit* m_result;
    QLabel* m_stored;
    QLabel* m_error;
    StringGrid* m_energy;
    StringGrid* m_capacity;
    QListWidget* m_capacityNote;
};

} // namespace ses
