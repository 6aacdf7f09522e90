#pragma once
// The battery capacity a variant requires (Cras_AKB): the energy drawn in the hours without sun
// month by month, then the nominal, maximum and peak discharge currents. Two methods: by the
// stored parameters of the schedules (load-entry mode 0) and by the load profiles built from
// their intervals (modes 1 and 2). Plain values in, plain values out: no store, no windows.

#include "lib/battery_temp.h"
#include "load/consumers.h"
#include "load/schedule.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace ses {

// The variant's settings the capacity depends on.
struct StorageSettings {
    int loadMode = 1;             // ParamNagr: 0 parameters, 1 intervals, 2 consumers
    double uses = 24;             // system voltage, V
    double depthOfDischarge = 30; // GlubRazryad_AKB, %
    double batteryLosses = 20;    // Poteri_AKB, %
    double krazrNom = 10, krazrMax = 5, krazrPik = 1; // hours of each discharge current
    bool dailyCycle = true;                           // SutCikl
    double hoursWithoutSun = 24;                      // KolHourWithoutSun, K
    int nomMinutes = 30, maxMinutes = 10;             // param.SutGr_Pnom_Time, SutGr_Pmax_Time
};

// A stored monthly row of a schedule: what it draws over the longest run of hours without sun.
struct ScheduleMonthEnergy {
    QString month;
    double wsutDark = 0; // W*h
    double wmaxDark = 0; // W*h
};

// One stored schedule with what both methods read of it.
struct CapacitySchedule {
    bool ac = true;  // an AC load's schedule (charged through the inverter) or a DC one
    double kinv = 1; // the load's Kinv (lib/kinv.h); not read for DC
    QString from = QStringLiteral("январь"), to = QStringLiteral("декабрь");
    double pnom = 0, pmax = 0, wpPik = 0;    // Pnom30min, Pmax10min, Wp_pik, W
    std::vector<ScheduleMonthEnergy> months; // monthly rows in stored order
    std::vector<Interval> intervals;         // the interval table (modes 1 and 2)
    std::vector<Consumer> consumers;         // consumers and their periods (mode 2)
    // What the battery analysis names: the load (its key tells one load's schedules from the
    // next one's) and the schedule.
    int loadKod = 0;
    QString load, name;
};

struct CapacityInputs {
    StorageSettings settings;
    std::vector<DaylightRow> daylight;         // proj_sunday: sunrise, sunset, TempAB
    std::vector<TempCoefRow> tempCoefficients; // the table of the variant's battery type
    std::vector<CapacitySchedule> schedules;   // AC schedules, load by load, then DC ones
};

// How one month took part.
struct CapacityMonth {
    double energy = 0;      // E(m), W*h, through the inverters
    bool daylight = false;  // has a day-light row; without one the month takes no part at all
    double temperature = 0; // TempAB, degrees C
    double ktemp = 0;
    double capacity = 0; // A*h the month's energy needs
    // The profile method only.
    std::vector<Period> darkWindows;
    double pnom = 0, pmax = 0, ppeak = 0; // W, in the dark windows
};

// What decided the required capacity.
enum class CapacityBasis { Energy, Nominal, Maximum, Peak };

struct CapacityResult {
    std::optional<double> capacity;         // Cras_AKB, A*h; empty when refused
    std::optional<QString> error;           // why it was refused, for the user
    std::array<CapacityMonth, 12> months{}; // calendar order
    double energyCapacity = 0;              // the largest monthly capacity
    int governingMonth = 0; // 1..12, the month of energyCapacity; 0 when every month needs 0
    double pnom = 0, pmax = 0, ppeak = 0;                      // the powers checked, W
    double nomCapacity = 0, maxCapacity = 0, peakCapacity = 0; // Krazr * P / Uses, A*h
    CapacityBasis basis = CapacityBasis::Energy;
};

// The capacity an energy drawn in the dark needs, A*h, written with "0.##":
// energy / uses / depth * 100 * ktemp / (1 - losses / 100) / kdiv. nullopt when a divisor is 0
// or less (uses, depth, kdiv, or losses of 100 % and more).
std::optional<double> monthCapacity(double uses, double kdiv, double losses, double ktemp,
                                    double depth, double energy);

// E(1..12): the monthly Wmax_dark of every schedule, an AC one divided by its Kinv, summed month
// by month, each step written with "0.##". Rows whose month is not a month name are ignored.
std::array<double, 12> darkEnergyByMonth(const std::vector<CapacitySchedule>& schedules);

// The dark windows of a month, from sunset on: the night up to midnight, then whole days
// [0, 24], then the rest of the morning. darkLength is sunrise + 24 - sunset with the daily
// cycle, else K. No window when it is 0 or less.
std::vector<Period> darkWindows(double sunset, double darkLength);

// The parts of the segments inside the windows, window by window.
std::vector<Interval> clipToWindows(const std::vector<Interval>& segments,
                                    const std::vector<Period>& windows);

// Why the inputs give no capacity at all: a system voltage, depth of discharge or inverter
// efficiency of 0 or less, battery losses of 100 % or more, an empty temperature table or a
// day-light row without its battery temperature. The message names what to fix.
std::optional<QString> capacityRefusal(const CapacityInputs& in);

// The profile method's powers of one month (1..12) inside its dark windows: cm's darkWindows,
// pnom, pmax and ppeak. In mode 2 each addition to the load at a switching time is rounded to
// accumulatorDecimals (the chain writes it with "0.##", the battery analysis with "0.###").
// Nothing is set for a month without a day-light row.
void profilePowers(const CapacityInputs& in, int monthIdx, CapacityMonth& cm,
                   int accumulatorDecimals);

// The parameter method (mode 0): the monthly capacities, then the discharge currents of the
// largest stored powers of all schedules, whatever their months and without Kinv.
CapacityResult capacityByParameters(const CapacityInputs& in);

// The profile method (modes 1 and 2; settings.loadMode 2 takes the peak from the consumers):
// the monthly capacities, then the nominal and maximum powers of each month's load profile
// inside its dark windows, and the peak power.
CapacityResult capacityByProfiles(const CapacityInputs& in);

// The method of settings.loadMode.
CapacityResult requiredCapacity(const CapacityInputs& in);

} // namespace ses
