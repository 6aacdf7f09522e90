#pragma once
// A measured or estimated climate written into the region catalog: one region0 row and its
// twelve region1 rows, through the tables' rules, in one transaction.

#include "solar/climate_files.h"

#include <QString>

#include <optional>
#include <vector>

namespace ses {

class Prompter;
class TDataModule1;

// One month row as it will be stored: the horizontal radiation (kept in region2 as the month's
// source), Tsred to 0,1, B by the optimal-tilt rule for the latitude and the day of the program
// settings, and E = P on the plane of B derived from the source.
struct RegionMonthRow {
    QString month;
    double radiation = 0, temperature = 0; // radiation on the horizontal, as the file gives it
    std::optional<double> tilt;
    std::optional<double> plane = std::nullopt; // E: on the plane of the tilt, to 0,01
};
std::vector<RegionMonthRow> regionMonthRows(const ClimateYear& c, int day);

enum class RegionWrite { Written, Declined, Refused };

// Writes the region `name` from the climate. A name already in the catalog is replaced (its
// latitude and its twelve months; its key, and so the variants naming it, stay) only after a
// question naming it; No gives Declined and changes nothing. A bad name or a climate without a
// latitude, and any row the table rules refuse, give Refused with the reason told through the
// prompter, and nothing is written. Throws DbError when the store fails (rolled back).
RegionWrite writeClimateRegion(TDataModule1& dm, Prompter& prompter, const QString& name,
                               const ClimateYear& c);

} // namespace ses
