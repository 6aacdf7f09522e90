#include "storage/battery_table.h"

#include <gtest/gtest.h>

#include <map>

using namespace ses;

namespace {

BatteryCatalogRow cell(const char* company, const char* tip, const char* name, double u, double c,
                       double izarMin, double izarMax) {
    return {company, tip, {name, c, u, izarMin, izarMax, 5 * c, 300, 170, 220}};
}

// A 24 V variant asking 400 A*h; Imin = Izmin, Imax = Izmax of the assembly. The charge current
// differs by battery type, as the controllers' charge voltage does: AGM 60 A, GEL 30 A.
struct Fixture {
    AssemblyVariant variant;
    std::vector<BatteryCatalogRow> catalog = {
        cell("A", "AGM", "2V-500", 2, 500, 10, 50),
        cell("A", "AGM", "6V-200", 6, 200, 20, 40),
        cell("A", "GEL", "12V-100", 12, 100, 5, 20),
        cell("A", "GEL", "18V-100", 18, 100, 5, 20),    // 24 V is not a multiple of 18 V
        cell("A", "GEL", "12V-200hi", 12, 200, 40, 60), // Imin 80 A above the 30 A of GEL
        cell("B", "AGM", "12V-250", 12, 250, 2, 25),
        cell("B", "AGM", "12V-zero", 12, 100, 0, 0), // Imax cannot rise by adding strings
        cell("B", "AGM", "2,2V-1000", 2.2, 1000, 10, 100),
        cell("B", "AGM", "no capacity", 12, 0, 10, 20),
        cell("B", "AGM", "0,4V", 0.4, 100, 10, 20),
    };
    std::map<QString, int> asked;
    ChargeForType charge = [this](const QString& type) -> std::optional<double> {
        ++asked[type];
        return type == QStringLiteral("AGM") ? 60.0 : 30.0;
    };

    Fixture() {
        variant.uses = 24;
        variant.cras = 400;
        variant.kzarMin = 1;
        variant.minOnMinimum = true;
        variant.kzarMax = 1;
        variant.maxOnMinimum = false;
    }
};

struct Expected {
    const char* name;
    int ns, np;
    double cf, imin, imax, charge;
};

void expectRows(const std::vector<BatteryCandidate>& rows, const std::vector<Expected>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Expected& e = expected[i];
        const AssemblyFigures& f = rows[i].figures;
        EXPECT_EQ(rows[i].model.name, QString::fromUtf8(e.name)) << i;
        EXPECT_EQ(f.ns, e.ns) << e.name;
        EXPECT_EQ(f.np, e.np) << e.name;
        EXPECT_EQ(f.kol, e.ns * e.np) << e.name;
        EXPECT_DOUBLE_EQ(f.cf, e.cf) << e.name;
        EXPECT_DOUBLE_EQ(f.imin, e.imin) << e.name;
        EXPECT_DOUBLE_EQ(f.imax, e.imax) << e.name;
        EXPECT_EQ(f.charge, e.charge) << e.name;
    }
}

TEST(BatteryCandidates, ChargeMatchGrowsOrLeavesOutWithEachRowsType) {
    Fixture fx;
    const auto rows = batteryCandidates(fx.catalog, fx.variant, true, fx.charge);
    // 2V-500 and 12V-250 grow until Imax reaches the AGM current; 12V-200hi starts above the GEL
    // current and 12V-zero can never reach the AGM one: both are left out. The 2,2 V cell is
    // assembled from whole volts (12 in series, not 11). Ties keep the catalog's order.
    expectRows(rows, {{"6V-200", 4, 2, 400, 40, 80, 60},
                      {"12V-100", 2, 4, 400, 20, 80, 30},
                      {"12V-250", 2, 3, 750, 6, 75, 60},
                      {"2V-500", 12, 2, 1000, 20, 100, 60},
                      {"2,2V-1000", 12, 1, 1000, 10, 100, 60}});
    // The charge current is a property of the battery type, not of each model.
    EXPECT_EQ(fx.asked, (std::map<QString, int>{{"AGM", 1}, {"GEL", 1}}));
}

TEST(BatteryCandidates, WithoutTheMatchEveryFittingModelIsListed) {
    Fixture fx;
    const auto rows = batteryCandidates(fx.catalog, fx.variant, false, fx.charge);
    expectRows(rows, {{"6V-200", 4, 2, 400, 40, 80, 60},
                      {"12V-100", 2, 4, 400, 20, 80, 30},
                      {"12V-200hi", 2, 2, 400, 80, 120, 30},
                      {"12V-zero", 2, 4, 400, 0, 0, 60},
                      {"2V-500", 12, 1, 500, 10, 50, 60},
                      {"12V-250", 2, 2, 500, 4, 50, 60},
                      {"2,2V-1000", 12, 1, 1000, 10, 100, 60}});
}

TEST(BatteryCandidates, NothingToAssembleListsNothing) {
    Fixture fx;
    // No capacity requirement and no charge current: an assembly of no battery is no candidate.
    fx.variant.cras = 0;
    EXPECT_TRUE(batteryCandidates(fx.catalog, fx.variant, false, fx.charge).empty());
    // An unknown charge current cannot be matched.
    fx.variant.cras = 400;
    const ChargeForType unknown = [](const QString&) { return std::nullopt; };
    EXPECT_TRUE(batteryCandidates(fx.catalog, fx.variant, true, unknown).empty());
}

TEST(BatteryCandidates, TrackedRowOrFirst) {
    Fixture fx;
    const auto rows = batteryCandidates(fx.catalog, fx.variant, true, fx.charge);
    EXPECT_EQ(trackedBatteryRow(rows, true, "B", "AGM", "12V-250"), 2);
    EXPECT_EQ(trackedBatteryRow(rows, false, "B", "AGM", "12V-250"), 0);
    EXPECT_EQ(trackedBatteryRow(rows, true, "A", "GEL", "12V-200hi"), 0); // left out
    EXPECT_EQ(trackedBatteryRow(rows, true, "A", "AGM", "12V-250"), 0);   // another maker's
    EXPECT_EQ(trackedBatteryRow({}, true, "B", "AGM", "12V-250"), -1);
}

TEST(BatteryCandidates, FilterColumnsAndRowTexts) {
    Fixture fx;
    const auto rows = batteryCandidates(fx.catalog, fx.variant, true, fx.charge);
    QStringList fields(8);
    fields[2] = QStringLiteral("2, 4"); // parallel strings
    const RowFilter f = batteryFilter({"A"}, {}, fields);
    std::vector<QString> admitted;
    for (const BatteryCandidate& c : rows)
        if (f.admits(c.company, c.tip, batteryFilterValues(c)))
            admitted.push_back(c.model.name);
    EXPECT_EQ(admitted, (std::vector<QString>{"6V-200", "12V-100", "2V-500"}));
    EXPECT_EQ(f.summary().front().first, QStringLiteral("Компании-производители АБ"));
    EXPECT_EQ(f.summary().back().first,
              QStringLiteral("Количество параллельных сборок аккумуляторов в АБ, шт."));

    EXPECT_EQ(batteryTableRow(rows.back()),
              (QStringList{"B", "AGM", "2,2V-1000", "2", "1000", "12", "1", "12", "1000", "10",
                           "100", "5000", "10", "100", "60"}));
    EXPECT_EQ(batteryTableRow(rows.back()).size(), batteryTableTitles().size());
}

} // namespace
