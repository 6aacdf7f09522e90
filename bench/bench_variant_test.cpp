// The variant test: the pure test on a large snapshot (20 AC loads, 10 arrays, 10 DC schedules
// of 20 consumers each) is the baseline; reading that variant by key from the store and testing
// it is measured in the same run. The year's energy balance (two yearly runs of 365 days) too.

#include "app/demo.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "lib/prompter.h"
#include "reports/energy_balance_store.h"
#include "reports/variant_snapshot.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

// Copies of the first row of `table` under master `kod` until it has `count` rows there.
void grow(Store& store, const QString& table, const QVariant& kod, int count) {
    QStringList columns;
    for (QSqlQuery q = store.select(QStringLiteral("PRAGMA table_info(%1)").arg(table)); q.next();)
        if (q.value(1).toString() != QLatin1String("Kod"))
            columns << q.value(1).toString();
    const QString list = columns.join(QStringLiteral(", "));
    for (;;) {
        QSqlQuery n = store.select(
            QStringLiteral("SELECT COUNT(*), MIN(Kod) FROM %1 WHERE Kod0 = ?").arg(table), {kod});
        n.next();
        if (n.value(0).toInt() >= count || n.value(1).isNull())
            return;
        store.exec(
            QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %1 WHERE Kod = ?").arg(table, list),
            {n.value(1)});
    }
}

struct Large {
    Large() {
        createDataDirectoryWithExample(tmp.path());
        store = Store::open(tmp.path());
        {
            Transaction tr(*store);
            grow(*store, QStringLiteral("proj_inv"), 1, 20);
            grow(*store, QStringLiteral("proj_mas"), 1, 10);
            grow(*store, QStringLiteral("proj_graf12_0"), 1, 10);
            for (QSqlQuery g =
                     store->select(QStringLiteral("SELECT Kod FROM proj_graf12_0 WHERE Kod0 = 1"));
                 g.next();) {
                // A schedule copied without consumers gets those of the first one.
                QSqlQuery has =
                    store->select(QStringLiteral("SELECT COUNT(*) FROM proj_ep12_0 WHERE Kod0 = ?"),
                                  {g.value(0)});
                has.next();
                if (has.value(0).toInt() == 0)
                    store->exec(
                        QStringLiteral("INSERT INTO proj_ep12_0 (Kod0, Name, Unom) SELECT ?, Name, "
                                       "Unom FROM proj_ep12_0 WHERE Kod0 = (SELECT MIN(Kod) FROM "
                                       "proj_graf12_0 WHERE Kod0 = 1)"),
                        {g.value(0)});
                grow(*store, QStringLiteral("proj_ep12_0"), g.value(0), 20);
            }
            tr.commit();
        }
        dm = std::make_unique<TDataModule1>(*store, prompter);
        snapshot = variantSnapshot(*dm, 1);
        balance = yearBalance(*dm, 2).inputs.value();
    }
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    std::unique_ptr<TDataModule1> dm;
    VariantSnapshot snapshot;
    BalanceInputs balance;
};

Large& large() {
    static Large l;
    return l;
}

void BM_PureTest(benchmark::State& state) {
    const VariantSnapshot& s = large().snapshot;
    state.counters["loads"] = double(s.loads.size());
    state.counters["arrays"] = double(s.arrays.size());
    state.counters["dc"] = double(s.dc.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(testVariant(s));
}
BENCHMARK(BM_PureTest)->Unit(benchmark::kMicrosecond);

void BM_ReadAndTest(benchmark::State& state) {
    TDataModule1& dm = *large().dm;
    for (auto _ : state)
        benchmark::DoNotOptimize(shownTestLines(testVariant(variantSnapshot(dm, 1))));
}
BENCHMARK(BM_ReadAndTest)->Unit(benchmark::kMillisecond);

void BM_BalanceTwoYears(benchmark::State& state) {
    const BalanceInputs& in = large().balance;
    for (auto _ : state)
        benchmark::DoNotOptimize(energyBalance(in));
}
BENCHMARK(BM_BalanceTwoYears)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
