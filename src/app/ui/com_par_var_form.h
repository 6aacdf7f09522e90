#pragma once
// "Сравнение параметров вариантов.": the settings of the ticked variants of the current project
// side by side, with their monthly battery temperatures and sunrise and sunset hours. Every
// variant is read by its key, so the main window's current variant never moves; nothing is
// written.

#include "app/param_comparison.h"
#include "data/data_module.h"

#include <QDialog>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace ses {

class GroupHeader;
class ReportWriter;
class StringGrid;

class TComParVarF : public QDialog {
public:
    TComParVarF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    int run();
    // Lists the project's variants, all ticked, and builds the three tables.
    void prepare();
    // "Обновить": the tables of the ticked variants.
    void refresh();

    QListWidget* variants() const { return m_list; }
    StringGrid* params() const { return m_params; }
    StringGrid* temperature() const { return m_temperature; }
    StringGrid* sun() const { return m_sun; }
    GroupHeader* strip() const { return m_strip; }
    QCheckBox* fixFirst() const { return m_fixFirst; }
    QCheckBox* moveColumns() const { return m_moveColumns; }
    QCheckBox* moveRows() const { return m_moveRows; }
    QPushButton* exportButton() const { return m_export; }
    const ParamComparison& comparison() const { return m_comparison; }

    void writeReport(ReportWriter& w) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void paintParams();
    void format();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    QListWidget* m_list;
    StringGrid* m_params;
    StringGrid* m_temperature;
    StringGrid* m_sun;
    GroupHeader* m_strip;
    QCheckBox* m_fixFirst;
    QCheckBox* m_moveColumns;
    QCheckBox* m_moveRows;
    QPushButton* m_export;
    std::vector<qint64> m_keys; // the list's items, by key
    ParamComparison m_comparison;
};

} // namespace ses
