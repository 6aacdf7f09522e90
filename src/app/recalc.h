#pragma once
// The recalculation chain: the variant's required solar power, its tilt and the required battery
// capacity kept in step with its loads.

#include "data/data_module.h"

#include <functional>
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

// What starts the chain. After the variant dialog the schedules' monthly rows are rebuilt first,
// since they depend on the variant's parameters.
enum class ChainTrigger { VariantEdited, AcDispatcherClosed, DcDispatcherClosed, InvertersChosen };

// Runs `writes` (the triggering command: a dialog and what it stores) and, when it reports a
// change, the follow-up of the trigger, all in one transaction: a failure anywhere leaves the
// tables as they were before the command and throws DbError. The dispatchers' closing always
// counts as a change. Returns the chain's result, or nullopt when nothing changed.
std::optional<ChainResult> runWithChain(TDataModule1& dm, ChainTrigger trigger,
                                        const std::function<bool()>& writes);

} // namespace ses
