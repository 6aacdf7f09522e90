#pragma once

#include <QString>

#include <vector>

namespace ses {

// One row of a battery temperature-coefficient table: temperature t (degrees C) and the
// coefficient k (per unit) that the battery capacity is multiplied by at that temperature.
struct TempCoefRow {
    double t;
    double k;
};

// Lead-acid batteries ("AGM", "GEL", "Flooded", exact text) take their coefficient from the
// table Ktemp; every other type (lithium ones, an empty type) from Ktemp1.
bool usesLeadAcidTable(const QString& batteryType);

// Coefficient at temperature t from the rows of one table (in any order). With T1 the largest
// tabulated temperature not above t and T2 the smallest not below t:
//  - t equals a tabulated temperature, or lies beyond the table on one side: that row's K;
//  - T1 < t < T2: linear interpolation K1 - (K1 - K2) * (t - T1) / (T2 - T1), rounded to
//    2 decimals half to even;
//  - no rows: 0.
// Temperatures are compared after rounding to 6 decimals. Of rows with equal temperatures
// the first given is taken.
double batteryTempCoef(std::vector<TempCoefRow> rows, double t);

} // namespace ses
