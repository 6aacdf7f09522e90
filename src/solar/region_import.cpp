#include "solar/region_import.h"

#include "data/data_module.h"
#include "data/store.h"
#include "lib/months.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "lib/tilt.h"
#include "solar/sky.h"

namespace ses {

std::vector<RegionMonthRow> regionMonthRows(const ClimateYear& c, int day) {
    std::vector<RegionMonthRow> rows;
    for (int m = 1; m <= 12; ++m) {
        RegionMonthRow r;
        r.month = monthNames()[m - 1];
        r.radiation = roundHalfEven(c.months[m - 1].radiation, 2);
        r.temperature = roundHalfEven(c.months[m - 1].temperature, 1);
        if (c.latitude) {
            r.tilt = optimalTilt(*c.latitude, r.month, day);
            r.plane = roundHalfEven(sky::regionPlaneValue(*c.latitude, m, r.radiation,
                                                          c.months[m - 1].diffuse, *r.tilt,
                                                          r.temperature),
                                    2);
        }
        rows.push_back(r);
    }
    return rows;
}

RegionWrite writeClimateRegion(TDataModule1& dm, Prompter& prompter, const QString& name,
                               const ClimateYear& c) {
    const QString region = name.trimmed();
    if (region.isEmpty()) {
        prompter.error(QStringLiteral("Введите название региона."));
        return RegionWrite::Refused;
    }
    if (region.size() > 30) {
        prompter.error(QStringLiteral("Название региона \"%1\" длиннее 30 символов.").arg(region));
        return RegionWrite::Refused;
    }
    if (!c.latitude) {
        prompter.error(QStringLiteral("Не указана широта места: без нее не рассчитать углы "
                                      "наклона B. Регион не записан."));
        return RegionWrite::Refused;
    }

    View& regions = dm.tbl(QStringLiteral("region0"));
    View& sources = dm.tbl(QStringLiteral("region2"));
    View& months = dm.tbl(QStringLiteral("region1"));
    const Bookmark before = regions.bookmark();
    const bool exists = regions.locate(QStringLiteral("Region"), region);
    if (exists &&
        !prompter.question(QStringLiteral("Регион \"%1\" уже есть в справочнике регионов. "
                                          "Заменить его широту и данные всех двенадцати месяцев "
                                          "новыми?")
                               .arg(region))) {
        regions.gotoBookmark(before);
        return RegionWrite::Declined;
    }

    const std::vector<RegionMonthRow> rows = regionMonthRows(c, dm.optimUgolDay());
    Transaction tr(dm.store(), {&regions, &sources, &months});
    if (exists) {
        if (!regions.edit())
            return RegionWrite::Refused;
    } else if (!regions.append()) {
        return RegionWrite::Refused;
    }
    regions[QStringLiteral("Region")].setString(region);
    regions[QStringLiteral("Fi")].setFloat(*c.latitude);
    if (!regions.post() || !months.removeAll() || !sources.removeAll())
        return RegionWrite::Refused; // the guard rolls back and puts every row back
    // The measured quantity first: each month's E is derived from it as the month is written.
    const QString source = climateFormatName(c.format).left(100);
    for (int m = 0; m < 12; ++m) {
        if (!sources.append())
            return RegionWrite::Refused;
        sources[QStringLiteral("MonthName")].setString(rows[size_t(m)].month);
        sources[QStringLiteral("H")].setFloat(rows[size_t(m)].radiation);
        if (c.months[size_t(m)].diffuse)
            sources[QStringLiteral("Kd")].setFloat(roundHalfEven(*c.months[size_t(m)].diffuse, 3));
        sources[QStringLiteral("Source")].setString(source);
        if (!sources.post())
            return RegionWrite::Refused;
    }
    for (const RegionMonthRow& r : rows) {
        if (!months.append())
            return RegionWrite::Refused;
        months[QStringLiteral("MonthName")].setString(r.month);
        months[QStringLiteral("P")].setFloat(r.plane.value_or(r.radiation));
        months[QStringLiteral("Tsred")].setFloat(r.temperature);
        // Set in either tilt mode: the automatic rule writes the same figure, and in manual mode
        // the imported months get the computed tilt rather than none.
        if (r.tilt)
            months[QStringLiteral("B")].setFloat(*r.tilt);
        if (!months.post())
            return RegionWrite::Refused;
    }
    tr.commit();
    months.first();
    return RegionWrite::Written;
}

} // namespace ses
