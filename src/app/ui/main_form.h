#pragma once
// The main window: the variant list, the read-only tab pages of the current variant, the scheme
// pane, and the commands of every menu with their enabling rules.

#include "app/commands.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "load/ui/dsp_dispatcher.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QTabWidget;

namespace ses {

class BoundGrid;
class NumberField;
class TProjForm;
class TOpenForm;
class TAboutForm;
class TParamFrm;
class TsTempABF;
class TCatalogForm;
class TsEPForm;
class TsSutForm;
class TsSutEPF;
class TVarForm;
class TDspNagrF;
class TDspNagr12F;
class TSutGrafF;
class TSutDiagF;
class TInvForm;
class TAnalInvF;
class TNagrDopF;
class TAnalAkbF;
class TAKBForm;
class TViewAKBF;
class TKabelFrm;
class TProtForm;
class TSprKForm;
class TKproizFm;
class TsSunDayF;
class TSelSPFrm;
class TControlF;
class TShemaFrm;
class TVurabFrm;
class TAnalSBFm;
class TViewSPF;
class TTestVarF;
class TComShemF;
class TSpecForm;
class TComSpecF;
class TComParVarF;
class SchemeView;

class TMainForm : public QMainWindow {
public:
    TMainForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TMainForm() override;

    Shell& shell() { return m_shell; }
    // The commands that work in this build; the others are added with their windows.
    static bool commandAvailable(Command c);
    QAction* action(Command c) const;
    QTabWidget* tabs() const { return m_tabs; }
    QTabWidget* protectionTabs() const { return m_protectionTabs; }

    // Caption, scheme and command states, as on every activation.
    void refreshAll();
    void updateCommands();
    void redrawScheme();
    void showReasons();
    void run(Command c);
    // A command that changes the loads, the inverters or the parameters, followed by the
    // recalculation chain, in one transaction.
    void recalculateAfter(ChainTrigger trigger, const std::function<bool()>& command);

    // The windows it opens, created on first use and reused.
    TProjForm& projForm();
    TOpenForm& openForm();
    TAboutForm& aboutForm();
    TParamFrm& paramForm();
    TsTempABF& tempABForm();
    // The catalog editor of that class (TsInvForm ...), created on first use.
    TCatalogForm& catalogForm(const QString& className);
    // The AC (TsEPForm) or DC (TsEP12Frm) consumer catalog, created on first use.
    TsEPForm& consumerCatalog(bool ac);
    TsSutForm& scheduleBook();
    // The AC (TsSutEPF) or DC (TsSutEP12F) consumer-detailed schedule book.
    TsSutEPF& consumerScheduleBook(bool ac);
    TVarForm& varForm();
    TDspNagrF& acDispatcher();
    TDspNagr12F& dcDispatcher();
    TSutGrafF& scheduleCharts();
    TSutDiagF& parameterDiagrams();
    TInvForm& inverterForm();
    TAnalInvF& inverterAnalysis();
    TNagrDopF& monthlyTotals();
    TAnalAkbF& batteryAnalysis();
    TAKBForm& batteryForm();
    TViewAKBF& batterySchemeView();
    TKabelFrm& cableForm();
    // The breakers' (false) or the fuses' (true) window.
    TProtForm& protectionForm(bool fuses);
    // "Выбор аккумуляторной батареи...": the window, then its choice stored with what follows.
    void chooseBattery();
    TSprKForm& lossForm();
    TKproizFm& coefficientsForm();
    TsSunDayF& daylightForm();
    TSelSPFrm& solarBatteryForm();
    TControlF& controllerForm();
    TShemaFrm& schemeForm();
    TComShemF& schemeComparison();
    TSpecForm& specForm();
    TComSpecF& specComparison();
    TComParVarF& paramComparison();
    TVurabFrm& generationForm();
    TAnalSBFm& solarAnalysisForm();
    TViewSPF& solarSchemeView();
    TTestVarF& variantTest();
    SchemeView* schemePane() const { return m_scheme; }
    NumberField* panelScaleField() const { return m_scaleSP; }
    NumberField* batteryScaleField() const { return m_scaleAKB; }
    QCheckBox* currentsBox() const { return m_currents; }

protected:
    void changeEvent(QEvent* e) override;

private:
    class Progress;
    void buildMenus();
    void buildCentre();
    QWidget* buildSchemePanel();
    void onVariantChanged();
    void setCaption();
    qint64 currentVariantKey();
    // What the dispatchers' "Графики..." and "Диаграммы..." open.
    void showCharts(LoadDispatcher::ChartKind kind, const QString& caption,
                    const QString& voltageTag);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    Shell m_shell;
    std::map<Command, QAction*> m_actions;
    std::map<Menu, QMenu*> m_menus;
    QTabWidget* m_tabs = nullptr;
    QTabWidget* m_protectionTabs = nullptr;
    BoundGrid* m_variantList = nullptr;
    SchemeView* m_scheme = nullptr;
    // Under the figures of the " СБ" and " АБ" tabs: why the required power is what it is, and
    // in the shortfall colour when the chosen panels or battery fall short of the requirement.
    QLabel* m_sbWhy = nullptr;
    QLabel* m_sbShort = nullptr;
    QLabel* m_akbShort = nullptr;
    NumberField* m_scaleSP = nullptr;
    NumberField* m_scaleAKB = nullptr;
    QCheckBox* m_currents = nullptr;
    QCheckBox* m_autoUpdate = nullptr;
    QProgressBar* m_progressBar = nullptr;
    std::unique_ptr<Progress> m_progress;
    TProjForm* m_projForm = nullptr;
    TOpenForm* m_openForm = nullptr;
    TAboutForm* m_aboutForm = nullptr;
    TParamFrm* m_paramForm = nullptr;
    TsTempABF* m_tempABForm = nullptr;
    std::map<QString, TCatalogForm*> m_catalogForms;
    TsEPForm* m_acConsumers = nullptr;
    TsSutForm* m_scheduleBook = nullptr;
    TsSutEPF* m_acScheduleBook = nullptr;
    TsSutEPF* m_dcScheduleBook = nullptr;
    TsEPForm* m_dcConsumers = nullptr;
    TVarForm* m_varForm = nullptr;
    TDspNagrF* m_acDispatcher = nullptr;
    TDspNagr12F* m_dcDispatcher = nullptr;
    TSutGrafF* m_scheduleCharts = nullptr;
    TSutDiagF* m_parameterDiagrams = nullptr;
    TInvForm* m_inverterForm = nullptr;
    TAnalInvF* m_inverterAnalysis = nullptr;
    TNagrDopF* m_monthlyTotals = nullptr;
    TAnalAkbF* m_batteryAnalysis = nullptr;
    TAKBForm* m_batteryForm = nullptr;
    TViewAKBF* m_batterySchemeView = nullptr;
    TKabelFrm* m_cableForm = nullptr;
    TProtForm* m_protectionForms[2] = {nullptr, nullptr};
    TSprKForm* m_lossForm = nullptr;
    TKproizFm* m_coefficientsForm = nullptr;
    TsSunDayF* m_daylightForm = nullptr;
    TSelSPFrm* m_solarBatteryForm = nullptr;
    TControlF* m_controllerForm = nullptr;
    TShemaFrm* m_schemeForm = nullptr;
    TComShemF* m_schemeComparison = nullptr;
    TSpecForm* m_specForm = nullptr;
    TComSpecF* m_specComparison = nullptr;
    TComParVarF* m_paramComparison = nullptr;
    TVurabFrm* m_generationForm = nullptr;
    TAnalSBFm* m_solarAnalysisForm = nullptr;
    TViewSPF* m_solarSchemeView = nullptr;
    TTestVarF* m_variantTest = nullptr;
    int m_variantListener = 0;
    int m_projectListener = 0;
};

} // namespace ses
