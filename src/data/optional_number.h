#pragma once
// A stored number that may be missing: null (or not a number) reads as no value, never as 0.

#include "data/view.h"

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

inline std::optional<double> optionalNumber(Field f) {
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

} // namespace ses
