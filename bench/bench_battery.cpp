// The storage battery choice. Baseline: one model's assembly without MPPT controllers. Measured
// against it in the same run: the recompute on a model change (the MPPT charge current of 10
// arrays, the assembly matched to it, a month's discharge of 20 AC loads x 4 schedules and 10 DC
// schedules, the assembly drawing), and a tiny cell grown by the charge current to hundreds of
// strings.

#include "reports/battery_assembly.h"
#include "storage/battery.h"

#include <benchmark/benchmark.h>

using namespace ses;

namespace {

BatteryModel model(double c, double izarMin, double izarMax) {
    BatteryModel m;
    m.name = QStringLiteral("Т-12-%1").arg(c);
    m.c = c;
    m.u = 12;
    m.izarMin = izarMin;
    m.izarMax = izarMax;
    m.irazrMax = 10 * c;
    m.l = 330;
    m.s = 173;
    m.h = 220;
    return m;
}

AssemblyVariant variant() {
    AssemblyVariant v;
    v.uses = 24;
    v.cras = 850;
    v.inom = 12;
    v.imax = 40;
    v.ipik = 300;
    return v;
}

QSizeF fixedMeasure(const QString& text, const DrawFont&) {
    return QSizeF(7.0 * text.size(), 14);
}

// A schedule of six intervals over the day, shifted by `shift` hours so the profile has many
// segments.
CapacitySchedule schedule(bool ac, int shift, double kinv) {
    CapacitySchedule s;
    s.ac = ac;
    s.kinv = kinv;
    s.load = QStringLiteral("Нагрузка %1").arg(shift);
    s.name = QStringLiteral("График %1").arg(shift);
    const double a = 1 + shift % 5, b = 8 + shift % 4, c = 17 + shift % 3;
    s.intervals = {{0, a, 20.0 + shift}, {a, b, 5},   {b, 12, 60},
                   {12, c, 10},          {c, 22, 90}, {22, 24, 30}};
    s.months = {{QStringLiteral("январь"), 0, 0}};
    return s;
}

DischargeInputs dischargeInputs() {
    DischargeInputs in;
    in.source.settings.uses = 24;
    in.source.settings.batteryLosses = 20;
    in.source.daylight = {{QStringLiteral("январь"), 8.5, 16.25, -5}};
    for (int load = 0; load < 20; ++load)
        for (int k = 0; k < 4; ++k)
            in.source.schedules.push_back(schedule(true, load + k, 0.9));
    for (int k = 0; k < 10; ++k)
        in.source.schedules.push_back(schedule(false, k, 1));
    in.coefficients = {{-10, 1.2}, {0, 1.1}, {25, 1}};
    in.month = 1;
    return in;
}

void BM_OneModelWithoutMppt(benchmark::State& state) {
    const BatteryModel m = model(200, 20, 60);
    const AssemblyVariant v = variant();
    for (auto _ : state)
        benchmark::DoNotOptimize(assemble(m, v, 45.0, true));
}
BENCHMARK(BM_OneModelWithoutMppt);

void BM_RecomputeOnModelChange(benchmark::State& state) {
    const BatteryModel m = model(200, 20, 60);
    AssemblyVariant v = variant();
    v.mppt = true;
    const std::vector<double> currents = {41.3, 41.3, 27.52, 27.52, 13.76,
                                          41.3, 41.3, 27.52, 27.52, 13.76};
    DischargeInputs in = dischargeInputs();
    for (auto _ : state) {
        const AssemblyResult r = assemble(m, v, mpptChargeCurrent(currents), true);
        in.cf = r.figures.cf;
        benchmark::DoNotOptimize(dischargeTable(in));
        BatteryAssemblyInput d;
        d.parallel = r.figures.np;
        d.series = r.figures.ns;
        d.capacity = QStringLiteral("1000");
        d.count = QStringLiteral("10");
        d.nominalCapacity = QStringLiteral("200");
        d.nominalVoltage = QStringLiteral("12");
        d.model = m.name;
        d.voltage = QStringLiteral("24");
        d.widthMm = m.s;
        d.lengthMm = m.l;
        benchmark::DoNotOptimize(batteryAssembly(d, fixedMeasure));
    }
}
BENCHMARK(BM_RecomputeOnModelChange)->Unit(benchmark::kMicrosecond);

void BM_TinyCellGrownToHundredsOfStrings(benchmark::State& state) {
    const BatteryModel tiny = model(1, 0.01, 0.1);
    const AssemblyVariant v = variant();
    for (auto _ : state) {
        const AssemblyResult r = assemble(tiny, v, 95.05, true);
        if (r.figures.np < 900)
            state.SkipWithError("the cell did not grow");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_TinyCellGrownToHundredsOfStrings);

} // namespace

BENCHMARK_MAIN();
