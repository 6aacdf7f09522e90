#include "load/consumers.h"

#include "lib/entry.h"
#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

// Hours are compared at 0,001 h.
double h3(double x) {
    return roundHalfEven(x, 3);
}

double p3(double x) {
    return roundHalfAway(x, 3);
}

struct PlacedPeriod {
    const ConsumerPeriod* p;
};

} // namespace

std::optional<QString> testConsumerPeriods(const std::vector<Consumer>& consumers) {
    for (const Consumer& c : consumers) {
        if (c.periods.empty())
            return QStringLiteral(
                       "Таблица времени работы электроприемника должна содержать хотя бы 1 "
                       "запись.\nЭлектроприемник \"") +
                   c.name + QStringLiteral("\". ");
        // In order of start; equal starts keep their stored order.
        std::vector<const ConsumerPeriod*> sorted;
        for (const ConsumerPeriod& p : c.periods)
            sorted.push_back(&p);
        std::stable_sort(
            sorted.begin(), sorted.end(),
            [](const ConsumerPeriod* a, const ConsumerPeriod* b) { return h3(a->t1) < h3(b->t1); });
        for (size_t i = 1; i < sorted.size(); ++i) {
            const ConsumerPeriod& earlier = *sorted[i - 1];
            const ConsumerPeriod& later = *sorted[i];
            if (h3(later.t1) < h3(earlier.t2)) {
                const QString end = h3(earlier.t2) <= h3(later.t2) ? earlier.t2Text : later.t2Text;
                return QStringLiteral(
                           "Временные промежутки работы электроприемника не должны пересекаться "
                           "между собой.\nЭлектроприемник \"") +
                       c.name + QStringLiteral("\". Пересечение промежутков времени в интервале ") +
                       later.t1Text + QStringLiteral(" - ") + end + QStringLiteral(".");
            }
        }
    }
    return std::nullopt;
}

IntervalTexts buildFromConsumers(const std::vector<Consumer>& consumers) {
    std::vector<double> points;
    for (const Consumer& c : consumers)
        for (const ConsumerPeriod& p : c.periods)
            for (double t : {p.t1, p.t2})
                if (std::none_of(points.begin(), points.end(),
                                 [&](double k) { return h3(k) == h3(t); }))
                    points.push_back(t);
    if (points.empty())
        return {};
    std::sort(points.begin(), points.end());
    if (h3(points.front()) != 0)
        points.insert(points.begin(), 0);
    if (h3(points.back()) != 24)
        points.push_back(24);
    IntervalTexts rows;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const double a = points[i], b = points[i + 1];
        double power = 0;
        for (const Consumer& c : consumers)
            for (const ConsumerPeriod& p : c.periods)
                if (h3(p.t1) <= h3(a) && h3(p.t2) >= h3(b))
                    power += c.spnom;
        rows.push_back({numberToText(a), numberToText(b), numberToText(power)});
    }
    return rows;
}

double peakFromConsumers(const std::vector<Consumer>& consumers) {
    std::vector<double> moments;
    for (const Consumer& c : consumers)
        for (const ConsumerPeriod& p : c.periods)
            if (std::none_of(moments.begin(), moments.end(),
                             [&](double m) { return h3(m) == h3(p.t1); }))
                moments.push_back(p.t1);
    std::sort(moments.begin(), moments.end());
    double peak = 0;
    for (double t : moments) {
        double load = 0;
        for (const Consumer& c : consumers)
            for (const ConsumerPeriod& p : c.periods) {
                // A period starting now draws its starting power; one running through draws its
                // rated power; one ending now no longer counts.
                if (h3(p.t1) == h3(t))
                    load = roundHalfEven(load + c.sppik, 0);
                else if (h3(p.t1) < h3(t) && h3(t) < h3(p.t2))
                    load = roundHalfEven(load + c.spnom, 0);
            }
        peak = std::max(peak, load);
    }
    return peak;
}

ConsumerFields consumerFromCatalog(const CatalogConsumer& c, int quantity) {
    ConsumerFields f;
    f.name = c.name;
    f.pnom = c.pnom;
    f.ppik = roundHalfEven(c.pnom * c.ipIn, 0);
    f.quantity = quantity;
    f.clearSinus = c.clearSinus;
    f.unom = c.unom;
    f.rejim = c.rejim;
    return f;
}

PeriodResult generatePeriods(const PeriodInputs& in) {
    PeriodResult r;
    const auto refuse = [&r](const QString& message, PeriodField field) {
        r.error = message;
        r.errorField = field;
        r.periods.clear();
        return r;
    };
    // A positive value: the entry checks, and no sign either.
    const auto positive = [](const QString& text,
                             const QString& quantity) -> std::optional<QString> {
        if (auto e = checkNonZero(text, quantity))
            return e;
        if (*parseNumber(text) < 0)
            return QStringLiteral("Значение ") + quantity +
                   QStringLiteral(" должно быть больше 0.");
        return std::nullopt;
    };
    if (in.energyBasis) {
        if (auto e = positive(in.energy, QStringLiteral("суточного потребления электроэнергии")))
            return refuse(*e, PeriodField::Energy);
    } else if (auto e = positive(in.time, QStringLiteral("суточной продолжительности работы"))) {
        return refuse(*e, PeriodField::Time);
    }
    if (auto e = checkNumber(in.begin, QStringLiteral("начала периода работы электроприемника")))
        return refuse(*e, PeriodField::Begin);
    if (auto e = positive(in.end, QStringLiteral("окончания периода работы электроприемника")))
        return refuse(*e, PeriodField::End);
    if (auto e = positive(in.step, QStringLiteral("периодичности включения электроприемника")))
        return refuse(*e, PeriodField::Step);
    if (in.energyBasis && !(in.pnom > 0))
        return refuse(
            QStringLiteral("Номинальная мощность электроприемника должна быть больше 0: по "
                           "суточному потреблению нельзя определить продолжительность его работы."),
            PeriodField::Energy);

    const double b = *parseNumber(in.begin), e = *parseNumber(in.end), s = *parseNumber(in.step);
    const double tsut =
        in.energyBasis ? p3(*parseNumber(in.energy) / in.pnom) : *parseNumber(in.time);
    const QString tsutText = in.energyBasis ? numberToText(tsut) : in.time;
    if (h3(b) >= 24 || h3(b) < 0)
        return refuse(
            QStringLiteral("Начало периода работы электроприемника должно быть в пределах от 0 до "
                           "24 часов (0 включается в диапазон, 24 - не включается)."),
            PeriodField::Begin);
    if (h3(e) == 0 || h3(e) > 24)
        return refuse(
            QStringLiteral("Окончание периода работы электроприемника должно быть в пределах от 0 "
                           "до 24 часов (0 не включается в диапазон, 24 - включается)."),
            PeriodField::End);
    if (h3(e) <= h3(b))
        return refuse(
            QStringLiteral("Начало периода работы электроприемника должно быть меньше окончания "
                           "периода работы."),
            PeriodField::Begin);
    if (h3(s) == 0 || h3(s) >= 24)
        return refuse(
            QStringLiteral("Периодичность включения электроприемника должна быть в пределах от 0 "
                           "до 24 часов (0 и 24 не включаются в диапазон)."),
            PeriodField::Step);
    if (h3(e - b) < h3(tsut))
        return refuse(
            QStringLiteral("Длительность периода работы электроприемника ( с %1 до %2 час.) не "
                           "должна быть меньше суточной продолжительности работы "
                           "электроприемника (%3 час.).")
                .arg(in.begin, in.end, tsutText),
            in.energyBasis ? PeriodField::Energy : PeriodField::Time);
    if (!in.energyBasis && h3(s) > h3(tsut))
        return refuse(
            QStringLiteral("Суточная продолжительность работы электроприемника (%1 час.) не "
                           "должна быть меньше периодичности включения электроприемника %2 час.).")
                .arg(tsutText, in.step),
            PeriodField::Time);
    if (h3(s) > h3(e - b))
        return refuse(
            QStringLiteral("Длительность периода работы электроприемника ( с %1 до %2 час.) не "
                           "должна быть меньше периодичности включения электроприемника "
                           "(%3 час.).")
                .arg(in.begin, in.end, in.step),
            PeriodField::Step);

    // Switch-ons from the beginning, one every s hours, up to the end. The step is at least
    // 0,001 h here (0 was refused above), so the count is bounded.
    int n = 0;
    for (double t = b; h3(t) <= h3(e); t = p3(t + s))
        ++n;
    double d = p3(tsut / n);
    if (p3((n - 1) * s + d) + b > e + 1e-9) {
        --n;
        d = p3(tsut / n);
    }
    // Each switch-on must end before the next begins; touching is allowed.
    if (h3(d) > h3(s))
        return refuse(
            QStringLiteral("При периодичности включения %1 час. промежутки работы электроприемника "
                           "(по %2 час.) накладываются друг на друга. Увеличьте периодичность "
                           "включения или уменьшите суточную продолжительность работы.")
                .arg(in.step, numberToText(d)),
            PeriodField::Step);
    double t = b;
    for (int k = 0; k < n; ++k) {
        r.periods.emplace_back(t, p3(t + d));
        t = p3(t + s);
    }
    return r;
}

BookScheduleBuild buildBookSchedule(const std::vector<Consumer>& consumers, int nomMinutes,
                                    int maxMinutes) {
    BookScheduleBuild b;
    b.periodError = testConsumerPeriods(consumers);
    if (b.periodError)
        return b;
    b.intervals = buildFromConsumers(consumers);
    const IntervalTestResult t = testIntervals(b.intervals);
    if (!t.ok) {
        b.intervalError = t.message;
        return b;
    }
    b.params = scheduleParameters(parseIntervals(b.intervals), nomMinutes, maxMinutes);
    b.peak = peakFromConsumers(consumers);
    b.clearSinus = std::any_of(consumers.begin(), consumers.end(),
                               [](const Consumer& c) { return c.clearSinus; });
    return b;
}

IntervalTexts shownBookIntervals(const std::array<std::optional<double>, 4>& figures,
                                 const std::vector<Consumer>& consumers) {
    for (const auto& f : figures)
        if (!f)
            return {};
    return buildFromConsumers(consumers);
}

} // namespace ses
