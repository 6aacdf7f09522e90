#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest print QString values (as UTF-8 in quotes) in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
