#pragma once
// What the load dispatchers do to the data: add, edit, delete and copy the schedules of the
// current AC load (proj_graf0) or of the variant (proj_graf12_0), keep the AC load's aggregates
// current, read what the close checks need, and store the variant's DC figures. Every write runs
// in one transaction: it happens whole or not at all. A write refused by a table rule or by a
// check here returns false (or nullopt) after telling the user why through the data module's
// prompter, with nothing written.

#include "load/dispatch.h"
#include "load/schedule_store.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace ses {

class TDataModule1;
class View;

// The schedules the dispatcher works on: those of the current AC load, or the variant's DC ones.
View& schedulesView(TDataModule1& dm, bool ac);

// The rows of a schedules view in stored order; the view does not move.
std::vector<ScheduleSummary> scheduleSummaries(const View& schedules);
// Every AC load of the current variant in list order with its schedules; no view moves.
std::vector<AcLoadSummary> acLoadSummaries(TDataModule1& dm);
// The refusal that keeps the dispatcher open, or nullopt.
std::optional<QString> closeRefusal(TDataModule1& dm, bool ac);

// A new schedule as the dialogs start it: "Суточный график {n}" (n = the owner's schedules + 1),
// January to December, the pure-sine box ticked for AC.
ScheduleDraft newScheduleDraft(TDataModule1& dm, bool ac);

// Appends the draft as a new schedule of the owner with its intervals and monthly rows; it
// becomes the current schedule. AC: the load's aggregates follow in the same transaction.
bool addSchedule(TDataModule1& dm, bool ac, const ScheduleDraft& draft);
// Appends a schedule row with only the draft's name and range, for consumers to hang from while
// the consumer dialog builds it; it becomes the current schedule.
bool appendBlankSchedule(TDataModule1& dm, bool ac, const ScheduleDraft& draft);
// Writes the draft over the current schedule: its fields, its intervals (when the draft carries
// any) and its monthly rows are replaced whole. AC: the aggregates follow.
bool editSchedule(TDataModule1& dm, bool ac, const ScheduleDraft& draft);
// Deletes the current schedule with every row hanging from it. AC: the aggregates follow.
bool deleteSchedule(TDataModule1& dm, bool ac);

// Why a name cannot be given to a new schedule (empty, or longer than the name column), or
// nullopt.
std::optional<QString> scheduleNameRefusal(const QString& name);
// Why an AC load cannot be saved under this name, or nullopt.
std::optional<QString> loadNameRefusal(const QString& name);

// The longest run of consecutive months (over the new year too) that no schedule covers, as the
// "from" and "to" month names; the earliest such run on a tie. nullopt when every month is taken.
std::optional<std::pair<QString, QString>>
freeMonthRange(const std::vector<ScheduleSummary>& schedules);

// Copies the current schedule of the owner with its intervals, time rows, monthly rows and
// consumers with their periods, under newName and the range from - to, which must not overlap
// any schedule of the owner (the source included): so the copy is valid from the start. The
// copy's monthly rows are those of its own range: rebuilt from its intervals, or, for a schedule
// given by its parameters, the source's rows of those months. The copy becomes the current
// schedule; returns its key.
std::optional<int> copySchedule(TDataModule1& dm, bool ac, const QString& newName,
                                const QString& from, const QString& to);

// AC: the current load's Pnom30min, Pmax10min, Ppik and ClearSinus from its schedules (empty and
// false without any). Writes only when they differ from the stored ones; false when refused.
bool refreshLoadAggregates(TDataModule1& dm);

// The variant's DC figures (Pnom30min, Pmax10min, Wp_pik, Inom, Imax, Ipik) from its DC
// schedules. When one of them differs from the stored ones, the six are written and the choice
// of the battery-to-DC-consumers cable, breaker and fuse (which depended on them) is cleared.
// Returns whether the figures changed.
bool storeDcFigures(TDataModule1& dm);

// The thirteen columns of that cable, breaker and fuse choice.
const QStringList& dcProtectionColumns();

} // namespace ses
