#pragma once
// "Справочник суточных графиков с детализацией по электроприемникам ... напряжения.": the book
// of schedules built from consumers (sSutEP -> sSutEP0 -> sSutEP1 -> sSutEP2, the DC book
// sSutEP12 -> ...). Its sections and schedules are edited with record bars; the page
// "Электроприемники" edits the consumers and periods of the current schedule with the commands of
// the consumer dialog; the build writes the schedule's figures, and every change of a consumer
// or a period empties them again (a table rule). The page "Суточный график" shows the interval
// table and chart of a built schedule.
// Browsing (the main menu): "Закрыть" only. Choosing (the consumer dialogs, the schedule book's
// editor): read-only, "ОК" hands over the current schedule's consumers once their periods pass
// the test; the DC book may be narrowed to the schedules of one voltage while choosing.

#include "load/consumer_store.h"
#include "load/ui/create_sg_form.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace ses {

class BoundGrid;
class Navigator;
class Prompter;
class StepChart;
class StringGrid;
class TDataModule1;
class TPeriodFm;
class ConsumerCommands;
class TsEPForm;
class View;

class TsSutEPF : public QDialog {
    Q_OBJECT
public:
    enum Command { Add, Replace, Delete, Periods, Test, Copy, Paste, Build, Info, CommandCount };

    TsSutEPF(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent = nullptr);
    ~TsSutEPF() override;

    bool isAc() const { return m_ac; }

    // Modal, for browsing and editing the book.
    void browse();
    // Modal, for choosing: on "ОК" the consumers of the chosen schedule with their periods. The
    // DC book shows only the schedules of dcVoltageFilter volts, until it closes.
    std::optional<std::vector<ConsumerRecord>> choose(std::optional<double> dcVoltageFilter);
    // The filling of choose() without showing the window; finish() removes the filter again.
    void prepare(std::optional<double> dcVoltageFilter);
    void finish();
    // The layout of browsing (true) or choosing.
    void setBrowsing(bool browsing);
    bool isBrowsing() const { return m_browsing; }
    // Whether the schedule row (of the current section) is shown under the voltage filter.
    bool isShown(int row) const;
    // What "ОК" accepted.
    const std::optional<std::vector<ConsumerRecord>>& chosen() const { return m_chosen; }
    const ConsumerClipboard& clipboard() const;
    // A built schedule of the book made current, on the page of its chart, for the screen tour.
    void loadForTour(int page);

    // The commands, as their buttons run them.
    void addConsumer();
    void replaceConsumer();
    void deleteConsumer();
    void editPeriods();
    bool testPeriods(); // tells "Ошибки не обнаружены." when the periods pass
    void copyConsumers();
    void pasteConsumers();
    bool build();
    // "Информация...": the test and the build, then the schedule information window over the
    // built schedule, every month offered.
    void showInfo();
    // What the information window is opened with for the current schedule; nullopt when the
    // test or the build refuses (and has said why).
    std::optional<ScheduleInfoRequest> infoRequest();
    // The steps of the commands after their dialogs.
    bool addFromCatalog(const CatalogConsumer& c, int quantity);
    bool replaceFromCatalog(const CatalogConsumer& c, int quantity);
    bool setPeriods(const std::vector<std::pair<double, double>>& periods);
    // Shows the interval table and chart of the current schedule: empty while it is not built.
    void showSchedule();

    BoundGrid* sectionGrid() const { return m_sectionGrid; }
    BoundGrid* scheduleGrid() const { return m_scheduleGrid; }
    BoundGrid* consumerGrid() const { return m_consumerGrid; }
    BoundGrid* periodGrid() const { return m_periodGrid; }
    Navigator* sectionBar() const { return m_sectionBar; }
    Navigator* scheduleBar() const { return m_scheduleBar; }
    Navigator* periodNavigator() const { return m_periodBar; }
    QCheckBox* askBeforeDelete() const { return m_askDelete; }
    QTabWidget* pages() const { return m_pages; }
    StringGrid* intervalGrid() const { return m_intervals; }
    StepChart* chart() const { return m_chart; }
    QLabel* filterLabel() const { return m_filterLabel; }
    QPushButton* commandButton(Command c) const { return m_commands[c]; }
    QPushButton* okButton() const { return m_ok; }
    // "Экспорт в CSV...", "Импорт из CSV..." (browsing only).
    const std::vector<QPushButton*>& csvButtons() const { return m_csv; }

    void accept() override;
    void done(int r) override;

private:
    View& sections() const;
    View& schedules() const;
    View& consumers() const;
    View& periods() const;
    std::vector<Consumer> currentConsumers() const;
    bool anyShown() const;
    void applyFilter();
    // A schedule to work on that is not being edited; else tells why.
    bool scheduleReady();
    bool finishPeriodEdit();
    void showIntervals(const IntervalTexts& rows);
    void updateButtons();
    bool saveEdits();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    bool m_ac;
    bool m_browsing = false;
    std::optional<double> m_filter;
    std::optional<std::vector<ConsumerRecord>> m_chosen;
    std::unique_ptr<ConsumerCommands> m_lists;
    int m_scheduleListener = 0;
    int m_consumerListener = 0;

    BoundGrid* m_sectionGrid;
    BoundGrid* m_scheduleGrid;
    BoundGrid* m_consumerGrid;
    BoundGrid* m_periodGrid;
    Navigator* m_sectionBar;
    Navigator* m_scheduleBar;
    Navigator* m_periodBar;
    QWidget* m_toolbar;
    QPushButton* m_commands[CommandCount];
    QCheckBox* m_askDelete;
    QTabWidget* m_pages;
    StringGrid* m_intervals;
    StepChart* m_chart;
    QLabel* m_filterLabel;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::vector<QPushButton*> m_csv;
};

// The DC book.
class TsSutEP12F : public TsSutEPF {
    Q_OBJECT
public:
    TsSutEP12F(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)
        : TsSutEPF(dm, prompter, false, parent) {}
};

} // namespace ses
