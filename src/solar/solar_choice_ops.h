#pragma once
// The solar battery choice of the current variant, read and stored through the data module: the
// panel catalog offered for the system, the variant's figures the selection window needs, the
// array rows of proj_mas as text cells and the storing of a choice in one transaction.

#include "solar/arrays.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

// The stored array fields from NameMassive to Hpl, in the order of the array table's columns.
inline constexpr int kArrayColumns = 19;
const QStringList& arrayFieldNames();
const QStringList& arrayColumnTitles();
using ArrayCells = QStringList; // kArrayColumns texts, numbers with the decimal comma

struct PanelCompany {
    int kod = 0;
    QString company;
};
struct CatalogPanel {
    QString tip;
    PanelType panel;
    std::optional<double> power, unom, voc, isc, vmp, imp, height, width; // as stored
};

// Makers with UseSP set, in the catalog's order.
std::vector<PanelCompany> panelCompanies(TDataModule1& dm);
// The maker's types with UseSP set, by power then voltage, that fit the system.
std::vector<CatalogPanel> panelTypes(TDataModule1& dm, int companyKod, const SystemSettings& s);
// The array powers (Psp) of the controller ratings for the system's voltage whose type works by
// the system's algorithm (MPPT or PWM), as stored; empty values are skipped.
std::vector<double> controllerArrayPowers(TDataModule1& dm, const SystemSettings& s);

// What the selection window reads of the current variant.
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
VariantChoice readVariantChoice(TDataModule1& dm);
SystemSettings systemSettings(TDataModule1& dm);

// The current variant's arrays in stored order.
std::vector<ArrayCells> readArrays(TDataModule1& dm);

// Figures of one row as the totals and the remaining requirement read them (empty cells are 0).
ArrayFigures arrayFigures(const ArrayCells& row);
FormedArray formedArray(const ArrayCells& row);

// The choice the selection window stores on "ОК".
struct StoredChoice {
    QString company;
    CatalogPanel type;
    int panels = 0;      // KolTotal_SP
    double power = 0;    // PTotal_SP
    double current = 0;  // ITotal_SP: the sum of the arrays' currents, A
    std::vector<ArrayCells> arrays;
};

// True when the rows differ from the variant's stored arrays (order included).
bool arraysChanged(TDataModule1& dm, const std::vector<ArrayCells>& arrays);
// Names of the stored arrays that have a controller, cables or protection chosen and that the new
// rows do not keep unchanged: storing the rows clears those choices.
QStringList arraysLosingChoices(TDataModule1& dm, const std::vector<ArrayCells>& arrays);

// Writes the choice into the variant and, only when the arrays changed, rewrites its proj_mas
// rows: a row equal to a stored one keeps that array's controller, cables and protection, other
// rows start without them. Everything in one transaction; throws DbError (nothing written) when
// the store refuses.
void storeChoice(TDataModule1& dm, const StoredChoice& choice);

} // namespace ses
