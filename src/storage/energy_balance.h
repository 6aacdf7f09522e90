#pragma once
// A year of days for the storage battery: each day the controllers deliver the panels' daily
// generation less their losses; the daytime load is served first, the surplus charges the
// battery up to the month's usable energy and the rest is wasted; a daytime shortfall and the
// dark-time load are drawn from the battery, each W*h costing 1 / (1 - battery losses) of its
// store; what the battery cannot give is unserved. Monthly means: no weather sequence and no
// self-discharge. Plain values in and out.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace ses {

// One calendar month as every day of it repeats: energies in W*h per day.
struct BalanceMonth {
    double generation = 0; // G, what the panels give before the controllers' losses
    double dayLoad = 0;    // the daytime load, through the inverters
    double darkLoad = 0;   // the dark-time load, through the inverters
    double usable = 0;     // the battery's usable energy in the month's battery room, W*h
};

struct BalanceInputs {
    std::array<BalanceMonth, 12> months{}; // calendar order
    double controllerLosses = 10;          // Poteri_Ctrl, %
    double batteryLosses = 20;             // Poteri_AKB, %
};

struct BalanceDay {
    int month = 1, day = 1;               // of a non-leap year
    double dawn = 0, dawnPercent = 0;     // the store at dawn, W*h and % of the month's usable
    double sunset = 0, sunsetPercent = 0; // the store at sunset
    double unserved = 0;                  // W*h of load the battery could not give
    double wasted = 0;                    // W*h of surplus the full battery could not take
};

struct EnergyBalance {
    std::vector<BalanceDay> days; // 365, from 1 January
    int shortDays = 0;            // days with unserved load
    int firstShortDay = -1;       // index into days; -1 when none
    double demandKwh = 0, unservedKwh = 0, unservedPercent = 0;
    double lowest = 0, lowestPercent = 0; // the lowest store at dawn or sunset
    int lowestDay = 0;                    // index into days
    int fullDays = 0;                     // days whose sunset finds the battery full
    double wastedKwh = 0;
    // The summary as shown, one line each.
    QStringList summary() const;
};

// The year run twice from a full battery on 1 January; the second run is the result, so that
// a deficit of the winter carries over the new year. nullopt when the losses are 100 % or more.
std::optional<EnergyBalance> energyBalance(const BalanceInputs& in);

// "1 января" for a day of the balance.
QString balanceDate(const BalanceDay& d);

} // namespace ses
