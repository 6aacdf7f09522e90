#include "solar/panel_table.h"

#include "lib/numbers.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

double twoDecimals(double x) {
    return roundPattern(x, QStringLiteral("0.##"));
}

// The current of one string as the table counts it: Imp with MPPT controllers; with PWM ones Isc
// when the settings say so, else Imp.
double stringCurrent(const PanelType& p, const SystemSettings& s) {
    return !s.mppt && s.currentFromIsc ? p.isc : p.imp;
}

struct Currents {
    double isb = 0;
    std::optional<double> iab;
};

Currents currentsOf(const PanelType& p, const SystemSettings& s, int np, double ptot) {
    Currents c;
    c.isb = twoDecimals(stringCurrent(p, s) * np);
    c.iab = s.mppt ? controllerOutputCurrent(s, ptot) : std::optional<double>(c.isb);
    return c;
}

int truncated(double x) {
    return x > 0 && x < 2e9 ? int(std::trunc(x)) : 0;
}

} // namespace

std::vector<PanelCandidate> panelCandidates(const std::vector<PanelCatalogRow>& catalog,
                                            const PanelTableInput& in) {
    std::vector<PanelCandidate> out;
    if (!(in.requiredPower > 0) || in.arrayPower <= 0)
        return out;
    const SystemSettings& s = in.system;
    // Catalogs repeat a few nominal voltages: each is tested once.
    QHash<double, int> seriesOf;
    for (const PanelCatalogRow& row : catalog) {
        const PanelType& p = row.panel;
        if (!(p.power > 0))
            continue;
        // ns is the selection window's own: whole volts of the panel dividing the strings'
        // voltage. A panel of no power or no whole volt makes no battery.
        auto known = seriesOf.constFind(p.unom);
        if (known == seriesOf.cend()) {
            const auto series =
                typeFitsSystem(s, p.unom) ? panelsInSeries(s, p.unom) : std::nullopt;
            known = seriesOf.insert(p.unom, series ? *series : 0);
        }
        const int ns = *known;
        if (ns < 1)
            continue;
        // One string must fit into an array.
        if (!atLeast(in.arrayPower, p.power * ns))
            continue;
        PanelCandidate c;
        c.row = row;
        c.ns = ns;
        int n = 0;
        try {
            n = ceilQuotient(in.requiredPower, p.power);
        } catch (const std::exception&) {
            continue;
        }
        c.np = (n + ns - 1) / ns;
        const auto form = [&](int np) {
            c.np = np;
            c.n = np * ns;
            c.ptot = p.power * c.n;
            return currentsOf(p, s, np, c.ptot);
        };
        Currents cur = form(c.np);
        if (!cur.iab)
            continue;
        if (in.charge) {
            if (!notAbove(*cur.iab, in.charge->imax))
                continue;
            // Strings are added until the charge current reaches the battery's minimum; a string
            // that adds no current (no rated current, or a controller losing everything) could
            // never get there, and neither could more than the bound.
            bool reached = true;
            while (!atLeast(*cur.iab, in.charge->imin)) {
                const double before = *cur.iab;
                if (c.np >= kMaxPanelStrings) {
                    reached = false;
                    break;
                }
                cur = form(c.np + 1);
                if (!cur.iab || !(*cur.iab > before)) {
                    reached = false;
                    break;
                }
            }
            if (!reached || !notAbove(*cur.iab, in.charge->imax))
                continue;
        }
        c.isb = cur.isb;
        c.iab = *cur.iab;
        c.split = splitArrays(p, s, ns, c.ptot, in.arrayPower);
        out.push_back(std::move(c));
    }
    // The power compared at 6 decimals, as every comparison of figures is; the key is taken once
    // per row rather than at every comparison of the sort.
    std::vector<std::pair<double, int>> keys;
    keys.reserve(out.size());
    for (int i = 0; i < int(out.size()); ++i)
        keys.emplace_back(roundHalfEven(out[i].ptot, 6), i);
    std::stable_sort(keys.begin(), keys.end(), [&out](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return out[a.second].n < out[b.second].n;
    });
    std::vector<PanelCandidate> sorted;
    sorted.reserve(out.size());
    for (const auto& k : keys)
        sorted.push_back(std::move(out[k.second]));
    return sorted;
}

ArraySplit splitArrays(const PanelType& p, const SystemSettings& s, int ns, double ptot,
                       int arrayPower) {
    ArraySplit a;
    if (!(p.power > 0) || ns < 1)
        return a;
    const double pw = roundHalfEven(p.power, 0);
    const double perString = stringCurrent(p, s);
    int na = truncated(roundHalfEven(arrayPower / p.power, 6));
    a.strings = na / ns;
    a.panels = ns * a.strings;
    a.power = pw * a.panels;
    a.current = twoDecimals(perString * a.strings);
    const long long total = llround(roundHalfEven(ptot, 0));
    a.n = a.power > 0 ? int(total / (long long)(a.power)) : 0;
    if (a.n == 0) {
        a.strings = a.panels = 0;
        a.power = a.current = 0;
    }
    const double rest = double(total) - a.n * a.power;
    const int nr = truncated(roundHalfEven(rest / p.power, 6));
    a.restStrings = nr / ns;
    a.restPanels = ns * a.restStrings;
    a.restPower = a.restPanels * pw;
    a.restCurrent = twoDecimals(perString * a.restStrings);
    if (a.restPower == 0) {
        a.restStrings = a.restPanels = 0;
        a.restCurrent = 0;
    }
    // The "x" after the count is a Latin letter; the one of the remainder a Cyrillic one.
    const QString full = QString::number(a.n) + QStringLiteral("x") + numberToText(a.power);
    if (a.n > 0 && a.restPower < 1)
        a.text = full;
    else if (a.n > 0)
        a.text = full + QStringLiteral(" + 1\u0445") + numberToText(a.restPower);
    else if (a.restPower > 0)
        a.text = QStringLiteral("1x") + numberToText(a.restPower);
    return a;
}

int trackedPanelRow(const std::vector<PanelCandidate>& rows, const QString& company,
                    const QString& tip) {
    for (int r = 0; r < int(rows.size()); ++r)
        if (rows[r].row.company == company && rows[r].row.tip == tip)
            return r;
    return -1;
}

std::optional<double> initialArrayPower(double handedOver, double uses,
                                        const std::vector<double>& offered) {
    if (handedOver != -1)
        return handedOver;
    if (sameValue(uses, 12))
        return 800;
    if (sameValue(uses, 24))
        return 1600;
    if (sameValue(uses, 48))
        return 3200;
    if (offered.empty())
        return std::nullopt;
    return *std::max_element(offered.begin(), offered.end());
}

const QStringList& panelTableTitles() {
    static const QStringList t = {QStringLiteral("Компания-производитель"),
                                  QStringLiteral("Тип"),
                                  QStringLiteral("Структура"),
                                  QStringLiteral("Рсп, Вт"),
                                  QStringLiteral("Uном., В"),
                                  QStringLiteral("H, мм"),
                                  QStringLiteral("S, мм"),
                                  QStringLiteral("КПД, %"),
                                  QStringLiteral("Кол-во в сборке, шт."),
                                  QStringLiteral("Кол-во сборок, шт."),
                                  QStringLiteral("Кол-во, шт."),
                                  QStringLiteral("Рсб, Вт"),
                                  QStringLiteral("Iсб, А"),
                                  QStringLiteral("Iаб, А"),
                                  QStringLiteral("Массивы, шт. х Вт")};
    return t;
}

const QStringList& panelTableNotes() {
    static const QStringList n = {
        QStringLiteral("Компания-производитель - компания-производитель солнечных панелей."),
        QStringLiteral("Тип - тип солнечной панели."),
        QStringLiteral("Структура - структура фотоэлементов солнечной панели."),
        QStringLiteral("Рсп, Вт - номинальная мощность отдельной солнечной панели, Вт."),
        QStringLiteral("Uном., В - номинальное напряжение отдельной солнечной панели, В."),
        QStringLiteral("H, мм - высота солнечной панели, мм."),
        QStringLiteral("S, мм - ширина солнечной панели, мм."),
        QStringLiteral("КПД, % - коэффициент полезного действия солнечной панели, %."),
        QStringLiteral("Кол-во в сборке, шт. - количество последовательно соединенных панелей в "
                       "сборке, шт."),
        QStringLiteral("Кол-во сборок, шт. - количество параллельных сборок в солнечной батарее, "
                       "шт."),
        QStringLiteral("Кол-во, шт. - общее количество панелей в солнечной батарее, шт."),
        QStringLiteral("Рсб, Вт - общая мощность солнечной батареи, Вт."),
        QStringLiteral("Iсб, А - общий ток солнечной батареи, А."),
        QStringLiteral("Iаб, А - прогнозируемый ток заряда АБ (на выходе контроллеров), А."),
        QStringLiteral("Массивы, шт. х Вт - количество и мощность массивов солнечных панелей.")};
    return n;
}

QStringList panelTableRow(const PanelCandidate& c) {
    const auto n = [](double x) { return numberToText(x); };
    const PanelType& p = c.row.panel;
    return {c.row.company,
            c.row.tip,
            c.row.structure,
            n(p.power),
            n(p.unom),
            n(p.height),
            n(p.width),
            n(c.row.kpd),
            QString::number(c.ns),
            QString::number(c.np),
            QString::number(c.n),
            n(c.ptot),
            n(c.isb),
            n(c.iab),
            c.split.text};
}

const std::vector<FilterFieldLabel>& panelFilterFields() {
    static const std::vector<FilterFieldLabel> f = [] {
        const QStringList labels = {
            QStringLiteral("Номинальная мощность отдельной панели, Вт:"),
            QStringLiteral("Номинальное напряжение отдельной панели, В:"),
            QStringLiteral("Количество последовательно соединенных панелей в сборке, шт.:"),
            QStringLiteral("Количество параллельных сборок солнечных панелей в батарее, шт.:"),
            QStringLiteral("Общее количество панелей в солнечной батарее, шт.:"),
            QStringLiteral("Общая мощность солнечной батареи, Вт:"),
            QStringLiteral("Общий ток солнечной батареи, А:"),
            QStringLiteral("Общий прогнозируемый ток заряда АБ (на выходе контроллера), А:")};
        std::vector<FilterFieldLabel> out;
        for (const QString& l : labels)
            out.push_back({l, l.chopped(1)});
        return out;
    }();
    return f;
}

std::vector<double> panelFilterValues(const PanelCandidate& c) {
    return {c.row.panel.power, c.row.panel.unom, double(c.ns), double(c.np),
            double(c.n),       c.ptot,           c.isb,        c.iab};
}

RowFilter panelFilter(const QStringList& makers, const QStringList& fieldTexts) {
    std::vector<FilterField> fields;
    const auto& labels = panelFilterFields();
    for (int i = 0; i < int(labels.size()); ++i)
        fields.push_back({labels[i].name, i < fieldTexts.size() ? fieldTexts[i] : QString()});
    return RowFilter(QStringLiteral("Компании-производители СП"), makers, {}, {}, fields);
}

ArrayDrawingPlan arrayDrawingPlan(const PanelCandidate& c, bool asOneArray) {
    ArrayDrawingPlan plan;
    const ArraySplit& s = c.split;
    const auto n = [](double x) { return numberToText(x); };
    if (asOneArray) {
        plan.whole = true;
        plan.caption = QStringLiteral("Массив ") + n(c.ptot) + QStringLiteral(" Вт - 1 шт.");
        return plan;
    }
    plan.full = s.n > 0 && s.power > 0;
    plan.rest = s.restPower > 0;
    if (plan.full && plan.rest)
        plan.caption = QStringLiteral("Массивы: ") + n(s.power) + QStringLiteral(" Вт - ") +
                       QString::number(s.n) + QStringLiteral(" шт., ") + n(s.restPower) +
                       QStringLiteral(" Вт - 1 шт.");
    else if (plan.full)
        plan.caption = QStringLiteral("Массив ") + n(s.power) + QStringLiteral(" Вт - ") +
                       QString::number(s.n) + QStringLiteral(" шт.");
    else if (plan.rest)
        plan.caption = QStringLiteral("Массив ") + n(s.restPower) + QStringLiteral(" Вт - 1 шт.");
    return plan;
}

std::vector<ArrayRow> handBackRows(const PanelCandidate& c, const PanelHandBack& h) {
    std::vector<ArrayRow> rows;
    if (!(h.requiredPower > 0))
        return rows;
    const double k = roundPattern(h.prasSp / h.requiredPower, QStringLiteral("0.###"));
    const ArraySplit& s = c.split;
    const auto base = [&](int number) {
        ArrayRow r;
        r.name = h.baseName + QStringLiteral(" ") + QString::number(number);
        r.bopt = h.b;
        r.orientation = h.orientation;
        r.tilt = h.tilt;
        r.k = k;
        r.series = c.ns;
        return r;
    };
    const bool rest = s.restPower > 0;
    double losses = 0;
    for (int i = 0; i < s.n; ++i) {
        ArrayRow r = base(i + 1);
        r.strings = s.strings;
        r.panels = s.panels;
        r.power = s.power;
        r.current = s.current;
        r.criterion = Criterion::GivenPower;
        r.givenPower = h.arrayPower;
        r.loss = roundPattern(s.power * (1 - k), QStringLiteral("0"));
        // Without a remainder the last full array takes what is left of the whole loss, so that
        // the column sums to P_K - Pras_SP.
        if (!rest && i == s.n - 1)
            r.loss = roundHalfEven(h.requiredPower - h.prasSp, 0) - losses;
        losses += r.loss;
        rows.push_back(r);
    }
    if (rest) {
        ArrayRow r = base(s.n + 1);
        r.strings = s.restStrings;
        r.panels = s.restPanels;
        r.power = s.restPower;
        r.current = s.restCurrent;
        r.criterion = Criterion::RequiredPower;
        r.loss = std::max(
            0.0, roundPattern((h.requiredPower - s.n * s.power) * (1 - k), QStringLiteral("0")));
        rows.push_back(r);
    }
    return rows;
}

} // namespace ses
