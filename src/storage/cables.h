#pragma once
// The conductors of the station's four direct-current circuits: array - controller, controller -
// battery, battery - inverter and battery - DC consumers. For each circuit record the smallest
// catalog section that carries the current laid as chosen and keeps the voltage drop within the
// allowed percentage, with its permissible current, drop and loss. Plain values in and out.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

// ---------------------------------------------------------------- the catalog

// The three laying methods, each selecting its permissible-current column of the wire catalog.
enum class Laying { Open, TwoSingleCoresInPipe, OneTwinCoreInPipe };
const QStringList& layingTexts(); // "открыто", "два 1-жильных ...", "один 2-жильный ..."
std::optional<Laying> layingOf(const QString& text);

// One row of the wire catalog; an empty column is nullopt.
struct WireRow {
    double sech = 0; // mm2
    std::optional<double> idop, idop21, idop12;
    std::optional<double> ro; // Ohm per metre of one core
    std::optional<double> current(Laying m) const;
};
using WireTable = std::vector<WireRow>;

// One row of the optimal battery - inverter cables (the power table joined with its rows).
struct OptimalCableRow {
    double pinv = 0; // W
    int uakb = 0;    // V
    std::optional<double> sech;
    std::optional<int> count; // parallel cables
};

// The sections the minimum-section lists offer, as shown ("1,5" ... "240").
const QStringList& sectionListTexts();

// ---------------------------------------------------------------- the rules

// Romax := round6(U * dU / 100 / I / 2 / L): two conductors, out and back. The caller ensures
// I > 0 and L > 0.
double allowedResistance(double u, double allowedDropPercent, double current, double length);

struct SectionChoice {
    double section = 0; // mm2
    double idop = 0;    // A, of the laying method
};
// The smallest section whose Ro is not above Romax and whose current for the method is at least
// I (both compared after rounding to 6 decimals); nullopt when no row meets both.
std::optional<SectionChoice> chooseSection(const WireTable& wires, Laying method, double romax,
                                           double current);

// The catalog row of a section (tolerant comparison), or null.
const WireRow* wireRow(const WireTable& wires, double section);
// The permissible current of a section for a method text; 0 when the section is not in the
// catalog, its column is empty or the text is none of the three.
double permissibleCurrent(const WireTable& wires, double section, const QString& method);

// dU = Ro * I * 2 * L / U * 100 / N (%, "0.##") and dP = Ro * I * I * 2 * L / N (W, "0").
// The caller ensures U > 0 and N > 0.
struct CableLoss {
    double du = 0, dp = 0;  // rounded as shown
    QString duText, dpText; // "1,25", "7"
};
CableLoss cableLoss(double ro, double current, double length, double voltage, int count = 1);

// The first optimal cable, in ascending power, of at least P watts for the battery voltage.
std::optional<OptimalCableRow> optimalCableFor(const std::vector<OptimalCableRow>& table,
                                               double power, int uakb);

// ---------------------------------------------------------------- the circuits

// The minimum-section option of a window group: ticked, and its chosen section.
struct MinimumSection {
    bool on = true;
    double value = 4;
};
struct CableOptions {
    MinimumSection arrays{true, 4}, controllers{true, 4}, inverters{true, 25}, dc{true, 6};
};

// What a circuit stores: the section, the parallel cables, the permissible current, the drop
// (%) and the loss (W).
struct CableResult {
    double section = 0;
    int count = 1;
    double idop = 0;
    double du = 0, dp = 0;
};

// The outcome of one circuit record: stored, emptied (with the message saying why) or skipped
// (its results stay; a message when a value was there but not usable).
struct CableOutcome {
    enum class Kind { Skipped, Stored, Emptied };
    Kind kind = Kind::Skipped;
    CableResult result;
    QStringList message; // the lines of one message box; empty: nothing to tell
};

// A value of a circuit record with the caption of its field, for the messages.
struct CircuitValue {
    std::optional<double> value;
    QString field;
};

// The inputs of one circuit record.
struct CircuitInput {
    QString circuit; // how the messages name it: "массива СП "1" к контроллеру "К-20""
    CircuitValue current, length, voltage;
    double allowedDrop = 0; // %
    QString method;
};

// The array's voltage: Umppt with MPPT controllers, else the system voltage.
std::optional<double> arrayCircuitVoltage(bool mppt, std::optional<double> umppt, double uses);
// The controller - battery current: the battery's maximum charge current when the variant has one
// array and that current is there, else the controller's maximum current.
CircuitValue controllerBatteryCurrent(int arrays, std::optional<double> sizarMax,
                                      std::optional<double> inomCtrl);
// The battery - inverter current: the inverter's maximum current when the variant chooses it
// (and the wire catalog is used), else its nominal current.
CircuitValue inverterCurrent(bool byMaximum, std::optional<double> inom,
                             std::optional<double> imax);

// A circuit ending at a controller's terminals (array - controller, controller - battery).
struct TerminalCircuit {
    enum class Kind { ArrayToController, ControllerToBattery };
    Kind kind = Kind::ArrayToController;
    QString array, controller;
    double smax = 0; // Skab_Ctrl, empty: 0
};
CableOutcome terminalCable(const WireTable& wires, const CircuitInput& in, const TerminalCircuit& t,
                           const MinimumSection& minimum);

// A circuit sized by the wire catalog without a terminal limit (battery - inverter, battery - DC).
CableOutcome catalogCable(const WireTable& wires, const CircuitInput& in,
                          const MinimumSection& minimum);

// The battery - inverter circuit by the optimal-cable table, for an inverter of `power` W at the
// system voltage `uses`: the table's section and count, kept only when they carry the current and
// keep the drop.
CableOutcome optimalCable(const WireTable& wires, const std::vector<OptimalCableRow>& table,
                          const CircuitInput& in, double power, int uses);

// ---------------------------------------------------------------- one run of "Выбор"

struct CableVariant {
    int uses = 0;
    bool mppt = false;
    std::optional<double> umppt;
    double duArrays = 0, duControllers = 0, duInverters = 0, duDc = 0; // allowed drops, %
    int table = 0;                  // Sel_Tbl_AKB_Inv: 0 wire catalog, 1 optimal cables
    bool byMaximum = false;         // Sel_KL_AKB_Inv = 1
    std::optional<double> sizarMax; // SIzar_max_AKB
    std::optional<double> inom;     // of the DC loads
    std::optional<double> length;   // Lkab_akb of the variant
    QString method;                 // Sposob_kab_akb of the variant
};

struct CableArray {
    QString name, controller;
    std::optional<double> imas, inomCtrl, skabCtrl;
    std::optional<double> length, lengthAkb;
    QString method, methodAkb;
};

struct CableLoad {
    QString name;
    std::optional<double> pnom, inom, imax, length;
    QString method;
};

struct CableInputs {
    CableVariant variant;
    std::vector<CableArray> arrays;
    std::vector<CableLoad> loads;
    WireTable wires;
    std::vector<OptimalCableRow> optimal;
};

struct CableRun {
    std::vector<CableOutcome> arrays, controllers, inverters; // by record, in table order
    CableOutcome dc;
    // Every message of the run, in the order of the circuits.
    std::vector<QStringList> messages() const;
};

// The four circuits in order: array - controller and controller - battery for every array,
// battery - inverter for every AC load, battery - DC consumers.
CableRun chooseCables(const CableInputs& in, const CableOptions& options);

} // namespace ses
