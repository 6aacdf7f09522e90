// The storage battery: models offered, the assembly grown by the load and charge currents, the
// justification of a failed match, a month's discharge, the jumpers of the scheme view and its
// drawing; then storing the choice over the demo project.

#include "../data/fixture.h"

#include "app/battery_choice.h"
#include "app/demo.h"
#include "app/shell.h"
#include "reports/battery_scheme.h"
#include "solar/controller_ops.h"
#include "storage/battery.h"
#include "storage/battery_ops.h"
#include "storage/battery_table_ops.h"
#include "storage/capacity_store.h"
#include "storage/jumpers.h"

#include <QSqlQuery>

using namespace ses;

namespace {

// A 100 A*h, 12 V battery charged at 10 to 30 A, discharged at up to 500 A.
BatteryModel model100() {
    BatteryModel m;
    m.name = QStringLiteral("Т-12-100");
    m.c = 100;
    m.u = 12;
    m.izarMin = 10;
    m.izarMax = 30;
    m.irazrMax = 500;
    m.l = 330;
    m.s = 173;
    m.h = 220;
    return m;
}

// 24 V, 100 A*h required, no DC loads, the range [Iз.мин., Iз.макс.].
AssemblyVariant variant24() {
    AssemblyVariant v;
    v.uses = 24;
    v.cras = 100;
    return v;
}

// ---------------------------------------------------------------- models and series

TEST(BatteryModels, OfferedWhenTheirWholeVoltsDivideTheSystemVoltage) {
    struct Case {
        double uses, u, c;
        bool offered;
        int ns;
    } cases[] = {
        {24, 12, 100, true, 2},   {24, 6, 100, true, 4},    {24, 18, 100, false, 0},
        {48, 2, 100, true, 24},   {12, 11.6, 100, true, 1}, // 11,6 V is put in series as 12
        {24, 0.4, 100, false, 0},                           // rounds to 0 V: no division by it
        {24, 12, 0, false, 0},                              // no capacity, no strings count
        {24, 48, 100, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.uses << " V / " << c.u << " V");
        BatteryModel m = model100();
        m.u = c.u;
        m.c = c.c;
        EXPECT_EQ(fitsSystemVoltage(m, c.uses), c.offered);
        AssemblyVariant v = variant24();
        v.uses = c.uses;
        const AssemblyResult r = assemble(m, v, std::nullopt, false);
        EXPECT_EQ(r.shown(), c.offered);
        if (c.offered) {
            EXPECT_EQ(r.figures.ns, c.ns);
        }
    }
    // Ascending capacity, ties in catalog order.
    std::vector<BatteryModel> list;
    for (const auto& [name, c, u] : {std::tuple{"a", 200.0, 12.0}, std::tuple{"b", 55.0, 12.0},
                                     std::tuple{"c", 100.0, 18.0}, std::tuple{"d", 55.0, 6.0}}) {
        BatteryModel m = model100();
        m.name = QString::fromLatin1(name);
        m.c = c;
        m.u = u;
        list.push_back(m);
    }
    QStringList names;
    for (const BatteryModel& m : offeredModels(list, 24))
        names << m.name;
    EXPECT_EQ(names, QStringList({"b", "d", "a"}));
}

TEST(BatteryAssembly, StringsCoverTheCapacityAtTheToleratedQuotient) {
    BatteryModel m = model100();
    AssemblyVariant v = variant24();
    m.c = 200;
    v.cras = 450;
    AssemblyResult r = assemble(m, v, std::nullopt, false);
    EXPECT_EQ(r.figures.np, 3);
    EXPECT_EQ(r.figures.cf, 600);
    EXPECT_EQ(r.figures.kol, 6);
    EXPECT_EQ(r.figures.irmax, 1500);
    // 0,1 + 0,2 is 0,30000000000000004: three strings of 0,1 A*h, not four.
    m.c = 0.1;
    v.cras = 0.1 + 0.2;
    EXPECT_EQ(assemble(m, v, std::nullopt, false).figures.np, 3);
}

// ---------------------------------------------------------------- growth

TEST(BatteryAssembly, DirectCurrentLoadsAddStringsInTurnOnlyWhenNeeded) {
    // One string of 100 A*h to start with; Krazr 10, 5, 1 hours.
    struct Case {
        std::optional<double> inom, imax, ipik;
        int np;
    } cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, 1},
        {10, 20, 100, 1},                    // 100, 100, 100 A*h: exactly covered, nothing added
        {15, std::nullopt, std::nullopt, 2}, // nominal: 150 A*h
        {15, 50, std::nullopt, 3},           // then the maximum: 250 A*h
        {15, 20, 350, 4},                    // the maximum needs no more; the peak 350 A*h
        {40, 20, 100, 4},                    // the nominal alone; later checks only add
    };
    for (const Case& c : cases) {
        AssemblyVariant v = variant24();
        v.inom = c.inom;
        v.imax = c.imax;
        v.ipik = c.ipik;
        const AssemblyResult r = assemble(model100(), v, std::nullopt, false);
        ASSERT_TRUE(r.shown());
        EXPECT_EQ(r.figures.np, c.np) << c.inom.value_or(-1) << " " << c.imax.value_or(-1);
        EXPECT_EQ(r.figures.cf, 100.0 * c.np);
    }
}

TEST(BatteryAssembly, ChargeCurrentGrowsStringsOrFailsTheMatch) {
    struct Case {
        const char* what;
        double cras;
        double kzarMin, kzarMax;
        bool minOnMinimum, maxOnMinimum;
        double charge;
        AssemblyOutcome outcome;
        int np;
        bool never;
    } cases[] = {
        {"within the range", 100, 1, 1, true, false, 25, AssemblyOutcome::Shown, 1, false},
        {"grows to the first np whose Imax covers it", 100, 1, 1, true, false, 70,
         AssemblyOutcome::Shown, 3, false},
        {"exactly Imax of two strings", 100, 1, 1, true, false, 60, AssemblyOutcome::Shown, 2,
         false},
        {"below Imin at once", 100, 1, 1, true, false, 5, AssemblyOutcome::Failed, 1, false},
        // Imin = Iз.макс., Imax = 1,5 Iз.макс.: 50 A is above 45 A of one string and below
        // the 60 A Imin of two.
        {"below Imin after growing", 100, 1, 1.5, false, false, 50, AssemblyOutcome::Failed, 2,
         false},
        {"Kmax of 0 never matches", 100, 1, 0, true, false, 70, AssemblyOutcome::Failed, 1, true},
        {"no capacity: sized by the charge alone", 0, 1, 1, true, false, 70, AssemblyOutcome::Shown,
         3, false},
        {"no capacity and no charge: no strings", 0, 1, 1, true, false, 0, AssemblyOutcome::Shown,
         0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AssemblyVariant v = variant24();
        v.cras = c.cras;
        v.kzarMin = c.kzarMin;
        v.kzarMax = c.kzarMax;
        v.minOnMinimum = c.minOnMinimum;
        v.maxOnMinimum = c.maxOnMinimum;
        const AssemblyResult r = assemble(model100(), v, c.charge, true);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.figures.np, c.np);
        EXPECT_EQ(r.neverMatches, c.never);
        EXPECT_EQ(assemblyStorable(r, v), c.outcome == AssemblyOutcome::Shown && c.np > 0);
    }
    // A passport current of 0 cannot raise Imax either; the check box off shows the assembly
    // whatever the charge current.
    BatteryModel dead = model100();
    dead.izarMax = 0;
    const AssemblyResult never = assemble(dead, variant24(), 70, true);
    EXPECT_EQ(never.outcome, AssemblyOutcome::Failed);
    EXPECT_TRUE(never.neverMatches);
    EXPECT_FALSE(never.error.isEmpty());
    const AssemblyResult free = assemble(model100(), variant24(), 5, false);
    EXPECT_TRUE(free.shown());
    EXPECT_EQ(free.figures.imin, 10);
    EXPECT_EQ(free.figures.imax, 30);
    EXPECT_EQ(free.figures.charge, 5);
    // A tiny cell grows to hundreds of strings in one step, and a current beyond any count fails.
    BatteryModel tiny = model100();
    tiny.c = 1;
    tiny.izarMin = 0.01;
    tiny.izarMax = 0.1;
    EXPECT_EQ(assemble(tiny, variant24(), 45.05, true).figures.np, 451);
    const AssemblyResult huge = assemble(tiny, variant24(), 1e12, true);
    EXPECT_EQ(huge.outcome, AssemblyOutcome::Failed);
    EXPECT_TRUE(huge.neverMatches);
}

TEST(BatteryAssembly, MissingCapacityOrChargeRefusesAndStoresNothing) {
    AssemblyVariant v = variant24();
    v.cras.reset();
    const AssemblyResult noCapacity = assemble(model100(), v, 20, true);
    EXPECT_EQ(noCapacity.outcome, AssemblyOutcome::Refused);
    EXPECT_TRUE(noCapacity.error.contains("емкость"));
    EXPECT_FALSE(assemblyStorable(noCapacity, v));
    const AssemblyResult noCharge = assemble(model100(), variant24(), std::nullopt, true);
    EXPECT_EQ(noCharge.outcome, AssemblyOutcome::Refused);
    EXPECT_FALSE(assemblyStorable(noCharge, variant24()));
}

TEST(BatteryAssembly, AllowedRangeByTheFourFactorPairs) {
    // Two strings: Iз.мин. 20 A, Iз.макс. 60 A; Kmin 0,1, Kmax 0,5.
    struct Case {
        bool minOnMinimum, maxOnMinimum;
        double imin, imax;
    } cases[] = {
        {true, true, 2, 10}, {true, false, 2, 30}, {false, true, 6, 10}, {false, false, 6, 30}};
    for (const Case& c : cases) {
        AssemblyVariant v = variant24();
        v.cras = 200;
        v.kzarMin = 0.1;
        v.kzarMax = 0.5;
        v.minOnMinimum = c.minOnMinimum;
        v.maxOnMinimum = c.maxOnMinimum;
        const AssemblyFigures f = assemble(model100(), v, std::nullopt, false).figures;
        EXPECT_DOUBLE_EQ(f.imin, c.imin);
        EXPECT_DOUBLE_EQ(f.imax, c.imax);
    }
}

TEST(BatteryAssembly, MpptChargeRoundsAfterEachAddition) {
    // 1,005 + 1,005: 2,01 after the first addition's rounding ... each sum written to 2 decimals.
    EXPECT_DOUBLE_EQ(mpptChargeCurrent({10.125, 10.125}), totalChargeCurrent({10.125, 10.125}));
    EXPECT_DOUBLE_EQ(mpptChargeCurrent({}), 0);
}

// ---------------------------------------------------------------- justification

TEST(BatteryJustification, LinesNameTheFiguresInBothWordings) {
    AssemblyVariant v = variant24();
    v.kzarMin = 1;
    v.kzarMax = 0.5;
    JustificationInput in;
    in.model = QStringLiteral("Т-12-100");
    in.cras = 100;
    in.uses = 24;
    in.variant = v;
    in.figures = assemble(model100(), v, 5, true).figures;
    const QStringList pwm = justificationLines(in);
    ASSERT_EQ(pwm.size(), 20);
    EXPECT_EQ(pwm[0], "Для обеспечения ёмкости АБ не менее 100 А*ч при напряжении 24 В требуется "
                      "2 аккумулятора (-, -ов) типа Т-12-100, размещенных в следующей "
                      "конфигурации (см. схему подключения АБ): ");
    EXPECT_EQ(pwm[1], "- количество параллельных сборок - 1 шт.;");
    EXPECT_EQ(pwm[3], "");
    EXPECT_EQ(pwm[4], "При этом ёмкость АБ составит 100 А*ч.");
    EXPECT_EQ(pwm[9], "- Iмин. = Кмин.*Iп.мин. = 1*10 = 10 A;");
    EXPECT_EQ(pwm[10], "- Iмакс. = Кмакс.*Iп.макс. = 0,5*30 = 15 A.");
    EXPECT_EQ(pwm[13], "Общий ток выбранной солнечной батареи составляет 5 A и выходит за пределы "
                       "диапазона допустимых токов заряда АБ - 10 - 15 A.");
    EXPECT_EQ(pwm[14], "При этом общий ток солнечной батареи (5 A) меньше минимально допустимого "
                       "тока заряда АБ (10 А).");
    EXPECT_TRUE(pwm[15].endsWith("согласовывался с общим током выбранной солнечной батареи."));

    in.variant.mppt = true;
    in.variant.minOnMinimum = false;
    in.variant.maxOnMinimum = true;
    in.figures = assemble(model100(), in.variant, 5, true).figures;
    const QStringList mppt = justificationLines(in);
    EXPECT_EQ(mppt[9], "- Iмин. = Кмин.*Iп.макс. = 1*30 = 30 A;");
    EXPECT_EQ(mppt[10], "- Iмакс. = Кмакс.*Iп.мин. = 0,5*10 = 5 A.");
    EXPECT_TRUE(mppt[13].startsWith("Общий ток заряда АБ, обеспечиваемый выбранными солнечной "
                                    "батареей и МРРТ-контроллером, составляет 5 A"));
    EXPECT_EQ(mppt[14], "При этом ток заряда АБ (5 A) меньше минимально допустимого тока заряда "
                        "АБ (30 А).");
    // A current above a range that adding strings cannot widen is not called "below".
    in.neverMatches = true;
    EXPECT_FALSE(justificationLines(in)[14].contains("меньше"));
    // The charge current's caption is in amperes.
    const auto figures = justificationFigures(in, model100());
    EXPECT_EQ(figures.back().first, "Общий ток заряда АБ (на выходе контроллера), А:");
}

// ---------------------------------------------------------------- discharge

// Sunset 18, sunrise 6: the windows [18, 24] and [0, 6]. A DC load of 24 W all day and an AC
// load of 48 W from 20 to 22 through an inverter of 0,8; losses 20 %, 24 V, 100 A*h, Kt 1.
DischargeInputs twoWindows() {
    DischargeInputs in;
    StorageSettings& s = in.source.settings;
    s.uses = 24;
    s.batteryLosses = 20;
    s.dailyCycle = true;
    in.source.daylight = {{QStringLiteral("январь"), 6, 18, 25}};
    CapacitySchedule ac;
    ac.ac = true;
    ac.kinv = 0.8;
    ac.load = QStringLiteral("Дом");
    ac.name = QStringLiteral("Вечер");
    ac.intervals = {{0, 20, 0}, {20, 22, 48}, {22, 24, 0}};
    ac.months = {{QStringLiteral("март"), 0, 0}, {QStringLiteral("январь"), 0, 0}};
    CapacitySchedule dc;
    dc.ac = false;
    dc.load = QStringLiteral("Нагрузка АБ");
    dc.name = QStringLiteral("Сутки");
    dc.intervals = {{0, 24, 24}};
    in.source.schedules = {dc, ac}; // the AC loads come first whatever the order given
    in.coefficients = {{0, 0.8}, {25, 1}};
    in.month = 1;
    in.cf = 100;
    return in;
}

TEST(BatteryDischarge, EveningFirstThenTheSegmentAfterMidnightMarked24) {
    const DischargeInputs in = twoWindows();
    EXPECT_EQ(dischargeMonths(in.source.schedules), (std::vector<int>{1, 3}));
    const DischargeTable t = dischargeTable(in);
    ASSERT_FALSE(t.error) << t.error->toStdString();
    EXPECT_EQ(t.periods, "18 - 24; 0 - 6");
    EXPECT_EQ(t.kt, 1);
    EXPECT_EQ(t.loads, (std::vector<QStringList>{{"Дом", "Вечер"}, {"Нагрузка АБ", "Сутки"}}));
    // Pb = 24 / 0,8 = 30 W, and 84 / 0,8 = 105 W from 20 to 22; C drops by Pb / 24 per hour.
    const std::vector<QStringList> rows = {{"0", "18", "100", "0"},
                                           {"2", "20", "98", "2,5"},
                                           {"4", "22", "89", "11,25"},
                                           {"6", "24", "86", "13,75"},
                                           {"12", "6", "79", "21,25"}};
    EXPECT_EQ(t.rows, rows);
    ASSERT_EQ(t.points.size(), 5u);
    EXPECT_DOUBLE_EQ(t.points.back().tp, 12);
    EXPECT_DOUBLE_EQ(t.points.back().c, 78.75);
    // At 0 °C the coefficient 0,8 leaves 125 A*h to start with.
    DischargeInputs cold = in;
    cold.source.daylight[0].batteryTemp = 0;
    EXPECT_EQ(dischargeTable(cold).rows.front()[2], "125");
}

TEST(BatteryDischarge, ZeroDivisorsGiveAMessageAndNoTable) {
    const auto refused = [](const std::function<void(DischargeInputs&)>& change) {
        DischargeInputs in = twoWindows();
        change(in);
        const DischargeTable t = dischargeTable(in);
        return t.error && t.rows.empty() && t.points.empty();
    };
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.source.schedules[1].kinv = 0; }));
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.coefficients = {{25, 0}}; }));
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.coefficients.clear(); }));
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.source.settings.uses = 0; }));
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.source.settings.batteryLosses = 100; }));
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.cf = 0; }));
    EXPECT_TRUE(refused([](DischargeInputs& in) { in.month = 2; })); // no day-light row
    EXPECT_FALSE(refused([](DischargeInputs&) {}));
}

// ---------------------------------------------------------------- the scheme view

StoredBattery twoByThree() {
    StoredBattery b;
    b.ns = 2;
    b.np = 3;
    b.lengthMm = 330;
    b.widthMm = 173;
    b.izarMin = 10;
    b.izarMax = 20;
    b.sizar = 50;
    b.cfakt = "300";
    b.kol = "6";
    b.cnom = "100";
    b.unom = "12";
    b.name = "Т-12-100";
    b.uses = "24";
    return b;
}

const std::vector<JumperRating> kTwoJumpers = {{10, 50}, {4, 25}};

TEST(BatteryScheme, CurrentsAndSectionsOfEveryPlace) {
    struct Case {
        CurrentBasis basis;
        SchemeShows shows;
        QString series, link;
        QStringList bus;
    } cases[] = {
        {CurrentBasis::Maximum, SchemeShows::Current, "20 A", "20 A", {"20 A", "40 A", "60 A"}},
        {CurrentBasis::Minimum, SchemeShows::Current, "10 A", "10 A", {"10 A", "20 A", "30 A"}},
        // 50 / 3 written to 2 decimals; the last bus segment reads the whole 50 A.
        {CurrentBasis::Calculated,
         SchemeShows::Current,
         "16,67 A",
         "16,67 A",
         {"16,67 A", "33,33 A", "50 A"}},
        // 20 A: one 4 mm2 jumper; 40 A one of 10; 60 A two of 10 in parallel.
        {CurrentBasis::Maximum, SchemeShows::Section, "4 мм2", "", {"4 мм2", "10 мм2", "2x10 мм2"}},
        // 16,666... A fits 4 mm2; 50 A exactly the 10 mm2 rating.
        {CurrentBasis::Calculated,
         SchemeShows::Section,
         "4 мм2",
         "",
         {"4 мм2", "10 мм2", "10 мм2"}},
    };
    for (const Case& c : cases) {
        QString error;
        const auto is = stringCurrent(twoByThree(), c.basis, &error);
        ASSERT_TRUE(is) << error.toStdString();
        const SchemeLabels l = schemeLabels(*is, 3, c.basis, c.shows, kTwoJumpers);
        EXPECT_EQ(l.series, c.series);
        EXPECT_EQ(l.link, c.link);
        EXPECT_EQ(l.bus, c.bus);
        EXPECT_TRUE(l.missingSection.isEmpty());
    }
    // Beyond twice the largest rating: no section, "?" and a line naming the current.
    const SchemeLabels none =
        schemeLabels(40, 3, CurrentBasis::Maximum, SchemeShows::Section, kTwoJumpers);
    EXPECT_EQ(none.bus, QStringList({"10 мм2", "2x10 мм2", "?"}));
    EXPECT_TRUE(none.missingSection.contains("120 A"));
    EXPECT_EQ(jumperFor(101, kTwoJumpers).count, 0);
    EXPECT_EQ(jumperText(jumperFor(25, kTwoJumpers)), "4 мм2");

    // The calculated basis needs a charge current and strings to share it.
    StoredBattery noCharge = twoByThree();
    noCharge.sizar.reset();
    QString error;
    EXPECT_FALSE(stringCurrent(noCharge, CurrentBasis::Calculated, &error));
    EXPECT_FALSE(error.isEmpty());
    StoredBattery noStrings = twoByThree();
    noStrings.np = 0;
    EXPECT_FALSE(stringCurrent(noStrings, CurrentBasis::Calculated, &error));
    EXPECT_EQ(schemeHeading(SchemeShows::Section, CurrentBasis::Calculated),
              "Рекомендуемое сечение перемычек при расчетном зарядном токе АБ.");
}

QSizeF fixedMeasure(const QString& text, const DrawFont&) {
    return QSizeF(6.0 * text.size(), 12);
}

template <typename T> std::vector<T> itemsOf(const Drawing& d) {
    std::vector<T> out;
    for (const Primitive& p : d.items)
        if (const T* t = std::get_if<T>(&p))
            out.push_back(*t);
    return out;
}

TEST(BatteryScheme, LayoutPlacesCellsBusesAndLabels) {
    BatterySchemeInput in;
    in.ns = 2;
    in.np = 3;
    in.lengthMm = 330; // 33 px at 100 px/m
    in.widthMm = 175;  // 17,5 -> 18 (half to even)
    in.scale = 100;
    in.seriesLabel = "20 A";
    in.linkLabel = "20 A";
    in.busLabels = {"20 A", "40 A", "60 A"};
    in.capacity = "300";
    in.voltage = "24";
    in.name = "Т-12-100";
    in.cnom = "100";
    in.unom = "12";
    in.kol = "6";
    const Drawing d = batteryScheme(in, fixedMeasure);
    const int w = 18, h = 33, M = 40;
    // Width: text of "300 А*ч" (7 characters) + w np + M (np + 2); height: TH + h ns + M (ns + 3)
    // + M / 2.
    EXPECT_EQ(d.size, QSize(42 + 3 * w + 5 * M, 12 + 2 * h + 5 * M + 20));

    std::vector<QRectF> cells;
    for (const DrawRect& r : itemsOf<DrawRect>(d))
        cells.push_back(r.rect);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0], QRectF(M, 2 * M, w, h));
    EXPECT_EQ(cells[1], QRectF(M, 2 * M + h + M, w, h));
    EXPECT_EQ(cells[5], QRectF(M + 2 * (w + M), 3 * M + h, w, h));

    // Two junction dots per string after the first, on the buses at y = M and h ns + M (ns + 2).
    int dots = 0;
    for (const DrawEllipse& e : itemsOf<DrawEllipse>(d))
        if (e.brush == QColor(Qt::black)) {
            ++dots;
            EXPECT_TRUE(e.rect.center().y() == M || e.rect.center().y() == 2 * h + 4 * M);
        }
    EXPECT_EQ(dots, 4);

    QStringList texts;
    for (const DrawText& t : itemsOf<DrawText>(d))
        texts << t.text;
    // Series jumpers: one per string; bus labels twice; links of strings 2 and 3 twice.
    EXPECT_EQ(texts.count("20 A"), 3 + 2 + 4);
    EXPECT_EQ(texts.count("40 A"), 2);
    EXPECT_EQ(texts.count("60 A"), 2);
    EXPECT_TRUE(texts.contains("Т-12-100 (100 А*ч; 12 B; 6 шт.)"));
    EXPECT_TRUE(texts.contains("300 А*ч"));
    EXPECT_TRUE(texts.contains("24 В"));

    // A single string has no junctions; a caption wider than the picture widens it.
    in.np = 1;
    in.busLabels = {"20 A"};
    in.name = QString(60, QChar('x'));
    const Drawing one = batteryScheme(in, fixedMeasure);
    for (const DrawEllipse& e : itemsOf<DrawEllipse>(one))
        EXPECT_NE(e.brush, QColor(Qt::black));
    EXPECT_EQ(one.size.width(), 6 * (60 + 23) + 20);
}

// ---------------------------------------------------------------- storing

class BatteryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApp();
        initDataDirectory(m_tmp.path());
        store = Store::open(m_tmp.path());
        dm = std::make_unique<TDataModule1>(*store, prompter);
        shell = std::make_unique<Shell>(*dm, prompter);
        buildDemoProject(*shell);
        dm->tblProj1().first();
    }

    // The model of the given maker, type and name from the catalog, assembled without the
    // charge match, as the window would show it.
    BatteryChoice choose(const QString& tip, const QString& name) {
        const BatterySource s = readBatterySource(*dm);
        for (const BatteryMaker& maker : batteryMakers(*dm))
            for (const BatteryType& type : batteryTypes(*dm, maker.kod)) {
                if (type.tip != tip)
                    continue;
                for (const BatteryModel& m : batteryModels(*dm, type.kod))
                    if (m.name == name) {
                        const AssemblyResult r =
                            assemble(m, s.variant, chargeCurrentFor(*dm, s, tip), false);
                        EXPECT_TRUE(r.shown());
                        return {maker.company, tip, m, r.figures};
                    }
            }
        ADD_FAILURE() << "no model " << name.toStdString();
        return {};
    }

    View& variant() { return dm->tblProj1(); }

    QTemporaryDir m_tmp;
    RecordingPrompter prompter;
    std::unique_ptr<Store> store;
    std::unique_ptr<TDataModule1> dm;
    std::unique_ptr<Shell> shell;
};

TEST_F(BatteryStoreTest, DemoChoseMatchingBatteries) {
    for (View& v = variant(); !v.eof(); v.next()) {
        SCOPED_TRACE(v["VarName"].asString().toStdString());
        ASSERT_FALSE(v["Name_AKB"].isNull());
        EXPECT_GE(v["Cfakt_AKB"].asFloat(), v["Cras_AKB"].asFloat());
        EXPECT_GE(v["SIzar_AKB"].asFloat(), v["SIzar_min_use_AKB"].asFloat());
        EXPECT_LE(v["SIzar_AKB"].asFloat(), v["SIzar_max_use_AKB"].asFloat());
        EXPECT_EQ(v["Kol_AKB"].asInteger(),
                  v["KolPosled_AKB"].asInteger() * v["KolVetv_AKB"].asInteger());
        EXPECT_GE(v["KolVetv_AKB"].asInteger(), 1);
    }
}

TEST_F(BatteryStoreTest, StoresTheFieldsAndWithMpptTheArrayCurrents) {
    // The summer house with MPPT controllers: the arrays' currents follow the battery type.
    View& v = variant();
    ASSERT_TRUE(v.edit());
    v["UseMPPT_Ctrl"].setString("1");
    ASSERT_TRUE(v.post());
    const BatteryChoice c = choose(v["Tip_AKB"].asString(), v["Name_AKB"].asString());
    const BatteryStored stored = storeBattery(*dm, c);
    EXPECT_FALSE(stored.typeChanged);
    EXPECT_EQ(v["Name_AKB"].asString(), c.model.name);
    EXPECT_EQ(v["KolVetv_AKB"].asInteger(), c.figures.np);
    EXPECT_EQ(v["Cfakt_AKB"].asFloat(), c.figures.cf);
    EXPECT_EQ(v["SIzar_max_use_AKB"].asFloat(), c.figures.imax);
    EXPECT_EQ(v["Unom_AKB"].asInteger(), 12);

    const ControllerVariant cv = readControllerVariant(*dm);
    ControllerCatalog catalog(*dm);
    std::vector<double> currents;
    View& arrays = dm->tblProj_Mas();
    for (arrays.first(); !arrays.eof(); arrays.next()) {
        const Amperes i =
            catalog.outputCurrent(cv, arrays["Pmas"].asFloat(), arrays["Company_Ctrl"].asString(),
                                  arrays["Tip_Ctrl"].asString());
        ASSERT_TRUE(i.ok());
        EXPECT_EQ(arrays["Iakb_Ctrl"].asFloat(), *i.value);
        currents.push_back(*i.value);
    }
    EXPECT_EQ(v["SIzar_AKB"].asFloat(), mpptChargeCurrent(currents));
    EXPECT_EQ(chargeCurrentFor(*dm, readBatterySource(*dm), c.tip), mpptChargeCurrent(currents));

    // A range that the total misses: the error names both, the choice is stored all the same.
    BatteryChoice narrow = c;
    narrow.figures.imax = 1;
    narrow.figures.imin = 0.5;
    const BatteryStored out = storeBattery(*dm, narrow);
    ASSERT_TRUE(out.outOfRange);
    EXPECT_TRUE(
        out.outOfRange->startsWith("Общий ток заряда АБ (суммарный ток на выходе контроллеров) - "))
        << out.outOfRange->toStdString();
    EXPECT_TRUE(out.outOfRange->contains(" - 0,5 ... 1 A)."));
    EXPECT_EQ(v["SIzar_max_use_AKB"].asFloat(), 1);
}

TEST_F(BatteryStoreTest, AFailedWriteLeavesTheVariantAsItWas) {
    View& v = variant();
    ASSERT_TRUE(v.edit());
    v["UseMPPT_Ctrl"].setString("1");
    ASSERT_TRUE(v.post());
    const QString before = v["Name_AKB"].asString();
    const BatteryChoice c = choose(QStringLiteral("GEL"), QStringLiteral("СН-GEL-12-200"));
    store->exec("CREATE TRIGGER no_arrays BEFORE UPDATE OF Iakb_Ctrl ON proj_mas BEGIN "
                "SELECT RAISE(ABORT, 'диск полон'); END");
    EXPECT_THROW(storeBatteryChoice(*dm, c), DbError);
    v.refresh();
    EXPECT_EQ(v["Name_AKB"].asString(), before);
    QSqlQuery q(store->db());
    q.exec("SELECT Name_AKB, Tip_AKB FROM project1 ORDER BY Kod");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), before);
}

TEST_F(BatteryStoreTest, ANewBatteryTypeRecomputesTheRequirement) {
    View& v = variant();
    const double before = v["Cras_AKB"].asFloat();
    // The lithium table differs from the lead-acid one: the requirement changes with the type.
    const BatteryChoice lfp = choose(QStringLiteral("LiFePo4"), QStringLiteral("СН-LFP-24-100"));
    const BatteryChoiceOutcome out = storeBatteryChoice(*dm, lfp);
    ASSERT_TRUE(out.chain);
    EXPECT_EQ(v["Tip_AKB"].asString(), "LiFePo4");
    const CapacityResult expected = requiredCapacity(capacityInputs(*dm, v.currentKey().toInt()));
    ASSERT_TRUE(expected.capacity);
    EXPECT_EQ(v["Cras_AKB"].asFloat(), *expected.capacity);
    EXPECT_NE(v["Cras_AKB"].asFloat(), before);
    EXPECT_EQ(out.shortfall.has_value(), v["Cras_AKB"].asFloat() > v["Cfakt_AKB"].asFloat());
    // The same type again runs no chain.
    EXPECT_FALSE(storeBatteryChoice(*dm, lfp).chain);
}

} // namespace

namespace {

// ---------------------------------------------------------------- the tabular choice

TEST_F(BatteryStoreTest, TableListsTheCatalogInUseWithEachTypesChargeCurrent) {
    View& v = variant();
    ASSERT_TRUE(v.edit());
    v["UseMPPT_Ctrl"].setString("1");
    ASSERT_TRUE(v.post());
    // Out of use at each level: the second maker, the GEL type, one AGM model.
    store->exec("UPDATE akb0 SET UseAKB = 0 WHERE Company = 'Стартовый набор: АКБ Б'");
    store->exec("UPDATE akb1 SET UseAKB = 0 WHERE Tip = 'GEL'");
    store->exec("UPDATE akb2 SET UseAKB = 0 WHERE Name = 'СН-AGM-12-100'");
    const BatterySource s = readBatterySource(*dm);
    const auto rows = buildBatteryCandidates(*dm, s, false);
    ASSERT_FALSE(rows.empty());
    for (const BatteryCandidate& c : rows) {
        EXPECT_EQ(c.company, "Стартовый набор: АКБ А");
        EXPECT_EQ(c.tip, "AGM");
        EXPECT_NE(c.model.name, "СН-AGM-12-100");
        EXPECT_EQ(c.figures.charge, chargeCurrentFor(*dm, s, c.tip)) << c.model.name.toStdString();
    }
    // The work table holds the list in its order.
    QSqlQuery q(store->db());
    q.exec("SELECT Name_AKB, KolVetv_AKB, Izar_Ctrl FROM optim_akb ORDER BY Kod");
    for (const BatteryCandidate& c : rows) {
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), c.model.name);
        EXPECT_EQ(q.value(1).toInt(), c.figures.np);
        EXPECT_EQ(q.value(2).toDouble(), *c.figures.charge);
    }
    EXPECT_FALSE(q.next());
    EXPECT_EQ(dm->tbl("optim_akb").recordCount(), int(rows.size()));

    // Every type back in use: the GEL rows carry the GEL charge current, not the AGM one.
    store->exec("UPDATE akb1 SET UseAKB = 1");
    store->exec("UPDATE akb0 SET UseAKB = 1");
    const auto all = buildBatteryCandidates(*dm, s, false);
    const auto agm = chargeCurrentFor(*dm, s, "AGM"), gel = chargeCurrentFor(*dm, s, "GEL");
    ASSERT_NE(agm, gel);
    int gelRows = 0;
    for (const BatteryCandidate& c : all)
        if (c.tip == "GEL") {
            ++gelRows;
            EXPECT_EQ(c.figures.charge, gel);
        }
    EXPECT_GT(gelRows, 0);

    // A failed write leaves the previous list in the table.
    store->exec("CREATE TRIGGER full BEFORE INSERT ON optim_akb WHEN NEW.Tip_AKB = 'GEL' BEGIN "
                "SELECT RAISE(ABORT, 'диск полон'); END");
    EXPECT_THROW(buildBatteryCandidates(*dm, s, false), DbError);
    EXPECT_EQ(store->count("optim_akb"), qint64(all.size()));
}

} // namespace
