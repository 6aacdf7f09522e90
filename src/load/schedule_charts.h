#pragma once
// What the schedule chart and the parameter diagram windows plot for the daily schedules of one
// load side: the ticked schedules numbered in list order, the staircase of each, the bars of
// their figures and of their energy without sun month by month, the notes lines and the report
// texts. Plain values in and out; the charting is the windows' business.

#include "load/schedule.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace ses {

// A schedule as both windows read it.
struct ChartSchedule {
    QString name;               // SutGrafName
    IntervalTexts intervals;    // T1, T2, P as stored, in stored order
    double wpSut = 0, pnom = 0; // Wp_sut, Pnom30min
    double pmax = 0, wpPik = 0; // Pmax10min, Wp_pik
    struct Month {
        QString name; // MonthName as stored
        double wsutDark = 0;
    };
    std::vector<Month> months; // the monthly rows, in stored order
};

// The ticked schedules numbered 1, 2, ... in list order: the index of each in the list.
std::vector<int> tickedSchedules(const std::vector<bool>& ticked);

// ------------------------------------------------------------------ schedule chart

struct LineSeries {
    QString title;                  // "P{n} = f(T)"
    std::vector<ChartPoint> points; // (T1, P) and (T2, P) of each interval, labelled as stored
};
struct ScheduleChart {
    std::vector<LineSeries> series; // only those with points
    QStringList notes;              // "{name}: P{n} = f(T)." for every ticked schedule
    double largestPower = 0;        // the power axis runs from 0 to above this
};
inline const QString kScheduleChartTitle = QStringLiteral("Суточный график P = f(T).");
ScheduleChart scheduleChart(const std::vector<ChartSchedule>& schedules,
                            const std::vector<bool>& ticked);

// ------------------------------------------------------------------ parameter diagram

// The boxes of " Расчетные параметры суточного графика ", with their defaults.
struct DiagramBoxes {
    bool dailyEnergy = true;
    bool darkEnergy = false;
    bool nominal = false;
    bool maximum = false;
    bool peak = false;
};
// The five box captions in the order of the boxes above.
const QStringList& diagramBoxCaptions();

struct BarSeries {
    QString title;
    QStringList labels;         // one per bar
    std::vector<double> values; // one per bar
};
struct ParameterDiagram {
    std::vector<BarSeries> figures; // upper chart: one series per ticked figure box
    std::vector<BarSeries> dark;    // lower chart: one per ticked schedule; empty when unticked
    QStringList notes;              // "{n} - {name}." for every ticked schedule
};
inline const QString kParameterDiagramTitle = QStringLiteral("Диаграмма расчетных параметров.");
inline const QString kDarkDiagramTitle =
    QStringLiteral("Диаграмма потребления электроэнергии в периоды времени суток \"без солнца\".");

// The twelve Wsut_dark of a schedule, January to December: the monthly row whose MonthName is
// the month's name exactly, 0 when there is none (a month outside its range, an empty name).
std::array<double, 12> darkEnergyBars(const ChartSchedule& schedule);
// The month labels "январь" ... "декабрь", cut to the first k characters when k is given.
QStringList monthLabels(std::optional<int> k);
// monthChars: the length limit of the month labels, nullopt when not limited.
ParameterDiagram parameterDiagram(const std::vector<ChartSchedule>& schedules,
                                  const std::vector<bool>& ticked, const DiagramBoxes& boxes,
                                  std::optional<int> monthChars);

// ------------------------------------------------------------------ reports

// The texts written after the schedule chart: "Обозначение суточных графиков.\r" and a line per
// notes line.
QString scheduleChartReportText(const QStringList& notes);
// "Обозначение суточных графиков на диаграмме:\r" and a line per notes line.
QString diagramNotesReportText(const QStringList& notes);
// The WriteText calls naming the figures drawn: the heading, then each ticked box of daily
// energy, nominal, maximum and peak power, in this order (never the box of the energy without
// sun).
QStringList diagramParameterReportTexts(const DiagramBoxes& boxes);

} // namespace ses
