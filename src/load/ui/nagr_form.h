#pragma once
// "Параметры суточного графика нагрузки.": a schedule given by its parameters. The user types the
// daily energy, the three powers and, month by month, the energies drawn without sun; "Расчет
// параметров" completes the monthly rows. "ОК" runs the table check and the calculation on the
// inputs on screen before anything is handed over, so the monthly figures are never empty or
// stale.

#include "load/schedule_store.h"
#include "load/typed_schedule.h"
#include "load/ui/schedule_report.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace ses {

class MonthlyTable;
class NumberField;
class Prompter;
class ScheduleHeader;
class TDataModule1;

class TNagrForm : public QDialog {
    Q_OBJECT
public:
    TNagrForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Fills the dialog, shows it modally and on "ОК" fills the draft. A draft with figures is
    // an edit: its fields and its stored monthly energies (each in the row of its month) are
    // shown and the calculation rerun; a draft without keeps the figures typed last.
    bool run(ScheduleDraft& draft, const ScheduleInputs& in,
             const std::vector<OtherSchedule>& others, bool ac);
    void prepare(const ScheduleDraft& draft, const ScheduleInputs& in,
                 const std::vector<OtherSchedule>& others, bool ac);
    // A country house's figures with its dark-hour energies, calculated, for the screen tour.
    void loadForTour(const ScheduleInputs& in);

    const ScheduleDraft& draft() const { return m_draft; }

    bool testTable(); // tells "Ошибки не обнаружены." when the table passes
    bool calculate(); // "Расчет параметров"; tells what kept figures empty
    void exportReport();
    ScheduleReport report();
    // The report "Экспорт..." writes, closing it left to the caller.
    void writeReport(ReportWriter& w);

    // The typed energies of a row (data rows from 0).
    void setEnergies(int row, const QString& wsut, const QString& wmax);

    ScheduleHeader* header() const { return m_header; }
    MonthlyTable* monthlyTable() const { return m_monthly; }
    NumberField* wpSutField() const { return m_wpSut; }
    NumberField* pnomField() const { return m_pnom; }
    NumberField* pmaxField() const { return m_pmax; }
    NumberField* peakField() const { return m_peak; }
    QCheckBox* pureSineBox() const { return m_sine; }

    void accept() override; // the checks of "ОК" in order, the calculation, then the draft

private:
    bool runCalculation(bool tellErrors, bool tellProblems);
    void rebuildRows();
    void inputsChanged();
    std::vector<TypedEnergies> energies() const;
    void focusCell(int column, int row);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    ScheduleInputs m_in;
    std::vector<OtherSchedule> m_others;
    std::vector<MonthlyRow> m_frame; // the fixed columns of the rows on screen
    std::vector<MonthlyRow> m_rows;  // the last calculation
    bool m_current = false;          // m_rows belong to the inputs on screen
    ScheduleDraft m_draft;
    bool m_ac = true;
    bool m_filling = false;

    ScheduleHeader* m_header;
    NumberField* m_wpSut;
    NumberField* m_pnom;
    NumberField* m_pmax;
    NumberField* m_peak;
    QLabel* m_pnomLabel;
    QLabel* m_pmaxLabel;
    QCheckBox* m_sine;
    QLabel* m_sineLabel;
    MonthlyTable* m_monthly;
};

} // namespace ses
