#include "lib/months.h"

#include "qt_print.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ses;

namespace {

TEST(Months, NamesInCalendarOrderWithTheirIndexes) {
    const QStringList expected = {"январь", "февраль", "март",     "апрель",  "май",    "июнь",
                                  "июль",   "август",  "сентябрь", "октябрь", "ноябрь", "декабрь"};
    ASSERT_EQ(monthNames(), expected);
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(monthIndex(expected[i]), i + 1) << expected[i].toStdString();
    }
}

TEST(Months, IndexIsZeroForAnyOtherText) {
    for (const char* text : {"", "Январь", "ЯНВАРЬ", " май", "май ", "may", "маЙ", "1"}) {
        EXPECT_EQ(monthIndex(QString::fromUtf8(text)), 0) << text;
    }
}

TEST(Months, RangeTestWithWrapOverTheNewYear) {
    struct Case {
        const char* month;
        const char* first;
        const char* last;
        bool expected;
    };
    const Case cases[] = {
        // wrapping range
        {"декабрь", "ноябрь", "февраль", true},
        {"январь", "ноябрь", "февраль", true},
        {"ноябрь", "ноябрь", "февраль", true},
        {"февраль", "ноябрь", "февраль", true},
        {"март", "ноябрь", "февраль", false},
        {"октябрь", "ноябрь", "февраль", false},
        {"март", "апрель", "март", true}, // wraps to the whole year
        // plain range and equal ends
        {"январь", "январь", "декабрь", true},
        {"декабрь", "январь", "декабрь", true},
        {"июль", "апрель", "сентябрь", true},
        {"март", "апрель", "сентябрь", false},
        {"октябрь", "апрель", "сентябрь", false},
        {"май", "май", "май", true},
        {"июнь", "май", "май", false},
        // a text that is not a month lies in no range
        {"Май", "январь", "декабрь", false},
        {"", "январь", "декабрь", false},
        {"", "", "", false},
        {"xxx", "ноябрь", "февраль", false},
        // a bad end counts as index 0 in the formula
        {"май", "xxx", "июнь", true},
        {"июль", "xxx", "июнь", false},
        {"май", "июнь", "xxx", false},
        {"июль", "июнь", "xxx", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.month << " in " << c.first << ".." << c.last);
        EXPECT_EQ(monthInRange(QString::fromUtf8(c.month), QString::fromUtf8(c.first),
                               QString::fromUtf8(c.last)),
                  c.expected);
    }
}

TEST(Months, SummerIsAprilToSeptember) {
    for (int i = 0; i < 12; ++i) {
        const bool summer = i + 1 >= 4 && i + 1 <= 9;
        EXPECT_EQ(isSummerMonth(monthNames()[i]), summer) << monthNames()[i].toStdString();
    }
    EXPECT_FALSE(isSummerMonth(QStringLiteral("Июль")));
    EXPECT_FALSE(isSummerMonth(QString()));
}

TEST(Months, DaysOfANonLeapYear) {
    struct Case {
        int month;
        int before;
        int days;
    };
    const Case cases[] = {
        {1, 0, 31}, {2, 31, 28}, {3, 59, 31}, {4, 90, 30}, {7, 181, 31}, {12, 334, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.month);
        EXPECT_EQ(daysBeforeMonth(c.month), c.before);
        EXPECT_EQ(daysInMonth(c.month), c.days);
    }
    for (int m = 1; m < 12; ++m) {
        EXPECT_EQ(daysBeforeMonth(m) + daysInMonth(m), daysBeforeMonth(m + 1)) << m;
    }
    EXPECT_EQ(daysBeforeMonth(12) + daysInMonth(12), 365);
    for (int bad : {0, 13, -1}) {
        EXPECT_THROW(daysBeforeMonth(bad), std::out_of_range) << bad;
        EXPECT_THROW(daysInMonth(bad), std::out_of_range) << bad;
    }
}

} // namespace
