// The climate file readers over small hand-made files of every format, their refusals in one
// table, and a real typical-year file checked against a computation of its own.

#include "lib/months.h"
#include "solar/climate_files.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace ses;

namespace {

// Two days per month; five sunny hours a day (10..14 h) of 100 * month W*h/m2, so the month's
// daily irradiation is 0,5 * month kW*h/(m2*day). Sunny hours are at 10 + month degrees, the rest
// at -5: the mean of all the hours, which Tsred is, differs from the sunny hours' mean.
double sunGhi(int month) {
    return 100.0 * month;
}
double sunT(int month) {
    return 10.0 + month;
}
double allHoursT(int month) {
    return (5 * sunT(month) + 19 * -5.0) / 24;
}

QByteArray epw(int daysPerMonth = 2, const QString& latitude = QStringLiteral("45.5"),
               int skipMonth = 0, bool leap = false) {
    QString s;
    QTextStream o(&s);
    o << "LOCATION,Hill,-,ITA,ERA,1," << latitude << ",8.000000,1,250\n"
      << "DESIGN CONDITIONS,0\nTYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,0\n"
         "HOLIDAYS/DAYLIGHT SAVING,No,0,0,0\nCOMMENTS 1,made by hand, for the tests\n"
         "COMMENTS 2,Irradiance Time Offset (h):-0.8\nDATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
    for (int m = 1; m <= 12; ++m) {
        if (m == skipMonth)
            continue;
        const int days = daysPerMonth > 0 ? daysPerMonth : (m == 2 && leap ? 29 : daysInMonth(m));
        for (int d = 1; d <= days; ++d)
            for (int h = 1; h <= 24; ++h) {
                const bool sun = h >= 11 && h <= 15;
                // Field 11 holds a missing-value code: columns the reader does not use may.
                o << "2018," << m << "," << d << "," << h << ",0,?9?9," << (sun ? sunT(m) : -5.0)
                  << ",1.2,94,99870,9999,9999,283.5," << (sun ? sunGhi(m) : -0.0)
                  << ",0,0,999999,999999,999999,9999,257,0.7,99\n";
            }
    }
    return s.toUtf8();
}

QByteArray tmyCsv(bool headerBlock) {
    QString s;
    QTextStream o(&s);
    if (headerBlock)
        o << "Latitude (decimal degrees): 45.500\nLongitude (decimal degrees): 8.000\n"
             "Elevation (m): 250\nMonths selected:\nMonth,Year\n1,2018\n";
    o << "time(UTC),T2m,RH,G(h),Gb(n),Gd(h),IR(h),WS10m,WD10m,SP\n";
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= 2; ++d)
            for (int h = 0; h < 24; ++h) {
                const bool sun = h >= 10 && h <= 14;
                o << QString::asprintf("2018%02d%02d:%02d00,", m, d, h) << (sun ? sunT(m) : -5.0)
                  << ",90," << (sun ? sunGhi(m) : 0.0) << ",0,0,280,1,200,96000\n";
            }
    o << "\nT2m: 2-m air temperature (degree Celsius)\nG(h): Global irradiance on the horizontal "
         "plane (W/m2)\n";
    return s.toUtf8();
}

// Two years of monthly sums: 2019 gives daily 1 + month / 10 kW*h/(m2*day), 2020 (a leap year)
// daily 3 + month / 10; the mean is 2 + month / 10. Temperatures 0 and 2, mean 1.
double monthlySum(int year, int m) {
    const int days = m == 2 && year == 2020 ? 29 : daysInMonth(m);
    return days * ((year == 2019 ? 1 : 3) + m / 10.0);
}

QByteArray monthlyCsv() {
    static const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QString s;
    QTextStream o(&s);
    o << "Latitude (decimal degrees):\t-33.900\nLongitude (decimal degrees):\t18.400\n"
         "Radiation database:\tPVGIS-SARAH3\n\n\nyear\t\tmonth\t\tH(h)_m\t\tT2m\n";
    for (int y : {2019, 2020})
        for (int m = 1; m <= 12; ++m)
            o << y << "\t\t" << names[m - 1] << "\t\t" << QString::number(monthlySum(y, m), 'f', 3)
              << "\t\t" << (y == 2019 ? 0 : 2) << "\n";
    o << "\nH(h)_m: Irradiation on horizontal plane (kWh/m2/mo)\nT2m: 24 hour average of "
         "temperature (degree Celsius)\n\nPVGIS (c) European Union, 2001-2024\n";
    return s.toUtf8();
}

QByteArray monthlyJson() {
    QString rows;
    for (int y : {2019, 2020})
        for (int m = 1; m <= 12; ++m)
            rows += QStringLiteral("%1{\"year\": %2, \"month\": %3, \"H(h)_m\": %4, \"T2m\": %5}")
                        .arg(rows.isEmpty() ? "" : ",\n")
                        .arg(y)
                        .arg(m)
                        .arg(monthlySum(y, m), 0, 'f', 3)
                        .arg(y == 2019 ? 0 : 2);
    return QStringLiteral("{\"inputs\": {\"location\": {\"latitude\": 50.1, \"longitude\": 30.5, "
                          "\"elevation\": 160}},\n\"outputs\": {\"monthly\": [\n%1\n]}}\n")
        .arg(rows)
        .toUtf8();
}

QByteArray nasa(const char* unit = "kW-hr/m^2/day", const char* radRow = nullptr,
                const char* tRow = nullptr) {
    QString s = QStringLiteral(
                    "-BEGIN HEADER-\nNASA/POWER CERES/MERRA2 Native Resolution Climatology "
                    "Climatologies\nLocation: Latitude  55.75   Longitude 37.62 \nElevation from "
                    "MERRA-2: Average for 0.5 x 0.625 degree lat/lon region = 159.5 meters\nThe "
                    "value for missing source data that cannot be computed or is outside of the "
                    "sources availability range: -999 \nParameter(s): \nALLSKY_SFC_SW_DWN     "
                    "CERES SYN1deg All Sky Surface Shortwave Downward Irradiance (%1) \nT2M      "
                    "             MERRA-2 Temperature at 2 Meters (C) \n-END HEADER-\n"
                    "PARAMETER,JAN,FEB,MAR,APR,MAY,JUN,JUL,AUG,SEP,OCT,NOV,DEC,ANN\n")
                    .arg(QLatin1String(unit));
    s += QLatin1String(radRow ? radRow
                              : "ALLSKY_SFC_SW_DWN,0.54,1.35,2.6,3.75,5.2,5.56,5.37,4.26,2.75,1.37,"
                                "0.6,0.36,2.82\n");
    s += QLatin1String(tRow ? tRow
                            : "T2M,-7.8,-7.1,-1.9,5.8,12.7,16.6,18.9,17,11.2,5,-1.2,-5.6,5.3\n");
    return s.toUtf8();
}

ClimateYear read(const QByteArray& bytes, bool wholeYear = false) {
    const ClimateRead r = readClimateFile(bytes, QStringLiteral("f.txt"), {wholeYear});
    EXPECT_TRUE(r.data) << r.error.toStdString();
    return r.data.value_or(ClimateYear{});
}

void expectHandMadeHourly(const ClimateYear& c) {
    for (int m = 1; m <= 12; ++m) {
        EXPECT_NEAR(c.months[m - 1].radiation, 0.5 * m, 1e-12) << m;
        EXPECT_NEAR(c.months[m - 1].temperature, allHoursT(m), 1e-12) << m;
    }
    EXPECT_TRUE(climateSummary(c, "x").contains(
        "Tср. - среднемесячная температура воздуха (среднее за все часы месяца)."));
}

TEST(ClimateFiles, HourlyFilesGiveDailyIrradiationAndTheAllHoursTemperature) {
    const ClimateYear e = read(epw());
    EXPECT_EQ(e.format, ClimateFormat::Epw);
    EXPECT_EQ(e.site, "Hill");
    EXPECT_EQ(e.latitude, 45.5);
    EXPECT_EQ(e.longitude, 8.0);
    expectHandMadeHourly(e);

    const ClimateYear t = read(tmyCsv(true));
    EXPECT_EQ(t.format, ClimateFormat::PvgisTmyCsv);
    EXPECT_EQ(t.latitude, 45.5);
    expectHandMadeHourly(t);
    const ClimateYear bare = read(tmyCsv(false));
    EXPECT_FALSE(bare.latitude);
    expectHandMadeHourly(bare);
    EXPECT_TRUE(climateSummary(bare, "x.csv").contains("Широта в файле не указана."));
}

TEST(ClimateFiles, MonthlyFilesAverageTheYearsOverTheirOwnDays) {
    for (const QByteArray& bytes : {monthlyCsv(), monthlyJson()}) {
        const ClimateYear c = read(bytes);
        EXPECT_EQ(c.years, 2);
        for (int m = 1; m <= 12; ++m) {
            // February 2020 has 29 days: dividing by 28 would give 3,31 instead of 3,2.
            EXPECT_NEAR(c.months[m - 1].radiation, 2 + m / 10.0, 1e-9) << m;
            EXPECT_NEAR(c.months[m - 1].temperature, 1, 1e-12);
        }
    }
    const ClimateYear csv = read(monthlyCsv());
    EXPECT_EQ(csv.format, ClimateFormat::PvgisMonthlyCsv);
    EXPECT_EQ(csv.latitude, -33.9); // southern latitude kept, with a warning about the tilt rule
    ASSERT_EQ(csv.warnings.size(), 1);
    EXPECT_TRUE(csv.warnings[0].contains("северное полушарие"));
    EXPECT_EQ(read(monthlyJson()).latitude, 50.1);

    const ClimateYear n = read(nasa());
    EXPECT_EQ(n.format, ClimateFormat::NasaPowerCsv);
    EXPECT_EQ(n.latitude, 55.75);
    EXPECT_EQ(n.longitude, 37.62);
    EXPECT_EQ(n.months[0].radiation, 0.54);
    EXPECT_EQ(n.months[11].temperature, -5.6);
    // The agroclimatology community gives MJ/(m2*day).
    EXPECT_NEAR(read(nasa("MJ/m^2/day")).months[0].radiation, 0.15, 1e-12);
}

TEST(ClimateFiles, WholeYearIncludingALeapYear) {
    const ClimateYear c = read(epw(0, "45.5", 0, true), true); // 8 784 rows
    expectHandMadeHourly(c);
    const ClimateRead common = readClimateFile(epw(0), "y.epw", {true});
    ASSERT_TRUE(common.data) << common.error.toStdString();
    expectHandMadeHourly(*common.data);
}

TEST(ClimateFiles, BadFilesAreRefusedNamingFileLineAndField) {
    QByteArray badUtf8 = epw();
    badUtf8.insert(badUtf8.indexOf("COMMENTS 1") + 11, "\xff\xfe");
    QByteArray missingGhi = epw();
    missingGhi.replace("2018,3,1,12,0,?9?9,13,1.2,94,99870,9999,9999,283.5,300,",
                       "2018,3,1,12,0,?9?9,13,1.2,94,99870,9999,9999,283.5,9999,");
    QByteArray missingT = epw();
    missingT.replace("2018,1,2,1,0,?9?9,-5,", "2018,1,2,1,0,?9?9,99.9,");
    QByteArray notNumber = epw();
    notNumber.replace("2018,1,1,12,0,?9?9,11,1.2,94,99870,9999,9999,283.5,100,",
                      "2018,1,1,12,0,?9?9,11,1.2,94,99870,9999,9999,283.5,abc,");
    QByteArray hotTmy = tmyCsv(true);
    hotTmy.replace("20180701:1200,17,", "20180701:1200,75,");
    QByteArray sunnyMonthly = monthlyCsv();
    sunnyMonthly.replace("2019\t\tJan\t\t34.100", "2019\t\tJan\t\t400.000");
    QByteArray brokenJson = monthlyJson();
    brokenJson.replace("\"T2m\": 0}", "\"T2m\": }");
    // A header whose only "G(h)" is inside another column's name.
    QByteArray poaHeader = tmyCsv(true);
    poaHeader.replace("time(UTC),T2m,RH,G(h),", "time(UTC),T2m,RH,POA_G(h),");
    const QByteArray inclined = "Latitude (decimal degrees): 45.5\ntime,G(i),H_sun,T2m,WS10m,Int\n"
                                "20180101:0010,0.0,0.0,1.2,2.1,0.0\n";
    // A decimal comma: between tabs it is no number; in a comma-separated table it is a field
    // too many.
    QByteArray commaInTabs = monthlyCsv();
    commaInTabs.replace("2019\t\tJun\t\t" + QByteArray::number(monthlySum(2019, 6), 'f', 3),
                        "2019\t\tJun\t\t150,5");
    QByteArray commaTable = monthlyCsv();
    commaTable.replace("\t\t", ",");
    commaTable.replace("2019,Jun," + QByteArray::number(monthlySum(2019, 6), 'f', 3) + ",0",
                       "2019,Jun,150,5,0");
    QByteArray repeatedMonth = monthlyCsv();
    repeatedMonth.replace("2020\t\tMar", "2020\t\tFeb");
    QByteArray fractionalYear = monthlyCsv();
    fractionalYear.replace("2019\t\tMay", "2019.5\t\tMay");
    // A duplicated hour standing in for a lost one keeps the month's count of rows.
    QByteArray repeatedHour = epw();
    repeatedHour.replace("2018,5,1,3,0,", "2018,5,1,2,0,");
    QByteArray hour25 = epw();
    hour25.replace("2018,5,1,3,0,", "2018,5,1,25,0,");
    QByteArray textAmongRecords = epw();
    textAmongRecords.replace("2018,6,1,1,0,", "x2018,6,1,1,0,");
    QByteArray badTime = tmyCsv(true);
    badTime.replace("20180301:0500", "2018031:05000");
    QByteArray repeatedTmyHour = tmyCsv(true);
    repeatedTmyHour.replace("20180301:0500", "20180301:0400");
    QByteArray textLatitude = monthlyJson();
    textLatitude.replace("\"latitude\": 50.1", "\"latitude\": \"50.1\"");
    QByteArray nasaTwice = nasa();
    nasaTwice += "T2M,-7.8,-7.1,-1.9,5.8,12.7,16.6,18.9,17,11.2,5,-1.2,-5.6,5.3\n";
    QByteArray nasaComma =
        nasa(nullptr, nullptr, "T2M,-7,8,-7.1,-1.9,5.8,12.7,16.6,18.9,17,11.2,5,-1.2,-5.6,5.3\n");

    const struct {
        const char* what;
        QByteArray bytes;
        bool wholeYear;
        std::vector<const char*> said;
    } cases[] = {
        {"unknown format", "a,b,c\n1,2,3\n", false, {"формат не распознан"}},
        {"not UTF-8", badUtf8, false, {"строка 6", "UTF-8"}},
        {"missing radiation",
         missingGhi,
         false,
         {"строка 116", "Global Horizontal Radiation", "отсутствует (9999)"}},
        {"missing temperature",
         missingT,
         false,
         {"строка 33", "Dry Bulb Temperature", "отсутствует (99.9)"}},
        {"not a number", notNumber, false, {"строка 20", "\"abc\" - не число"}},
        {"truncated year",
         epw(0).left(epw(0).lastIndexOf("2018,12,31,1,")),
         true,
         {"неполный год", "8736"}},
        {"month with no rows", epw(2, "45.5", 3), false, {"месяц \"март\""}},
        {"temperature out of range", hotTmy, false, {"строка 308", "поле \"T2m\"", "от -70 до 60"}},
        {"radiation out of range",
         sunnyMonthly,
         false,
         {"строка 7", "поле \"H(h)_m\"", "от 0 до 12"}},
        {"NASA missing value",
         nasa(nullptr, "ALLSKY_SFC_SW_DWN,0.54,-999,2.6,3.75,5.2,5.56,5.37,"
                       "4.26,2.75,1.37,0.6,0.36,2.82\n"),
         false,
         {"строка 11", "ALLSKY_SFC_SW_DWN февраль", "-999"}},
        {"NASA without temperature", nasa(nullptr, nullptr, "\n"), false, {"нет строки T2M"}},
        {"broken JSON", brokenJson, false, {"строка 3", "JSON"}},
        {"latitude beyond the pole", epw(2, "95"), false, {"от -90 до 90 град."}},
        {"no G(h) column, only POA_G(h)", poaHeader, false, {"строка 7", "\"G(h)\"", "POA_G(h)"}},
        {"inclined plane hourly file",
         inclined,
         false,
         {"строка 2", "time, G(i), H_sun, T2m", "наклонную"}},
        {"decimal comma between tabs", commaInTabs, false, {"строка 12", "\"150,5\" - не число"}},
        {"decimal comma in a comma table",
         commaTable,
         false,
         {"строка 12", "значений 5, а в заголовке 4"}},
        {"month twice", repeatedMonth, false, {"строка 21", "февраль", "уже был"}},
        {"fractional year", fractionalYear, false, {"строка 11", "поле \"year\"", "не год"}},
        {"hour twice",
         repeatedHour,
         false,
         {"строка 203", "поле \"Hour\"", "час 1 дня 1 месяца \"май\" уже был"}},
        {"hour 25", hour25, false, {"строка 203", "поле \"Hour\"", "\"25\" - не час"}},
        {"text among the records", textAmongRecords, false, {"строка 249", "с года"}},
        {"malformed time", badTime, false, {"строка 109", "ГГГГММДД:ЧЧММ"}},
        {"TMY hour twice", repeatedTmyHour, false, {"строка 109", "уже был"}},
        {"JSON latitude as text", textLatitude, false, {"inputs.location", "latitude", "не число"}},
        {"NASA row twice", nasaTwice, false, {"строка 13", "T2M уже была"}},
        {"NASA decimal comma", nasaComma, false, {"строка 12", "значений 15, а в заголовке 14"}},
    };
    for (const auto& c : cases) {
        const ClimateRead r = readClimateFile(c.bytes, QStringLiteral("site.dat"), {c.wholeYear});
        EXPECT_FALSE(r.data) << c.what;
        EXPECT_TRUE(r.error.startsWith("Файл \"site.dat\""))
            << c.what << ": " << r.error.toStdString();
        for (const char* s : c.said)
            EXPECT_TRUE(r.error.contains(QString::fromUtf8(s)))
                << c.what << ": " << r.error.toStdString() << " lacks " << s;
        EXPECT_FALSE(r.error.contains("..")) << c.what << ": " << r.error.toStdString();
    }
}

// The real file, against twelve means computed here in a few lines of their own.
TEST(ClimateFiles, RealTypicalYearMatchesAnIndependentComputation) {
    QFile f(QStringLiteral(CLIMATE_SAMPLES "/tmy_45.000_8.000_2005_2023.epw"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();

    double ghi[12] = {}, tAll[12] = {};
    int hours[12] = {};
    for (const QByteArray& line : bytes.split('\n')) {
        const QList<QByteArray> v = line.split(',');
        if (v.size() < 14 || !std::isdigit(static_cast<unsigned char>(v[0][0])))
            continue;
        const int m = v[1].toInt() - 1;
        const double g = v[13].toDouble();
        ghi[m] += g;
        tAll[m] += v[6].toDouble();
        ++hours[m];
    }

    const ClimateRead r = readClimateFile(bytes, QStringLiteral("tmy.epw"));
    ASSERT_TRUE(r.data) << r.error.toStdString();
    EXPECT_EQ(r.data->latitude, 45.0);
    EXPECT_EQ(r.data->longitude, 8.0);
    EXPECT_TRUE(r.data->site.isEmpty()); // "unknown" is no name
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(hours[m], daysInMonth(m + 1) * 24);
        EXPECT_NEAR(r.data->months[m].radiation, ghi[m] / daysInMonth(m + 1) / 1000, 1e-9) << m;
        EXPECT_NEAR(r.data->months[m].temperature, tAll[m] / hours[m], 1e-9) << m;
    }
    // Plausible for 45 degrees north: dark December, bright July.
    EXPECT_LT(r.data->months[11].radiation, 2);
    EXPECT_GT(r.data->months[6].radiation, 6);
}

} // namespace
