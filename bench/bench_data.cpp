// Opening the data module over a large catalog and posting many rows. The baseline is opening the
// data module over an empty directory in the same run.

#include "data/data_dir.h"
#include "data/data_module.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

// A data directory with 20 000 panel types under 20 makers and 2 000 regions of 12 months,
// written straight through SQL so that building it is not what is measured.
QString bigCatalog(QTemporaryDir& tmp) {
    const QString dir = tmp.path() + "/Data";
    initDataDirectory(dir, InitContent::Bare);
    auto s = Store::open(dir);
    Transaction tr(*s);
    for (int m = 1; m <= 20; ++m)
        s->exec("INSERT INTO SunPanel0 (Kod, Company, UseSP) VALUES (?, ?, 1)",
                {m, QString("Компания %1").arg(m)});
    for (int i = 1; i <= 20000; ++i)
        s->exec("INSERT INTO SunPanel1 (Kod0, Tip, Structure, P, Unom, H, S, Voc, Isc, Vmp, Imp, "
                "Kpd, UseSP, "
                "TK_Pmax, TK_Vos) VALUES (?, ?, 'моно', ?, 12, 1000, 600, 22, 6, 18, 5.5, 18, 1, "
                "-0.4, -0.3)",
                {1 + i % 20, QString("СП-%1").arg(i), 50 + i % 400});
    for (int r = 1; r <= 2000; ++r) {
        s->exec("INSERT INTO region0 (Kod, Region, Fi) VALUES (?, ?, ?)",
                {r, QString("Регион %1").arg(r), 40 + r % 30});
        for (int m = 1; m <= 12; ++m)
            s->exec("INSERT INTO region1 (Kod0, MonthName, P, Tsred, B) VALUES (?, ?, 3, 5, 50)",
                    {r, QStringList{"январь", "февраль", "март", "апрель", "май", "июнь", "июль",
                                    "август", "сентябрь", "октябрь", "ноябрь", "декабрь"}[m - 1]});
    }
    tr.commit();
    return dir;
}

void BM_OpenDataModuleEmpty(benchmark::State& state) {
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/Data";
    initDataDirectory(dir, InitContent::Bare);
    auto store = Store::open(dir);
    RecordingPrompter p;
    for (auto _ : state) {
        TDataModule1 dm(*store, p);
        benchmark::DoNotOptimize(&dm);
    }
}
BENCHMARK(BM_OpenDataModuleEmpty)->Unit(benchmark::kMillisecond);

void BM_OpenDataModuleBigCatalog(benchmark::State& state) {
    QTemporaryDir tmp;
    const QString dir = bigCatalog(tmp);
    auto store = Store::open(dir);
    RecordingPrompter p;
    for (auto _ : state) {
        TDataModule1 dm(*store, p);
        benchmark::DoNotOptimize(&dm);
    }
}
BENCHMARK(BM_OpenDataModuleBigCatalog)->Unit(benchmark::kMillisecond);

// Posting 10 000 rows through the module's rules into a view that holds them all.
void BM_Post10000Rows(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tmp;
        const QString dir = tmp.path() + "/Data";
        initDataDirectory(dir, InitContent::Bare);
        auto store = Store::open(dir);
        RecordingPrompter p;
        TDataModule1 dm(*store, p);
        View& k = dm.tbl("perem");
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i) {
            k.append();
            k["Sech"].setFloat(i + 0.5);
            k["Idop"].setFloat(i);
            if (!k.post())
                state.SkipWithError("post refused");
        }
    }
}
BENCHMARK(BM_Post10000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
