#include "fixture.h"
#include "lib/entry.h"
#include "widgets/number_field.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace ses::test {
namespace {

using Kind = NumberField::Kind;

// One key: a character typed, or a key code (with modifiers) when ch is 0.
struct Press {
    char ch = 0;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};
Press typed(char c) {
    return {c};
}
Press key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return {0, k, m};
}

struct KeyCase {
    Kind kind;
    QString start;
    std::vector<Press> presses;
    QString expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << (c.kind == Kind::Decimal ? "decimal " : "integer ") << c.start.toStdString() << " to "
        << c.expected.toStdString();
}

class KeyFilter : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyFilter, TypesOnlyWhatMakesANumber) {
    const KeyCase& c = GetParam();
    NumberField f(c.kind);
    f.setText(c.start);
    for (const Press& p : c.presses) {
        if (p.ch)
            QTest::keyClick(&f, p.ch);
        else
            QTest::keyClick(&f, p.key, p.mods);
    }
    EXPECT_EQ(f.text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyFilter,
    ::testing::Values(
        KeyCase{Kind::Decimal, "1", {typed('2'), typed(','), typed('5')}, "12,5"},
        KeyCase{Kind::Decimal, "1", {typed('.'), typed('5')}, "1,5"}, // a point becomes a comma
        KeyCase{Kind::Decimal, "1", {typed('-'), typed('a'), typed(' '), typed('e')}, "1"},
        KeyCase{Kind::Integer, "1", {typed('7'), typed(','), typed('.'), typed('-')}, "17"},
        KeyCase{Kind::Decimal, "12", {key(Qt::Key_Backspace)}, "1"},
        // A minus opens a decimal value (winter temperatures), once and only in front.
        KeyCase{Kind::Decimal, "4,5", {key(Qt::Key_Home), typed('-'), typed('-')}, "-4,5"},
        KeyCase{Kind::Decimal, "", {typed('-'), typed('2'), typed('5')}, "-25"},
        KeyCase{Kind::Decimal, "12", {key(Qt::Key_Home), typed('9')}, "912"},
        KeyCase{Kind::Integer, "12", {key(Qt::Key_Left), key(Qt::Key_Delete)}, "1"},
        KeyCase{Kind::Integer, "12", {key(Qt::Key_A, Qt::ControlModifier), typed('3')}, "3"}));

TEST(NumberFieldValue, ReadsAndWritesWithTheDecimalComma) {
    NumberField d(Kind::Decimal);
    d.setValue(1.2 * 3);
    EXPECT_EQ(d.text(), "3,6");
    EXPECT_EQ(d.value(), 3.6);
    d.setValue(std::nullopt);
    EXPECT_EQ(d.text(), "");
    EXPECT_EQ(d.value(), std::nullopt);

    NumberField i(Kind::Integer);
    i.setText("2,5");
    EXPECT_EQ(i.value(), std::nullopt);
    i.setText("25");
    EXPECT_EQ(i.value(), 25.0);
}

// A window with the field under test and a plain line edit to move the focus to.
class LeaveCheck : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        field = new NumberField(Kind::Decimal, &window);
        other = new NumberField(Kind::Decimal, &window);
        plain = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        layout->addWidget(plain);
        field->setPrompter(&prompter);
        other->setPrompter(&prompter);
        ASSERT_TRUE(showActive(window));
        field->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(field->hasFocus());
    }
    // Lets the deferred check and the focus changes run.
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    QWidget window;
    NumberField* field = nullptr;
    NumberField* other = nullptr;
    QLineEdit* plain = nullptr;
    RecordingPrompter prompter;
};

TEST_F(LeaveCheck, BadTextShowsTheMessageOfItsKindAndKeepsTheFocus) {
    struct Case {
        Kind kind;
        QString text;
        QString message; // empty: leaving is allowed
    };
    const Case cases[] = {
        {Kind::Decimal, "1,2,3", kBadDecimalMessage},
        {Kind::Decimal, ",", kBadDecimalMessage},
        {Kind::Decimal, "12,5", ""},
        {Kind::Decimal, "", ""},
        {Kind::Integer, "2,5", kBadIntegerMessage},
        {Kind::Integer, "25", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        prompter.clear();
        field->setKind(c.kind);
        field->setText(c.text);
        field->setFocus(Qt::OtherFocusReason);
        plain->setFocus(Qt::TabFocusReason);
        settle();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompter.entries().empty());
            EXPECT_TRUE(plain->hasFocus());
        } else {
            EXPECT_EQ(prompter.texts(), QStringList{c.message});
            EXPECT_TRUE(field->hasFocus());
        }
    }
}

TEST_F(LeaveCheck, TwoBadFieldsDoNotPullTheFocusToAndFro) {
    field->setText("1,,2");
    other->setText("3,,4"); // written by code, never left by the user
    other->setFocus(Qt::TabFocusReason);
    settle();
    settle();
    EXPECT_EQ(prompter.texts(), QStringList{kBadDecimalMessage});
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(LeaveCheck, WindowLosingActivationIsNotLeaving) {
    field->setText("1,,2");
    QWidget elsewhere;
    ASSERT_TRUE(showActive(elsewhere));
    settle();
    EXPECT_TRUE(prompter.entries().empty());
}

} // namespace
} // namespace ses::test
