// The generation and analysis tables and the scheme view's picture. Baseline: the tilt search
// alone over the year's requirement. Against it, in the same run: the generation table and the
// solar battery analysis of 20 AC loads with 4 schedules each, 10 DC schedules and 10 arrays
// (both should stay under 2 ms, as the windows compute them on every opening); and the scheme
// view's layout and painting of 20 arrays of 10 strings of 3 panels at 40 px/m, redrawn on each
// change of its settings (under 100 ms).

#include "lib/months.h"
#include "reports/solar_scheme_view.h"
#include "solar/generation.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>

using namespace ses;

namespace {

std::vector<LossRow> lossTable() {
    return {{0, 0}, {10, 1.5}, {20, 6}, {30, 13.4}, {40, 23.4}, {60, 50}, {90, 100}};
}

GenerationInputs largeInputs() {
    GenerationInputs in;
    in.region = QStringLiteral("Юг");
    for (int m = 1; m <= 12; ++m)
        in.months.push_back({monthNames()[m - 1], 1 + 0.4 * (6.5 - std::abs(6.5 - m)),
                             -5 + 2.5 * (6.5 - std::abs(6.5 - m)),
                             70 - 8 * (6.5 - std::abs(6.5 - m))});
    auto months = [](double scale) {
        std::vector<StoredMonth> rows;
        for (int m = 1; m <= 12; ++m)
            rows.push_back({monthNames()[m - 1], 200 * scale + 10 * m, 260 * scale + 10 * m});
        return rows;
    };
    const char* ranges[4][2] = {
        {"январь", "март"}, {"апрель", "июнь"}, {"июль", "сентябрь"}, {"октябрь", "декабрь"}};
    for (int load = 0; load < 20; ++load)
        for (int s = 0; s < 4; ++s) {
            LoadSchedule sch;
            sch.loadKey = load + 1;
            sch.load = QStringLiteral("Нагрузка %1").arg(load + 1);
            sch.name = QStringLiteral("График %1").arg(s + 1);
            sch.kinv = 0.9;
            sch.first = QString::fromUtf8(ranges[s][0]);
            sch.last = QString::fromUtf8(ranges[s][1]);
            sch.wpSut = 800 + 37 * load + 11 * s;
            sch.months = months(1 + 0.05 * load);
            in.schedules.push_back(sch);
        }
    for (int s = 0; s < 10; ++s) {
        LoadSchedule sch;
        sch.dc = true;
        sch.name = QStringLiteral("Постоянная %1").arg(s + 1);
        sch.first = QStringLiteral("январь");
        sch.last = QStringLiteral("декабрь");
        sch.wpSut = 300 + 13 * s;
        sch.months = months(0.3);
        in.schedules.push_back(sch);
    }
    for (int a = 0; a < 10; ++a)
        in.arrays.push_back({1500, 160.0 + 4 * a, 30.0 + 3 * a});
    in.totalPower = 15000;
    in.settings.panelTemperature = true;
    in.loss = lossTable();
    return in;
}

// A year's requirement, largest in winter but flat enough that the summer months exceed it at
// the winter tilt: the tilt is searched.
std::array<double, 12> yearRequirement() {
    std::array<double, 12> r{};
    for (int m = 0; m < 12; ++m)
        r[m] = 12000 + 300 * std::abs(6.5 - (m + 1));
    return r;
}

void BM_TiltSearchBaseline(benchmark::State& state) {
    const GenerationInputs in = largeInputs();
    const RegionYear region = regionYearOf(in.months);
    const std::array<double, 12> requirement = yearRequirement();
    if (!requiredPowerAndTilt(requirement, region, in.loss).searched)
        state.SkipWithError("the tilt was not searched");
    for (auto _ : state)
        benchmark::DoNotOptimize(requiredPowerAndTilt(requirement, region, in.loss));
}
BENCHMARK(BM_TiltSearchBaseline)->Unit(benchmark::kMicrosecond);

void BM_GenerationTable(benchmark::State& state) {
    const GenerationInputs in = largeInputs();
    for (auto _ : state) {
        const GenerationTable t = generationTable(in);
        if (t.refusal || t.columns.size() != 12)
            state.SkipWithError("the generation table was refused");
        benchmark::DoNotOptimize(t.grid());
    }
}
BENCHMARK(BM_GenerationTable)->Unit(benchmark::kMicrosecond);

void BM_SolarAnalysis(benchmark::State& state) {
    const GenerationInputs in = largeInputs();
    const RegionYear region = regionYearOf(in.months);
    for (auto _ : state) {
        const SolarAnalysis a = solarAnalysis(in.schedules, region, in.settings, in.loss);
        if (a.refusal || a.requirement.rows.size() != 91)
            state.SkipWithError("the analysis was refused");
        benchmark::DoNotOptimize(a.note());
    }
}
BENCHMARK(BM_SolarAnalysis)->Unit(benchmark::kMicrosecond);

void BM_SchemeViewLayoutAndPaint(benchmark::State& state) {
    SchemeVariant v;
    v.panelType = QStringLiteral("СП-М-300-24");
    v.panelPower = QStringLiteral("300");
    v.panelVoltage = QStringLiteral("24");
    v.panelWidthMm = 992;
    v.panelHeightMm = 1640;
    v.mppt = true;
    v.mpptVoltage = QStringLiteral("72");
    for (int a = 0; a < 20; ++a) {
        SchemeArray array;
        array.name = QStringLiteral("Массив %1").arg(a + 1);
        array.strings = 10;
        array.series = 3;
        array.panelCount = 30;
        array.power = QStringLiteral("9000");
        v.arrays.push_back(array);
    }
    SolarSchemeViewInput in;
    in.variant = &v;
    in.checked.assign(v.arrays.size(), true);
    in.annotations.kind = SchemeAnnotation::Currents;
    in.annotations.current = 8.5;
    in.annotations.label = [](double c) { return currentLabel(c); };
    in.scale = 40;
    const TextMeasure measure = fontTextMeasure();
    for (auto _ : state) {
        const QImage picture = render(solarSchemeView(in, measure));
        if (picture.isNull())
            state.SkipWithError("the picture was not painted");
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_SchemeViewLayoutAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
