#pragma once
// What the performance-coefficient window of a variant shows: one row per month of the region
// that lies in the month range of at least one of the variant's schedules, with the month's
// optimal tilt and, for every panel array, its angles, its deviation from the sun and its
// performance coefficient, and the coefficient of the whole solar battery.

#include "solar/insolation.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

struct CoefficientArray {
    QString name;                      // NameMassive
    std::optional<double> orientation; // Ugol_Orient
    std::optional<double> tilt;        // Ugol_Nakl
    double power = 0;                  // Pmas
};

// One array in one month. The angle is missing while the array's angles or the month's optimal
// tilt are; a coefficient missing with an angle present was refused (a loss of 100 % or more).
struct ArrayMonth {
    std::optional<double> angle;
    std::optional<double> coefficient;
    bool refused() const { return angle && !coefficient; }
};

struct CoefficientMonth {
    QString month;
    std::optional<double> optimalTilt; // the region's B
    std::vector<ArrayMonth> arrays;    // in the order of CoefficientTable::arrays
    std::optional<double> battery;     // missing when an array's coefficient or the power is
};

class CoefficientTable {
public:
    // Columns: the month, the optimal orientation and tilt, four per array, the battery.
    static constexpr int kFixedColumns = 3;
    static constexpr int kColumnsPerArray = 4;
    static constexpr double kOptimalOrientation = 180; // south

    std::vector<CoefficientArray> arrays;
    std::vector<CoefficientMonth> months;

    int columnCount() const;
    QStringList headings() const;
    // The text of a cell as the grid shows it: numbers with the decimal comma, a refused
    // coefficient as kRefusedCell.
    QString text(int row, int column) const;
    // The refusal naming the angle when the cell holds a refused coefficient; empty otherwise.
    QString refusal(int row, int column) const;
    // The angles of every refused coefficient, each once, in the order met.
    std::vector<double> refusedAngles() const;

    // The chart's entries: the arrays' names and "СБ" last; the value of an entry in a month
    // (the array's coefficient or the battery's), nullopt when there is none.
    QStringList entries() const;
    std::optional<double> value(int row, int entry) const;
};

inline const QString kRefusedCell = QStringLiteral("ошибка");

// Assembles the table from plain inputs: the region's months in stored order with their optimal
// tilt, the schedules' month ranges, the arrays, the loss table and the variant's total panel
// power (PTotal_SP).
struct MonthRange {
    QString first, last;
};
struct RegionMonthTilt {
    QString month;
    std::optional<double> tilt;
};
CoefficientTable coefficientTable(const std::vector<RegionMonthTilt>& regionMonths,
                                  const std::vector<MonthRange>& ranges,
                                  const std::vector<CoefficientArray>& arrays,
                                  const std::vector<LossRow>& loss,
                                  std::optional<double> totalPower);

// The table of the data module's current variant; empty when there is no variant, without
// months when its region is not in the catalog.
CoefficientTable variantCoefficients(TDataModule1& dm);

} // namespace ses
