#pragma once
// The report of a schedule dialog ("Экспорт..."): general parameters, the interval table with
// its chart (interval schedules only), the computed parameters and the monthly table.

#include "load/schedule.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace ses {

class ReportWriter;

// What the report shows, as the dialog shows it.
struct ScheduleReport {
    QString name, from, to, region;
    bool dailyCycle = true;
    QString hoursWithoutSun; // K
    bool withIntervals = false;
    IntervalTexts intervals;
    QImage chart;
    QString wpSut, pnom, pmax, peak;
    QString nominalLabel, maximumLabel, peakLabel; // the dialog's captions, colons included
    bool clearSinus = false;
    std::vector<QStringList> monthly; // rows of the fourteen columns
};

// Opens the report and writes its blocks; closing it is the caller's.
void writeScheduleReport(ReportWriter& w, const ScheduleReport& r);

} // namespace ses
