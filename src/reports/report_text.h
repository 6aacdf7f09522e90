#pragma once
// Small text helpers the windows use when they fill a report.

#include <QString>

namespace ses {

// A check box in a label-and-value table.
inline QString plusMinus(bool checked) {
    return checked ? QStringLiteral("+") : QStringLiteral("-");
}

} // namespace ses
