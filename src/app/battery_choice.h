#pragma once
// "ОК" of the storage battery choice as the main window carries it out: the choice stored and,
// when it changes the battery type the variant's figures were computed with, the recalculation
// chain as after the variant dialog, all in one transaction.

#include "app/recalc.h"
#include "storage/battery_ops.h"

#include <optional>

namespace ses {

struct BatteryChoiceOutcome {
    std::optional<ChainResult> chain;  // run when the type changed
    std::optional<QString> shortfall;  // the new requirement exceeds the chosen capacity
    std::optional<QString> outOfRange; // the MPPT charge current outside the allowed range
};

// Throws DbError when a write fails: then nothing of the choice or the chain is stored.
BatteryChoiceOutcome storeBatteryChoice(TDataModule1& dm, const BatteryChoice& choice);

} // namespace ses
