#pragma once
// "Выбор аккумуляторной батареи.": a battery model from the catalog, the assembly the program
// makes of it for the variant (grown by the load currents and, with the check box, by the
// controllers' charge current), how it discharges through the dark hours of a month, and its
// connection scheme. The variant changes only when the main window stores the choice after "ОК".

#include "reports/drawing.h"
#include "storage/battery_ops.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <functional>

class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace ses {

class DrawingPane;
class Prompter;
class ReportWriter;
class StringGrid;
class TCmpAKB_SPFm;
class TTablAKBF;
class TDataModule1;

class TAKBForm : public QDialog {
public:
    TAKBForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Filled from the current variant and shown modally; true after "ОК" (choice() is then what
    // to store).
    bool run();
    // Fills the window from the current variant, the stored battery preselected.
    void load();

    // The maker, type and model selected by their texts; false when one is not in its list.
    bool select(const QString& company, const QString& tip, const QString& name);
    void setMatchCharge(bool on);
    void selectMonth(int row);
    void rebuildDischarge();
    void redrawScheme();

    // "ОК": refused with a message unless the shown assembly may be stored.
    bool ok();
    void accept() override;
    BatteryChoice choice() const;

    void writeReport(ReportWriter& w) const;
    void exportReport();

    // How the justification window is run (modal by default); tests and the tour drive it.
    std::function<void(TCmpAKB_SPFm&)> justificationRunner;
    TCmpAKB_SPFm& justificationWindow();
    // "Таблица...": the tabular choice with this window's selection tracked; its "ОК" selects
    // the chosen row here and takes over its check box.
    void openTable();
    TTablAKBF& tableWindow();
    void prepareTable();
    void takeTableChoice();

    static const std::vector<FormRow>& sourceRows();
    static const std::vector<FormRow>& batteryRows();

    const AssemblyResult& result() const { return m_result; }
    const DischargeTable& discharge() const { return m_discharge; }
    QString fieldText(const QString& name) const;
    QComboBox* makerBox() const { return m_maker; }
    QComboBox* typeBox() const { return m_type; }
    QComboBox* modelBox() const { return m_model; }
    QCheckBox* matchBox() const { return m_match; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* tableButton() const { return m_tableButton; }
    QTabWidget* tabs() const { return m_tabs; }
    QListWidget* months() const { return m_months; }
    StringGrid* dischargeGrid() const { return m_table; }
    StringGrid* loadGrid() const { return m_loads; }
    DrawingPane* schemePane() const { return m_scheme; }
    QCheckBox* dischargeAuto() const { return m_dischargeAuto; }
    QCheckBox* schemeAuto() const { return m_schemeAuto; }
    QLabel* messageLine() const { return m_message; }

private:
    QWidget* buildDischargeTab();
    QWidget* buildSchemeTab();
    void fillTypes();
    void fillModels();
    void showModel();
    void clearFigures();
    void clearDischarge();
    void updateStates();
    const BatteryModel* currentModel() const;
    bool schemeDrawable() const;
    Drawing assemblyDrawing(int scale) const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BatterySource m_source;
    CapacityInputs m_dischargeSource;
    std::vector<int> m_monthNumbers;
    std::vector<BatteryMaker> m_makers;
    std::vector<BatteryType> m_types;
    std::vector<BatteryModel> m_models;
    AssemblyResult m_result;
    bool m_shown = false; // the assembly's figures are in the fields
    DischargeTable m_discharge;
    QString m_remembered[3];
    bool m_filling = false;

    ShownRows m_sourceFields;
    ShownRows m_fields;
    QLabel* m_recommended;
    QCheckBox* m_match;
    QComboBox* m_maker;
    QComboBox* m_type;
    QComboBox* m_model;
    QLabel* m_message;
    QTabWidget* m_tabs;
    QListWidget* m_months;
    StringGrid* m_loads;
    ShownRows m_dischargeFields;
    QLabel* m_dischargeError;
    StringGrid* m_table;
    QChartView* m_chart;
    QCheckBox* m_dischargeAuto;
    QPushButton* m_dischargeUpdate;
    DrawingPane* m_scheme;
    QCheckBox* m_schemeAuto;
    QPushButton* m_schemeUpdate;
    QPushButton* m_ok;
    QPushButton* m_tableButton;
    TCmpAKB_SPFm* m_justification = nullptr;
    TTablAKBF* m_tableWindow = nullptr;
};

} // namespace ses
