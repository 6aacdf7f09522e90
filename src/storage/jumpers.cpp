#include "storage/jumpers.h"

#include "lib/numbers.h"

#include <cmath>

namespace ses {

namespace {

// The smallest section rated for at least `current`; nullopt when none is.
std::optional<double> smallestFor(double current, const std::vector<JumperRating>& catalog) {
    std::optional<double> best;
    for (const JumperRating& r : catalog)
        if (atLeast(r.current, current) && (!best || r.section < *best))
            best = r.section;
    return best;
}

} // namespace

JumperChoice jumperFor(double current, const std::vector<JumperRating>& catalog) {
    if (const auto one = smallestFor(current, catalog))
        return {*one, 1};
    if (const auto half = smallestFor(current / 2, catalog))
        return {*half, 2};
    return {};
}

QString jumperText(const JumperChoice& j) {
    if (!j.found())
        return QStringLiteral("?");
    return (j.count == 2 ? QStringLiteral("2x") : QString()) + numberToText(j.section) +
           QStringLiteral(" мм2");
}

std::optional<double> stringCurrent(const StoredBattery& b, CurrentBasis basis, QString* error) {
    const auto fail = [error](const QString& why) -> std::optional<double> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    switch (basis) {
    case CurrentBasis::Minimum:
        if (!b.izarMin)
            return fail(QStringLiteral("Минимальный ток заряда аккумулятора не задан."));
        return b.izarMin;
    case CurrentBasis::Maximum:
        if (!b.izarMax)
            return fail(QStringLiteral("Максимальный ток заряда аккумулятора не задан."));
        return b.izarMax;
    case CurrentBasis::Calculated:
        if (!b.sizar)
            return fail(QStringLiteral("Общий ток заряда АБ не определен: выберите контроллеры "
                                       "заряда и АБ."));
        if (b.np < 1)
            return fail(QStringLiteral("В АБ нет ни одной параллельной сборки: выберите АБ."));
        return *b.sizar / b.np;
    }
    return std::nullopt;
}

SchemeLabels schemeLabels(double is, int np, CurrentBasis basis, SchemeShows shows,
                          const std::vector<JumperRating>& catalog) {
    SchemeLabels l;
    if (shows == SchemeShows::Current) {
        // The calculated current is written to 2 decimals; the bus sums k x Is of the unrounded
        // current, so the last segment reads the total charge current.
        const auto amps = [basis](double x) {
            return numberToText(basis == CurrentBasis::Calculated ? roundHalfEven(x, 2) : x) +
                   QStringLiteral(" A");
        };
        l.series = amps(is);
        l.link = amps(is);
        for (int k = 1; k <= np; ++k)
            l.bus << amps(k * is);
        return l;
    }
    std::optional<double> missing;
    const auto section = [&](double current) {
        const JumperChoice j = jumperFor(current, catalog);
        if (!j.found() && (!missing || current < *missing))
            missing = current;
        return jumperText(j);
    };
    l.series = section(is);
    for (int k = 1; k <= np; ++k)
        l.bus << section(k * is);
    if (missing)
        l.missingSection =
            QStringLiteral("Ни одна перемычка справочника (даже две параллельно) не выдерживает "
                           "ток %1 A: такие места отмечены знаком \"?\".")
                .arg(numberToText(roundHalfEven(*missing, 2)));
    return l;
}

QString schemeHeading(SchemeShows shows, CurrentBasis basis) {
    if (shows == SchemeShows::Current) {
        switch (basis) {
        case CurrentBasis::Minimum:
            return QStringLiteral("Распределение минимального зарядного тока АБ.");
        case CurrentBasis::Maximum:
            return QStringLiteral("Распределение максимального зарядного тока АБ.");
        case CurrentBasis::Calculated:
            return QStringLiteral("Распределение расчетного зарядного тока АБ.");
        }
    }
    switch (basis) {
    case CurrentBasis::Minimum:
        return QStringLiteral("Рекомендуемое сечение перемычек при минимальном зарядном токе АБ.");
    case CurrentBasis::Maximum:
        return QStringLiteral("Рекомендуемое сечение перемычек при максимальном зарядном токе АБ.");
    case CurrentBasis::Calculated:
        return QStringLiteral("Рекомендуемое сечение перемычек при расчетном зарядном токе АБ.");
    }
    return {};
}

} // namespace ses
