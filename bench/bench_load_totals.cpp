// The monthly totals of one month: 50 consumers with 4 operating periods each over 5 schedules,
// every table and remark of the monthly window, against building the interval table of the same
// consumers (buildFromConsumers) in the same run. Then the battery analysis of the chain
// benchmark's variant (20 AC loads with 4 schedules each and 10 DC schedules, profiles) against
// the required capacity alone.

#include "lib/months.h"
#include "lib/numbers.h"
#include "load/load_totals.h"
#include "storage/capacity_analysis.h"

#include <benchmark/benchmark.h>

using namespace ses;

namespace {

constexpr int kSchedules = 5;
constexpr int kConsumers = 50;
constexpr int kPeriods = 4;

// As in the consumer benchmark: consumer k works four times a day, each start a little later
// than the last one's, so that the periods interleave and make many distinct time points.
std::vector<Consumer> consumers() {
    std::vector<Consumer> out;
    for (int k = 0; k < kConsumers; ++k) {
        Consumer c;
        c.name = QStringLiteral("Электроприемник %1").arg(k + 1);
        c.spnom = 10 + 7 * k;
        c.sppik = (k % 3 == 0 ? 3 : 1) * c.spnom;
        c.rejim = k % 2 == 0 ? QStringLiteral("ручной") : QStringLiteral("автоматический");
        for (int p = 0; p < kPeriods; ++p) {
            const double start = p * 6 + (k % 12) * 0.2;
            const double end = start + 1 + (k % 5) * 0.5;
            c.periods.push_back({numberToText(start), numberToText(end), start, end});
        }
        out.push_back(std::move(c));
    }
    return out;
}

TotalsInput totalsInput() {
    TotalsInput in;
    const std::vector<Consumer> all = consumers();
    for (int s = 0; s < kSchedules; ++s) {
        TotalsSchedule t;
        t.ac = s < 4;
        t.load = t.ac ? QStringLiteral("Нагрузка %1").arg(s / 2 + 1) : kDcLoadName;
        t.name = QStringLiteral("График %1").arg(s + 1);
        t.months = monthNames();
        const int per = kConsumers / kSchedules;
        t.consumers.assign(all.begin() + s * per, all.begin() + (s + 1) * per);
        t.intervals = parseIntervals(buildFromConsumers(t.consumers));
        in.schedules.push_back(std::move(t));
    }
    for (const QString& m : monthNames())
        in.daylight.push_back({m, 7.5, 18.25, 12});
    return in;
}

void BM_MonthTotals(benchmark::State& state) {
    const TotalsInput in = totalsInput();
    const std::vector<Consumer> all = consumers();
    RemarkParams params;
    params.nNom = 2;
    params.operationMode = RemarkMode::Any;
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(buildFromConsumers(all));
        else
            benchmark::DoNotOptimize(monthTotals(in, QStringLiteral("январь"), params));
    }
}
// 0: the interval table of the same consumers (the baseline); 1: everything of the month.
BENCHMARK(BM_MonthTotals)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);

// The chain benchmark's variant, held in memory: every schedule with its 12 monthly rows and
// 24 hourly intervals.
CapacityInputs chainVariant() {
    CapacityInputs in;
    StorageSettings& s = in.settings;
    s.loadMode = 1;
    s.uses = 24;
    s.depthOfDischarge = 30;
    s.batteryLosses = 20;
    s.krazrNom = 10;
    s.krazrMax = 5;
    s.krazrPik = 1;
    for (const QString& m : monthNames())
        in.daylight.push_back({m, 8, 17, 15});
    in.tempCoefficients = {{-20, 1.5}, {0, 1.2}, {25, 1}};
    const auto schedule = [](bool ac, int loadKod, int k) {
        CapacitySchedule c;
        c.ac = ac;
        c.kinv = ac ? 0.9 : 1;
        c.loadKod = loadKod;
        c.load = ac ? QStringLiteral("Нагрузка") : QStringLiteral("Нагрузка АБ");
        c.name = QStringLiteral("График");
        c.pnom = 300;
        c.pmax = 600;
        c.wpPik = 1200;
        for (const QString& m : monthNames())
            c.months.push_back({m, 900.0 + k, 900.0 + k});
        for (int h = 0; h < 24; ++h)
            c.intervals.push_back({double(h), double(h + 1), double(50 + (h * 37 + k) % 300)});
        return c;
    };
    for (int l = 0; l < 20; ++l)
        for (int g = 0; g < 4; ++g)
            in.schedules.push_back(schedule(true, l + 1, l * 4 + g));
    for (int d = 0; d < 10; ++d)
        in.schedules.push_back(schedule(false, 0, d));
    return in;
}

void BM_BatteryAnalysis(benchmark::State& state) {
    const CapacityInputs in = chainVariant();
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(requiredCapacity(in));
        else
            benchmark::DoNotOptimize(analyseBattery(in));
    }
}
// 0: the required capacity alone (the baseline); 1: the analysis with both tables.
BENCHMARK(BM_BatteryAnalysis)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
