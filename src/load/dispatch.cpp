#include "load/dispatch.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>

namespace ses {

namespace {

std::optional<double> largest(std::optional<double> a, std::optional<double> b) {
    if (!a)
        return b;
    if (!b)
        return a;
    return std::max(*a, *b);
}

} // namespace

LoadAggregates loadAggregates(const std::vector<ScheduleSummary>& schedules) {
    LoadAggregates a;
    for (const ScheduleSummary& s : schedules) {
        a.pnom = largest(a.pnom, s.pnom);
        a.pmax = largest(a.pmax, s.pmax);
        a.ppik = largest(a.ppik, s.peak);
        a.clearSinus = a.clearSinus || s.clearSinus;
    }
    return a;
}

QStringList overlappingMonths(const std::vector<ScheduleSummary>& schedules) {
    QStringList months;
    for (const QString& m : monthNames()) {
        const auto count =
            std::count_if(schedules.begin(), schedules.end(),
                          [&](const ScheduleSummary& s) { return monthInRange(m, s.from, s.to); });
        if (count > 1)
            months << m;
    }
    return months;
}

std::optional<QString> acCloseRefusal(const std::vector<AcLoadSummary>& loads) {
    for (const AcLoadSummary& l : loads)
        if (l.schedules.empty())
            return QStringLiteral(
                       "Каждая нагрузка варианта расчета должна содержать хотя бы один суточный "
                       "график. Добавьте один или несколько суточных графиков к нагрузке \"%1\" "
                       "или удалите эту нагрузку. После этого может быть завершена работа с "
                       "диалогом.")
                .arg(l.name);
    for (const AcLoadSummary& l : loads) {
        const QStringList months = overlappingMonths(l.schedules);
        if (!months.isEmpty())
            return QStringLiteral(
                       "Диапазоны месяцев действия суточных графиков не должны накладываться друг "
                       "на друга в пределах одной нагрузки.\nДиапазоны месяцев суточных графиков "
                       "нагрузки \"%1\" накладываются друг на друга по месяцам: "
                       "%2.\nОтредактируйте "
                       "диапазоны месяцев суточных графиков данной нагрузки.")
                .arg(l.name, months.join(QStringLiteral(", ")));
    }
    return std::nullopt;
}

std::optional<QString> dcCloseRefusal(const std::vector<ScheduleSummary>& schedules) {
    const QStringList months = overlappingMonths(schedules);
    if (months.isEmpty())
        return std::nullopt;
    return QStringLiteral(
               "Диапазоны месяцев действия суточных графиков не должны накладываться друг на "
               "друга.\nДиапазоны месяцев накладываются друг на друга по месяцам: %1.\n"
               "Отредактируйте диапазоны месяцев суточных графиков.")
        .arg(months.join(QStringLiteral(", ")));
}

DcFigures dcFigures(const std::vector<ScheduleSummary>& schedules, double uses) {
    DcFigures f;
    const auto current = [uses](std::optional<double> p) -> std::optional<double> {
        if (!p || !(uses > 0))
            return std::nullopt;
        return roundHalfEven(*p / uses, 2);
    };
    for (const ScheduleSummary& s : schedules) {
        f.pnom = largest(f.pnom, s.pnom);
        f.pmax = largest(f.pmax, s.pmax);
        f.wpik = largest(f.wpik, s.peak);
        f.inom = largest(f.inom, current(s.pnom));
        f.imax = largest(f.imax, current(s.pmax));
        f.ipik = largest(f.ipik, current(s.peak));
    }
    return f;
}

} // namespace ses
