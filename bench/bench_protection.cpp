// The candidate query of the protection windows over a catalog of 50 makers x 20 types x 10
// ratings (10 000 breakers, each with inverter ratings at four voltages): reading the catalog
// from the store, narrowed to what may fit, and filtering it for one circuit. The filter alone over
// the read catalog is the baseline in the same run.

#include "data/data_dir.h"
#include "data/data_module.h"
#include "lib/prompter.h"
#include "storage/protection_ops.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

struct Catalog {
    Catalog() {
        initDataDirectory(tmp.path());
        store = Store::open(tmp.path());
        Transaction tr(*store);
        store->exec("DELETE FROM AV2");
        store->exec("DELETE FROM AV1");
        store->exec("DELETE FROM AV0");
        for (int m = 0; m < 50; ++m) {
            store->exec("INSERT INTO AV0 (Kod, Company, UseAV) VALUES (?, ?, 1)",
                        {m + 1, QStringLiteral("Компания %1").arg(m + 1)});
            for (int t = 0; t < 20; ++t)
                for (int r = 0; r < 10; ++r) {
                    const int kod = (m * 20 + t) * 10 + r + 1;
                    store->exec("INSERT INTO AV1 (Kod, Kod0, Name, Unom, Inom, Tip_krep, Skab, "
                                "UseAV) VALUES (?, ?, ?, ?, ?, 'DIN-рейка', ?, ?)",
                                {kod, m + 1, QStringLiteral("АВ-%1-%2-%3").arg(m).arg(t).arg(r),
                                 48 + 25 * (t % 10), 6 + 10 * r, 4 + 5 * (r / 2), t != 7});
                    for (int u : {12, 24, 48, 96})
                        store->exec("INSERT INTO AV2 (Kod0, Uses, Pinv_nom, Pinv_pik) VALUES "
                                    "(?, ?, ?, ?)",
                                    {kod, u, u * (6 + 10 * r) * 0.8, u * (6 + 10 * r) * 2.0});
                }
        }
        tr.commit();
        dm = std::make_unique<TDataModule1>(*store, prompter);
    }
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    std::unique_ptr<TDataModule1> dm;
};

Requirement arrayRequirement() {
    Requirement r;
    r.current = 43.75 * 1.2;
    r.voltage = 54;
    r.section = 16;
    return r;
}

void BM_CandidateQuery(benchmark::State& state) {
    Catalog c;
    const DeviceCatalog read = readDeviceCatalog(*c.dm, DeviceKind::Breaker);
    if (read.size() != 10000)
        state.SkipWithError("the catalog is not as built");
    const Requirement r = arrayRequirement();
    const bool withRead = state.range(0) == 1;
    size_t offered = 0;
    for (auto _ : state) {
        const auto found =
            withRead ? candidatesFor(readCandidateDevices(*c.dm, DeviceKind::Breaker, r), r)
                     : candidatesFor(read, r);
        offered = found.size();
        benchmark::DoNotOptimize(offered);
    }
    state.counters["offered"] = double(offered);
}
// 0: the filter over the catalog in memory (baseline); 1: the part of the catalog that may fit
// read from the store (as the choice dialog reads it), then filtered.
BENCHMARK(BM_CandidateQuery)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
