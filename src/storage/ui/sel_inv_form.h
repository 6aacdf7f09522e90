#pragma once
// "Выбор инвертора.": the inverter of one AC load, chosen by maker and type among the catalog
// inverters that meet the load's requirement, or from the table of every maker's candidates.

#include "storage/inverter_ops.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ses {

class InverterInputsBox;
class Prompter;
class ReportWriter;
class TDataModule1;
class TTabInvFm;

class TSelInvFm : public QDialog {
    Q_OBJECT
public:
    TSelInvFm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Fills the dialog for a load: the captions, the makers in use, the remembered maker and
    // type when they are offered (else the first of each), and the type's data.
    void prepare(const InverterVariant& variant, const InverterLoad& load,
                 const LoadWindows& windows, const QString& company, const QString& type);
    // The current variant's first AC load with its stored choice, for the screen tour.
    void loadForTour();

    // The shown type; nullopt while none is shown.
    std::optional<InverterChoice> choice() const;

    // Another maker chosen: its type list, the first type selected and shown.
    void selectMaker(int index);
    // Another type chosen: its data shown.
    void selectType(int index);
    // "Таблица...": the tabular choice; on its "ОК" its row is selected here.
    void showTable();
    // Selects the maker and the type the tabular choice handed over.
    void applyTableChoice(const QString& company, const QString& type);
    // Refuses an inverter whose catalog efficiency cannot be used, with a message.
    void accept() override;
    void writeReport(ReportWriter& w) const;
    void exportReport();

    QComboBox* makerBox() const { return m_maker; }
    QComboBox* typeBox() const { return m_type; }
    QPushButton* okButton() const { return m_ok; }
    QLineEdit* dataField(int i) const { return m_data[i]; } // Pnom Pmax Ppik Uvh Uvuh Kpd Forma
    QLabel* userKpdNote() const { return m_userKpdNote; }
    InverterInputsBox* inputs() const { return m_inputs; }
    TTabInvFm& tableDialog();

private:
    void fillTypes();
    void showType();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    InverterVariant m_variant;
    InverterLoad m_load;
    LoadWindows m_windows;
    InverterRequirement m_req;
    std::vector<CatalogMaker> m_catalog;
    std::vector<CatalogInverter> m_types; // the type list of the selected maker
    InverterInputsBox* m_inputs;
    QComboBox* m_maker;
    QComboBox* m_type;
    std::vector<QLabel*> m_dataLabels;
    std::vector<QLineEdit*> m_data;
    QLabel* m_userKpdNote;
    QPushButton* m_ok;
    TTabInvFm* m_table = nullptr;
};

} // namespace ses
