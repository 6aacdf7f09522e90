#pragma once
// The tabular panel choice over the store: the panel catalog in use read with one query, what the
// choice reads of the variant (its figures, region, loss table, schedules, the controllers' array
// powers), and the candidate list written into its work table (optim_sp) in one transaction.
// Nothing else is written: the selection window stores the arrays built from the chosen row.

#include "solar/panel_table.h"
#include "solar/solar_selection.h"

#include <vector>

namespace ses {

class TDataModule1;

// Every panel model whose maker and own row are in use, in catalog order (maker, model).
std::vector<PanelCatalogRow> panelCatalogInUse(TDataModule1& dm);

struct PanelTableSource {
    VariantChoice variant;
    RegionYear region;
    std::vector<LossRow> loss;
    std::vector<StoredSchedule> schedules;
    SizingSettings sizing;
    std::vector<double> arrayPowers; // the list of Pm: distinct, ascending
};
PanelTableSource readPanelTableSource(TDataModule1& dm);

// The battery's charge range to match: with the check box ticked and both battery currents known.
std::optional<PanelChargeRange> panelChargeRange(const VariantChoice& v, bool matchCharge);

// Empties optim_sp and writes the rows in their order; one transaction, one prepared statement.
// Throws DbError when a row cannot be written (the table then keeps its rows).
void writePanelCandidates(TDataModule1& dm, const std::vector<PanelCandidate>& rows);

} // namespace ses
