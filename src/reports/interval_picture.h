#pragma once
// The interval picture of the load's consumers: for each schedule a caption, then a band per
// consumer with the dark periods of the month shaded, its operating periods as bars and an hour
// scale; the time axis caption and the legend below. An hour is 12 * scale pixels (scale pixels
// per 5 minutes) after a 10-pixel margin, as load/load_totals.h converts the time.

#include "load/load_totals.h"
#include "reports/drawing.h"

#include <optional>

namespace ses {

inline const QColor intervalBarColour{0, 0, 255};
inline const QColor darkPeriodColour{192, 192, 192};

// The scale never goes below 2; above largestIntervalScale() the picture would pass a safe
// width (8000 pixels) and is not drawn.
inline constexpr int kLowestIntervalScale = 2;
int largestIntervalScale();
// nullopt when the picture may be drawn at the scale; else the refusal, naming the bounds.
std::optional<QString> intervalScaleRefusal(int scale);

// The picture of the sources' consumers (schedules without consumers have no band) with the dark
// periods [0, V] and [Z, 24] of the day-light row (none without it).
Drawing intervalPicture(const std::vector<TotalsSchedule>& sources, const DaylightRow* daylight,
                        int scale, const TextMeasure& measure);

// The vertical time line over the whole height of the picture at hour t.
void addTimeLine(Drawing& picture, double t, int scale);

} // namespace ses
