#include "lib/entry.h"

#include "qt_print.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

using namespace ses;

namespace {

TEST(Entry, KeyFilters) {
    struct Case {
        char16_t c;
        bool decimal;
        bool integer;
    };
    const Case cases[] = {
        {u'0', true, true},   {u'5', true, true},   {u'9', true, true},   {u',', true, false},
        {u'.', false, false}, {u'-', false, false}, {u'+', false, false}, {u'e', false, false},
        {u' ', false, false}, {u'а', false, false}, {u'٣', false, false}, {u'５', false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString(QChar(c.c)).toStdString());
        EXPECT_EQ(decimalKeyAllowed(QChar(c.c)), c.decimal);
        EXPECT_EQ(integerKeyAllowed(QChar(c.c)), c.integer);
    }
}

TEST(Entry, DecimalAndIntegerTextsAndTheLeaveCheck) {
    const QString badDecimal = QStringLiteral("Ошибочное значение для числового параметра.");
    const QString badInteger = QStringLiteral("Ошибочное значение для целочисленного параметра.");
    ASSERT_EQ(kBadDecimalMessage, badDecimal);
    ASSERT_EQ(kBadIntegerMessage, badInteger);

    struct Case {
        const char* text;
        bool decimal;
        std::optional<int> integer;
    };
    const Case cases[] = {
        {"12", true, 12},
        {" 7 ", true, 7},
        {"-3", true, -3},
        {"007", true, 7},
        {"12,5", true, std::nullopt},
        {"2,0", true, std::nullopt},
        {"2147483647", true, 2147483647},
        {"2147483648", true, std::nullopt},
        {"-2147483648", true, -2147483647 - 1},
        {"-2147483649", true, std::nullopt},
        {"1,2,3", false, std::nullopt},
        {"abc", false, std::nullopt},
        {"+", false, std::nullopt},
        {"", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(isDecimalText(text), c.decimal);
        EXPECT_EQ(isIntegerText(text), c.integer.has_value());
        EXPECT_EQ(parseInteger(text), c.integer);
        // Leaving an empty field is allowed; the validated entry reports it.
        const bool blank = text.trimmed().isEmpty();
        EXPECT_EQ(decimalLeaveError(text),
                  c.decimal || blank ? std::nullopt : std::optional<QString>(badDecimal));
        EXPECT_EQ(integerLeaveError(text),
                  c.integer || blank ? std::nullopt : std::optional<QString>(badInteger));
    }
}

enum class Check { Any, NonZero, NonZeroWhole };

TEST(Entry, ValidatedEntryMessages) {
    const QString q = QStringLiteral("длины кабеля");
    const QString empty = QStringLiteral("Введите значение длины кабеля.");
    const QString zero = QStringLiteral("Значение длины кабеля должно быть больше 0.");
    const auto bad = [](const char* text) {
        return QStringLiteral("\"") + QString::fromUtf8(text) +
               QStringLiteral("\" - некорректное значение для длины кабеля.");
    };
    struct Case {
        Check check;
        const char* text;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {Check::Any, "", empty},
        {Check::Any, "   ", empty},
        {Check::Any, "1,2,3", bad("1,2,3")},
        {Check::Any, "12a", bad("12a")},
        {Check::Any, "0", std::nullopt},
        {Check::Any, "-0,47", std::nullopt},
        {Check::NonZero, "", empty},
        {Check::NonZero, ",,", bad(",,")},
        {Check::NonZero, "0", zero},
        {Check::NonZero, "0,000", zero},
        {Check::NonZero, "-0,47", std::nullopt}, // negative values are not zero
        {Check::NonZero, "5", std::nullopt},
        {Check::NonZeroWhole, "", empty},
        {Check::NonZeroWhole, "abc", bad("abc")},
        {Check::NonZeroWhole, "2,5", bad("2,5")},
        {Check::NonZeroWhole, "2,0", bad("2,0")},
        {Check::NonZeroWhole, "0", zero},
        {Check::NonZeroWhole, "00", zero},
        {Check::NonZeroWhole, "2", std::nullopt},
        {Check::NonZeroWhole, "-3", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.check) << " \"" << c.text << '"');
        const QString text = QString::fromUtf8(c.text);
        switch (c.check) {
        case Check::Any:
            EXPECT_EQ(checkNumber(text, q), c.expected);
            break;
        case Check::NonZero:
            EXPECT_EQ(checkNonZero(text, q), c.expected);
            break;
        case Check::NonZeroWhole:
            EXPECT_EQ(checkNonZeroWhole(text, q), c.expected);
            break;
        }
    }
}

enum class Rule { Up, UpBounded, DownBounded, DownPositive };

StepResult applyStep(Rule rule, const QString& text, double step, double bound) {
    switch (rule) {
    case Rule::Up:
        return tryStepUp(text, step);
    case Rule::UpBounded:
        return tryStepUpBounded(text, step, bound);
    case Rule::DownBounded:
        return tryStepDownBounded(text, step, bound);
    case Rule::DownPositive:
        return tryStepDownPositive(text, step);
    }
    return {};
}

std::optional<QString> applyPlainStep(Rule rule, const QString& text, double step, double bound) {
    switch (rule) {
    case Rule::Up:
        return stepUp(text, step);
    case Rule::UpBounded:
        return stepUpBounded(text, step, bound);
    case Rule::DownBounded:
        return stepDownBounded(text, step, bound);
    case Rule::DownPositive:
        return stepDownPositive(text, step);
    }
    return std::nullopt;
}

TEST(Entry, StepButtonRules) {
    const QString notNumber =
        QStringLiteral("\"abc\" - некорректное значение для числового параметра.");
    const QString zero = QStringLiteral("Значение числового параметра должно быть больше 0.");
    constexpr double none = 0; // bound unused by the rule
    struct Case {
        Rule rule;
        const char* text;
        double step;
        double bound;
        std::optional<QString> result;
        std::optional<QString> error;
    };
    const Case cases[] = {
        {Rule::Up, "", 0.1, none, "0,1", std::nullopt},
        {Rule::Up, "0,9", 0.1, none, "1", std::nullopt},
        {Rule::Up, "0,7", 0.1, none, "0,8", std::nullopt}, // 0.7999999999999999
        {Rule::Up, "-0,05", 0.01, none, "-0,04", std::nullopt},
        {Rule::Up, "abc", 1, none, std::nullopt, notNumber},

        {Rule::UpBounded, "", 0.1, 1, "0,1", std::nullopt},
        {Rule::UpBounded, "0", 10, 100, "10", std::nullopt},
        {Rule::UpBounded, "0,000", 0.01, 1, "0,01", std::nullopt},
        {Rule::UpBounded, "0,9", 0.1, 1, "1", std::nullopt},
        {Rule::UpBounded, "0,95", 0.1, 1, std::nullopt, std::nullopt},
        {Rule::UpBounded, "0,9", 0.1004, 1, "1,0004", std::nullopt}, // 1,000 to 3 decimals
        {Rule::UpBounded, "0,9", 0.1006, 1, std::nullopt, std::nullopt},
        {Rule::UpBounded, "95", 10, 100, std::nullopt, std::nullopt},
        {Rule::UpBounded, "99", 1, 100, "100", std::nullopt},
        {Rule::UpBounded, "-0,05", 0.1, 0, std::nullopt, std::nullopt}, // 0,05 would pass 0
        {Rule::UpBounded, "-0,05", 0.01, 0, "-0,04", std::nullopt},
        {Rule::UpBounded, "00", 1, 100, std::nullopt, zero}, // not one of the zero texts
        {Rule::UpBounded, "abc", 1, 100, std::nullopt, notNumber},

        {Rule::DownBounded, "", 1, 0, std::nullopt, std::nullopt},
        {Rule::DownBounded, "abc", 1, 0, std::nullopt, notNumber},
        {Rule::DownBounded, "-0,47", 0.1, -1, "-0,57", std::nullopt},
        {Rule::DownBounded, "-0,9", 0.1, -1, "-1", std::nullopt},
        {Rule::DownBounded, "-0,95", 0.1, -1, std::nullopt, std::nullopt}, // -1,05 < -1
        {Rule::DownBounded, "11", 1, 10, "10", std::nullopt},
        {Rule::DownBounded, "10", 1, 10, std::nullopt, std::nullopt},
        {Rule::DownBounded, "1,23456", 0.1, 0, "1,135", std::nullopt}, // written "0.###"
        {Rule::DownBounded, "0,0012", 0.001, 0, "0", std::nullopt},
        {Rule::DownBounded, "0,0006", 0.001, 0, "0", std::nullopt}, // -0,0004: never "-0"
        {Rule::DownBounded, "0,0004", 0.001, 0, std::nullopt, std::nullopt},

        {Rule::DownPositive, "", 1, none, "1", std::nullopt},
        {Rule::DownPositive, "0", 1, none, "1", std::nullopt},
        {Rule::DownPositive, "0,0", 0.1, none, "0,1", std::nullopt},
        {Rule::DownPositive, "1", 1, none, std::nullopt, std::nullopt},
        {Rule::DownPositive, "20", 10, none, "10", std::nullopt},
        {Rule::DownPositive, "10", 10, none, std::nullopt, std::nullopt},
        {Rule::DownPositive, "0,3", 0.1, none, "0,2", std::nullopt}, // 0.19999999999999998
        {Rule::DownPositive, "-5", 1, none, std::nullopt, std::nullopt},
        {Rule::DownPositive, "abc", 1, none, std::nullopt, notNumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "rule " << static_cast<int>(c.rule) << " on \""
                                          << c.text << "\" by " << c.step);
        const QString text = QString::fromUtf8(c.text);
        const StepResult r = applyStep(c.rule, text, c.step, c.bound);
        EXPECT_EQ(r.text, c.result);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(applyPlainStep(c.rule, text, c.step, c.bound), c.result);
    }
}

TEST(Entry, StepDownBoundedWithAnotherPattern) {
    EXPECT_EQ(
        tryStepDownBounded(QStringLiteral("0,123456"), 0.1, 0, QStringLiteral("0.#####")).text,
        QStringLiteral("0,02346"));
}

// Repeated presses work on the text each press leaves, so no binary noise accumulates.
TEST(Entry, RepeatedStepPressesStopAtTheBound) {
    struct Case {
        Rule rule;
        const char* start;
        double step;
        double bound;
        QStringList texts; // field text after each press that changes it
    };
    const Case cases[] = {
        {Rule::UpBounded, "95", 1, 100, {"96", "97", "98", "99", "100"}},
        {Rule::UpBounded, "0,7", 0.1, 1, {"0,8", "0,9", "1"}},
        {Rule::DownBounded, "-0,47", 0.1, -1, {"-0,57", "-0,67", "-0,77", "-0,87", "-0,97"}},
        {Rule::DownPositive, "0,3", 0.1, 0, {"0,2", "0,1"}},
        {Rule::DownPositive, "0,05", 0.01, 0, {"0,04", "0,03", "0,02", "0,01"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        QString text = QString::fromUtf8(c.start);
        for (const QString& expected : c.texts) {
            const auto next = applyPlainStep(c.rule, text, c.step, c.bound);
            ASSERT_EQ(next, expected);
            text = *next;
        }
        EXPECT_EQ(applyPlainStep(c.rule, text, c.step, c.bound), std::nullopt) << "past the bound";
    }
}

} // namespace
