#include "lib/battery_temp.h"

#include "lib/numbers.h"

#include <algorithm>

namespace ses {

bool usesLeadAcidTable(const QString& batteryType) {
    return batteryType == QLatin1String("AGM") || batteryType == QLatin1String("GEL") ||
           batteryType == QLatin1String("Flooded");
}

double batteryTempCoef(std::vector<TempCoefRow> rows, double t) {
    // In order of T; stable, so the first of equal temperatures stays first.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TempCoefRow& a, const TempCoefRow& b) { return a.t < b.t; });
    const TempCoefRow* below = nullptr; // largest T not above t
    const TempCoefRow* above = nullptr; // smallest T not below t
    for (const TempCoefRow& row : rows) {
        if (notAbove(row.t, t) && (below == nullptr || row.t > below->t)) {
            below = &row;
        }
        if (above == nullptr && atLeast(row.t, t)) {
            above = &row;
        }
    }
    if (below == nullptr && above == nullptr) {
        return 0.0;
    }
    if (below == nullptr || above == nullptr || sameValue(below->t, above->t)) {
        return below != nullptr ? below->k : above->k;
    }
    const double k1 = below->k;
    const double k2 = above->k;
    return roundHalfEven(k1 - (k1 - k2) * (t - below->t) / (above->t - below->t), 2);
}

} // namespace ses
