// The monthly rows of a schedule of 288 five-minute intervals; the baseline is the schedule's
// parameters alone in the same run.

#include "lib/months.h"
#include "load/schedule.h"

#include <benchmark/benchmark.h>

using namespace ses;

namespace {

std::vector<Interval> fiveMinuteSchedule() {
    std::vector<Interval> iv;
    for (int i = 0; i < 288; ++i)
        iv.push_back({i / 12.0, (i + 1) / 12.0, 50.0 + (i * 37) % 400});
    return iv;
}

MonthlyInputs inputs() {
    MonthlyInputs in;
    for (const QString& m : monthNames()) {
        in.daylight.push_back({m, 7.5, 18.25, 12});
        in.regionMonths.push_back({m, 2.5, 5, 50});
    }
    in.region = QStringLiteral("Москва");
    in.tempCoefficients = {{-20, 1.5}, {0, 1.2}, {25, 1}};
    return in;
}

void BM_ScheduleParameters288(benchmark::State& state) {
    const auto iv = fiveMinuteSchedule();
    for (auto _ : state)
        benchmark::DoNotOptimize(scheduleParameters(iv, 30, 10));
}
BENCHMARK(BM_ScheduleParameters288)->Unit(benchmark::kMicrosecond);

void BM_MonthlyRows288(benchmark::State& state) {
    const auto iv = fiveMinuteSchedule();
    const MonthlyInputs in = inputs();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            monthlyRows(iv, QStringLiteral("январь"), QStringLiteral("декабрь"), in));
}
BENCHMARK(BM_MonthlyRows288)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
