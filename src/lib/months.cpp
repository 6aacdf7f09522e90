#include "lib/months.h"

#include <array>
#include <stdexcept>
#include <string>

namespace ses {

namespace {

constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

void requireMonthIndex(int monthIdx) {
    if (monthIdx < 1 || monthIdx > 12) {
        throw std::out_of_range("month index out of 1..12: " + std::to_string(monthIdx));
    }
}

} // namespace

const QStringList& monthNames() {
    static const QStringList names = {
        QStringLiteral("январь"),  QStringLiteral("февраль"), QStringLiteral("март"),
        QStringLiteral("апрель"),  QStringLiteral("май"),     QStringLiteral("июнь"),
        QStringLiteral("июль"),    QStringLiteral("август"),  QStringLiteral("сентябрь"),
        QStringLiteral("октябрь"), QStringLiteral("ноябрь"),  QStringLiteral("декабрь"),
    };
    return names;
}

int monthIndex(const QString& name) {
    return static_cast<int>(monthNames().indexOf(name)) + 1;
}

bool monthInRange(const QString& month, const QString& first, const QString& last) {
    const int a = monthIndex(month);
    if (a == 0) {
        return false;
    }
    const int f = monthIndex(first);
    const int l = monthIndex(last);
    if (l < f) {
        return a <= l || a >= f;
    }
    return a >= f && a <= l;
}

int daysBeforeMonth(int monthIdx) {
    requireMonthIndex(monthIdx);
    int days = 0;
    for (int m = 1; m < monthIdx; ++m) {
        days += kDaysInMonth[m - 1];
    }
    return days;
}

int daysInMonth(int monthIdx) {
    requireMonthIndex(monthIdx);
    return kDaysInMonth[monthIdx - 1];
}

bool isSummerMonth(const QString& month) {
    return monthInRange(month, QStringLiteral("апрель"), QStringLiteral("сентябрь"));
}

} // namespace ses
