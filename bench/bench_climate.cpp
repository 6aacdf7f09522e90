// Reading a real typical-year weather file (8 760 hourly rows): from disk and from bytes already
// in memory, against a bare pass that only splits the lines and sums one column, the floor any
// reader of the file pays.

#include "solar/climate_files.h"

#include <QFile>

#include <benchmark/benchmark.h>

using namespace ses;

namespace {

const QString kFile = QStringLiteral(CLIMATE_SAMPLE);

QByteArray bytes() {
    QFile f(kFile);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void BM_BareLineSum(benchmark::State& state) {
    const QByteArray b = bytes();
    for (auto _ : state) {
        double sum = 0;
        for (const QByteArray& line : b.split('\n')) {
            const QList<QByteArray> v = line.split(',');
            if (v.size() > 13)
                sum += v[13].toDouble();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BareLineSum)->Unit(benchmark::kMillisecond);

void BM_ReadEpwFromMemory(benchmark::State& state) {
    const QByteArray b = bytes();
    for (auto _ : state) {
        const ClimateRead r = readClimateFile(b, QStringLiteral("tmy.epw"));
        if (!r.data)
            state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(r.data);
    }
}
BENCHMARK(BM_ReadEpwFromMemory)->Unit(benchmark::kMillisecond);

void BM_ReadEpwFromDisk(benchmark::State& state) {
    for (auto _ : state) {
        const ClimateRead r = readClimateFile(bytes(), QStringLiteral("tmy.epw"));
        benchmark::DoNotOptimize(r.data);
    }
}
BENCHMARK(BM_ReadEpwFromDisk)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
