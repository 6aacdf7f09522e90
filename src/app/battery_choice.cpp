#include "app/battery_choice.h"

namespace ses {

BatteryChoiceOutcome storeBatteryChoice(TDataModule1& dm, const BatteryChoice& choice) {
    BatteryChoiceOutcome out;
    BatteryStored stored;
    // Cras_AKB and the schedules' monthly rows depend on the battery type's temperature
    // coefficients: a new type takes the chain that follows the variant dialog.
    out.chain = runWithChain(dm, ChainTrigger::VariantEdited, [&] {
        stored = storeBattery(dm, choice);
        return stored.typeChanged;
    });
    out.outOfRange = stored.outOfRange;
    if (out.chain)
        out.shortfall = capacityShortfall(dm);
    return out;
}

} // namespace ses
