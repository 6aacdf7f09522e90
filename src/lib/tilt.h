#pragma once

#include <QString>
#include <optional>

namespace ses {

// Optimal tilt of the panels in a month, degrees: the latitude less the sun's declination on the
// given day of the month (Cooper's formula, 23,45 * sin(2*pi/365 * (N - 81)), N the day of a
// non-leap year), rounded to a whole number with halves to the even neighbour. nullopt when the
// month is not one of the twelve names.
std::optional<double> optimalTilt(double latitude, const QString& month, int day);

} // namespace ses
