#pragma once
// "Выбор проводов (кабелей).": the conductors of the current variant's four circuits. The laying
// methods and lengths are edited in place (each written at once), each group has its
// minimum-section option, and "Выбор" chooses and stores every circuit's section, permissible
// current, drop and loss.

#include "storage/cables.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace ses {

class BoundGrid;
struct GridColumn;
class NumberField;
class Prompter;
class ReportWriter;
class TDataModule1;
class View;

class TKabelFrm : public QDialog {
public:
    TKabelFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TKabelFrm() override;

    // Filled from the current variant and shown modally.
    void run();
    // Filled from the current variant.
    void load();

    // "Выбор": runs the four circuits and stores their results; every message is told in the
    // order of the circuits. False when the store refused the results (nothing then changed).
    bool choose();

    // The options as the four groups show them.
    CableOptions options() const;

    void writeReport(ReportWriter& w) const;
    void exportReport();

    BoundGrid* arrayGrid() const { return m_arrays; }
    BoundGrid* controllerGrid() const { return m_controllers; }
    BoundGrid* inverterGrid() const { return m_inverters; }
    QCheckBox* minimumBox(int group) const { return m_minimum[group].box; }
    QComboBox* minimumList(int group) const { return m_minimum[group].list; }
    QComboBox* dcMethod() const { return m_dcMethod; }
    NumberField* dcLength() const { return m_dcLength; }
    QString fieldText(const QString& name) const { return m_fields.text(name); }

    static const QStringList& noteLines();

private:
    struct Minimum {
        QCheckBox* box = nullptr;
        QComboBox* list = nullptr;
    };
    QWidget* minimumRow(int group, const QString& caption, QWidget* parent);
    BoundGrid* grid(View& v, const std::vector<GridColumn>& columns, QWidget* parent);
    void gridEdited(BoundGrid* grid, int column);
    void storeDcInput(const QString& field, const QString& text);
    void showVariant();
    void keepOptions();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BoundGrid* m_arrays;
    BoundGrid* m_controllers;
    BoundGrid* m_inverters;
    QComboBox* m_dcMethod;
    NumberField* m_dcLength;
    ShownRows m_fields;
    Minimum m_minimum[4];
    bool m_writing = false;
    int m_variantListener = 0;
};

} // namespace ses
