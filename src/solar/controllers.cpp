#include "solar/controllers.h"

#include "lib/numbers.h"

#include <algorithm>

namespace ses {

namespace {

bool positive(std::optional<double> x) {
    return x && *x > 0;
}

// SQL's ascending order: an empty value before any number.
bool before(std::optional<double> a, std::optional<double> b) {
    if (!a || !b)
        return !a && b;
    return *a < *b;
}

bool same(std::optional<double> a, std::optional<double> b) {
    return (!a && !b) || (a && b && sameValue(*a, *b));
}

QString text(std::optional<double> x) {
    return x ? numberToText(*x) : QString();
}

} // namespace

QString chargedBatteryType(const ControllerVariant& v) {
    return v.batteryType.trimmed().isEmpty() ? v.defaultBatteryType : v.batteryType;
}

QString algorithmName(bool mppt) {
    return mppt ? QStringLiteral("MPPT") : QStringLiteral("PWM");
}

double arrayVoltage(const ControllerVariant& v) {
    return v.mppt ? v.umppt : v.uses;
}

std::optional<QString> panelProblem(const ControllerVariant& v) {
    if (v.panelType.isEmpty())
        return QStringLiteral("Для выбора контроллеров заряда необходимо выбрать солнечную "
                              "батарею варианта.");
    if (!positive(v.unomSp) || !positive(v.vocSp) || !positive(v.vmpSp))
        return QStringLiteral("Для солнечной панели \"%1\" не заданы (или не больше 0) "
                              "номинальное напряжение, напряжение холостого хода или напряжение "
                              "в рабочей точке.\rВыберите солнечную батарею варианта заново.")
            .arg(v.panelType);
    return std::nullopt;
}

double temperatureFactor(std::optional<double> tkVos, double tmin) {
    if (!tkVos)
        return kDefaultTemperatureFactor;
    return roundPattern((tmin - 25) * *tkVos / 100 + 1, QStringLiteral("0.###"));
}

std::optional<double> outputCurrentAt(double losses, double power, double voltage) {
    if (!(voltage > 0))
        return std::nullopt;
    return roundPattern((1 - losses / 100) * power / voltage, QStringLiteral("0.##"));
}

Amperes controllerOutputCurrent(const ControllerVariant& v, double power,
                                const ChargeVoltageLookup& lookup) {
    Amperes a;
    if (v.uses < 12) {
        a.error = QStringLiteral("Напряжение системы %1 В меньше 12 В: ток заряда АБ на выходе "
                                 "контроллера не может быть рассчитан.")
                      .arg(numberToText(v.uses));
        return a;
    }
    double u = double(int(v.uses) / 12) * v.defaultChargeVoltage;
    if (lookup.found) {
        if (!positive(lookup.upodzar)) {
            a.error =
                QStringLiteral("В справочнике контроллеров заряда для контроллера \"%1\" "
                               "компании \"%2\" не задано (или не больше 0) напряжение "
                               "заряда АБ типа \"%3\" при напряжении системы %4 В.")
                    .arg(lookup.tip, lookup.company, chargedBatteryType(v), numberToText(v.uses));
            return a;
        }
        u = *lookup.upodzar;
    }
    a.value = outputCurrentAt(v.losses, power, u);
    if (!a.value)
        a.error = QStringLiteral("Напряжение ускоренного заряда АБ при первоначальном выборе "
                                 "контроллера должно быть больше 0 В.");
    return a;
}

std::optional<double> arrayOpenCircuitVoltage(const ControllerVariant& v,
                                              const ControllerArray& a) {
    if (!v.vocSp)
        return std::nullopt;
    return roundPattern(a.series * *v.vocSp, QStringLiteral("0.##"));
}

QStringList sourceTexts(const ControllerVariant& v, double kt, const ControllerArray* row) {
    const std::optional<double> sumUxx = row ? arrayOpenCircuitVoltage(v, *row) : std::nullopt;
    QString operating, withMargin;
    if (row && v.vmpSp)
        operating = formatPattern(*v.vmpSp * row->series, QStringLiteral("0.###"));
    if (sumUxx)
        withMargin = formatPattern(kt * (1 + v.margin / 100) * *sumUxx, QStringLiteral("0.##"));
    return {numberToText(v.uses),
            chargedBatteryType(v),
            v.mppt ? QStringLiteral("МРРТ") : QStringLiteral("PWM"),
            numberToText(arrayVoltage(v)),
            operating,
            text(sumUxx),
            numberToText(v.margin),
            numberToText(kt),
            withMargin};
}

QStringList controllerRowTexts(const ControllerArray& a) {
    const ControllerFields& c = a.controller;
    return {a.name,       numberToText(a.power), numberToText(a.current), c.tip,
            text(c.unom), text(c.imax),          text(c.umpptMin),        text(c.umpptMax),
            text(c.uxx),  text(a.iakb),          text(c.section),         c.company};
}

QueryOrRefusal controllerQuery(const ControllerVariant& v, double kt, const ControllerArray& a,
                               const Amperes& mpptCharge) {
    QueryOrRefusal r;
    if (const auto problem = panelProblem(v)) {
        r.error = *problem;
        return r;
    }
    if (v.mppt && !mpptCharge.ok()) {
        r.error = mpptCharge.error;
        return r;
    }
    ControllerQuery q;
    q.algorithm = algorithmName(v.mppt);
    q.uxx = roundHalfEven(kt * (1 + v.margin / 100) * *v.vocSp * a.series, 2);
    q.umppt = roundHalfEven(*v.vmpSp * a.series, 2);
    q.uses = v.uses;
    q.power = a.power;
    q.charge = v.mppt ? *mpptCharge.value : a.current;
    q.batteryType = chargedBatteryType(v);
    r.query = q;
    return r;
}

bool isCandidate(const CatalogController& c, const ControllerQuery& q) {
    if (!c.companyOn || !c.typeOn || c.algorithm != q.algorithm)
        return false;
    if (!c.uxx || !atLeast(*c.uxx, q.uxx))
        return false;
    if (c.algorithm == QLatin1String("MPPT") &&
        (!c.umpptMin || !c.umpptMax || !notAbove(*c.umpptMin, q.umppt) ||
         !atLeast(*c.umpptMax, q.umppt)))
        return false;
    if (!c.uses || !sameValue(*c.uses, q.uses) || !c.psp || !atLeast(*c.psp, q.power))
        return false;
    if (!c.imax || !(roundHalfEven(*c.imax, 6) > roundHalfEven(q.charge, 6)))
        return false;
    return std::any_of(c.chargeVoltages.begin(), c.chargeVoltages.end(),
                       [&](const auto& row) { return row.first == q.batteryType; });
}

ControllerCandidate candidateOf(const CatalogController& c) {
    return {c.tip, c.uses, c.psp, c.imax, c.section, c.company, c.uxx, c.umpptMin, c.umpptMax};
}

std::vector<ControllerCandidate> candidates(const std::vector<CatalogController>& catalog,
                                            const ControllerQuery& q) {
    std::vector<ControllerCandidate> out;
    for (const CatalogController& c : catalog)
        if (isCandidate(c, q))
            out.push_back(candidateOf(c));
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        if (!same(a.psp, b.psp))
            return before(a.psp, b.psp);
        if (!same(a.imax, b.imax))
            return before(a.imax, b.imax);
        return before(a.uxx, b.uxx);
    });
    return out;
}

ControllerFields fieldsOf(const ControllerCandidate& c) {
    return {c.company, c.tip, c.uses, c.imax, c.umpptMin, c.umpptMax, c.uxx, c.section};
}

ChargeVoltageLookup lookupChargeVoltage(const std::vector<CatalogController>& catalog,
                                        const QString& company, const QString& tip, double uses,
                                        const QString& batteryType) {
    ChargeVoltageLookup l{company, tip, false, std::nullopt};
    for (const CatalogController& c : catalog) {
        if (c.company != company || c.tip != tip || !c.uses || !sameValue(*c.uses, uses))
            continue;
        for (const auto& [type, upodzar] : c.chargeVoltages)
            if (type == batteryType) {
                l.found = true;
                l.upodzar = upodzar;
                return l;
            }
    }
    return l;
}

Amperes rowChargeCurrent(const ControllerVariant& v, const ControllerArray& a,
                         const ChargeVoltageLookup& lookup) {
    if (!v.mppt)
        return {a.current, {}};
    return controllerOutputCurrent(v, a.power, lookup);
}

ChoiceResult applyChoice(std::vector<ControllerArray>& rows, int row, const ControllerCandidate& c,
                         bool allOfEqualPower, const ControllerVariant& v,
                         const ChargeVoltageLookup& lookup) {
    ChoiceResult r;
    if (row < 0 || row >= int(rows.size()))
        return r;
    const double watts = roundHalfEven(rows[row].power, 0);
    std::vector<std::pair<int, double>> written;
    for (int i = 0; i < int(rows.size()); ++i) {
        if (i != row && (!allOfEqualPower || roundHalfEven(rows[i].power, 0) != watts))
            continue;
        const Amperes a = rowChargeCurrent(v, rows[i], lookup);
        if (!a.ok()) {
            r.error = a.error;
            return r;
        }
        written.emplace_back(i, *a.value);
    }
    for (const auto& [i, current] : written) {
        rows[i].controller = fieldsOf(c);
        rows[i].iakb = current;
        r.rows.push_back(i);
    }
    return r;
}

std::optional<QString> controllersOkRefusal(const std::vector<ControllerArray>& rows, bool mppt) {
    for (const ControllerArray& a : rows) {
        const ControllerFields& c = a.controller;
        const bool filled = !c.tip.isEmpty() && !c.company.isEmpty() && c.unom && c.imax && c.uxx &&
                            c.section && a.iakb && (!mppt || (c.umpptMin && c.umpptMax));
        if (!filled)
            return QStringLiteral("Для завершения работы с диалогом посредством нажатия кнопки "
                                  "\"ОК\" необходимо выбрать контроллеры заряда для всех массивов "
                                  "солнечных панелей.");
    }
    return std::nullopt;
}

bool controllerChanged(const ControllerArray& stored, const ControllerArray& chosen) {
    const ControllerFields &a = stored.controller, &b = chosen.controller;
    return a.company != b.company || a.tip != b.tip || !same(a.unom, b.unom) ||
           !same(a.imax, b.imax) || !same(a.umpptMin, b.umpptMin) ||
           !same(a.umpptMax, b.umpptMax) || !same(a.uxx, b.uxx) || !same(a.section, b.section) ||
           !same(stored.iakb, chosen.iakb);
}

QStringList arraysLosingCables(const std::vector<ControllerArray>& stored,
                               const std::vector<ControllerArray>& chosen) {
    QStringList names;
    for (size_t i = 0; i < stored.size() && i < chosen.size(); ++i)
        if (stored[i].hasCableResults && controllerChanged(stored[i], chosen[i]))
            names << stored[i].name;
    return names;
}

std::optional<QString> losingCablesQuestion(const QStringList& names) {
    if (names.isEmpty())
        return std::nullopt;
    QStringList quoted;
    for (const QString& n : names)
        quoted << QStringLiteral("\"%1\"").arg(n);
    return QStringLiteral("Для массивов солнечных панелей %1 изменены контроллеры заряда: будут "
                          "сброшены выбранные для них кабели, а также автоматические выключатели "
                          "и предохранители цепи \"контроллер - АБ\".\rПродолжить?")
        .arg(quoted.join(QStringLiteral(", ")));
}

double totalChargeCurrent(const std::vector<double>& currents) {
    double sum = 0;
    for (double i : currents)
        sum = roundHalfEven(sum + i, 2);
    return sum;
}

} // namespace ses
