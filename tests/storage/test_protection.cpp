// The protective-device rules over a hand-made catalog: each circuit's requirement for both
// device kinds, the refusals on current, voltage (fractional too) and section, the order, the
// row of the present device, the bulk copy with an array it must skip, the inverter-power
// choice, the controller - battery fallback and the missing inputs.

#include "../lib/qt_print.h"

#include "storage/protection.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

CatalogDevice device(const char* company, const char* name, double unom, double inom, double skab,
                     std::vector<InverterRating> ratings = {}) {
    return {QString::fromUtf8(company),
            QString::fromUtf8(name),
            QStringLiteral("DIN-рейка"),
            unom,
            inom,
            skab,
            true,
            std::move(ratings)};
}

// Inserted out of order on purpose: the candidates come back by current, then voltage.
DeviceCatalog catalog() {
    return {device("Б", "B63-100", 100, 63, 35), device("А", "A25-60", 60, 25, 10),
            device("А", "A16-53", 53, 16, 6),    device("А", "A16-60", 60, 16, 6),
            device("Б", "B10-250", 250, 10, 4),  device("А", "A40-120", 120, 40, 16),
            device("А", "A16-55", 55, 16, 6)};
}

// Two arrays of 3 strings, one of 2; the second 3-string array has a higher open-circuit
// voltage and a thinner cable.
ProtectionInputs inputs() {
    ProtectionInputs in;
    ProtectionVariant& v = in.variant;
    v.tipSp = QStringLiteral("П-100");
    v.impSp = 5.2;
    v.iscSp = 5.6;
    v.uses = 24;
    v.tipAkb = QStringLiteral("АБ-200");
    v.sizarMin = 4;
    v.sizarMax = 20;
    v.inom = 8;
    v.imax = 12;
    v.ipik = 30;
    v.skabAkb = 6;
    for (KindSettings* s : {&v.breaker, &v.fuse})
        for (Margins& m : s->margins)
            m = {1.2, 1.2};
    in.arrays = {{"М1", "К-30", 2, 3, 44.6, 15.6, 30, 25, 10, 6},
                 {"М2", "К-30", 2, 3, 49.5, 15.6, 30, 25, 6, 6},
                 {"М3", "К-20", 2, 2, 44.6, 10.4, 20, 18, 6, 4}};
    in.loads = {{"Дом", "И-1500", 1500, 2000, 4500, 62.5, 83.3, 187.5, 24, 25}};
    in.wires = {{1.5, 20, 16, 14, 0.012},
                {2.5, 27, 22, 19, 0.0075},
                {4, 36, 30, 25, 0.0048},
                {6, 46, 40, 32, 0.0031}};
    return in;
}

QStringList names(const std::vector<Candidate>& c) {
    QStringList out;
    for (const Candidate& x : c)
        out << x.name;
    return out;
}

TEST(Protection, RequirementsOfEachCircuit) {
    const ProtectionInputs in = inputs();
    struct Case {
        DeviceKind kind;
        Circuit circuit;
        int record;
        double current, voltage, section;
    };
    const DeviceKind B = DeviceKind::Breaker, F = DeviceKind::Fuse;
    for (const Case& c : {
             // The assembly: Isc; the highest open-circuit voltage (49,5 of the second array);
             // the catalog section carrying 5,6 A is 1,5, below the 4 mm2 minimum.
             Case{B, Circuit::Assembly, 2, 6.72, 59.4, 4},
             // Array: 5,6 * 3 = 16,8 A short-circuit, times 1,2.
             Case{F, Circuit::ArrayController, 1, 20.16, 59.4, 6},
             // One battery with three arrays: the controller's maximum current (option 0).
             Case{B, Circuit::ControllerBattery, 2, 24, 28.8, 4},
             Case{F, Circuit::BatteryInverter, 0, 75, 28.8, 25},
             Case{B, Circuit::BatteryDc, 0, 9.6, 28.8, 6},
         }) {
        SCOPED_TRACE(int(c.circuit));
        const Requirement r = requirementOf(c.kind, c.circuit, in, c.record);
        EXPECT_TRUE(r.missing.isEmpty()) << r.missingText().toStdString();
        EXPECT_DOUBLE_EQ(r.current, c.current);
        EXPECT_DOUBLE_EQ(r.voltage, c.voltage);
        EXPECT_DOUBLE_EQ(r.section, c.section);
        EXPECT_FALSE(r.note.isEmpty());
        EXPECT_TRUE(r.caption.startsWith(c.kind == B ? "Выбор автоматического выключателя"
                                                     : "Выбор предохранителя"));
    }
    // The assembly section follows the short-circuit current past the minimum, and stays at the
    // minimum when no wire carries it.
    EXPECT_EQ(stringCableSection(in.wires, 30, 4), 4);
    EXPECT_EQ(stringCableSection(in.wires, 40, 4), 6);
    EXPECT_EQ(stringCableSection(in.wires, 400, 4), 4);
    EXPECT_EQ(stringCableSection(in.wires, 10, 1.5), 1.5);
}

TEST(Protection, CandidatesAreRefusedOnEachRatingAndOrdered) {
    ProtectionInputs in = inputs();
    // Array М3 with a breaker: 2 strings of 5,6 A (13,44 A), 44,6 V * 1,2 = 53,52 V, 6 mm2.
    const Requirement r = requirementOf(DeviceKind::Breaker, Circuit::ArrayController, in, 2);
    ASSERT_DOUBLE_EQ(r.voltage, 53.52);
    // A16-53 falls on the fractional voltage, B10-250 on current; the rest in rising current.
    EXPECT_EQ(names(candidatesFor(catalog(), r)),
              QStringList({"A16-55", "A16-60", "A25-60", "A40-120", "B63-100"}));
    // A 6 mm2 terminal cannot take a 10 mm2 cable.
    in.arrays[2].skab = 10;
    EXPECT_EQ(names(candidatesFor(
                  catalog(), requirementOf(DeviceKind::Breaker, Circuit::ArrayController, in, 2))),
              QStringList({"A25-60", "A40-120", "B63-100"}));
    // Ratings equal to the requirement are offered; a type switched off is not.
    DeviceCatalog exact = {device("В", "exact", 53.52, 13.44, 6)};
    EXPECT_EQ(candidatesFor(exact, r).size(), 1u);
    exact.front().inUse = false;
    EXPECT_TRUE(candidatesFor(exact, r).empty());
}

TEST(Protection, ThePresentDeviceIsTheStartingRow) {
    const auto c = candidatesFor(
        catalog(), requirementOf(DeviceKind::Fuse, Circuit::ArrayController, inputs(), 2));
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(presentRow(c, {"А", "A40-120", "", 40, 120}), 3);
    // Incomplete or unknown: the first row.
    EXPECT_EQ(presentRow(c, {"А", "A40-120", "", 40, std::nullopt}), 0);
    EXPECT_EQ(presentRow(c, {"А", "A40-120", "", 41, 120}), 0);
    EXPECT_EQ(presentRow(c, {}), 0);
}

TEST(Protection, BulkCopyGoesOnlyWhereTheDeviceFits) {
    const ProtectionInputs in = inputs();
    // Chosen for М1 (3 strings, 53,52 V, 10 mm2): a 55 V device does not stand the 59,4 V of
    // М2, which has as many strings; М3 has two.
    const Candidate device55{"В", "C25-55", "", 25, 55, 10, {}, {}};
    const BulkTargets t =
        bulkTargets(DeviceKind::Breaker, Circuit::ArrayController, in, 0, device55);
    EXPECT_EQ(t.records, std::vector<int>({0}));
    EXPECT_EQ(t.skipped, QStringList({"\"М2\""}));
    EXPECT_TRUE(t.skippedText(DeviceKind::Breaker).contains("\"М2\""));
    // A 60 V device chosen for М2 fits М1 as well.
    const Candidate device60{"В", "C25-60", "", 25, 60, 10, {}, {}};
    const BulkTargets all =
        bulkTargets(DeviceKind::Fuse, Circuit::ArrayController, in, 1, device60);
    EXPECT_EQ(all.records, std::vector<int>({1, 0}));
    EXPECT_TRUE(all.skipped.isEmpty());
    // Controller - battery by the controller's maximum current: М1 shares М2's 30 A (М3 has
    // 20 A), but needs 36 A.
    const BulkTargets ctrl =
        bulkTargets(DeviceKind::Breaker, Circuit::ControllerBattery, in, 1, device60);
    EXPECT_EQ(ctrl.records, std::vector<int>({1}));
    EXPECT_EQ(ctrl.skipped, QStringList({"\"М1\""})) << "25 A is below 30 A * 1,2";
    // One array: nothing to copy to.
    ProtectionInputs one = in;
    one.arrays.resize(1);
    EXPECT_FALSE(bulkAvailable(Circuit::ArrayController, 1));
    EXPECT_TRUE(bulkAvailable(Circuit::ControllerBattery, 2));
    EXPECT_FALSE(bulkAvailable(Circuit::BatteryInverter, 3));
    EXPECT_EQ(bulkTargets(DeviceKind::Breaker, Circuit::ArrayController, one, 0, device60).records,
              std::vector<int>({0}));
}

TEST(Protection, InverterPowerChoice) {
    ProtectionInputs in = inputs();
    in.variant.breaker.inverter = 0;
    in.variant.fuse.inverter = 0;
    in.loads[0].pnom = 2000;
    in.loads[0].ppik = 5000;
    const DeviceCatalog c = {
        device("А", "3000/6000", 60, 100, 25, {{12, 9000, 9000}, {24, 3000, 6000}}),
        device("А", "3000/4000", 60, 90, 25, {{24, 3000, 4000}}),
        device("А", "at 12 V", 60, 80, 25, {{12, 3000, 6000}}),
        device("А", "thin", 60, 70, 16, {{24, 3000, 6000}}),
    };
    const Requirement b = requirementOf(DeviceKind::Breaker, Circuit::BatteryInverter, in);
    ASSERT_TRUE(b.byPower);
    const auto breakers = candidatesFor(c, b);
    ASSERT_EQ(names(breakers), QStringList({"3000/6000"}));
    EXPECT_EQ(breakers[0].pinvNom, 3000);
    EXPECT_EQ(breakers[0].pinvPik, 6000);
    // The fuse goes by its nominal rating alone.
    EXPECT_EQ(
        names(candidatesFor(c, requirementOf(DeviceKind::Fuse, Circuit::BatteryInverter, in))),
        QStringList({"3000/4000", "3000/6000"}));
    EXPECT_EQ(requirementOf(DeviceKind::Fuse, Circuit::BatteryInverter, in).note,
              "Выбор предохранителя выполняется по номинальной мощности и номинальному "
              "напряжению инвертора.");
}

TEST(Protection, ControllerBatteryBasis) {
    ProtectionInputs in = inputs();
    in.arrays.resize(1);
    // One array with a battery: the battery's largest charge current, for both kinds.
    for (DeviceKind k : {DeviceKind::Breaker, DeviceKind::Fuse})
        EXPECT_DOUBLE_EQ(requirementOf(k, Circuit::ControllerBattery, in).current, 24);
    // Without a battery the fuse falls back on the controller, as the breaker does: 30 A of the
    // controller's maximum, or 25 A of its charge current with option 1.
    in.variant.tipAkb.clear();
    in.variant.sizarMax.reset();
    in.variant.fuse.ctrlBattery = 1;
    const Requirement fuse = requirementOf(DeviceKind::Fuse, Circuit::ControllerBattery, in);
    EXPECT_DOUBLE_EQ(fuse.current, 30);
    EXPECT_TRUE(fuse.note.contains("току заряда АБ от контроллера"));
    EXPECT_DOUBLE_EQ(requirementOf(DeviceKind::Breaker, Circuit::ControllerBattery, in).current,
                     36);
}

TEST(Protection, MissingInputsOfferNothingAndSaySo) {
    struct Case {
        Circuit circuit;
        void (*clear)(ProtectionInputs&);
        const char* named;
    };
    for (const Case& c : {
             Case{Circuit::Assembly, [](ProtectionInputs& in) { in.variant.iscSp.reset(); },
                  "Ток к.з. СП сборки"},
             Case{Circuit::ArrayController, [](ProtectionInputs& in) { in.arrays[0].skab.reset(); },
                  "сечение жил"},
             Case{Circuit::ControllerBattery, [](ProtectionInputs& in) { in.variant.uses.reset(); },
                  "Номинальное напряжение АБ"},
             Case{Circuit::BatteryInverter, [](ProtectionInputs& in) { in.loads[0].inom.reset(); },
                  "Номинальный ток инвертора"},
             Case{Circuit::BatteryDc, [](ProtectionInputs& in) { in.variant.inom.reset(); },
                  "Номинальный ток нагрузки"},
         }) {
        ProtectionInputs in = inputs();
        c.clear(in);
        const Requirement r = requirementOf(DeviceKind::Fuse, c.circuit, in, 0);
        EXPECT_TRUE(r.missingText().contains(QString::fromUtf8(c.named)))
            << r.missingText().toStdString();
        EXPECT_TRUE(candidatesFor(catalog(), r).empty());
    }
}

} // namespace
