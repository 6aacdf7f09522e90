#pragma once
// "Табличный выбор солнечной батареи.": for every panel model of the catalog in use a whole solar
// battery covering the required power at the chosen orientation and tilt, split into arrays of
// at most the chosen power, in one table that a filter narrows ("Фильтрация солнечной
// батареи."), with the array schemes of the row under the cursor. "ОК" hands the row back to the
// solar battery selection, which builds its array table from it.

#include "solar/panel_table_ops.h"
#include "widgets/filter_form.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace ses {

class CandidateModel;
class DrawingPane;
class NumberField;
class Prompter;
class StringGrid;
class TDataModule1;

// The panel filter: makers and the eight condition fields of the panel table.
class TSPFiltF : public FilterDialog {
public:
    TSPFiltF(Prompter& prompter, QWidget* parent = nullptr);
};

// What the selection window hands over before the table is shown.
struct PanelTableHandOver {
    QString company, tip; // tracked
    bool matchCharge = true;
    QString forecastMinimum, batteryMinimum, batteryMaximum; // as that window shows them
    double orientation = 180;
    double tilt = 35;
    double fixedPower = -1; // the first array's given power; -1 without one
};

class TTablSPFm : public QDialog {
public:
    TTablSPFm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    void prepare(const PanelTableHandOver& in);
    bool run(const PanelTableHandOver& in);

    // P_K for the orientation and tilt in their fields (nothing while one is not a number).
    void computeRequirement();
    // A refresh: the list built, written and filtered, the cursor placed, the schemes drawn;
    // nothing while Pm is not a positive number or the angles are not numbers.
    void refresh();
    void editFilter();
    void applyFilter();
    void switchFilterOff();
    void setTracking(bool on);

    std::optional<PanelCandidate> chosen() const;
    // What "ОК" hands back with the row.
    PanelHandBack handBack() const;
    bool matchCharge() const;
    const OrientedRequirement& requirement() const { return m_requirement; }
    const std::vector<PanelCandidate>& shown() const { return m_shown; }
    const std::vector<PanelCandidate>& candidates() const { return m_all; }
    int currentRow() const;
    void setCurrentRow(int row);

    TSPFiltF& filterDialog() const { return *m_filter; }
    NumberField* orientationField() const { return m_orientation; }
    NumberField* tiltField() const { return m_tilt; }
    QComboBox* powerBox() const { return m_power; }
    QLineEdit* nameField() const { return m_name; }
    QLabel* requirementLabel() const { return m_pkLabel; }
    QLabel* requirementField() const { return m_pk; }
    QCheckBox* matchBox() const { return m_match; }
    QCheckBox* trackBox() const { return m_track; }
    QCheckBox* autoBox() const { return m_auto; }
    QCheckBox* oneArrayBox() const { return m_oneArray; }
    QLabel* schemeCaption() const { return m_caption; }
    QPushButton* offButton() const { return m_off; }
    QPushButton* okButton() const { return m_ok; }
    StringGrid* summaryGrid() const { return m_summary; }
    QTableView* table() const { return m_table; }
    DrawingPane* schemePane() const { return m_scheme; }

private:
    std::optional<int> arrayPower() const;
    void committed(); // a value was committed: with "Автообновление таблицы", a refresh
    void showRows();
    void redrawScheme();
    QStringList distinctValues(int field) const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    PanelTableSource m_source;
    PanelTableHandOver m_in;
    OrientedRequirement m_requirement;
    std::vector<PanelCandidate> m_all;
    std::vector<PanelCandidate> m_shown;
    std::optional<RowFilter> m_rowFilter;
    bool m_building = false;
    bool m_preparing = false;

    ShownRows m_fields;
    NumberField* m_orientation;
    NumberField* m_tilt;
    QLabel* m_pkLabel;
    QLabel* m_pk;
    QLineEdit* m_name;
    QComboBox* m_power;
    QCheckBox* m_match;
    CandidateModel* m_model;
    QTableView* m_table;
    StringGrid* m_summary;
    QPushButton* m_off;
    DrawingPane* m_scheme;
    QLabel* m_caption;
    QCheckBox* m_oneArray;
    QCheckBox* m_track;
    QCheckBox* m_auto;
    QPushButton* m_ok;
    QTimer* m_typing;
    TSPFiltF* m_filter;
};

} // namespace ses
