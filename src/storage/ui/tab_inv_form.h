#pragma once
// "Табличный выбор инвертора.": every maker's catalog inverters that meet the load's
// requirement, in one table; "ОК" hands the row under the cursor back to the selection.

#include "storage/inverter_ops.h"

#include <QDialog>

#include <optional>

class QPushButton;

namespace ses {

class InverterInputsBox;
class StringGrid;
class TDataModule1;

class TTabInvFm : public QDialog {
    Q_OBJECT
public:
    TTabInvFm(TDataModule1& dm, QWidget* parent = nullptr);

    // Runs the candidate query for the load and puts the cursor on the row of the maker and
    // type when the table has it, else on the first row.
    void prepare(const InverterVariant& variant, const InverterLoad& load,
                 const LoadWindows& windows, const QString& company, const QString& type);
    // The current variant's first AC load, for the screen tour.
    void loadForTour();

    // The candidate under the cursor; nullopt for an empty table.
    std::optional<CatalogInverter> chosen() const;
    const std::vector<CatalogInverter>& candidates() const { return m_rows; }

    StringGrid* grid() const { return m_grid; }
    QPushButton* okButton() const { return m_ok; }
    InverterInputsBox* inputs() const { return m_inputs; }

private:
    TDataModule1& m_dm;
    std::vector<CatalogInverter> m_rows;
    InverterInputsBox* m_inputs;
    StringGrid* m_grid;
    QPushButton* m_ok;
};

} // namespace ses
