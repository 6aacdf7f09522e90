#pragma once
// The stored monthly rows of a variant's schedules depend on its day-light hours, daily cycle,
// hours without sun, voltage, region and battery settings: after those change, every schedule's
// monthly rows are rebuilt from what the schedule itself holds.

namespace ses {

class TDataModule1;

// Rebuilds the monthly rows of every AC and DC schedule of the current variant in one
// transaction: schedules with intervals from their intervals, typed schedules from their typed
// dark-time energies (matched by month). The current load and schedule rows are kept.
// Returns false (and changes nothing) when a schedule could not be stored.
bool rebuildMonthlyRows(TDataModule1& dm);

} // namespace ses
