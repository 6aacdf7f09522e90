#pragma once
// What the inverter windows read and write through the data module: the current variant's
// fields and AC loads, the catalog's makers and types in use, the candidate table, and the
// confirmed choice stored over every AC load in one transaction. No view moves while reading.

#include "storage/inverters.h"

#include <QString>
#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

// The current variant's fields of the choice.
InverterVariant readInverterVariant(TDataModule1& dm);
// The current variant's AC loads in table order with their stored choice.
std::vector<InverterLoad> readInverterLoads(TDataModule1& dm);

// The program settings' load windows (SutGr_Pnom_Time, SutGr_Pmax_Time), minutes; 30 and 10
// while empty.
struct LoadWindows {
    int nomMinutes = 30, maxMinutes = 10;
};
LoadWindows readLoadWindows(TDataModule1& dm);

// A maker in use with its types in use, in ascending Pnom, Pmax, Ppik.
struct CatalogMaker {
    QString company;
    std::vector<CatalogInverter> types;
};
// The makers in use in table order.
std::vector<CatalogMaker> readInverterCatalog(TDataModule1& dm);

// The candidate table over all makers (both levels in use) in ascending Pnom, Pmax, Ppik: the
// type list's rule, but only the two known waveforms, and a peak present even when it is not
// taken into account.
std::vector<CatalogInverter> candidateTable(TDataModule1& dm, const InverterRequirement& req);

// Kinv of the current variant's AC load in the given row (table order).
double acLoadKinv(TDataModule1& dm, int row);

// Stores the choice of every AC load of the current variant (one entry per load, in table
// order): maker, type, powers, waveform and the inverter's own efficiency; Uvh_Inv := Uses,
// Uvuh_Inv := Uvuh. For the loads whose inverter changed (inverterChanged) the battery-to-
// inverter cable, breaker and fuse are cleared: they were sized for the old inverter. One
// transaction: every load or none. An incomplete choice, an unusable efficiency or a variant
// without its voltages is refused with a message through the data module's prompter, and
// nothing is written. Throws std::invalid_argument when the entries do not match the loads.
bool storeInverterChoice(TDataModule1& dm, const std::vector<InverterChoice>& choices);

// The message for an incomplete choice (the inverters window's "ОК" says the same).
inline const QString kChooseEveryInverter =
    QStringLiteral("Для завершения работы с диалогом посредством нажатия кнопки \"ОК\" "
                   "необходимо выбрать инверторы для всех нагрузок.");

// The columns cleared for a load whose inverter changed.
const QStringList& inverterCircuitColumns();

} // namespace ses
