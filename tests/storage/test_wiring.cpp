// The wiring rules of the panel strings: the cable section of a string current and the connector
// or splitter type of a current.

#include "storage/wiring.h"

#include <gtest/gtest.h>

namespace ses {
namespace {

// Out of section order on purpose: the rule looks for the smallest section, not the first row.
const std::vector<WireRating> kWires = {{2.5, 30}, {0.5, 11}, {1, 17}, {1.5, 23}, {4, 41}, {6, 50}};

TEST(WiringRules, StringCableSectionIsTheSmallestCarryingTheCurrentOrTheMinimum) {
    struct Case {
        double current, minimum, expected;
    };
    const Case cases[] = {
        {8.5, 4, 4},                     // 0,5 mm2 carries it, but 4 is the least accepted
        {8.5, 1, 1},                     // raised to the minimum
        {18, 1, 1.5},                    // above the minimum: the catalog's section
        {25.5, 4, 4},                    // 2,5 mm2 carries it: raised to the minimum
        {30, 1, 2.5},                    // exactly the permissible current
        {17 * 1.0000000000000002, 1, 1}, // binary noise above a rating still fits it
        {45, 1, 6},
        {55, 4, 4},   // no wire carries it: the minimum
        {55, 10, 10}, // nor here: the minimum, though the catalog has no such row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        SCOPED_TRACE(c.minimum);
        EXPECT_EQ(stringCableSection(kWires, c.current, c.minimum), c.expected);
    }
    EXPECT_EQ(stringCableSection({}, 5, 4), 4);
}

TEST(WiringRules, ConnectorIsTheSmallestRatingNotBelowTheCurrentFirstAmongEquals) {
    const std::vector<ConnectorRating> rows = {
        {"КЛ-40", 40}, {"КЛ-20 первый", 20}, {"КЛ-20 второй", 20}, {"КЛ-30", 30}};
    EXPECT_EQ(connectorFor(rows, 8.5), "КЛ-20 первый");
    EXPECT_EQ(connectorFor(rows, 20), "КЛ-20 первый");
    EXPECT_EQ(connectorFor(rows, 0.1 * 3 * 100 / 1.5), "КЛ-20 первый"); // 20 with binary noise
    EXPECT_EQ(connectorFor(rows, 25.5), "КЛ-30");
    EXPECT_EQ(connectorFor(rows, 40), "КЛ-40");
    EXPECT_EQ(connectorFor(rows, 41), "");
    EXPECT_EQ(connectorFor({}, 1), "");
}

TEST(WiringRules, MinimumSectionIsFourUntilChangedAndKept) {
    EXPECT_EQ(minimumStringSection(), 4);
    setMinimumStringSection(1.5);
    EXPECT_EQ(minimumStringSection(), 1.5);
    setMinimumStringSection(4);
    EXPECT_EQ(offeredSections().front(), 1);
    EXPECT_EQ(offeredSections().back(), 240);
    EXPECT_EQ(offeredSections().size(), 16u);
}

} // namespace
} // namespace ses
