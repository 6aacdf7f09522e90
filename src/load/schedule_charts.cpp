#include "load/schedule_charts.h"

#include "lib/months.h"

#include <algorithm>

namespace ses {

std::vector<int> tickedSchedules(const std::vector<bool>& ticked) {
    std::vector<int> out;
    for (int i = 0; i < int(ticked.size()); ++i)
        if (ticked[i])
            out.push_back(i);
    return out;
}

namespace {

// The ticked schedules that exist, with their numbers 1, 2, ...
template <typename F>
void forEachTicked(const std::vector<ChartSchedule>& schedules, const std::vector<bool>& ticked,
                   F f) {
    int n = 0;
    for (int i : tickedSchedules(ticked))
        if (i < int(schedules.size()))
            f(++n, schedules[i]);
}

} // namespace

ScheduleChart scheduleChart(const std::vector<ChartSchedule>& schedules,
                            const std::vector<bool>& ticked) {
    ScheduleChart chart;
    forEachTicked(schedules, ticked, [&](int n, const ChartSchedule& s) {
        const QString title = QStringLiteral("P%1 = f(T)").arg(n);
        chart.notes << s.name + QStringLiteral(": ") + title + QStringLiteral(".");
        std::vector<ChartPoint> points = stepChartPoints(s.intervals);
        if (points.empty())
            return;
        for (const ChartPoint& p : points)
            chart.largestPower = std::max(chart.largestPower, p.p);
        chart.series.push_back({title, std::move(points)});
    });
    return chart;
}

const QStringList& diagramBoxCaptions() {
    static const QStringList captions{
        QStringLiteral("Wр_сут., Втч - суточное потребление электроэнергии, Вт*ч."),
        QStringLiteral("Wр_бс, Втч - потребление электроэнергии в периоды времени суток "
                       "\"без солнца\", Вт*ч."),
        QStringLiteral("Рном., Вт - номинальная выходная мощность, Вт."),
        QStringLiteral("Рмакс., Вт - максимальная выходная мощность, Вт."),
        QStringLiteral("Рпик., Вт - пиковая выходная мощность, Вт."),
    };
    return captions;
}

std::array<double, 12> darkEnergyBars(const ChartSchedule& schedule) {
    std::array<double, 12> bars{};
    for (int m = 0; m < 12; ++m) {
        const auto it = std::find_if(schedule.months.begin(), schedule.months.end(),
                                     [&](const auto& row) { return row.name == monthNames()[m]; });
        if (it != schedule.months.end())
            bars[m] = it->wsutDark;
    }
    return bars;
}

QStringList monthLabels(std::optional<int> k) {
    QStringList labels;
    for (const QString& m : monthNames())
        labels << (k ? m.left(std::max(0, *k)) : m);
    return labels;
}

ParameterDiagram parameterDiagram(const std::vector<ChartSchedule>& schedules,
                                  const std::vector<bool>& ticked, const DiagramBoxes& boxes,
                                  std::optional<int> monthChars) {
    ParameterDiagram d;
    struct Figure {
        bool on;
        QString title;
        double ChartSchedule::*field;
    };
    const Figure figures[] = {
        {boxes.dailyEnergy, QStringLiteral("Wp_сут., Втч"), &ChartSchedule::wpSut},
        {boxes.nominal, QStringLiteral("Pном., Вт"), &ChartSchedule::pnom},
        {boxes.maximum, QStringLiteral("Pмакс., Вт"), &ChartSchedule::pmax},
        {boxes.peak, QStringLiteral("Pпик., Вт"), &ChartSchedule::wpPik},
    };
    for (const Figure& f : figures) {
        if (!f.on)
            continue;
        BarSeries series{f.title, {}, {}};
        forEachTicked(schedules, ticked, [&](int n, const ChartSchedule& s) {
            series.labels << QString::number(n);
            series.values.push_back(s.*f.field);
        });
        if (!series.values.empty())
            d.figures.push_back(std::move(series));
    }
    const QStringList months = monthLabels(monthChars);
    forEachTicked(schedules, ticked, [&](int n, const ChartSchedule& s) {
        d.notes << QStringLiteral("%1 - %2.").arg(n).arg(s.name);
        if (!boxes.darkEnergy)
            return;
        const std::array<double, 12> bars = darkEnergyBars(s);
        d.dark.push_back({QString::number(n), months, {bars.begin(), bars.end()}});
    });
    return d;
}

namespace {

QString notesText(const QString& heading, const QStringList& notes) {
    QString text = heading;
    for (const QString& line : notes)
        text += QStringLiteral("- ") + line + QStringLiteral("\r");
    return text;
}

} // namespace

QString scheduleChartReportText(const QStringList& notes) {
    return notesText(QStringLiteral("Обозначение суточных графиков.\r"), notes);
}

QString diagramNotesReportText(const QStringList& notes) {
    return notesText(QStringLiteral("Обозначение суточных графиков на диаграмме:\r"), notes);
}

QStringList diagramParameterReportTexts(const DiagramBoxes& boxes) {
    QStringList texts{
        QStringLiteral("Обозначение расчетных параметров суточных графиков на диаграмме:\r")};
    const QStringList& captions = diagramBoxCaptions();
    const bool on[] = {boxes.dailyEnergy, boxes.nominal, boxes.maximum, boxes.peak};
    const int index[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        if (on[i])
            texts << QStringLiteral("- ") + captions[index[i]] + QStringLiteral("\r");
    return texts;
}

} // namespace ses
