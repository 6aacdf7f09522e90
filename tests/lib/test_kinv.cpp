#include "lib/kinv.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ses;

namespace {

TEST(Kinv, UserEfficiencyThenChosenInverterThenDefault) {
    constexpr std::nullopt_t none = std::nullopt;
    struct Case {
        const char* what;
        bool useUser;
        std::optional<double> user;
        std::optional<double> inverter;
        double expected;
    };
    const Case cases[] = {
        {"user flag wins over the inverter", true, 0.85, 0.95, 0.85},
        {"user flag without an inverter", true, 0.85, none, 0.85},
        {"chosen inverter", false, 0.85, 0.95, 0.95},
        {"no inverter chosen yet", false, 0.85, none, 0.9},
        {"nothing at all", false, none, none, 0.9},
        {"user flag with an empty user value", true, none, 0.95, 0.9},
        {"user flag with a zero user value", true, 0.0, 0.95, 0.9},
        {"user flag with a negative user value", true, -0.5, 0.95, 0.9},
        {"inverter efficiency stored as zero", false, 0.85, 0.0, 0.9},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kinv(c.useUser, c.user, c.inverter), c.expected) << c.what;
    }
}

} // namespace
