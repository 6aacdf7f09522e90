#include "lib/battery_temp.h"

#include "qt_print.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

TEST(BatteryTemp, LeadAcidTableForExactlyThreeTypes) {
    struct Case {
        const char* type;
        bool leadAcid;
    };
    const Case cases[] = {
        {"AGM", true},  {"GEL", true},   {"Flooded", true}, {"LiFePo4", false},  {"agm", false},
        {"Gel", false}, {"GEL ", false}, {"", false},       {"Flooded1", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(usesLeadAcidTable(QString::fromUtf8(c.type)), c.leadAcid) << c.type;
    }
}

TEST(BatteryTemp, LookupInAnUnsortedTable) {
    // Deliberately not in order of T.
    const std::vector<TempCoefRow> rows = {{10, 1.1}, {-10, 1.4}, {0, 1.2}, {25, 1.0}};
    struct Case {
        double t;
        double expected;
    };
    const Case cases[] = {
        {5, 1.15},                          // between 0 and 10
        {-5, 1.3},                          // between -10 and 0
        {2.5, 1.18},                        // 1.175: the tie goes to the even neighbour
        {7.5, 1.12},                        // 1.125
        {17.5, 1.05}, {10, 1.1},            // exactly tabulated
        {-10, 1.4},   {25, 1.0}, {40, 1.0}, // beyond the warm end
        {-30, 1.4},                         // beyond the cold end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(batteryTempCoef(rows, c.t), c.expected) << "t = " << c.t;
    }
}

TEST(BatteryTemp, OneRowOrNoRow) {
    for (double t : {-20.0, 0.0, 20.0}) {
        EXPECT_EQ(batteryTempCoef({{0, 1.2}}, t), 1.2) << t;
        EXPECT_EQ(batteryTempCoef({}, t), 0.0) << t;
    }
}

} // namespace
