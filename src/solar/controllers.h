#pragma once
// Charge controllers of the panel arrays: the battery charge current a controller delivers, the
// temperature factor of the panels' open-circuit voltage, the catalog query of one array and its
// matching rule, the choice written into the window's rows, the "ОК" check and what is stored.
// Plain values in and out: whatever the catalog holds is looked up by the caller and passed in.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

// ---------------------------------------------------------------- the variant

// What the controller choice reads of the variant.
struct ControllerVariant {
    bool mppt = false;                  // UseMPPT_Ctrl
    double umppt = 0;                   // Umppt: the arrays' voltage with MPPT controllers, V
    double uses = 12;                   // Uses: the system voltage, V
    double losses = 10;                 // Poteri_Ctrl, %
    double margin = 10;                 // Uxx_zap_Ctrl: margin on the open-circuit voltage, %
    double defaultChargeVoltage = 14.2; // DefUzar_Ctrl: boost charge voltage per 12 V block, V
    QString batteryType;                // Tip_AKB: of the chosen battery, empty before one
    QString defaultBatteryType;         // DefTipAKB_Ctrl
    QString panelCompany, panelType;    // Company_SP, Tip_SP
    std::optional<double> unomSp, vocSp, vmpSp; // V
    double tmin = -25;                          // Tmin_SP: lowest panel temperature, °C
};

// The battery type the controllers are chosen and their currents computed for: the chosen
// battery's, else the one assumed before a battery is chosen. One rule for what is shown and
// what is stored.
QString chargedBatteryType(const ControllerVariant& v);
// The catalog's algorithm name of the variant's controllers: "MPPT" or "PWM".
QString algorithmName(bool mppt);
// The voltage the panels of an array are strung to: Umppt with MPPT controllers, else Uses.
double arrayVoltage(const ControllerVariant& v);

// Why the variant's panel cannot be strung and checked against controllers (no panel, or its
// nominal, open-circuit or operating-point voltage empty or not above 0); nullopt when it can.
std::optional<QString> panelProblem(const ControllerVariant& v);

// The temperature factor Kt of the panels' open-circuit voltage: 1,115 without the panel's TK_Vos
// (no panel type, or a type missing from the catalog); otherwise (Tmin - 25) x TK_Vos / 100 + 1,
// "0.###". With a negative TK_Vos and a sub-zero Tmin it exceeds 1: frost raises the voltage.
inline constexpr double kDefaultTemperatureFactor = 1.115;
double temperatureFactor(std::optional<double> tkVos, double tmin);

// ---------------------------------------------------------------- the output current

// A controller's charge voltage as the catalog was searched for it: maker, type, the type's
// rating for the system voltage and that rating's row for the battery type.
struct ChargeVoltageLookup {
    QString company, tip;          // the controller searched for; empty when none is chosen
    bool found = false;            // all four levels were found
    std::optional<double> upodzar; // the row's Upodzar, V (may be empty when found)
};

// A current or the reason it cannot be computed.
struct Amperes {
    std::optional<double> value;
    QString error;
    bool ok() const { return value.has_value(); }
};

// The battery charge current at a controller's output from P watts of panels:
// I = (1 - Poteri_Ctrl / 100) x P / U, "0.##", with U the catalog's Upodzar when the lookup found
// it, else (Uses div 12) x DefUzar_Ctrl. Refused (never inf or NaN) for a system voltage below
// 12 V, a found Upodzar that is empty or not above 0, or a default voltage not above 0.
Amperes controllerOutputCurrent(const ControllerVariant& v, double power,
                                const ChargeVoltageLookup& lookup);
// The formula itself, for a voltage already known: nullopt when U is not above 0.
std::optional<double> outputCurrentAt(double losses, double power, double voltage);

// ---------------------------------------------------------------- a window row

// The eight controller fields an array keeps (Company_Ctrl .. Skab_Ctrl).
struct ControllerFields {
    QString company, tip;
    std::optional<double> unom;               // Unom_Ctrl: the rating's system voltage, V
    std::optional<double> imax;               // Inom_Ctrl: the largest current, A
    std::optional<double> umpptMin, umpptMax; // V; empty for PWM
    std::optional<double> uxx;                // Uxx_Ctrl: the largest open-circuit voltage, V
    std::optional<double> section;            // Skab_Ctrl: the largest wire section, mm2
    bool operator==(const ControllerFields&) const = default;
};

// One array as the controller window shows it.
struct ControllerArray {
    QString name;
    double power = 0;   // Pmas, W
    double current = 0; // Imas, A
    int series = 0;     // KolPosled: panels in series
    ControllerFields controller;
    std::optional<double> iakb;   // Iakb_Ctrl, A
    bool hasCableResults = false; // cables or the controller-to-battery protection chosen
};

// The array's open-circuit voltage SumUxx: panels in series x Voc_SP, "0.##"; empty without Voc.
std::optional<double> arrayOpenCircuitVoltage(const ControllerVariant& v, const ControllerArray& a);

// The nine values of the " Исходные данные " panel, in its order; the array values follow `row`
// (null: none).
QStringList sourceTexts(const ControllerVariant& v, double kt, const ControllerArray* row);

// The twelve cells of a row, as the grid and the report show them.
QStringList controllerRowTexts(const ControllerArray& a);

// ---------------------------------------------------------------- the catalog query

// The parameters of the controller query for one array.
struct ControllerQuery {
    QString algorithm;   // "MPPT" or "PWM"
    double uxx = 0;      // the required open-circuit voltage, V
    double umppt = 0;    // Umppt' (MPPT only), V
    double uses = 0;     // the system voltage, V
    double power = 0;    // the array power, W
    double charge = 0;   // the charge current the controller must exceed, A
    QString batteryType; // TipAKB
};

// The query of one array. n is the array's panels in series, so a panel of fractional voltage
// is taken as it is strung: required open-circuit voltage = round(Kt x (1 + margin / 100) x
// Voc_SP x n, 2), Umppt' = round(Vmp_SP x n, 2); the charge current is, for MPPT, the output
// current of the array power with its present controller (`mpptCharge`), for PWM the array
// current. The refusal of the MPPT current is passed on.
struct QueryOrRefusal {
    std::optional<ControllerQuery> query;
    QString error;
};
QueryOrRefusal controllerQuery(const ControllerVariant& v, double kt, const ControllerArray& a,
                               const Amperes& mpptCharge);

// One rating of the catalog (a Controller2 row) with its maker, its type and its charge
// voltages by battery type.
struct CatalogController {
    QString company;
    bool companyOn = true; // Controller0.UseCtrl
    QString tip, algorithm;
    std::optional<double> imax, section; // Imax_sp, ProvSechMax
    bool typeOn = true;                  // Controller1.UseCtrl
    std::optional<double> uses, psp, uxx, umpptMin, umpptMax;
    std::vector<std::pair<QString, std::optional<double>>> chargeVoltages; // TipAKB, Upodzar
};

// A row of the query's result.
struct ControllerCandidate {
    QString tip;
    std::optional<double> uses, psp, imax, section;
    QString company;
    std::optional<double> uxx, umpptMin, umpptMax;
};

// The rule of the fixed query qryController1: maker and type switched on, the algorithm, Uxx_sp
// at least the required voltage and (MPPT) Umppt_min <= Umppt' <= Umppt_max, the system voltage,
// Psp at least the array power, Imax_sp strictly above the charge current, and a charge voltage
// row for the battery type. Comparisons on 6 decimals; an empty value never matches.
bool isCandidate(const CatalogController& c, const ControllerQuery& q);
// The matching ratings ordered by Psp, then Imax_sp, then Uxx_sp (empty first, ties kept in
// catalog order).
std::vector<ControllerCandidate> candidates(const std::vector<CatalogController>& catalog,
                                            const ControllerQuery& q);
ControllerCandidate candidateOf(const CatalogController& c);
ControllerFields fieldsOf(const ControllerCandidate& c);
// The catalog's charge voltage of a controller at a system voltage for a battery type.
ChargeVoltageLookup lookupChargeVoltage(const std::vector<CatalogController>& catalog,
                                        const QString& company, const QString& tip, double uses,
                                        const QString& batteryType);

// ---------------------------------------------------------------- choosing and storing

// Іаб of a row with its controller: for MPPT the output current of its power (the controller's
// charge voltage in `lookup`), for PWM the array current.
Amperes rowChargeCurrent(const ControllerVariant& v, const ControllerArray& a,
                         const ChargeVoltageLookup& lookup);

// Writes the chosen controller into row `row` and, with `allOfEqualPower`, into every row whose
// power equals that row's in whole watts, each with its own Іаб. The indexes of the rows written,
// or the refusal of a current (then no row is changed).
struct ChoiceResult {
    std::vector<int> rows;
    QString error;
};
ChoiceResult applyChoice(std::vector<ControllerArray>& rows, int row, const ControllerCandidate& c,
                         bool allOfEqualPower, const ControllerVariant& v,
                         const ChargeVoltageLookup& lookup);

// "ОК": every row needs its controller cells filled (the MPPT range only with MPPT controllers).
std::optional<QString> controllersOkRefusal(const std::vector<ControllerArray>& rows, bool mppt);

// Whether storing `chosen` over `stored` changes the array's controller or its charge current:
// its cables and controller-to-battery protection were sized on them.
bool controllerChanged(const ControllerArray& stored, const ControllerArray& chosen);
// The arrays whose cables or protection storing would clear, and the question naming them.
QStringList arraysLosingCables(const std::vector<ControllerArray>& stored,
                               const std::vector<ControllerArray>& chosen);
std::optional<QString> losingCablesQuestion(const QStringList& names);

// SIzar_AKB: the arrays' charge currents summed, two decimals after each addition.
double totalChargeCurrent(const std::vector<double>& currents);

} // namespace ses
