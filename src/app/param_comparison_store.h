#pragma once
// The parameter comparison's reading of a variant by its key: its row and its day-light rows,
// through read-only queries, so no view of the data module moves.

#include "app/param_comparison.h"

namespace ses {

class TDataModule1;

// Empty (key 0) when there is no such variant.
ComparedVariant readComparedVariant(TDataModule1& dm, qint64 key);

} // namespace ses
