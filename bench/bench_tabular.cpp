// The tabular battery choice over a large catalog: 5 000 battery models of 50 types, the demo
// variant with three MPPT arrays. One build reads the catalog, assembles every model with its
// type's charge current, filters, writes optim_akb and fills the table model. Baseline in the
// same run: reading the catalog alone.

#include "app/demo.h"
#include "app/shell.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "storage/battery_table_ops.h"
#include "widgets/candidate_model.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

struct Catalog {
    QTemporaryDir tmp;
    RecordingPrompter prompter;
    std::unique_ptr<Store> store;
    std::unique_ptr<TDataModule1> dm;
    std::unique_ptr<Shell> shell;

    explicit Catalog(int models) {
        initDataDirectory(tmp.path());
        store = Store::open(tmp.path());
        dm = std::make_unique<TDataModule1>(*store, prompter);
        shell = std::make_unique<Shell>(*dm, prompter);
        buildDemoProject(*shell);
        dm->tblProj1().first();
        Transaction t(*store);
        store->exec("UPDATE project1 SET UseMPPT_Ctrl = 1");
        // Three arrays with the demo's controllers.
        store->exec("INSERT INTO proj_mas (Kod0, NameMassive, Pmas, Company_Ctrl, Tip_Ctrl) "
                    "SELECT Kod0, 'Массив', 600, Company_Ctrl, Tip_Ctrl FROM proj_mas "
                    "WHERE Kod0 = ? LIMIT 2",
                    {dm->tblProj1().currentKey()});
        const char* types[] = {"AGM", "GEL", "Flooded", "LiFePo4"};
        const int perType = 100;
        for (int ty = 0; ty < models / perType; ++ty) {
            const int maker = ty % 2 + 1;
            store->exec("INSERT INTO akb1 (Kod0, Tip, UseAKB) VALUES (?, ?, 1)",
                        {maker, QString::fromLatin1(types[ty % 4])});
            QSqlQuery q = store->select("SELECT max(Kod) FROM akb1");
            q.next();
            const int kod = q.value(0).toInt();
            for (int m = 0; m < perType; ++m) {
                const double u = (m % 3 == 0) ? 2 : (m % 3 == 1 ? 6 : 12);
                const double c = 20 + 10 * (m % 50);
                store->exec("INSERT INTO akb2 (Kod0, Name, C, U, Izar_min, Izar_max, Irazr_max, "
                            "L, S, H, UseAKB) VALUES (?, ?, ?, ?, ?, ?, ?, 300, 170, 220, 1)",
                            {kod, QString("М-%1-%2").arg(ty).arg(m), c, u, c / 10, c / 3, c * 5});
            }
        }
        t.commit();
        dm->tblProj_Mas().refresh();
    }
};

void BM_TabularBatteriesReadCatalog(benchmark::State& state) {
    Catalog cat(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(batteryCatalogInUse(*cat.dm));
}
BENCHMARK(BM_TabularBatteriesReadCatalog)->Unit(benchmark::kMillisecond)->Arg(5000);

void BM_TabularBatteries(benchmark::State& state) {
    Catalog cat(int(state.range(0)));
    const BatterySource source = readBatterySource(*cat.dm);
    CandidateModel model(batteryTableTitles());
    QStringList fields(8);
    fields[2] = QStringLiteral("1 .. 10");
    const RowFilter filter = batteryFilter({}, {}, fields);
    size_t rows = 0;
    for (auto _ : state) {
        const auto all = buildBatteryCandidates(*cat.dm, source, true);
        std::vector<QStringList> texts;
        for (const BatteryCandidate& c : all)
            if (filter.admits(c.company, c.tip, batteryFilterValues(c)))
                texts.push_back(batteryTableRow(c));
        model.setRows(std::move(texts));
        rows = all.size();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_TabularBatteries)->Unit(benchmark::kMillisecond)->Arg(5000);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
