// The tabular panel choice worked out by hand: the candidates of a 24 V system, the charge-current
// growth, the array split in its three forms, P_K at an orientation and the array rows handed back.

#include "lib/months.h"
#include "solar/panel_table.h"

#include "../lib/qt_print.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace ses;

namespace {

PanelCatalogRow panel(const char* company, const char* tip, double p, double unom, double isc,
                      double imp) {
    PanelCatalogRow r;
    r.company = company;
    r.tip = tip;
    r.structure = "моно";
    r.panel.power = p;
    r.panel.unom = unom;
    r.panel.isc = isc;
    r.panel.imp = imp;
    r.panel.height = 1200;
    r.panel.width = 540;
    r.kpd = 18;
    return r;
}

const std::vector<PanelCatalogRow> kCatalog = {
    panel("A", "P100-12", 100, 12, 6, 5.5),
    panel("A", "P200-24", 200, 24, 9, 8),
    panel("A", "P-17,5", 100, 17.5, 6, 5.5), // 18 V: 24 V is no multiple
    panel("B", "P-36", 300, 36, 9, 8),
    panel("B", "P0", 0, 12, 6, 5.5),        // no power: no battery
    panel("B", "P-0,4", 100, 0.4, 6, 5.5),  // no whole volt
    panel("B", "P100-dead", 100, 12, 0, 0), // no current
};

PanelTableInput input24(bool mppt = false) {
    PanelTableInput in;
    in.system.uses = 24;
    in.system.mppt = mppt;
    in.system.umppt = 48;
    in.system.controllerLosses = 10;
    in.system.chargeVoltage = 13.8;
    in.requiredPower = 1500;
    in.arrayPower = 1600;
    return in;
}

struct Expected {
    const char* tip;
    int ns, np, n;
    double ptot, isb, iab;
    const char* massiv;
};

void expectRows(const std::vector<PanelCandidate>& rows, const std::vector<Expected>& expected,
                const char* what) {
    ASSERT_EQ(rows.size(), expected.size()) << what;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(std::string(what) + ": " + e.tip);
        EXPECT_EQ(rows[i].row.tip, QString::fromUtf8(e.tip));
        EXPECT_EQ(rows[i].ns, e.ns);
        EXPECT_EQ(rows[i].np, e.np);
        EXPECT_EQ(rows[i].n, e.n);
        EXPECT_DOUBLE_EQ(rows[i].ptot, e.ptot);
        EXPECT_DOUBLE_EQ(rows[i].isb, e.isb);
        EXPECT_DOUBLE_EQ(rows[i].iab, e.iab);
        EXPECT_EQ(rows[i].split.text, QString::fromUtf8(e.massiv));
    }
}

TEST(PanelCandidates, SkipTestsCountsCurrentsAndOrder) {
    // PWM, Imp: P_K 1500 W of 100 W panels two in series is 15 panels, 8 strings, 1600 W.
    PanelTableInput pwm = input24();
    expectRows(panelCandidates(kCatalog, pwm),
               {{"P200-24", 1, 8, 8, 1600, 64, 64, "1x1600"},
                {"P100-12", 2, 8, 16, 1600, 44, 44, "1x1600"},
                {"P100-dead", 2, 8, 16, 1600, 0, 0, "1x1600"}},
               "PWM, Imp");
    // The short-circuit current counts instead.
    PanelTableInput isc = pwm;
    isc.system.currentFromIsc = true;
    expectRows(panelCandidates(kCatalog, isc),
               {{"P200-24", 1, 8, 8, 1600, 72, 72, "1x1600"},
                {"P100-12", 2, 8, 16, 1600, 48, 48, "1x1600"},
                {"P100-dead", 2, 8, 16, 1600, 0, 0, "1x1600"}},
               "PWM, Isc");
    // MPPT: strung to Umppt 48 V; Iab is the controllers' output for Ptot at 2 x 13,8 V.
    expectRows(panelCandidates(kCatalog, input24(true)),
               {{"P200-24", 2, 4, 8, 1600, 32, 52.17, "1x1600"},
                {"P100-12", 4, 4, 16, 1600, 22, 52.17, "1x1600"},
                {"P100-dead", 4, 4, 16, 1600, 0, 52.17, "1x1600"}},
               "MPPT");
    // One string must fit an array: 2 x 100 W does not fit 150 W, 1 x 200 W neither.
    PanelTableInput small = pwm;
    small.arrayPower = 150;
    EXPECT_TRUE(panelCandidates(kCatalog, small).empty());
    // Nothing required: nothing listed (no battery of 0 panels, no К dividing by 0).
    PanelTableInput none = pwm;
    none.requiredPower = 0;
    EXPECT_TRUE(panelCandidates(kCatalog, none).empty());
}

TEST(PanelCandidates, ChargeCurrentAddsStringsOrLeavesTheModelOut) {
    PanelTableInput in = input24();
    in.arrayPower = 400;
    in.charge = PanelChargeRange{50, 60};
    // 44 A -> 49,5 -> 55 A: two strings more; 64 A of the 24 V panel is above 60; a panel adding
    // no current can never reach 50 A and is left out rather than grown for ever.
    expectRows(panelCandidates(kCatalog, in), {{"P100-12", 2, 10, 20, 2000, 55, 55, "5x400"}},
               "50 .. 60");
    in.charge = PanelChargeRange{50, 52};
    EXPECT_TRUE(panelCandidates(kCatalog, in).empty()); // 55 A overshoots 52
    // A controller that loses everything adds no current either.
    PanelTableInput lossy = input24(true);
    lossy.system.controllerLosses = 100;
    lossy.charge = PanelChargeRange{10, 100};
    EXPECT_TRUE(panelCandidates(kCatalog, lossy).empty());
}

TEST(ArraySplit, FullRemainderAndOnlyRemainderWithTheirLetters) {
    const PanelType p = kCatalog[0].panel;
    SystemSettings s;
    s.uses = 24;
    struct Case {
        double ptot;
        int pm;
        int n, strings;
        double power;
        int restStrings;
        double restPower;
        QString text;
    } cases[] = {
        {1600, 400, 4, 2, 400, 0, 0, "4x400"},
        {1600, 500, 4, 2, 400, 0, 0, "4x400"},
        {1800, 400, 4, 2, 400, 1, 200, "4x400 + 1\u0445200"}, // Cyrillic х before the remainder
        {200, 400, 0, 0, 0, 1, 200, "1x200"},
    };
    for (const Case& c : cases) {
        const ArraySplit a = splitArrays(p, s, 2, c.ptot, c.pm);
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(a.n, c.n);
        EXPECT_EQ(a.strings, c.strings);
        EXPECT_EQ(a.panels, 2 * c.strings);
        EXPECT_EQ(a.power, c.power);
        EXPECT_EQ(a.current, 5.5 * c.strings);
        EXPECT_EQ(a.restStrings, c.restStrings);
        EXPECT_EQ(a.restPower, c.restPower);
        EXPECT_EQ(a.text, c.text);
    }
    EXPECT_EQ(QString("4x400").at(1), QChar(u'x'));
}

TEST(PanelHandBack, RowsAndLossesSumToTheOrientationLoss) {
    PanelTableInput in = input24();
    in.arrayPower = 400;
    const PanelCandidate c = panelCandidates(kCatalog, in)[1];
    ASSERT_EQ(c.row.tip, "P100-12");
    PanelHandBack h{170, 30, 1500, 1400, 35, "Поле", 400};
    const auto rows = handBackRows(c, h);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, "Поле 1");
    EXPECT_EQ(rows[3].name, "Поле 4");
    for (const ArrayRow& r : rows) {
        EXPECT_EQ(r.k, 0.933); // 1400 / 1500
        EXPECT_EQ(r.bopt, 35);
        EXPECT_EQ(r.orientation, 170);
        EXPECT_EQ(r.tilt, 30);
        EXPECT_EQ(r.series, 2);
        EXPECT_EQ(r.strings, 2);
        EXPECT_EQ(r.power, 400);
        EXPECT_EQ(r.current, 11);
        EXPECT_EQ(r.criterion, Criterion::GivenPower);
        EXPECT_EQ(r.givenPower, 400);
    }
    // 400 x 0,067 = 26,8 -> 27 for the first three; the last takes 100 - 81 = 19.
    EXPECT_EQ(rows[0].loss, 27);
    EXPECT_EQ(rows[3].loss, 19);
    EXPECT_EQ(std::accumulate(rows.begin(), rows.end(), 0.0,
                              [](double s, const ArrayRow& r) { return s + r.loss; }),
              100);

    // With a remainder: (1700 - 4 x 400) x (1 - 0,882) = 11,8 -> 12.
    PanelTableInput rest = in;
    rest.requiredPower = 1700;
    const PanelCandidate r = panelCandidates(kCatalog, rest)[1];
    ASSERT_EQ(r.split.text, "4x400 + 1\u0445200");
    const auto withRest = handBackRows(r, {180, 35, 1700, 1500, 35, "Массив", 400});
    ASSERT_EQ(withRest.size(), 5u);
    EXPECT_EQ(withRest[0].loss, 47);
    EXPECT_EQ(withRest[4].loss, 12);
    EXPECT_EQ(withRest[4].criterion, Criterion::RequiredPower);
    EXPECT_EQ(withRest[4].strings, 1);
    EXPECT_FALSE(withRest[4].givenPower);

    // Strings added for the charge current: 5 full arrays already exceed P_K, the remainder's
    // loss would be negative and is 0.
    PanelTableInput grown = in;
    grown.charge = PanelChargeRange{60, 70};
    const auto g = panelCandidates(kCatalog, grown);
    ASSERT_EQ(g.size(), 2u);
    ASSERT_EQ(g[1].split.text, "5x400 + 1\u0445200");
    EXPECT_EQ(handBackRows(g[1], h).back().loss, 0);
    EXPECT_TRUE(handBackRows(g[1], {180, 35, 0, 1400, 35, "Массив", 400}).empty());
}

TEST(OrientedRequirement, AMonthGovernsOnlyAfterItsCoefficient) {
    SizingSettings s;
    s.batteryLosses = 0;
    s.controllerLosses = 0;
    RegionYear region;
    for (int m = 0; m < 12; ++m)
        region[m] = RegionMonthData{1, 10, m == 0 ? 60.0 : 40.0};
    const std::vector<LossRow> linear = {{0, 0}, {90, 90}};
    // January 700 / 0,7 = 1000 W, February 686 / 0,7 = 980 W.
    const std::vector<StoredSchedule> schedules = {{700, 1, {{"январь", 0, 0}}},
                                                   {686, 1, {{"февраль", 0, 0}}}};
    // Panels at 60 degrees: January is met at 1000, February needs 980 / 0,8 = 1225.
    const OrientedRequirement r = orientedRequirement(schedules, region, s, linear, 180, 60);
    EXPECT_FALSE(r.error);
    EXPECT_EQ(r.power, 1225);
    EXPECT_EQ(r.month, 2);
    EXPECT_EQ(orientedRequirementLabel(r),
              "Расчетная мощность солнечной батареи (для месяца февраль с \u0412 = 40 град.), Вт:");
    // At 40 degrees January governs with 1000 / 0,8.
    EXPECT_EQ(orientedRequirement(schedules, region, s, linear, 180, 40).power, 1250);
    // Nothing needed: 0, and the plain label.
    const OrientedRequirement none = orientedRequirement({}, region, s, linear, 180, 35);
    EXPECT_EQ(none.power, 0);
    EXPECT_EQ(orientedRequirementLabel(none), "Расчетная мощность солнечной батареи, Вт:");
    // A coefficient of 0 is refused, not divided by.
    EXPECT_TRUE(orientedRequirement(schedules, region, s, {{0, 0}, {10, 100}}, 90, 60).error);
}

TEST(PanelFilter, ColumnsAndInitialArrayPower) {
    PanelTableInput in = input24();
    const auto rows = panelCandidates(kCatalog, in);
    QStringList fields(8);
    fields[2] = "2"; // panels in series
    const RowFilter f = panelFilter({"A"}, fields);
    int admitted = 0;
    for (const PanelCandidate& c : rows)
        admitted += f.admits(c.row.company, c.row.tip, panelFilterValues(c));
    EXPECT_EQ(admitted, 1);
    EXPECT_EQ(f.summary().front().first, "Компании-производители СП");
    EXPECT_EQ(f.summary().back().first,
              "Количество последовательно соединенных панелей в сборке, шт.");
    EXPECT_EQ(panelTableRow(rows[0]).size(), panelTableTitles().size());

    EXPECT_EQ(initialArrayPower(500, 24, {800, 1600}), 500);
    EXPECT_EQ(initialArrayPower(-1, 12, {}), 800);
    EXPECT_EQ(initialArrayPower(-1, 48, {}), 3200);
    EXPECT_EQ(initialArrayPower(-1, 30, {800, 2400, 1600}), 2400);
    EXPECT_FALSE(initialArrayPower(-1, 30, {}));
}

} // namespace
