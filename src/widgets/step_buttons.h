#pragma once
// A pair of small buttons beside a number field, up and down by a step. Each direction has its
// own rule (the field's value never passes the bound of its rule):
//  - up:   Free (an empty field becomes the step) or UpperBound (never above the bound);
//  - down: Positive (never reaches 0; an empty or zero field becomes the step, the default),
//          LowerBound (never below the bound, the result written with a pattern) or Free.
// A failed check of the field's text is shown through the field's prompter, and the field gets
// the focus. Several pairs may serve one field with different steps (+1 and +10).

#include <QString>
#include <QWidget>

class QToolButton;

namespace ses {

class NumberField;
struct StepResult;

class StepButtons : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Free, UpperBound, LowerBound, Positive };

    StepButtons(NumberField* field, double step, QWidget* parent = nullptr);

    NumberField* field() const { return m_field; }
    double step() const { return m_step; }
    void setStep(double step); // also rewrites the hints

    // mode: Free or UpperBound (bound = the highest value the up button writes).
    void setUpRule(Mode mode, double bound = 0);
    // mode: Positive, LowerBound (bound = the lowest value; pattern writes the result) or Free.
    void setDownRule(Mode mode, double bound = 0, const QString& pattern = QStringLiteral("0.###"));
    Mode upMode() const { return m_upMode; }
    Mode downMode() const { return m_downMode; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // The same as a click on the button; a button does nothing while its field is disabled.
    void stepUp();
    void stepDown();

signals:
    // The field's text was changed by a button.
    void stepped();

private:
    void apply(const StepResult& result);
    void updateHints();

    NumberField* m_field;
    double m_step;
    Mode m_upMode = Mode::Free;
    double m_upper = 0;
    Mode m_downMode = Mode::Positive;
    double m_lower = 0;
    QString m_downPattern = QStringLiteral("0.###");
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace ses
