#pragma once
// What the chosen solar battery generates month by month against what the loads draw from it,
// and the required power of the solar battery explained schedule by schedule: plain values in,
// texts and figures out.

#include "solar/insolation.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace ses {

// A daily schedule as both tables see it.
struct LoadSchedule {
    int loadKey = 0;                 // the AC load's key: its first schedule carries its name
    QString load;                    // Nagr_Name of the AC load; empty for a DC schedule
    QString name;                    // SutGrafName
    bool dc = false;                 // from the battery's DC schedules
    double kinv = 1;                 // the load's inverter coefficient; 1 for DC
    QString first, last;             // MonthName1 .. MonthName2
    double wpSut = 0;                // W*h per day
    std::vector<StoredMonth> months; // the schedule's monthly rows in stored order
};

// A month row of the region in stored order.
struct RegionMonthRow {
    QString month;
    double radiation = 0; // P, kW*h/(m2*day)
    double tsred = 0;
    double tilt = 0; // B
};

struct GenerationArray {
    double power = 0;         // Pmas, W
    double orientation = 180; // Ugol_Orient
    double tilt = 0;          // Ugol_Nakl
};

struct GenerationInputs {
    QString region;                     // the variant's region, for the messages
    std::vector<RegionMonthRow> months; // empty when the catalog has no such region
    std::vector<LoadSchedule> schedules;
    std::vector<GenerationArray> arrays;
    std::optional<double> totalPower; // PTotal_SP; empty when not formed
    SizingSettings settings;
    std::vector<LossRow> loss;
};

// ---------------------------------------------------------------- consumption

// C1 (the average dark-time energy through the battery) and C2 (the worst cycle), W*h per day,
// for each calendar month.
struct Consumption {
    std::array<double, 12> c1{}, c2{};
    // "<schedule>: <month>" for each month of a schedule's range without a row of its own.
    QStringList missingRows;
    std::optional<QString> error; // a loss of 100 % or more, or an inverter coefficient of 0
};
Consumption monthlyConsumption(const std::vector<LoadSchedule>& schedules, const SizingSettings& s);
// The line under the table naming the months that counted nothing; empty when none.
QString missingRowsNote(const QStringList& missingRows);

// ---------------------------------------------------------------- generation table

// The panel performance of an array in a month: the deviation angle unrounded (the coefficient
// window shows it rounded to 0,1 by deviationAngle).
double exactDeviationAngle(double orientation, double tilt, double monthTilt);

enum class GenRow {
    Wsut,
    WsutP,
    DWsut,
    Wcycle,
    WcycleP,
    DWcycle,
    Wmonth,
    WmonthP,
    DWmonth,
    Kproizv
};
constexpr int genRowCount = 10;

// "Wсут., кВтч" .. "Кпроизв." in the order of GenRow.
const QStringList& generationRowNames();
// The first note, one line per row, and the note explaining the cycle.
const QStringList& generationNoteLines();
QString generationCycleNote();

struct GenerationColumn {
    QString month;
    int days = 0;
    double ksp = 0, kt = 1;
    std::array<double, genRowCount> values{};
    std::array<QString, genRowCount> texts;
};

struct GenerationTable {
    std::vector<GenerationColumn> columns; // months with loads, in the region's order
    QString missingNote;                   // months of a range without a row
    std::optional<QString> refusal;        // nothing is shown when set
    // The grid as shown: heading row ("Параметр" and the months), then the ten rows.
    std::vector<QStringList> grid() const;
};
GenerationTable generationTable(const GenerationInputs& in);

// The daily generation G of a region month row, kW*h ("0.###"): PTotal_SP x P x Kсб / 1000 x
// Ksp x Kt. The column "Wсут." of the table and the energy balance of the battery both take it
// from here. nullopt with `refusal` set when a deviation angle has no coefficient; the caller
// makes sure PTotal_SP is there and above 0.
struct DailyGeneration {
    double g = 0, ksp = 0, kt = 1, ksb = 0;
    std::optional<QString> refusal;
};
DailyGeneration dailyGeneration(const GenerationInputs& in, const RegionMonthRow& month);

// ---------------------------------------------------------------- analysis

enum class CellRole {
    None,
    Heading,     // the button-face colour
    Preliminary, // aqua
    Exceeding,   // yellow
    Accepted     // lime green
};
// 0xRRGGBB of a coloured role; nullopt for None and Heading, which follow the palette.
std::optional<unsigned> roleRgb(CellRole role);

struct RoleTable {
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<std::vector<CellRole>> roles; // one per cell of rows
};

struct SolarAnalysis {
    RoleTable requirement; // " Нагрузка", " Суточный график", months...; the last row "Итого"
    RoleTable summary; // "Наименование параметра", "Ед. изм.", months...
    std::vector<int> shownMonths; // 1..12, the months columns
    int month = 0;                // the preliminary month, 1..12; 0 when nothing is needed
    double pp = 0, bp = 0;        // the preliminary power and tilt
    double power = 0, tilt = 0;   // the accepted ones (the chain's Pras_SP and B)
    bool searched = false;
    std::vector<std::pair<int, double>> byTilt; // the chart "Pсб = f(В)." when searched
    QStringList problems;                       // schedule-months not computed
    std::optional<QString> refusal;             // nothing is shown when set

    // " Результаты предварительного выбора " and the final fields.
    QString monthText() const;
    QString preliminaryPowerText() const; // "0"
    QString preliminaryTiltText() const;  // "0"
    QString powerText() const;            // "0.##"
    QString tiltText() const;             // "0.##"
    QString note() const;                 // the window's note, with the colour remarks
    QString exportNote() const;           // the report's note, without them
};

inline constexpr const char* analysisRequirementTitle =
    "Требуемая расчетная мощность СБ для нагрузок и суточных графиков по месяцам года, Вт.";
inline constexpr const char* analysisSummaryTitle =
    "Итоговая таблица определения расчетной мощности СБ.";

// The search runs over the tilts of all twelve region months, as the required power of the
// chain does, so that the window always explains the stored Pras_SP and B.
SolarAnalysis solarAnalysis(const std::vector<LoadSchedule>& schedules, const RegionYear& region,
                            const SizingSettings& s, const std::vector<LossRow>& loss);

// The region's rows by calendar month (the later row of a month wins).
RegionYear regionYearOf(const std::vector<RegionMonthRow>& months);

} // namespace ses
