// Schedules built from consumers, their peak and periodic periods; the dispatchers' figures.

#include "lib/numbers.h"
#include "load/consumers.h"
#include "load/dispatch.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

ConsumerPeriod period(const char* t1, const char* t2) {
    return {QString::fromUtf8(t1), QString::fromUtf8(t2), *parseNumber(t1), *parseNumber(t2)};
}

// 100 W x 2 at 8-12 and 18-22 (500 W starting each), 50 W x 1 at 10-20 (150 W starting).
std::vector<Consumer> handWorked() {
    return {{"Насос", 200, 1000, false, {period("8", "12"), period("18", "22")}},
            {"Лампа", 50, 150, false, {period("10", "20")}}};
}

TEST(Consumers, ScheduleAndPeakOfAHandWorkedSet) {
    const IntervalTexts rows = buildFromConsumers(handWorked());
    QStringList flat;
    for (const auto& r : rows)
        flat << r[0] + "-" + r[1] + ":" + r[2];
    EXPECT_EQ(flat, QStringList({"0-8:0", "8-10:200", "10-12:250", "12-18:50", "18-20:250",
                                 "20-22:200", "22-24:0"}));
    // At 8: 1000; at 10: 150 + 200; at 18: 1000 + 50 (the period ending at 18 does not count).
    EXPECT_EQ(peakFromConsumers(handWorked()), 1050);
    EXPECT_TRUE(buildFromConsumers({}).empty());
    EXPECT_EQ(peakFromConsumers({}), 0);
    // A day already starting at 0 and ending at 24 gets no extra points.
    EXPECT_EQ(buildFromConsumers({{"Свет", 10, 10, false, {period("0", "24")}}}).size(), 1u);
}

TEST(Consumers, PeriodTestSortsByStartAndNamesTheOverlap) {
    struct Case {
        std::vector<ConsumerPeriod> periods;
        const char* message; // nullptr: passes
    } cases[] = {
        {{period("8", "12"), period("11", "14")},
         "Временные промежутки работы электроприемника не должны пересекаться между собой.\n"
         "Электроприемник \"Э\". Пересечение промежутков времени в интервале 11 - 12."},
        {{period("8", "12"), period("12", "14")}, nullptr},
        {{period("18", "22"), period("12", "14"), period("8", "10")}, nullptr},
        {{period("8", "20"), period("10,5", "11")},
         "Временные промежутки работы электроприемника не должны пересекаться между собой.\n"
         "Электроприемник \"Э\". Пересечение промежутков времени в интервале 10,5 - 11."},
        {{},
         "Таблица времени работы электроприемника должна содержать хотя бы 1 запись.\n"
         "Электроприемник \"Э\". "},
    };
    for (const auto& c : cases) {
        const auto m = testConsumerPeriods({{"Э", 10, 10, false, c.periods}});
        if (c.message)
            EXPECT_EQ(m.value_or("passed"), QString::fromUtf8(c.message));
        else
            EXPECT_FALSE(m) << m->toStdString();
    }
}

TEST(BookSchedule, BuildsOnlyWhatPassesAndShowsOnlyWhatIsBuilt) {
    const BookScheduleBuild built = buildBookSchedule(handWorked(), 30, 10);
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(built.intervals, buildFromConsumers(handWorked()));
    EXPECT_EQ(built.params.wpSut, 200 * 8 + 50 * 10);
    EXPECT_EQ(built.params.pnom, 250);
    EXPECT_EQ(built.peak, 1050);
    EXPECT_FALSE(built.clearSinus);

    std::vector<Consumer> sine = handWorked();
    sine[1].clearSinus = true;
    EXPECT_TRUE(buildBookSchedule(sine, 30, 10).clearSinus);

    // A consumer without periods: nothing is built.
    std::vector<Consumer> noPeriods = handWorked();
    noPeriods[1].periods.clear();
    const BookScheduleBuild refused = buildBookSchedule(noPeriods, 30, 10);
    EXPECT_TRUE(refused.periodError.has_value());
    EXPECT_TRUE(refused.intervals.empty());
    EXPECT_EQ(refused.params.wpSut, 0);
    // No consumers at all make no table the interval test accepts.
    EXPECT_FALSE(buildBookSchedule({}, 30, 10).ok());

    // The table shown on moving to a schedule: empty while any figure is empty.
    const std::array<std::optional<double>, 4> all = {1, 2, 3, 4};
    EXPECT_EQ(shownBookIntervals(all, handWorked()), built.intervals);
    for (int i = 0; i < 4; ++i) {
        auto some = all;
        some[i].reset();
        EXPECT_TRUE(shownBookIntervals(some, handWorked()).empty()) << i;
    }
}

TEST(Consumers, FromTheCatalogStartingPowerRoundsToWholeWatts) {
    const ConsumerFields f =
        consumerFromCatalog({"Холодильник", 150, 4.5, true, std::nullopt, "автоматический"}, 2);
    EXPECT_EQ(f.ppik, 675);
    EXPECT_EQ(f.quantity, 2);
    EXPECT_TRUE(f.clearSinus);
    EXPECT_EQ(consumerFromCatalog({"Х", 5, 0.5, false, 12, ""}, 1).ppik, 2); // 2,5 to even
}

QStringList periodsOf(const PeriodResult& r) {
    QStringList out;
    for (const auto& [a, b] : r.periods)
        out << numberToText(a) + "-" + numberToText(b);
    return out;
}

TEST(PeriodGenerator, SplitsTheDayAndRefusesWhatCannotWork) {
    PeriodInputs in;
    in.energy = "1200";
    in.pnom = 100;
    in.step = "6";
    EXPECT_EQ(periodsOf(generatePeriods(in)), QStringList({"0-3", "6-9", "12-15", "18-21"}));

    struct Case {
        bool energyBasis;
        const char *energy, *time, *begin, *end, *step;
        double pnom;
        const char* message;
    } refusals[] = {
        {false, "", "2", "0", "24", "3", 100,
         "Суточная продолжительность работы электроприемника (2 час.) не должна быть меньше "
         "периодичности "
         "включения электроприемника 3 час.)."},
        // Five-hour switch-ons every four hours would overlap.
        {false, "", "10", "0", "10", "4", 100,
         "При периодичности включения 4 час. промежутки работы электроприемника (по 5 час.) "
         "накладываются "
         "друг на друга. Увеличьте периодичность включения или уменьшите суточную "
         "продолжительность работы."},
        {true, "1000", "", "0", "24", "0,0004", 100,
         "Периодичность включения электроприемника должна быть в пределах от 0 до 24 часов (0 и 24 "
         "не "
         "включаются в диапазон)."},
        {true, "1000", "", "0", "24", "1", 0,
         "Номинальная мощность электроприемника должна быть больше 0: по суточному потреблению "
         "нельзя "
         "определить продолжительность его работы."},
        {true, "1000", "", "5", "5", "1", 100,
         "Начало периода работы электроприемника должно быть меньше окончания периода работы."},
        {true, "-5", "", "0", "24", "1", 100,
         "Значение суточного потребления электроэнергии должно быть больше 0."},
        {true, "3000", "", "0", "24", "1", 100,
         "Длительность периода работы электроприемника ( с 0 до 24 час.) не должна быть меньше "
         "суточной "
         "продолжительности работы электроприемника (30 час.)."},
    };
    for (const auto& c : refusals) {
        const PeriodResult r =
            generatePeriods({c.energyBasis, c.energy, c.time, c.begin, c.end, c.step, c.pnom});
        EXPECT_EQ(r.error.value_or("accepted"), QString::fromUtf8(c.message));
        EXPECT_TRUE(r.periods.empty());
    }
    // On the energy basis the same two hours split every three hours are accepted.
    const PeriodResult ok = generatePeriods({true, "200", "", "0", "24", "3", 100});
    EXPECT_FALSE(ok.error);
    EXPECT_EQ(periodsOf(ok).first(), "0-0,25");
    EXPECT_EQ(ok.periods.size(), 8u);
}

TEST(Dispatch, AggregatesDcFiguresAndCloseChecks) {
    const std::vector<ScheduleSummary> none;
    const LoadAggregates empty = loadAggregates(none);
    EXPECT_FALSE(empty.pnom);
    EXPECT_FALSE(empty.clearSinus);
    const std::vector<ScheduleSummary> two = {{"Зима", "ноябрь", "март", 300, 800, 1500, false},
                                              {"Лето", "март", "май", 450, 600, 2000, true}};
    const LoadAggregates a = loadAggregates(two);
    EXPECT_EQ(*a.pnom, 450);
    EXPECT_EQ(*a.pmax, 800);
    EXPECT_EQ(*a.ppik, 2000);
    EXPECT_TRUE(a.clearSinus);

    const DcFigures dc = dcFigures({{"Связь", "январь", "декабрь", 40, 100, 250, false}}, 24);
    EXPECT_EQ(*dc.imax, 4.17);
    EXPECT_EQ(*dc.inom, 1.67);
    EXPECT_EQ(*dc.ipik, 10.42);
    EXPECT_EQ(dcFigures({}, 24), DcFigures{});

    EXPECT_EQ(overlappingMonths(two), QStringList({"март"}));
    EXPECT_EQ(
        *acCloseRefusal({{"Свет", {}}, {"Насос", two}}),
        "Каждая нагрузка варианта расчета должна содержать хотя бы один суточный график. Добавьте "
        "один "
        "или несколько суточных графиков к нагрузке \"Свет\" или удалите эту нагрузку. После этого "
        "может быть завершена работа с диалогом.");
    EXPECT_EQ(*acCloseRefusal({{"Насос", two}}),
              "Диапазоны месяцев действия суточных графиков не должны накладываться друг на друга "
              "в пределах "
              "одной нагрузки.\nДиапазоны месяцев суточных графиков нагрузки \"Насос\" "
              "накладываются друг на "
              "друга по месяцам: март.\nОтредактируйте диапазоны месяцев суточных графиков данной "
              "нагрузки.");
    // A whole-year schedule and its copy overlap in every month, listed in calendar order.
    const std::vector<ScheduleSummary> copied = {{"Год", "январь", "декабрь", 1, 1, 1, false},
                                                 {"Год_1", "январь", "декабрь", 1, 1, 1, false}};
    EXPECT_EQ(overlappingMonths(copied).size(), 12);
    EXPECT_TRUE(dcCloseRefusal(copied)->contains("январь, февраль, март"));
    EXPECT_FALSE(dcCloseRefusal(
        {{"А", "январь", "июнь", 1, 1, 1, false}, {"Б", "июль", "декабрь", 1, 1, 1, false}}));
}

} // namespace
