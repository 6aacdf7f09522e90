#pragma once
// The inputs of the required battery capacity read from a variant's rows.

#include "storage/capacity.h"

namespace ses {

class TDataModule1;

// The variant with key variantKod: its settings, day-light rows, the coefficient table of its
// battery type and every schedule with its monthly rows, intervals and consumers.
CapacityInputs capacityInputs(TDataModule1& dm, int variantKod);

// The variant's stored required capacity (Cras_AKB); empty when it has none.
std::optional<double> storedCapacity(TDataModule1& dm, int variantKod);

} // namespace ses
