#include "storage/battery.h"

#include "lib/months.h"
#include "lib/numbers.h"
#include "solar/controllers.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace ses {

namespace {

QString num(double x) {
    return numberToText(x);
}

QString num(std::optional<double> x) {
    return numberToText(x);
}

double r0(double x) {
    return roundHalfEven(x, 0);
}
double r2(double x) {
    return roundHalfEven(x, 2);
}
double r3(double x) {
    return roundHalfEven(x, 3);
}

// The five figures that follow np, and the allowed range after the user's factors.
void setStrings(AssemblyFigures& f, const BatteryModel& m, const AssemblyVariant& v, int np) {
    f.np = np;
    f.kol = f.ns * np;
    f.cf = m.c * np;
    f.izmin = m.izarMin * np;
    f.izmax = m.izarMax * np;
    f.irmax = m.irazrMax * np;
    f.imin = v.kzarMin * (v.minOnMinimum ? f.izmin : f.izmax);
    f.imax = v.kzarMax * (v.maxOnMinimum ? f.izmin : f.izmax);
}

// Strings needed so that per-string x strings reaches `need`; nullopt beyond kMaxStrings.
std::optional<int> stringsFor(double need, double perString) {
    try {
        const int n = ceilQuotient(need, perString);
        if (n > kMaxStrings)
            return std::nullopt;
        return std::max(n, 0);
    } catch (const std::out_of_range&) {
        return std::nullopt;
    }
}

AssemblyResult refused(AssemblyResult r, const QString& why) {
    r.outcome = AssemblyOutcome::Refused;
    r.error = why;
    return r;
}

} // namespace

int wholeVolts(double u) {
    if (!std::isfinite(u) || std::fabs(u) > 1e6)
        return 0;
    return int(roundHalfEven(u, 0));
}

bool fitsSystemVoltage(const BatteryModel& m, double uses) {
    const int u = wholeVolts(m.u);
    const int system = wholeVolts(uses);
    return u > 0 && system > 0 && m.c > 0 && system % u == 0;
}

std::vector<BatteryModel> offeredModels(std::vector<BatteryModel> models, double uses) {
    std::erase_if(models, [uses](const BatteryModel& m) { return !fitsSystemVoltage(m, uses); });
    std::stable_sort(models.begin(), models.end(),
                     [](const BatteryModel& a, const BatteryModel& b) { return a.c < b.c; });
    return models;
}

QString recommendedTypesText(const QStringList& types) {
    QStringList distinct;
    for (const QString& t : types)
        if (!t.isEmpty() && !distinct.contains(t))
            distinct << t;
    return distinct.join(QStringLiteral(", "));
}

AssemblyResult assemble(const BatteryModel& m, const AssemblyVariant& v,
                        std::optional<double> charge, bool matchCharge) {
    AssemblyResult r;
    AssemblyFigures& f = r.figures;
    f.charge = charge;
    if (!v.cras)
        return refused(r, QStringLiteral("Расчетная емкость АБ не определена: задайте нагрузки "
                                         "варианта и параметры АБ, чтобы она была рассчитана."));
    if (!fitsSystemVoltage(m, v.uses))
        return refused(r, QStringLiteral("Аккумулятор \"%1\" (%2 В, %3 А*ч) не может составить "
                                         "АБ на напряжение системы %4 В.")
                              .arg(m.name, num(m.u), num(m.c), num(v.uses)));
    f.ns = wholeVolts(v.uses) / wholeVolts(m.u);

    // The capacity requirement; none (0) leaves the sizing to the currents.
    const auto first = stringsFor(std::max(*v.cras, 0.0), m.c);
    if (!first)
        return refused(r, QStringLiteral("Для расчетной емкости АБ %1 А*ч потребовалось бы более "
                                         "%2 параллельных сборок аккумуляторов \"%3\".")
                              .arg(num(*v.cras), num(kMaxStrings), m.name));
    setStrings(f, m, v, *first);

    // The direct-current loads draw their currents for Krazr hours: the capacity must hold them.
    for (const auto& [current, hours] :
         {std::pair{v.inom, v.krazrNom}, std::pair{v.imax, v.krazrMax},
          std::pair{v.ipik, v.krazrPik}}) {
        if (!current)
            continue;
        const double need = hours * *current;
        if (notAbove(need, f.cf))
            continue;
        const auto n = stringsFor(need, m.c);
        if (!n)
            return refused(r, QStringLiteral("Для тока разряда %1 А потребовалось бы более %2 "
                                             "параллельных сборок аккумуляторов \"%3\".")
                                  .arg(num(*current), num(kMaxStrings), m.name));
        setStrings(f, m, v, std::max(f.np, *n));
    }

    if (!matchCharge) {
        r.outcome = AssemblyOutcome::Shown;
        return r;
    }
    if (!charge)
        return refused(r, QStringLiteral("Общий ток заряда АБ не определен: выберите "
                                         "контроллеры заряда массивов солнечных панелей."));
    const double i = *charge;
    const auto failed = [&r](const QString& why, bool never) {
        r.outcome = AssemblyOutcome::Failed;
        r.error = why;
        r.neverMatches = never;
        return r;
    };
    if (!atLeast(i, f.imin))
        return failed({}, false);
    if (!notAbove(i, f.imax)) {
        // Each string raises Imax by the factor times one battery's passport current.
        const double perString = v.kzarMax * (v.maxOnMinimum ? m.izarMin : m.izarMax);
        if (!(perString > 0))
            return failed(
                v.kzarMax > 0
                    ? QStringLiteral("паспортный ток заряда аккумулятора, на который умножается "
                                     "Кмакс., равен 0")
                    : QStringLiteral("коэффициент Кмакс. равен 0"),
                true);
        auto n = stringsFor(i, perString);
        if (!n)
            return failed(QStringLiteral("потребовалось бы более %1 параллельных сборок")
                              .arg(num(kMaxStrings)),
                          true);
        setStrings(f, m, v, std::max(f.np, *n));
        // The quotient was taken at 6 decimals; the products that decide may differ in the last
        // digit, so the neighbour settles it.
        for (int k = 0; k < 2 && !notAbove(i, f.imax) && f.np < kMaxStrings; ++k)
            setStrings(f, m, v, f.np + 1);
        if (!atLeast(i, f.imin))
            return failed({}, false);
    }
    r.outcome = AssemblyOutcome::Shown;
    return r;
}

std::optional<QString> storeRefusal(const AssemblyResult& r, const AssemblyVariant& v) {
    if (!v.cras)
        return QStringLiteral("Расчетная емкость АБ не определена.");
    if (!r.shown())
        return r.error.isEmpty() ? QStringLiteral("АБ не подобрана.") : r.error;
    if (r.figures.ns < 1 || r.figures.np < 1)
        return QStringLiteral("АБ не содержит ни одного аккумулятора: задайте расчетную емкость "
                              "АБ или установите флажок подбора АБ с учетом тока заряда при "
                              "ненулевом токе заряда.");
    return std::nullopt;
}

bool assemblyStorable(const AssemblyResult& r, const AssemblyVariant& v) {
    return !storeRefusal(r, v);
}

double mpptChargeCurrent(const std::vector<double>& arrayCurrents) {
    return totalChargeCurrent(arrayCurrents);
}

QStringList justificationLines(const JustificationInput& in) {
    const AssemblyFigures& f = in.figures;
    const AssemblyVariant& v = in.variant;
    const QString charge = num(f.charge);
    QStringList l;
    l << QStringLiteral("Для обеспечения ёмкости АБ не менее ") + num(in.cras) +
             QStringLiteral(" А*ч ") + QStringLiteral("при напряжении ") + num(in.uses) +
             QStringLiteral(" В требуется ") + num(double(f.kol)) +
             QStringLiteral(" аккумулятора (-, -ов) типа ") + in.model +
             QStringLiteral(", размещенных в следующей конфигурации (см. схему подключения АБ): ");
    l << QStringLiteral("- количество параллельных сборок - ") + num(double(f.np)) +
             QStringLiteral(" шт.;");
    l << QStringLiteral("- количество последовательных аккумуляторов в сборке - ") +
             num(double(f.ns)) + QStringLiteral(" шт.");
    l << QString();
    l << QStringLiteral("При этом ёмкость АБ составит ") + num(f.cf) + QStringLiteral(" А*ч.");
    l << QStringLiteral("Диапазон допустимых токов заряда АБ согласно паспортных данных - ") +
             num(f.izmin) + QStringLiteral(" - ") + num(f.izmax) + QStringLiteral(" A:");
    l << QStringLiteral("- Iп.мин. = ") + num(f.izmin) + QStringLiteral(" A;");
    l << QStringLiteral("- Iп.макс. = ") + num(f.izmax) + QStringLiteral(" A.");
    l << QStringLiteral("Диапазон допустимых токов заряда АБ с учетом пользовательских настроек "
                        "программы - ") +
             num(f.imin) + QStringLiteral(" - ") + num(f.imax) + QStringLiteral(" A:");
    l << (v.minOnMinimum ? QStringLiteral("- Iмин. = Кмин.*Iп.мин. = ") + num(v.kzarMin) +
                               QStringLiteral("*") + num(f.izmin)
                         : QStringLiteral("- Iмин. = Кмин.*Iп.макс. = ") + num(v.kzarMin) +
                               QStringLiteral("*") + num(f.izmax)) +
             QStringLiteral(" = ") + num(f.imin) + QStringLiteral(" A;");
    l << (v.maxOnMinimum ? QStringLiteral("- Iмакс. = Кмакс.*Iп.мин. = ") + num(v.kzarMax) +
                               QStringLiteral("*") + num(f.izmin)
                         : QStringLiteral("- Iмакс. = Кмакс.*Iп.макс. = ") + num(v.kzarMax) +
                               QStringLiteral("*") + num(f.izmax)) +
             QStringLiteral(" = ") + num(f.imax) + QStringLiteral(" A.");
    l << QStringLiteral("Параметры пользовательской настройки диапазона допустимых токов заряда "
                        "АБ задаются в диалоге \"Параметры варианта расчета\" (вкладка \"АБ\", "
                        "панель \"Соотношение между током заряда АБ (от контроллера) и "
                        "допустимыми токами её заряда\").");
    l << QString();
    const QString range = num(f.imin) + QStringLiteral(" - ") + num(f.imax) + QStringLiteral(" A.");
    l << (v.mppt ? QStringLiteral("Общий ток заряда АБ, обеспечиваемый выбранными солнечной "
                                  "батареей и МРРТ-контроллером, составляет ") +
                       charge +
                       QStringLiteral(" A и выходит за пределы диапазона допустимых токов заряда "
                                      "АБ - ") +
                       range
                 : QStringLiteral("Общий ток выбранной солнечной батареи составляет ") + charge +
                       QStringLiteral(" A и выходит за пределы диапазона ") +
                       QStringLiteral("допустимых токов заряда АБ - ") + range);
    if (in.neverMatches) {
        // Above the range, and adding strings cannot widen it: say that, not "below".
        l << (v.mppt ? QStringLiteral("При этом ток заряда АБ (") + charge
                     : QStringLiteral("При этом общий ток солнечной батареи (") + charge) +
                 QStringLiteral(" A) больше максимально допустимого тока заряда АБ (") +
                 num(f.imax) +
                 QStringLiteral(" А), а увеличение количества параллельных сборок не "
                                "позволяет его согласовать.");
    } else {
        l << (v.mppt ? QStringLiteral("При этом ток заряда АБ (") + charge +
                           QStringLiteral(" A) меньше минимально допустимого тока заряда ")
                     : QStringLiteral("При этом общий ток солнечной батареи (") + charge +
                           QStringLiteral(" A) меньше минимально допустимого тока заряда ")) +
                 QStringLiteral("АБ (") + num(f.imin) + QStringLiteral(" А).");
    }
    l << QStringLiteral("Следовательно, нельзя подобрать конфигурацию АБ из аккумуляторов типа ") +
             in.model + QStringLiteral(", для которой диапазон допустимых токов заряда ") +
             (v.mppt ? QStringLiteral("согласовывался с током заряда, обеспечиваемым выбранными "
                                      "солнечной ") +
                           QStringLiteral("батареей и МРРТ-контроллером.")
                     : QStringLiteral("согласовывался с общим током выбранной солнечной батареи."));
    l << QString();
    l << QStringLiteral("В связи с этим рекомендуется:");
    l << QStringLiteral("- в диалоге \"Выбор АБ\" попробовать выбрать другой тип аккумуляторов для "
                        "формирования АБ (попытка будет не всегда успешна);");
    l << QStringLiteral("- в том же диалоге выбрать АБ на основе данного аккумулятора, сбросив "
                        "флажок индикатора \"Подбор АБ с учетом тока заряда на выходе "
                        "контроллера\"; затем в соответствующих диалогах выбрать другие солнечную "
                        "батарею и контроллер солнечной электростанции.");
    return l;
}

std::vector<std::pair<QString, QString>> justificationFigures(const JustificationInput& in,
                                                              const BatteryModel& m) {
    const AssemblyFigures& f = in.figures;
    return {
        {QStringLiteral("Расчетная емкость АБ, А*ч:"), num(in.cras)},
        {QStringLiteral("Напряжение системы, В:"), num(in.uses)},
        {QStringLiteral("Наименование аккумулятора:"), m.name},
        {QStringLiteral("Емкость отдельного аккумулятора, А*ч:"), num(m.c)},
        {QStringLiteral("Минимальный ток заряда отдельного аккумулятора, А:"), num(m.izarMin)},
        {QStringLiteral("Максимальный ток заряда отдельного аккумулятора, А:"), num(m.izarMax)},
        {QStringLiteral("Количество последовательно соединенных аккумуляторов в сборке АКБ, шт.:"),
         num(double(f.ns))},
        {QStringLiteral("Количество параллельных сборок аккумуляторов в АБ, шт.:"),
         num(double(f.np))},
        {QStringLiteral("Общее количество аккумуляторов в АБ, шт.:"), num(double(f.kol))},
        {QStringLiteral("Общая емкость АБ, А*ч:"), num(f.cf)},
        {QStringLiteral("Минимальный ток заряда АБ (по паспорту), А:"), num(f.izmin)},
        {QStringLiteral("Максимальный ток заряда АБ (по паспорту), А:"), num(f.izmax)},
        {QStringLiteral("Минимальный ток заряда АБ (с учетом настроек), А:"), num(f.imin)},
        {QStringLiteral("Максимальный ток заряда АБ (с учетом настроек), А:"), num(f.imax)},
        // A current, in amperes (the caption once said watts).
        {QStringLiteral("Общий ток заряда АБ (на выходе контроллера), А:"), num(f.charge)},
    };
}

std::vector<int> dischargeMonths(const std::vector<CapacitySchedule>& schedules) {
    std::vector<int> months;
    for (const CapacitySchedule& s : schedules)
        for (const ScheduleMonthEnergy& row : s.months)
            if (const int m = monthIndex(row.month);
                m > 0 && std::find(months.begin(), months.end(), m) == months.end())
                months.push_back(m);
    std::sort(months.begin(), months.end());
    return months;
}

DischargeTable dischargeTable(const DischargeInputs& in) {
    DischargeTable t;
    const StorageSettings& s = in.source.settings;
    const QString tail = QStringLiteral(": разряд АБ не рассчитан.");
    if (in.month < 1 || in.month > 12) {
        t.error = QStringLiteral("Не выбран месяц года") + tail;
        return t;
    }
    const QString& month = monthNames()[in.month - 1];
    const auto day = std::find_if(in.source.daylight.begin(), in.source.daylight.end(),
                                  [&](const DaylightRow& r) { return r.month == month; });
    if (day == in.source.daylight.end()) {
        t.error =
            QStringLiteral("Нет периода светлого времени суток для месяца \"%1\"").arg(month) +
            tail;
        return t;
    }
    if (!day->batteryTemp) {
        t.error =
            QStringLiteral("Не задана температура эксплуатации АБ для месяца \"%1\"").arg(month) +
            tail;
        return t;
    }
    if (!(s.uses > 0)) {
        t.error = QStringLiteral("Напряжение системы должно быть больше 0") + tail;
        return t;
    }
    if (!(s.batteryLosses < 100)) {
        t.error = QStringLiteral("Потери на заряд-разряд АБ должны быть меньше 100 %") + tail;
        return t;
    }
    if (!(in.cf > 0)) {
        t.error = QStringLiteral("Емкость АБ должна быть больше 0") + tail;
        return t;
    }

    const std::vector<Period> windows = darkWindows(
        day->sunset, s.dailyCycle ? day->sunrise + 24 - day->sunset : s.hoursWithoutSun);
    QStringList periods;
    for (const auto& [a, b] : windows)
        periods << num(a) + QStringLiteral(" - ") + num(b);

    std::vector<Interval> profile;
    for (const bool ac : {true, false}) {
        for (const CapacitySchedule& sc : in.source.schedules) {
            if (sc.ac != ac || !monthInRange(month, sc.from, sc.to))
                continue;
            if (ac && !(sc.kinv > 0)) {
                t.error = QStringLiteral("КПД инвертора нагрузки \"%1\" должен быть больше 0")
                              .arg(sc.load) +
                          tail;
                return t;
            }
            profile = mergeIntoProfile(profile, sc.intervals, ac ? sc.kinv : 1.0);
            t.loads.push_back({sc.load, sc.name});
        }
    }
    const double kt = batteryTempCoef(in.coefficients, *day->batteryTemp);
    if (!(kt > 0)) {
        t.error = QStringLiteral("Температурный коэффициент эксплуатации АБ для температуры %1 "
                                 "°C равен 0")
                      .arg(num(*day->batteryTemp)) +
                  tail;
        t.loads.clear();
        return t;
    }
    t.periods = periods.join(QStringLiteral("; "));
    t.kt = kt;

    const std::vector<Interval> clipped = clipToWindows(profile, windows);
    // A segment starting at 0 lies after midnight: it is written as starting at 24, and its
    // length counts from there.
    const auto afterMidnight = [](const Interval& seg) { return r3(seg.t1) == 0; };
    const double c0 = in.cf / kt;
    double c = c0, tp = 0;
    QString start;
    if (!clipped.empty())
        start = afterMidnight(clipped.front()) ? QStringLiteral("24") : num(clipped.front().t1);
    else if (!windows.empty())
        start = num(windows.front().first);
    t.rows.push_back({QStringLiteral("0"), start, num(r0(c0)), QStringLiteral("0")});
    t.points.push_back({0, c0});
    for (const Interval& seg : clipped) {
        const double dt = afterMidnight(seg) ? r3(seg.t2) : r3(seg.t2 - seg.t1);
        const double pb = r3(seg.p / (1 - s.batteryLosses / 100));
        tp = r3(tp + dt);
        c = r3(c - pb / s.uses * dt);
        t.rows.push_back({num(tp), num(seg.t2), num(r0(c)), num(r2(100 - c / c0 * 100))});
        t.points.push_back({tp, c});
    }
    return t;
}

const QStringList& dischargeTitles() {
    static const QStringList titles = {QStringLiteral(" tр, час."), QStringLiteral(" T, час."),
                                       QStringLiteral(" C, А*ч"), QStringLiteral("  dC, %")};
    return titles;
}

const QStringList& dischargeNoteLines() {
    static const QStringList lines = {
        QStringLiteral("tp, час. - длительность разряда АБ, час."),
        QStringLiteral("Т, час. - текущее время суток, час."),
        QStringLiteral("С, А*ч - текущая емкость АБ (с учетом температурного коэффициента), А*ч."),
        QStringLiteral("dС, % - текущая глубина разряда АБ, %.")};
    return lines;
}

} // namespace ses
