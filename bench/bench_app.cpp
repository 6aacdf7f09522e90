// Start-up of the program (process start to main window shown) and the copy of a large project.
// Baselines in the same run: starting a process that does nothing, and building the copied tree.

#include "data/data_dir.h"
#include "data/data_module.h"
#include "data/record_copy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

QString g_program;

void runProcess(benchmark::State& state, const QString& exe, const QStringList& args) {
    for (auto _ : state) {
        QProcess p;
        p.start(exe, args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            state.SkipWithError("the process failed");
    }
}

void BM_ProcessBaseline(benchmark::State& state) {
    runProcess(state, QStringLiteral("/bin/true"), {});
}
BENCHMARK(BM_ProcessBaseline)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartUpSmoke(benchmark::State& state) {
    // A copy of the program in its own folder, with its data directory already created.
    QTemporaryDir tmp;
    const QString exe = tmp.path() + "/tovrel-ses";
    QFile::copy(g_program, exe);
    initDataDirectory(tmp.path() + "/Data");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    runProcess(state, exe, {QStringLiteral("--smoke")});
}
BENCHMARK(BM_StartUpSmoke)->Unit(benchmark::kMillisecond)->Iterations(10);

// 5 variants, each with 10 AC loads of 3 schedules of 24 intervals.
int buildProject(Store& s) {
    Transaction tr(s);
    s.exec("INSERT INTO project0 (Name) VALUES ('Большой проект')");
    const int project = 1;
    for (int v = 0; v < 5; ++v) {
        s.exec("INSERT INTO project1 (Kod0, VarName, Uses) VALUES (?, ?, 24)",
               {project, QString("Вариант %1").arg(v + 1)});
        const qint64 variant = s.count("project1");
        for (int m = 0; m < 12; ++m)
            s.exec("INSERT INTO proj_sunday (Kod0, MonthName, Voshod10, Zakat10, TempAB) VALUES "
                   "(?, 'январь', 8, 17, 5)",
                   {variant});
        for (int l = 0; l < 10; ++l) {
            s.exec("INSERT INTO proj_inv (Kod0, Nagr_Name, Pnom30min) VALUES (?, 'Нагрузка', 500)",
                   {variant});
            const qint64 load = s.count("proj_inv");
            for (int g = 0; g < 3; ++g) {
                s.exec("INSERT INTO proj_graf0 (Kod0, SutGrafName, MonthName1, MonthName2) VALUES "
                       "(?, 'График', 'январь', 'декабрь')",
                       {load});
                const qint64 schedule = s.count("proj_graf0");
                for (int i = 0; i < 24; ++i)
                    s.exec("INSERT INTO proj_graf1 (Kod0, T1, T2, P) VALUES (?, ?, ?, 100)",
                           {schedule, i, i + 1});
            }
        }
    }
    tr.commit();
    return project;
}

void BM_BuildProjectBaseline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tmp;
        initDataDirectory(tmp.path(), InitContent::Bare);
        auto store = Store::open(tmp.path());
        state.ResumeTiming();
        buildProject(*store);
    }
}
BENCHMARK(BM_BuildProjectBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CopyProject(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tmp;
        initDataDirectory(tmp.path(), InitContent::Bare);
        auto store = Store::open(tmp.path());
        const int project = buildProject(*store);
        state.ResumeTiming();
        copyProject(*store, project, QStringLiteral("Копия"));
    }
}
BENCHMARK(BM_CopyProject)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    g_program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tovrel-ses"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
