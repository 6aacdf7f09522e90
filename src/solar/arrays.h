#pragma once
// Choosing the panel type and forming the panel arrays of the solar battery: the sizing criteria
// of one array, its evaluation against the remaining monthly requirement, site capacities, the
// totals and charge currents of the selection window and its "ОК" checks. Plain values in and out.

#include "solar/insolation.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ses {

// ---------------------------------------------------------------- the system and the panel

struct PanelType {
    double power = 0;             // Psp, W
    double unom = 0;              // Usp, V
    double isc = 0;               // short-circuit current, A
    double vmp = 0, imp = 0;      // operating point, V and A
    double height = 0, width = 0; // mm
};

struct SystemSettings {
    bool mppt = false;            // UseMPPT_Ctrl
    double umppt = 0;             // MPPT input voltage, V
    double uses = 12;             // system voltage, V
    double controllerLosses = 10; // Poteri_Ctrl, %
    double chargeVoltage = 13.8;  // DefUzar_Ctrl: battery charge voltage per 12 V
    bool currentFromIsc = false;  // Score_Isp = 1: PWM array current counted from Isc
};

// A panel type is offered when the voltage the panels are strung to (Umppt with MPPT controllers,
// otherwise Uses) is divisible by its nominal voltage rounded to whole volts; a nominal voltage
// that rounds to 0 is never offered.
bool typeFitsSystem(const SystemSettings& s, double unom);

// Panels in series in one string: round(U / Usp), halves to even, Usp taken in whole volts.
// nullopt when Usp rounds to 0.
std::optional<int> panelsInSeries(const SystemSettings& s, double unom);

// The charge current at the controllers' output for a panel power: (1 - losses) x P / U with
// U = (Uses div 12) x the charge voltage, two decimals (halves away from zero). nullopt when the
// system voltage is below 12 V or the charge voltage is not positive.
std::optional<double> controllerOutputCurrent(const SystemSettings& s, double power);

// The powers offered for an array's given power: the controllers' array powers (any order,
// repeats allowed) that are at least the panel power and at least (Uses / Usp) x the panel
// power, distinct and ascending. A non-positive Usp drops the second bound.
std::vector<double> givenPowerChoices(std::vector<double> controllerPowers, double uses, double usp,
                                      double panelPower);

// ---------------------------------------------------------------- evaluation of an array

// What the array leaves of the remaining requirement: the power still to add (negative when the
// array covers more than needed), the tilt for it and the orientation loss going with it.
struct ArrayEvaluation {
    double power = 0;
    double tilt = 0;
    double loss = 0;
    std::optional<QString> error; // a coefficient of 0 or less met on the way
};
ArrayEvaluation evaluateArray(const std::array<double, 12>& remaining, const RegionYear& region,
                              const std::vector<LossRow>& loss, double orientation, double tilt,
                              double arrayPower, double dopP);

// ---------------------------------------------------------------- site capacity

enum class SiteShape { Rectangle = 0, Trapezoid = 1, Triangle = 2 };
enum class VAlign { Top, Centre, Bottom };
enum class HAlign { Left, Centre, Right };

struct Site {
    SiteShape shape = SiteShape::Rectangle;
    double length = 0; // L: rectangle length, trapezoid upper base, triangle base, m
    double lower = 0;  // S: trapezoid lower base, m
    double height = 0; // H, m
    VAlign valign = VAlign::Top;
    HAlign halign = HAlign::Left;
};

struct SiteRow {
    double depth = 0; // depth of the row's upper edge below the site's upper side, m
    double x = 0;     // left edge of the row's first panel from the left of the longer side, m
    int panels = 0;
};
struct SiteCapacity {
    int panels = 0;
    std::vector<SiteRow> rows; // rows of the trapezoid and the triangle, top to bottom
};
// Panels (upright) that fit the site. Rectangle: whole panels along L times whole rows along H,
// 0 when either is 0. Trapezoid and triangle: rows as the vertical alignment starts them, each
// counted at its narrower edge; the horizontal alignment only places them.
SiteCapacity siteCapacity(const Site& site, const PanelType& panel);
// "Фактическая площадь, м2:", formatted with "0.##".
double siteArea(const Site& site);

// ---------------------------------------------------------------- the array window's "Расчет"

enum class Criterion { RequiredPower = 0, GivenPower = 1, MaxCurrent = 2, SiteSize = 3 };

struct ArrayRequest {
    Criterion criterion = Criterion::RequiredPower;
    bool siteByGivenPower = false; // the site's parameter: 1 = the given power
    double givenPower = 0;         // Pз, W
    double givenCurrent = 0;       // Iз, A
    Site site;
    double orientation = 180, tilt = 0;
    double k = 1;    // К of the array
    double dopP = 0; // the power still to be covered, W
    std::array<double, 12> remaining{};
    int maxStrings = 1000; // bound of the string-adding loop of the required power
};

struct ArrayResult {
    enum class Status { Done, NothingToAdd, Refused };
    Status status = Status::Done;
    QString message;              // the information or error when not done
    int series = 0;               // Nпосл
    int strings = 0;              // Nпарал
    int panels = 0;               // Nсп
    double power = 0;             // Рсп, W
    double current = 0;           // Iсп, A
    double loss = 0;              // dРсп, W
    double controllerCurrent = 0; // forecast current at the controller's output, A
    int capacity = 0;             // panels the site holds (site criterion)
    ArrayEvaluation evaluation;
    std::optional<double> additionalPower; // "Требуемая дополнительная мощность СБ": >= 0
    std::optional<double> suggestedTilt; // when the additional power is above 0
};
ArrayResult formArray(const ArrayRequest& request, const PanelType& panel, const SystemSettings& s,
                      const RegionYear& region, const std::vector<LossRow>& loss);

// ---------------------------------------------------------------- an array of the selection

// One array as the selection's table and the array record (proj_mas, NameMassive to Hpl) keep
// it. The criterion's inputs are kept only where the criterion uses them.
struct ArrayRow {
    QString name;             // NameMassive
    std::optional<int> bopt;  // Bopt: the tilt suggested when it was formed, degrees
    double orientation = 180; // Ugol_Orient, degrees (180: south)
    double tilt = 0;          // Ugol_Nakl, degrees
    double k = 1;             // Kproiz
    int series = 0;           // KolPosled: Nпосл
    int strings = 0;          // KolVetv: Nпарал
    int panels = 0;           // KolMas: Nсп
    double power = 0;         // Pmas: Рсп, W
    double current = 0;       // Imas: Iсп, A
    double loss = 0;          // DPmas: dРсп, W
    Criterion criterion = Criterion::RequiredPower; // TipScore
    std::optional<int> siteParameter;   // ParamPriv (site criterion): 0 required, 1 given power
    std::optional<double> givenPower;   // Pzad, W
    std::optional<double> givenCurrent; // Izad, A
    std::optional<SiteShape> shape;     // FormaPl
    std::optional<double> length, lower, height; // Lpl, Spl, Hpl, m
};

// The row of an array the array window calculated: its name, the request's orientation, tilt
// and criterion inputs, К, the result's figures, and the tilt the selection suggested then.
ArrayRow arrayRow(const QString& name, const ArrayRequest& request, double k,
                  const ArrayResult& result, std::optional<int> bopt);

// Rows that the store would keep alike: names trimmed, numbers compared to 6 decimals.
bool sameArray(const ArrayRow& a, const ArrayRow& b);

// ---------------------------------------------------------------- the selection window

// One array row as the totals read it.
struct ArrayFigures {
    int panels = 0;     // Nсп
    double power = 0;   // Рсп, W
    double current = 0; // Iсп, A
    double loss = 0;    // dРсп, W
};
ArrayFigures arrayFigures(const ArrayRow& row);

struct SelectionTotals {
    int panels = 0;                      // KolTotal_SP
    double power = 0;                    // PTotal_SP, W
    double current = 0;                  // ITotal_SP: the sum of the arrays' currents, A
    std::optional<double> losses;        // Σ dРсп
    std::optional<double> fullPower;     // Pras_SP + Σ dРсп, "0.##"
    std::optional<double> chargeCurrent; // forecast charge current at the controllers' output
};
// Empty fields when there are no arrays.
SelectionTotals selectionTotals(const std::vector<ArrayFigures>& arrays, double prasSp,
                                const SystemSettings& s);

// The forecast minimum charge current: empty without Cras_AKB or once a battery is chosen;
// Cras x Kzar_min / 10 when Izar_min is "Iз.мин.", otherwise / 5, whole amperes.
std::optional<double> forecastMinimumChargeCurrent(std::optional<double> crasAkb,
                                                   const QString& nameAkb, const QString& izarMin,
                                                   double kzarMin);

struct ChargeWindow {
    double minimum = 0, maximum = 0;
};
// The chosen battery's charge-current window, empty unless both battery currents are filled.
std::optional<ChargeWindow> batteryChargeWindow(std::optional<double> sizarMin,
                                                std::optional<double> sizarMax,
                                                const QString& izarMin, const QString& izarMax,
                                                double kzarMin, double kzarMax);

struct SelectionOkInput {
    int arrays = 0;
    double totalPower = 0;
    std::optional<double> fullPower;
    double additionalPower = 0;
    bool checkChargeCurrent = true; // "Подбор СБ с учетом тока заряда АБ на выходе контроллера"
    std::optional<double> chargeCurrent;
    std::optional<ChargeWindow> window;
    std::optional<double> forecastMinimum;
};
// The first failing check of the selection window's "ОК", nullopt when all pass.
std::optional<QString> selectionOkRefusal(const SelectionOkInput& in);

} // namespace ses
