#pragma once
// Performance of panels turned away from the sun, and the sizing of the solar battery from the
// monthly load: plain values in and out.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace ses {

// A row of the loss table: the angle between the sun's rays and the panel normal, degrees, and
// the loss of output at that angle, percent.
struct LossRow {
    double angle = 0;
    double loss = 0;
};

// Loss (percent) at an angle, interpolated linearly between the table's rows (rounded to 0,01).
// Beyond either end the end row holds: a turned-away panel never scores better than the last
// row nor better than perfect. An empty table means no loss.
double deviationLoss(const std::vector<LossRow>& rows, double angle);

// The performance coefficient 1 - loss / 100 rounded to 0,001; nullopt when it is 0 or less
// (a loss of 100 % or more), which no computation may divide by.
std::optional<double> performanceCoefficient(const std::vector<LossRow>& rows, double angle);
QString coefficientRefusal(double angle); // the message naming the angle

// The angle of an array's panels to the sun in a month, degrees, rounded to 0,1: the tilt's
// deviation from the month's optimum and the azimuth's deviation from south (180) as the legs of
// a right triangle.
double deviationAngle(double orientation, double tilt, double monthTilt);

// The coefficient of the whole solar battery: arrays' powers weighted by their coefficients.
struct ArrayShare {
    double power = 0; // Pmas, W
    double coefficient = 1;
};
std::optional<double> batteryCoefficient(const std::vector<ArrayShare>& arrays, double totalPower);

// ---------------------------------------------------------------- required power and tilt

struct SizingSettings {
    bool panelTemperature = false; // UchetKdifP_SP
    double kdifP = -0.47;          // %/degree
    double batteryLosses = 20;     // %
    double controllerLosses = 10;  // %
    double kspSummer = 0.5, kspWinter = 0.7;
};

// Panel power (whole W) one schedule needs in one month; nullopt when a divisor is 0 or less.
std::optional<double> scheduleMonthRequirement(const SizingSettings& s, double wpSut,
                                               double wsutDark, double wmaxDark, double radiation,
                                               double tsred, double kinv, double ksp);

struct RegionMonthData {
    double radiation = 0; // kW*h/(m2*day)
    double tsred = 0;
    double tilt = 0; // B
};
using RegionYear = std::array<std::optional<RegionMonthData>, 12>; // calendar order

struct StoredMonth {
    QString month;
    double wsutDark = 0, wmaxDark = 0;
};
struct StoredSchedule {
    double wpSut = 0;
    double kinv = 1;                 // the load's inverter coefficient; 1 for DC
    std::vector<StoredMonth> months; // the schedule's monthly rows in stored order
};

struct MonthlyRequirement {
    std::array<double, 12> watts{};
    QStringList problems; // months that could not be computed, each said once
};
MonthlyRequirement monthlyRequirement(const std::vector<StoredSchedule>& schedules,
                                      const RegionYear& region, const SizingSettings& s);
// The same with each schedule-month requirement divided by the month's coefficient before it is
// rounded to whole W (the panels turned away from the month's optimum deliver less).
MonthlyRequirement monthlyRequirement(const std::vector<StoredSchedule>& schedules,
                                      const RegionYear& region, const SizingSettings& s,
                                      const std::array<double, 12>& coefficients);

// The required power at an orientation and a tilt (P_K of the tabular panel choice): each month's
// requirement with the panels' coefficient for that month's deviation angle (unrounded), the
// largest month governing (the earlier of equals). `month` is 0 when every month needs nothing.
struct OrientedRequirement {
    double power = 0;
    int month = 0;
    double monthTilt = 0;         // the region's B of the governing month
    std::optional<QString> error; // a coefficient of 0 or less, or months that cannot be computed
};
OrientedRequirement orientedRequirement(const std::vector<StoredSchedule>& schedules,
                                        const RegionYear& region, const SizingSettings& s,
                                        const std::vector<LossRow>& loss, double orientation,
                                        double tilt);
// The label of P_K: naming the governing month and its B, or the plain label without one.
QString orientedRequirementLabel(const OrientedRequirement& r);

// The result of the required power and tilt, with what the analysis windows show.
struct TiltResult {
    double power = 0;                           // Pras_SP, W
    double tilt = 0;                            // B, degrees
    int governingMonth = 0;                     // 1..12, 0 when every month needs nothing
    double pmax = 0;                            // the largest monthly requirement
    bool searched = false;                      // the tilt search ran
    std::vector<std::pair<int, double>> byTilt; // W(t) for every searched tilt
    std::optional<QString> error;               // a coefficient of 0 or less met on the way
};
// `start` is the maximum the governing month must exceed (0 for the remaining requirement,
// where negative months never govern).
TiltResult requiredPowerAndTilt(const std::array<double, 12>& requirement, const RegionYear& region,
                                const std::vector<LossRow>& loss);

// The requirement left after arrays already formed: each covers its power times its coefficient
// for the month's deviation angle. Rounded to whole W per array, halves away from zero.
struct FormedArray {
    double orientation = 180, tilt = 0, power = 0;
};
std::array<double, 12> remainingRequirement(const std::array<double, 12>& requirement,
                                            const std::vector<FormedArray>& arrays,
                                            const RegionYear& region,
                                            const std::vector<LossRow>& loss,
                                            std::optional<QString>* error = nullptr);

} // namespace ses
