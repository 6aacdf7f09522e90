#include "widgets/step_buttons.h"

#include "lib/entry.h"
#include "lib/numbers.h"
#include "widgets/number_field.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace ses {

namespace {

// A free down button still goes through the bounded rule: this bound lies below any value a
// field of the program holds.
constexpr double kNoLowerBound = -1e12;

QToolButton* makeButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    // Clicking must not take the focus from the field: that would run its leave check.
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(18, 11);
    return b;
}

} // namespace

StepButtons::StepButtons(NumberField* field, double step, QWidget* parent)
    : QWidget(parent), m_field(field), m_step(step) {
    m_up = makeButton(Qt::UpArrow, this);
    m_down = makeButton(Qt::DownArrow, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_up, &QToolButton::clicked, this, &StepButtons::stepUp);
    connect(m_down, &QToolButton::clicked, this, &StepButtons::stepDown);
    updateHints();
}

void StepButtons::setStep(double step) {
    m_step = step;
    updateHints();
}

void StepButtons::setUpRule(Mode mode, double bound) {
    m_upMode = mode == Mode::UpperBound ? Mode::UpperBound : Mode::Free;
    m_upper = bound;
}

void StepButtons::setDownRule(Mode mode, double bound, const QString& pattern) {
    m_downMode = mode == Mode::UpperBound ? Mode::Free : mode;
    m_lower = bound;
    m_downPattern = pattern;
}

void StepButtons::updateHints() {
    m_up->setToolTip(QStringLiteral("Увеличить на ") + numberToText(m_step));
    m_down->setToolTip(QStringLiteral("Уменьшить на ") + numberToText(m_step));
}

void StepButtons::stepUp() {
    if (!m_field->isEnabled())
        return;
    const QString text = m_field->text();
    apply(m_upMode == Mode::UpperBound ? tryStepUpBounded(text, m_step, m_upper)
                                       : tryStepUp(text, m_step));
}

void StepButtons::stepDown() {
    if (!m_field->isEnabled())
        return;
    const QString text = m_field->text();
    switch (m_downMode) {
    case Mode::LowerBound:
        apply(tryStepDownBounded(text, m_step, m_lower, m_downPattern));
        return;
    case Mode::Free:
        apply(tryStepDownBounded(text, m_step, kNoLowerBound, m_downPattern));
        return;
    default:
        apply(tryStepDownPositive(text, m_step));
        return;
    }
}

void StepButtons::apply(const StepResult& result) {
    if (result.error) {
        m_field->prompter().error(*result.error);
        m_field->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!result.text || *result.text == m_field->text())
        return;
    m_field->setText(*result.text);
    emit stepped();
}

} // namespace ses
