#pragma once
// The storage battery choice over the store: the catalog's makers, types and models in use, what
// the choice reads of the current variant and its panel arrays, the recommended types of the
// arrays' controllers, the charge current of MPPT controllers for a battery type, the inputs of a
// month's discharge, and "ОК" storing the choice in one transaction.

#include "storage/battery.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

// ---------------------------------------------------------------- the catalog

struct BatteryMaker {
    int kod = 0;
    QString company;
};
struct BatteryType {
    int kod = 0;
    QString tip;
};

// The makers in use, in table order.
std::vector<BatteryMaker> batteryMakers(TDataModule1& dm);
// The maker's types in use, in table order.
std::vector<BatteryType> batteryTypes(TDataModule1& dm, int makerKod);
// The type's models in use, in table order (offeredModels() filters and orders them).
std::vector<BatteryModel> batteryModels(TDataModule1& dm, int typeKod);
// The temperature coefficients of a battery type (lead-acid or the other table).
std::vector<TempCoefRow> temperatureCoefficients(TDataModule1& dm, const QString& batteryType);

// ---------------------------------------------------------------- the variant

// An array's controller and power, as the MPPT charge current needs them.
struct ArrayCharge {
    QString name, company, tip;
    double power = 0; // Pmas, W
};

struct BatterySource {
    AssemblyVariant variant;
    std::optional<double> storedCharge; // SIzar_AKB
    std::optional<double> depth;        // GlubRazryad_AKB, %
    int loadMode = 0;                   // ParamNagr
    QString company, tip, name;         // the stored choice; company empty: none
    QString chargedType;                // Tip_AKB, else DefTipAKB_Ctrl
    std::vector<ArrayCharge> arrays;    // in table order
    QString recommendedTypes;
};

// The current variant's figures, its stored choice, its arrays and the recommended types.
BatterySource readBatterySource(TDataModule1& dm);

// Icharge for a battery type: with MPPT controllers the arrays' controller output currents for
// that type summed, else the variant's SIzar_AKB. `error` names an array whose current cannot be
// computed (then nullopt).
std::optional<double> chargeCurrentFor(TDataModule1& dm, const BatterySource& s,
                                       const QString& batteryType, QString* error = nullptr);

// The discharge inputs of the current variant: its settings, day-light rows and schedules, each
// AC schedule divided by its load's stored inverter efficiency (empty: 0, refused).
CapacityInputs dischargeSource(TDataModule1& dm);

// ---------------------------------------------------------------- storing

struct BatteryChoice {
    QString company, tip;
    BatteryModel model;
    AssemblyFigures figures;
};

struct BatteryStored {
    bool typeChanged = false;          // the figures' battery type changed: the chain is due
    std::optional<QString> outOfRange; // the MPPT charge current outside the allowed range
};

// Writes the battery fields of the current variant and, with MPPT controllers, each array's
// Iakb_Ctrl for the new type and their sum SIzar_AKB; one transaction. A charge current outside
// [SIzar_min_use_AKB, SIzar_max_use_AKB] is reported, the choice is stored all the same.
// Throws DbError when a row cannot be written (nothing is then changed).
BatteryStored storeBattery(TDataModule1& dm, const BatteryChoice& c);

// The line due when the required capacity, recomputed for a new battery type, exceeds the chosen
// battery's capacity; nullopt otherwise.
std::optional<QString> capacityShortfall(TDataModule1& dm);

} // namespace ses
