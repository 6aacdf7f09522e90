#include "lib/filter.h"

#include "qt_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace ses;

namespace {

// Two columns: a capacity and a count of strings.
RowFilter filterOf(const QStringList& makers, const QStringList& types, const QString& capacity,
                   const QString& strings) {
    return RowFilter(QStringLiteral("Компании"), makers, QStringLiteral("Типы"), types,
                     {{QStringLiteral("Емкость"), capacity}, {QStringLiteral("Сборки"), strings}});
}

TEST(RowFilter, AdmitsByMakerTypeAndEveryCondition) {
    struct Row {
        const char* maker;
        const char* type;
        double capacity, strings;
    };
    const Row a{"A", "AGM", 100, 2}, b{"B", "GEL", 200, 4}, c{"C", "AGM", 150, 3},
        noisy{"A", "AGM", 11.000000000000002, 2}, big{"B", "GEL", 20, 100};
    struct Case {
        const char* what;
        QStringList makers, types;
        QString capacity, strings;
        std::vector<Row> admitted, refused;
    };
    const Case cases[] = {
        {"nothing ticked, no field: every row", {}, {}, "", "", {a, b, c}, {}},
        {"two makers, no type, a closed range",
         {"A", "B"},
         {},
         "100 .. 200",
         "",
         {a, b},
         {c, {"A", "AGM", 99.5, 1}}},
        {"a list admits its values only", {}, {}, "", "2, 4", {a, b}, {c}},
        {"one value", {}, {}, "150", "", {c}, {a, b}},
        {"a type", {}, {"GEL"}, "", "", {b}, {a, c}},
        {"a value shown as 11 is 11", {}, {}, "11", "", {noisy}, {a}},
        {"a range compares numbers, not texts", {}, {}, "", "20 .. 100", {big}, {a, b}},
        {"a decimal comma", {}, {}, "99,5 .. 100", "", {a, {"A", "AGM", 99.5, 1}}, {c}},
        {"a field that is not a condition admits nothing", {}, {}, "сто", "", {}, {a, b, c}},
    };
    for (const Case& k : cases) {
        const RowFilter f = filterOf(k.makers, k.types, k.capacity, k.strings);
        for (const Row& r : k.admitted)
            EXPECT_TRUE(f.admits(r.maker, r.type, {r.capacity, r.strings}))
                << k.what << ": " << r.maker << " " << r.capacity;
        for (const Row& r : k.refused)
            EXPECT_FALSE(f.admits(r.maker, r.type, {r.capacity, r.strings}))
                << k.what << ": " << r.maker << " " << r.capacity;
    }
    // An empty column meets no condition on it, yet no condition asks nothing of it.
    const double none = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(filterOf({}, {}, "100", "").admits("A", "AGM", {none, 2}));
    EXPECT_TRUE(filterOf({}, {}, "", "2").admits("A", "AGM", {none, 2}));
}

TEST(RowFilter, SummaryRowsInConditionOrder) {
    const RowFilter f = filterOf({"A", "B"}, {"AGM"}, "", "2, 4");
    const std::vector<std::pair<QString, QString>> expected = {
        {"Компании", "A, B"}, {"Типы", "AGM"}, {"Сборки", "2, 4"}};
    EXPECT_EQ(f.summary(), expected);
    EXPECT_TRUE(filterOf({}, {}, "", "").empty());
    // A table without types keeps no type condition even when one is handed over.
    const RowFilter noTypes(QStringLiteral("Компании"), {}, {}, {"AGM"}, {});
    EXPECT_TRUE(noTypes.empty());
    EXPECT_TRUE(noTypes.admits("A", "GEL", {}));
}

TEST(FilterValues, DistinctAscendingAsNumbers) {
    EXPECT_EQ(distinctValueTexts({100, 20, 11.000000000000002, 11, 2.5, 20,
                                  std::numeric_limits<double>::quiet_NaN()}),
              (QStringList{"2,5", "11", "20", "100"}));
    EXPECT_TRUE(distinctValueTexts({}).isEmpty());
}

TEST(FilterValues, ReversedRangeIsRefusedAsNumbers) {
    EXPECT_FALSE(reversedRangeError("20", "100")); // "100" sorts before "20" as text
    EXPECT_FALSE(reversedRangeError("5", "5"));
    EXPECT_EQ(reversedRangeError("100", "20"),
              QStringLiteral("Ошибочный диапазон значений: 100 .. 20.\nЗначение левой границы "
                             "диапазона должно быть меньше либо равно значения правой границы)."));
}

} // namespace
