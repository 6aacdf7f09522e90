#pragma once
// "Выбор солнечной батареи.": the panel maker and type of the current variant, its panel arrays
// (each formed in the array window), the totals, the remaining requirement with its suggested
// tilt and the charge currents; "ОК" stores the choice in the variant and its arrays. The
// selection itself is a SolarSelection; the window binds it and shows it.

#include "solar/solar_selection.h"
#include "widgets/form_rows.h"

#include <QDialog>
#include <QHash>

#include <functional>

class QCheckBox;
class QLabel;
class QComboBox;
class QPushButton;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;
class TMasSPFrm;
class TTablSPFm;
struct PanelTableHandOver;

class TSelSPFrm : public QDialog {
public:
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
    int currentArray() const { return m_sel.current(); }
    // "ОК": the checks, the warning on cleared choices and the storing; true when stored.
    bool ok();
    void accept() override; // "ОК" and Enter run ok()

    // "Экспорт...": the report of the window's current figures.
    void writeReport(ReportWriter& w) const;
    void exportReport();
    static const QStringList& noteLines();
    // The table's column titles and a row's texts, as the grid and the report show them.
    static const QStringList& columnTitles();
    static QStringList rowTexts(const ArrayRow& row);

    // How the array window is run (modal by default); tests fill and accept it instead.
    std::function<bool(TMasSPFrm&)> arrayWindowRunner;

    const std::vector<ArrayRow>& arrays() const { return m_sel.rows(); }
    const SolarSelection& selection() const { return m_sel; }
    // The array window's input for a new array (row < 0) or for editing the row.
    ArrayWindowInput arrayWindowInput(int row) const { return m_sel.arrayWindowInput(row); }
    QComboBox* companyBox() const { return m_company; }
    QComboBox* typeBox() const { return m_type; }
    StringGrid* grid() const { return m_grid; }
    QCheckBox* chargeCheck() const { return m_checkCharge; }
    QPushButton* button(const QString& key) const { return m_buttons.value(key); }
    // The figure shown beside a caption, by its short key.
    QString fieldText(const QString& key) const { return m_fields.text(key); }
    QString governingText() const;

    // "Выбор солнечной батареи из таблицы": the tabular choice with this window's type tracked;
    // the chosen candidate's maker and type are selected here and its arrays replace the table.
    void openTable();
    TTablSPFm& tableWindow();
    PanelTableHandOver tableHandOver() const;
    // The table window's current row taken over; false when there is none.
    bool takeTableChoice();

private:
    void companyChanged();
    void typeChanged();
    void tableChanged();
    void updateCommands();
    void showGrid();
    bool runArrayWindow(int row, ArrayRow& out);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    SolarSelection m_sel;
    std::vector<PanelCompany> m_companies;
    std::vector<CatalogPanel> m_types;
    bool m_filling = false;

    QComboBox* m_company;
    QComboBox* m_type;
    StringGrid* m_grid;
    QLabel* m_governs = nullptr; // the month that governs the required power, and its radiation
    QCheckBox* m_checkCharge;
    ShownRows m_fields;
    QHash<QString, QPushButton*> m_buttons;
    TTablSPFm* m_tableWindow = nullptr;
};

} // namespace ses
