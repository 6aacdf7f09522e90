#include "reports/specification.h"

#include <gtest/gtest.h>

#include "lib/qt_print.h"

using namespace ses;

namespace {

SpecCatalogs catalogs() {
    SpecCatalogs c;
    c.panelStructure[{"M1", "P-250"}] = "моно";
    c.controllerMethod[{"M2", "C-20"}] = "PWM";
    c.breakerMounting[{"M3", "AV-SP"}] = "DIN-рейка";
    c.breakerMounting[{"M3", "AV-M"}] = "панель";
    c.connectors = {{"MC-10", 10}, {"MC-30", 30}};
    c.splitters = {{"Y-20", 20}, {"Y-40", 40}};
    c.jumpers = {{10, 25}, {16, 40}, {25, 60}};
    c.currentFromIsc = true;
    return c;
}

SpecLoad load(const QString& name, const QString& forma) {
    SpecLoad l;
    l.company = "M4";
    l.name = name;
    l.pnom = "1000";
    l.pmax = "2000";
    l.ppik = "3000";
    l.uvh = "24";
    l.uvuh = "220";
    l.forma = forma;
    return l;
}

SpecArray array(int strings) {
    SpecArray a;
    a.company = "M2";
    a.controller = "C-20";
    a.unom = "24";
    a.inom = "20";
    a.strings = strings;
    return a;
}

// Two inverters of one model and one of another waveform, a 2 x 3 battery, arrays of 1 and 3
// strings under an assembly limit of 2, breakers in and out of the catalog, cables of each laying
// method and a doubled inverter feed.
VariantEquipment station() {
    VariantEquipment v;
    v.batteryName = "B-100";
    v.batteryType = "AGM";
    v.batteryCnom = "100";
    v.batteryUnom = "12";
    v.batteryCount = 6;
    v.batterySeries = 2;
    v.batteryStrings = 3;
    v.batteryChargeMax = 20;
    v.panelCompany = "M1";
    v.panelType = "P-250";
    v.panelPower = "250";
    v.panelVoltage = "24";
    v.panelCount = 12;
    v.imp = 8;
    v.isc = 9;
    v.maxUnprotectedStrings = 2;
    v.assemblyBreaker = {"M3", "AV-SP", "10", "500"};
    v.dcFuse = {"M5", "F-1", "H-1", "25", "60"};
    v.dcCable = {"открыто", 6, 7.5};

    SpecLoad l1 = load("Inv-A", "синусоида");
    l1.breaker = {"M3", "AV-B", "63", "48"};
    l1.cable = {"два 1-жильных провода в трубе", 35, 3};
    l1.cableCount = 2;
    SpecLoad l2 = load("Inv-A", "синусоида");
    l2.cable = {"два 1-жильных провода в трубе", 16, 2};
    SpecLoad l3 = load("Inv-A", "модифицированная синусоида");
    l3.cable = {"два 1-жильных провода в трубе", 16, 1};
    l3.cableCount = 0;
    SpecLoad none = load("", "");
    v.loads = {l1, l2, l3, none};

    SpecArray a1 = array(1);
    a1.toControllerBreaker = {"M3", "AV-M", "16", "500"};
    a1.toBatteryBreaker = {"M3", "AV-B", "63", "48"};
    a1.toController = {"открыто", 4, 10};
    a1.toBattery = {"два 1-жильных провода в трубе", 16, 10};
    SpecArray a2 = array(3);
    a2.toControllerBreaker = {"M3", "AV-M", "16", "500"};
    a2.toController = {"один 2-жильный провод в трубе", 4, 5};
    a2.toBattery = {"открыто", std::nullopt, 8}; // no section: not listed
    v.arrays = {a1, a2};
    return v;
}

std::vector<QStringList> rowsOf(const std::vector<QStringList>& table) {
    return {table.begin() + 1, table.end()};
}

} // namespace

TEST(Specification, ListsEveryKindInOrderWithHandWorkedQuantities) {
    const auto table = specificationTable(buildSpecification(station(), catalogs()));
    EXPECT_EQ(table.front(), QStringList({"Наименование оборудования", "Тип оборудования",
                                          "Ед. изм.", "Количество"}));
    const std::vector<QStringList> expected = {
        {"Инвертор", "Inv-A (1000/2000/3000 Вт; 24/220 В; синусоида)", "шт.", "2"},
        {"Инвертор", "Inv-A (1000/2000/3000 Вт; 24/220 В; модифицированная синусоида)", "шт.", "1"},
        {"Аккумулятор", "B-100 (AGM; 100 А*ч; 12 B)", "шт.", "6"},
        {"Солнечная панель", "P-250 (моно; 250 Вт; 24 B)", "шт.", "12"},
        {"Контроллер", "C-20 (PWM; 24 B; 20 A)", "шт.", "2"},
        // 3 strings above the limit of 2: one assembly breaker each; the 1-string array none.
        {"Автоматический выключатель", "AV-SP (10 A; 500 B; тип крепления - DIN-рейка)", "шт.",
         "3"},
        {"Автоматический выключатель", "AV-M (16 A; 500 B; тип крепления - панель)", "шт.", "2"},
        // Not in the breaker catalog: no mounting part.
        {"Автоматический выключатель", "AV-B (63 A; 48 B)", "шт.", "2"},
        {"Предохранитель", "F-1 (25 A; 60 B)", "шт.", "1"},
        {"Держатель предохранителя", "H-1", "шт.", "1"},
        // Two-core laying counts the length once: 10 + 5.
        {"Провод (кабель)", "2x4 мм2", "м", "15"},
        // Single cores twice: 2 * 10 (array) + 2 * 2 + 2 * 1 (loads).
        {"Провод (кабель)", "1x16 мм2", "м", "26"},
        // Two parallel feeds of 3 m in single cores: 2 * 2 * 3.
        {"Провод (кабель)", "1x35 мм2", "м", "12"},
        {"Провод (кабель)", "2x6 мм2", "м", "7,5"},
        // I1 = Isc 9 (PWM, counted from Isc): 9 for one string; 18 and 27 for three.
        {"Коннектор", "MC-10", "комп.", "1"},
        {"Коннектор", "MC-30", "комп.", "3"},
        {"Коннектор разветвитель", "Y-20", "комп.", "1"},
        {"Коннектор разветвитель", "Y-40", "комп.", "1"},
        // Series: (2 - 1) * 3 jumpers for 20 A; bus: 2 each for 20, 40 and 60 A.
        {"Перемычка", "10 мм2", "шт.", "5"},
        {"Перемычка", "16 мм2", "шт.", "2"},
        {"Перемычка", "25 мм2", "шт.", "2"},
    };
    EXPECT_EQ(rowsOf(table), expected);
}

TEST(Specification, WithoutArraysListsNoProtectionAndNoConnectors) {
    VariantEquipment v = station();
    v.arrays.clear();
    v.dcBreaker = {"M3", "AV-B", "63", "48"};
    for (const SpecRow& r : buildSpecification(v, catalogs())) {
        EXPECT_NE(r.kind, SpecKind::Breaker) << r.designation.toStdString();
        EXPECT_NE(r.kind, SpecKind::Fuse) << r.designation.toStdString();
        EXPECT_NE(r.kind, SpecKind::Holder) << r.designation.toStdString();
        EXPECT_NE(r.kind, SpecKind::Connector) << r.designation.toStdString();
    }
}

TEST(Specification, ConnectorsByStringsAndCurrent) {
    // I1 = Imp 8 with an MPPT controller, whatever the settings say of Isc.
    struct Case {
        int strings;
        std::vector<QStringList> rows; // kind, designation, quantity
    };
    const std::vector<Case> cases = {
        {1, {{"Коннектор", "MC-10", "1"}}},
        {2, {{"Коннектор", "MC-30", "1"}, {"Коннектор разветвитель", "Y-20", "1"}}},
        // 16, 24, 32: the last above every connector, not above the splitters.
        {4,
         {{"Коннектор", "MC-30", "3"},
          {"Коннектор разветвитель", "Y-20", "1"},
          {"Коннектор разветвитель", "Y-40", "2"},
          {"Коннектор", kTypeNotFound, "2"}}},
        // 48 is above both catalogs: a connector row and a splitter row, never one merged.
        {6,
         {{"Коннектор", "MC-30", "3"},
          {"Коннектор разветвитель", "Y-20", "1"},
          {"Коннектор разветвитель", "Y-40", "3"},
          {"Коннектор", kTypeNotFound, "6"},
          {"Коннектор разветвитель", kTypeNotFound, "1"}}},
    };
    for (const Case& c : cases) {
        VariantEquipment v;
        v.mppt = true;
        v.imp = 8;
        v.isc = 9;
        SpecArray a;
        a.strings = c.strings;
        v.arrays = {a};
        std::vector<QStringList> got;
        for (const SpecRow& r : buildSpecification(v, catalogs()))
            if (specGroup(r.kind) == specGroup(SpecKind::Connector)) {
                EXPECT_EQ(r.unit(), "комп.");
                got.push_back({r.kindName(), r.designation, QString::number(r.quantity)});
            }
        EXPECT_EQ(got, c.rows) << c.strings << " strings";
    }
}

TEST(Specification, JumpersSingleHalvedAndMissing) {
    // Catalog 10 mm2 / 25 A, 16 / 40, 25 / 60; a 2 x 3 battery.
    struct Case {
        double chargeMax;
        std::vector<QStringList> rows; // designation, quantity
    };
    const std::vector<Case> cases = {
        // Series 40 A: 3 x 16; bus 40 A: 2 x 16; 80 A: two of 16 in parallel, 2 x 2;
        // 120 A: two of 25, 2 x 2.
        {40, {{"16 мм2", "9"}, {"25 мм2", "4"}}},
        // 135 A: not even half (67,5 A) fits one section.
        {45, {{"25 мм2", "9"}, {kSectionNotFound, "2"}}},
    };
    for (const Case& c : cases) {
        VariantEquipment v;
        v.batterySeries = 2;
        v.batteryStrings = 3;
        v.batteryChargeMax = c.chargeMax;
        std::vector<QStringList> got;
        for (const SpecRow& r : buildSpecification(v, catalogs())) {
            ASSERT_EQ(r.kind, SpecKind::Jumper);
            got.push_back({r.designation, QString::number(r.quantity)});
        }
        EXPECT_EQ(got, c.rows) << c.chargeMax;
    }
}

TEST(Specification, EquipmentListFormKeepsMakersApartAndNotesMissingEntries) {
    VariantEquipment v;
    SpecArray a = array(1);
    a.toControllerBreaker = {"M3", "AV-M", "16", "500"};
    a.toBatteryBreaker = {"M9", "AV-M", "16", "500"}; // same type from a maker not in the catalog
    v.arrays = {a};
    v.isc = 50; // above every connector
    const auto form = equipmentListTable(buildSpecificationByMaker(v, catalogs()));
    ASSERT_EQ(form.front().size(), 9);
    EXPECT_EQ(form.front()[1], "Наименование и техническая характеристика");
    const std::vector<QStringList> expected = {
        {"1", "Контроллер, PWM; 24 B; 20 A", "C-20", "", "M2", "шт.", "1", "", ""},
        {"2", "Автоматический выключатель, 16 A; 500 B; тип крепления - панель", "AV-M", "", "M3",
         "шт.", "1", "", ""},
        {"3", "Автоматический выключатель, 16 A; 500 B", "AV-M", "", "M9", "шт.", "1", "",
         kTypeNotFound},
        {"4", "Коннектор", "", "", "", "комп.", "1", "", kTypeNotFound},
    };
    EXPECT_EQ(rowsOf(form), expected);

    // The same designation from two makers: one screen row, two positions.
    VariantEquipment twice;
    twice.loads = {load("Inv-A", "синусоида"), load("Inv-A", "синусоида")};
    twice.loads[1].company = "M8";
    EXPECT_EQ(buildSpecification(twice, catalogs()).size(), 1u);
    EXPECT_EQ(buildSpecificationByMaker(twice, catalogs()).size(), 2u);
}

TEST(SpecificationMerge, TwoVariantsDifferingInTheBattery) {
    VariantEquipment a = station();
    VariantEquipment b = station();
    b.batteryName = "B-200";
    b.batteryCnom = "200";
    b.batteryCount = 4;
    b.batteryStrings = 2;
    const auto merged =
        mergeSpecifications({buildSpecification(a, catalogs()), buildSpecification(b, catalogs())});
    const auto table = comparisonTable(merged, {"Первый", "Второй"});
    EXPECT_EQ(table.front(), QStringList({"Наименование оборудования", "Тип оборудования",
                                          "Ед. изм.", "Первый", "Второй"}));
    // The battery rows of both, the second right after the first (grouped by kind), each empty
    // in the other's column.
    EXPECT_EQ(table[3], QStringList({"Аккумулятор", "B-100 (AGM; 100 А*ч; 12 B)", "шт.", "6", ""}));
    EXPECT_EQ(table[4], QStringList({"Аккумулятор", "B-200 (AGM; 200 А*ч; 12 B)", "шт.", "", "4"}));
    EXPECT_EQ(table[5][0], "Солнечная панель");
    // Two strings instead of three: fewer 10 mm2 jumpers, no 60 A bus jumper; the 40 A bus
    // jumpers are the same in both.
    for (const MergedSpecRow& m : merged) {
        const bool differs = m.kind == SpecKind::Battery ||
                             (m.kind == SpecKind::Jumper && m.designation != "16 мм2");
        EXPECT_EQ(m.differs, differs) << m.designation.toStdString();
    }
    const auto last = table.back();
    EXPECT_EQ(last, QStringList({"Перемычка", "25 мм2", "шт.", "2", ""}));
}
