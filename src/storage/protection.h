#pragma once
// The protective device of each direct-current circuit: a circuit breaker or a fuse. One set of
// rules serves both kinds; they differ only in their catalog, their stored fields, their reserve
// factors and options, and a few texts. For each circuit the rules give the required current,
// voltage and conductor section, the catalog devices that cover them (in rising rating), the
// row to stand on for the device already chosen, and the arrays a device may be copied to at
// once. Plain values in and out.

#include "storage/cables.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace ses {

enum class DeviceKind { Breaker, Fuse };

// The five protected circuits, in the order of the window's tabs.
enum class Circuit { Assembly, ArrayController, ControllerBattery, BatteryInverter, BatteryDc };
constexpr int kCircuitCount = 5;

// ---------------------------------------------------------------- the catalog

// One inverter rating of a device type: the largest nominal and peak inverter power at a system
// voltage.
struct InverterRating {
    int uses = 0;
    double pnom = 0, ppik = 0; // W
};

// One device type of the catalog with its maker. `inUse`: both the maker and the type are on.
struct CatalogDevice {
    QString company, name;
    QString extra; // the breaker's mounting, the fuse's holder type
    double unom = 0, inom = 0, skab = 0;
    bool inUse = true;
    std::vector<InverterRating> ratings;
};
using DeviceCatalog = std::vector<CatalogDevice>;

// A device offered for a circuit; the powers only for the inverter-power choice.
struct Candidate {
    QString company, name, extra;
    double inom = 0, unom = 0, skab = 0;
    std::optional<double> pinvNom, pinvPik;
};

// A device as a circuit stores it; every field may be empty.
struct StoredDevice {
    QString company, name, holder;
    std::optional<double> inom, unom;
    // Maker, type, rated current and rated voltage are all there.
    bool complete() const;
};

// ---------------------------------------------------------------- the inputs

// The reserve factors of one circuit.
struct Margins {
    double current = 1, voltage = 1;
};

// What one device kind reads from the variant: its factors per circuit and its basis options.
struct KindSettings {
    Margins margins[kCircuitCount];
    int ctrlBattery = 0; // 0: controller's maximum current, 1: its battery charge current
    int inverter = 1;    // 0: by inverter power, 1/2/3: nominal/maximum/peak current
    int output = 0;      // 0/1/2: nominal/maximum/peak load current
};

struct ProtectionVariant {
    QString tipSp;
    std::optional<double> pnomSp, impSp, iscSp;
    std::optional<double> uses;
    QString tipAkb;
    std::optional<double> sizarMin, sizarMax;
    // The DC loads.
    std::optional<double> pnom, pmax, ppik, inom, imax, ipik;
    std::optional<double> skabAkb;
    bool hasDcSchedule = false;
    KindSettings breaker, fuse;
    const KindSettings& settings(DeviceKind k) const {
        return k == DeviceKind::Breaker ? breaker : fuse;
    }
};

struct ProtectionArray {
    QString name, controller;
    std::optional<double> kolPosled, kolVetv, sumUxx, imas;
    std::optional<double> inomCtrl, iakbCtrl, skab, skabAkb;
};

struct ProtectionLoad {
    QString name, inverter; // Nagr_Name, Name_Inv
    std::optional<double> pnom, pmax, ppik, inom, imax, ipik, uvh, skab;
};

struct ProtectionInputs {
    ProtectionVariant variant;
    std::vector<ProtectionArray> arrays;
    std::vector<ProtectionLoad> loads;
    WireTable wires;
    double minimumSection = 4; // the scheme view's minimum assembly wire section, mm2
};

// ---------------------------------------------------------------- the rules

// The panel assembly's wire section over the wire catalog's open-laid currents: the string
// cable rule of the solar-battery scheme view, applied to the catalog rows as read here.
double stringCableSection(const WireTable& wires, double current, double minimum);

// The open-circuit voltage the assembly device must stand: the highest over the arrays.
std::optional<double> assemblyVoltage(const std::vector<ProtectionArray>& arrays);

// What a circuit requires of its device and what the choice dialog shows.
struct Requirement {
    bool byPower = false; // the inverter-power choice: the ratings, not current and voltage
    double current = 0;   // A, times the factor, rounded to 2 decimals
    double voltage = 0;   // V, likewise
    // The values the factors multiply (before rounding): what a check shows as "<base>".
    std::optional<double> currentBase, voltageBase;
    double section = 0;         // mm2
    int uses = 0;               // the power choice's system voltage
    double pnom = 0;            // W, the inverter's nominal power (power choice)
    std::optional<double> ppik; // W, its peak power; breakers only
    QString caption, note;
    std::vector<std::pair<QString, QString>> shown; // " Исходные данные ": label, value
    QString sectionText;
    // The inputs that are not there, as the user knows them; nothing is offered until they are.
    QStringList missing;
    // The message telling which inputs are missing; empty when none is.
    QString missingText() const;
};

// The requirement of one record of a circuit (the array, the AC load; ignored by the assembly
// and the DC circuit).
Requirement requirementOf(DeviceKind kind, Circuit circuit, const ProtectionInputs& in,
                          int record = 0);

// Whether a device meets a requirement (maker and type in use; ratings at least the required
// ones, compared after rounding to 6 decimals). With missing inputs nothing fits.
bool fits(const CatalogDevice& d, const Requirement& r);

// The devices that fit, ordered by rated current, then rated voltage.
std::vector<Candidate> candidatesFor(const DeviceCatalog& catalog, const Requirement& r);

// The row to stand on: that of the device the circuit holds, when it holds a complete one and
// it is among the candidates; else the first.
int presentRow(const std::vector<Candidate>& candidates, const StoredDevice& present);

// Whether the tab copies a device to several arrays at once (and the box is enabled): the
// array - controller and controller - battery circuits of a variant with more than one array.
bool bulkAvailable(Circuit circuit, int arrays);

// The arrays a device chosen for `record` goes to when the tab's box is ticked: those with the
// same parallel strings (array - controller) or the same controller current of the kind's option
// (controller - battery), and only where the device meets the array's own requirement; the rest
// with equal strings (currents) are named in `skipped`. `record` itself is always first.
struct BulkTargets {
    std::vector<int> records;
    QStringList skipped;
    // The message naming the arrays the device was not copied to; empty when none.
    QString skippedText(DeviceKind kind) const;
};
BulkTargets bulkTargets(DeviceKind kind, Circuit circuit, const ProtectionInputs& in, int record,
                        const Candidate& device);

// ---------------------------------------------------------------- texts

QString noCandidateText(DeviceKind kind);
// "Автоматические выключатели." or "Предохранители.".
QString kindPlural(DeviceKind kind);

} // namespace ses
