// The required battery capacity by both methods, on small loads worked out by hand.

#include "storage/capacity.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ses;

namespace {

// 24 V, 50 % depth of discharge, 10 % losses: 1200 W*h need
// 1200 / 24 / 50 * 100 * Kt / 0,9 = 111,11 * Kt A*h.
StorageSettings settings(int mode) {
    StorageSettings s;
    s.loadMode = mode;
    s.uses = 24;
    s.depthOfDischarge = 50;
    s.batteryLosses = 10;
    s.krazrNom = s.krazrMax = s.krazrPik = 0;
    return s;
}

DaylightRow daylight(const QString& month, double sunrise, double sunset, double temp) {
    return {month, sunrise, sunset, temp};
}

CapacitySchedule dcSchedule(std::vector<ScheduleMonthEnergy> months = {}) {
    CapacitySchedule s;
    s.ac = false;
    s.months = std::move(months);
    return s;
}

CapacitySchedule acSchedule(double kinv, std::vector<ScheduleMonthEnergy> months = {}) {
    CapacitySchedule s;
    s.kinv = kinv;
    s.months = std::move(months);
    return s;
}

TEST(MonthCapacity, EnergyThroughVoltageDepthLossesAndTemperature) {
    EXPECT_EQ(*monthCapacity(24, 1, 10, 1, 50, 1200), 111.11);
    // 1200 / 12 / 80 * 100 * 1,1 / 0,8 / 0,9 = 190,97
    EXPECT_EQ(*monthCapacity(12, 0.9, 20, 1.1, 80, 1200), 190.97);
    EXPECT_FALSE(monthCapacity(0, 1, 10, 1, 50, 1200));
    EXPECT_FALSE(monthCapacity(24, 0, 10, 1, 50, 1200));
    EXPECT_FALSE(monthCapacity(24, 1, 100, 1, 50, 1200));
    EXPECT_FALSE(monthCapacity(24, 1, 10, 1, 0, 1200));
}

TEST(DarkEnergyByMonth, AcSharesThroughTheInverterWrittenWithTwoDecimals) {
    // 1 / 0,3 = 3,33 three times: 9,99, not 10. The DC row is taken as stored; a month text
    // that is not a month name adds nothing.
    std::vector<CapacitySchedule> s(3, acSchedule(0.3, {{"январь", 0, 1}}));
    s.push_back(dcSchedule({{"январь", 0, 0.5}, {"Январь", 0, 100}}));
    const auto e = darkEnergyByMonth(s);
    EXPECT_EQ(e[0], 10.49);
    EXPECT_EQ(e[1], 0);
}

TEST(DarkWindows, FromSunsetThroughWholeDaysToTheRest) {
    struct Case {
        double sunset, length;
        std::vector<Period> windows;
    } cases[] = {
        {20, 10, {{20, 24}, {0, 6}}}, // daily cycle with sunrise at 6
        {18, 30, {{18, 24}, {0, 24}}}, {18, 40, {{18, 24}, {0, 24}, {0, 10}}},
        {18, 6, {{18, 24}}}, // ends exactly at midnight: one window
        {18, 4, {{18, 22}}},           {18, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(darkWindows(c.sunset, c.length), c.windows) << c.sunset << " " << c.length;
}

} // namespace

namespace ses {
bool operator==(const Interval& a, const Interval& b) {
    return a.t1 == b.t1 && a.t2 == b.t2 && a.p == b.p;
}

void PrintTo(const Interval& i, std::ostream* os) {
    *os << "(" << i.t1 << ", " << i.t2 << ", " << i.p << ")";
}
} // namespace ses

namespace {

TEST(MergeIntoProfile, SplitsAtEveryPointAndAddsTheDividedPower) {
    // Points 0, 10, 24 of the profile and 5, 12 of the schedule (10,0004 is 10 at 0,001 h);
    // 40 / 0,5 = 80 over 5..12.
    EXPECT_EQ(
        mergeIntoProfile({{0, 10, 100}, {10, 24, 50}}, {{5, 10.0004, 40}, {10.0004, 12, 40}}, 0.5),
        (std::vector<Interval>{{0, 5, 100}, {5, 10, 180}, {10, 12, 130}, {12, 24, 50}}));
    // An empty profile: the hours before and after the schedule draw nothing.
    EXPECT_EQ(mergeIntoProfile({}, {{8, 18, 10}}, 1),
              (std::vector<Interval>{{0, 8, 0}, {8, 18, 10}, {18, 24, 0}}));
}

// ------------------------------------------------------------------ parameter method

// AC load (Kinv 0,8): January 960 / 0,8 = 1200, February 1040 / 0,8 = 1300, March 5000;
// DC: January 300. E = 1500, 1300, 5000.
// Temperatures 20 (Kt 1) in January and 0 (Kt 1,2) in February, no day-light row for March:
// January 1500 / 24 / 50 * 100 / 0,9 = 138,89; February 1300 ... * 1,2 / 0,9 = 144,44.
// Largest powers: Pnom 400 (AC, not divided by Kinv), Pmax 700 (DC), peak 2000 (AC).
CapacityInputs parameterVariant() {
    CapacityInputs in;
    in.settings = settings(0);
    in.daylight = {daylight("январь", 9, 17, 20), daylight("февраль", 8, 18, 0)};
    in.tempCoefficients = {{0, 1.2}, {20, 1.0}};
    CapacitySchedule ac =
        acSchedule(0.8, {{"январь", 0, 960}, {"февраль", 0, 1040}, {"март", 0, 4000}});
    ac.pnom = 400, ac.pmax = 600, ac.wpPik = 2000;
    CapacitySchedule dc = dcSchedule({{"январь", 0, 300}});
    dc.from = dc.to = "июль"; // its months do not matter for the powers
    dc.pnom = 250, dc.pmax = 700, dc.wpPik = 1000;
    in.schedules = {ac, dc};
    return in;
}

TEST(CapacityByParameters, LargestMonthThenTheDischargeCurrents) {
    struct Case {
        double nom, max, pik;
        double capacity;
        CapacityBasis basis;
    } cases[] = {
        {0, 0, 0, 144.44, CapacityBasis::Energy},   // the colder February, not the larger January
        {10, 0, 0, 166.67, CapacityBasis::Nominal}, // 10 * 400 / 24; with Kinv it would be 208,33
        {0, 5, 0, 145.83, CapacityBasis::Maximum},  // 5 * 700 / 24
        {0, 0, 2, 166.67, CapacityBasis::Peak},     // 2 * 2000 / 24
        {10, 5, 2, 166.67, CapacityBasis::Nominal}, // an equal later check does not take over
    };
    for (const auto& c : cases) {
        CapacityInputs in = parameterVariant();
        in.settings.krazrNom = c.nom, in.settings.krazrMax = c.max, in.settings.krazrPik = c.pik;
        const CapacityResult r = requiredCapacity(in);
        ASSERT_TRUE(r.capacity) << r.error->toStdString();
        EXPECT_EQ(*r.capacity, c.capacity) << c.nom << c.max << c.pik;
        EXPECT_EQ(r.basis, c.basis) << c.nom << c.max << c.pik;
        EXPECT_EQ(r.governingMonth, 2);
        EXPECT_EQ(r.energyCapacity, 144.44);
    }
    const CapacityResult r = requiredCapacity(parameterVariant());
    EXPECT_EQ(r.months[0].capacity, 138.89);
    EXPECT_EQ(r.months[1].ktemp, 1.2);
    // March draws the most but has no day-light row: it takes no part.
    EXPECT_EQ(r.months[2].energy, 5000);
    EXPECT_FALSE(r.months[2].daylight);
    EXPECT_EQ(r.months[2].capacity, 0);
}

TEST(CapacityByParameters, InterpolatedTemperatureCoefficient) {
    // 1200 W*h in January: Kt 1,15 halfway between 1,2 at 0 and 1,1 at 10 gives
    // 111,11 * 1,15 = 127,78 (from the unrounded 100 * 1,15 / 0,9); below the table, 1,2.
    struct Case {
        double temp, ktemp, capacity;
    } cases[] = {{5, 1.15, 127.78}, {-5, 1.2, 133.33}, {10, 1.1, 122.22}};
    for (const auto& c : cases) {
        CapacityInputs in;
        in.settings = settings(0);
        in.daylight = {daylight("январь", 9, 17, c.temp)};
        in.tempCoefficients = {{10, 1.1}, {0, 1.2}};
        in.schedules = {dcSchedule({{"январь", 0, 1200}})};
        const CapacityResult r = requiredCapacity(in);
        EXPECT_EQ(r.months[0].ktemp, c.ktemp) << c.temp;
        EXPECT_EQ(*r.capacity, c.capacity) << c.temp;
        EXPECT_EQ(r.governingMonth, 1);
    }
}

TEST(CapacityByParameters, NoLoadNeedsNothing) {
    CapacityInputs in = parameterVariant();
    in.schedules.clear();
    in.settings.krazrNom = in.settings.krazrMax = in.settings.krazrPik = 10;
    const CapacityResult r = requiredCapacity(in);
    EXPECT_EQ(*r.capacity, 0);
    EXPECT_EQ(r.governingMonth, 0);
}

// ------------------------------------------------------------------ profile method

// January only (sunrise 6, sunset 20, Kt 1); the day-light table has no July.
// AC (Kinv 0,8): 0-8 40, 8-12 400, 12-19 40, 19-23 80, 23-23,1 800, 23,1-24 40 W, that is
// 50, 500, 50, 100, 1000, 50 W through the inverter; peak 1200 / 0,8 = 1500.
// DC: 0-21 20, 21-24 60 W; peak 900.
// Profile: 0-8 70, 8-12 520, 12-19 70, 19-21 120, 21-23 160, 23-23,1 1060, 23,1-24 110.
// AC July only, 0-24 5000 W, peak 9000: not active in January, and July takes no part.
// Stored January energy 240 / 0,8 = 300 W*h: 300 / 24 / 50 * 100 / 0,9 = 27,78 A*h.
CapacityInputs profileVariant() {
    CapacityInputs in;
    in.settings = settings(1);
    in.daylight = {daylight("январь", 6, 20, 20)};
    in.tempCoefficients = {{20, 1.0}};
    CapacitySchedule ac = acSchedule(0.8, {{"январь", 0, 240}});
    ac.intervals = {{0, 8, 40},   {8, 12, 400},    {12, 19, 40},
                    {19, 23, 80}, {23, 23.1, 800}, {23.1, 24, 40}};
    ac.wpPik = 1200;
    CapacitySchedule dc = dcSchedule();
    dc.intervals = {{0, 21, 20}, {21, 24, 60}};
    dc.wpPik = 900;
    CapacitySchedule july = acSchedule(1);
    july.from = july.to = "июль";
    july.intervals = {{0, 24, 5000}};
    july.wpPik = 9000;
    in.schedules = {ac, july, dc};
    return in;
}

TEST(CapacityByProfiles, PowersInsideTheDarkWindowsWithAndWithoutTheDailyCycle) {
    struct Case {
        bool dailyCycle;
        double k;
        std::vector<Period> windows;
        double pnom;
        double capacity; // Krazr_nom 10, Krazr_max 1, Krazr_pik 1
    } cases[] = {
        // 20-24 and 0-6: 120, 160, 1060 (6 minutes, the maximum), 110 and 70:
        // 10 * 160 / 24 = 66,67 over 27,78, 1060 / 24 = 44,17 and 1500 / 24 = 62,5.
        {true, 36, {{20, 24}, {0, 6}}, 160, 66.67},
        // 30 hours from 20: 20-24, 0-24, 0-2, taking in the day's 520: 10 * 520 / 24.
        {false, 30, {{20, 24}, {0, 24}, {0, 2}}, 520, 216.67},
    };
    for (const auto& c : cases) {
        CapacityInputs in = profileVariant();
        in.settings.dailyCycle = c.dailyCycle;
        in.settings.hoursWithoutSun = c.k;
        in.settings.krazrNom = 10, in.settings.krazrMax = 1, in.settings.krazrPik = 1;
        const CapacityResult r = requiredCapacity(in);
        ASSERT_TRUE(r.capacity) << r.error->toStdString();
        EXPECT_EQ(r.months[0].darkWindows, c.windows) << c.k;
        EXPECT_EQ(r.pnom, c.pnom) << c.k;
        EXPECT_EQ(r.pmax, 1060) << c.k;
        EXPECT_EQ(r.ppeak, 1500) << c.k;
        EXPECT_EQ(r.energyCapacity, 27.78);
        EXPECT_EQ(r.governingMonth, 1);
        EXPECT_EQ(*r.capacity, c.capacity) << c.k;
        EXPECT_EQ(r.basis, CapacityBasis::Nominal);
        EXPECT_EQ(r.months[6].pnom, 0);
    }
}

TEST(CapacityByProfiles, PeakIsTheLargestActiveScheduleThroughItsInverter) {
    CapacityInputs in = profileVariant();
    in.settings.krazrPik = 1;
    const CapacityResult r = requiredCapacity(in);
    EXPECT_EQ(*r.capacity, 62.5); // 1500 / 24 over 27,78
    EXPECT_EQ(r.basis, CapacityBasis::Peak);
}

Consumer consumer(double spnom, double sppik, std::vector<std::pair<double, double>> periods) {
    Consumer c;
    c.spnom = spnom;
    c.sppik = sppik;
    for (const auto& [t1, t2] : periods)
        c.periods.push_back({QString(), QString(), t1, t2});
    return c;
}

TEST(CapacityByProfiles, PeakFromConsumersAtTheSwitchingTimesInTheDark) {
    // Dark windows of January: 20-24 and 0-6.
    struct Case {
        const char* what;
        std::vector<CapacitySchedule> schedules;
        double peak;
    } cases[] = {
        {"a switch-on at the end of a window counts",
         {[] {
             CapacitySchedule s = dcSchedule();
             s.consumers = {consumer(100, 300, {{6, 9}})};
             return s;
         }()},
         300},
        // 20: 100 alone; 22: 150 alone. The 1000 W running 20-22 is not added at its own
        // start or end (that would give 1100 or 1150).
        {"running power only strictly inside its period",
         {[] {
             CapacitySchedule s = dcSchedule();
             s.consumers = {consumer(1000, 100, {{20, 22}}), consumer(10, 150, {{22, 23}})};
             return s;
         }()},
         150},
        // 21: 400 / 0,8 = 500 and the DC 20-23 running, 30: 530; the 2000 W at noon is in the
        // light.
        {"AC through the inverter, switch-ons in daylight left out",
         {[] {
              CapacitySchedule s = acSchedule(0.8);
              s.consumers = {consumer(80, 400, {{21, 22}}), consumer(0, 2000, {{12, 13}})};
              return s;
          }(),
          [] {
              CapacitySchedule s = dcSchedule();
              s.consumers = {consumer(30, 50, {{20, 23}})};
              return s;
          }()},
         530},
        {"a schedule of other months adds nothing",
         {[] {
             CapacitySchedule s = dcSchedule();
             s.from = s.to = "февраль";
             s.consumers = {consumer(0, 700, {{21, 22}})};
             return s;
         }()},
         0},
    };
    for (const auto& c : cases) {
        CapacityInputs in;
        in.settings = settings(2);
        in.settings.krazrPik = 1;
        in.daylight = {daylight("январь", 6, 20, 20)};
        in.tempCoefficients = {{20, 1.0}};
        in.schedules = c.schedules;
        const CapacityResult r = requiredCapacity(in);
        EXPECT_EQ(r.months[0].ppeak, c.peak) << c.what;
        EXPECT_EQ(r.ppeak, c.peak) << c.what;
    }
}

// ------------------------------------------------------------------ refusals

TEST(RequiredCapacity, RefusesWhatWouldDivideByZeroOrMeanNothing) {
    struct Case {
        const char* message;
        std::function<void(CapacityInputs&)> spoil;
    } cases[] = {
        {"Напряжение системы", [](CapacityInputs& in) { in.settings.uses = 0; }},
        {"Глубина разряда", [](CapacityInputs& in) { in.settings.depthOfDischarge = 0; }},
        {"Потери на заряд-разряд", [](CapacityInputs& in) { in.settings.batteryLosses = 100; }},
        {"КПД инвертора", [](CapacityInputs& in) { in.schedules[0].kinv = 0; }},
        {"температурных коэффициентов", [](CapacityInputs& in) { in.tempCoefficients.clear(); }},
        {"температура эксплуатации АБ для месяца \"январь\"",
         [](CapacityInputs& in) { in.daylight[0].batteryTemp.reset(); }},
    };
    for (const int mode : {0, 1, 2}) {
        for (const auto& c : cases) {
            CapacityInputs in = profileVariant();
            in.settings.loadMode = mode;
            c.spoil(in);
            const CapacityResult r = requiredCapacity(in);
            EXPECT_FALSE(r.capacity) << c.message;
            ASSERT_TRUE(r.error) << c.message;
            EXPECT_TRUE(r.error->contains(QString::fromUtf8(c.message))) << r.error->toStdString();
            EXPECT_TRUE(r.error->endsWith("емкость АБ не рассчитана."));
        }
    }
    // A DC schedule has no inverter: its Kinv is never read.
    CapacityInputs in = profileVariant();
    in.schedules[2].kinv = 0;
    EXPECT_TRUE(requiredCapacity(in).capacity);
}

} // namespace
