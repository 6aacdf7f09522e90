#include "lib/numbers.h"

#include "qt_print.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace ses;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ParseNumber, ReadsDecimalCommaPointSignAndSpaces) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"0,9", 0.9},
        {"24", 24.0},
        {"-0,47", -0.47},
        {"+3", 3.0},
        {"  14,2\t", 14.2},
        {"1.5", 1.5}, // files may use the point
        {",5", 0.5},
        {"5,", 5.0},
        {"007", 7.0},
        {"123456789012345", 123456789012345.0},
        {"0,30000000000000004", 0.30000000000000004},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = parseNumber(QString::fromUtf8(c.text));
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.expected);
    }
}

TEST(ParseNumber, MinusZeroReadsAsPlainZero) {
    const auto value = parseNumber(QStringLiteral("-0,0"));
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, 0.0);
    EXPECT_FALSE(std::signbit(*value));
    EXPECT_EQ(numberToText(*value), QStringLiteral("0"));
}

TEST(ParseNumber, RefusesMalformedText) {
    const QString overflow = QStringLiteral("1") + QString(400, u'0');
    const QString cases[] = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral("-"),
        QStringLiteral(","),
        QStringLiteral("-,"),
        QStringLiteral("1,2,3"),
        QStringLiteral("1.2,3"),
        QStringLiteral("1 000"),
        QStringLiteral("1e5"),
        QStringLiteral("abc"),
        QStringLiteral("12a"),
        QStringLiteral("--1"),
        QStringLiteral("+-1"),
        QStringLiteral("inf"),
        QStringLiteral("nan"),
        QStringLiteral("0x10"),
        QStringLiteral("١٢"),   // Arabic-Indic digits are not our digits
        QStringLiteral("１２"), // nor are full-width ones
        overflow,
    };
    for (const QString& text : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(parseNumber(text), std::nullopt);
    }
}

TEST(NumberToText, ShortestFormWithDecimalComma) {
    struct Case {
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {0.9, "0,9"},
        {24.0, "24"},
        {-0.47, "-0,47"},
        {1.2 * 3, "3,6"},   // 3.5999999999999996
        {0.1 + 0.2, "0,3"}, // 0.30000000000000004
        {0.7 + 0.1, "0,8"}, // 0.7999999999999999
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {123456789.123456789, "123456789,123457"},
        {-1234.5, "-1234,5"},
        {-0.0, "0"},
        {1e-7, "0,0000001"}, // never in exponent form
        {1e20, "100000000000000000000"},
        {1650.0000000000002, "1650"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(numberToText(c.x), QString::fromUtf8(c.expected));
    }
}

TEST(NumberToText, NullIsEmptyAndTextReadsBack) {
    EXPECT_EQ(numberToText(std::optional<double>()), QString());
    EXPECT_EQ(numberToText(std::optional<double>(14.2)), QStringLiteral("14,2"));
    for (const char* text : {"0,9", "-0,47", "14,2", "1000000", "0,000125", "99999,9999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(numberToText(*parseNumber(QString::fromUtf8(text))), QString::fromUtf8(text));
    }
}

TEST(NumberToText, RefusesNonFiniteValues) {
    for (double x : {kInf, -kInf, kNaN}) {
        EXPECT_THROW(numberToText(x), std::invalid_argument);
        EXPECT_THROW(numberToText(std::optional<double>(x)), std::invalid_argument);
    }
}

// A comma-using or point-using default locale must change neither reading nor writing.
class NumbersUnderLocale : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(NumbersUnderLocale, SameTextsWhateverTheDefaultLocale) {
    EXPECT_EQ(parseNumber(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(parseNumber(QStringLiteral("1.5")), 1.5);
    EXPECT_EQ(parseNumber(QStringLiteral("1 650")), std::nullopt);
    EXPECT_EQ(numberToText(1650.25), QStringLiteral("1650,25"));
    EXPECT_EQ(formatPattern(1650.125, QStringLiteral("0.##")), QStringLiteral("1650,13"));
}

INSTANTIATE_TEST_SUITE_P(Locales, NumbersUnderLocale,
                         ::testing::Values(QLocale::Russian, QLocale::English, QLocale::German));

TEST(RoundHalfEven, TiesGoToTheEvenNeighbourOfTheDecimalValue) {
    struct Case {
        double x;
        int n;
        double expected;
    };
    const Case cases[] = {
        {0.9445, 3, 0.944},
        {2.5, 0, 2.0},
        {3.5, 0, 4.0},
        {-2.5, 0, -2.0},
        {0.125, 2, 0.12},
        {-0.125, 2, -0.12},
        {0.135, 2, 0.14},
        {1.005, 2, 1.0},  // tie on the decimal text although the double is below it
        {1.015, 2, 1.02}, // tie although the double is above it
        {2.675, 2, 2.68}, // the double 2.67499999... must not decide
        {0.4999999, 0, 0.0},
        {9.995, 2, 10.0}, // carry into a new digit
        {0.0015, 3, 0.002},
        {0.0005, 3, 0.0}, // tie with nothing kept: 0 is even
        {0.00001, 3, 0.0},
        {1650.0000000000002, 6, 1650.0},
        {1.1500000000000001, 2, 1.15},
        {125.0, -1, 120.0},
        {135.0, -1, 140.0},
        {123.456, -1, 120.0},
        {7.0, 3, 7.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << " to " << c.n);
        EXPECT_EQ(roundHalfEven(c.x, c.n), c.expected);
    }
}

TEST(RoundHalfEven, NeverGivesMinusZero) {
    for (double x : {-0.0001, -0.0005, -0.4}) {
        const double r = roundHalfEven(x, x == -0.4 ? 0 : 3);
        EXPECT_EQ(r, 0.0);
        EXPECT_FALSE(std::signbit(r)) << x;
    }
}

struct PatternCase {
    double x;
    const char* pattern;
    const char* expected;
};

const PatternCase kPatternCases[] = {
    {0.125, "0.##", "0,13"},
    {1.005, "0.##", "1,01"},
    {2.675, "0.##", "2,68"},
    {2.5, "0", "3"},
    {-2.5, "0", "-3"},
    {3.5, "0", "4"},
    {-0.4, "0", "0"}, // no "-0"
    {-0.0004, "0.###", "0"},
    {-0.0005, "0.###", "-0,001"},
    {0.9445, "0.###", "0,945"},
    {10.0 / 60, "0.###", "0,167"},
    {9.9996, "0.###", "10"}, // no trailing comma
    {10.0, "0.##", "10"},
    {14.2, "0.#", "14,2"},
    {14.25, "0.#", "14,3"},
    {0.1, "0.00", "0,10"}, // zeros after the point are always written
    {-0.001, "0.00", "0,00"},
    {3.14159, "0.0#", "3,14"},
    {3.1, "0.0#", "3,1"},
    {3.0, "0.0#", "3,0"},
    {1234567.891, "0.######", "1234567,891"},
    {0.0000005, "0.######", "0,000001"},
    {0.1234565, "0.######", "0,123457"},
    {1.2 * 3, "0.##", "3,6"},
};

TEST(FormatPattern, HalfAwayFromZeroOnTheDecimalValue) {
    for (const PatternCase& c : kPatternCases) {
        SCOPED_TRACE(::testing::Message() << c.x << " with " << c.pattern);
        EXPECT_EQ(formatPattern(c.x, QString::fromLatin1(c.pattern)),
                  QString::fromUtf8(c.expected));
    }
}

TEST(RoundPattern, IsThePatternTextReadBack) {
    for (const PatternCase& c : kPatternCases) {
        SCOPED_TRACE(::testing::Message() << c.x << " with " << c.pattern);
        const double r = roundPattern(c.x, QString::fromLatin1(c.pattern));
        EXPECT_EQ(r, *parseNumber(QString::fromUtf8(c.expected)));
        EXPECT_FALSE(r == 0.0 && std::signbit(r));
    }
}

TEST(FormatPattern, RefusesUnknownPatternsAndNonFiniteValues) {
    for (const char* pattern : {"", "#", "0.", "0,##", "0.#0", "00", "0.##x", "#.##"}) {
        SCOPED_TRACE(pattern);
        EXPECT_THROW(formatPattern(1.0, QString::fromLatin1(pattern)), std::invalid_argument);
        EXPECT_THROW(roundPattern(1.0, QString::fromLatin1(pattern)), std::invalid_argument);
    }
    for (double x : {kInf, -kInf, kNaN}) {
        EXPECT_THROW(formatPattern(x, QStringLiteral("0.##")), std::invalid_argument);
        EXPECT_THROW(roundPattern(x, QStringLiteral("0.##")), std::invalid_argument);
        EXPECT_THROW(roundHalfEven(x, 2), std::invalid_argument);
    }
}

TEST(TolerantComparison, BothSidesRoundedToSixDecimals) {
    struct Case {
        double value;
        double bound;
        bool atLeast;
        bool notAbove;
        bool same;
    };
    const Case cases[] = {
        {1500 * 1.1, 1650.0, true, true, true}, // 1650.0000000000002
        {0.1 + 0.2, 0.3, true, true, true},
        {1649.9999999, 1650.0, true, true, true},
        {1649.999, 1650.0, false, true, false},
        {1650.000001, 1650.0, true, false, false},
        {-1.0000000001, -1.0, true, true, true},
        {-1.000001, -1.0, false, true, false},
        {0.0000005, 0.0, true, true, true}, // the sixth-decimal tie goes to the even 0
        {0.0000015, 0.000002, true, true, true},
        {0.0000025, 0.000003, false, true, false},
        // Just inside and outside the few millionths that are decided by rounding.
        {1649.99999, 1650.0, false, true, false},
        {1649.9999904, 1650.0, false, true, false},
        {1e12 - 0.002, 1e12, false, true, false},
        {1e12 + 0.0000001, 1e12, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " vs " << c.bound);
        EXPECT_EQ(atLeast(c.value, c.bound), c.atLeast);
        EXPECT_EQ(notAbove(c.value, c.bound), c.notAbove);
        EXPECT_EQ(sameValue(c.value, c.bound), c.same);
        EXPECT_EQ(sameValue(c.bound, c.value), c.same);
    }
}

TEST(CeilQuotient, CeilingOfTheQuotientRoundedToSixDecimals) {
    struct Case {
        double a;
        double b;
        int expected;
    };
    const Case cases[] = {
        {1650.0, 1500 * 1.1, 1}, {1651.0, 1650.0, 2},   {3.3, 1.1, 3}, // 2.9999999999999996
        {0.7, 0.1, 7},                                                 // 6.999999999999999
        {100.0, 0.1, 1000},      {10.0000001, 10.0, 1},                // within the tolerance
        {10.00001, 10.0, 2},     {1.0, 3.0, 1},         {0.0, 5.0, 0},
        {-7.0, 2.0, -3},         {7.0, -2.0, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " / " << c.b);
        EXPECT_EQ(ceilQuotient(c.a, c.b), c.expected);
    }
}

TEST(CeilQuotient, RefusesZeroDivisorAndResultsBeyondInt) {
    EXPECT_THROW(ceilQuotient(1.0, 0.0), std::invalid_argument);
    EXPECT_THROW(ceilQuotient(0.0, 0.0), std::invalid_argument);
    EXPECT_THROW(ceilQuotient(kInf, 1.0), std::invalid_argument);
    EXPECT_THROW(ceilQuotient(1.0, kNaN), std::invalid_argument);
    EXPECT_THROW(ceilQuotient(1e300, 1e-300), std::out_of_range);
    EXPECT_THROW(ceilQuotient(1e10, 1.0), std::out_of_range);
}

} // namespace

namespace {

// The fast rounding of values far from a tie must agree with the exact decimal formatting.
TEST(RoundHalfAway, AgreesWithPatternFormattingOverManyValues) {
    const QString patterns[] = {QStringLiteral("0"), QStringLiteral("0.#"), QStringLiteral("0.##"),
                                QStringLiteral("0.###")};
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double x = (int(seed % 2000001) - 1000000) / 997.0 * ((seed >> 8) % 3 ? 1 : 0.001);
        for (int n = 0; n < 4; ++n) {
            const double fast = ses::roundHalfAway(x, n);
            const double exact = *ses::parseNumber(ses::formatPattern(x, patterns[n]));
            ASSERT_EQ(fast, exact) << x << " to " << n;
        }
    }
    // Ties go away from zero, and binary noise never decides them.
    EXPECT_EQ(ses::roundHalfAway(1.005, 2), 1.01);
    EXPECT_EQ(ses::roundHalfAway(-2.5, 0), -3);
    EXPECT_EQ(ses::roundHalfAway(0.1 * 3, 1), 0.3);
}

} // namespace
