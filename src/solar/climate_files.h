#pragma once
// Monthly climate of a site read from the files of public weather services: a typical year of
// hourly rows (EPW, the PVGIS typical-year CSV) or monthly figures (PVGIS monthly radiation as CSV
// or JSON, the NASA POWER climatology CSV). Over a file's bytes only: no store, no window.
//
// Every figure comes out in the units of the region catalog: P the mean daily global horizontal
// irradiation of the month, kW*h/(m2*day); Tsred the mean air temperature of all the month's
// hours, degrees C, from hourly and monthly files alike (the kind the starter catalogs hold). A
// file is taken exactly as it stands or refused whole with one Russian message naming the file,
// the line and the field: a number field that is not exactly one number, an hour or a month that
// repeats, a figure outside its physical range (lib/ranges.h).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace ses {

struct ClimateMonth {
    double radiation = 0;                         // on the horizontal, kW*h/(m2*day)
    double temperature = 0;                       // Tsred, degrees C
    std::optional<double> diffuse = std::nullopt; // diffuse share, where the file gives it
};

enum class ClimateFormat {
    Epw,
    PvgisTmyCsv,
    PvgisMonthlyCsv,
    PvgisMonthlyJson,
    NasaPowerCsv,
    StationEstimate // not a file: the bundled station set (solar/station_climate.h)
};

struct ClimateYear {
    ClimateFormat format = ClimateFormat::Epw;
    QString site; // the place's name where the file gives one
    std::optional<double> latitude, longitude;
    std::array<ClimateMonth, 12> months{}; // calendar order
    int years = 0;        // the years a monthly file was averaged over; 0 for a typical year
    QStringList warnings; // shown before anything is written
};

struct ClimateReadOptions {
    // An hourly file must hold every hour of the year (8 760 rows, 8 784 in a leap year). Off,
    // every month still needs rows, and its figures are the means of the days it has.
    bool wholeYear = true;
};

struct ClimateRead {
    std::optional<ClimateYear> data;
    QString error; // empty when data is set
};

// Reads the file's bytes; fileName names the file in the messages. The format is told from the
// content, not from the name.
ClimateRead readClimateFile(const QByteArray& bytes, const QString& fileName,
                            const ClimateReadOptions& options = {});

// The format's name for the user ("EPW (EnergyPlus)" ...).
QString climateFormatName(ClimateFormat f);

// Lines describing what was read: source, place and coordinates, what Tsred means, the years.
QStringList climateSummary(const ClimateYear& c, const QString& fileName);

} // namespace ses
