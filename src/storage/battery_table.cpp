#include "storage/battery_table.h"

#include "lib/numbers.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace ses {

std::vector<BatteryCandidate> batteryCandidates(const std::vector<BatteryCatalogRow>& catalog,
                                                const AssemblyVariant& v, bool matchCharge,
                                                const ChargeForType& chargeFor) {
    std::vector<BatteryCandidate> out;
    QHash<QString, std::optional<double>> charges;
    for (const BatteryCatalogRow& row : catalog) {
        if (!fitsSystemVoltage(row.model, v.uses))
            continue;
        auto it = charges.constFind(row.tip);
        if (it == charges.cend())
            it = charges.insert(row.tip, chargeFor ? chargeFor(row.tip) : std::nullopt);
        // The battery window's own assembly, so that the table and the window agree on every
        // figure (ns from whole volts, the growth bounded, a failed match told apart).
        const AssemblyResult r = assemble(row.model, v, *it, matchCharge);
        // An assembly of no battery (no capacity requirement and no charge current to match)
        // cannot be chosen.
        if (!r.shown() || r.figures.ns < 1 || r.figures.np < 1)
            continue;
        out.push_back({row.company, row.tip, row.model, r.figures});
    }
    // The capacity compared at 6 decimals, the key taken once per row.
    std::vector<std::pair<double, int>> keys;
    keys.reserve(out.size());
    for (int i = 0; i < int(out.size()); ++i)
        keys.emplace_back(roundHalfEven(out[i].figures.cf, 6), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<BatteryCandidate> sorted;
    sorted.reserve(out.size());
    for (const auto& k : keys)
        sorted.push_back(std::move(out[k.second]));
    return sorted;
}

int trackedBatteryRow(const std::vector<BatteryCandidate>& rows, bool tracking,
                      const QString& company, const QString& tip, const QString& name) {
    if (rows.empty())
        return -1;
    if (tracking)
        for (int r = 0; r < int(rows.size()); ++r)
            if (rows[r].company == company && rows[r].tip == tip && rows[r].model.name == name)
                return r;
    return 0;
}

const QStringList& batteryTableTitles() {
    static const QStringList t = {QStringLiteral("Компания- производитель"),
                                  QStringLiteral("Тип"),
                                  QStringLiteral("Наименование"),
                                  QStringLiteral("Uном., В"),
                                  QStringLiteral("Cном., А*ч"),
                                  QStringLiteral("Кол-во в сборке, шт."),
                                  QStringLiteral("Кол-во сборок, шт."),
                                  QStringLiteral("Кол-во, шт."),
                                  QStringLiteral("Cфакт., А*ч"),
                                  QStringLiteral("Iз.мин., А"),
                                  QStringLiteral("Iз.макс., А"),
                                  QStringLiteral("Iр.макс., А"),
                                  QStringLiteral("Iз.п.мин., А"),
                                  QStringLiteral("Iз.п.макс., А"),
                                  QStringLiteral("Iз.факт., А")};
    return t;
}

const QStringList& batteryTableNotes() {
    static const QStringList n = {
        QStringLiteral("Компания-производитель - компания-производитель аккумуляторов АКБ."),
        QStringLiteral("Тип - технология изготовления аккумуляторов АБ."),
        QStringLiteral("Наименование - наименование аккумуляторов АБ."),
        QStringLiteral("Uном., В - номинальное напряжение отдельного аккумулятора АБ, В."),
        QStringLiteral("Сном., А*ч - номинальная емкость отдельного аккумулятора АБ, А*ч."),
        QStringLiteral("Кол-во в сборке, шт. - количество последовательно соединенных "
                       "аккумуляторов в сборке, шт."),
        QStringLiteral("Кол-во сборок, шт. - количество параллельных сборок в АБ, шт."),
        QStringLiteral("Кол-во, шт. - общее количество аккумуляторов в АБ, шт."),
        QStringLiteral("Сфакт., А*ч - общая емкость АБ, А*ч."),
        QStringLiteral("Iз.мин., А - общий минимальный зарядный ток АБ (согласно паспорта), А."),
        QStringLiteral("Iз.макс., А - общий максимальный зарядный ток АБ (согласно паспорта), А."),
        QStringLiteral("Iр.мин., А - общий максимальный разрядный ток АБ, А."),
        QStringLiteral("Iз.п.мин., А - общий минимальный зарядный ток АБ (с учетом настроек), А."),
        QStringLiteral("Iз.п.макс., А - общий максимальный зарядный ток АБ (с учетом настроек), "
                       "А."),
        QStringLiteral("Iз.факт., А - общий ток заряда АБ (общий ток на выходе контроллеров), А.")};
    return n;
}

QStringList batteryTableRow(const BatteryCandidate& c) {
    const AssemblyFigures& f = c.figures;
    const auto n = [](double x) { return numberToText(x); };
    return {c.company,
            c.tip,
            c.model.name,
            QString::number(wholeVolts(c.model.u)),
            n(c.model.c),
            QString::number(f.ns),
            QString::number(f.np),
            QString::number(f.kol),
            n(f.cf),
            n(f.izmin),
            n(f.izmax),
            n(f.irmax),
            n(f.imin),
            n(f.imax),
            numberToText(f.charge)};
}

const std::vector<FilterFieldLabel>& batteryFilterFields() {
    static const std::vector<FilterFieldLabel> f = [] {
        const QStringList names = {
            QStringLiteral("Емкость отдельного аккумулятора, А*ч"),
            QStringLiteral("Количество последовательно соединенных аккумуляторов в сборке АБ, шт."),
            QStringLiteral("Количество параллельных сборок аккумуляторов в АБ, шт."),
            QStringLiteral("Общее количество аккумуляторов в АБ, шт."),
            QStringLiteral("Общая емкость аккумуляторов в АБ, А*ч"),
            QStringLiteral("Общий минимальный ток заряда АБ (с учетом настроек), А"),
            QStringLiteral("Общий максимальный ток заряда АБ (с учетом настроек), А"),
            QStringLiteral("Общий максимальный ток разряда АБ, А")};
        std::vector<FilterFieldLabel> out;
        for (const QString& n : names)
            out.push_back({n + QStringLiteral(":"), n});
        return out;
    }();
    return f;
}

std::vector<double> batteryFilterValues(const BatteryCandidate& c) {
    const AssemblyFigures& f = c.figures;
    return {c.model.c, double(f.ns), double(f.np), double(f.kol), f.cf, f.imin, f.imax, f.irmax};
}

RowFilter batteryFilter(const QStringList& makers, const QStringList& types,
                        const QStringList& fieldTexts) {
    std::vector<FilterField> fields;
    const auto& labels = batteryFilterFields();
    for (int i = 0; i < int(labels.size()); ++i)
        fields.push_back({labels[i].name, i < fieldTexts.size() ? fieldTexts[i] : QString()});
    return RowFilter(QStringLiteral("Компании-производители АБ"), makers, QStringLiteral("Типы АБ"),
                     types, fields);
}

} // namespace ses
