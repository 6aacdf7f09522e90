#pragma once
// What the load's viewing windows read from a variant: every schedule with its intervals,
// monthly rows and consumers for the monthly totals, and one load side's schedules for the
// chart windows. Reading only.

#include "load/load_totals.h"
#include "load/schedule_charts.h"

#include <vector>

namespace ses {

class TDataModule1;

// The variant's AC loads with their schedules, then its DC schedules (load kDcLoadName), each
// with its intervals, monthly row names and consumers with their periods and modes; its
// day-light rows and the two load windows of the settings.
TotalsInput readTotalsInput(TDataModule1& dm, int variantKod);

// The day-light rows the information window shades the dark periods by: the variant's
// (proj_sunday of variantKod) for a schedule of the variant, the design table (sSun_day) for a
// reference-book schedule (fromBook).
std::vector<DaylightRow> infoDaylight(TDataModule1& dm, bool fromBook, int variantKod);

// The schedules of the AC load with key ownerKod (proj_graf0), or the DC schedules of the
// variant with key ownerKod (proj_graf12_0), in stored order.
std::vector<ChartSchedule> readChartSchedules(TDataModule1& dm, bool ac, int ownerKod);

} // namespace ses
