#include "storage/capacity_analysis.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <algorithm>
#include <array>

namespace ses {

namespace {

QString text2(double x) {
    return formatPattern(x, QStringLiteral("0.##"));
}

const QString kSame = QStringLiteral("- // -");

const DaylightRow* daylightOf(const std::vector<DaylightRow>& rows, const QString& month) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const DaylightRow& r) { return r.month == month; });
    return it == rows.end() ? nullptr : &*it;
}

bool hasMonthRow(const CapacitySchedule& s, int m) {
    return std::any_of(s.months.begin(), s.months.end(),
                       [m](const ScheduleMonthEnergy& r) { return monthIndex(r.month) == m; });
}

struct MonthPowers {
    double pnom = 0, pmax = 0, ppeak = 0;
};

// Mode 0: the largest stored powers of the schedules with a row for the month, an AC one
// through its inverter and written with "0.##".
MonthPowers parameterPowers(const CapacityInputs& in, int m) {
    MonthPowers p;
    for (const CapacitySchedule& s : in.schedules) {
        if (!hasMonthRow(s, m))
            continue;
        const auto through = [&s](double x) {
            return s.ac ? roundPattern(x / s.kinv, QStringLiteral("0.##")) : x;
        };
        p.pnom = std::max(p.pnom, through(s.pnom));
        p.pmax = std::max(p.pmax, through(s.pmax));
        p.ppeak = std::max(p.ppeak, through(s.wpPik));
    }
    return p;
}

// Modes 1 and 2: the month's load profile in its dark windows, the accumulators of the
// switching times written with "0.###".
MonthPowers profileMonthPowers(const CapacityInputs& in, int m) {
    CapacityMonth cm;
    profilePowers(in, m, cm, 3);
    return {cm.pnom, cm.pmax, cm.ppeak};
}

AnalysisEnergyTable energyTable(const CapacityInputs& in) {
    AnalysisEnergyTable t;
    const bool kinvUsable =
        std::all_of(in.schedules.begin(), in.schedules.end(),
                    [](const CapacitySchedule& s) { return !s.ac || s.kinv > 0; });
    struct Row {
        QString load, name;
        std::array<QString, 12> cells;
    };
    std::vector<Row> rows;
    std::optional<int> previousLoad;
    bool firstDc = true;
    for (const bool ac : {true, false}) {
        for (const CapacitySchedule& s : in.schedules) {
            if (s.ac != ac)
                continue;
            Row row;
            if (ac) {
                row.load = previousLoad == s.loadKod ? kSame : s.load;
                previousLoad = s.loadKod;
            } else {
                row.load = firstDc ? QStringLiteral("Нагрузка АБ") : kSame;
                firstDc = false;
            }
            row.name = s.name;
            for (const ScheduleMonthEnergy& e : s.months) {
                const int m = monthIndex(e.month);
                if (m == 0)
                    continue;
                if (!ac)
                    row.cells[m - 1] = numberToText(e.wmaxDark);
                else if (s.kinv > 0)
                    row.cells[m - 1] = text2(e.wmaxDark / s.kinv);
            }
            rows.push_back(std::move(row));
        }
    }
    // A month column goes when no row has data for it; with profiles a 0 is no data either.
    const bool zeroIsEmpty = in.settings.loadMode != 0;
    for (int m = 1; m <= 12; ++m)
        if (std::any_of(rows.begin(), rows.end(), [&](const Row& r) {
                const QString& c = r.cells[m - 1];
                return !c.isEmpty() && !(zeroIsEmpty && c == QStringLiteral("0"));
            }))
            t.months.push_back(m);

    t.header << QStringLiteral(" Нагрузка") << QStringLiteral(" Суточный график");
    for (int m : t.months)
        t.header << monthNames()[m - 1];
    for (const Row& r : rows) {
        QStringList cells{r.load, r.name};
        for (int m : t.months)
            cells << r.cells[m - 1];
        t.rows.push_back(cells);
    }
    t.total << QStringLiteral(" Итого") << QString();
    // An inverter efficiency of 0 leaves E(m) unknown; the refusal says so.
    const std::optional<std::array<double, 12>> e =
        kinvUsable ? std::optional(darkEnergyByMonth(in.schedules)) : std::nullopt;
    for (size_t k = 0; k < t.months.size(); ++k) {
        if (!e) {
            t.total << QString();
            continue;
        }
        const double v = (*e)[t.months[k] - 1];
        t.total << text2(v);
        if (t.largest < 0 || v > (*e)[t.months[t.largest] - 1])
            t.largest = int(k);
    }
    return t;
}

} // namespace

BatteryAnalysis analyseBattery(const CapacityInputs& in) {
    BatteryAnalysis a;
    const StorageSettings& st = in.settings;
    a.error = capacityRefusal(in);
    a.energy = energyTable(in);
    a.capacityTable.rowNames = {
        QStringLiteral(" Наименование параметра"),
        QStringLiteral("Т - температура эксплуатации АБ, град. С"),
        QStringLiteral("Кт - температурный коэффициент эксплуатации АБ"),
        QStringLiteral("Спр. - предварительная расчетная емкость АБ, А*ч"),
        QStringLiteral("Iном. - наибольший номинальный ток нагрузки, А"),
        QStringLiteral("Сi.ном. - расчетная емкость АБ (для Iном.), А*ч"),
        QStringLiteral("Iмакс. - наибольший максимальный ток нагрузки, А"),
        QStringLiteral("Сi.макс. - расчетная емкость АБ (для Iмакс.), А*ч"),
        QStringLiteral("Iпик. - наибольший пиковый ток нагрузки, А"),
        QStringLiteral("Сi.пик. - расчетная емкость АБ (для Iпик.), А*ч"),
        QStringLiteral("С - окончательная расчетная емкость АБ, А*ч"),
    };
    // The figures below divide by the voltage, depth, losses and Kinv: a refusal leaves every
    // capacity cell empty rather than writing a quotient by 0.
    const std::optional<std::array<double, 12>> energy =
        a.error ? std::nullopt : std::optional(darkEnergyByMonth(in.schedules));
    std::optional<double> best;
    for (size_t k = 0; k < a.energy.months.size(); ++k) {
        const int m = a.energy.months[k];
        const QString& month = monthNames()[m - 1];
        QStringList column{month};
        const DaylightRow* d = daylightOf(in.daylight, month);
        if (!energy || !d) {
            for (int i = 0; i < 10; ++i)
                column << QString();
            a.capacityTable.columns.push_back(column);
            continue;
        }
        const double temperature = *d->batteryTemp;
        const double kt = batteryTempCoef(in.tempCoefficients, temperature);
        const double spr =
            monthCapacity(st.uses, 1, st.batteryLosses, kt, st.depthOfDischarge, (*energy)[m - 1])
                .value_or(0);
        const MonthPowers p = st.loadMode == 0 ? parameterPowers(in, m) : profileMonthPowers(in, m);
        column << numberToText(temperature) << numberToText(kt) << text2(spr);
        double c = spr;
        for (const auto& [power, k] :
             {std::pair{p.pnom, st.krazrNom}, std::pair{p.pmax, st.krazrMax},
              std::pair{p.ppeak, st.krazrPik}}) {
            const QString need = text2(k * power / st.uses);
            column << text2(power / st.uses) << need;
            c = std::max(c, *parseNumber(need));
        }
        column << text2(c);
        a.capacityTable.columns.push_back(column);
        if (!best || c > *best) {
            best = c;
            a.capacityTable.largest = int(k);
        }
    }
    if (best) {
        a.capacity = best;
        a.capacityText = text2(*best);
    }
    return a;
}

QString storedCapacityLine(const BatteryAnalysis& analysis, std::optional<double> stored) {
    if (!analysis.capacity || !stored ||
        sameValue(roundHalfEven(*analysis.capacity, 2), roundHalfEven(*stored, 2)))
        return {};
    return QStringLiteral("Емкость АБ, записанная в варианте расчета (по параметрам суточных "
                          "графиков), А*ч: ") +
           text2(*stored);
}

const QString& analysisEnergyHeading() {
    static const QString s = QStringLiteral(
        "Потребление электроэнергии в \"часы без солнца\" для нагрузок и суточных графиков по "
        "месяцам года, Вт*ч.");
    return s;
}

const QString& analysisEnergyNote() {
    static const QString s = QStringLiteral(
        "Таблица содержит значения энергии, потребляемой от АБ за максимальное количество "
        "\"часов без солнца\" и распределенной по нагрузкам, суточным графикам и месяцам года. "
        "Для нагрузок переменного напряжения учтены КПД инверторов.");
    return s;
}

const QString& analysisCapacityHeading() {
    static const QString s = QStringLiteral(
        "Расчетная емкость аккумуляторной батареи для нагрузок и суточных графиков по месяцам "
        "года, А*ч.");
    return s;
}

const QStringList& analysisCapacityNoteLines() {
    static const QStringList lines{
        QStringLiteral("В строке таблицы \"Спр.\" содержатся предварительные расчетные значения "
                       "емкости АБ для общей"),
        QStringLiteral("нагрузки каждого месяца года, вычисленные по стандартной формуле. При "
                       "этом учитываются"),
        QStringLiteral("температурные коэффициенты эксплуатации АБ - \"Кт\"."),
        QStringLiteral("В строках таблицы \"Iном.\", \"Iмакс.\" и \"Iпик.\" содержатся "
                       "наибольшие значения номинального,"),
        QStringLiteral("максимального и пикового токов общей нагрузки СЭ по месяцам года в "
                       "\"часы без солнца\". На"),
        QStringLiteral("их основе рассчитываются требуемые для них значения емкости АБ (строки "
                       "таблицы \"Сi.ном.\","),
        QStringLiteral("\"Сi.макс.\" и \"Сi.пик.\")."),
        QStringLiteral("Полученные значения сравниваются с предварительными значениями емкости "
                       "АБ \"Спр.\" и из них"),
        QStringLiteral("выбирается наибольшее значение для каждого месяца (строка \"С\" "
                       "таблицы)."),
        QStringLiteral("В качестве расчетной емкости АБ принимается наибольшее значение строки "
                       "\"С\" таблицы"),
        QStringLiteral("(ячейка выделяется бирюзовым цветом)."),
    };
    return lines;
}

} // namespace ses
