// The charge controller choice: the fixed query of one array over a catalog of 50 makers x 20
// types x 4 system voltages x 4 battery types, the output current with its cached catalog
// lookup, and storing the controllers of 20 arrays. The baseline is the pure query parameters and
// candidate rule of one array over the same catalog in memory, in the same run.

#include "data/data_dir.h"
#include "data/data_module.h"
#include "solar/controller_ops.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

const double kVoltages[] = {12, 24, 36, 48};
const char* const kBatteries[] = {"AGM", "GEL", "Flooded", "LiFePo4"};

// The catalog as the pure rule sees it, and the same written into the store through SQL.
std::vector<CatalogController> catalogRows() {
    std::vector<CatalogController> out;
    for (int m = 1; m <= 50; ++m)
        for (int t = 1; t <= 20; ++t)
            for (double u : kVoltages) {
                CatalogController c;
                c.company = QStringLiteral("Компания %1").arg(m);
                c.tip = QStringLiteral("К-%1-%2").arg(m).arg(t);
                c.algorithm = t % 2 ? QStringLiteral("MPPT") : QStringLiteral("PWM");
                c.imax = 10 * t;
                c.section = 16;
                c.uses = u;
                c.psp = 10 * t * u * 1.1;
                c.uxx = 100 + 10 * (t % 5);
                if (t % 2) {
                    c.umpptMin = u + 6;
                    c.umpptMax = 80;
                }
                for (const char* b : kBatteries)
                    c.chargeVoltages.push_back({QString::fromLatin1(b), u / 12 * 14.2});
                out.push_back(c);
            }
    return out;
}

struct Bench {
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    std::unique_ptr<TDataModule1> dm;
    std::vector<CatalogController> catalog = catalogRows();

    explicit Bench(int arrays) {
        const QString dir = tmp.path() + "/Data";
        initDataDirectory(dir, InitContent::Bare);
        store = Store::open(dir);
        {
            Transaction tr(*store);
            int kod1 = 0, kod2 = 0, m = 0;
            QString company;
            for (const CatalogController& c : catalog) {
                if (c.company != company) {
                    company = c.company;
                    store->exec("INSERT INTO Controller0 (Kod, Company, UseCtrl) VALUES (?, ?, 1)",
                                {++m, company});
                }
                if (c.uses == 12)
                    store->exec("INSERT INTO Controller1 (Kod, Kod0, Tip, Algoritm1, Imax_sp, "
                                "Imax_nagr, ProvSechMax, UseCtrl) VALUES (?, ?, ?, ?, ?, 0, ?, 1)",
                                {++kod1, m, c.tip, c.algorithm, *c.imax, *c.section});
                store->exec("INSERT INTO Controller2 (Kod, Kod0, Uses, Psp, Uxx_sp, Umppt_min, "
                            "Umppt_max) VALUES (?, ?, ?, ?, ?, ?, ?)",
                            {++kod2, kod1, *c.uses, *c.psp, *c.uxx,
                             c.umpptMin ? QVariant(*c.umpptMin) : QVariant(),
                             c.umpptMax ? QVariant(*c.umpptMax) : QVariant()});
                for (const auto& [type, u] : c.chargeVoltages)
                    store->exec("INSERT INTO Controller4 (Kod0, TipAKB, Upodzar) VALUES (?, ?, ?)",
                                {kod2, type, *u});
            }
            tr.commit();
        }
        dm = std::make_unique<TDataModule1>(*store, prompter);
        const auto add = [](View& v, std::initializer_list<std::pair<const char*, QVariant>> f) {
            v.append();
            for (const auto& [name, value] : f)
                v[QString::fromLatin1(name)].setValue(value);
            v.post();
        };
        add(dm->tblProj0(), {{"Name", "Проект"}});
        add(dm->tblProj1(), {{"VarName", "Вариант"},
                             {"Uses", 24},
                             {"UseMPPT_Ctrl", 1},
                             {"Umppt", 48},
                             {"Poteri_Ctrl", 10},
                             {"Uxx_zap_Ctrl", 10},
                             {"DefUzar_Ctrl", 14.2},
                             {"DefTipAKB_Ctrl", "GEL"},
                             {"Tip_SP", "СП"},
                             {"Unom_SP", 12},
                             {"Voc_SP", 21.6},
                             {"Vmp_SP", 17.2}});
        for (int a = 0; a < arrays; ++a)
            add(dm->tblProj_Mas(), {{"NameMassive", QStringLiteral("Массив %1").arg(a + 1)},
                                    {"KolPosled", 4},
                                    {"Pmas", 800},
                                    {"Imas", 15}});
    }
};

ControllerVariant variant() {
    ControllerVariant v;
    v.mppt = true;
    v.umppt = 48;
    v.uses = 24;
    v.defaultBatteryType = QStringLiteral("GEL");
    v.panelType = QStringLiteral("СП");
    v.unomSp = 12;
    v.vocSp = 21.6;
    v.vmpSp = 17.2;
    return v;
}

ControllerArray oneArray() {
    ControllerArray a;
    a.name = QStringLiteral("Массив 1");
    a.power = 800;
    a.current = 15;
    a.series = 4;
    return a;
}

void BM_ParamsAndRuleInMemory(benchmark::State& state) {
    const auto catalog = catalogRows();
    const ControllerVariant v = variant();
    for (auto _ : state) {
        const Amperes charge = controllerOutputCurrent(v, 800, {});
        const auto q = controllerQuery(v, 1.115, oneArray(), charge);
        benchmark::DoNotOptimize(candidates(catalog, *q.query));
    }
}
BENCHMARK(BM_ParamsAndRuleInMemory)->Unit(benchmark::kMicrosecond);

void BM_FixedQueryOneArray(benchmark::State& state) {
    Bench b(1);
    const ControllerSource s = readControllerSource(*b.dm);
    ControllerCatalog catalog(*b.dm);
    const auto q = catalog.rowQuery(s, s.rows[0]);
    std::size_t found = 0;
    for (auto _ : state)
        found = catalog.query(*q.query).size();
    state.counters["candidates"] = double(found);
}
BENCHMARK(BM_FixedQueryOneArray)->Unit(benchmark::kMicrosecond);

void BM_OutputCurrentCached(benchmark::State& state) {
    Bench b(1);
    ControllerCatalog catalog(*b.dm);
    const ControllerVariant v = readControllerVariant(*b.dm);
    const QString company = QStringLiteral("Компания 7"), tip = QStringLiteral("К-7-9");
    catalog.outputCurrent(v, 800, company, tip);
    for (auto _ : state)
        benchmark::DoNotOptimize(catalog.outputCurrent(v, 800, company, tip));
}
BENCHMARK(BM_OutputCurrentCached)->Unit(benchmark::kMicrosecond);

void BM_Store20Arrays(benchmark::State& state) {
    Bench b(20);
    ControllerSource s = readControllerSource(*b.dm);
    ControllerCatalog catalog(*b.dm);
    const auto q = catalog.rowQuery(s, s.rows[0]);
    const auto found = catalog.query(*q.query);
    std::vector<std::vector<ControllerArray>> choices;
    for (int k = 0; k < 2; ++k) { // alternating, so that every store changes every array
        std::vector<ControllerArray> rows = s.rows;
        const ControllerCandidate& c = found[k];
        applyChoice(rows, 0, c, true, s.variant,
                    catalog.chargeVoltage(c.company, c.tip, s.variant.uses, "GEL"));
        choices.push_back(rows);
    }
    int k = 0;
    for (auto _ : state)
        if (storeControllers(*b.dm, choices[k++ % 2]))
            state.SkipWithError("store refused");
}
BENCHMARK(BM_Store20Arrays)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
