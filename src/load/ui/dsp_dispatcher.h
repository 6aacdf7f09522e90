#pragma once
// What the two load dispatchers share: the variant's general schedule parameters, the list of
// schedules with its six commands, the current schedule's figures and monthly rows "без солнца",
// and "Закрыть" with its checks. The AC dispatcher adds the list of AC loads; its schedules are
// those of the current load. A schedule is added, edited and copied through the dialog of the
// variant's load-entry mode (ParamNagr: 0 by parameters, 1 by intervals, 2 by consumers).

#include "load/dispatch_ops.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ses {

class BoundGrid;
class Navigator;
class Prompter;
class TAddSutGrF;
class TCreateSGF;
class TDataModule1;
class TNagrForm;

class LoadDispatcher : public QDialog {
    Q_OBJECT
public:
    ~LoadDispatcher() override;

    // Runs a schedule dialog over the draft: true when the user confirmed it, the draft then
    // holding what the dialog hands over. The others are the owner's other schedules.
    using ScheduleDialog = std::function<bool(ScheduleDraft& draft, const ScheduleInputs& in,
                                              const std::vector<OtherSchedule>& others)>;
    // Each mode has its dialog from the start (TNagrForm, TAddSutGrF, TCreateSGF or
    // TCreateSG12F); tests put scripted ones in their place.
    void setScheduleDialog(int mode, ScheduleDialog dialog);
    void setConsumerDialog(ScheduleDialog dialog) { setScheduleDialog(2, std::move(dialog)); }

    // The schedule charts and the diagrams of the figures, opened with the load's caption and
    // the voltage tag ("220" / "12"). Their buttons stay disabled while no viewer is set.
    enum class ChartKind { Schedules, Diagrams };
    using ChartViewer =
        std::function<void(ChartKind kind, const QString& caption, const QString& voltageTag)>;
    void setChartViewer(ChartViewer viewer);

    // Shows the dispatcher modally until its close checks pass.
    void run();
    // The first load with schedules and its first schedule, for the screen tour.
    void prepareForTour();

    enum Command { Add, Edit, Delete, Copy, Charts, Diagrams, CommandCount };
    // The commands, as their buttons run them.
    void addSchedule();
    void editSchedule();
    void deleteSchedule();
    void copySchedule();
    void showCharts(ChartKind kind);
    // "Закрыть": false, with the dispatcher left open, when a check refused.
    bool tryClose();
    void reject() override; // Esc and the title bar's close run the checks of "Закрыть"

    // The labels, the variant's general parameters and the button states, as on activation.
    void refreshState();

    QPushButton* commandButton(Command c) const { return m_commands[c]; }
    BoundGrid* schedulesGrid() const { return m_schedulesGrid; }
    BoundGrid* monthlyGrid() const { return m_monthlyGrid; }
    BoundGrid* loadsGrid() const { return m_loadsGrid; }         // AC only
    Navigator* loadsNavigator() const { return m_loadsNav; }     // AC only
    QLineEdit* figureField(int i) const { return m_figures[i]; } // Wp_sut, Pnom, Pmax, Wp_pik
    QLabel* figureLabel(int i) const { return m_figureLabels[i]; }
    QCheckBox* pureSineBox() const { return m_sine; } // AC only
    QLineEdit* kField() const { return m_k; }

protected:
    LoadDispatcher(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Whether the last close changed the variant's DC figures (DC only).
    bool m_dcChanged = false;

private:
    QGroupBox* buildHeader();
    QGroupBox* buildLoads();
    QGroupBox* buildSchedules();
    QGroupBox* buildFigures();
    void installLoadNameRule();

    View& schedules() const;
    int loadMode() const;
    ScheduleDialog dialogFor(int mode);
    // Saves a load row the user is typing; false when its rules refused it.
    bool settleLoads();
    void afterCommand();
    void updateButtons();
    void updateFigures();
    QString chartCaption() const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    const bool m_ac;
    ScheduleDialog m_dialogs[3];
    ChartViewer m_viewer;
    TNagrForm* m_nagrForm = nullptr;
    TAddSutGrF* m_addSutGrF = nullptr;
    TCreateSGF* m_createSGF = nullptr;
    struct NameRule;
    std::shared_ptr<NameRule> m_nameRule;
    std::vector<std::pair<View*, int>> m_listeners;

    QLineEdit* m_region;
    QCheckBox* m_dailyCycle;
    QLabel* m_kLabel;
    QLineEdit* m_k;
    QLineEdit* m_from;
    QLineEdit* m_to;
    BoundGrid* m_loadsGrid = nullptr;
    Navigator* m_loadsNav = nullptr;
    BoundGrid* m_schedulesGrid;
    QPushButton* m_commands[CommandCount];
    QLineEdit* m_figures[4];
    QLabel* m_figureLabels[4];
    QCheckBox* m_sine = nullptr;
    BoundGrid* m_monthlyGrid;
};

} // namespace ses
