#pragma once
// The two viewing windows of one load side's daily schedules, opened from the dispatchers: the
// schedule chart (TSutGrafF) draws the power over time of each ticked schedule, the parameter
// diagram (TSutDiagF) bars their figures and their energy without sun month by month. Both only
// read; what they plot comes from schedule_charts.h.

#include "load/schedule_charts.h"

#include <QDialog>
#include <QImage>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace ses {

class Prompter;
class ReportWriter;
class TDataModule1;

// What both windows share: the load caption, the check list of the side's schedules in 1 to 5
// columns, "Обновить" and "Автообновление", the notes box and "Экспорт...".
class ScheduleViewer : public QDialog {
    Q_OBJECT
public:
    ~ScheduleViewer() override;

    // The side and its caption as the dispatcher hands them over: "220" the schedules of the
    // current AC load, any other tag the variant's DC schedules.
    void setSide(const QString& caption, const QString& voltageTag);
    // setSide, then the window modally.
    void open(const QString& caption, const QString& voltageTag);
    // Reads the side's schedules into the list, every one ticked, and draws when "Обновить" is
    // enabled and "Автообновление" ticked (as on opening).
    void reload();
    // Draws the charts from the ticked schedules ("Обновить").
    virtual void draw() = 0;
    // Empties the charts (and the diagram window its notes).
    virtual void clearCharts() = 0;
    virtual void writeReport(ReportWriter& w) = 0;
    void exportReport();

    QLabel* captionLabel() const { return m_caption; }
    QListWidget* scheduleList() const { return m_list; }
    QSpinBox* columnsBox() const { return m_columns; }
    QPushButton* refreshButton() const { return m_refresh; }
    QCheckBox* autoRefreshBox() const { return m_auto; }
    QListWidget* notesBox() const { return m_notes; }
    std::vector<bool> ticked() const;
    const std::vector<ChartSchedule>& schedules() const { return m_schedules; }

protected:
    ScheduleViewer(TDataModule1& dm, Prompter& prompter, const QString& className,
                   const QString& notesTitle, QWidget* parent);

    // The window's own controls go into `options` (under the list) and its charts into `charts`.
    QVBoxLayout* optionsLayout() const { return m_options; }
    QVBoxLayout* chartsLayout() const { return m_charts; }
    // A change of what is plotted: redraws with auto-refresh, else empties the charts.
    void changed();
    void setNotes(const QStringList& lines);

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateRefresh();
    void layOutColumns();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    bool m_ac = true;
    std::vector<ChartSchedule> m_schedules;
    QLabel* m_caption;
    QListWidget* m_list;
    QSpinBox* m_columns;
    QPushButton* m_refresh;
    QCheckBox* m_auto;
    QListWidget* m_notes;
    QVBoxLayout* m_options;
    QVBoxLayout* m_charts;
};

class TSutGrafF : public ScheduleViewer {
    Q_OBJECT
public:
    TSutGrafF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    void draw() override;
    void clearCharts() override;
    void writeReport(ReportWriter& w) override;

    QChartView* chartView() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void labelTimeAxis();

    QChartView* m_view;
    std::vector<ChartPoint> m_hours; // the stored hours along the time axis, one per place
};

class TSutDiagF : public ScheduleViewer {
    Q_OBJECT
public:
    TSutDiagF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    void draw() override;
    void clearCharts() override;
    void writeReport(ReportWriter& w) override;

    DiagramBoxes boxes() const;
    std::optional<int> monthChars() const;
    QCheckBox* parameterBox(int i) const { return m_boxes[i]; } // in diagramBoxCaptions order
    QCheckBox* limitBox() const { return m_limit; }
    QComboBox* charsBox() const { return m_chars; }
    QChartView* figuresView() const { return m_figures; }
    QChartView* darkView() const { return m_dark; }

private:
    QCheckBox* m_boxes[5];
    QCheckBox* m_limit;
    QLabel* m_charsLabel;
    QComboBox* m_chars;
    QChartView* m_figures;
    QChartView* m_dark;
};

// The chart drawn for a report at one size whatever the window's.
QImage chartPicture(QChartView* view);

} // namespace ses
