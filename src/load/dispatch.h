#pragma once
// The figures the load dispatchers keep: an AC load's aggregates over its schedules, the DC
// figures of a variant, and the checks that keep a dispatcher open. Plain values in and out.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ses {

struct ScheduleSummary {
    QString name, from, to;
    std::optional<double> pnom, pmax, peak; // Pnom30min, Pmax10min, Wp_pik
    bool clearSinus = false;
};

struct LoadAggregates {
    std::optional<double> pnom, pmax, ppik; // empty when the load has no schedule
    bool clearSinus = false;
};
LoadAggregates loadAggregates(const std::vector<ScheduleSummary>& schedules);

// The months (calendar order) counted more than once over the ranges of the schedules.
QStringList overlappingMonths(const std::vector<ScheduleSummary>& schedules);

struct AcLoadSummary {
    QString name;
    std::vector<ScheduleSummary> schedules;
};
// The refusal that keeps the AC dispatcher open, or nullopt.
std::optional<QString> acCloseRefusal(const std::vector<AcLoadSummary>& loads);
std::optional<QString> dcCloseRefusal(const std::vector<ScheduleSummary>& schedules);

// The variant's DC figures: the largest powers over the DC schedules and the largest of each
// power over the system voltage, rounded to 0,01 A (halves to even). All empty without schedules.
struct DcFigures {
    std::optional<double> pnom, pmax, wpik, inom, imax, ipik;
    bool operator==(const DcFigures&) const = default;
};
DcFigures dcFigures(const std::vector<ScheduleSummary>& schedules, double uses);

} // namespace ses
