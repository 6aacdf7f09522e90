#include "lib/tilt.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <cmath>

namespace ses {

std::optional<double> optimalTilt(double latitude, const QString& month, int day) {
    const int m = monthIndex(month);
    if (m == 0)
        return std::nullopt;
    const int n = day + daysBeforeMonth(m);
    // 2*pi/365 held as the literal constant the tilt tables were always computed with.
    const double declination = 23.45 * std::sin(0.01721420632103996 * (n - 81));
    return roundHalfEven(latitude - declination, 0);
}

} // namespace ses
