#pragma once
// The inputs of the year's energy balance of a variant read by its key: the daily generation of
// each month by the generation formula, each month's day and dark loads from the valid
// schedules, and the battery's usable energy in the month's battery room. No view is moved.

#include "storage/energy_balance.h"

#include <QtGlobal>

namespace ses {

class TDataModule1;

struct BalanceReading {
    std::optional<BalanceInputs> inputs;
    std::optional<EnergyBalance> balance;
    QString reason; // why there is no balance; empty when there is one
};

BalanceReading yearBalance(TDataModule1& dm, qint64 kod);

} // namespace ses
