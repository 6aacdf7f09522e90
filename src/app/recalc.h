#pragma once
// The recalculation chain: the variant's required solar power, its tilt and the required battery
// capacity kept in step with its loads.

#include "data/data_module.h"

#include <optional>

namespace ses {

struct ChainResult {
    std::optional<double> pras, tilt, capacity; // what was stored (empty: stored empty)
    QStringList problems;                       // why a figure could not be computed
};

// Runs the chain for the current variant of the data module and saves the variant row, in one
// transaction. With no load at all the three figures are emptied. A figure that cannot be
// computed is stored empty and its reason returned; nothing infinite is ever stored.
ChainResult runRecalcChain(TDataModule1& dm);

} // namespace ses
