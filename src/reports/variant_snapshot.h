#pragma once
// The variant test's snapshot of one variant read by its key straight from the tables, with the
// catalog look-ups the test needs: no view is moved, so the main window's current rows and the
// commands they enable stay as they were.

#include "reports/variant_test.h"

#include <QtGlobal>

#include <optional>

namespace ses {

class TDataModule1;

// The variant with key kod; `selectedArray` is the key of the array selected in the main window
// (the first array when it is not one of the variant's). A missing variant gives a snapshot
// that does not exist.
VariantSnapshot variantSnapshot(TDataModule1& dm, qint64 kod,
                                std::optional<qint64> selectedArray = std::nullopt);

// The current variant with the array the main window stands on.
VariantSnapshot currentVariantSnapshot(TDataModule1& dm);

} // namespace ses
