#pragma once
// "Выбор солнечной батареи.": the panel maker and type of the current variant, its panel arrays
// (each formed in the array window), the totals, the remaining requirement with its suggested
// tilt and the charge currents; "ОК" stores the choice in the variant and its arrays.

#include "solar/solar_selection.h"

#include <QDialog>
#include <QHash>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;
class TMasSPFrm;

class TSelSPFrm : public QDialog {
public:
    static constexpr int kHelpTopic = 50;

    TSelSPFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Filled from the current variant and shown modally; true when the choice was stored.
    bool run();
    // Filled from the current variant, first array current, nothing shown.
    void loadForTour();
    // Reads the current variant again (the window's activation).
    void load();

    // Array commands on the current row (0-based); each returns true when the table changed.
    bool addArray();
    bool insertArray();
    bool editArray();
    bool deleteArray();
    bool moveUp();
    bool moveDown();
    void setCurrentArray(int row);
    int currentArray() const { return m_current; }
    // "ОК": the checks, the warning on cleared choices and the storing; true when stored.
    bool ok();

    // "Экспорт...": the report of the window's current figures.
    void writeReport(ReportWriter& w) const;
    void exportReport();
    static const QStringList& noteLines();

    // How the array window is run (modal by default); tests fill and accept it instead.
    std::function<bool(TMasSPFrm&)> arrayWindowRunner;

    const std::vector<ArrayCells>& arrays() const { return m_sel.rows(); }
    const SolarSelection& selection() const { return m_sel; }
    // The array window's input for a new array (row < 0) or for editing the row.
    ArrayWindowInput arrayWindowInput(int row) const;
    QComboBox* companyBox() const { return m_company; }
    QComboBox* typeBox() const { return m_type; }
    StringGrid* grid() const { return m_grid; }
    QCheckBox* chargeCheck() const { return m_checkCharge; }
    QPushButton* button(const QString& key) const { return m_buttons.value(key); }
    // The figure shown beside a caption, by its short key.
    QString fieldText(const QString& key) const;

private:
    void companyChanged();
    void typeChanged();
    void tableChanged();
    void updateCommands();
    void showGrid();
    const CatalogPanel* currentType() const;
    bool runArrayWindow(int row, bool editing, ArrayCells& out);
    void setField(const QString& key, const QString& text);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    SolarSelection m_sel;
    std::vector<PanelCompany> m_companies;
    std::vector<CatalogPanel> m_types;
    int m_current = -1;
    QString m_lastType;
    bool m_filling = false;

    QComboBox* m_company;
    QComboBox* m_type;
    StringGrid* m_grid;
    QCheckBox* m_checkCharge;
    QHash<QString, QLabel*> m_fields;
    QHash<QString, QPushButton*> m_buttons;
};

} // namespace ses
