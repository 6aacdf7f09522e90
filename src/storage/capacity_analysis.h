#pragma once
// The battery analysis: month by month, the energy each load and schedule draws from the battery
// in the hours without sun, and the capacity that energy and the nominal, maximum and peak
// discharge currents need; the largest is the required capacity. The tables come as the texts
// the window shows, with the roundings it writes them with. Plain values in and out.

#include "storage/capacity.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ses {

struct AnalysisEnergyTable {
    QStringList header; // " Нагрузка", " Суточный график", the months kept
    std::vector<QStringList> rows; // one per schedule: load or "- // -", schedule, month cells
    QStringList total;             // " Итого", "", E(m) of the months kept ("0.##")
    std::vector<int> months;       // 1..12 of the month columns kept, in calendar order
    int largest = -1;              // the month column (0-based) of the largest E, first on ties
};

struct AnalysisCapacityTable {
    QStringList rowNames; // " Наименование параметра", then the ten parameters
    std::vector<QStringList> columns; // per month kept: its name, then ten cells (empty without
                                      // a day-light row or when refused)
    int largest = -1;                 // the month column of the largest С, first on ties
};

struct BatteryAnalysis {
    std::optional<double> capacity; // "Расчетная емкость АБ, А*ч:"
    QString capacityText;
    std::optional<QString> error; // why no capacity: names the input to fix
    AnalysisEnergyTable energy;
    AnalysisCapacityTable capacityTable;
};

// The analysis by the method of the variant's load-entry mode (settings.loadMode). A month kept
// without a day-light row has an empty capacity column and takes no part in the largest С.
BatteryAnalysis analyseBattery(const CapacityInputs& in);

// The line under the result when the stored Cras_AKB (the parameter method of the chain)
// differs from the analysis at 0,01 A*h; empty otherwise.
QString storedCapacityLine(const BatteryAnalysis& analysis, std::optional<double> stored);

// The window's headings and notes.
inline const QString kAnalysisCaption = QStringLiteral("Анализ выбора аккумуляторной батареи.");
inline const QString kAnalysisResultLabel = QStringLiteral("Расчетная емкость АБ, А*ч:");
const QString& analysisEnergyHeading();
const QString& analysisEnergyNote();
const QString& analysisCapacityHeading();
const QStringList& analysisCapacityNoteLines();

} // namespace ses
