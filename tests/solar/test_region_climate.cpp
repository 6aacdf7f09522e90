// Regions from the station set and from climate files written into the region catalog.

#include "data/fixture.h"
#include "lib/months.h"
#include "lib/numbers.h"
#include "lib/tilt.h"
#include "solar/region_import.h"
#include "solar/sky.h"
#include "solar/station_set.h"

#include <QFile>
#include <QProcess>

#include <map>

using namespace ses;

namespace {

QList<QList<QByteArray>> csvRows(const char* name) {
    QFile f(QStringLiteral(STARTER_DATA "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    QList<QList<QByteArray>> rows;
    for (const QByteArray& l : f.readAll().split('\n').mid(1))
        if (!l.trimmed().isEmpty())
            rows << l.trimmed().split(',');
    return rows;
}

// Every starter region was made by the same estimate from one station of the set: the station
// with the region's latitude and monthly temperatures must give back its twelve P exactly.
TEST(StationClimate, EstimateReproducesEveryStarterRegion) {
    const std::vector<Station>& stations = bundledStations();
    ASSERT_EQ(stations.size(), 3025u);
    std::map<int, std::vector<std::array<double, 2>>> months; // Kod0 -> (P, Tsred) by month
    for (const auto& r : csvRows("region1.csv"))
        months[r[1].toInt()].push_back({r[3].toDouble(), r[4].toDouble()});
    int checked = 0;
    for (const auto& r : csvRows("region0.csv")) {
        const int kod = r[0].toInt();
        const double fi = r[2].toDouble();
        const auto& year = months[kod];
        ASSERT_EQ(year.size(), 12u);
        // Stations sharing a grid cell share latitude and temperatures (Астрахань has two);
        // one of them is the region's.
        bool reproduced = false;
        for (const Station& st : stations) {
            bool same = st.latitude == fi;
            for (int m = 0; same && m < 12; ++m)
                same = st.temperature[m] == year[m][1];
            if (!same)
                continue;
            const ClimateYear c = stationClimate(st);
            bool all = true;
            for (int m = 0; m < 12; ++m)
                all = all && c.months[m].radiation == year[m][0];
            reproduced = reproduced || all;
        }
        EXPECT_TRUE(reproduced) << r[1].toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 117);
    // Polar night: no sun, no estimate below zero.
    EXPECT_EQ(angstromRadiation(78, 12, 0), 0);
}

TEST(StationClimate, SearchByNameAndByLatitude) {
    const std::vector<Station>& s = bundledStations();
    const auto named = stationsByName(s, QStringLiteral("habarovsk"), 10);
    ASSERT_FALSE(named.empty());
    for (const auto& m : named) {
        EXPECT_TRUE(s[m.index].city.contains("HABAROVSK"));
        EXPECT_FALSE(m.distanceKm);
    }
    EXPECT_TRUE(stationsByName(s, QStringLiteral("no such place"), 10).empty());

    const auto near = stationsNearLatitude(s, 48.533, 5);
    ASSERT_EQ(near.size(), 5u);
    EXPECT_EQ(*near[0].distanceKm, 0); // Хабаровск's station and its twin lie on 48,533
    for (size_t i = 1; i < near.size(); ++i)
        EXPECT_LE(*near[i - 1].distanceKm, *near[i].distanceKm);
    EXPECT_NEAR(*stationsNearLatitude(s, 90, 1)[0].distanceKm, (90 - 80.82) * 111.2, 0.5);

    for (const Station& st : s) {
        const QString name = stationRegionName(st);
        ASSERT_LE(name.size(), 30) << name.toStdString();
        ASSERT_TRUE(name.endsWith(" (оценка)"));
        ASSERT_NE(name, " (оценка)");
    }
}

class RegionWriteTest : public test::DbTest {
protected:
    ClimateYear climate(double lat, double p) {
        ClimateYear c;
        c.latitude = lat;
        for (int m = 0; m < 12; ++m)
            c.months[m] = {p + m / 1000.0, -10.04 + m, std::nullopt};
        return c;
    }
    QList<QVariantList> stored() {
        QList<QVariantList> rows;
        QSqlQuery q = store->select(QStringLiteral(
            "SELECT r0.Kod, r0.Region, r0.Fi, r1.MonthName, r1.P, r1.Tsred, r1.B FROM region0 r0 "
            "JOIN region1 r1 ON r1.Kod0 = r0.Kod ORDER BY r0.Kod, r1.Kod"));
        while (q.next())
            rows << QVariantList{q.value(0), q.value(1), q.value(2), q.value(3),
                                 q.value(4), q.value(5), q.value(6)};
        return rows;
    }
};

TEST_F(RegionWriteTest, NewRegionThenReplacedOnlyAfterTheQuestion) {
    ASSERT_EQ(writeClimateRegion(*dm, prompter, QStringLiteral(" Участок "), climate(50, 1.2345)),
              RegionWrite::Written);
    QList<QVariantList> rows = stored();
    ASSERT_EQ(rows.size(), 12);
    const QVariant kod = rows[0][0];
    EXPECT_EQ(rows[0][1].toString(), "Участок");
    EXPECT_EQ(rows[0][2].toDouble(), 50);
    EXPECT_EQ(rows[0][3].toString(), "январь");
    // E on the plane of the month's tilt from the horizontal 1,23 kept as the month's source.
    EXPECT_EQ(rows[0][4].toDouble(),
              roundHalfEven(sky::regionPlaneValue(50, 1, 1.23, std::nullopt, 70, -10), 2));
    EXPECT_GT(rows[0][4].toDouble(), 2 * 1.23);
    QSqlQuery source = store->select(
        QStringLiteral("SELECT H, Kd, Source FROM region2 WHERE Kod0 = ? AND MonthName = 'январь'"),
        {rows[0][0]});
    ASSERT_TRUE(source.next());
    EXPECT_EQ(source.value(0).toDouble(), 1.23); // to 0,01
    EXPECT_TRUE(source.isNull(1));
    EXPECT_FALSE(source.value(2).toString().isEmpty());
    EXPECT_EQ(rows[0][5].toDouble(), -10); // Tsred to 0,1
    EXPECT_EQ(rows[0][6].toDouble(), 70);  // B by the tilt rule at 50 degrees, day 22
    EXPECT_EQ(rows[5][6].toDouble(), 27);
    EXPECT_EQ(rows[11][3].toString(), "декабрь");

    // No: nothing changes, and the question names the region.
    EXPECT_EQ(writeClimateRegion(*dm, prompter, QStringLiteral("Участок"), climate(40, 3)),
              RegionWrite::Declined);
    EXPECT_TRUE(prompter.last().contains("\"Участок\""));
    EXPECT_EQ(stored(), rows);

    prompter.answer(true);
    EXPECT_EQ(writeClimateRegion(*dm, prompter, QStringLiteral("Участок"), climate(40, 3)),
              RegionWrite::Written);
    rows = stored();
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows[0][0], kod); // the same region: variants naming it still find it
    EXPECT_EQ(rows[0][2].toDouble(), 40);
    const double b = *optimalTilt(40, QStringLiteral("январь"), 22);
    EXPECT_EQ(rows[0][6].toDouble(), b);
    EXPECT_EQ(rows[0][4].toDouble(),
              roundHalfEven(sky::regionPlaneValue(40, 1, 3, std::nullopt, b, -10), 2));
}

TEST_F(RegionWriteTest, RefusalsWriteNothing) {
    ClimateYear noLatitude = climate(50, 1);
    noLatitude.latitude.reset();
    const struct {
        QString name;
        ClimateYear c;
        const char* said;
    } cases[] = {
        {QStringLiteral("  "), climate(50, 1), "Введите название региона."},
        {QString(31, u'Я'), climate(50, 1), "длиннее 30 символов"},
        {QStringLiteral("Участок"), noLatitude, "широта"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(writeClimateRegion(*dm, prompter, c.name, c.c), RegionWrite::Refused);
        EXPECT_TRUE(prompter.last().contains(QString::fromUtf8(c.said))) << c.said;
    }
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(tbl("region0").isEmpty());
}

struct ToolRun {
    int code;
    QString out, err;
};

ToolRun runTool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(DATA_TOOL), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(DataToolClimate, ImportsAFileAndAStationReplacingOnlyWhenAsked) {
    test::ensureApp();
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/Data";
    ASSERT_EQ(runTool({"init", dir, "--bare"}).code, 0);
    const QString epw = QStringLiteral(CLIMATE_SAMPLES "/tmy_45.000_8.000_2005_2023.epw");
    ToolRun r = runTool({"import-climate", dir, epw, "--name", "Пьемонт"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Tср. - среднемесячная температура воздуха (среднее за все часы"))
        << r.out.toStdString();
    r = runTool({"import-climate", dir, epw, "--name", "Пьемонт"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("\"Пьемонт\" уже есть")) << r.err.toStdString();
    EXPECT_EQ(runTool({"import-climate", dir, epw, "--name", "Пьемонт", "--replace"}).code, 0);

    r = runTool({"station-region", dir, "--name", "habarovsk", "--pick", "99"});
    EXPECT_EQ(r.code, 2);
    r = runTool({"station-region", dir, "--name", "habarovsk", "--pick", "1"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("1. HABAROVSK")) << r.out.toStdString();
    r = runTool({"station-region", dir, "--lat", "48,5", "--lon", "135,1"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("по меридиану")) << r.out.toStdString();
    EXPECT_EQ(runTool({"import-climate", dir, dir + "/missing.epw"}).code, 1);

    auto store = Store::open(dir);
    QSqlQuery q = store->select(QStringLiteral(
        "SELECT r0.Region, COUNT(r1.Kod) FROM region0 r0 JOIN region1 r1 ON r1.Kod0 = r0.Kod "
        "GROUP BY r0.Kod ORDER BY r0.Region"));
    QStringList regions;
    while (q.next())
        regions << q.value(0).toString() + ":" + q.value(1).toString();
    EXPECT_EQ(regions, QStringList({"HABAROVSK (оценка):12", "Пьемонт:12"}));
}

} // namespace
