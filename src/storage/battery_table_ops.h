#pragma once
// The tabular battery choice over the store: the battery catalog in use read with one query, the
// charge current of the variant's controllers per battery type, and the candidate list written
// into its work table (optim_akb) in one transaction, one statement prepared for all rows. Nothing
// else is written: the battery window stores the chosen row as it stores any choice.

#include "storage/battery_ops.h"
#include "storage/battery_table.h"

#include <vector>

namespace ses {

class TDataModule1;

// Every model whose maker, type and own row are in use, in catalog order (maker, type, model).
std::vector<BatteryCatalogRow> batteryCatalogInUse(TDataModule1& dm);

// Icharge per battery type for the variant: with MPPT controllers the arrays' controller output
// currents for that type summed (each controller's charge voltage looked up once per type), else
// the variant's SIzar_AKB. Keeps `dm` by reference: use it while the data module lives.
ChargeForType chargeForTypes(TDataModule1& dm, const BatterySource& source);

// Empties optim_akb and writes the rows in their order; one transaction, one prepared statement.
// Throws DbError when a row cannot be written (the table then keeps its rows).
void writeBatteryCandidates(TDataModule1& dm, const std::vector<BatteryCandidate>& rows);

// The list of the current variant: the catalog read, the assembly of every model, the list
// written. `matchCharge` is the window's check box.
std::vector<BatteryCandidate> buildBatteryCandidates(TDataModule1& dm, const BatterySource& source,
                                                     bool matchCharge);

} // namespace ses
