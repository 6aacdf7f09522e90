// The tabular choices over large catalogs, each against reading its catalog alone in the same run:
// - batteries: 5 000 models of 50 types, the demo variant with three MPPT arrays; one build reads
//   the catalog, assembles every model with its type's charge current, filters, writes optim_akb
//   and fills the table model;
// - panels: 20 000 types of 20 makers; one build reads the catalog, forms every battery with its
//   array split and the charge-current growth, filters, writes optim_sp and fills the model.

#include "app/demo.h"
#include "app/shell.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "solar/panel_table_ops.h"
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
        int maker = 0;
        for (int ty = 0; ty < models / perType; ++ty) {
            // A maker per four types: a maker holds each type name once.
            if (ty % 4 == 0) {
                store->exec("INSERT INTO akb0 (Company, UseAKB) VALUES (?, 1)",
                            {QString("Производитель АБ %1").arg(ty / 4 + 1)});
                QSqlQuery m = store->select("SELECT max(Kod) FROM akb0");
                m.next();
                maker = m.value(0).toInt();
            }
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
        std::vector<BatteryCandidate> shown;
        for (const BatteryCandidate& c : all)
            if (filter.admits(c.company, c.tip, batteryFilterValues(c)))
                shown.push_back(c);
        model.setRows(int(shown.size()), [&shown](int r) { return batteryTableRow(shown[r]); });
        // The rows a screen shows.
        for (int r = 0; r < std::min<int>(30, model.rowCount()); ++r)
            benchmark::DoNotOptimize(model.rowTexts(r));
        rows = all.size();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_TabularBatteries)->Unit(benchmark::kMillisecond)->Arg(5000);

// 20 makers with types of 12 and 24 V from 50 to 500 W.
void addPanels(Catalog& cat, int types) {
    Transaction t(*cat.store);
    const int makers = 20;
    for (int m = 0; m < makers; ++m) {
        cat.store->exec("INSERT INTO SunPanel0 (Company, UseSP) VALUES (?, 1)",
                        {QString("Производитель %1").arg(m + 1)});
        QSqlQuery q = cat.store->select("SELECT max(Kod) FROM SunPanel0");
        q.next();
        const int kod = q.value(0).toInt();
        for (int i = 0; i < types / makers; ++i) {
            const double p = 50 + 5 * (i % 91);
            const double u = i % 2 ? 24 : 12;
            cat.store->exec("INSERT INTO SunPanel1 (Kod0, Tip, Structure, P, Unom, H, S, Voc, Isc, "
                            "Vmp, Imp, Kpd, UseSP) VALUES (?, ?, 'моно', ?, ?, 1500, 700, ?, ?, ?, "
                            "?, 18, 1)",
                            {kod, QString("П-%1-%2").arg(m).arg(i), p, u, u * 1.8, p / u / 1.2,
                             u * 1.45, p / u / 1.45});
        }
    }
    t.commit();
}

// The demo variant's system with 2 700 W required in arrays of 600 W, the charge current matched.
PanelTableInput panelInput(Catalog& cat) {
    const PanelTableSource source = readPanelTableSource(*cat.dm);
    PanelTableInput in;
    in.system = source.variant.system;
    in.requiredPower = 2700;
    in.arrayPower = 600;
    in.charge = panelChargeRange(source.variant, true);
    return in;
}

void BM_TabularPanelsReadCatalog(benchmark::State& state) {
    Catalog cat(0);
    addPanels(cat, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(panelCatalogInUse(*cat.dm));
}
BENCHMARK(BM_TabularPanelsReadCatalog)->Unit(benchmark::kMillisecond)->Arg(20000);

void BM_TabularPanels(benchmark::State& state) {
    Catalog cat(0);
    addPanels(cat, int(state.range(0)));
    const PanelTableInput in = panelInput(cat);
    CandidateModel model(panelTableTitles());
    QStringList fields(8);
    fields[0] = QStringLiteral("100 .. 300");
    const RowFilter filter = panelFilter({}, fields);
    size_t rows = 0;
    for (auto _ : state) {
        const auto all = panelCandidates(panelCatalogInUse(*cat.dm), in);
        writePanelCandidates(*cat.dm, all);
        std::vector<PanelCandidate> shown;
        for (const PanelCandidate& c : all)
            if (filter.admits(c.row.company, c.row.tip, panelFilterValues(c)))
                shown.push_back(c);
        model.setRows(int(shown.size()), [&shown](int r) { return panelTableRow(shown[r]); });
        for (int r = 0; r < std::min<int>(30, model.rowCount()); ++r)
            benchmark::DoNotOptimize(model.rowTexts(r));
        rows = all.size();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_TabularPanels)->Unit(benchmark::kMillisecond)->Arg(20000);

// The two larger shares of a build on their own: forming the candidates from a catalog already
// read, and rewriting optim_sp with them.
void BM_TabularPanelsBuild(benchmark::State& state) {
    Catalog cat(0);
    addPanels(cat, int(state.range(0)));
    const PanelTableInput in = panelInput(cat);
    const auto cl = panelCatalogInUse(*cat.dm);
    for (auto _ : state)
        benchmark::DoNotOptimize(panelCandidates(cl, in));
}
BENCHMARK(BM_TabularPanelsBuild)->Unit(benchmark::kMillisecond)->Arg(20000);

void BM_TabularPanelsWrite(benchmark::State& state) {
    Catalog cat(0);
    addPanels(cat, int(state.range(0)));
    const PanelTableInput in = panelInput(cat);
    const auto all = panelCandidates(panelCatalogInUse(*cat.dm), in);
    for (auto _ : state)
        writePanelCandidates(*cat.dm, all);
}
BENCHMARK(BM_TabularPanelsWrite)->Unit(benchmark::kMillisecond)->Arg(20000);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
