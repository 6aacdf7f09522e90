#pragma once
// "Параметры варианта расчета.": the variant dialog in its two layouts, the variant (adding or
// editing the current variant) and the default variant ("... по умолчанию."). The parameters,
// their checks and the saves live in variant_params / variant_ops; the dialog lays them out,
// keeps the dependent controls enabled as the rules say and puts the focus where a check fails.

#include "app/variant_params.h"
#include "lib/prompter.h"
#include "refbooks/temp_ab_form.h"

#include <QDialog>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QGridLayout;

namespace ses {

class NumberField;
class ReportWriter;
class StepButtons;
class StringGrid;
class TDataModule1;

class TVarForm : public QDialog {
public:
    enum class Layout { Variant, Default };
    using RoomChooser = std::function<std::optional<RoomChoice>(const QString& currentRoom)>;

    TVarForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // The whole operations: fill, show, and on "ОК" save in one transaction. True when saved.
    bool runAdd();
    bool runEdit();
    bool runDefault();
    // Fills the dialog as for editing the current variant (as for adding while there is none) or
    // as the default-variant dialog, without showing it.
    void loadForTour(Layout layout);

    // "Выбор..." of the battery room; by default the room catalog's choosing window.
    void setRoomChooser(RoomChooser chooser) { m_roomChooser = std::move(chooser); }

    Layout layoutKind() const { return m_layout; }
    QTabWidget* tabs() const { return m_tabs; }
    VariantParams values() const;
    void setValues(const VariantParams& p);
    // "Экспорт...": the report of the dialog's current values, closing it left to the caller.
    void writeReport(ReportWriter& w) const;

    // The controls, for the tests: a parameter's widget by its column, its step buttons, the
    // grids (day-light: Месяц, Начало, Окончание; temperature: Месяц, Т) and the buttons.
    QWidget* control(const QString& column) const;
    const std::vector<StepButtons*>& stepButtons(const QString& column) const;
    QLineEdit* nameField() const { return m_name; }
    StringGrid* dayLightGrid() const { return m_dayGrid; }
    StringGrid* temperatureGrid() const { return m_tempGrid; }
    QPushButton* defaultsButton() const { return m_defaults; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* chooseRoomButton() const { return m_chooseRoom; }
    QPushButton* dayLightDefaultsButton() const { return m_dayDefaults; }

    // "ОК": the checks in their order; the first failure is shown, focused and keeps the dialog
    // open. Then the save of the running operation (none while only loaded).
    void accept() override;
    // The checks alone, a cell being typed into included: true when they pass (the DC voltage
    // notice is shown then).
    bool checkValues();

private:
    struct Control {
        const ParamDef* def = nullptr;
        QWidget* widget = nullptr;
        std::vector<QWidget*> companions; // caption and step buttons, enabled with the control
        std::vector<StepButtons*> steps;
    };

    void build();
    QWidget* buildLoadTab();
    QWidget* buildInverterTab();
    QWidget* buildPanelTab();
    QWidget* buildControllerTab();
    QWidget* buildBatteryTab();
    QWidget* buildCableTab();
    QWidget* buildProtectionTab();
    QWidget* buildProtectionPage(const QString& prefix, bool fuses);

    // Control makers: each registers the control under its column.
    NumberField* numberField(const QString& column, QLabel* caption = nullptr);
    QWidget* stepsOf(const QString& column);
    // The number field of a column with its step buttons, as one cell of a layout.
    QWidget* fieldWithSteps(const QString& column, QLabel* caption = nullptr);
    QCheckBox* checkBox(const QString& column, const QString& text);
    QComboBox* list(const QString& column, QLabel* caption = nullptr);
    // A row of caption, control and step buttons in a grid layout.
    void numberRow(QGridLayout* g, int row, const QString& column, const QString& caption);
    void listRow(QGridLayout* g, int row, const QString& column, const QString& caption);
    QLabel* note(const QString& text);

    void setLayoutKind(Layout layout);
    void fill(const VariantParams& p);
    VariantParams paramsForAdding();
    void fillRegions();
    void rebuildUmppt(const QString& select);
    void applyEnablings();
    void loadDefaults();
    void loadDayLightDefaults();
    void chooseRoom();
    void exportReport();
    void commitGridEdits();
    void focusError(const ParamError& e);
    void reveal(QWidget* w);
    CheckContext checkContext() const;
    bool runLayout(Layout layout, const VariantParams& p,
                   std::function<bool(const VariantParams&)> save);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    Layout m_layout = Layout::Variant;
    RoomChooser m_roomChooser;
    TsTempABF* m_roomForm = nullptr;
    std::function<bool(const VariantParams&)> m_save;
    bool m_editing = false; // the running operation edits the current variant
    std::map<QString, Control> m_controls;
    QTabWidget* m_tabs = nullptr;
    QTabWidget* m_protectionTabs = nullptr;
    QLabel* m_nameCaption = nullptr;
    QLineEdit* m_name = nullptr;
    QButtonGroup* m_paramNagr = nullptr;
    StringGrid* m_dayGrid = nullptr;
    StringGrid* m_tempGrid = nullptr;
    QPushButton* m_defaults = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_chooseRoom = nullptr;
    QPushButton* m_dayDefaults = nullptr;
};

} // namespace ses
