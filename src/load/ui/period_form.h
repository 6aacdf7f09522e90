#pragma once
// "Периодичность времени работы электроприемника.": splits a consumer's working period into
// regular switch-ons from its daily energy or its daily operating time. The split table is
// emptied by every change of an input (and on showing), and "ОК" is offered only while it holds
// the periods of the inputs on screen.

#include "load/consumers.h"

#include <QDialog>

#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ses {

class NumberField;
class Prompter;
class StepButtons;
class StringGrid;

class TPeriodFm : public QDialog {
    Q_OBJECT
public:
    TPeriodFm(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the dialog for the consumer with an empty table; on "ОК" the periods (T1, T2) of
    // the split.
    std::optional<std::vector<std::pair<double, double>>> run(const QString& consumerName,
                                                              double pnom);
    // The filling of run() without showing the dialog.
    void prepare(const QString& consumerName, double pnom);
    // A well pump split into four switch-ons, for the screen tour.
    void loadForTour();

    // "Разбивка": the checks, then the periods; a refusal is told, its field gets the focus and
    // the table stays empty.
    bool split();
    PeriodInputs inputs() const;
    const std::vector<std::pair<double, double>>& periods() const { return m_periods; }

    QRadioButton* energyBasis() const { return m_energyBasis; }
    QRadioButton* timeBasis() const { return m_timeBasis; }
    NumberField* energyField() const { return m_energy; }
    NumberField* timeField() const { return m_time; }
    NumberField* beginField() const { return m_begin; }
    NumberField* endField() const { return m_end; }
    NumberField* stepField() const { return m_step; }
    StringGrid* periodGrid() const { return m_grid; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    void clearPeriods();
    void basisChanged();
    NumberField* fieldOf(PeriodField f) const;

    Prompter& m_prompter;
    double m_pnom = 0;
    std::vector<std::pair<double, double>> m_periods;

    QLineEdit* m_consumer;
    QLineEdit* m_pnomText;
    QRadioButton* m_energyBasis;
    QRadioButton* m_timeBasis;
    NumberField* m_energy;
    NumberField* m_time;
    std::vector<StepButtons*> m_energySteps;
    std::vector<StepButtons*> m_timeSteps;
    QComboBox* m_beginBox;
    QComboBox* m_endBox;
    QComboBox* m_stepBox;
    NumberField* m_begin;
    NumberField* m_end;
    NumberField* m_step;
    StringGrid* m_grid;
    QPushButton* m_ok;
};

} // namespace ses
