#pragma once
// The physical range of a kind of figure, one rule wherever the figure comes from: typed in a
// window, imported from a table or catalog file, or read from a weather file.

#include <QString>

#include <limits>
#include <optional>

namespace ses {

struct PhysicalRange {
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();
    const char* unit = ""; // appended to the bounds in the message ("кВт*ч/(м2*день)")

    bool admits(double v) const { return v >= min && v <= max; }
};

// Mean daily global irradiation of a month, kW*h/(m2*day): the clear-sky maximum on the
// horizontal is about 11-12 (high plateaus at the summer solstice).
inline constexpr PhysicalRange kDailyRadiationRange{0, 12, "кВт*ч/(м2*день)"};
// Air temperature near the ground (hourly or monthly mean), degrees C: the recorded extremes are
// -89 and +57, monthly means stay well within -70 .. 60.
inline constexpr PhysicalRange kAirTemperatureRange{-70, 60, "град."};
inline constexpr PhysicalRange kLatitudeRange{-90, 90, "град."};
inline constexpr PhysicalRange kLongitudeRange{-180, 180, "град."};
// Global horizontal irradiation of one hour, W*h/m2 (above the solar constant is not physical).
inline constexpr PhysicalRange kHourlyRadiationRange{0, 1500, "Вт*ч/м2"};
// A share of a whole (the diffuse share of the global radiation).
inline constexpr PhysicalRange kFractionRange{0, 1, ""};
// Powers and energies: never negative.
inline constexpr PhysicalRange kNonNegativeRange{0, std::numeric_limits<double>::infinity(), ""};

// Why v is outside r, as the end of a sentence: "значение 5000 вне допустимого диапазона от 0 до
// 12 кВт*ч/(м2*день)." or "значение -5 меньше 0 (отрицательная величина недопустима)."; empty
// when r admits v.
QString rangeRefusal(double v, const PhysicalRange& r);

} // namespace ses
