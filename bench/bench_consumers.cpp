// A schedule of 50 consumers with 4 operating periods each: written through the data module in
// one transaction, read back, built (intervals, figures, peak, monthly rows) and stored as the
// schedule's row, intervals and monthly rows. The baseline is the build alone, from consumers
// held in memory, in the same run.

#include "data/data_dir.h"
#include "data/data_module.h"
#include "lib/months.h"
#include "load/consumer_store.h"
#include "load/schedule_store.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ses;

namespace {

constexpr int kConsumers = 50;
constexpr int kPeriods = 4;

// Consumer k works four times a day, each start a little later than the last one's, so that the
// periods of different consumers interleave and make many distinct time points.
std::vector<ConsumerRecord> records() {
    std::vector<ConsumerRecord> r;
    for (int k = 0; k < kConsumers; ++k) {
        ConsumerRecord c;
        const double pnom = 10 + 7 * k;
        // Name, Pnom, Ppik, Kol_vo, SPnom, SPpik, ClearSinus, Rejim (AC consumer columns).
        c.fields = {QStringLiteral("Электроприемник %1").arg(k + 1),
                    pnom,
                    3 * pnom,
                    1 + k % 3,
                    QVariant(),
                    QVariant(),
                    k % 4 == 0,
                    QStringLiteral("ручной")};
        for (int p = 0; p < kPeriods; ++p) {
            const double start = p * 6 + (k % 12) * 0.2;
            c.periods.emplace_back(start, start + 1 + (k % 5) * 0.5);
        }
        r.push_back(std::move(c));
    }
    return r;
}

ScheduleInputs inputs() {
    ScheduleInputs in;
    for (const QString& m : monthNames()) {
        in.daylight.push_back({m, 7.5, 18.25, 12});
        in.regionMonths.push_back({m, 2.5, 5, 50});
    }
    in.region = QStringLiteral("Москва");
    in.tempCoefficients = {{-20, 1.5}, {0, 1.2}, {25, 1}};
    in.kinv = 0.9;
    return in;
}

ScheduleDraft build(const std::vector<Consumer>& consumers, const ScheduleInputs& in) {
    ScheduleDraft d;
    d.name = QStringLiteral("Дом");
    d.from = QStringLiteral("январь");
    d.to = QStringLiteral("декабрь");
    fillFromConsumers(d, consumerFigures(consumers, in.nomMinutes, in.maxMinutes), in);
    return d;
}

void BM_BuildFromConsumers50x4(benchmark::State& state) {
    // The totals the table rule would post: SPnom and SPpik of each consumer.
    std::vector<ConsumerRecord> r = records();
    for (ConsumerRecord& c : r) {
        c.fields[4] = c.fields[1].toDouble() * c.fields[3].toInt();
        c.fields[5] = c.fields[2].toDouble() * c.fields[3].toInt();
    }
    const std::vector<Consumer> consumers = toConsumers(r, *findTable(QStringLiteral("proj_ep0")));
    const ScheduleInputs in = inputs();
    if (consumerFigures(consumers, in.nomMinutes, in.maxMinutes).intervalError) {
        state.SkipWithError("the periods make no schedule");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(build(consumers, in));
}
BENCHMARK(BM_BuildFromConsumers50x4)->Unit(benchmark::kMillisecond);

void BM_StoreConsumerSchedule50x4(benchmark::State& state) {
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/Data");
    initDataDirectory(dir, InitContent::Bare);
    auto store = Store::open(dir);
    RecordingPrompter p;
    TDataModule1 dm(*store, p);
    const auto add = [](View& v, const QString& column, const QString& value) {
        v.append();
        v[column].setString(value);
        return v.post();
    };
    View& schedules = dm.tbl(QStringLiteral("proj_graf0"));
    if (!add(dm.tblProj0(), QStringLiteral("Name"), QStringLiteral("Дача")) ||
        !add(dm.tblProj1(), QStringLiteral("VarName"), QStringLiteral("Основной")) ||
        !add(dm.tblProj_Inv(), QStringLiteral("Nagr_Name"), QStringLiteral("Дом")) ||
        !add(schedules, QStringLiteral("SutGrafName"), QStringLiteral("Дом"))) {
        state.SkipWithError("the project could not be made");
        return;
    }
    const std::vector<ConsumerRecord> r = records();
    const ScheduleInputs in = inputs();
    for (auto _ : state) {
        if (!replaceConsumers(dm, true, r)) {
            state.SkipWithError("consumers refused");
            return;
        }
        const ScheduleDraft d = build(currentConsumers(dm, true), in);
        if (!storeSchedule(dm, schedules, true, true, d)) {
            state.SkipWithError("schedule refused");
            return;
        }
    }
}
BENCHMARK(BM_StoreConsumerSchedule50x4)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
