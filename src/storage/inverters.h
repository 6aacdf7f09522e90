#pragma once
// Choosing the inverter of an AC load: what the load requires of it, which catalog inverters
// meet that, when a chosen inverter can be stored, and the figures of the analysis window.
// Plain values in, plain values out: no store, no windows.

#include "load/dispatch.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ses {

// The waveform texts the selection rules know.
inline const QString kPureSine = QStringLiteral("чистый синус");
inline const QString kModifiedSine = QStringLiteral("модиф. синус");

// The variant's fields the choice depends on.
struct InverterVariant {
    std::optional<int> uses;                      // Uses: system (inverter input) voltage, V
    std::optional<int> uvuh;                      // Uvuh: AC output voltage, V
    double zapPnom = 0, zapPmax = 0, zapPpik = 0; // ZapPnom_Inv ...: reserves, %
    bool usePeak = false;                         // UsePpik_Inv
    bool useUserKpd = false;                      // UseUserKpd_Inv
    std::optional<double> userKpd;                // UserKpd_Inv, per unit
};

// An inverter as the catalog gives it and as a load stores it (Company_Inv, Name_Inv, Pnom_Inv,
// Pmax_Inv, Ppik_Inv, Forma_Inv, Kpd_Inv): powers in W, efficiency per unit.
struct InverterChoice {
    QString company, name;
    std::optional<double> pnom, pmax, ppik;
    QString forma;
    std::optional<double> kpd;

    bool operator==(const InverterChoice&) const = default;
};

// A catalog row (Invert0 joined with Invert1): the choice with its voltages, V.
struct CatalogInverter {
    InverterChoice model;
    std::optional<double> uvh, uvuh;
};

// An AC load of the variant (proj_inv) with its stored choice.
struct InverterLoad {
    QString name;                           // Nagr_Name
    std::optional<double> pnom, pmax, ppik; // Pnom30min, Pmax10min, Ppik, W
    bool clearSinus = false;                // ClearSinus
    InverterChoice stored;
};

// What a load requires of its inverter: ratings already multiplied by the reserves, W.
struct InverterRequirement {
    double pnom = 0, pmax = 0, ppik = 0;
    bool usePeak = false;
    std::optional<int> uvh, uvuh;
    bool pureSine = false;
};

// Pnom30min * (ZapPnom_Inv / 100 + 1) and so on; an empty load power requires nothing.
InverterRequirement inverterRequirement(const InverterLoad& load, const InverterVariant& variant);

// The type list's rule: powers at least the requirement (a rating equal to it passes, compared
// after rounding to 6 decimals; the peak only when the variant takes it into account), input and
// output voltage equal to the variant's, and "чистый синус" when the load needs it. An empty
// rating or voltage never fits.
bool fitsTypeList(const CatalogInverter& inverter, const InverterRequirement& req);
// A maker's types (already in catalog order) that pass the type list's rule, in that order.
std::vector<CatalogInverter> typeList(const std::vector<CatalogInverter>& makerTypes,
                                      const InverterRequirement& req);

// An efficiency that can divide the load's energies: above 0 and not above 1.
bool usableEfficiency(std::optional<double> kpd);
// Why the catalog's inverter cannot be chosen for want of an efficiency, or nullopt.
std::optional<QString> efficiencyRefusal(const InverterChoice& inverter);
// Whether every part of a choice the inverters window shows is filled.
bool choiceComplete(const InverterChoice& choice);

// Whether storing the new choice over the old one invalidates the battery-to-inverter cable and
// its breaker and fuse: they were sized for the old maker and type, its powers and its input
// voltage (the currents are the powers over the input voltage).
bool inverterChanged(const InverterChoice& stored, std::optional<int> storedUvh,
                     const InverterChoice& chosen, std::optional<int> uses);

// The analysis window: row titles and, per load, its columns of five texts (heading, nominal,
// maximum and peak power, "+"/"-" for the pure sine): one per schedule, then "значение" with
// the largest powers over the schedules and "+" when any of them needs a pure sine.
QStringList analysisRowTitles(int nomMinutes, int maxMinutes);
struct AnalysisBlock {
    QString load;
    std::vector<QStringList> columns; // the last one is the "значение" column
};
std::vector<AnalysisBlock> inverterAnalysis(const std::vector<AcLoadSummary>& loads);

} // namespace ses
