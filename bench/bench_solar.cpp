// The evaluation of one array against the twelve months and the full tilt search over a year
// whose governing month's tilt is not enough; the monthly coefficient lookups alone are the
// baseline in the same run.

#include "solar/arrays.h"
#include "solar/insolation.h"

#include <benchmark/benchmark.h>
#include <cmath>

using namespace ses;

namespace {

std::vector<LossRow> lossTable() {
    std::vector<LossRow> loss;
    for (int a = 0; a <= 260; a += 5)
        loss.push_back({double(a), std::min(54.74, 100 * (1 - std::cos(a * M_PI / 180)) * 0.547)});
    return loss;
}

RegionYear moscowLike() {
    const double radiation[] = {0.5, 1.15, 2.29, 3.7,  5.37, 5.94,
                                5.6, 4.52, 2.76, 1.35, 0.58, 0.35};
    const double tilts[] = {76, 67, 56, 44, 35, 32, 36, 44, 56, 68, 76, 79};
    RegionYear year;
    for (int m = 0; m < 12; ++m)
        year[m] = RegionMonthData{radiation[m], 5, tilts[m]};
    return year;
}

std::array<double, 12> requirement() {
    std::array<double, 12> r{};
    for (int m = 0; m < 12; ++m)
        r[m] = 3000 / moscowLike()[m]->radiation;
    r[5] = 9000; // a summer peak load governs at a low tilt
    return r;
}

void BM_CoefficientLookups(benchmark::State& state) {
    const auto loss = lossTable();
    const RegionYear year = moscowLike();
    for (auto _ : state)
        for (int m = 0; m < 12; ++m)
            benchmark::DoNotOptimize(
                performanceCoefficient(loss, deviationAngle(200, 45, year[m]->tilt)));
}
BENCHMARK(BM_CoefficientLookups)->Unit(benchmark::kMicrosecond);

void BM_EvaluateOneArray(benchmark::State& state) {
    const auto loss = lossTable();
    const RegionYear year = moscowLike();
    const auto req = requirement();
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluateArray(req, year, loss, 200, 45, 1200, 0));
}
BENCHMARK(BM_EvaluateOneArray)->Unit(benchmark::kMicrosecond);

void BM_FullTiltSearch(benchmark::State& state) {
    const auto loss = lossTable();
    const RegionYear year = moscowLike();
    const auto req = requirement();
    if (!requiredPowerAndTilt(req, year, loss).searched)
        state.SkipWithError("the fixture does not search");
    for (auto _ : state)
        benchmark::DoNotOptimize(requiredPowerAndTilt(req, year, loss));
}
BENCHMARK(BM_FullTiltSearch)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
