#pragma once
// The program settings: the single row of the param table, the defaults shown while the row or
// a column is empty, the checks of the settings dialog and the rule that decides when the
// regions' optimal tilts must be recomputed.

#include <QString>

#include <optional>

namespace ses {

class View;

struct ProgramSettings {
    int pnomTime = 30;      // SutGr_Pnom_Time: nominal-load window of a schedule, minutes
    int pmaxTime = 10;      // SutGr_Pmax_Time: maximum-load window, minutes
    int kproizTable = 1;    // KproizTable: 0 = Kproiz (table 1), 1 = Kproiz1 (table 2)
    int scoreIsp = 0;       // Score_Isp: PWM array current from 0 = Imp, 1 = Isc
    int optimUgolRejim = 0; // OptimUgolRejim: 0 = tilts computed, 1 = typed by hand
    int optimUgolDay = 22;  // OptimUgolDay: day of the month for the computed tilts, 1..28

    bool operator==(const ProgramSettings&) const = default;
};

// Days the dialog offers for the computed tilts.
inline constexpr int kFirstTiltDay = 1;
inline constexpr int kLastTiltDay = 28;
// Upper bound of the step buttons of the two load windows, minutes.
inline constexpr int kLoadWindowStepLimit = 60;

// The settings row with the default of every null column; all defaults when there is no row.
ProgramSettings readSettings(View& param);

// Writes all six columns into the first row, appending it when the table is empty. False when
// the table's rules refused the row (their message is shown); store errors throw DbError.
bool writeSettings(View& param, const ProgramSettings& s);

// Which field a refused entry points at.
enum class SettingsField { PnomTime, PmaxTime };

struct SettingsRefusal {
    QString message;
    SettingsField field;
};

// The dialog's checks on "ОК", in order, over the texts of the two load-window fields.
std::optional<SettingsRefusal> checkLoadWindows(const QString& pnomText, const QString& pmaxText);

// Whether saving `after` over `before` must recompute the regions' tilts: only in automatic
// mode and only when the day changed. Switching from hand entry to automatic alone does not.
bool tiltsNeedRecompute(const ProgramSettings& before, const ProgramSettings& after);

} // namespace ses
