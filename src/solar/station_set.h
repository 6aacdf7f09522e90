#pragma once
// The station set bundled with the program (data/climate_sunshine.csv, compiled in).

#include "solar/station_climate.h"

namespace ses {

// Read once on first use. Throws std::runtime_error when the bundled table is unreadable (a
// broken build, not a user's mistake).
const std::vector<Station>& bundledStations();

} // namespace ses
