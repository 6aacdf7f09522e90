#pragma once
// The parameters of a variant as the variant dialog holds them, without the dialog: the table of
// parameters (kind, factory value, step rules, list entries, which control enables which), the
// checks made on "ОК", the array voltages offered with MPPT controllers, and the mapping between
// the dialog's values and the columns of project1 / ParVarDef.

#include "lib/entry.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace ses {

enum class ParamKind {
    Number,    // decimal field, stored from its text as typed
    Whole,     // whole-number field
    Check,     // check box, stored as logical
    TextList,  // list stored as the text of its entry
    IndexList, // list stored as the index of its entry
    Options,   // exclusive options stored as 0, 1, 2
    Text,      // free text
};

// One pair of step buttons: up and down by `step`. Up is free or never above `upper`; down keeps
// the value positive or never goes below `lower`.
struct StepRule {
    double step;
    std::optional<double> upper;
    std::optional<double> lower; // nullopt: the positive-decrement rule
};

// A control that enables another: the dependent is enabled when the controlling check box is
// on / off, or when the controlling index list stands at entry 0 / elsewhere.
struct Enabler {
    enum class When { On, Off, AtZero, NotAtZero };
    QString column;
    When when;
};

struct ParamDef {
    QString column; // in project1; ParVarDef has the same name except Pom_AKB (PomName there)
    ParamKind kind;
    // As the control shows it: number text, "1"/"0" for a check box, the entry text of a text
    // list, the entry index of an index list or the options ("0"); empty for lists filled from
    // the catalogs (the first entry is taken).
    QString factory;
    QStringList entries; // fixed entries of a list or the options; empty for Region and Umppt
    std::vector<StepRule> steps;
    std::optional<Enabler> enabler;
};

// Every parameter of the dialog in tab order (the name is not among them).
const std::vector<ParamDef>& variantParamTable();
const ParamDef& paramDef(const QString& column); // throws std::out_of_range for an unknown one

// Laying methods of the cable lists.
const QStringList& layingMethods();
inline const QString kIzarMin = QStringLiteral("Iз.мин.");
inline const QString kIzarMax = QStringLiteral("Iз.макс.");

// One row of the two month grids: month name, sunrise and sunset hours, battery temperature,
// each as the grid shows it.
struct MonthRow {
    QString month, sunrise, sunset, temperature;
};

// The dialog's values as plain texts (see ParamDef::factory for the form of each kind).
struct VariantParams {
    QString name;                      // VarName, variant layout only
    std::map<QString, QString> values; // by project1 column
    std::array<MonthRow, 12> months;   // calendar order

    QString text(const QString& column) const;
    bool isOn(const QString& column) const { return text(column) == QLatin1String("1"); }
    int index(const QString& column) const; // -1: no entry chosen
    void set(const QString& column, const QString& text) { values[column] = text; }
    void setOn(const QString& column, bool on) {
        set(column, on ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void setIndex(const QString& column, int index) { set(column, QString::number(index)); }
};

// The factory values: every parameter from the table, the region and the array voltage left to
// the lists' first entries; months named with their hours and temperatures empty.
VariantParams factoryParams();

// Whether the control of `column` is enabled under the values of its enabler.
bool paramEnabled(const VariantParams& p, const QString& column);

// Array voltages offered with MPPT controllers: uses + 12, uses + 24, ... up to 1000 at most.
QStringList umpptEntries(int uses);

// Step `text` of the field of a rule up or down (the lib/entry rules).
StepResult applyStep(const StepRule& rule, bool up, const QString& text);

// ---------------------------------------------------------------- checks on "ОК"

// Where a refusal puts the focus: a parameter's control, the name field, or a grid cell
// (grid 0: day-light, 1: battery temperature; row 0..11, column 1..2 as in the grid).
struct ParamError {
    QString message;
    QString column; // empty for a grid cell; "VarName" for the name field
    int grid = -1;
    int row = -1;
    int col = -1;
};

struct CheckContext {
    bool checkName = true;          // the name field is shown
    std::optional<int> batteryUnom; // Unom_AKB of the variant being edited, when chosen
};

// The number checks of "ОК" in their order: column, kind and the quantity they name.
struct NumberCheckDef {
    enum class Kind { Any, NonZero, NonZeroWhole };
    QString column;
    Kind kind;
    QString quantity;
    bool mayBeNegative = false; // the panels' temperature coefficient and lowest temperature
};
const std::vector<NumberCheckDef>& numberChecks();

// The checks of "ОК" in their order; the first failure, or nullopt when the values can be saved.
std::optional<ParamError> checkParams(const VariantParams& p, const CheckContext& context);

// The information shown after the checks when a DC consumer of the variant is rated for another
// voltage than `uses` (the first such, in schedule order); nullopt when there is none.
std::optional<QString> dcVoltageNotice(const QString& uses, const QStringList& consumerVoltages);

// ---------------------------------------------------------------- columns

enum class ParamTable { Variant, Default };

// The column a parameter is stored in.
QString storedColumn(const QString& column, ParamTable table);

// The values to write, by stored column; the name (VarName) for the variant table only. The
// values must have passed checkParams; a number that does not read is written as null.
std::vector<std::pair<QString, QVariant>> paramColumns(const VariantParams& p, ParamTable table);

// The dialog's values read back from a row: `column` gives a stored column's value (null for
// none). Months are left as they are.
VariantParams paramsFromColumns(const std::function<QVariant(const QString&)>& column,
                                ParamTable table);

} // namespace ses
