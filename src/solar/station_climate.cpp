#include "solar/station_climate.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ses {

double angstromRadiation(double latitude, int month, double sunPercent) {
    // Day of the year of the middle of each month in a 365-day year.
    static const double midDay[12] = {16,  45.5, 75,    105.5, 136,   166.5,
                                      197, 228,  258.5, 289,   319.5, 350};
    const double pi = std::numbers::pi;
    const double j = midDay[month - 1];
    const double phi = latitude * pi / 180;
    const double dr = 1 + 0.033 * std::cos(2 * pi * j / 365);       // eq. 23
    const double delta = 0.409 * std::sin(2 * pi * j / 365 - 1.39); // eq. 24
    const double x = std::clamp(-std::tan(phi) * std::tan(delta), -1.0, 1.0);
    const double ws = std::acos(x); // eq. 25, clipped
    const double gsc = 0.0820;      // MJ/(m2*min)
    const double ra = 24 * 60 / pi * gsc * dr *
                      (ws * std::sin(phi) * std::sin(delta) +
                       std::cos(phi) * std::cos(delta) * std::sin(ws)); // eq. 21, MJ/(m2*day)
    const double rs = (0.25 + 0.50 * sunPercent / 100) * ra;            // eq. 35
    return std::max(0.0, rs / 3.6);
}

std::vector<Station> parseStations(const QByteArray& csv, QString* error) {
    const auto fail = [error](int line, const QString& why) {
        if (error)
            *error = QStringLiteral("Справочник станций, строка %1: %2").arg(line).arg(why);
        return std::vector<Station>{};
    };
    std::vector<Station> out;
    const QList<QByteArray> lines = csv.split('\n');
    int row = 0; // data rows read
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray l = lines[i].trimmed();
        if (l.isEmpty())
            continue;
        const QList<QByteArray> f = l.split(',');
        if (f.size() != 7)
            return fail(i + 1, QStringLiteral("полей %1, нужно 7.").arg(f.size()));
        const int m = row % 12 + 1;
        if (monthIndex(QString::fromUtf8(f[3])) != m)
            return fail(i + 1, QStringLiteral("ожидался месяц \"%1\".").arg(monthNames()[m - 1]));
        const auto fi = parseNumber(QString::fromLatin1(f[2]));
        const auto t = parseNumber(QString::fromLatin1(f[4]));
        const auto sun = parseNumber(QString::fromLatin1(f[5]));
        if (!fi || !t || !sun)
            return fail(i + 1, QStringLiteral("не число."));
        if (m == 1) {
            Station s;
            s.city = QString::fromUtf8(f[0]);
            s.country = QString::fromUtf8(f[1]);
            s.id = QString::fromUtf8(f[6]);
            s.latitude = *fi;
            out.push_back(s);
        } else if (out.back().id != QString::fromUtf8(f[6])) {
            return fail(i + 1, QStringLiteral("у станции не все двенадцать месяцев."));
        }
        out.back().temperature[m - 1] = *t;
        out.back().sunPercent[m - 1] = *sun;
        ++row;
    }
    if (row % 12 != 0)
        return fail(int(lines.size()), QStringLiteral("у последней станции не все месяцы."));
    return out;
}

namespace {

bool byName(const std::vector<Station>& s, int a, int b) {
    const int c = QString::compare(s[a].city, s[b].city, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : s[a].id < s[b].id;
}

} // namespace

std::vector<StationMatch> stationsByName(const std::vector<Station>& stations, const QString& text,
                                         int limit) {
    std::vector<int> found;
    const QString needle = text.trimmed();
    if (needle.isEmpty())
        return {};
    for (int i = 0; i < int(stations.size()); ++i)
        if (stations[i].city.contains(needle, Qt::CaseInsensitive) || stations[i].id == needle)
            found.push_back(i);
    std::sort(found.begin(), found.end(), [&](int a, int b) { return byName(stations, a, b); });
    std::vector<StationMatch> out;
    for (int i : found) {
        if (int(out.size()) >= limit)
            break;
        out.push_back({i, std::nullopt});
    }
    return out;
}

std::vector<StationMatch> stationsNearLatitude(const std::vector<Station>& stations,
                                               double latitude, int limit) {
    // Mean length of one degree of a meridian, km.
    constexpr double kmPerDegree = 111.2;
    std::vector<StationMatch> all;
    for (int i = 0; i < int(stations.size()); ++i)
        all.push_back({i, std::abs(stations[i].latitude - latitude) * kmPerDegree});
    std::sort(all.begin(), all.end(), [&](const StationMatch& a, const StationMatch& b) {
        if (*a.distanceKm != *b.distanceKm)
            return *a.distanceKm < *b.distanceKm;
        return byName(stations, a.index, b.index);
    });
    if (int(all.size()) > limit)
        all.resize(std::max(0, limit));
    return all;
}

ClimateYear stationClimate(const Station& s) {
    ClimateYear c;
    c.format = ClimateFormat::StationEstimate;
    c.site = s.city;
    c.latitude = s.latitude;
    for (int m = 1; m <= 12; ++m)
        c.months[m - 1] = {roundHalfEven(angstromRadiation(s.latitude, m, s.sunPercent[m - 1]), 2),
                           s.temperature[m - 1], std::nullopt};
    c.warnings << QStringLiteral(
        "Радиация оценена по продолжительности солнечного сияния (климатология 1961 - 1990, "
        "ячейка сетки у станции); зимние месяцы могут отличаться от измерений на 20 % и более. "
        "Для расчета по месту лучше импортировать измеренные данные.");
    return c;
}

QString stationRegionName(const Station& s) {
    const QString suffix = QStringLiteral(" (оценка)");
    QString name = s.city.trimmed();
    // Placeholder names of the ISD list ("...", "APPROXIMATE LOCALE") say nothing: the id does.
    if (name.isEmpty() || name == QLatin1String("...") ||
        name.startsWith(QLatin1String("APPROXIMATE"), Qt::CaseInsensitive))
        name = QStringLiteral("Станция ") + s.id.section(u'-', 0, 0);
    return name.left(30 - int(suffix.size())).trimmed() + suffix;
}

} // namespace ses
