// The recalculation chain for a variant of 20 AC loads with 4 schedules each and 10 DC schedules;
// the tilt search alone is the baseline in the same run.

#include "app/recalc.h"
#include "data/data_dir.h"
#include "lib/months.h"
#include "solar/insolation.h"
#include "solar/sizing_store.h"
#include "storage/capacity_store.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

void addSchedule(Store& s, const char* table, const char* months, const char* intervals,
                 qint64 owner, int k) {
    s.exec(QStringLiteral(
               "INSERT INTO %1 (Kod0, SutGrafName, MonthName1, MonthName2, Wp_sut, Pnom30min, "
               "Pmax10min, Wp_pik) VALUES (?, 'График', 'январь', 'декабрь', ?, ?, ?, ?)")
               .arg(table),
           {owner, 2000 + k, 300, 600, 1200});
    const qint64 schedule = s.count(table);
    for (const QString& m : monthNames())
        s.exec(QStringLiteral(
                   "INSERT INTO %1 (Kod0, MonthName, Wsut_dark, Wmax_dark) VALUES (?, ?, ?, ?)")
                   .arg(months),
               {schedule, m, 900 + k, 900 + k});
    for (int h = 0; h < 24; ++h)
        s.exec(
            QStringLiteral("INSERT INTO %1 (Kod0, T1, T2, P) VALUES (?, ?, ?, ?)").arg(intervals),
            {schedule, h, h + 1, 50 + (h * 37 + k) % 300});
}

void BM_TiltSearch(benchmark::State& state) {
    std::vector<LossRow> loss;
    for (int a = 0; a <= 260; a += 5)
        loss.push_back({double(a), std::min(90.0, a * 0.6)});
    RegionYear year;
    for (int m = 0; m < 12; ++m)
        year[m] = RegionMonthData{1.0 + m % 6, 5, 30.0 + 4 * std::abs(m - 6)};
    std::array<double, 12> req{};
    for (int m = 0; m < 12; ++m)
        req[m] = 1000 + 300 * std::abs(m - 6);
    for (auto _ : state)
        benchmark::DoNotOptimize(requiredPowerAndTilt(req, year, loss));
}
BENCHMARK(BM_TiltSearch)->Unit(benchmark::kMicrosecond);

void BM_RecalcChain(benchmark::State& state) {
    QTemporaryDir tmp;
    initDataDirectory(tmp.path());
    auto store = Store::open(tmp.path());
    {
        Transaction tr(*store);
        store->exec("INSERT INTO project0 (Name) VALUES ('Проект')");
        store->exec(
            "INSERT INTO project1 (Kod0, VarName, ParamNagr, Uses, Region, Poteri_AKB, "
            "Poteri_Ctrl, "
            "GlubRazryad_AKB, Ksp_summer, Ksp_winter, SutCikl, Krazr_nom, Krazr_max, Krazr_pik, "
            "DefTipAKB_Ctrl) VALUES (1, 'Большой', 1, 24, 'Москва', 20, 10, 30, 0.5, 0.7, 1, 10, "
            "5, 1, 'AGM')");
        for (const QString& m : monthNames())
            store->exec("INSERT INTO proj_sunday (Kod0, MonthName, Voshod10, Zakat10, TempAB) "
                        "VALUES (1, ?, 8, 17, 15)",
                        {m});
        for (int l = 0; l < 20; ++l) {
            store->exec(
                "INSERT INTO proj_inv (Kod0, Nagr_Name, Kpd_Inv) VALUES (1, 'Нагрузка', 0.9)");
            const qint64 load = store->count("proj_inv");
            for (int g = 0; g < 4; ++g)
                addSchedule(*store, "proj_graf0", "proj_gr_prm", "proj_graf1", load, l * 4 + g);
        }
        for (int d = 0; d < 10; ++d)
            addSchedule(*store, "proj_graf12_0", "proj_gr12_prm", "proj_graf12_1", 1, d);
        tr.commit();
    }
    RecordingPrompter p;
    TDataModule1 dm(*store, p);
    const int part = int(state.range(0));
    const CapacityInputs inputs = capacityInputs(dm, 1);
    for (auto _ : state) {
        if (part == 0) {
            const ChainResult r = runRecalcChain(dm);
            if (!r.problems.isEmpty())
                state.SkipWithError("the chain reported problems");
        } else if (part == 1) {
            benchmark::DoNotOptimize(requiredSolarPower(dm));
        } else if (part == 2) {
            benchmark::DoNotOptimize(capacityInputs(dm, 1));
        } else {
            benchmark::DoNotOptimize(requiredCapacity(inputs));
        }
    }
}
// 0: the whole chain; 1: the solar power alone; 2: reading the capacity inputs; 3: the capacity.
BENCHMARK(BM_RecalcChain)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
