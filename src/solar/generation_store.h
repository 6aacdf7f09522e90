#pragma once
// The inputs of the generation and analysis tables of the current variant, read from the store.

#include "solar/generation.h"

namespace ses {

class TDataModule1;

// The loads' schedules (AC in load order with their Kinv, then DC), the region's month rows in
// stored order, the arrays, PTotal_SP, the sizing settings and the loss table.
GenerationInputs generationInputs(TDataModule1& dm);
// The same for the variant with key kod, read without moving any view.
GenerationInputs generationInputs(TDataModule1& dm, qint64 kod);

} // namespace ses
