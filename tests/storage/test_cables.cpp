// The conductors of the four circuits over a small wire table of our own: the section limited by
// the drop or by the current, the laying method, the minimum section and its refusals, the
// optimal-cable table, and the inputs that cannot be computed.

#include "../lib/qt_print.h"

#include "storage/cables.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

const QString kOpen = QStringLiteral("открыто");
const QString kPipe2 = QStringLiteral("два 1-жильных провода в трубе");
const QString kTwin = QStringLiteral("один 2-жильный провод в трубе");

// Sech, Idop (open, 2 x 1-core, 1 x 2-core), Ro.
WireTable wires() {
    return {{1.5, 20, 16, 14, 0.012}, {2.5, 27, 22, 19, 0.0075}, {4, 36, 30, 25, 0.0048},
            {6, 46, 40, 32, 0.0031},  {10, 65, 55, 45, 0.0018},  {25, 120, 100, 90, 0.00072}};
}

// Pinv, Uakb, Sech, Kol_vo. 16 mm2 is not in the wire table.
std::vector<OptimalCableRow> optimal() {
    return {{1000, 24, 10, 2},
            {2000, 24, 25, 1},
            {1000, 12, 25, 2},
            {3000, 24, 16, 1},
            {4000, 24, std::nullopt, 1}};
}

TEST(Cables, RulesOfTheSectionChoice) {
    // 24 V, 2 %, 20 A over 5 m: 24 ten-thousandths of an Ohm per metre.
    EXPECT_EQ(allowedResistance(24, 2, 20, 5), 0.0024);
    // 10 A over 5 m gives exactly the resistance of 4 mm2, however the quotient is rounded.
    const auto tie = chooseSection(wires(), Laying::Open, allowedResistance(24, 2, 10, 5), 10);
    ASSERT_TRUE(tie);
    EXPECT_EQ(tie->section, 4);
    EXPECT_EQ(tie->idop, 36);
    EXPECT_FALSE(chooseSection(wires(), Laying::Open, 0.0001, 1));

    EXPECT_EQ(permissibleCurrent(wires(), 6, kTwin), 32);
    EXPECT_EQ(permissibleCurrent(wires(), 6, kPipe2), 40);
    EXPECT_EQ(permissibleCurrent(wires(), 16, kOpen), 0);
    EXPECT_EQ(permissibleCurrent(wires(), 6, QStringLiteral("в земле")), 0);

    // 0,0048 * 10 * 2 * 5 / 24 * 100 = 2 %; over two cables 1 %; 0,0048 * 100 * 10 = 4,8 W.
    const CableLoss one = cableLoss(0.0048, 10, 5, 24);
    EXPECT_EQ(one.duText, "2");
    EXPECT_EQ(one.dpText, "5");
    const CableLoss two = cableLoss(0.0031, 7, 3, 24, 2);
    EXPECT_EQ(two.duText, "0,27"); // 0,27125
    EXPECT_EQ(two.du, 0.27);
    EXPECT_EQ(two.dpText, "0"); // 0,4557

    EXPECT_EQ(optimalCableFor(optimal(), 800, 24)->sech, 10);
    EXPECT_EQ(optimalCableFor(optimal(), 1000, 24)->pinv, 1000);
    EXPECT_EQ(optimalCableFor(optimal(), 1500, 24)->pinv, 2000);
    EXPECT_FALSE(optimalCableFor(optimal(), 5000, 24));
    EXPECT_FALSE(optimalCableFor(optimal(), 100, 48));
}

enum class Circuit { Array, Controller, Inverter, Dc };

struct Case {
    const char* name;
    Circuit circuit;
    std::optional<double> current;
    std::optional<double> length;
    QString method;
    double allowedDrop;
    MinimumSection minimum{false, 4};
    double smax = 240;          // the controller's terminals
    int table = 0;              // battery - inverter: 1 = the optimal cables
    double pnom = 0;            // the inverter's power
    std::optional<double> imax; // the inverter's maximum current, chosen when set
    CableOutcome::Kind kind;
    double section = 0;
    int count = 1;
    double idop = 0, du = 0, dp = 0;
    const char* message = ""; // a line of the message that must be there
};

// One record of the circuit in a variant of 24 V, run as "Выбор" runs it.
CableOutcome run(const Case& c) {
    CableInputs in;
    in.wires = wires();
    in.optimal = optimal();
    CableVariant& v = in.variant;
    v.uses = 24;
    v.duArrays = v.duControllers = v.duInverters = v.duDc = c.allowedDrop;
    v.table = c.table;
    v.byMaximum = c.imax.has_value();
    CableOptions options;
    options.arrays = options.controllers = options.inverters = options.dc = c.minimum;
    switch (c.circuit) {
    case Circuit::Array:
    case Circuit::Controller: {
        CableArray a;
        a.name = QStringLiteral("Южный");
        a.controller = QStringLiteral("К-30");
        a.skabCtrl = c.smax;
        a.imas = c.current;
        a.length = c.length;
        a.method = c.method;
        // Two arrays: each controller's own maximum current sizes its cable to the battery.
        a.inomCtrl = c.current;
        a.lengthAkb = c.length;
        a.methodAkb = c.method;
        in.arrays = {a, a};
        in.variant.sizarMax = 999;
        const CableRun r = chooseCables(in, options);
        return c.circuit == Circuit::Array ? r.arrays.front() : r.controllers.front();
    }
    case Circuit::Inverter: {
        CableLoad l;
        l.name = QStringLiteral("Насос");
        l.pnom = c.pnom;
        l.inom = c.current;
        l.imax = c.imax;
        l.length = c.length;
        l.method = c.method;
        in.loads = {l};
        return chooseCables(in, options).inverters.front();
    }
    case Circuit::Dc:
        v.inom = c.current;
        v.length = c.length;
        v.method = c.method;
        return chooseCables(in, options).dc;
    }
    return {};
}

TEST(Cables, EveryCircuitChoosesItsConductor) {
    using K = CableOutcome::Kind;
    const MinimumSection min4{true, 4}, min6{true, 6}, min16{true, 16};
    const Case cases[] = {
        // 10 A carried by 1,5 mm2, but 20 m at 2 % need 0,0012 Ohm/m: 25 mm2.
        {"array: by the drop",
         Circuit::Array,
         10,
         20,
         kOpen,
         2,
         {false, 4},
         35,
         0,
         0,
         {},
         K::Stored,
         25,
         1,
         120,
         1.2,
         3},
        // 30 A over 1 m: open 4 mm2 (36 A), one 2-core wire in a pipe 6 mm2 (32 A).
        {"dc: by the current, open",
         Circuit::Dc,
         30,
         1,
         kOpen,
         5,
         {false, 4},
         0,
         0,
         0,
         {},
         K::Stored,
         4,
         1,
         36,
         1.2,
         9},
        {"dc: by the current, in a pipe",
         Circuit::Dc,
         30,
         1,
         kTwin,
         5,
         {false, 4},
         0,
         0,
         0,
         {},
         K::Stored,
         6,
         1,
         32,
         0.78,
         6},
        // 1,5 mm2 would do; the ticked minimum of 4 mm2 is stored with its own figures.
        {"controller: raised to the minimum",
         Circuit::Controller,
         5,
         2,
         kPipe2,
         5,
         min4,
         4,
         0,
         0,
         {},
         K::Stored,
         4,
         1,
         30,
         0.4,
         0},
        {"inverter: raised to the minimum",
         Circuit::Inverter,
         5,
         2,
         kOpen,
         5,
         min6,
         0,
         0,
         0,
         {},
         K::Stored,
         6,
         1,
         46,
         0.26,
         0},
        {"array: minimum above the terminals",
         Circuit::Array,
         5,
         2,
         kOpen,
         5,
         min6,
         4,
         0,
         0,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "Выбор проводника от массива СП \"Южный\" к контроллеру \"К-30\" невозможен. Это связано "
         "с тем, что значение поля \"Минимальное сечение жилы кабеля (провода), мм2\" (6 мм2) "
         "больше максимально допустимого сечения жилы проводника, подключаемого к контроллеру "
         "\"К-30\" (4 мм2, поле \"Sмакс., мм2\" таблицы)."},
        {"controller: no terminal size with the minimum",
         Circuit::Controller,
         5,
         2,
         kOpen,
         5,
         min4,
         0,
         0,
         0,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "- заменить контроллер \"К-30\" на контроллер с большим максимально допустимым сечением "
         "жилы подключаемого к нему проводника."},
        {"array: section above the terminals",
         Circuit::Array,
         10,
         20,
         kOpen,
         2,
         {false, 4},
         16,
         0,
         0,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "Сечение жилы выбранного проводника (25 мм2) превышает значение максимально допустимого "
         "сечения жилы проводника, подключаемого к контроллеру (16 мм2)."},
        // A minimum the catalog does not hold cannot be stored.
        {"array: minimum within the terminals",
         Circuit::Array,
         5,
         2,
         kOpen,
         5,
         min16,
         16,
         0,
         0,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "Сечение 16 мм2, выбранное в поле \"Минимальное сечение жилы кабеля (провода), мм2\", "
         "отсутствует в справочнике проводов (кабелей)."},
        // 800 W at 24 V: two 10 mm2 cables, 130 A, the drop and the loss halved.
        {"inverter: optimal, two cables",
         Circuit::Inverter,
         40,
         2,
         kOpen,
         2,
         min4,
         0,
         1,
         800,
         {},
         K::Stored,
         10,
         2,
         130,
         0.6,
         6},
        {"inverter: optimal cable too weak",
         Circuit::Inverter,
         150,
         2,
         kOpen,
         10,
         min4,
         0,
         1,
         800,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "- длительно допустимый ток 130 А (способ прокладки \"открыто\", 2 шт.) меньше тока "
         "инвертора 150 А;"},
        {"inverter: optimal cable too long",
         Circuit::Inverter,
         40,
         20,
         kOpen,
         2,
         min4,
         0,
         1,
         800,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "- падение напряжения 6 % при длине 20 м больше допустимого 2 %;"},
        {"inverter: optimal section not in the catalog",
         Circuit::Inverter,
         40,
         2,
         kOpen,
         2,
         min4,
         0,
         1,
         2600,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "Сечение 16 мм2 кабеля из таблицы оптимальных сечений кабелей \"АБ-инвертор\" "
         "отсутствует в справочнике проводов (кабелей)."},
        {"inverter: no optimal cable",
         Circuit::Inverter,
         40,
         2,
         kOpen,
         2,
         min4,
         0,
         1,
         3500.4,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "Кабель оптимального сечения для инвертора мощностью 3500 Bт при напряжении на АБ 24 В "
         "не найден."},
        {"dc: no wire carries it",
         Circuit::Dc,
         200,
         1,
         kOpen,
         5,
         min4,
         0,
         0,
         0,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "Выбор проводника от АБ к потребителям постоянного напряжения невозможен. "},
        {"array: no wire keeps the drop",
         Circuit::Array,
         10,
         500,
         kOpen,
         2,
         min4,
         240,
         0,
         0,
         {},
         K::Emptied,
         0,
         1,
         0,
         0,
         0,
         "В справочнике проводов (кабелей) нет проводника, который при способе прокладки "
         "\"открыто\" длительно допускает ток 10 А и при длине 500 м дает падение напряжения не "
         "более 2 %."},
        {"dc: zero length",
         Circuit::Dc,
         10,
         0,
         kOpen,
         2,
         min4,
         0,
         0,
         0,
         {},
         K::Skipped,
         0,
         1,
         0,
         0,
         0,
         "Выбор проводника от АБ к потребителям постоянного напряжения не выполнен: значение поля "
         "\"Длина провода (кабеля), м\" (0) должно быть больше 0."},
        {"controller: negative current",
         Circuit::Controller,
         -3,
         2,
         kOpen,
         2,
         min4,
         240,
         0,
         0,
         {},
         K::Skipped,
         0,
         1,
         0,
         0,
         0,
         "значение поля \"Iмакс, А\" (-3) должно быть больше 0."},
        {"array: no length, silently",
         Circuit::Array,
         10,
         std::nullopt,
         kOpen,
         2,
         min4,
         240,
         0,
         0,
         {},
         K::Skipped},
        {"dc: no laying method",
         Circuit::Dc,
         10,
         2,
         QString(),
         2,
         min4,
         0,
         0,
         0,
         {},
         K::Skipped,
         0,
         1,
         0,
         0,
         0,
         "не задан способ прокладки провода (кабеля)."},
        // The nominal 10 A takes 1,5 mm2; the maximum 30 A open takes 4 mm2.
        {"inverter: by the nominal current",
         Circuit::Inverter,
         10,
         1,
         kOpen,
         5,
         {false, 4},
         0,
         0,
         0,
         {},
         K::Stored,
         1.5,
         1,
         20,
         1,
         2},
        {"inverter: by the maximum current",
         Circuit::Inverter,
         10,
         1,
         kOpen,
         5,
         {false, 4},
         0,
         0,
         0,
         30,
         K::Stored,
         4,
         1,
         36,
         1.2,
         9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CableOutcome o = run(c);
        EXPECT_EQ(o.kind, c.kind);
        if (c.kind == K::Stored) {
            EXPECT_EQ(o.result.section, c.section);
            EXPECT_EQ(o.result.count, c.count);
            EXPECT_EQ(o.result.idop, c.idop);
            EXPECT_EQ(o.result.du, c.du);
            EXPECT_EQ(o.result.dp, c.dp);
            EXPECT_TRUE(o.message.isEmpty()) << o.message.join('\n').toStdString();
        } else if (*c.message) {
            bool found = false;
            for (const QString& line : o.message)
                found = found || line.contains(QString::fromUtf8(c.message));
            EXPECT_TRUE(found) << o.message.join('\n').toStdString();
        } else {
            EXPECT_TRUE(o.message.isEmpty());
        }
    }
}

TEST(Cables, OneArrayIsChargedByTheBatteryMaximum) {
    CableInputs in;
    in.wires = wires();
    in.variant.uses = 24;
    in.variant.duControllers = 5;
    in.variant.sizarMax = 30;
    CableArray a;
    a.controller = QStringLiteral("К-10");
    a.inomCtrl = 10;
    a.skabCtrl = 16;
    a.lengthAkb = 1;
    a.methodAkb = kOpen;
    in.arrays = {a};
    const CableOptions off{{false, 4}, {false, 4}, {false, 25}, {false, 6}};
    // 30 A open: 4 mm2. With two arrays each controller's 10 A: 1,5 mm2.
    EXPECT_EQ(chooseCables(in, off).controllers.front().result.section, 4);
    in.arrays = {a, a};
    EXPECT_EQ(chooseCables(in, off).controllers.back().result.section, 1.5);
    // An empty battery maximum leaves the controller's own current.
    in.arrays = {a};
    in.variant.sizarMax.reset();
    EXPECT_EQ(chooseCables(in, off).controllers.front().result.section, 1.5);
    // Without the controller's current the record is skipped, whatever the battery gives.
    in.variant.sizarMax = 30;
    in.arrays.front().inomCtrl.reset();
    const CableOutcome skipped = chooseCables(in, off).controllers.front();
    EXPECT_EQ(skipped.kind, CableOutcome::Kind::Skipped);
    EXPECT_TRUE(skipped.message.isEmpty());
}

TEST(Cables, MpptArraysUseTheirOwnVoltage) {
    CableInputs in;
    in.wires = wires();
    in.variant.uses = 12;
    in.variant.mppt = true;
    in.variant.umppt = 48;
    in.variant.duArrays = 2;
    CableArray a;
    a.name = QStringLiteral("1");
    a.imas = 10;
    a.length = 5;
    a.method = kOpen;
    a.skabCtrl = 240;
    in.arrays = {a};
    const CableOptions off{{false, 4}, {false, 4}, {false, 25}, {false, 6}};
    // 48 V: Romax 0,0096, 2,5 mm2. At 12 V it would be 0,0024 and 10 mm2.
    EXPECT_EQ(chooseCables(in, off).arrays.front().result.section, 2.5);
    in.variant.mppt = false;
    EXPECT_EQ(chooseCables(in, off).arrays.front().result.section, 10);
    // MPPT without its voltage cannot be computed and says so.
    in.variant.mppt = true;
    in.variant.umppt.reset();
    const CableOutcome o = chooseCables(in, off).arrays.front();
    EXPECT_EQ(o.kind, CableOutcome::Kind::Skipped);
    ASSERT_EQ(o.message.size(), 1);
    EXPECT_TRUE(o.message.front().contains("не задано значение поля"))
        << o.message.front().toStdString();
}

} // namespace
