#pragma once
// The tabular battery choice: every model of the catalog in use that fits the system voltage,
// each assembled for the variant exactly as the battery window assembles it, with the charge
// current of the panels' controllers for that model's own battery type; the list in order of
// the bank's capacity, its filter columns and the row of the tracked model. Plain values in and
// out: no store, no windows.

#include "lib/filter.h"
#include "storage/battery.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace ses {

// A catalog model with its maker and type, all three in use, in catalog order.
struct BatteryCatalogRow {
    QString company, tip;
    BatteryModel model;
};

// A row of the list (optim_akb): the model and its assembly. figures.charge is Icharge.
struct BatteryCandidate {
    QString company, tip;
    BatteryModel model;
    AssemblyFigures figures;
};

// Icharge for a battery type: the MPPT controllers' output currents for it summed, or the
// variant's SIzar_AKB; empty when it cannot be known.
using ChargeForType = std::function<std::optional<double>(const QString& batteryType)>;

// The list. With `matchCharge` (the window's check box) a model whose charge current cannot be
// brought into the allowed range is left out, and so is one that cannot be assembled at all;
// without it every voltage-fitting model is listed with its first assembly. The charge current is
// asked once per battery type. Ordered by the bank's capacity, ties in catalog order.
std::vector<BatteryCandidate> batteryCandidates(const std::vector<BatteryCatalogRow>& catalog,
                                                const AssemblyVariant& v, bool matchCharge,
                                                const ChargeForType& chargeFor);

// The row of the tracked maker, type and model (exact texts); 0 when absent or not tracked, -1
// for an empty list.
int trackedBatteryRow(const std::vector<BatteryCandidate>& rows, bool tracking,
                      const QString& company, const QString& tip, const QString& name);

// ---------------------------------------------------------------- the window's texts

const QStringList& batteryTableTitles();
const QStringList& batteryTableNotes();
// The cells of a row, in the order of the titles, numbers in their shortest form.
QStringList batteryTableRow(const BatteryCandidate& c);
// The tinted columns: the bank's capacity, and the allowed charge range.
inline constexpr int kBatteryCapacityColumn = 8;
inline constexpr int kBatteryRangeColumns[] = {12, 13};

// ---------------------------------------------------------------- the filter

// The eight condition fields: the dialog's label and the parameter's name.
const std::vector<FilterFieldLabel>& batteryFilterFields();
// A row's values of the eight fields' columns, in their order.
std::vector<double> batteryFilterValues(const BatteryCandidate& c);
// The filter of the dialog's ticks and fields.
RowFilter batteryFilter(const QStringList& makers, const QStringList& types,
                        const QStringList& fieldTexts);

} // namespace ses
