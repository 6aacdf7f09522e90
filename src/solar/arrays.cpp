#include "solar/arrays.h"

#include "lib/numbers.h"
#include "solar/controllers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ses {

namespace {

const QString kIzarMin = QStringLiteral("Iз.мин.");

// int(a / b) with the quotient first rounded to 6 decimals: 2,4 / 0,8 is 3 panels, not 2.
int floorQuotient(double a, double b) {
    if (!(b > 0) || !(a > 0))
        return 0;
    return int(std::floor(roundHalfEven(a / b, 6)));
}

double stringVoltage(const SystemSettings& s) {
    return s.mppt ? s.umppt : s.uses;
}

// The month coefficient of an array: its deviation from the month's tilt, unrounded.
std::optional<double> monthCoefficient(const std::vector<LossRow>& loss, double orientation,
                                       double tilt, double monthTilt,
                                       std::optional<QString>& error) {
    const double dx = monthTilt - tilt, dy = 180 - orientation;
    const double angle = std::sqrt(dx * dx + dy * dy);
    const auto k = performanceCoefficient(loss, angle);
    if (!k)
        error = coefficientRefusal(roundHalfEven(angle, 1));
    return k;
}

QString nothingToAdd() {
    return QStringLiteral("Требуемая дополнительная мощность панелей массива равна 0.\r"
                          "Добавление массива не требуется.");
}

} // namespace

bool typeFitsSystem(const SystemSettings& s, double unom) {
    const double u = roundHalfEven(unom, 0);
    if (u <= 0)
        return false;
    const double rest = std::fmod(roundHalfEven(stringVoltage(s), 6), u);
    return sameValue(rest, 0) || sameValue(rest, u);
}

std::optional<int> panelsInSeries(const SystemSettings& s, double unom) {
    const double u = roundHalfEven(unom, 0);
    if (u <= 0)
        return std::nullopt;
    return int(roundHalfEven(stringVoltage(s) / u, 0));
}

std::vector<double> givenPowerChoices(std::vector<double> controllerPowers, double uses, double usp,
                                      double panelPower) {
    std::sort(controllerPowers.begin(), controllerPowers.end());
    controllerPowers.erase(std::unique(controllerPowers.begin(), controllerPowers.end()),
                           controllerPowers.end());
    const double least = usp > 0 ? std::max(panelPower, uses / usp * panelPower) : panelPower;
    std::erase_if(controllerPowers, [&](double p) { return p < least - 1e-9; });
    return controllerPowers;
}

std::optional<double> controllerOutputCurrent(const SystemSettings& s, double power) {
    return outputCurrentAt(s.controllerLosses, power, double(int(s.uses) / 12) * s.chargeVoltage);
}

ArrayEvaluation evaluateArray(const std::array<double, 12>& remaining, const RegionYear& region,
                              const std::vector<LossRow>& loss, double orientation, double tilt,
                              double arrayPower, double dopP) {
    ArrayEvaluation e;
    std::array<double, 12> rest{}, lossOf{};
    int governing = -1;
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (int m = 0; m < 12; ++m) {
        if (!region[m])
            continue;
        const auto k = monthCoefficient(loss, orientation, tilt, region[m]->tilt, e.error);
        if (!k)
            return e;
        rest[m] = roundHalfAway(remaining[m] - arrayPower * *k, 0);
        lossOf[m] = roundHalfAway(std::min(dopP, arrayPower) * (1 - *k), 0);
        if (governing < 0 || rest[m] > rest[governing]) // the earlier month wins a tie
            governing = m;
        lo = std::min(lo, region[m]->tilt);
        hi = std::max(hi, region[m]->tilt);
    }
    if (governing < 0)
        return e;
    e.power = rest[governing];
    e.tilt = region[governing]->tilt;
    e.loss = lossOf[governing];

    // The power needed at tilt t and the loss figure of the month that needs it.
    struct Need {
        double power, loss;
    };
    const auto needAt = [&](double t) -> std::optional<Need> {
        std::optional<Need> worst;
        for (int m = 0; m < 12; ++m) {
            if (!region[m])
                continue;
            const double angle = std::fabs(t - region[m]->tilt);
            const auto k = performanceCoefficient(loss, angle);
            if (!k) {
                e.error = coefficientRefusal(angle);
                return std::nullopt;
            }
            const double w = roundHalfEven(rest[m] / *k, 0);
            if (!worst || w > worst->power) {
                const double l = dopP < arrayPower ? roundHalfAway(dopP * (1 - *k), 0)
                                                   : roundHalfAway(arrayPower + w - dopP, 0);
                worst = Need{w, l};
            }
        }
        return worst;
    };
    const auto atGoverning = needAt(e.tilt);
    if (!atGoverning || atGoverning->power <= e.power)
        return e;
    bool first = true;
    for (double t = lo; t <= hi + 1e-9; t += 1) {
        const auto n = needAt(t);
        if (!n)
            return e;
        if (first || n->power < e.power) { // the first tilt with the smallest power
            e.power = n->power;
            e.tilt = t;
            e.loss = n->loss;
            first = false;
        }
    }
    return e;
}

SiteCapacity siteCapacity(const Site& site, const PanelType& panel) {
    SiteCapacity c;
    const double w = panel.width / 1000, h = panel.height / 1000;
    if (!(w > 0) || !(h > 0) || !(site.height > 0))
        return c;
    if (site.shape == SiteShape::Rectangle) {
        const int perRow = floorQuotient(site.length, w), rows = floorQuotient(site.height, h);
        if (perRow >= 1 && rows >= 1)
            c.panels = perRow * rows;
        return c;
    }
    const double a = site.shape == SiteShape::Trapezoid ? site.length : 0;
    const double b = site.shape == SiteShape::Trapezoid ? site.lower : site.length;
    const double rowHeight = roundHalfEven(h, 3);
    const int rows = int(roundHalfEven(site.height / h, 3));
    const double longer = std::max(a, b);
    const double first = site.valign == VAlign::Top ? 0
                         : site.valign == VAlign::Centre
                             ? roundHalfEven((site.height - rows * h) / 2, 3)
                             : site.height - rowHeight;
    const double step = site.valign == VAlign::Bottom ? -rowHeight : rowHeight;
    const auto widthAt = [&](double y) {
        return a > b ? a - y * (a - b) / site.height : a + y * (b - a) / site.height;
    };
    for (int i = 0; i < rows; ++i) {
        SiteRow r;
        r.depth = roundHalfEven(first + i * step, 6);
        // The narrower edge: the lower one when the upper base is the longer.
        const double width = std::max(0.0, widthAt(a > b ? r.depth + rowHeight : r.depth));
        r.panels = std::max(0, int(roundHalfEven(width / w, 3)));
        const double left = (longer - width) / 2; // the shorter base is centred
        r.x = site.halign == HAlign::Left     ? left
              : site.halign == HAlign::Centre ? (longer - r.panels * w) / 2
                                              : left + width - r.panels * w;
        r.x = roundHalfEven(r.x, 6);
        c.panels += r.panels;
        c.rows.push_back(r);
    }
    if (site.valign == VAlign::Bottom)
        std::reverse(c.rows.begin(), c.rows.end());
    return c;
}

double siteArea(const Site& site) {
    switch (site.shape) {
    case SiteShape::Rectangle:
        return roundHalfAway(site.length * site.height, 2);
    case SiteShape::Trapezoid:
        return roundHalfAway((site.length + site.lower) * site.height / 2, 2);
    case SiteShape::Triangle:
        break;
    }
    return roundHalfAway(site.length * site.height / 2, 2);
}

ArrayResult formArray(const ArrayRequest& q, const PanelType& panel, const SystemSettings& s,
                      const RegionYear& region, const std::vector<LossRow>& loss) {
    ArrayResult r;
    const auto refuse = [&](QString message) {
        ArrayResult x;
        x.status = ArrayResult::Status::Refused;
        x.message = std::move(message);
        x.series = r.series;
        x.capacity = r.capacity;
        return x;
    };
    const auto series = panelsInSeries(s, panel.unom);
    if (!series || *series < 1 || !(panel.power > 0))
        return refuse(QStringLiteral("Напряжение солнечной панели не позволяет собрать из панелей "
                                     "сборку массива на напряжение системы."));
    r.series = *series;
    const double psp = panel.power;
    const bool byRequired = q.criterion == Criterion::RequiredPower ||
                            (q.criterion == Criterion::SiteSize && !q.siteByGivenPower);
    if (byRequired && !(q.dopP > 0)) {
        r.status = ArrayResult::Status::NothingToAdd;
        r.message = nothingToAdd();
        return r;
    }
    if (byRequired && !(q.k > 0))
        return refuse(QStringLiteral("Коэффициент производительности солнечных панелей массива "
                                     "равен 0: измените ориентацию или угол наклона массива."));

    const auto setStrings = [&](int strings) {
        r.strings = strings;
        r.panels = r.series * strings;
        r.power = roundHalfAway(psp * r.panels, 0);
    };
    const auto evaluate = [&]() {
        r.evaluation =
            evaluateArray(q.remaining, region, loss, q.orientation, q.tilt, r.power, q.dopP);
        return !r.evaluation.error;
    };
    const QString noPanels =
        QStringLiteral("Заданные параметры не позволяют сформировать массив ни из одной сборки "
                       "по %1 шт. солнечных панелей.")
            .arg(r.series);

    switch (q.criterion) {
    case Criterion::RequiredPower: {
        const int n = ceilQuotient(q.dopP / q.k, psp);
        int strings = ceilQuotient(n, r.series);
        for (;;) {
            setStrings(strings);
            r.loss = roundHalfAway(q.dopP / q.k - q.dopP, 0);
            if (!evaluate())
                return refuse(*r.evaluation.error);
            if (!(r.evaluation.power > 0))
                break;
            if (strings >= q.maxStrings)
                return refuse(
                    QStringLiteral("Требуемая дополнительная мощность панелей массива (%1 Вт) не "
                                   "покрывается и массивом из %2 сборок по %3 шт. солнечных "
                                   "панелей (%4 Вт): не покрыто %5 Вт.\rИзмените ориентацию или "
                                   "угол наклона массива.")
                        .arg(numberToText(q.dopP))
                        .arg(strings)
                        .arg(r.series)
                        .arg(numberToText(r.power))
                        .arg(numberToText(r.evaluation.power)));
            ++strings;
        }
        break;
    }
    case Criterion::GivenPower: {
        const int strings = floorQuotient(q.givenPower, psp) / r.series;
        if (strings < 1)
            return refuse(QStringLiteral("Значение поля \"Заданная мощность панелей массива, Вт\" "
                                         "(%1 Вт) меньше минимально допустимой мощности массива "
                                         "(%2 Вт) при номинальной мощности отдельной солнечной "
                                         "панели %3 Вт и количестве панелей в отдельной сборке "
                                         "массива %4 шт.")
                              .arg(numberToText(q.givenPower))
                              .arg(numberToText(roundHalfEven(r.series * psp, 0)))
                              .arg(numberToText(psp))
                              .arg(r.series));
        setStrings(strings);
        break;
    }
    case Criterion::MaxCurrent: {
        const double current = s.currentFromIsc && panel.isc > 0
                                   ? panel.imp * q.givenCurrent / panel.isc
                                   : q.givenCurrent;
        const int strings = floorQuotient(panel.vmp * current * r.series, psp) / r.series;
        if (strings < 1)
            return refuse(noPanels);
        setStrings(strings);
        break;
    }
    case Criterion::SiteSize: {
        r.capacity = siteCapacity(q.site, panel).panels;
        if (r.capacity < 1)
            return refuse(QStringLiteral("Размеры площадки не позволяют установить ни одной "
                                         "солнечной панели."));
        const int fit = r.capacity / r.series;
        const int wanted = q.siteByGivenPower
                               ? floorQuotient(q.givenPower, psp) / r.series
                               : ceilQuotient(ceilQuotient(q.dopP / q.k, psp), r.series);
        const int strings = wanted < fit ? wanted : fit;
        if (strings < 1)
            return refuse(noPanels);
        setStrings(strings);
        break;
    }
    }
    if (q.criterion != Criterion::RequiredPower) {
        r.loss = roundHalfAway((1 - q.k) * r.power, 0);
        if (!evaluate())
            return refuse(*r.evaluation.error);
    }
    const double left = r.evaluation.power;
    r.additionalPower = left > 0 ? left : 0;
    if (left > 0) {
        r.suggestedTilt = r.evaluation.tilt;
        r.loss = r.evaluation.loss;
    }

    const double perString = s.mppt || !s.currentFromIsc ? panel.imp : panel.isc;
    r.current = roundHalfAway(perString * r.strings, 2);
    if (s.mppt) {
        const auto out = controllerOutputCurrent(s, psp * r.panels);
        r.controllerCurrent = out ? *out : 0;
    } else {
        r.controllerCurrent = r.current;
    }
    return r;
}

ArrayRow arrayRow(const QString& name, const ArrayRequest& q, double k, const ArrayResult& r,
                  std::optional<int> bopt) {
    ArrayRow a;
    a.name = name.trimmed();
    a.bopt = bopt;
    a.orientation = q.orientation;
    a.tilt = q.tilt;
    a.k = k;
    a.series = r.series;
    a.strings = r.strings;
    a.panels = r.panels;
    a.power = r.power;
    a.current = r.current;
    a.loss = r.loss;
    a.criterion = q.criterion;
    switch (q.criterion) {
    case Criterion::RequiredPower:
        break;
    case Criterion::GivenPower:
        a.givenPower = q.givenPower;
        break;
    case Criterion::MaxCurrent:
        a.givenCurrent = q.givenCurrent;
        break;
    case Criterion::SiteSize:
        a.siteParameter = q.siteByGivenPower ? 1 : 0;
        if (q.siteByGivenPower)
            a.givenPower = q.givenPower;
        a.shape = q.site.shape;
        a.length = q.site.length;
        if (q.site.shape == SiteShape::Trapezoid)
            a.lower = q.site.lower;
        a.height = q.site.height;
        break;
    }
    return a;
}

namespace {

bool sameNumber(std::optional<double> a, std::optional<double> b) {
    return a.has_value() == b.has_value() && (!a || sameValue(*a, *b));
}

} // namespace

bool sameArray(const ArrayRow& a, const ArrayRow& b) {
    return a.name.trimmed() == b.name.trimmed() && a.bopt == b.bopt &&
           sameValue(a.orientation, b.orientation) && sameValue(a.tilt, b.tilt) &&
           sameValue(a.k, b.k) && a.series == b.series && a.strings == b.strings &&
           a.panels == b.panels && sameValue(a.power, b.power) && sameValue(a.current, b.current) &&
           sameValue(a.loss, b.loss) && a.criterion == b.criterion &&
           a.siteParameter == b.siteParameter && sameNumber(a.givenPower, b.givenPower) &&
           sameNumber(a.givenCurrent, b.givenCurrent) && a.shape == b.shape &&
           sameNumber(a.length, b.length) && sameNumber(a.lower, b.lower) &&
           sameNumber(a.height, b.height);
}

ArrayFigures arrayFigures(const ArrayRow& row) {
    return {row.panels, row.power, row.current, row.loss};
}

SelectionTotals selectionTotals(const std::vector<ArrayFigures>& arrays, double prasSp,
                                const SystemSettings& s) {
    SelectionTotals t;
    if (arrays.empty())
        return t;
    double losses = 0, current = 0;
    for (const ArrayFigures& a : arrays) {
        t.panels += a.panels;
        t.power += a.power;
        current += a.current;
        losses += a.loss;
    }
    t.power = roundHalfAway(t.power, 6);
    t.current = roundHalfAway(current, 2);
    t.losses = roundHalfAway(losses, 6);
    t.fullPower = roundHalfAway(prasSp + losses, 2);
    t.chargeCurrent =
        s.mppt ? controllerOutputCurrent(s, t.power) : std::optional<double>(t.current);
    return t;
}

std::optional<double> forecastMinimumChargeCurrent(std::optional<double> crasAkb,
                                                   const QString& nameAkb, const QString& izarMin,
                                                   double kzarMin) {
    if (!crasAkb || !nameAkb.trimmed().isEmpty())
        return std::nullopt;
    return roundHalfAway(*crasAkb * kzarMin / (izarMin == kIzarMin ? 10 : 5), 0);
}

std::optional<ChargeWindow> batteryChargeWindow(std::optional<double> sizarMin,
                                                std::optional<double> sizarMax,
                                                const QString& izarMin, const QString& izarMax,
                                                double kzarMin, double kzarMax) {
    if (!sizarMin || !sizarMax)
        return std::nullopt;
    return ChargeWindow{roundHalfAway(kzarMin * (izarMin == kIzarMin ? *sizarMin : *sizarMax), 2),
                        roundHalfAway(kzarMax * (izarMax == kIzarMin ? *sizarMin : *sizarMax), 2)};
}

std::optional<QString> selectionOkRefusal(const SelectionOkInput& in) {
    if (in.arrays < 1)
        return QStringLiteral("Для завершения работы с диалогом посредством нажатия кнопки \"ОК\" "
                              "необходимо сформировать массивы солнечных панелей.");
    if (in.fullPower && !atLeast(in.totalPower, *in.fullPower))
        return QStringLiteral(
                   "Значение поля \"Общая мощность панелей солнечной батареи, Вт\" (%1 Вт) "
                   "не должно быть меньше значения поля \"Полная расчетная мощность "
                   "солнечной батареи, Вт\" (%2 Вт).\rТребуемая дополнительная мощность "
                   "солнечной батареи - не менее %3 Вт.")
            .arg(numberToText(in.totalPower), numberToText(*in.fullPower),
                 numberToText(in.additionalPower));
    if (!in.checkChargeCurrent || !in.chargeCurrent)
        return std::nullopt;
    const QString current = numberToText(*in.chargeCurrent);
    const QString field = QStringLiteral("Значение поля \"Прогнозируемый ток заряда АБ (на выходе "
                                         "контроллеров), А\" (%1 A) ")
                              .arg(current);
    if (in.window) {
        if (!atLeast(*in.chargeCurrent, in.window->minimum))
            return field +
                   QStringLiteral("не должно быть меньше значения поля \"Минимальный ток заряда "
                                  "имеющейся АБ (с учетом настроек), А\" (%1 A).\rПо возможности, "
                                  "либо увеличьте мощность солнечной батареи (добавьте "
                                  "дополнительные массивы солнечных панелей или увеличьте мощность "
                                  "имеющихся массивов), либо уменьшите емкость аккумуляторной "
                                  "батареи.")
                       .arg(numberToText(in.window->minimum));
        if (!notAbove(*in.chargeCurrent, in.window->maximum))
            return field +
                   QStringLiteral("не должно быть больше значения поля \"Максимальный ток заряда "
                                  "имеющейся АБ (с учетом настроек), А\" (%1 A).\rПо возможности, "
                                  "либо уменьшите мощность солнечной батареи (удалите массивы "
                                  "солнечных панелей или уменьшите мощность имеющихся массивов), "
                                  "либо увеличьте емкость аккумуляторной батареи.")
                       .arg(numberToText(in.window->maximum));
        return std::nullopt;
    }
    if (in.forecastMinimum && !atLeast(*in.chargeCurrent, *in.forecastMinimum))
        return field +
               QStringLiteral("не должно быть меньше значения поля \"Прогнозируемый требуемый "
                              "минимальный ток заряда АБ, А\" (%1 A).\rУвеличьте мощность "
                              "солнечной батареи, добавив дополнительные массивы солнечных панелей "
                              "или увеличив мощность имеющихся массивов.")
                   .arg(numberToText(*in.forecastMinimum));
    return std::nullopt;
}

} // namespace ses
