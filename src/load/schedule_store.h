#pragma once
// Reading a schedule's inputs from the current variant, writing a schedule with its intervals
// and monthly rows, and the schedule book without consumer detail (sSut -> sSut0 -> sSut1).
// Every write runs in one transaction: it happens whole or not at all.

#include "load/schedule.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ses {

class TDataModule1;
class View;

// What the schedule dialogs read from the variant once per opening: the settings' two load
// windows, the daily cycle and K, the region and its months, the day-light rows with the
// battery temperatures, the temperature table of the battery type, the battery and controller
// figures, the seasonal coefficients and Kinv (the current AC load's inverter coefficient, 1
// for DC).
struct ScheduleInputs : MonthlyInputs {
    QString batteryType; // Tip_AKB, or DefTipAKB_Ctrl while no battery is chosen
};

ScheduleInputs readScheduleInputs(TDataModule1& dm, bool ac);

// The same for the screen tour: a variant without day-light rows borrows the day-light
// catalog's hours and the first battery room's temperatures, so that its monthly rows show.
ScheduleInputs tourScheduleInputs(TDataModule1& dm, bool ac);

// A schedule as a dialog hands it over: the row's fields, the interval table (empty for a
// typed schedule) and the monthly rows (only real months, never an empty row).
struct ScheduleDraft {
    QString name, from, to;
    std::optional<double> wpSut, pnom, pmax, peak;
    bool clearSinus = false;
    IntervalTexts intervals;
    std::vector<MonthlyRow> monthly;
};

// The other schedules of the same owner (AC load or variant), in stored order, without the
// current row when it is being edited.
std::vector<OtherSchedule> otherSchedules(View& schedules, bool editing);

// Writes the draft into the schedules view (proj_graf0 for AC, proj_graf12_0 for DC): a new row
// of the view's owner, or the current row when editing. The row's fields, then its intervals
// (replaced when the draft carries any: a typed schedule leaves them) and its monthly rows
// (always replaced), all in one transaction. False, with nothing written, when a rule refused a
// row (its message is shown by the rule) or the store failed (shown through the data module's
// prompter).
bool storeSchedule(TDataModule1& dm, View& schedules, bool ac, bool editing,
                   const ScheduleDraft& d);

// The current row of the schedules view with its intervals and monthly rows.
ScheduleDraft loadSchedule(TDataModule1& dm, View& schedules, bool ac);

// The schedule book without consumer detail.
QStringList bookSections(TDataModule1& dm);
// The intervals of the book's current schedule, in stored order.
IntervalTexts bookIntervals(TDataModule1& dm);
// Appends a schedule to the book under the section of that name (appended when there is
// none): its name, figures and intervals, in one transaction. False with nothing written
// when a rule refused a row.
bool saveToBook(TDataModule1& dm, const QString& section, const QString& name,
                const IntervalTexts& intervals, const ScheduleParams& figures);

// Gives the book's current schedule the figures and intervals of an edited table: the three
// figures posted and every interval replaced, in one transaction. False with nothing written
// when there is no schedule or a rule refused a row.
bool replaceBookSchedule(TDataModule1& dm, const IntervalTexts& intervals,
                         const ScheduleParams& figures);

} // namespace ses
