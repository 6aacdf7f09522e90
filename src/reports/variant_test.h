#pragma once
// The test of a whole variant: its loads, inverters, solar battery, controllers, storage battery,
// cables and protective devices checked against each other, the remarks collected into seven
// sections. A pure function of a snapshot of the variant's rows and the catalog look-ups it
// needs: nothing is read from the store here and nothing is written anywhere.

#include "storage/protection.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>
#include <vector>

namespace ses {

// One stored row by column name; a column that is absent or null is empty.
class SnapshotRow {
public:
    SnapshotRow() = default;
    SnapshotRow(std::initializer_list<std::pair<const char*, QVariant>> values);

    void set(const QString& column, const QVariant& value);
    // The value, nullopt when empty or not a number.
    std::optional<double> number(const char* column) const;
    // The field's own text: numbers in the shortest form with the decimal comma, texts as
    // stored, an empty field as empty text.
    QString text(const char* column) const;
    bool isNull(const char* column) const;
    // A logical column: nullopt when empty.
    std::optional<bool> flag(const char* column) const;

private:
    QHash<QString, QVariant> m_values;
};

struct SnapshotDcSchedule {
    SnapshotRow row;                    // proj_graf12_0
    std::vector<SnapshotRow> consumers; // proj_ep12_0
};

// What a protective device of an inverter circuit allows at the variant's voltage (AV2, Pr2).
struct DevicePowerRating {
    std::optional<double> pinvNom, pinvPik;
};

struct VariantSnapshot {
    bool exists = false;
    SnapshotRow variant;                // project1
    std::vector<SnapshotRow> loads;     // proj_inv, in key order
    std::vector<SnapshotRow> arrays;    // proj_mas, in key order
    std::vector<SnapshotDcSchedule> dc; // proj_graf12_0 with proj_ep12_0, in key order
    // The array selected in the main window (an index into `arrays`); the solar battery
    // checks take the string length of that array. -1: none.
    int selectedArray = -1;

    // Catalog look-ups. The panel: found (maker and type in the catalog) with its TK_Vos.
    bool panelFound = false;
    std::optional<double> panelTkVos;
    // Per array: the battery types its controller works with at the variant's voltage;
    // nullopt when the controller's catalog row is not found.
    std::vector<std::optional<QStringList>> controllerBatteryTypes;
    // Per AC load: the chosen breaker's and fuse's inverter ratings at the variant's voltage;
    // nullopt when the look-up fails.
    std::vector<std::optional<DevicePowerRating>> breakerRatings, fuseRatings;
};

enum class TestSection { Loads, Inverters, SolarBattery, Controllers, Battery, Cables, Protection };
constexpr int kTestSectionCount = 7;

struct SectionRemarks {
    QStringList remarks;
    // False when a check was skipped for a missing value: no "Замечаний нет." is then shown.
    bool complete = true;
};

struct VariantTestResult {
    std::array<SectionRemarks, kTestSectionCount> sections;
    const SectionRemarks& operator[](TestSection s) const { return sections[int(s)]; }
};

VariantTestResult testVariant(const VariantSnapshot& snapshot);

// "Нагрузки." ... "Аппараты защиты.", the label above each section's box.
QString testSectionLabel(TestSection s);

// The lines each box shows: a section is shown only while the one before it has no remarks
// (cables and protection both follow the battery); remarks numbered "1. ", "2. " ...; an empty
// complete section shows "Замечаний нет.", an empty incomplete one nothing.
std::array<QStringList, kTestSectionCount> shownTestLines(const VariantTestResult& result);

// The protection inputs the device choice would see for this snapshot, so that the test
// requires of each device exactly what the choice requires of it.
ProtectionInputs protectionInputsOf(const VariantSnapshot& snapshot);

} // namespace ses
