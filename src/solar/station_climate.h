#pragma once
// Regions estimated from the bundled station set (mean temperature and relative sunshine of each
// month): the global radiation follows from the sunshine by the Angström-Prescott relation, the
// same estimate that made the starter regions.

#include "solar/climate_files.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ses {

// Mean daily global horizontal irradiation of a month, kW*h/(m2*day), unrounded, from the
// relative sunshine n/N in percent (FAO Irrigation and Drainage Paper 56, Allen et al. 1998):
// Rs = (0,25 + 0,50 n/N) Ra, eq. 35 with the default coefficients; Ra by eq. 21-25 for the middle
// day of the month; MJ turned into kW*h by / 3,6. 0 in the polar night.
double angstromRadiation(double latitude, int month, double sunPercent);

struct Station {
    QString city, country, id; // ISD name (Latin), country, ISD id USAF-WBAN
    double latitude = 0;
    std::array<double, 12> temperature{}, sunPercent{};
};

// The station table (City,Country,Fi,Month,Tmean,SunPct,Station; twelve rows per station in
// calendar order). A malformed table gives an empty list and the reason in *error.
std::vector<Station> parseStations(const QByteArray& csv, QString* error = nullptr);

struct StationMatch {
    int index = 0;                    // into the station list
    std::optional<double> distanceKm; // along the meridian, for a search by latitude
};

// Stations whose name contains the text (case-insensitive), in name order, at most `limit`.
std::vector<StationMatch> stationsByName(const std::vector<Station>& stations, const QString& text,
                                         int limit);

// The stations nearest to a latitude. The station set holds no longitudes, so the distance is
// the one along the meridian (|difference of latitudes| * 111,2 km), a lower bound of the true
// distance; ties by name.
std::vector<StationMatch> stationsNearLatitude(const std::vector<Station>& stations,
                                               double latitude, int limit);

// The twelve months of a station: P rounded to 0,01 as in the starter regions, Tsred the
// station's monthly mean temperature.
ClimateYear stationClimate(const Station& s);

// A default region name that says it is an estimate: "<station> (оценка)", the station's name
// shortened so that the whole fits the 30 characters of the catalog.
QString stationRegionName(const Station& s);

} // namespace ses
