#pragma once
// Schedules built from consumers: the test of their operating periods, the interval table they
// make, their peak at the switch-on moments, a consumer taken from the catalog, and the
// generator of periodic operating periods. Plain values in and out.

#include "load/schedule.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace ses {

struct ConsumerPeriod {
    QString t1Text, t2Text; // as stored (for messages)
    double t1 = 0, t2 = 0;  // hours
};

struct Consumer {
    QString name;
    double spnom = 0; // total rated power, W
    double sppik = 0; // total peak power, W
    bool clearSinus = false;
    std::vector<ConsumerPeriod> periods; // in stored order
    QString rejim = QString(); // operating mode: "ручной" or "автоматический"
};

// The periods of every consumer: at least one each, and none overlapping another of the same
// consumer. The refusal message, or nullopt when the test passes.
std::optional<QString> testConsumerPeriods(const std::vector<Consumer>& consumers);

// The interval table made by the consumers: every distinct period end as a time point, 0 and 24
// added, each interval carrying the rated power of the periods covering it. Empty without periods.
IntervalTexts buildFromConsumers(const std::vector<Consumer>& consumers);

// The largest load at a switch-on moment: the starting powers of the periods beginning then plus
// the rated powers of the periods running through it. 0 without periods.
double peakFromConsumers(const std::vector<Consumer>& consumers);

// The build of a consumer-detailed book schedule: the periods' test, then the interval table the
// consumers make and, when that table passes the interval test, its figures (interval-table form),
// the peak and whether any consumer needs a pure sine. The book stores the figures only when
// there is no error; the table is shown whenever the periods passed.
struct BookScheduleBuild {
    std::optional<QString> periodError;   // the period test refused: nothing is built
    std::optional<QString> intervalError; // the table was made but refused by the interval test
    IntervalTexts intervals;
    ScheduleParams params;
    double peak = 0;
    bool clearSinus = false;
    bool ok() const { return !periodError && !intervalError; }
};
BookScheduleBuild buildBookSchedule(const std::vector<Consumer>& consumers, int nomMinutes,
                                    int maxMinutes);

// What a book schedule shows when it becomes current while browsing: its figures (Wp_sut,
// Pnom30min, Pmax10min, Ppik) are emptied by every change of its consumers, so while any of them
// is empty the table and chart are empty too; otherwise the table its consumers make.
IntervalTexts shownBookIntervals(const std::array<std::optional<double>, 4>& figures,
                                 const std::vector<Consumer>& consumers);

// A catalog consumer (sEP / sEP12 row) and the consumer row it becomes in a schedule.
struct CatalogConsumer {
    QString name;
    double pnom = 0;
    double ipIn = 1; // starting current / rated current
    bool clearSinus = false;
    std::optional<double> unom; // DC only
    QString rejim;
};
struct ConsumerFields {
    QString name;
    double pnom = 0, ppik = 0;
    int quantity = 1;
    bool clearSinus = false;
    std::optional<double> unom;
    QString rejim;
};
ConsumerFields consumerFromCatalog(const CatalogConsumer& c, int quantity);

// The periodic operating periods of one consumer.
struct PeriodInputs {
    bool energyBasis = true; // daily energy (W*h) or daily operating time (h)
    QString energy = QStringLiteral("1000");
    QString time = QStringLiteral("10");
    QString begin = QStringLiteral("0");
    QString end = QStringLiteral("24");
    QString step = QStringLiteral("1");
    double pnom = 0; // rated power of one unit of the consumer, W
};
enum class PeriodField { Energy, Time, Begin, End, Step };
struct PeriodResult {
    std::optional<QString> error;                   // the refusal; the table stays empty
    std::optional<PeriodField> errorField;          // where the focus goes
    std::vector<std::pair<double, double>> periods; // T1, T2
};
PeriodResult generatePeriods(const PeriodInputs& in);

} // namespace ses
