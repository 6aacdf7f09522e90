#pragma once
// The monthly rows of a schedule given by its parameters: the user types the daily energy and,
// month by month, the energies drawn without sun; the rest of each row is completed with the
// same formulas as an interval schedule's rows (battery capacity, radiation, seasonal
// coefficient, solar-battery power). Plain values in, plain values out.

#include "load/schedule.h"

#include <QString>
#include <optional>
#include <vector>

namespace ses {

// Rows of the months in [from, to] that have a day-light row, in calendar order: month, dark
// periods, Tsut and Tmax (Tsut with the daily cycle, else K); everything else zero or empty.
std::vector<MonthlyRow> typedFrame(const QString& from, const QString& to, const MonthlyInputs& in);

// Whether Wmax must be typed: no daily cycle and K not a whole number of days (otherwise it is
// Wsut, or the daily energy times the days of K).
bool typedMaxRequired(bool dailyCycle, double k);

// The two typed cells of a row: Wsut (column 3) and Wmax (column 5).
struct TypedEnergies {
    QString wsut, wmax;
};

struct TypedCheck {
    bool ok = true;
    QString message;
    int row = -1;
    int column = -1; // 3 or 5, the monthly table's numbering
};

// The table check, each rule over all rows before the next: required cells, numbers, the
// agreement of Wsut and Wmax with Tsut and Tmax (only where Wmax is typed), and Wsut not above
// the daily energy wpSut (when it is known: a day cannot draw more in its dark hours than in
// the whole day).
TypedCheck checkTypedTable(const std::vector<MonthlyRow>& frame,
                           const std::vector<TypedEnergies>& typed, bool dailyCycle, double k,
                           std::optional<double> wpSut);

// The calculation on a table that passed the check: Tmax and Wmax, then battery temperature and
// coefficient, capacity, region figures, seasonal coefficient and solar-battery power of every
// row, with the daily energy wpSut as typed. problems lists what kept a figure empty.
MonthlyResult typedMonthlyRows(const std::vector<MonthlyRow>& frame,
                               const std::vector<TypedEnergies>& typed, double wpSut,
                               const MonthlyInputs& in);

} // namespace ses
