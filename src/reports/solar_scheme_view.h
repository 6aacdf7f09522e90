#pragma once
// The picture of the scheme view: the connection schemes of the checked panel arrays of a
// variant, one under another and left-aligned, each with the wider gap and the annotation chosen.

#include "reports/array_scheme.h"
#include "reports/structural_scheme.h"

#include <vector>

namespace ses {

struct SolarSchemeViewInput {
    const SchemeVariant* variant = nullptr;
    std::vector<bool> checked; // one per array of the variant; a missing entry is unchecked
    SchemeAnnotations annotations;
    int scale = 40; // px/m
};

// The gap between strings and panels in the scheme view.
inline constexpr int kSchemeViewGap = 40;

// The picture; an empty drawing (size 0 x 0) when no array is checked.
Drawing solarSchemeView(const SolarSchemeViewInput& in, const TextMeasure& measure);

} // namespace ses
