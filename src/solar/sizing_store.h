#pragma once
// The required power and tilt of the current variant, read from its stored schedules, its
// region and the loss table.

#include "solar/insolation.h"

#include <QVariant>

namespace ses {

class TDataModule1;

struct SolarSizing {
    MonthlyRequirement requirement;
    TiltResult result;
    RegionYear region;    // the variant's region as read
    QStringList problems; // every reason a figure could not be computed
    bool ok() const { return problems.isEmpty() && !result.error; }
    // Why the required power is what it is: the month that governs and its radiation, e.g.
    // "декабрь, E = 0,35 кВт*ч/(м2*день)"; empty when no month governs.
    QString governingText() const;
};

// A stored number, or none for null.
std::optional<double> optionalNumber(const QVariant& v);
// The monthly rows (month, dark energy, largest dark energy) of one schedule of `table`, in stored
// order.
std::vector<StoredMonth> storedMonths(TDataModule1& dm, const QString& table,
                                      const QVariant& schedule);

// The inputs of the variant with key variantKod (its loads' Kinv, the schedules' monthly rows).
std::vector<StoredSchedule> storedSchedules(TDataModule1& dm, int variantKod);
RegionYear regionYear(TDataModule1& dm, const QString& region);
std::vector<LossRow> lossTable(TDataModule1& dm);
SizingSettings sizingSettings(TDataModule1& dm);
// The same for the variant with key kod, read without moving any view.
SizingSettings sizingSettings(TDataModule1& dm, qint64 kod);

// For the current variant of the data module.
SolarSizing requiredSolarPower(TDataModule1& dm);

} // namespace ses
