#pragma once
// "Контроллеры заряда.": a charge controller for every panel array of the current variant. The
// source data (the array values follow the grid's current row), one row per array with its
// controller and the battery charge current it delivers, "Выбор..." for the current row and "ОК"
// storing the choice.

#include "solar/controller_ops.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QPushButton;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;
class TSelCtrlF;

class TControlF : public QDialog {
public:
    TControlF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Filled from the current variant and shown modally; true when the choice was stored.
    // A variant whose panel cannot be checked against controllers is refused with a message.
    bool run();
    // Filled from the current variant; false (with the message told) when it is refused.
    bool load();

    // "Выбор...": the choice window for the current row; true when a controller was written.
    bool choose();
    // "ОК": the check, the warning on cleared cables and the storing; true when stored.
    bool ok();
    void accept() override;

    void setCurrentRow(int row);
    int currentRow() const { return m_current; }

    void writeReport(ReportWriter& w) const;
    void exportReport();

    // How the choice window is run (modal by default); tests and the tour drive it instead.
    std::function<bool(TSelCtrlF&)> choiceRunner;
    TSelCtrlF& choiceWindow();

    static const std::vector<FormRow>& sourceRows();
    static const QStringList& columnTitles();
    static const QStringList& noteLines();

    const std::vector<ControllerArray>& rows() const { return m_source.rows; }
    StringGrid* grid() const { return m_grid; }
    QCheckBox* allArraysBox() const { return m_all; }
    QString fieldText(const QString& key) const { return m_fields.text(key); }

private:
    void showGrid();
    void showSource();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    ControllerSource m_source;
    std::vector<ControllerArray> m_stored; // the rows as stored, to tell what "ОК" changes
    int m_current = -1;
    bool m_filling = false;

    ShownRows m_fields;
    StringGrid* m_grid;
    QCheckBox* m_all;
    TSelCtrlF* m_choice = nullptr;
};

} // namespace ses
