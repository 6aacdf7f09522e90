#pragma once
// What the structural scheme reads: one variant's snapshot by its key, straight from the tables,
// so that no host ever moves a view (the comparison window draws two variants that are not
// current); and the checks each host makes before drawing. Nothing is stored.

#include "reports/structural_scheme.h"

#include <QtGlobal>

#include <optional>

namespace ses {

class TDataModule1;

// The variant with key kod as the scheme draws it; nullopt when there is no such variant.
std::optional<SchemeVariant> schemeVariant(TDataModule1& dm, qint64 kod);

// What decides whether a variant's scheme can be drawn.
struct SchemeFacts {
    bool exists = false;
    bool panelType = false;       // Tip_SP
    bool arrays = false;          // at least one proj_mas row
    bool batteryType = false;     // Tip_AKB
    bool batteryName = false;     // Name_AKB
    bool namedAcLoad = false;     // a proj_inv row with a Nagr_Name
    bool namedDcSchedule = false; // a proj_graf12_0 row with a SutGrafName
};

SchemeFacts schemeFacts(TDataModule1& dm, qint64 kod);

// The main window's pane and the open-project preview: panels, an array and a chosen battery.
bool paneCanDraw(const SchemeFacts& f);
// The comparison window: panels, an array, a battery type, and a load to serve.
bool comparisonCanDraw(const SchemeFacts& f);

} // namespace ses
