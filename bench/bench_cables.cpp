// "Выбор" of the cable window for a variant of 10 arrays and 20 AC loads: read, choose and write
// every circuit in one transaction. The pure choice over the same inputs is the baseline in the
// same run.

#include "data/data_dir.h"
#include "data/data_module.h"
#include "lib/prompter.h"
#include "storage/cable_ops.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

struct Variant {
    Variant() {
        initDataDirectory(tmp.path());
        store = Store::open(tmp.path());
        Transaction tr(*store);
        store->exec("INSERT INTO project0 (Name) VALUES ('Проект')");
        store->exec("INSERT INTO project1 (Kod0, VarName, Uses, DU_KL_Mas_Ctrl, DU_KL_Ctrl_AKB, "
                    "DU_KL_AKB_Inv, DU_KL_AKB_Output, Sel_Tbl_AKB_Inv, Sel_KL_AKB_Inv, "
                    "SIzar_max_AKB, Inom, Lkab_akb, Sposob_kab_akb) VALUES (1, 'Большой', 48, 5, "
                    "2, 2, 2, 0, 0, 200, 12, 4, 'открыто')");
        for (int a = 0; a < 10; ++a)
            store->exec(
                "INSERT INTO proj_mas (Kod0, NameMassive, Pmas, Imas, Tip_Ctrl, Inom_Ctrl, "
                "Skab_Ctrl, Lkab, Sposob_kab, Lkab_akb, Sposob_kab_akb) VALUES (1, ?, ?, "
                "?, 'К-60', 60, 35, ?, 'два 1-жильных провода в трубе', 3, 'открыто')",
                {QStringLiteral("Массив %1").arg(a + 1), 1000 + 100 * a, 20 + 2 * a, 5 + a});
        for (int l = 0; l < 20; ++l)
            store->exec("INSERT INTO proj_inv (Kod0, Nagr_Name, Name_Inv, Pnom_Inv, Pmax_Inv, "
                        "Uvh_Inv, Lkab_inv, Sposob_kab_inv) VALUES (1, ?, 'И-48', ?, ?, 48, ?, "
                        "'один 2-жильный провод в трубе')",
                        {QStringLiteral("Нагрузка %1").arg(l + 1), 500 + 200 * l, 800 + 250 * l,
                         1 + l % 5});
        tr.commit();
        dm = std::make_unique<TDataModule1>(*store, prompter);
    }
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    std::unique_ptr<TDataModule1> dm;
};

void BM_CableChoice(benchmark::State& state) {
    Variant v;
    const CableInputs inputs = readCableInputs(*v.dm);
    if (inputs.arrays.size() != 10 || inputs.loads.size() != 20)
        state.SkipWithError("the variant is not as built");
    const bool whole = state.range(0) == 1;
    for (auto _ : state) {
        if (whole)
            benchmark::DoNotOptimize(runCableChoice(*v.dm, CableOptions{}));
        else
            benchmark::DoNotOptimize(chooseCables(inputs, CableOptions{}));
    }
}
// 0: the pure choice of the 41 circuits (baseline); 1: "Выбор", read + choose + write.
BENCHMARK(BM_CableChoice)->Unit(benchmark::kMicrosecond)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
