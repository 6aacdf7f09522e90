#pragma once
// The storage battery assembled from one catalog model: how many batteries in series and how
// many parallel strings, grown until the strings deliver the direct-current load currents and
// accept the charge current of the panels' controllers; the lines that explain a charge current
// no assembly of the model can accept; and how the assembly discharges through the dark hours
// of a month. Plain values in and out: no store, no windows.

#include "storage/capacity.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

// ---------------------------------------------------------------- the catalog

// A battery model of the catalog (akb2): capacity C (A*h), voltage U (V), the passport charge
// currents of one battery and its largest discharge current (A), its size (mm).
struct BatteryModel {
    QString name;
    double c = 0, u = 0;
    double izarMin = 0, izarMax = 0, irazrMax = 0;
    double l = 0, s = 0, h = 0;
};

// A model's voltage in whole volts, as batteries are put in series.
int wholeVolts(double u);
// Whether batteries of voltage u make up the system voltage in series: the whole volts of u
// above 0 divide the system voltage (whole volts too). A model of no capacity fits nothing.
bool fitsSystemVoltage(const BatteryModel& m, double uses);
// The models offered for a system voltage: those that fit, in ascending order of capacity (ties
// in catalog order).
std::vector<BatteryModel> offeredModels(std::vector<BatteryModel> models, double uses);

// The recommended battery types: the distinct types of the given list in first-seen order,
// joined with ", ".
QString recommendedTypesText(const QStringList& types);

// ---------------------------------------------------------------- the assembly

// The variant's figures the assembly depends on.
struct AssemblyVariant {
    double uses = 24;                       // system voltage, V
    std::optional<double> cras;             // Cras_AKB, A*h; empty: not computed
    std::optional<double> inom, imax, ipik; // DC load currents, A; empty without DC loads
    double krazrNom = 10, krazrMax = 5, krazrPik = 1;
    double kzarMin = 1, kzarMax = 1; // the user's charge-range factors
    bool minOnMinimum = true;        // Izar_min is "Iз.мин." (else "Iз.макс.")
    bool maxOnMinimum = false;       // Izar_max is "Iз.мин."
    bool mppt = false;               // UseMPPT_Ctrl
};

// The figures of an assembly of ns x np batteries.
struct AssemblyFigures {
    int ns = 0, np = 0, kol = 0;
    double cf = 0;                // capacity, A*h
    double izmin = 0, izmax = 0;  // passport charge currents of the assembly, A
    double irmax = 0;             // largest discharge current, A
    double imin = 0, imax = 0;    // the allowed charge range after the user's factors, A
    std::optional<double> charge; // Icharge, A; empty when not known
};

enum class AssemblyOutcome {
    Shown,   // the figures are the assembly
    Failed,  // the charge current cannot be matched: the justification applies
    Refused, // nothing can be assembled: `error` says why
};

struct AssemblyResult {
    AssemblyOutcome outcome = AssemblyOutcome::Refused;
    AssemblyFigures figures;   // Failed: as far as the assembly grew
    QString error;             // Refused: why; Failed: why growing cannot help, when that is so
    bool neverMatches = false; // Failed above Imax: adding strings does not raise Imax

    bool shown() const { return outcome == AssemblyOutcome::Shown; }
};

// The most parallel strings an assembly may have; a charge current that needs more is a failed
// match.
inline constexpr int kMaxStrings = 100000;

// Assembles the model for the variant. With `matchCharge` (the window's check box) the strings
// grow until the charge current fits the allowed range, or the match fails. `charge` is Icharge:
// the controllers' output currents summed (MPPT) or the variant's SIzar_AKB; empty when unknown.
AssemblyResult assemble(const BatteryModel& m, const AssemblyVariant& v,
                        std::optional<double> charge, bool matchCharge);

// Why "ОК" may not store the result: it needs a computed capacity requirement and a shown
// assembly of at least one battery in series and one string. nullopt when it may.
std::optional<QString> storeRefusal(const AssemblyResult& r, const AssemblyVariant& v);
bool assemblyStorable(const AssemblyResult& r, const AssemblyVariant& v);

// The charge current of MPPT controllers: their output currents summed, two decimals after each
// addition.
double mpptChargeCurrent(const std::vector<double>& arrayCurrents);

// ---------------------------------------------------------------- the justification

struct JustificationInput {
    QString model;
    double cras = 0, uses = 0;
    AssemblyFigures figures;
    AssemblyVariant variant;
    bool neverMatches = false;
};

// The lines under "Обоснование.", in order (empty lines included).
QStringList justificationLines(const JustificationInput& in);

// The figure rows of the justification window: caption and value text, in the window's order.
std::vector<std::pair<QString, QString>> justificationFigures(const JustificationInput& in,
                                                              const BatteryModel& m);

// ---------------------------------------------------------------- the discharge

struct DischargeInputs {
    CapacityInputs source;                 // settings, day-light rows and schedules (AC divisor:
                                           // the load's stored inverter efficiency)
    std::vector<TempCoefRow> coefficients; // of the battery type shown in the window
    int month = 1;                         // 1..12
    double cf = 0;                         // the assembly's capacity, A*h
};

struct DischargePoint {
    double tp = 0; // hours from the start of the discharge
    double c = 0;  // capacity left, A*h
};

struct DischargeTable {
    std::optional<QString> error;   // why there is no table
    QString periods;                // "a - b; c - d"
    double kt = 0;                  // the temperature coefficient
    std::vector<QStringList> loads; // Нагрузка, Суточный график
    std::vector<QStringList> rows;  // tр, T, C, dC
    std::vector<DischargePoint> points;
};

// The months (1..12, calendar order) in which any schedule has a monthly row.
std::vector<int> dischargeMonths(const std::vector<CapacitySchedule>& schedules);

// The discharge of the assembly through the dark windows of a month.
DischargeTable dischargeTable(const DischargeInputs& in);

// The window's grid titles and note lines.
const QStringList& dischargeTitles();
const QStringList& dischargeNoteLines();

} // namespace ses
