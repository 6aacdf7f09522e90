// The equipment list and the comparisons over a project of 10 variants, each with 20 AC loads,
// 10 arrays of 10 strings and a 4 x 6 battery, the store reads included: one variant's list, the
// side-by-side lists of all 10, and the parameter tables of all 10. Reading the same rows alone
// is the baseline in the same run.

#include "app/param_comparison.h"
#include "app/param_comparison_store.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "lib/prompter.h"
#include "reports/variant_equipment.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

struct Project {
    Project() {
        initDataDirectory(tmp.path());
        store = Store::open(tmp.path());
        Transaction tr(*store);
        store->exec("INSERT INTO project0 (Kod, Name) VALUES (1, 'Проект')");
        for (int v = 1; v <= 10; ++v) {
            store->exec(
                "INSERT INTO project1 (Kod, Kod0, VarName, Uses, Name_AKB, Tip_AKB, Cnom_AKB, "
                "Unom_AKB, Kol_AKB, KolPosled_AKB, KolVetv_AKB, Izar_max_AKB, Company_SP, Tip_SP, "
                "Pnom_SP, Unom_SP, KolTotal_SP, Imp_SP, Isc_SP, MaxKolSborNotProt, Tip_AV_SP, "
                "Company_AV_SP, Inom_AV_SP, Unom_AV_SP, Sposob_kab_akb, Skab_akb, Lkab_akb) "
                "VALUES (?, 1, ?, 48, 'АКБ', 'AGM', 200, 12, 24, 4, 6, 40, 'М', 'СП-300', 300, "
                "24, 200, 8, 9, 2, 'АВ-16', 'М', 16, 250, 'открыто', 25, 3)",
                {v, QStringLiteral("Вариант %1").arg(v)});
            for (int i = 0; i < 20; ++i)
                store->exec("INSERT INTO proj_inv (Kod0, Nagr_Name, Company_Inv, Name_Inv, "
                            "Pnom_Inv, Pmax_Inv, Ppik_Inv, Uvh_Inv, Uvuh_Inv, Forma_Inv, "
                            "Sposob_kab_inv, Skab_inv, Lkab_inv, Nkab_inv, Tip_AV_Inv, "
                            "Company_AV_Inv, Inom_AV_Inv, Unom_AV_Inv) VALUES (?, ?, 'М', ?, "
                            "1000, 2000, 3000, 48, 220, 'синус', 'открыто', ?, 2, 1, 'АВ-63', "
                            "'М', 63, 250)",
                            {v, QStringLiteral("Нагрузка %1").arg(i),
                             QStringLiteral("ИН-%1").arg((i + v) % 5), 10 + i % 3});
            for (int a = 0; a < 10; ++a)
                store->exec("INSERT INTO proj_mas (Kod0, NameMassive, KolVetv, KolPosled, "
                            "Company_Ctrl, Tip_Ctrl, Unom_Ctrl, Inom_Ctrl, Sposob_kab, Skab, "
                            "Lkab, Sposob_kab_akb, Skab_akb, Lkab_akb, Tip_AV_mas, "
                            "Company_AV_mas, Inom_AV_mas, Unom_AV_mas) VALUES (?, ?, 10, 2, "
                            "'М', 'КЗ-60', 48, 60, 'открыто', 16, 10, 'открыто', 16, 3, "
                            "'АВ-100', 'М', 100, 250)",
                            {v, QStringLiteral("Массив %1").arg(a)});
            for (int m = 1; m <= 12; ++m)
                store->exec(
                    "INSERT INTO proj_sunday (Kod0, MonthName, Voshod10, Zakat10, TempAB) "
                    "VALUES (?, ?, 7, 18, 20)",
                    {v, QStringList{"январь", "февраль", "март", "апрель", "май", "июнь", "июль",
                                    "август", "сентябрь", "октябрь", "ноябрь", "декабрь"}[m - 1]});
        }
        tr.commit();
        dm = std::make_unique<TDataModule1>(*store, prompter);
    }
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    std::unique_ptr<TDataModule1> dm;
};

Project& project() {
    static Project p;
    return p;
}

void BM_OneVariantList(benchmark::State& state) {
    TDataModule1& dm = *project().dm;
    for (auto _ : state)
        benchmark::DoNotOptimize(variantSpecification(dm, 1));
}
BENCHMARK(BM_OneVariantList)->Unit(benchmark::kMillisecond);

void BM_TenVariantComparison(benchmark::State& state) {
    TDataModule1& dm = *project().dm;
    for (auto _ : state) {
        std::vector<VariantEquipment> variants;
        for (int v = 1; v <= 10; ++v)
            variants.push_back(readVariantEquipment(dm, v));
        const SpecCatalogs c = readSpecCatalogs(dm, variants);
        std::vector<std::vector<SpecRow>> lists;
        for (const VariantEquipment& v : variants)
            lists.push_back(buildSpecification(v, c));
        benchmark::DoNotOptimize(mergeSpecifications(lists));
    }
}
BENCHMARK(BM_TenVariantComparison)->Unit(benchmark::kMillisecond);

// Baseline: the rows of the 10 variants read and walked, nothing built.
void BM_TenVariantRowsOnly(benchmark::State& state) {
    Store& store = *project().store;
    for (auto _ : state) {
        int cells = 0;
        for (int v = 1; v <= 10; ++v)
            for (const char* sql : {"SELECT * FROM project1 WHERE Kod = ?",
                                    "SELECT * FROM proj_inv WHERE Kod0 = ? ORDER BY Kod",
                                    "SELECT * FROM proj_mas WHERE Kod0 = ? ORDER BY Kod"}) {
                QSqlQuery q = store.select(QString::fromLatin1(sql), {v});
                while (q.next())
                    cells += q.value(0).toInt() != 0;
            }
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_TenVariantRowsOnly)->Unit(benchmark::kMillisecond);

void BM_TenVariantParamTables(benchmark::State& state) {
    TDataModule1& dm = *project().dm;
    for (auto _ : state) {
        std::vector<ComparedVariant> variants;
        for (int v = 1; v <= 10; ++v)
            variants.push_back(readComparedVariant(dm, v));
        benchmark::DoNotOptimize(compareParams(variants));
    }
}
BENCHMARK(BM_TenVariantParamTables)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
