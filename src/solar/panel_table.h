#pragma once
// The tabular panel choice: for every panel model of the catalog in use that fits the system, a
// whole solar battery covering the required power at a chosen orientation and tilt (panels in
// series, parallel strings, power and currents, grown by strings until the battery's charge range
// is reached), split into arrays of at most a given power; the candidates' order, filter columns
// and texts; and the array rows the selection window builds from the chosen candidate. Plain
// values in and out: no store, no windows.

#include "lib/filter.h"
#include "solar/arrays.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

// A panel model with its maker, both in use, in catalog order.
struct PanelCatalogRow {
    QString company, tip, structure;
    PanelType panel;
    double kpd = 0; // %
};

// The battery's allowed charge range after the user's factors: both ends known or none.
struct PanelChargeRange {
    double imin = 0, imax = 0;
};

struct PanelTableInput {
    SystemSettings system;
    double requiredPower = 0; // P_K, W
    int arrayPower = 0;       // Pm: the most power of one array, whole W
    // The range to match with "Подбор СБ с учетом тока заряда АБ на выходе контроллера" ticked
    // and the battery's currents known; nullopt: every fitting model is accepted.
    std::optional<PanelChargeRange> charge;
};

// The split of a battery into N full arrays and one remainder array.
struct ArraySplit {
    int n = 0;                   // N_Mas: full arrays
    int strings = 0, panels = 0; // of one full array
    double power = 0, current = 0;
    int restStrings = 0, restPanels = 0; // of the remainder
    double restPower = 0, restCurrent = 0;
    QString text; // Massiv
};

struct PanelCandidate {
    PanelCatalogRow row;
    int ns = 0, np = 0, n = 0;
    double ptot = 0; // PTotal_SP, W
    double isb = 0;  // Inom_SP: the panels' current, A
    double iab = 0;  // Izar_akb: the charge current at the controllers' outputs, A
    ArraySplit split;
};

// The most strings the charge-current growth may add to a battery before the model is left out.
inline constexpr int kMaxPanelStrings = 100000;

// The list, in order of the battery's power, then of its panel count, then of the catalog. None
// when nothing is required (P_K not above 0) or Pm is not above 0.
std::vector<PanelCandidate> panelCandidates(const std::vector<PanelCatalogRow>& catalog,
                                            const PanelTableInput& in);

// The split of a battery of np strings of ns panels (Ptot W) into arrays of at most Pm W.
ArraySplit splitArrays(const PanelType& panel, const SystemSettings& s, int ns, double ptot,
                       int arrayPower);

// The row of the tracked maker and type; -1 when absent.
int trackedPanelRow(const std::vector<PanelCandidate>& rows, const QString& company,
                    const QString& tip);

// The array power limit Pm first shown: the handed-over power when there is one (not -1), else
// 800, 1600 or 3200 W for a 12, 24 or 48 V system, else the largest power offered (nullopt when
// none is).
std::optional<double> initialArrayPower(double handedOver, double uses,
                                        const std::vector<double>& offered);

// ---------------------------------------------------------------- the window's texts

const QStringList& panelTableTitles();
const QStringList& panelTableNotes();
QStringList panelTableRow(const PanelCandidate& c);

const std::vector<FilterFieldLabel>& panelFilterFields();
std::vector<double> panelFilterValues(const PanelCandidate& c);
RowFilter panelFilter(const QStringList& makers, const QStringList& fieldTexts);

// The caption line of the arrays' drawing and what it draws.
struct ArrayDrawingPlan {
    QString caption;
    bool full = false, rest = false, whole = false;
};
ArrayDrawingPlan arrayDrawingPlan(const PanelCandidate& c, bool asOneArray);

// ---------------------------------------------------------------- the hand-back

struct PanelHandBack {
    double orientation = 180, tilt = 35;
    double requiredPower = 0; // P_K, W
    double prasSp = 0;        // the variant's Pras_SP, W
    int b = 0;                // the variant's B: every row's Bopt
    QString baseName = QStringLiteral("Массив");
    int arrayPower = 0; // Pm, W
};

// The array rows of the chosen candidate: N full arrays (given power Pm) and the remainder (by
// the required power), К = Pras_SP / P_K, the orientation losses summing to P_K - Pras_SP over
// the full arrays when there is no remainder; the remainder's loss is never below 0 (its share
// of P_K may be less than nothing when strings were added for the charge current). Empty when
// P_K is not above 0.
std::vector<ArrayRow> handBackRows(const PanelCandidate& c, const PanelHandBack& h);

} // namespace ses
