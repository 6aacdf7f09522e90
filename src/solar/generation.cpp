#include "solar/generation.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

const QString kWhole = QStringLiteral("0");
const QString kTwo = QStringLiteral("0.##");
const QString kThree = QStringLiteral("0.###");

} // namespace

// ---------------------------------------------------------------- consumption

Consumption monthlyConsumption(const std::vector<LoadSchedule>& schedules,
                               const SizingSettings& s) {
    Consumption c;
    if (s.batteryLosses >= 100 || s.controllerLosses >= 100) {
        c.error = QStringLiteral("Потери в АБ или в контроллере составляют 100 % или более: "
                                 "потребление не рассчитано.");
        return c;
    }
    const double battery = 1 - s.batteryLosses / 100, controller = 1 - s.controllerLosses / 100;
    for (const LoadSchedule& sch : schedules) {
        const double eta = sch.dc ? 1 : sch.kinv;
        if (!(eta > 0)) {
            c.error = QStringLiteral("КПД инвертора нагрузки \"%1\" равен 0: потребление не "
                                     "рассчитано.")
                          .arg(sch.load);
            return c;
        }
        for (int m = 1; m <= 12; ++m) {
            const QString& name = monthNames()[m - 1];
            if (!monthInRange(name, sch.first, sch.last))
                continue;
            const auto row = std::find_if(sch.months.begin(), sch.months.end(),
                                          [&](const StoredMonth& r) { return r.month == name; });
            if (row == sch.months.end()) {
                c.missingRows << QStringLiteral("%1: %2").arg(sch.name, name);
                continue;
            }
            const double day = sch.wpSut - row->wsutDark;
            const double t1 =
                roundPattern((day + row->wsutDark / battery) / controller / eta, kWhole);
            const double t2 =
                roundPattern((day + row->wmaxDark / battery) / controller / eta, kWhole);
            c.c1[m - 1] = roundPattern(c.c1[m - 1] + t1, kWhole);
            c.c2[m - 1] = roundPattern(c.c2[m - 1] + t2, kWhole);
        }
    }
    return c;
}

QString missingRowsNote(const QStringList& missingRows) {
    if (missingRows.isEmpty())
        return {};
    return QStringLiteral("Не учтены месяцы суточных графиков без данных за месяц: %1.")
        .arg(missingRows.join(QStringLiteral("; ")));
}

// ---------------------------------------------------------------- generation table

double exactDeviationAngle(double orientation, double tilt, double monthTilt) {
    const double a = tilt - monthTilt, b = 180 - orientation;
    return std::sqrt(a * a + b * b);
}

const QStringList& generationRowNames() {
    static const QStringList names = {
        QStringLiteral("Wсут., кВтч"),   QStringLiteral("Wсут.п, кВтч"),
        QStringLiteral("dWсут., кВтч"),  QStringLiteral("Wцикл., кВтч"),
        QStringLiteral("Wцикл.п, кВтч"), QStringLiteral("dWцикл., кВтч"),
        QStringLiteral("Wмес., кВтч"),   QStringLiteral("Wмес.п, кВтч"),
        QStringLiteral("dWмес., кВтч"),  QStringLiteral("Кпроизв.")};
    return names;
}

const QStringList& generationNoteLines() {
    static const QStringList lines = {
        QStringLiteral("Wсут., кВтч - суточная выработка солнечной батареи, кВт*ч."),
        QStringLiteral("Wсут.п, кВтч - суточное потребление от солнечной батареи, кВт*ч."),
        QStringLiteral("dWсут., кВтч - суточный избыток (недостаток) выработки, кВт*ч."),
        QStringLiteral("Wцикл., кВтч - выработка солнечной батареи за цикл, кВт*ч."),
        QStringLiteral("Wцикл.п, кВтч - потребление от солнечной батареи за цикл, кВт*ч."),
        QStringLiteral("dWцикл., кВтч - избыток (недостаток) выработки за цикл, кВт*ч."),
        QStringLiteral("Wмес., кВтч - месячная выработка солнечной батареи, кВт*ч."),
        QStringLiteral("Wмес.п, кВтч - месячное потребление от солнечной батареи, кВт*ч."),
        QStringLiteral("dWмес., кВтч - месячный избыток (недостаток) выработки, кВт*ч."),
        QStringLiteral("Кпроизв. - коэффициент производительности солнечной батареи, о.е.")};
    return lines;
}

QString generationCycleNote() {
    return QStringLiteral(
        "Цикл состоит из дневного промежутка времени, в течение которого СБ питает "
        "электроприемники и заряжает АБ, и промежутка времени, равного количеству "
        "последовательных часов \"без солнца\", в течение которого электроприемники питаются "
        "от АБ.");
}

std::vector<QStringList> GenerationTable::grid() const {
    std::vector<QStringList> g(genRowCount + 1);
    g[0] << QStringLiteral("Параметр");
    for (int r = 0; r < genRowCount; ++r)
        g[r + 1] << generationRowNames()[r];
    for (const GenerationColumn& c : columns) {
        g[0] << c.month;
        for (int r = 0; r < genRowCount; ++r)
            g[r + 1] << c.texts[r];
    }
    return g;
}

GenerationTable generationTable(const GenerationInputs& in) {
    GenerationTable t;
    if (in.months.empty()) {
        t.refusal =
            in.region.isEmpty()
                ? QStringLiteral("Для варианта не задан регион: расчетная выработка не "
                                 "определена.")
                : QStringLiteral("Регион \"%1\" отсутствует в справочнике регионов: расчетная "
                                 "выработка не определена.")
                      .arg(in.region);
        return t;
    }
    if (!in.totalPower || !(*in.totalPower > 0)) {
        t.refusal = QStringLiteral("Солнечная батарея варианта не сформирована: сформируйте "
                                   "солнечную батарею, затем определите расчетную выработку.");
        return t;
    }
    const Consumption c = monthlyConsumption(in.schedules, in.settings);
    if (c.error) {
        t.refusal = c.error;
        return t;
    }
    t.missingNote = missingRowsNote(c.missingRows);

    // A loaded month the region lacks would silently lose its column.
    QStringList lacking;
    for (int m = 1; m <= 12; ++m) {
        if (c.c1[m - 1] == 0 || c.c2[m - 1] == 0)
            continue;
        const QString& name = monthNames()[m - 1];
        if (std::none_of(in.months.begin(), in.months.end(),
                         [&](const RegionMonthRow& r) { return r.month == name; }))
            lacking << name;
    }
    if (!lacking.isEmpty()) {
        t.refusal = QStringLiteral("В справочнике регионов для региона \"%1\" нет данных за "
                                   "месяц: %2. Расчетная выработка не определена.")
                        .arg(in.region, lacking.join(QStringLiteral(", ")));
        return t;
    }

    for (const RegionMonthRow& r : in.months) {
        const int m = monthIndex(r.month);
        if (m == 0 || c.c1[m - 1] == 0 || c.c2[m - 1] == 0)
            continue;
        const DailyGeneration daily = dailyGeneration(in, r);
        if (daily.refusal) {
            t.columns.clear();
            t.refusal = daily.refusal;
            return t;
        }
        GenerationColumn col;
        col.month = r.month;
        col.days = daysInMonth(m);
        col.ksp = daily.ksp;
        col.kt = daily.kt;
        const double ksb = daily.ksb;
        const double g = daily.g;
        const double c1 = c.c1[m - 1] / 1000, c2 = c.c2[m - 1] / 1000;
        const double dDay = roundPattern(g - c1, kThree);
        const double d = col.days;
        col.values = {g,     c1,     dDay,     g,  c2, roundPattern(g - c2, kThree),
                      g * d, c1 * d, dDay * d, ksb};
        for (int i = 0; i < genRowCount; ++i)
            col.texts[i] = numberToText(col.values[i]);
        t.columns.push_back(col);
    }
    return t;
}

DailyGeneration dailyGeneration(const GenerationInputs& in, const RegionMonthRow& r) {
    DailyGeneration d;
    const double total = in.totalPower.value_or(0);
    std::vector<ArrayShare> shares;
    for (const GenerationArray& a : in.arrays) {
        const double angle = exactDeviationAngle(a.orientation, a.tilt, r.tilt);
        const auto k = performanceCoefficient(in.loss, angle);
        if (!k) {
            d.refusal = coefficientRefusal(roundHalfEven(angle, 1));
            return d;
        }
        shares.push_back({a.power, *k});
    }
    d.ksp = isSummerMonth(r.month) ? in.settings.kspSummer : in.settings.kspWinter;
    d.kt = in.settings.panelTemperature ? 1 + in.settings.kdifP * (r.tsred - 25) / 100 : 1;
    d.ksb = batteryCoefficient(shares, total).value_or(0);
    d.g = roundPattern(total * r.radiation * d.ksb / 1000 * d.ksp * d.kt, kThree);
    return d;
}

// ---------------------------------------------------------------- analysis

std::optional<unsigned> roleRgb(CellRole role) {
    switch (role) {
    case CellRole::Preliminary:
        return 0x00FFFFu;
    case CellRole::Exceeding:
        return 0xFFFF00u;
    case CellRole::Accepted:
        return 0x00FF00u;
    case CellRole::None:
    case CellRole::Heading:
        break;
    }
    return std::nullopt;
}

RegionYear regionYearOf(const std::vector<RegionMonthRow>& months) {
    RegionYear y;
    for (const RegionMonthRow& r : months)
        if (const int m = monthIndex(r.month))
            y[m - 1] = RegionMonthData{r.radiation, r.tsred, r.tilt};
    return y;
}

QString SolarAnalysis::monthText() const {
    return month >= 1 && month <= 12 ? monthNames()[month - 1] : QString();
}
QString SolarAnalysis::preliminaryPowerText() const {
    return formatPattern(pp, kWhole);
}
QString SolarAnalysis::preliminaryTiltText() const {
    return formatPattern(bp, kWhole);
}
QString SolarAnalysis::powerText() const {
    return formatPattern(power, kTwo);
}
QString SolarAnalysis::tiltText() const {
    return formatPattern(tilt, kTwo);
}

namespace {

QString analysisNote(const SolarAnalysis& a, bool colours) {
    if (a.month == 0)
        return {};
    const QString m = a.monthText(), bp = formatPattern(a.bp, kTwo), pp = formatPattern(a.pp, kTwo);
    QString text =
        QStringLiteral("В ходе предварительного выбора определен месяц (%1) и "
                       "соответствующий ему оптимальный угол наклона панелей (%2 "
                       "град.%3), для которых требуемая расчетная мощность СБ имеет "
                       "наибольшее значение (%4 Вт%3). ")
            .arg(m, bp, colours ? QStringLiteral(", бирюзовый цвет ячейки") : QString(), pp);
    if (!a.searched)
        return text + QStringLiteral("Значение расчетной мощности СБ для месяца \"%1\" (%2 Вт) "
                                     "с учетом падения производительности СЭ не превышено ни для "
                                     "одного из других месяцев года. Окончательно принимаются "
                                     "значение расчетной мощности солнечной батареи %2 Вт и "
                                     "значение угла наклона солнечных панелей %3 град. как для "
                                     "месяца \"%1\".")
                          .arg(m, pp, bp);
    return text +
           QStringLiteral("Значение расчетной мощности СБ для месяца \"%1\" (%2 Вт) с учетом "
                          "падения производительности СЭ превышено для одного или нескольких "
                          "других месяцев года%3. В связи с этим подбирается оптимальный угол "
                          "наклона солнечных панелей, при котором обеспечивается минимальная "
                          "расчетная мощность СБ, удовлетворяющая всем месяцам. Найденный "
                          "оптимальный угол наклона равен %4 град. При этом расчетная мощность "
                          "СБ составляет %5 Вт%6.")
               .arg(m, pp, colours ? QStringLiteral(" (желтый цвет ячейки)") : QString(),
                    a.tiltText(), a.powerText(),
                    colours ? QStringLiteral(" (зеленый цвет ячейки)") : QString());
}

} // namespace

QString SolarAnalysis::note() const {
    return analysisNote(*this, true);
}
QString SolarAnalysis::exportNote() const {
    return analysisNote(*this, false);
}

SolarAnalysis solarAnalysis(const std::vector<LoadSchedule>& schedules, const RegionYear& region,
                            const SizingSettings& s, const std::vector<LossRow>& loss) {
    SolarAnalysis a;
    // Each schedule's requirement, and the totals summed as the chain sums them.
    std::vector<std::array<double, 12>> cells;
    std::array<double, 12> totals{};
    for (const LoadSchedule& sch : schedules) {
        const MonthlyRequirement one = monthlyRequirement(
            {StoredSchedule{sch.wpSut, sch.dc ? 1 : sch.kinv, sch.months}}, region, s);
        for (const QString& p : one.problems)
            if (!a.problems.contains(p))
                a.problems << p;
        cells.push_back(one.watts);
        for (int m = 0; m < 12; ++m)
            totals[m] = roundPattern(totals[m] + one.watts[m], kTwo);
    }
    const TiltResult tr = requiredPowerAndTilt(totals, region, loss);
    if (tr.error) {
        a.refusal = tr.error;
        return a;
    }
    for (int m = 0; m < 12; ++m)
        if (std::any_of(cells.begin(), cells.end(), [&](const auto& c) { return c[m] != 0; }))
            a.shownMonths.push_back(m + 1);

    a.month = tr.governingMonth;
    a.pp = tr.pmax;
    a.bp = a.month && region[a.month - 1] ? region[a.month - 1]->tilt : 0;
    a.power = tr.power;
    a.tilt = tr.tilt;
    a.searched = tr.searched;
    a.byTilt = tr.byTilt;

    // The requirement table.
    RoleTable& q = a.requirement;
    q.header << QStringLiteral(" Нагрузка") << QStringLiteral(" Суточный график");
    for (int m : a.shownMonths)
        q.header << monthNames()[m - 1];
    for (size_t i = 0; i < schedules.size(); ++i) {
        const LoadSchedule& sch = schedules[i];
        const bool first = i == 0 || schedules[i - 1].dc != sch.dc ||
                           (!sch.dc && schedules[i - 1].loadKey != sch.loadKey);
        QStringList row;
        row << (first ? (sch.dc ? QStringLiteral("Нагрузка АБ") : sch.load)
                      : QStringLiteral("- // -"))
            << sch.name;
        for (int m : a.shownMonths)
            row << (cells[i][m - 1] == 0 ? QString() : formatPattern(cells[i][m - 1], kTwo));
        q.rows.push_back(row);
        q.roles.emplace_back(row.size(), CellRole::None);
    }
    {
        QStringList row{QStringLiteral("Итого"), QString()};
        std::vector<CellRole> roles(2, CellRole::None);
        for (int m : a.shownMonths) {
            row << formatPattern(totals[m - 1], kTwo);
            roles.push_back(m == a.month ? CellRole::Preliminary : CellRole::None);
        }
        q.rows.push_back(row);
        q.roles.push_back(roles);
    }
    if (a.month == 0)
        return a;

    // The summary: each month at the preliminary tilt, then at the searched one.
    RoleTable& sm = a.summary;
    sm.header << QStringLiteral("Наименование параметра") << QStringLiteral("Ед. изм.");
    for (int m : a.shownMonths)
        sm.header << monthNames()[m - 1];
    QStringList tiltRow{QStringLiteral("B - оптимальный угол наклона панелей СБ для месяца"),
                        QStringLiteral("град.")};
    std::vector<CellRole> tiltRoles(2, CellRole::None);
    for (int m : a.shownMonths) {
        tiltRow << (region[m - 1] ? formatPattern(region[m - 1]->tilt, kTwo) : QString());
        tiltRoles.push_back(m == a.month ? CellRole::Preliminary : CellRole::None);
    }
    sm.rows.push_back(tiltRow);
    sm.roles.push_back(tiltRoles);

    // Coefficient and power rows at a tilt; false when a coefficient is 0 or less.
    const auto rowsAt = [&](double t, bool preliminary) {
        const QString at = QStringLiteral(" (при В = %1 град.)").arg(formatPattern(t, kTwo));
        QStringList kRow{QStringLiteral("Коэффициент производительности для месяца") + at,
                         QStringLiteral("о.е.")};
        QStringList pRow{
            QStringLiteral("Требуемая мощность СБ с учетом коэффициента производительности") + at,
            QStringLiteral("Вт")};
        std::vector<CellRole> kRoles(2, CellRole::None), pRoles(2, CellRole::None);
        bool marked = false;
        for (int m : a.shownMonths) {
            CellRole role = CellRole::None;
            if (!region[m - 1]) {
                kRow << QString();
                pRow << QString();
                kRoles.push_back(role);
                pRoles.push_back(role);
                continue;
            }
            const double angle = std::fabs(t - region[m - 1]->tilt);
            const auto k = performanceCoefficient(loss, angle);
            if (!k) {
                a.refusal = coefficientRefusal(angle);
                return false;
            }
            // Rounded as the chain rounds, so that the table decides as the chain did.
            const double p = roundHalfEven(totals[m - 1] / *k, 0);
            kRow << formatPattern(*k, kThree);
            pRow << formatPattern(p, kWhole);
            if (preliminary && m == a.month)
                role = CellRole::Preliminary;
            else if (preliminary && a.searched && !marked && p > a.pp)
                role = CellRole::Exceeding, marked = true;
            else if (!preliminary && !marked && p == a.power)
                role = CellRole::Accepted, marked = true;
            kRoles.push_back(CellRole::None);
            pRoles.push_back(role);
        }
        sm.rows.push_back(kRow);
        sm.rows.push_back(pRow);
        sm.roles.push_back(kRoles);
        sm.roles.push_back(pRoles);
        return true;
    };
    if (!rowsAt(a.bp, true) || (a.searched && !rowsAt(a.tilt, false))) {
        a.summary = {};
        return a;
    }
    return a;
}

} // namespace ses
