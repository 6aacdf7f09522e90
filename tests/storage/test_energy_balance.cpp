// The year's energy balance of the battery on hand-worked days.

#include "solar/generation.h"
#include "storage/energy_balance.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

BalanceInputs sameEveryMonth(BalanceMonth m, double controllerLosses = 0,
                             double batteryLosses = 0) {
    BalanceInputs in;
    in.months.fill(m);
    in.controllerLosses = controllerLosses;
    in.batteryLosses = batteryLosses;
    return in;
}

TEST(EnergyBalance, DailyRefillWastesTheSurplusOfAFullBattery) {
    // 600 in, 200 by day: 400 surplus fills the 1000 W*h battery; the 300 night leaves 700.
    const auto b = energyBalance(sameEveryMonth({600, 200, 300, 1000}));
    ASSERT_TRUE(b);
    ASSERT_EQ(b->days.size(), 365u);
    for (const BalanceDay& d : b->days) {
        EXPECT_DOUBLE_EQ(d.dawn, 700);
        EXPECT_DOUBLE_EQ(d.dawnPercent, 70);
        EXPECT_DOUBLE_EQ(d.sunset, 1000);
        EXPECT_DOUBLE_EQ(d.wasted, 100);
        EXPECT_EQ(d.unserved, 0);
    }
    EXPECT_EQ(b->fullDays, 365);
    EXPECT_EQ(b->shortDays, 0);
    EXPECT_NEAR(b->wastedKwh, 36.5, 1e-9);
    EXPECT_NEAR(b->demandKwh, 365 * 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(b->lowest, 700);
}

TEST(EnergyBalance, ShortDaysDrainTheStoreThenMissAConstantAmount) {
    // January: the day load is just covered, each night costs 300 / 0,8 = 375 W*h of the
    // 1000 W*h store; the other months refill it and have no night load.
    BalanceInputs in = sameEveryMonth({2000, 0, 0, 1000}, 0, 20);
    in.months[0] = {100, 100, 300, 1000};
    const auto b = energyBalance(in);
    ASSERT_TRUE(b);
    const std::vector<BalanceDay>& d = b->days;
    EXPECT_DOUBLE_EQ(d[0].dawn, 1000);
    EXPECT_DOUBLE_EQ(d[1].dawn, 625);
    EXPECT_DOUBLE_EQ(d[2].dawn, 250);
    EXPECT_EQ(d[1].unserved, 0);
    EXPECT_NEAR(d[2].unserved, 100, 1e-9); // (375 - 250) x 0,8
    for (int i = 3; i < 31; ++i)
        EXPECT_NEAR(d[i].unserved, 300, 1e-9) << i;
    EXPECT_EQ(d[31].unserved, 0); // February refills
    EXPECT_EQ(b->shortDays, 29);
    EXPECT_EQ(b->firstShortDay, 2);
    EXPECT_EQ(balanceDate(d[b->firstShortDay]), "3 января");
    EXPECT_NEAR(b->unservedKwh, 8.5, 1e-9);
    EXPECT_NEAR(b->unservedPercent, 8.5 / (31 * 0.4) * 100, 1e-9);
    EXPECT_EQ(b->lowest, 0);
    EXPECT_EQ(b->lowestDay, 3); // the first dawn with an empty store
    const QStringList summary = b->summary();
    EXPECT_EQ(summary[0], "Дней с недостатком энергии: 29 (первый - 3 января).");
    EXPECT_EQ(summary[1], "Недоотпущенная энергия: 8,5 кВт*ч (68,55 % потребности 12,4 кВт*ч).");
}

TEST(EnergyBalance, ANightBeyondTheStoreIsShortEveryDay) {
    const auto b = energyBalance(sameEveryMonth({5000, 0, 1200, 1000}));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->shortDays, 365);
    EXPECT_NEAR(b->unservedKwh, 365 * 0.2, 1e-9);
    EXPECT_EQ(b->fullDays, 365);
}

TEST(EnergyBalance, AWinterDeficitCarriesOverTheNewYear) {
    // December nights empty the battery and January brings nothing: the counted year starts
    // empty, not full.
    BalanceInputs in = sameEveryMonth({3000, 0, 0, 1000});
    in.months[0] = {0, 0, 0, 1000};
    in.months[11] = {0, 0, 2000, 1000};
    const auto b = energyBalance(in);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->days[0].dawn, 0);
    EXPECT_EQ(b->days[31].sunset, 1000); // February refills
    EXPECT_EQ(b->shortDays, 31);         // every December night
    EXPECT_EQ(b->firstShortDay, 334);
}

TEST(EnergyBalance, AMonthGeneratingItsConsumptionBreaksEven) {
    // The generation window's consumption Wсут.п of a schedule: 300 W*h by day, 400 at night,
    // through 10 % controller and 20 % battery losses.
    SizingSettings s;
    s.controllerLosses = 10;
    s.batteryLosses = 20;
    LoadSchedule sch;
    sch.dc = true;
    sch.first = QStringLiteral("январь");
    sch.last = QStringLiteral("декабрь");
    sch.wpSut = 700;
    for (const char* m : {"январь", "февраль", "март", "апрель", "май", "июнь", "июль", "август",
                          "сентябрь", "октябрь", "ноябрь", "декабрь"})
        sch.months.push_back({QString::fromUtf8(m), 400, 400});
    const double c1 = monthlyConsumption({sch}, s).c1[0]; // W*h per day
    EXPECT_EQ(c1, 889);
    // A store far from full: each dawn finds what the one before it did.
    auto b = energyBalance(sameEveryMonth({c1, 300, 400, 5000}, 10, 20));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->shortDays, 0);
    EXPECT_NEAR(b->days[40].dawn, b->days[41].dawn, 1);
    // A little less and the store drains day by day.
    b = energyBalance(sameEveryMonth({c1 - 10, 300, 400, 5000}, 10, 20));
    ASSERT_TRUE(b);
    EXPECT_LT(b->days[41].dawn, b->days[40].dawn - 5);
}

TEST(EnergyBalance, LossesOfAHundredPercentGiveNoBalance) {
    EXPECT_FALSE(energyBalance(sameEveryMonth({1000, 0, 0, 1000}, 100, 0)));
    EXPECT_FALSE(energyBalance(sameEveryMonth({1000, 0, 0, 1000}, 0, 100)));
}

} // namespace
