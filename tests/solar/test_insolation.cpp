// Panel performance against the sun and the required power and tilt, worked out by hand.

#include "lib/months.h"
#include "solar/insolation.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

const std::vector<LossRow> kTable = {{0, 0}, {10, 1.5}, {20, 6}};

TEST(DeviationLoss, InsideAtAndBeyondTheTable) {
    struct Case {
        double angle, loss;
    } cases[] = {
        {10, 1.5}, {15, 3.75}, {14, 3.3},
        {0, 0},    {25, 6}, // beyond the last row the last row holds (no "perfect" east array)
        {-5, 0}};           // below the first row the first row holds
    for (const auto& c : cases)
        EXPECT_EQ(deviationLoss(kTable, c.angle), c.loss) << c.angle;
    EXPECT_EQ(deviationLoss({}, 40), 0);
    EXPECT_EQ(*performanceCoefficient(kTable, 14), 0.967);
    EXPECT_FALSE(performanceCoefficient({{0, 0}, {90, 100}}, 95)); // 100 % loss never divides
    EXPECT_TRUE(coefficientRefusal(95).contains("95 град."));
}

TEST(DeviationAngle, TiltAndAzimuthAsTheLegsOfATriangle) {
    EXPECT_EQ(deviationAngle(150, 40, 50), 31.6);
    EXPECT_EQ(deviationAngle(180, 50, 50), 0);
    EXPECT_EQ(*batteryCoefficient({{1200, 1}, {600, 0.9}}, 1800), 0.967);
    EXPECT_FALSE(batteryCoefficient({{1200, 1}}, 0));
}

TEST(ScheduleMonthRequirement, FromTheNightEnergyThroughTheLosses) {
    SizingSettings s;
    // E = 3300 - 1000 + 1000 / 0,8 = 3550; E1 = 3944,44; / 1 / 1 / 0,7 = 5634,9.
    EXPECT_EQ(*scheduleMonthRequirement(s, 3300, 1000, 1000, 1, -10, 1, 0.7), 5635);
    s.panelTemperature = true; // Ft = 1 + (-10 - 25) * -0,47 / 100 = 1,1645
    EXPECT_EQ(*scheduleMonthRequirement(s, 3300, 1000, 1000, 1, -10, 1, 0.7), 4839);
    EXPECT_FALSE(scheduleMonthRequirement(s, 3300, 1000, 1000, 0, -10, 1, 0.7)); // no radiation
    s.batteryLosses = 100;
    EXPECT_FALSE(scheduleMonthRequirement(s, 3300, 1000, 1000, 1, -10, 1, 0.7));
}

RegionYear regionWithTilts(std::array<double, 12> tilts) {
    RegionYear r;
    for (int m = 0; m < 12; ++m)
        r[m] = RegionMonthData{2, 10, tilts[m]};
    return r;
}

// Loss equal to the angle in percent: the coefficient is 1 - angle / 100.
const std::vector<LossRow> kLinear = {{0, 0}, {90, 90}};

TEST(RequiredPower, SearchesTheTiltWhenTheGoverningMonthsTiltIsNotEnough) {
    const RegionYear region = regionWithTilts({60, 40, 40, 40, 40, 20, 40, 40, 40, 40, 40, 40});
    std::array<double, 12> req{};
    req[0] = 1000;
    req[5] = 1000; // a tie: January, the earlier month, governs
    const TiltResult t = requiredPowerAndTilt(req, region, kLinear);
    EXPECT_EQ(t.governingMonth, 1);
    EXPECT_EQ(t.pmax, 1000);
    ASSERT_TRUE(t.searched);
    EXPECT_EQ(t.tilt, 40); // both months 20 degrees away: 1000 / 0,8
    EXPECT_EQ(t.power, 1250);
    EXPECT_EQ(t.byTilt.size(), 41u); // tilts 20 to 60
    EXPECT_EQ(t.byTilt.front(), std::make_pair(20, 1667.0));
}

TEST(RequiredPower, NoSearchWhenEveryMonthIsCoveredAtTheGoverningTilt) {
    const RegionYear region = regionWithTilts({45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45});
    const std::array<double, 12> req = {300, 500, 500, 100, 0, 0, 0, 0, 0, 100, 200, 400};
    const TiltResult t = requiredPowerAndTilt(req, region, kLinear);
    EXPECT_FALSE(t.searched);
    EXPECT_EQ(t.governingMonth, 2);
    EXPECT_EQ(t.power, 500);
    EXPECT_EQ(t.tilt, 45);
    EXPECT_EQ(requiredPowerAndTilt({}, region, kLinear).governingMonth, 0);
}

TEST(RequiredPower, MonthlyRequirementSumsSchedulesAndRemainingSubtractsArrays) {
    SizingSettings s;
    s.batteryLosses = 0;
    s.controllerLosses = 0;
    RegionYear region = regionWithTilts({60, 40, 40, 40, 40, 20, 40, 40, 40, 40, 40, 40});
    for (auto& m : region)
        m->radiation = 1;
    const StoredSchedule winter{700, 1, {{"январь", 0, 0}, {"февраль", 0, 0}}};
    const StoredSchedule lights{70, 0.9, {{"январь", 0, 0}}};
    const MonthlyRequirement r = monthlyRequirement({winter, lights}, region, s);
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(r.watts[0], 1000 + 111); // 700 / 0,7 + 70 / 0,9 / 0,7
    EXPECT_EQ(r.watts[1], 1000);
    EXPECT_EQ(r.watts[2], 0);

    RegionYear withoutJanuary = region;
    withoutJanuary[0].reset();
    EXPECT_EQ(monthlyRequirement({winter}, withoutJanuary, s).problems.size(), 1);

    // A south array at 60 degrees covers January fully and February at 0,8.
    const auto rest = remainingRequirement(r.watts, {{180, 60, 500}}, region, kLinear);
    EXPECT_EQ(rest[0], 611);
    EXPECT_EQ(rest[1], 600);
    EXPECT_EQ(rest[2], -400); // a surplus month goes negative and never governs
    const TiltResult more = requiredPowerAndTilt(rest, region, kLinear);
    EXPECT_EQ(more.governingMonth, 1);
}

} // namespace
