#pragma once
// The equipment list of a variant and the side-by-side list of several variants. Plain values in
// and out: the variant's chosen equipment as stored, the few catalog facts a designation carries
// (panel structure, controller algorithm, breaker mounting) and the connector and jumper catalogs.
// Every row keeps the kind, the designation shown on screen, and the type, characteristics and
// maker apart, so that the equipment-list form can lay them out in its own columns.

#include "storage/jumpers.h"
#include "storage/wiring.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace ses {

// In the order the list is grouped by; a splitter shares the connectors' group.
enum class SpecKind {
    Inverter,
    Battery,
    Panel,
    Controller,
    Breaker,
    Fuse,
    Holder,
    Cable,
    Connector,
    Splitter,
    Jumper
};

QString specKindName(SpecKind kind); // "Инвертор" ... "Коннектор разветвитель", "Перемычка"
QString specUnit(SpecKind kind); // "шт.", "м", "комп."
int specGroup(SpecKind kind);    // the group's place in the list

// Designations of a connector or a jumper the catalog has no row for.
inline const QString kTypeNotFound = QStringLiteral("тип не найден в справочнике");
inline const QString kSectionNotFound = QStringLiteral("сечение не найдено в справочнике");

// A protective device as stored in a circuit: texts as the fields show them.
struct SpecBreaker {
    QString company, type, inom, unom;
};
struct SpecFuse {
    QString company, type, holder, inom, unom;
};
// A cable circuit: laying method, section (mm2) and length (m); an empty field is nullopt.
struct SpecCable {
    QString method;
    std::optional<double> section;
    std::optional<double> length;
};

struct SpecLoad { // an AC load with its inverter and its battery - inverter circuit
    QString company, name, pnom, pmax, ppik, uvh, uvuh, forma;
    SpecBreaker breaker;
    SpecFuse fuse;
    SpecCable cable;
    std::optional<double> cableCount; // Nkab_inv: parallel cables of the feed
};

struct SpecArray { // an array with its controller and its two circuits
    QString company, controller, unom, inom;
    int strings = 0; // KolVetv
    SpecBreaker toControllerBreaker, toBatteryBreaker;
    SpecFuse toControllerFuse, toBatteryFuse;
    SpecCable toController, toBattery;
};

// What the list reads of a variant.
struct VariantEquipment {
    qint64 key = 0;
    QString name; // VarName
    QString batteryName, batteryType, batteryCnom, batteryUnom;
    double batteryCount = 0; // Kol_AKB
    QString panelCompany, panelType, panelPower, panelVoltage;
    double panelCount = 0;          // KolTotal_SP
    std::optional<double> imp, isc; // one panel's currents, A
    bool mppt = false;              // UseMPPT_Ctrl
    int maxUnprotectedStrings = 0;  // MaxKolSborNotProt
    SpecBreaker assemblyBreaker;    // one per string of a protected array
    SpecFuse assemblyFuse;
    SpecBreaker dcBreaker; // battery - DC loads
    SpecFuse dcFuse;
    SpecCable dcCable;
    int batterySeries = 0, batteryStrings = 0; // KolPosled_AKB, KolVetv_AKB
    std::optional<double> batteryChargeMax;    // Izar_max_AKB of one battery, A
    std::vector<SpecLoad> loads;
    std::vector<SpecArray> arrays;
};

using MakerType = std::pair<QString, QString>; // maker, type

// The catalog facts the designations carry and the catalogs of the connectors and jumpers.
// A maker and type missing from a map is an entry the catalog does not have.
struct SpecCatalogs {
    std::map<MakerType, QString> panelStructure;   // SunPanel: Structure
    std::map<MakerType, QString> controllerMethod; // Controller: Algoritm1
    std::map<MakerType, QString> breakerMounting;  // AV: Tip_krep
    std::vector<ConnectorRating> connectors;       // mc
    std::vector<ConnectorRating> splitters;        // mc_y
    std::vector<JumperRating> jumpers;             // perem
    bool currentFromIsc = false;                   // Score_Isp = 1
};

struct SpecRow {
    SpecKind kind = SpecKind::Inverter;
    QString designation;     // as the list shows it
    QString type;            // the type or mark alone (the list form's own column)
    QString characteristics; // the figures of the designation without the type
    QString maker;
    bool notInCatalog = false; // a catalog entry it should have was not found
    double quantity = 0;

    QString kindName() const { return specKindName(kind); }
    QString unit() const { return specUnit(kind); }
};

// The list of a variant: grouped by kind in the list's order, each kind's rows in the order first
// met; rows keyed by kind and designation.
std::vector<SpecRow> buildSpecification(const VariantEquipment& v, const SpecCatalogs& c);

// The same items keyed by kind, designation and maker: the rows of the equipment-list form, where
// the same type from two makers is two positions.
std::vector<SpecRow> buildSpecificationByMaker(const VariantEquipment& v, const SpecCatalogs& c);

// The screen table: "Наименование оборудования", "Тип оборудования", "Ед. изм.", "Количество".
std::vector<QStringList> specificationTable(const std::vector<SpecRow>& rows);

// The equipment-list form (form 1 of the Russian standard for equipment lists): position,
// name and technical characteristics, type or mark, product code, supplier, unit, quantity,
// unit mass, note. Columns we have nothing for stay empty.
std::vector<QStringList> equipmentListTable(const std::vector<SpecRow>& rows);

// ---------------------------------------------------------------- several variants

struct MergedSpecRow {
    SpecKind kind = SpecKind::Inverter;
    QString designation;
    std::vector<std::optional<double>> quantities; // per variant; nullopt: not in its list
    bool differs = false; // the variants' quantities are not all equal (missing counts as 0)
};

// Rows keyed by kind and designation, grouped by kind, each kind's rows in the order first met
// across the variants.
std::vector<MergedSpecRow> mergeSpecifications(const std::vector<std::vector<SpecRow>>& lists);

// The comparison table: the three text columns, then one quantity column per variant headed by
// its name; a quantity of 0 or a missing one is an empty cell.
std::vector<QStringList> comparisonTable(const std::vector<MergedSpecRow>& rows,
                                         const QStringList& variantNames);

} // namespace ses
