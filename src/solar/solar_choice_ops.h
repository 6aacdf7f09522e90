#pragma once
// The solar battery choice of the current variant, read and stored through the data module: the
// panel catalog offered for the system, what the selection starts from, the array rows of
// proj_mas and the storing of a choice in one transaction.

#include "solar/solar_selection.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

// Makers with UseSP set, in the catalog's order.
std::vector<PanelCompany> panelCompanies(TDataModule1& dm);
// The maker's types with UseSP set, by power then voltage, that fit the system.
std::vector<CatalogPanel> panelTypes(TDataModule1& dm, int companyKod, const SystemSettings& s);
// The array powers (Psp) of the controller ratings for the system's voltage whose type works by
// the system's algorithm (MPPT or PWM), as stored; empty values are skipped.
std::vector<double> controllerArrayPowers(TDataModule1& dm, const SystemSettings& s);

VariantChoice readVariantChoice(TDataModule1& dm);
SystemSettings systemSettings(TDataModule1& dm);

// The current variant's arrays in stored order, with their later choices.
std::vector<StoredArray> readStoredArrays(TDataModule1& dm);
std::vector<ArrayRow> readArrays(TDataModule1& dm);

// Everything the selection starts from: the variant, its region, the loss table, the requirement,
// the stored arrays and the controllers' powers.
SelectionSource readSelectionSource(TDataModule1& dm);

// True when the rows differ from the variant's stored arrays (order included).
bool arraysChanged(TDataModule1& dm, const std::vector<ArrayRow>& arrays);

// Writes the choice into the variant and, only when the arrays changed, rewrites its proj_mas
// rows: a row equal to a stored one keeps that array's controller, cables and protection, other
// rows start without them. Everything in one transaction; throws DbError (nothing written) when
// the store refuses.
void storeChoice(TDataModule1& dm, const StoredChoice& choice);

} // namespace ses
