#pragma once
// The working state of the solar battery selection, without a window: the variant's figures, its
// region and loss table, the monthly requirement, the array rows being formed, the totals, the
// requirement the rows leave and the tilt suggested for it, the input of the array window and its
// "Расчет", and the checks and the choice of "ОК". The selection window shows this object; the
// demo project is formed through it too.

#include "solar/solar_choice_ops.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

// What the array window is opened with.
struct ArrayWindowInput {
    QString company;
    CatalogPanel type;
    SystemSettings system;
    double variantB = 0;        // the variant's B: the К shown while typing
    RegionYear region;
    std::vector<LossRow> loss;
    double dopP = 0;            // the power still to be covered, W
    std::optional<double> dopB; // the suggested tilt
    std::array<double, 12> remaining{};
    std::vector<double> powerChoices; // the given powers offered, ascending
    ArrayCells row;             // name, orientation, tilt and К; the criterion cells when editing
    bool editing = false;
};

// A row of kArrayColumns empty texts.
ArrayCells emptyArrayRow();

// К of an array turned to the orientation and tilt, against the suggested tilt (the variant's B
// when none is suggested), "0.###"; nullopt when the coefficient is 0 or less.
std::optional<double> arrayCoefficient(const ArrayWindowInput& in, double orientation,
                                       double tilt);

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

// The texts of the array window that its table row keeps.
struct ArrayRowTexts {
    QString name, orientation, tilt;
    QString givenPower, givenCurrent; // as typed or chosen
    int siteParameter = 0;            // 0 the required power, 1 the given power
    int shape = 0;                    // SiteShape
    QString length, lower, height;
};
// The selection window's table row of a calculated array; bopt is the tilt the selection window
// suggested when the array was formed.
ArrayCells arrayRow(const ArrayRowTexts& texts, Criterion criterion, double k,
                    const ArrayResult& result, const QString& bopt);

class SolarSelection {
public:
    // Reads the current variant, its region, the loss table, the requirement and the stored arrays.
    void load(TDataModule1& dm);

    const VariantChoice& variant() const { return m_variant; }
    const RegionYear& region() const { return m_region; }
    const std::vector<LossRow>& loss() const { return m_loss; }
    // Why the requirement could not be computed, to tell when the window opens.
    const std::optional<QString>& sizingProblem() const { return m_sizingProblem; }

    const std::vector<ArrayCells>& rows() const { return m_rows; }
    const SelectionTotals& totals() const { return m_totals; }
    // "Требуемая дополнительная мощность СБ" and the tilt suggested for it.
    double additionalPower() const { return m_additional; }
    std::optional<double> suggestedTilt() const { return m_suggestedTilt; }
    const std::array<double, 12>& remaining() const { return m_remaining; }

    // The array window's input for a new array (row < 0: named "Массив n", south, the suggested
    // tilt) or for editing a row (the need as it would be without that row).
    ArrayWindowInput arrayWindowInput(TDataModule1& dm, int row, const QString& company,
                                      const CatalogPanel& type) const;

    // Row edits; `tip` is the panel type the row was formed for.
    void insertRow(int at, const ArrayCells& row, const QString& tip);
    void replaceRow(int at, const ArrayCells& row, const QString& tip);
    void removeRow(int at);
    void swapRows(int a, int b);

    // The first refusal of "ОК" (the totals and charge-current checks, then the rows formed for
    // another type), nullopt when the choice can be stored.
    std::optional<QString> okRefusal(bool checkChargeCurrent, const CatalogPanel* type) const;
    // What "ОК" stores.
    StoredChoice choice(const QString& company, const CatalogPanel& type) const;

private:
    void recompute();

    VariantChoice m_variant;
    RegionYear m_region;
    std::vector<LossRow> m_loss;
    std::array<double, 12> m_requirement{};
    std::optional<QString> m_sizingProblem;
    std::vector<ArrayCells> m_rows;
    std::vector<QString> m_formedFor;
    SelectionTotals m_totals;
    std::array<double, 12> m_remaining{};
    double m_additional = 0;
    std::optional<double> m_suggestedTilt;
};

} // namespace ses
