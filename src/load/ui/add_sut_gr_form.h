#pragma once
// "Суточный график без детализации по электроприемникам.": a schedule typed as a table of
// intervals. The build checks the table, draws the step chart and computes the daily energy,
// the powers and the monthly rows; any edit of the table empties them again, a change of the
// month range rebuilds the monthly rows, and "ОК" stores only figures of the table and range on
// screen.

#include "load/schedule_store.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/schedule_report.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ses {

class MonthlyTable;
class NumberField;
class Prompter;
class ScheduleHeader;
class StepChart;
class StringGrid;
class TDataModule1;
class TsRazdGrF;
class TsSutForm;

class TAddSutGrF : public QDialog {
    Q_OBJECT
public:
    TAddSutGrF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Fills the dialog (an empty interval table gives one empty row; a stored one is built),
    // shows it modally and on "ОК" fills the draft. ac: the pure-sine box is offered.
    bool run(ScheduleDraft& draft, const ScheduleInputs& in,
             const std::vector<OtherSchedule>& others, bool ac);
    // The filling of run() without showing the dialog.
    void prepare(const ScheduleDraft& draft, const ScheduleInputs& in,
                 const std::vector<OtherSchedule>& others, bool ac);
    // A country house's day, built, for the screen tour.
    void loadForTour(const ScheduleInputs& in);

    // What "ОК" accepted.
    const ScheduleDraft& draft() const { return m_draft; }

    // The commands, as their buttons run them.
    void addRow();
    void insertRow();
    void deleteRow();
    bool testTable(); // tells "Ошибки не найдены." when the table passes
    bool build();     // test, chart, results and monthly rows; tells what kept figures empty
    void clearTable();
    void loadFromBook();
    void saveToBook();
    void exportReport();
    ScheduleReport report();
    // The report "Экспорт..." writes, closing it left to the caller.
    void writeReport(ReportWriter& w);

    IntervalTexts intervals() const;
    void setIntervals(const IntervalTexts& rows);

    StringGrid* intervalGrid() const { return m_grid; }
    MonthlyTable* monthlyTable() const { return m_results.monthly; }
    ScheduleHeader* header() const { return m_header; }
    StepChart* chart() const { return m_chart; }
    QTabWidget* pages() const { return m_pages; }
    NumberField* peakField() const { return m_peak; }
    QLineEdit* wpSutField() const { return m_results.wpSut; }
    QCheckBox* pureSineBox() const { return m_results.sine.box; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override; // the checks of "ОК" in order, then the draft

protected:
    // The editor of a book schedule (TsSutFrm1): the same table and commands without the
    // schedule's name, months, peak and monthly rows, with the imports from the
    // consumer-detailed books; "ОК" writes the book.
    struct BookEditor {};
    TAddSutGrF(TDataModule1& dm, Prompter& prompter, BookEditor, QWidget* parent);

    // Book editor: the current book schedule's intervals (one empty row without any), built.
    void prepareBook();
    // Book editor: the built table of the chosen schedule of a consumer-detailed book, tested
    // and built here.
    void importFromConsumerBook(bool ac);

private:
    enum Command {
        Add,
        Insert,
        Delete,
        Test,
        Build,
        Clear,
        Load,
        Save,
        ImportAc,
        ImportDc,
        CommandCount
    };
    void setUp(const QString& className);

    void tableEdited();
    void clearResults();
    void rangeChanged();
    bool runBuild(bool tellProblems, bool tellErrors);
    void focusCell(int column, int row);
    void updateButtons();
    bool isBuilt() const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    ScheduleInputs m_in;
    std::vector<OtherSchedule> m_others;
    ScheduleDraft m_draft;
    ScheduleParams m_params;
    bool m_ac = true;
    bool m_filling = false;

    ScheduleHeader* m_header;
    StringGrid* m_grid;
    QPushButton* m_commands[CommandCount];
    QTabWidget* m_pages;
    StepChart* m_chart;
    NumberField* m_peak;
    ScheduleResults m_results{}; // the page "Расчетные параметры"
    QPushButton* m_ok;
    TsSutForm* m_book = nullptr;
    TsRazdGrF* m_section = nullptr;
    bool m_bookEditor = false;
    class TsSutEPF* m_consumerBooks[2] = {nullptr, nullptr};
};

} // namespace ses
