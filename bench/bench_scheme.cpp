// The structural scheme. Baseline: one array's connection-scheme layout. Against it, in the same
// run: the layout of a large variant (8 arrays of 6 strings of 3 panels, 6 inverters, DC
// consumers), which should stay under 20 times the baseline; and the main window pane's whole
// redraw of the demo's first variant (reading it by key, the layout and the painting), which
// runs on every change of the variant and should stay under 30 ms.

#include "app/demo.h"
#include "app/shell.h"
#include "data/data_dir.h"
#include "reports/array_scheme.h"
#include "reports/structural_scheme.h"
#include "reports/ui/scheme_view.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

ArraySchemeInput oneArray() {
    ArraySchemeInput in;
    in.arrayName = QStringLiteral("Массив 1");
    in.panelType = QStringLiteral("СП-М-300-24");
    in.strings = 6;
    in.panelsPerString = 3;
    in.panelCount = 18;
    in.arrayPower = QStringLiteral("5400");
    in.arrayVoltage = QStringLiteral("48");
    in.panelPower = QStringLiteral("300");
    in.panelVoltage = QStringLiteral("24");
    in.panelWidthMm = 992;
    in.panelHeightMm = 1640;
    in.scale = 40;
    in.padTop = true;
    return in;
}

SchemeCircuit circuit(const char* breaker) {
    SchemeCircuit c;
    c.breakerType = QString::fromUtf8(breaker);
    c.breakerCurrent = QStringLiteral("63");
    c.section = QStringLiteral("16");
    c.length = QStringLiteral("12");
    c.current = QStringLiteral("48,5");
    c.drop = QStringLiteral("1,4");
    return c;
}

SchemeVariant largeVariant() {
    SchemeVariant v;
    v.panelType = QStringLiteral("СП-М-300-24");
    v.panelPower = QStringLiteral("300");
    v.panelVoltage = QStringLiteral("24");
    v.panelWidthMm = 992;
    v.panelHeightMm = 1640;
    v.mppt = true;
    v.mpptVoltage = QStringLiteral("72");
    v.systemVoltage = QStringLiteral("48");
    v.stringFuseType = QStringLiteral("ПВ-15");
    v.stringFuseCurrent = QStringLiteral("15");
    v.maxUnprotectedStrings = 2;
    v.batteryStrings = 3;
    v.batterySeries = 4;
    v.batteryLengthMm = 522;
    v.batteryWidthMm = 240;
    v.batteryModel = QStringLiteral("АКБ 12-200");
    v.batteryVoltage = QStringLiteral("12");
    v.batteryCapacity = QStringLiteral("200");
    v.batteryCount = QStringLiteral("12");
    v.batteryActualCapacity = QStringLiteral("600");
    v.chargeCurrent = QStringLiteral("280");
    v.hasDcConsumers = true;
    v.dcCircuit = circuit("ВА47-29 C16");
    v.dcNominal = QStringLiteral("120");
    v.dcMaximum = QStringLiteral("200");
    v.dcPeak = QStringLiteral("400");
    for (int k = 1; k <= 8; ++k) {
        SchemeArray a;
        a.name = QStringLiteral("Массив %1").arg(k);
        a.strings = 6;
        a.series = 3;
        a.panelCount = 18;
        a.power = QStringLiteral("5400");
        a.current = QStringLiteral("56,4");
        a.controllerType = QStringLiteral("КЗ-MPPT-100");
        a.controllerVoltage = QStringLiteral("48");
        a.controllerCurrent = QStringLiteral("100");
        a.controllerOutput = QStringLiteral("98,5");
        a.toController = circuit("ВА47-29 C63");
        a.toBattery = circuit("ВА47-29 C100");
        v.arrays.push_back(a);
    }
    for (int i = 1; i <= 6; ++i) {
        SchemeInverter inv;
        inv.name = QStringLiteral("ИН-ЧС-3000-48");
        inv.nominal = QStringLiteral("3000");
        inv.maximum = QStringLiteral("3600");
        inv.peak = QStringLiteral("6000");
        inv.inputVoltage = QStringLiteral("48");
        inv.outputVoltage = QStringLiteral("230");
        inv.feed = circuit("ВА47-29 C80");
        inv.feed.cableCount = QStringLiteral("2");
        inv.loadNominal = QStringLiteral("1500");
        inv.loadMaximum = QStringLiteral("2500");
        inv.loadPeak = QStringLiteral("5000");
        v.inverters.push_back(inv);
    }
    return v;
}

void BM_ArraySchemeBaseline(benchmark::State& state) {
    const ArraySchemeInput in = oneArray();
    const TextMeasure measure = fontTextMeasure();
    for (auto _ : state)
        benchmark::DoNotOptimize(arrayScheme(in, measure));
}
BENCHMARK(BM_ArraySchemeBaseline)->Unit(benchmark::kMicrosecond);

void BM_LargeSchemeLayout(benchmark::State& state) {
    const SchemeVariant v = largeVariant();
    SchemeOptions o;
    o.currents = true;
    const TextMeasure measure = fontTextMeasure();
    for (auto _ : state)
        benchmark::DoNotOptimize(structuralScheme(v, o, measure));
}
BENCHMARK(BM_LargeSchemeLayout)->Unit(benchmark::kMicrosecond);

// The demo, with a battery set into its first variant (the demo has none of its own yet).
void BM_PaneRedrawOfTheDemo(benchmark::State& state) {
    QTemporaryDir tmp;
    initDataDirectory(tmp.path());
    auto store = Store::open(tmp.path());
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    Shell shell(dm, prompter);
    buildDemoProject(shell);
    store->exec(QStringLiteral(
        "UPDATE project1 SET Tip_AKB = 'AGM', Name_AKB = 'АКБ 12-100', Unom_AKB = 12, "
        "Cnom_AKB = 100, KolPosled_AKB = 2, KolVetv_AKB = 2, Kol_AKB = 4, Cfakt_AKB = 200, "
        "L_AKB = 330, S_AKB = 173, SIzar_AKB = 31.5"));
    QSqlQuery first = store->select(QStringLiteral("SELECT MIN(Kod) FROM project1"));
    const qint64 kod = first.next() ? first.value(0).toLongLong() : -1;
    SchemeView view;
    SchemeOptions o;
    for (auto _ : state) {
        if (!view.draw(dm, prompter, kod, o))
            state.SkipWithError("the demo's scheme was not drawn");
    }
}
BENCHMARK(BM_PaneRedrawOfTheDemo)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
