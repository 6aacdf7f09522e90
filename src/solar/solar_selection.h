#pragma once
// The solar battery selection without a window or a store: the variant's figures, its region and
// loss table, the monthly requirement, the array rows being formed with their commands, the
// totals, the requirement the rows leave and the tilt suggested for it, the input of the array
// window and its "Расчет", and the checks and the choice of "ОК". The selection window binds
// this object; the demo project is formed through it too. What it starts from is read by
// readSelectionSource (solar_choice_ops.h) and what "ОК" stores is written by storeChoice.

#include "solar/arrays.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace ses {

// ---------------------------------------------------------------- what the selection starts from

struct PanelCompany {
    int kod = 0;
    QString company;
};

// A panel type of the catalog: the figures the computations use, and the values as stored, which
// the choice writes into the variant.
struct CatalogPanel {
    QString tip;
    PanelType panel;
    std::optional<double> power, unom, voc, isc, vmp, imp, height, width;
};

// What the selection reads of the current variant.
struct VariantChoice {
    QString company, tip;
    std::optional<double> prasSp;
    double b = 0;
    SystemSettings system;
    std::optional<double> crasAkb;
    QString nameAkb, izarMin, izarMax;
    double kzarMin = 1, kzarMax = 1;
    std::optional<double> sizarMin, sizarMax;
    QString region;
};

// A stored array, and whether a controller, cables or protection were chosen for it since.
struct StoredArray {
    ArrayRow row;
    bool hasChoices = false;
};

struct SelectionSource {
    VariantChoice variant;
    RegionYear region;
    std::vector<LossRow> loss;
    std::array<double, 12> requirement{}; // the monthly requirement, W
    std::optional<QString> sizingProblem; // why the requirement could not be computed
    std::vector<StoredArray> arrays;      // in stored order
    std::vector<double> controllerPowers; // the controllers' array powers for the system, W
};

// What "ОК" stores.
struct StoredChoice {
    QString company;
    CatalogPanel type;
    int panels = 0;     // KolTotal_SP
    double power = 0;   // PTotal_SP, W
    double current = 0; // ITotal_SP: the sum of the arrays' currents, A
    std::vector<ArrayRow> arrays;
};

// Names of the stored arrays with later choices that the rows do not keep unchanged: storing the
// rows clears those choices.
QStringList arraysLosingChoices(const std::vector<StoredArray>& stored,
                                const std::vector<ArrayRow>& rows);
// For every row, the stored array it keeps unchanged (-1 for none); each stored array serves once.
std::vector<int> matchArrays(const std::vector<StoredArray>& stored,
                             const std::vector<ArrayRow>& rows);

// ---------------------------------------------------------------- the array window

// What the array window is opened with.
struct ArrayWindowInput {
    QString company;
    CatalogPanel type;
    SystemSettings system;
    double variantB = 0; // the variant's B: the К shown while typing
    RegionYear region;
    std::vector<LossRow> loss;
    double dopP = 0;            // the power still to be covered, W
    std::optional<double> dopB; // the suggested tilt
    std::array<double, 12> remaining{};
    std::vector<double> powerChoices; // the given powers offered, ascending
    ArrayRow row;                     // name, orientation, tilt and К; all of it when editing
    bool editing = false;
};

// К of an array turned to the orientation and tilt, against the suggested tilt (the variant's B
// when none is suggested), "0.###"; nullopt when the coefficient is 0 or less.
std::optional<double> arrayCoefficient(const ArrayWindowInput& in, double orientation, double tilt);

// The given power the window shows first: the row's own, else 800, 1600 or 3200 W for a 12, 24
// or 48 V system, else the largest power offered; nullopt when there is none of these.
std::optional<double> initialGivenPower(const ArrayWindowInput& in);

// The array window's "Расчет" over a request whose criterion, site, orientation and tilt are set:
// К, the remaining requirement and the power still to cover are taken from the input.
struct ArrayCalculation {
    std::optional<double> k; // empty when the coefficient itself was refused
    ArrayResult result;
    std::optional<QString> error;       // a refusal to show as an error
    std::optional<QString> information; // nothing to add: the information to show
    bool ok() const { return !error && !information; }
};
ArrayCalculation calculateArray(const ArrayWindowInput& in, ArrayRequest request);

// ---------------------------------------------------------------- the selection

class SolarSelection {
public:
    // Starts over from what was read: the stored arrays are the rows, formed for the variant's
    // type, the first of them current; no type is chosen yet.
    void load(SelectionSource source);

    const VariantChoice& variant() const { return m_source.variant; }
    const std::optional<QString>& sizingProblem() const { return m_source.sizingProblem; }

    // The maker and type chosen in the window (null: none). The notice to show when the type
    // changes while the table holds arrays.
    std::optional<QString> chooseType(const QString& company, const CatalogPanel* type);
    const CatalogPanel* type() const { return m_type ? &*m_type : nullptr; }

    // The rows and the current one (-1 when there are none).
    const std::vector<ArrayRow>& rows() const { return m_rows; }
    int current() const { return m_current; }
    void setCurrent(int row);

    // Row commands, each formed for the chosen type: add appends and makes the new row current,
    // insert puts it before the current row (appends without one), replace forms the current row
    // anew; remove deletes the current row, the one after it (or the new last) becoming current;
    // the moves take the current row along.
    void add(const ArrayRow& row);
    void insert(const ArrayRow& row);
    void replace(const ArrayRow& row);
    void remove();
    void moveUp();
    void moveDown();

    struct Commands {
        bool add = false, insert = false, edit = false, remove = false;
        bool up = false, down = false, ok = false;
    };
    Commands commands() const;

    const SelectionTotals& totals() const { return m_totals; }
    // "Требуемая дополнительная мощность батареи" and the tilt suggested for it.
    double additionalPower() const { return m_additional; }
    std::optional<double> suggestedTilt() const { return m_suggestedTilt; }
    // The suggested tilt as the table's Bopt keeps it for an array formed now.
    std::optional<int> boptForNewRow() const;
    // The forecast minimum charge current and the chosen battery's window, as the window shows.
    std::optional<double> forecastMinimum() const;
    std::optional<ChargeWindow> chargeWindow() const;

    // The array window's input for a new array (row < 0: named "Массив n", south, the suggested
    // tilt) or for editing a row (the need as it would be without that row). Needs a type.
    ArrayWindowInput arrayWindowInput(int row) const;

    // "ОК", in its order: the first refusal (the totals and charge-current checks, then a missing
    // type, then rows formed for another type), nullopt when the choice can be stored; then the
    // question to ask when stored arrays would lose their later choices; then what is stored.
    std::optional<QString> okRefusal(bool checkChargeCurrent) const;
    std::optional<QString> losingChoicesQuestion() const;
    StoredChoice storedChoice() const;

private:
    void recompute();
    void put(int at, const ArrayRow& row);

    SelectionSource m_source;
    QString m_company;
    std::optional<CatalogPanel> m_type;
    std::vector<ArrayRow> m_rows;
    std::vector<QString> m_formedFor; // the type each row was formed for
    int m_current = -1;
    SelectionTotals m_totals;
    std::array<double, 12> m_remaining{};
    double m_additional = 0;
    std::optional<double> m_suggestedTilt;
};

} // namespace ses
