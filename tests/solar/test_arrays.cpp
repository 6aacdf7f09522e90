// Forming panel arrays and choosing the solar battery, worked out by hand.

#include "solar/arrays.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

// Loss equal to the angle in percent: the coefficient is 1 - angle / 100.
const std::vector<LossRow> kLinear = {{0, 0}, {90, 90}};

RegionYear flatRegion(double tilt = 40) {
    RegionYear r;
    for (auto& m : r)
        m = RegionMonthData{2, 10, tilt};
    return r;
}

// 200 W, 12 V panels 1000 mm wide and 1600 mm high; Ump 17 V, Imp 11,8 A, Isc 12,5 A.
PanelType panel200() {
    PanelType p;
    p.power = 200;
    p.unom = 12;
    p.isc = 12.5;
    p.vmp = 17;
    p.imp = 11.8;
    p.height = 1600;
    p.width = 1000;
    return p;
}

SystemSettings pwm24() {
    SystemSettings s;
    s.uses = 24;
    return s;
}

// Orientation 170 at the months' own tilt: deviation 10 degrees, coefficient 0,9 every month.
ArrayRequest request(Criterion c, double dopP, double k, std::array<double, 12> remaining) {
    ArrayRequest q;
    q.criterion = c;
    q.dopP = dopP;
    q.k = k;
    q.orientation = 170;
    q.tilt = 40;
    q.remaining = remaining;
    return q;
}

TEST(ArrayRequiredPower, AddsAStringWhileAMonthIsLeftUncovered) {
    // 24 V / 12 V: 2 in series. n = ceil(1000 / 0,95 / 200) = ceil(5,26) = 6, 3 strings, 1200 W.
    // January: 1200 - 1200 * 0,9 = 120 W uncovered -> a 4th string: 1200 - 1600 * 0,9 = -240.
    std::array<double, 12> rest{};
    rest.fill(500);
    rest[0] = 1200;
    const ArrayResult r = formArray(request(Criterion::RequiredPower, 1000, 0.95, rest), panel200(),
                                    pwm24(), flatRegion(), kLinear);
    ASSERT_EQ(r.status, ArrayResult::Status::Done) << r.message.toStdString();
    EXPECT_EQ(r.series, 2);
    EXPECT_EQ(r.strings, 4);
    EXPECT_EQ(r.panels, 8);
    EXPECT_EQ(r.power, 1600);
    EXPECT_EQ(r.loss, 53);      // 1000 / 0,95 - 1000 = 52,6
    EXPECT_EQ(r.current, 47.2); // PWM: Imp x 4
    EXPECT_EQ(r.controllerCurrent, 47.2);
    EXPECT_EQ(*r.additionalPower, 0);
    EXPECT_FALSE(r.suggestedTilt);
}

TEST(ArrayRequiredPower, BoundedLoopSaysTheRequirementIsNotMet) {
    std::array<double, 12> rest{};
    rest[0] = 1200;
    ArrayRequest q = request(Criterion::RequiredPower, 1000, 0.95, rest);
    q.maxStrings = 3; // the 120 W left by 3 strings may not be covered by a 4th
    ArrayResult r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
    EXPECT_EQ(r.status, ArrayResult::Status::Refused);
    EXPECT_TRUE(r.message.contains("не покрыто 120 Вт")) << r.message.toStdString();

    // 10 MW in January: each string covers 360 W; the default bound ends the loop.
    rest[0] = 1e7;
    r = formArray(request(Criterion::RequiredPower, 1000, 0.95, rest), panel200(), pwm24(),
                  flatRegion(), kLinear);
    EXPECT_EQ(r.status, ArrayResult::Status::Refused);
    EXPECT_TRUE(r.message.contains("из 1000 сборок")) << r.message.toStdString();

    r = formArray(request(Criterion::RequiredPower, 0, 1, rest), panel200(), pwm24(), flatRegion(),
                  kLinear);
    EXPECT_EQ(r.status, ArrayResult::Status::NothingToAdd);
}

TEST(ArrayGivenPower, WholeStringsOrARefusal) {
    // 1000 W: 5 panels, 2 strings, 800 W. January: 1000 - 800 * 0,9 = 280 W left at the months'
    // tilt 40, so dP becomes the month's loss min(1000, 800) x 0,1 = 80 (not (1 - 0,95) x 800 =
    // 40).
    std::array<double, 12> rest{};
    rest[0] = 1000;
    ArrayRequest q = request(Criterion::GivenPower, 1000, 0.95, rest);
    q.givenPower = 1000;
    ArrayResult r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
    ASSERT_EQ(r.status, ArrayResult::Status::Done);
    EXPECT_EQ(r.strings, 2);
    EXPECT_EQ(r.power, 800);
    EXPECT_EQ(*r.additionalPower, 280);
    EXPECT_EQ(*r.suggestedTilt, 40);
    EXPECT_EQ(r.loss, 80);

    rest[0] = 0; // covered: dP stays (1 - К) x Рсп
    q.remaining = rest;
    r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
    EXPECT_EQ(r.loss, 40);
    EXPECT_EQ(*r.additionalPower, 0);

    q.givenPower = 350; // 1 panel, 0 strings
    r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
    EXPECT_EQ(r.status, ArrayResult::Status::Refused);
    EXPECT_TRUE(
        r.message.contains("(350 Вт) меньше минимально допустимой мощности массива (400 Вт)"))
        << r.message.toStdString();
}

TEST(ArrayMaxCurrent, FromTheOperatingPointOrTheShortCircuitCurrent) {
    struct Case {
        double current;
        bool fromIsc;
        int strings;
        double arrayCurrent;
    } cases[] = {
        {36, false, 3, 35.4}, // 17 x 36 x 2 = 1224 W: 6 panels; 11,8 x 3
        {36, true, 2, 25},    // 17 x (11,8 x 36 / 12,5) x 2 = 1155,5 W: 5 panels; 12,5 x 2
        {30, false, 2, 23.6}, // 1020 W: 5 panels
        {30, true, 2, 25},    // 962,9 W: 4 panels
    };
    for (const auto& c : cases) {
        SystemSettings s = pwm24();
        s.currentFromIsc = c.fromIsc;
        ArrayRequest q = request(Criterion::MaxCurrent, 500, 1, {});
        q.givenCurrent = c.current;
        const ArrayResult r = formArray(q, panel200(), s, flatRegion(), kLinear);
        EXPECT_EQ(r.strings, c.strings) << c.current << c.fromIsc;
        EXPECT_EQ(r.current, c.arrayCurrent) << c.current << c.fromIsc;
    }
    ArrayRequest q = request(Criterion::MaxCurrent, 500, 1, {});
    q.givenCurrent = 5; // 170 W: not one panel
    EXPECT_EQ(formArray(q, panel200(), pwm24(), flatRegion(), kLinear).status,
              ArrayResult::Status::Refused);
}

TEST(SiteCapacity, ShapesAndAlignments) {
    const auto panel = [](double width, double height) {
        PanelType p;
        p.width = width;
        p.height = height;
        return p;
    };
    struct Case {
        SiteShape shape;
        double length, lower, height;
        VAlign valign;
        double panelWidth, panelHeight;
        int capacity;
    } cases[] = {
        {SiteShape::Rectangle, 5, 0, 5, VAlign::Top, 1000, 1600, 15},   // 5 x int(3,125)
        {SiteShape::Rectangle, 2.4, 0, 1.6, VAlign::Top, 800, 1600, 3}, // 2,4 / 0,8 is 3
        {SiteShape::Rectangle, 0.9, 0, 5, VAlign::Top, 1000, 1600, 0},
        // Triangle base 6, height 3, rows at upper edges 0, 1, 2: widths 0, 2, 4.
        {SiteShape::Triangle, 6, 0, 3, VAlign::Top, 1000, 1000, 6},
        // Height 3,5, 3 rows: top edges 0, 1, 2 -> widths 0; 1,71; 3,43 -> 0 + 1 + 3.
        {SiteShape::Triangle, 6, 0, 3.5, VAlign::Top, 1000, 1000, 4},
        // centre: first row at 0,25: edges 0,25; 1,25; 2,25 -> 0,43; 2,14; 3,86 -> 0 + 2 + 3.
        {SiteShape::Triangle, 6, 0, 3.5, VAlign::Centre, 1000, 1000, 5},
        // bottom: edges 2,5; 1,5; 0,5 -> 4,29; 2,57; 0,86 -> 4 + 2 + 0.
        {SiteShape::Triangle, 6, 0, 3.5, VAlign::Bottom, 1000, 1000, 6},
        // Upper base 4 longer than the lower 2, height 2: rows counted at their lower edges
        // (depths 1 and 2): widths 3 and 2.
        {SiteShape::Trapezoid, 4, 2, 2, VAlign::Top, 1000, 1000, 5},
        // Upper 2, lower 5, height 3, panels 1,2 m wide: widths 2, 3, 4 -> 1 + 2 + 3.
        {SiteShape::Trapezoid, 2, 5, 3, VAlign::Top, 1200, 1000, 6},
    };
    for (const auto& c : cases) {
        Site s;
        s.shape = c.shape;
        s.length = c.length;
        s.lower = c.lower;
        s.height = c.height;
        s.valign = c.valign;
        EXPECT_EQ(siteCapacity(s, panel(c.panelWidth, c.panelHeight)).panels, c.capacity)
            << int(c.shape) << " " << c.length << " " << c.height << " " << int(c.valign);
    }
}

TEST(SiteCapacity, HorizontalAlignmentPlacesTheRowsOnly) {
    // Upper 2, lower 5, height 3, 1,2 m panels; the second row (depth 1) is 3 m wide, centred
    // over the lower base from x = 1, and holds 2 panels (2,4 m).
    Site s;
    s.shape = SiteShape::Trapezoid;
    s.length = 2;
    s.lower = 5;
    s.height = 3;
    PanelType p;
    p.width = 1200;
    p.height = 1000;
    const std::pair<HAlign, double> cases[] = {
        {HAlign::Left, 1}, {HAlign::Centre, 1.3}, {HAlign::Right, 1.6}};
    for (const auto& [align, x] : cases) {
        s.halign = align;
        const SiteCapacity c = siteCapacity(s, p);
        ASSERT_EQ(c.rows.size(), 3u);
        EXPECT_EQ(c.rows[1].depth, 1);
        EXPECT_EQ(c.rows[1].panels, 2);
        EXPECT_EQ(c.rows[1].x, x) << int(align);
        EXPECT_EQ(c.panels, 6);
    }
}

TEST(SiteCapacity, Area) {
    Site s;
    s.length = 2.345; // 2,345 written with 15 digits: halves away -> 2,35
    s.height = 1;
    EXPECT_EQ(siteArea(s), 2.35);
    s = Site{SiteShape::Trapezoid, 2, 5, 3};
    EXPECT_EQ(siteArea(s), 10.5);
    s = Site{SiteShape::Triangle, 6, 0, 3.5};
    EXPECT_EQ(siteArea(s), 10.5);
}

TEST(ArraySite, WantedStringsUpToWhatTheSiteHolds) {
    // 5 m x 5 m site of 1 m x 1,6 m panels: 15 panels, 7 strings of 2.
    struct Case {
        bool byGivenPower;
        double givenPower;
        int strings;
    } cases[] = {
        {true, 2000, 5}, // 10 panels, 5 strings wanted
        {true, 4000, 7}, // 10 wanted, 7 fit
        {false, 0, 3},   // ceil(ceil(1000 / 0,95 / 200) / 2) = 3
    };
    for (const auto& c : cases) {
        ArrayRequest q = request(Criterion::SiteSize, 1000, 0.95, {});
        q.siteByGivenPower = c.byGivenPower;
        q.givenPower = c.givenPower;
        q.site = Site{SiteShape::Rectangle, 5, 0, 5};
        const ArrayResult r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
        EXPECT_EQ(r.capacity, 15);
        EXPECT_EQ(r.strings, c.strings) << c.givenPower;
    }
    ArrayRequest q = request(Criterion::SiteSize, 1000, 0.95, {});
    q.site = Site{SiteShape::Rectangle, 0.5, 0, 0.5};
    ArrayResult r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
    EXPECT_EQ(r.status, ArrayResult::Status::Refused);
    EXPECT_TRUE(r.message.contains("ни одной солнечной панели"));
    q.site = Site{SiteShape::Rectangle, 1, 0, 1.6}; // one panel: not one string of 2
    r = formArray(q, panel200(), pwm24(), flatRegion(), kLinear);
    EXPECT_EQ(r.status, ArrayResult::Status::Refused);
    EXPECT_EQ(r.capacity, 1);
}

TEST(ArrayEvaluation, SearchesTheTiltWhenTheGoverningMonthsTiltIsNotEnough) {
    // January tilt 60, July 20, others 40; 1000 W at 180/40: January and July at 20 degrees
    // (0,8): R' = 1500 - 800 = 700 and 1300 - 800 = 500, the others 0 - 1000.
    // At 60: July 500 / 0,6 = 833 > 700 -> search. t = 53: January 700 / 0,93 = 753, July
    // (|53 - 20| = 33) 500 / 0,67 = 746; W = 753. t = 52: 700 / 0,92 = 761; t = 54: July
    // 500 / 0,66 = 758. DopP 800 < 1000: the loss is 800 x (1 - 0,93) = 56.
    RegionYear region = flatRegion(40);
    region[0]->tilt = 60;
    region[6]->tilt = 20;
    std::array<double, 12> rest{};
    rest[0] = 1500;
    rest[6] = 1300;
    const ArrayEvaluation e = evaluateArray(rest, region, kLinear, 180, 40, 1000, 800);
    EXPECT_FALSE(e.error);
    EXPECT_EQ(e.power, 753);
    EXPECT_EQ(e.tilt, 53);
    EXPECT_EQ(e.loss, 56);

    // Without July's excess January governs at its own tilt with its step-1 loss
    // min(800, 1000) x 0,2 = 160.
    rest[6] = 1000; // R' 200 -> at 60: 200 / 0,6 = 333 < 700
    const ArrayEvaluation g = evaluateArray(rest, region, kLinear, 180, 40, 1000, 800);
    EXPECT_EQ(g.power, 700);
    EXPECT_EQ(g.tilt, 60);
    EXPECT_EQ(g.loss, 160);
}

TEST(TypeFilter, NominalVoltageDividesTheStringVoltage) {
    SystemSettings mppt;
    mppt.mppt = true;
    mppt.umppt = 150;
    mppt.uses = 24;
    struct Case {
        bool mppt;
        double unom;
        bool fits;
        int series;
    } cases[] = {
        {false, 12, true, 2},   {false, 24, true, 1}, {false, 48, false, 0}, // 0,5 -> 0
        {false, 12.5, true, 2}, // rounds to 12 (half to even)
        {true, 24, false, 6},   {true, 30, true, 5},  {true, 60, false, 2}, // 150 / 60 = 2,5 -> 2
    };
    for (const auto& c : cases) {
        const SystemSettings s = c.mppt ? mppt : pwm24();
        EXPECT_EQ(typeFitsSystem(s, c.unom), c.fits) << c.mppt << " " << c.unom;
        EXPECT_EQ(*panelsInSeries(s, c.unom), c.series) << c.mppt << " " << c.unom;
    }
    EXPECT_FALSE(typeFitsSystem(pwm24(), 0.4)); // rounds to 0: never offered
    EXPECT_FALSE(panelsInSeries(pwm24(), 0.4));
}

TEST(ChargeCurrent, MpptFromTheBatteryChargeVoltage) {
    // 24 V system, charge voltage 14,4: U = 2 x 14,4 = 28,8; 0,9 x 1600 / 28,8 = 50 A
    // (not 1600 x 0,9 / (150 / 24 x 13,8) = 16,7 A).
    SystemSettings s;
    s.mppt = true;
    s.umppt = 150;
    s.uses = 24;
    s.chargeVoltage = 14.4;
    EXPECT_EQ(*controllerOutputCurrent(s, 1600), 50);
    s.uses = 48; // 4 x 14,4 = 57,6
    EXPECT_EQ(*controllerOutputCurrent(s, 1600), 25);

    s.uses = 24;
    std::array<double, 12> rest{};
    rest[0] = 1200;
    PanelType p = panel200();
    p.unom = 37.5; // 150 / 38 = 3,95 -> 4 in series
    ArrayRequest q = request(Criterion::GivenPower, 1000, 1, rest);
    q.givenPower = 1600; // 8 panels, 2 strings
    const ArrayResult r = formArray(q, p, s, flatRegion(), kLinear);
    EXPECT_EQ(r.series, 4);
    EXPECT_EQ(r.strings, 2);
    EXPECT_EQ(r.current, 23.6); // MPPT: Imp x strings
    EXPECT_EQ(r.controllerCurrent, 50);
}

TEST(SelectionTotals, SumsAndTheForecastCurrent) {
    const std::vector<ArrayFigures> arrays = {{8, 1600, 47.2, 53}, {4, 800, 23.6, 0}};
    SystemSettings s = pwm24();
    SelectionTotals t = selectionTotals(arrays, 2300, s);
    EXPECT_EQ(t.panels, 12);
    EXPECT_EQ(t.power, 2400);
    EXPECT_EQ(t.current, 70.8); // ITotal_SP is amperes
    EXPECT_EQ(*t.losses, 53);
    EXPECT_EQ(*t.fullPower, 2353);
    EXPECT_EQ(*t.chargeCurrent, 70.8);
    s.mppt = true;
    s.chargeVoltage = 14.4; // 0,9 x 2400 / 28,8
    EXPECT_EQ(*selectionTotals(arrays, 2300, s).chargeCurrent, 75);

    t = selectionTotals({}, 2300, s);
    EXPECT_EQ(t.panels, 0);
    EXPECT_FALSE(t.losses);
    EXPECT_FALSE(t.fullPower);
    EXPECT_FALSE(t.chargeCurrent);
}

TEST(SelectionTotals, BatteryChargeCurrents) {
    const QString min = QStringLiteral("Iз.мин."), max = QStringLiteral("Iз.макс.");
    EXPECT_EQ(*forecastMinimumChargeCurrent(200, "", min, 1), 20);
    EXPECT_EQ(*forecastMinimumChargeCurrent(200, "", max, 1), 40);
    EXPECT_EQ(*forecastMinimumChargeCurrent(225, "", min, 1), 23); // 22,5: halves away
    EXPECT_FALSE(forecastMinimumChargeCurrent(200, "АКБ-200", min, 1));
    EXPECT_FALSE(forecastMinimumChargeCurrent(std::nullopt, "", min, 1));

    const auto w = batteryChargeWindow(10, 30, min, max, 1.5, 0.8);
    EXPECT_EQ(w->minimum, 15);
    EXPECT_EQ(w->maximum, 24);
    EXPECT_EQ(batteryChargeWindow(10, 30, max, min, 1.5, 0.8)->minimum, 45);
    EXPECT_FALSE(batteryChargeWindow(10, std::nullopt, min, max, 1.5, 0.8));
}

TEST(SelectionOk, ChecksInOrder) {
    SelectionOkInput ok;
    ok.arrays = 2;
    ok.totalPower = 2400;
    ok.fullPower = 2353;
    ok.chargeCurrent = 75;
    struct Case {
        const char* what;
        SelectionOkInput in;
        const char* expected; // nullptr: accepted
    };
    std::vector<Case> cases;
    cases.push_back({"accepted", ok, nullptr});
    SelectionOkInput c = ok;
    c.arrays = 0;
    cases.push_back({"no arrays", c, "необходимо сформировать массивы"});
    c = ok;
    c.totalPower = 2000;
    c.additionalPower = 353;
    cases.push_back({"short", c, "(2000 Вт) не должно быть меньше"});
    c = ok;
    c.totalPower = 1650;
    c.fullPower = 1500 * 1.1; // tolerant comparison
    cases.push_back({"equal", c, nullptr});
    c = ok;
    c.window = ChargeWindow{80, 120};
    c.forecastMinimum = 10; // the window wins over the forecast minimum
    cases.push_back(
        {"below window", c, "(75 A) не должно быть меньше значения поля \"Минимальный"});
    c.window = ChargeWindow{20, 60};
    cases.push_back({"above window", c, "(75 A) не должно быть больше"});
    c.checkChargeCurrent = false;
    cases.push_back({"not checked", c, nullptr});
    c = ok;
    c.forecastMinimum = 80;
    cases.push_back({"below forecast", c, "\"Прогнозируемый требуемый минимальный ток"});
    for (const auto& k : cases) {
        const auto r = selectionOkRefusal(k.in);
        if (!k.expected)
            EXPECT_FALSE(r) << k.what << ": " << r->toStdString();
        else {
            ASSERT_TRUE(r) << k.what;
            EXPECT_TRUE(r->contains(QString::fromUtf8(k.expected))) << r->toStdString();
        }
    }
    c = ok;
    c.totalPower = 2000;
    c.additionalPower = 353;
    EXPECT_TRUE(selectionOkRefusal(c)->contains("не менее 353 Вт"));
}

} // namespace

TEST(GivenPowerChoices, DistinctAscendingAndAtLeastOneSeriesString) {
    struct Case {
        std::vector<double> catalog;
        double uses, usp, psp;
        std::vector<double> offered;
    };
    const Case cases[] = {
        {{1600, 400, 800, 400, 200}, 24, 12, 200, {400, 800, 1600}}, // two in series: >= 400
        {{300, 150, 70}, 12, 12, 150, {150, 300}},                   // at least the panel
        {{600, 800}, 12, 24, 250, {600, 800}},                       // a 24 V panel on 12 V: >= 250
        {{600, 800}, 12, 0, 250, {600, 800}},                        // unknown Usp: the panel bound
        {{100}, 48, 12, 200, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(givenPowerChoices(c.catalog, c.uses, c.usp, c.psp), c.offered)
            << c.uses << " " << c.psp;
}
