#pragma once
// The pages the monthly totals window and the schedule information window share: the consumers,
// the interval picture with the current time and the consumers running at it, the combined (or
// handed-over) schedule, the schedule detail with its remarks, the peaks with theirs, and the
// remark parameters. The pages only show what load/load_totals.h computes; the windows decide
// what is computed and when.

#include "load/load_totals.h"

#include <QTabWidget>

#include <functional>
#include <optional>

class QChartView;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ses {

class DrawingPane;
class NumberField;
class Prompter;
class StringGrid;
class StepChart;

class TotalsPages : public QTabWidget {
public:
    enum Page { Consumers, Intervals, Combined, Detail, Peaks, Parameters };

    TotalsPages(Prompter& prompter, TotalsWindow window, QWidget* parent = nullptr);

    // The row above the interval picture, where the information window puts its month selector.
    QHBoxLayout* intervalControls() const;

    // Shows the totals, filling the views in their order; step is called after each of the
    // nine stages. The dark periods of the picture are those of daylight (none when null).
    void show(const MonthTotals& totals, const std::optional<DaylightRow>& daylight,
              const std::function<void()>& step = {});
    // Another month's dark periods in the picture; nothing else changes.
    void setDaylight(const std::optional<DaylightRow>& daylight);
    // The figures of the combined schedule page of the information window.
    void setScheduleFigures(std::optional<double> pnom, std::optional<double> pmax);

    // The remark parameters as typed; nullopt after telling the user what is wrong.
    std::optional<RemarkParams> remarkParams();
    // Recomputes both remark tables from the shown tables ("Обновить").
    void refreshRemarks();
    const MonthTotals& totals() const { return m_totals; }

    // The current time: the line in the picture, its hours and minutes and the running
    // consumers.
    void setTime(double t);
    void setPictureScale(int scale);
    // "Найти" of the schedule remarks and the peak remarks: the detail's cursor on the "Итого"
    // cell of the remark's column; false when there is none.
    bool findScheduleRemark();
    bool findPeakRemark();

    StringGrid* consumerGrid() const { return m_consumers; }
    DrawingPane* picture() const { return m_picture; }
    NumberField* timeField() const { return m_time; }
    QLineEdit* hoursMinutesField() const { return m_hoursMinutes; }
    StringGrid* runningGrid() const { return m_running; }
    QLineEdit* runningNominal() const { return m_runningNom; }
    QLineEdit* runningPeak() const { return m_runningPik; }
    StringGrid* combinedGrid() const { return m_combined; }
    StepChart* combinedChart() const { return m_chart; }
    QLineEdit* figure(const QString& caption) const; // a figure by its caption, or null
    StringGrid* detailGrid() const { return m_detail; }
    StringGrid* scheduleRemarkGrid() const { return m_scheduleRemarks; }
    QPushButton* findScheduleButton() const { return m_findSchedule; }
    StringGrid* peakGrid() const { return m_peaks; }
    QChartView* peakChart() const { return m_peakChart; }
    StringGrid* peakDetailGrid() const { return m_peakDetail; }
    StringGrid* peakRemarkGrid() const { return m_peakRemarks; }
    QPushButton* findPeakButton() const { return m_findPeak; }
    NumberField* nPikField() const { return m_nPik; }
    NumberField* bigShareField() const { return m_bigShare; }
    QLineEdit* bigPowerField() const { return m_bigPower; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* consumersPage();
    QWidget* intervalsPage();
    QWidget* combinedPage();
    QWidget* detailPage();
    QWidget* peaksPage();
    QWidget* parametersPage();
    QCheckBox* continuedCheck(QGridLayout* grid, int row, const QString& caption,
                              const QString& continuation);
    NumberField* countField(QGridLayout* grid, int row, const QString& caption, int step2);

    int nameColumn() const; // of the consumer and running-consumers tables
    void showConsumers();
    void showCombined();
    void showDetail(StringGrid* grid, const DetailTable& table);
    void showPeaks();
    void showScheduleRemarks();
    void showPeakRemarks();
    void redrawPicture();
    void showRunning();
    void clearRunning();
    void timeEntered();
    void updateBigPower();
    void remarkClicked(bool schedule, int row, int col);

    Prompter& m_prompter;
    TotalsWindow m_window;
    MonthTotals m_totals;
    std::optional<DaylightRow> m_daylight;
    double m_t = 0;

    StringGrid* m_consumers = nullptr;
    DrawingPane* m_picture = nullptr;
    NumberField* m_time = nullptr;
    QLineEdit* m_hoursMinutes = nullptr;
    StringGrid* m_running = nullptr;
    QLineEdit* m_runningNom = nullptr;
    QLineEdit* m_runningPik = nullptr;
    StringGrid* m_combined = nullptr;
    StepChart* m_chart = nullptr;
    std::vector<std::pair<QString, QLineEdit*>> m_figures;
    StringGrid* m_detail = nullptr;
    StringGrid* m_scheduleRemarks = nullptr;
    QPushButton* m_findSchedule = nullptr;
    StringGrid* m_peaks = nullptr;
    QChartView* m_peakChart = nullptr;
    StringGrid* m_peakDetail = nullptr;
    StringGrid* m_peakRemarks = nullptr;
    QPushButton* m_findPeak = nullptr;
    NumberField* m_nPik = nullptr;
    QCheckBox* m_startCheck = nullptr;
    QComboBox* m_startMode = nullptr;
    NumberField* m_nNom = nullptr;
    QCheckBox* m_operationCheck = nullptr;
    QComboBox* m_operationMode = nullptr;
    QCheckBox* m_whileRunningCheck = nullptr;
    NumberField* m_bigShare = nullptr;
    QLineEdit* m_bigPower = nullptr;
};

} // namespace ses
