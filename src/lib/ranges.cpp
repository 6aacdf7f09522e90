#include "lib/ranges.h"

#include "lib/numbers.h"

#include <cmath>

namespace ses {

QString rangeRefusal(double v, const PhysicalRange& r) {
    if (r.admits(v))
        return QString();
    const QString value = std::isfinite(v) ? numberToText(v) : QStringLiteral("не число");
    if (std::isinf(r.max))
        return QStringLiteral("значение %1 меньше %2: отрицательная величина недопустима.")
            .arg(value, numberToText(r.min));
    QString unit = QString::fromUtf8(r.unit);
    // "град." already ends the sentence.
    const QString end = unit.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
    if (!unit.isEmpty())
        unit.prepend(QLatin1Char(' '));
    return QStringLiteral("значение %1 вне допустимого диапазона от %2 до %3%4%5")
        .arg(value, numberToText(r.min), numberToText(r.max), unit, end);
}

} // namespace ses
