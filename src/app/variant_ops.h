#pragma once
// The variant dialog's reads and writes over the data module, without the dialog: the values it
// is filled with (the default variant, its factory fill, the current variant) and the three
// saves (a new variant, the current variant, the default variant), each in one transaction.
// A refused or failed save is reported through the data module's prompter and leaves every
// table as it was.

#include "app/variant_params.h"

#include <optional>

namespace ses {

class TDataModule1;

// The rows of the day-light catalog (sSun_day) put into the months' hours.
void fillDayLight(TDataModule1& dm, VariantParams& p);

// The battery room of the first row of the room catalog (sTempAB0) and its temperatures.
void fillFirstRoom(TDataModule1& dm, VariantParams& p);

// The factory values with the region list's first entry, the day-light catalog and the first
// room of the room catalog.
VariantParams factoryFill(TDataModule1& dm);

// The default variant (ParVarDef with its ParVarDef1 months), or the factory fill while
// ParVarDef has no row.
VariantParams defaultVariantParams(TDataModule1& dm);
bool hasDefaultVariant(TDataModule1& dm);

// The current variant (project1 with its proj_sunday months).
VariantParams currentVariantParams(TDataModule1& dm);

// Facts of the current variant that the checks of its editing use: the voltage of its chosen
// battery cells (nullopt while none is chosen) and the rated voltages of its DC consumers in
// schedule order.
std::optional<int> chosenBatteryUnom(TDataModule1& dm);
QStringList dcConsumerVoltages(TDataModule1& dm);

// Appends a variant to the current project with its twelve proj_sunday rows; it becomes current.
bool addVariant(TDataModule1& dm, const VariantParams& p);
// Rewrites the current variant and replaces its twelve proj_sunday rows.
bool editVariant(TDataModule1& dm, const VariantParams& p);
// Writes ParVarDef (appending its row when there is none) and replaces the ParVarDef1 rows.
bool saveDefaultVariant(TDataModule1& dm, const VariantParams& p);

} // namespace ses
