#include "load/rebuild.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "load/schedule_store.h"
#include "load/typed_schedule.h"

namespace ses {

namespace {

// Rebuilds every schedule of the view as it stands (the view follows its owner).
bool rebuildSchedules(TDataModule1& dm, View& schedules, bool ac) {
    if (schedules.isEmpty())
        return true;
    const Bookmark mark = schedules.bookmark();
    const ScheduleInputs in = readScheduleInputs(dm, ac);
    for (int r = 0; r < schedules.recordCount(); ++r) {
        if (!schedules.moveTo(r))
            return false;
        ScheduleDraft d = loadSchedule(dm, schedules, ac);
        if (!d.intervals.empty()) {
            const MonthlyResult m = monthlyRows(parseIntervals(d.intervals), d.from, d.to, in);
            d.monthly = m.rows;
        } else {
            // A typed schedule keeps the energies the user typed, month by month.
            const std::vector<MonthlyRow> frame = typedFrame(d.from, d.to, in);
            std::vector<TypedEnergies> typed;
            for (const MonthlyRow& row : frame) {
                TypedEnergies e;
                for (const MonthlyRow& stored : d.monthly)
                    if (stored.month == row.month) {
                        e.wsut = numberToText(stored.wsutDark);
                        e.wmax = numberToText(stored.wmaxDark);
                    }
                typed.push_back(e);
            }
            d.monthly = typedMonthlyRows(frame, typed, d.wpSut.value_or(0), in).rows;
        }
        if (!storeSchedule(dm, schedules, ac, true, d))
            return false;
    }
    schedules.gotoBookmark(mark);
    return true;
}

} // namespace

bool rebuildMonthlyRows(TDataModule1& dm) {
    if (dm.tblProj1().isEmpty())
        return true;
    Transaction tr(dm.store());
    View& loads = dm.tblProj_Inv();
    const Bookmark loadMark = loads.bookmark();
    for (int r = 0; r < loads.recordCount(); ++r) {
        if (!loads.moveTo(r) || !rebuildSchedules(dm, dm.tbl(QStringLiteral("proj_graf0")), true))
            return false;
    }
    loads.gotoBookmark(loadMark);
    if (!rebuildSchedules(dm, dm.tbl(QStringLiteral("proj_graf12_0")), false))
        return false;
    tr.commit();
    return true;
}

} // namespace ses
