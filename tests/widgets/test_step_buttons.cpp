#include "fixture.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"

#include <QSignalSpy>
#include <QToolButton>

namespace ses::test {
namespace {

using Mode = StepButtons::Mode;

struct StepCase {
    Mode upMode;
    Mode downMode;
    double bound; // the bound of whichever rule is bounded
    double step;
    QString start;
    bool up;
    QString expected;
    QString error; // empty: no message
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << (c.up ? "up " : "down ") << c.start.toStdString() << " by " << c.step << " to "
        << c.expected.toStdString();
}

class Stepping : public ::testing::TestWithParam<StepCase> {};

TEST_P(Stepping, FollowsTheRuleOfEachDirection) {
    const StepCase& c = GetParam();
    NumberField field;
    RecordingPrompter prompter;
    field.setPrompter(&prompter);
    StepButtons buttons(&field, c.step);
    buttons.setUpRule(c.upMode, c.bound);
    buttons.setDownRule(c.downMode, c.bound);
    QSignalSpy stepped(&buttons, &StepButtons::stepped);
    field.setText(c.start);

    QTest::mouseClick(c.up ? buttons.upButton() : buttons.downButton(), Qt::LeftButton);

    EXPECT_EQ(field.text(), c.expected);
    EXPECT_EQ(stepped.count(), c.expected != c.start ? 1 : 0);
    EXPECT_EQ(prompter.last(), c.error);
}

const QString kNotNumber = "\"1,,2\" - некорректное значение для числового параметра.";
const QString kZero = "Значение числового параметра должно быть больше 0.";

INSTANTIATE_TEST_SUITE_P(
    Cases, Stepping,
    ::testing::Values(
        // lower bound 10, as the scale fields: never below it
        StepCase{Mode::Free, Mode::LowerBound, 10, 1, "11", false, "10", ""},
        StepCase{Mode::Free, Mode::LowerBound, 10, 1, "10", false, "10", ""},
        StepCase{Mode::Free, Mode::LowerBound, 10, 1, "10,5", false, "10,5", ""},
        StepCase{Mode::Free, Mode::LowerBound, 10, 1, "", false, "", ""},
        StepCase{Mode::Free, Mode::LowerBound, 0, 0.1, "0,1234", false, "0,023", ""},
        StepCase{Mode::Free, Mode::LowerBound, 10, 1, "1,,2", false, "1,,2", kNotNumber},
        // free up: an empty field becomes the step
        StepCase{Mode::Free, Mode::Positive, 0, 1, "", true, "1", ""},
        StepCase{Mode::Free, Mode::Positive, 0, 0.1, "0,2", true, "0,3", ""},
        StepCase{Mode::Free, Mode::Positive, 0, 1, "1,,2", true, "1,,2", kNotNumber},
        // upper bound 1
        StepCase{Mode::UpperBound, Mode::Positive, 1, 0.1, "0,9", true, "1", ""},
        StepCase{Mode::UpperBound, Mode::Positive, 1, 0.1, "0,95", true, "0,95", ""},
        StepCase{Mode::UpperBound, Mode::Positive, 1, 0.1, "0,00", true, "0,1", ""},
        StepCase{Mode::UpperBound, Mode::Positive, 1, 0.1, "-0", true, "-0", kZero},
        // positive decrement never reaches 0
        StepCase{Mode::Free, Mode::Positive, 0, 0.1, "0,3", false, "0,2", ""},
        StepCase{Mode::Free, Mode::Positive, 0, 0.1, "0,1", false, "0,1", ""},
        StepCase{Mode::Free, Mode::Positive, 0, 0.1, "0", false, "0,1", ""},
        // a free down button may go below zero
        StepCase{Mode::Free, Mode::Free, 0, 10, "5", false, "-5", ""}));

TEST(StepButtons, HintsNameTheStepWithTheDecimalComma) {
    NumberField field;
    StepButtons buttons(&field, 0.1);
    EXPECT_EQ(buttons.upButton()->toolTip(), "Увеличить на 0,1");
    EXPECT_EQ(buttons.downButton()->toolTip(), "Уменьшить на 0,1");
    buttons.setStep(10);
    EXPECT_EQ(buttons.upButton()->toolTip(), "Увеличить на 10");
}

TEST(StepButtons, DoNothingWhileTheFieldIsDisabled) {
    NumberField field;
    StepButtons buttons(&field, 1);
    field.setText("5");
    field.setEnabled(false);
    buttons.stepUp();
    buttons.stepDown();
    EXPECT_EQ(field.text(), "5");
}

TEST(StepButtons, FailedCheckFocusesTheField) {
    QWidget window;
    auto* field = new NumberField(&window);
    auto* other = new NumberField(&window);
    auto* buttons = new StepButtons(field, 1, &window);
    other->move(0, 40);
    buttons->move(200, 0);
    RecordingPrompter prompter;
    field->setPrompter(&prompter);
    ASSERT_TRUE(showActive(window));
    other->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(other->hasFocus());
    field->setText("1,,2"); // written by code, never left by the user

    buttons->stepUp();

    EXPECT_EQ(prompter.texts(), QStringList{kNotNumber});
    EXPECT_TRUE(field->hasFocus());
}

} // namespace
} // namespace ses::test
