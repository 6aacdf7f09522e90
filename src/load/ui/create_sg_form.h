#pragma once
// "Суточный график нагрузки с детализацией по электроприемникам ... напряжения.": a schedule
// built from its consumers and their operating periods. The consumers and periods are stored as
// they are edited; "Отмена" puts them back as they were when the dialog opened. The build tests
// the periods, makes the interval table, the chart, the figures, the peak and the monthly rows;
// any change of a consumer or a period empties them until the next build.
// The clipboard of copied consumers lives in the dialog: create one dialog of each kind and keep
// it for the whole run.

#include "load/consumer_store.h"
#include "load/load_totals.h"
#include "load/schedule_store.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/schedule_report.h"
#include "widgets/view_model.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace ses {

class BoundGrid;
class MonthlyTable;
class Navigator;
class Prompter;
class ReportWriter;
class ScheduleHeader;
class StepChart;
class StringGrid;
class TDataModule1;
class ConsumerCommands;
class TPeriodFm;
class TsEPForm;
class TsRazdGrF;
class View;

// Where a schedule shown in the information window comes from: the dark periods of its picture
// are the variant's day-light table, or the design table for a reference-book schedule.
inline const QString kInfoFromVariant = QStringLiteral("Вариант расчета");
inline const QString kInfoFromBook = QStringLiteral("Справочник");

// What the schedule information window is opened with.
struct ScheduleInfoRequest {
    IntervalTexts intervals;
    QStringList months; // of the monthly table, the first one selected
    double pnom = 0, pmax = 0;
    QString load;                    // the AC load's name, kDcLoadName for a DC schedule
    QString schedule;                // the schedule's name
    bool ac = true;                  // the side of its consumers and periods
    std::vector<Consumer> consumers; // with their periods and modes
    QString origin = kInfoFromVariant;
};

// The consumer table of the report: the consumer list's column titles and "Время работы, час.",
// then one row per consumer.
struct ConsumerListReport {
    QStringList header;
    std::vector<QStringList> rows;
    QStringList note; // the lines explaining the columns
};
// The report of a schedule of consumers: the interval schedule's report with the consumer table
// after the general parameters.
void writeConsumerScheduleReport(ReportWriter& w, const ScheduleReport& r,
                                 const ConsumerListReport& consumers);

// The columns of a consumer list (the consumer dialogs and the consumer-detailed books) and the
// note lines explaining them.
std::vector<GridColumn> consumerColumns(bool ac);
QStringList consumerNote(bool ac);
// The consumer list (read-only) and the box "Время работы." with the period grid and its bar,
// as the consumer dialogs and books show them; returns the box.
QGroupBox* fillConsumerLists(View& consumers, View& periods, bool ac, Prompter& prompter,
                             QWidget* page, BoundGrid*& consumerGrid, BoundGrid*& periodGrid,
                             Navigator*& periodBar);
// The page "Суточный график" of the consumer dialogs and books: the interval table of the
// schedule beside its step chart.
void fillIntervalPage(QWidget* page, StringGrid*& intervals, StepChart*& chart);
// The period columns T1 and T2 of a period grid offer the hours 0 to 24 and take typed ones.
void pickHoursInPeriodGrid(BoundGrid* grid);

class TCreateSGF : public QDialog {
    Q_OBJECT
public:
    enum Command {
        Add,
        Replace,
        Delete,
        Periods,
        Test,
        Copy,
        Paste,
        Build,
        Save,
        Load,
        Info,
        Export,
        CommandCount
    };

    // ac: the consumers of the current AC schedule (proj_graf0), else of the current DC one
    // (proj_graf12_0).
    TCreateSGF(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent = nullptr);
    ~TCreateSGF() override;

    // Shows the dialog over the consumers of the current schedule row; on "ОК" fills the draft
    // (name, range, figures, peak, pure sine, intervals, monthly rows) and returns true. On
    // "Отмена" the consumers and periods are put back as they were and it returns false.
    bool run(ScheduleDraft& draft, const ScheduleInputs& in,
             const std::vector<OtherSchedule>& others);
    // The filling of run() without showing the dialog: remembers the consumers for "Отмена" and
    // builds a schedule that has consumers.
    void prepare(const ScheduleDraft& draft, const ScheduleInputs& in,
                 const std::vector<OtherSchedule>& others);
    // A house's consumers from the catalog under the current schedule (when it has none), built.
    void loadForTour(const ScheduleInputs& in);

    // The schedule information window (it comes with the monthly totals); without it the
    // command stays disabled.
    void setInfoHook(std::function<void(const ScheduleInfoRequest&)> hook);

    bool isAc() const { return m_ac; }
    const ScheduleDraft& draft() const { return m_draft; }
    const ConsumerClipboard& clipboard() const;

    // The commands, as their buttons run them.
    void addConsumer();
    void replaceConsumer();
    void deleteConsumer();
    void editPeriods();
    bool testPeriods(); // tells "Ошибки не обнаружены." when the periods pass
    void copyConsumers();
    void pasteConsumers();
    bool build();
    void saveToBook();
    void loadFromBook();
    void showInfo();
    // What "Информация..." hands over: the schedule as built now, with its consumers.
    ScheduleInfoRequest infoRequest();
    void exportReport();
    // The steps of the commands after their dialogs.
    bool addFromCatalog(const CatalogConsumer& c, int quantity);
    bool replaceFromCatalog(const CatalogConsumer& c, int quantity);
    bool setPeriods(const std::vector<std::pair<double, double>>& periods);
    bool loadRecords(const std::vector<ConsumerRecord>& records); // then builds
    bool saveToBookAs(const QString& section, const QString& name);

    ScheduleReport report();
    ConsumerListReport consumerReport();
    // The report "Экспорт..." writes, with the figures as they are; closing it left to the caller.
    void writeReport(ReportWriter& w);

    ScheduleHeader* header() const { return m_header; }
    QTabWidget* pages() const { return m_pages; }
    BoundGrid* consumerGrid() const { return m_consumerGrid; }
    BoundGrid* periodGrid() const { return m_periodGrid; }
    Navigator* periodNavigator() const { return m_navigator; }
    QCheckBox* askBeforeDelete() const { return m_askDelete; }
    StringGrid* intervalGrid() const { return m_intervals; }
    StepChart* chart() const { return m_chart; }
    MonthlyTable* monthlyTable() const { return m_results.monthly; }
    QLineEdit* wpSutField() const { return m_results.wpSut; }
    QLineEdit* pnomField() const { return m_results.pnom; }
    QLineEdit* pmaxField() const { return m_results.pmax; }
    QLineEdit* peakField() const { return m_peak; }
    QCheckBox* pureSineBox() const { return m_results.sine.box; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* commandButton(Command c) const { return m_commands[c]; }

    void accept() override; // the checks of "ОК" in order, then the build and the draft
    void reject() override; // puts the consumers back

private:
    View& schedules() const;
    View& consumers() const;
    View& periods() const;
    std::vector<Consumer> currentConsumers() const;
    std::optional<double> dcFilter() const;
    bool finishPeriodEdit();
    bool runBuild(bool tellErrors, bool tellProblems);
    void showIntervals(const IntervalTexts& rows);
    void clearResults();
    void dataChanged();
    void pageChanged(int page);
    void updateButtons();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    bool m_ac;
    ScheduleInputs m_in;
    std::vector<OtherSchedule> m_others;
    ScheduleDraft m_draft;
    ConsumerSnapshot m_snapshot;
    std::unique_ptr<ConsumerCommands> m_lists;
    MonthlyResult m_result;
    bool m_built = false;
    bool m_resultsShown = false; // anything of a build or of the schedule page is on screen
    QVariant m_periodOwner;      // the consumer whose periods the period view showed last
    int m_consumerListener = 0;
    int m_periodListener = 0;
    std::function<void(const ScheduleInfoRequest&)> m_infoHook;

    ScheduleHeader* m_header;
    QTabWidget* m_pages;
    QPushButton* m_commands[CommandCount];
    BoundGrid* m_consumerGrid;
    BoundGrid* m_periodGrid;
    Navigator* m_navigator;
    QCheckBox* m_askDelete;
    StringGrid* m_intervals;
    StepChart* m_chart;
    QLineEdit* m_peak;
    ScheduleResults m_results{}; // the page "Расчетные параметры"
    QProgressBar* m_progress;
    QPushButton* m_ok;
    TsRazdGrF* m_section = nullptr;
    class TsSutEPF* m_book = nullptr;
};

// The DC dialog.
class TCreateSG12F : public TCreateSGF {
    Q_OBJECT
public:
    TCreateSG12F(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)
        : TCreateSGF(dm, prompter, false, parent) {}
};

} // namespace ses
