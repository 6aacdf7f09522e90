// The panel editor over 20 000 panel types: opening it and moving to another maker, each a
// fraction of the 50 ms a user would notice; and the CSV replace-import of those types through
// the table rules against writing the same rows straight through SQL in the same run.

#include "data/catalog_csv.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "refbooks/catalog_form.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

constexpr int kTypes = 20000;
constexpr int kMakers = 2;

// A data directory with 20 000 panel types under two makers, written straight through SQL so
// that building it is not what is measured.
QString bigPanels(QTemporaryDir& tmp) {
    const QString dir = tmp.path() + "/Data";
    initDataDirectory(dir, InitContent::Bare);
    auto s = Store::open(dir);
    Transaction tr(*s);
    for (int m = 1; m <= kMakers; ++m)
        s->exec("INSERT INTO SunPanel0 (Kod, Company, UseSP) VALUES (?, ?, 1)",
                {m, QString("Компания %1").arg(m)});
    for (int i = 1; i <= kTypes; ++i)
        s->exec("INSERT INTO SunPanel1 (Kod0, Tip, Structure, P, Unom, H, S, Voc, Isc, Vmp, Imp, "
                "Kpd, UseSP, TK_Pmax, TK_Vos) VALUES (?, ?, 'монокристаллическая', ?, 12, 1000, "
                "600, 22, 6, 18, 5.5, 18, 1, -0.4, -0.3)",
                {1 + i % kMakers, QString("СП-%1").arg(i), 50 + i % 400});
    tr.commit();
    return dir;
}

struct Fixture {
    QTemporaryDir tmp;
    QString dir = bigPanels(tmp);
    std::unique_ptr<Store> store = Store::open(dir);
    RecordingPrompter prompter;
    TDataModule1 dm{*store, prompter};
};

void BM_OpenPanelEditor(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        TsSunPanF form(f.dm, f.prompter);
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(&form);
    }
}
BENCHMARK(BM_OpenPanelEditor)->Unit(benchmark::kMillisecond);

void BM_ChangeMaker(benchmark::State& state) {
    Fixture f;
    TsSunPanF form(f.dm, f.prompter);
    form.show();
    QApplication::processEvents();
    View& makers = f.dm.tbl("SunPanel0");
    int row = 0;
    for (auto _ : state) {
        row = 1 - row;
        makers.moveTo(row);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ChangeMaker)->Unit(benchmark::kMillisecond);

void BM_CsvReplaceImport(benchmark::State& state) {
    Fixture f;
    const CatalogDef& def = *findCatalog("TsSunPanF");
    const QString folder = f.tmp.path() + "/csv";
    exportCatalog(f.dm, def, folder);
    for (auto _ : state) {
        const auto report = importCatalog(f.dm, def, folder, ImportMode::Replace);
        if (!report.ok())
            state.SkipWithError("the import was refused");
    }
    state.SetItemsProcessed(state.iterations() * (kTypes + kMakers));
}
BENCHMARK(BM_CsvReplaceImport)->Unit(benchmark::kMillisecond);

// The baseline: the same rows deleted and written again by plain SQL in one transaction.
void BM_RawSqlReplace(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        Transaction tr(*f.store);
        f.store->exec("DELETE FROM SunPanel1");
        f.store->exec("DELETE FROM SunPanel0");
        for (int m = 1; m <= kMakers; ++m)
            f.store->exec("INSERT INTO SunPanel0 (Kod, Company, UseSP) VALUES (?, ?, 1)",
                          {m, QString("Компания %1").arg(m)});
        for (int i = 1; i <= kTypes; ++i)
            f.store->exec(
                "INSERT INTO SunPanel1 (Kod0, Tip, Structure, P, Unom, H, S, Voc, Isc, Vmp, "
                "Imp, Kpd, UseSP, TK_Pmax, TK_Vos) VALUES (?, ?, 'монокристаллическая', ?, 12, "
                "1000, 600, 22, 6, 18, 5.5, 18, 1, -0.4, -0.3)",
                {1 + i % kMakers, QString("СП-%1").arg(i), 50 + i % 400});
        tr.commit();
    }
    state.SetItemsProcessed(state.iterations() * (kTypes + kMakers));
}
BENCHMARK(BM_RawSqlReplace)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
