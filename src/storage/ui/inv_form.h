#pragma once
// "Инверторы.": the inverter of every AC load of the current variant. The grid holds the
// working copy of the choices; the tables change only on "ОК", for every load in one
// transaction.

#include "storage/inverter_ops.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ses {

class Prompter;
class ReportWriter;
class StringGrid;
class TDataModule1;
class TSelInvFm;

class TInvForm : public QDialog {
    Q_OBJECT
public:
    TInvForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Fills the window from the current variant and shows it modally: true when a choice was
    // confirmed and stored (the caller then runs the recalculation chain).
    bool run();
    // Fills the window from the current variant (run does this first).
    void load();
    void loadForTour() { load(); }

    // "Выбор...": the selection dialog for the grid's current row; its "ОК" copies the choice
    // into the row.
    void chooseRow();
    // Puts a choice into a grid row (0-based load row).
    void applyChoice(int row, const InverterChoice& choice);
    // "ОК": every load must have its inverter; the choice is then stored. A refusal keeps the
    // window open with nothing written.
    void accept() override;
    void writeReport(ReportWriter& w) const;
    void exportReport();

    const std::vector<InverterChoice>& choices() const { return m_choices; }
    StringGrid* grid() const { return m_grid; }
    QPushButton* chooseButton() const { return m_choose; }
    QLineEdit* usesField() const { return m_uses; }
    QLineEdit* uvuhField() const { return m_uvuh; }
    TSelInvFm& selectionDialog();

private:
    void showRow(int row);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    InverterVariant m_variant;
    LoadWindows m_windows;
    std::vector<InverterLoad> m_loads;
    std::vector<InverterChoice> m_choices;
    QLineEdit* m_uses;
    QLineEdit* m_uvuh;
    StringGrid* m_grid;
    QPushButton* m_choose;
    TSelInvFm* m_selection = nullptr;
};

} // namespace ses
