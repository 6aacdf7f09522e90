#pragma once
// A stored number that may be missing: null (or not a number) reads as no value, never as 0.

#include "data/view.h"
#include "lib/numbers.h"

#include <QVariant>

#include <optional>

namespace ses {

inline std::optional<double> optionalNumber(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

// A stored value as the windows and reports write it: numbers in the shortest form with the
// decimal comma, an empty field as empty text.
inline QString storedText(const QVariant& v) {
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return numberToText(v.toDouble());
    default:
        return v.toString();
    }
}

inline std::optional<double> optionalNumber(Field f) {
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

} // namespace ses
