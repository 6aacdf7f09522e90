#pragma once
// "Параметры программы.": the six program settings of the param table. On "ОК" the entries are
// checked, the row is saved (created by the first save) and, when the computed tilts now
// belong to another day, every region's month tilts are recomputed.

#include "app/settings.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;

namespace ses {

class NumberField;
class Prompter;
class TDataModule1;

class TParamFrm : public QDialog {
public:
    TParamFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Fills the dialog from the settings row and shows it modally; true when "ОК" saved it.
    bool run();
    // Fills the controls from the settings row (defaults for null columns).
    void load();
    // The settings as the controls show them; the two load windows as typed (0 when not a
    // whole number: they are checked on "ОК").
    ProgramSettings values() const;
    void setValues(const ProgramSettings& s);

    void accept() override; // checks, saves, recomputes the tilts when needed

private:
    void updateDayEnabled();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    ProgramSettings m_loaded;
    NumberField* m_pnom;
    NumberField* m_pmax;
    QButtonGroup* m_kproiz;
    QButtonGroup* m_scoreIsp;
    QButtonGroup* m_tiltMode;
    QLabel* m_dayLabel;
    QComboBox* m_day;
};

} // namespace ses
