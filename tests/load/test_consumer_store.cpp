// The consumers of a schedule through the data module: the build and peak of a hand-worked set,
// the snapshot "Отмена" restores, copies, loads from and saves to the consumer-schedule books,
// each write whole or not at all.

#include "data/fixture.h"

#include "load/consumer_store.h"

using namespace ses;
using namespace ses::test;

namespace {

using Hours = std::vector<std::pair<double, double>>;

class ConsumerStoreTest : public DbTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"}, {"Uses", "24"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Nagr_Name", "Дом"}}));
        ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Лето"}}));
        ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Лето"}}));
    }
    bool ac() const { return GetParam(); }
    const TableDef& consumerDef() const {
        return *findTable(projectConsumerTables(ac()).consumers);
    }
    // A consumer as a catalog row makes it, with its periods.
    void addConsumer(const QString& name, double pnom, double ppik, int quantity,
                     const Hours& hours, bool clearSinus = false) {
        ConsumerFields f;
        f.name = name;
        f.pnom = pnom;
        f.ppik = ppik;
        f.quantity = quantity;
        f.clearSinus = clearSinus;
        f.unom = 24;
        f.rejim = "ручной";
        ASSERT_TRUE(appendConsumer(*dm, ac(), f));
        ASSERT_TRUE(replacePeriods(*dm, ac(), hours));
    }
    void addPair() {
        addConsumer("Насос", 100, 500, 2, {{8, 12}, {18, 22}}, true);
        addConsumer("Вентилятор", 50, 150, 1, {{10, 20}});
    }
    QStringList names() {
        QStringList n;
        for (const Consumer& c : currentConsumers(*dm, ac()))
            n << c.name;
        return n;
    }
    int rows(const QString& table) { return int(store->count(table)); }
};

TEST_P(ConsumerStoreTest, BuildsTheIntervalsAndPeakOfAHandWorkedSet) {
    addPair();
    const ConsumerFigures f = consumerFigures(currentConsumers(*dm, ac()), 30, 10);
    EXPECT_EQ(f.intervals, IntervalTexts({{"0", "8", "0"},
                                          {"8", "10", "200"},
                                          {"10", "12", "250"},
                                          {"12", "18", "50"},
                                          {"18", "20", "250"},
                                          {"20", "22", "200"},
                                          {"22", "24", "0"}}));
    // At 8 the pumps start (2 * 500); at 18 they start again while the fan runs (1000 + 50).
    EXPECT_EQ(f.peak, 1050);
    EXPECT_EQ(f.params.wpSut, 2100);
    EXPECT_EQ(f.params.pnom, 250);
    EXPECT_EQ(f.clearSinus, ac());
    EXPECT_FALSE(f.intervalError);
}

TEST_P(ConsumerStoreTest, APeriodPastMidnightIsRefusedWithItsConsumer) {
    addConsumer("Насос", 100, 100, 1, {{20, 26}});
    const ConsumerFigures f = consumerFigures(currentConsumers(*dm, ac()), 30, 10);
    ASSERT_TRUE(f.intervalError);
    EXPECT_EQ(*f.intervalError, "Время работы электроприемника должно быть в пределах суток (от 0 "
                                "до 24 часов).\nЭлектроприемник \"Насос\". Промежуток времени "
                                "20 - 26.");
    EXPECT_EQ(f.params.wpSut, 0);
}

TEST_P(ConsumerStoreTest, RestoreBringsBackConsumersPeriodsAndKeys) {
    addPair();
    const ConsumerSnapshot before = snapshotConsumers(*dm, ac());
    ASSERT_EQ(before.rows.size(), 2u);

    // What a session of the dialog may do before "Отмена".
    ConsumerFields f;
    f.name = "Лампа";
    f.pnom = 10;
    f.ppik = 10;
    f.quantity = 5;
    f.unom = 24;
    f.rejim = "ручной";
    ASSERT_TRUE(replaceConsumer(*dm, ac(), f));       // the current (last) consumer
    ASSERT_TRUE(replacePeriods(*dm, ac(), {{1, 2}})); // its periods
    dm->tbl(projectConsumerTables(ac()).consumers).first();
    ASSERT_TRUE(deleteConsumer(*dm, ac()));
    ASSERT_TRUE(replaceConsumers(*dm, ac(), {before.rows[0].record, before.rows[0].record}));
    ASSERT_NE(snapshotConsumers(*dm, ac()).rows, before.rows);

    ASSERT_TRUE(restoreConsumers(*dm, ac(), before));
    EXPECT_EQ(snapshotConsumers(*dm, ac()).rows, before.rows);
    EXPECT_EQ(names(), QStringList({"Насос", "Вентилятор"}));
    // The data module's views show them again.
    EXPECT_EQ(dm->tbl(projectConsumerTables(ac()).consumers).recordCount(), 2);
}

TEST_P(ConsumerStoreTest, RestoreFindsItsScheduleAndLeavesOthersAlone) {
    addPair();
    const ConsumerSnapshot before = snapshotConsumers(*dm, ac());
    View& schedules = dm->tbl(projectConsumerTables(ac()).schedules);
    ASSERT_TRUE(add(schedules, {{"SutGrafName", "Зима"}}));
    addConsumer("Котел", 100, 200, 1, {{0, 24}});
    ASSERT_TRUE(restoreConsumers(*dm, ac(), before));
    EXPECT_EQ(schedules.currentKey(), before.scheduleKey);
    EXPECT_EQ(names(), QStringList({"Насос", "Вентилятор"}));
    ASSERT_TRUE(schedules.last());
    EXPECT_EQ(names(), QStringList({"Котел"}));
}

TEST_P(ConsumerStoreTest, PastingAppendsCopiesAfterTheConsumersThereAre) {
    addPair();
    const ConsumerClipboard clip = currentConsumerRecords(*dm, ac());
    ASSERT_TRUE(appendConsumers(*dm, ac(), clip));
    const std::vector<ConsumerRecord> now = currentConsumerRecords(*dm, ac());
    ASSERT_EQ(now.size(), 4u);
    EXPECT_EQ(now[2], clip[0]);
    EXPECT_EQ(now[3], clip[1]);
    EXPECT_EQ(recordField(now[2], consumerDef(), "SPpik").toDouble(), 1000);
}

TEST_P(ConsumerStoreTest, AReplacementThatFailsHalfWayChangesNothing) {
    addPair();
    const ConsumerSnapshot before = snapshotConsumers(*dm, ac());
    std::vector<ConsumerRecord> bad = {before.rows[0].record, before.rows[1].record};
    bad[1].periods.push_back({QVariant(14.0), QVariant(9.0)}); // T2 before T1: the rule refuses
    prompter.clear();
    EXPECT_FALSE(replaceConsumers(*dm, ac(), bad));
    EXPECT_EQ(prompter.last(),
              "Значение поля \"Т1, час.\" должно быть меньше значения поля \"Т2, час.\".");
    EXPECT_EQ(snapshotConsumers(*dm, ac()).rows, before.rows);
    EXPECT_FALSE(appendConsumers(*dm, ac(), bad));
    EXPECT_EQ(snapshotConsumers(*dm, ac()).rows, before.rows);
}

TEST_P(ConsumerStoreTest, ReplacingAConsumerKeepsItsPeriods) {
    addPair();
    ConsumerFields f;
    f.name = "Вентилятор большой";
    f.pnom = 80;
    f.ppik = 160;
    f.quantity = 3;
    f.unom = 24;
    f.rejim = "автоматический";
    ASSERT_TRUE(replaceConsumer(*dm, ac(), f));
    const std::vector<Consumer> c = currentConsumers(*dm, ac());
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[1].name, "Вентилятор большой");
    EXPECT_EQ(c[1].spnom, 240);
    EXPECT_EQ(c[1].sppik, 480);
    ASSERT_EQ(c[1].periods.size(), 1u);
    EXPECT_EQ(c[1].periods[0].t1Text, "10");
}

TEST_P(ConsumerStoreTest, SavedBookScheduleCarriesItsFiguresAndVoltage) {
    addPair();
    const std::vector<ConsumerRecord> records = currentConsumerRecords(*dm, ac());
    const ConsumerFigures figures = consumerFigures(toConsumers(records, consumerDef()), 30, 10);
    const ConsumerTables book = bookConsumerTables(ac());
    ASSERT_TRUE(saveToConsumerBook(*dm, ac(), "Дома", "Дом летом", records, figures, 24))
        << prompter.last().toStdString();
    View& schedules = dm->tbl(book.schedules);
    EXPECT_EQ(schedules["Name"].asString(), "Дом летом");
    EXPECT_EQ(schedules["Wp_sut"].asFloat(), 2100);
    EXPECT_EQ(schedules["Pnom30min"].asFloat(), 250);
    EXPECT_EQ(schedules["Pmax10min"].asFloat(), 250);
    EXPECT_EQ(schedules["Ppik"].asFloat(), 1050);
    if (ac())
        EXPECT_TRUE(schedules["ClearSinus"].asBoolean());
    else
        EXPECT_EQ(schedules["Unom"].asInteger(), 24);
    EXPECT_EQ(readConsumerRecords(*dm, book), records);

    // A second schedule in the same section: the first one's figures let the book move on.
    ASSERT_TRUE(saveToConsumerBook(*dm, ac(), "Дома", "Дом зимой", records, figures, 24));
    EXPECT_EQ(consumerBookSections(*dm, ac()), QStringList({"Дома"}));
    EXPECT_EQ(schedules.recordCount(), 2);
    EXPECT_TRUE(schedules.first());
    EXPECT_EQ(schedules["Name"].asString(), "Дом летом");
}

TEST_P(ConsumerStoreTest, ARefusedBookSaveLeavesTheBookAsItWas) {
    addPair();
    const std::vector<ConsumerRecord> records = currentConsumerRecords(*dm, ac());
    std::vector<ConsumerRecord> bad = records;
    bad[1].fields[0] = QString(51, u'я'); // longer than the book's name column
    const ConsumerTables book = bookConsumerTables(ac());
    const QString sections = bookSectionsTable(ac());
    EXPECT_FALSE(saveToConsumerBook(*dm, ac(), "Дома", "Дом", bad, {}, 24));
    // A DC book schedule without a voltage is refused by the book.
    if (!ac()) {
        EXPECT_FALSE(saveToConsumerBook(*dm, false, "Дома", "Дом", records, {}, std::nullopt));
        EXPECT_EQ(prompter.last(), "Ошибка. Заполнение полей \"Наименование\" и \"Uном., В\" "
                                   "таблицы обязательно.");
    }
    for (const QString& t : {sections, book.schedules, book.consumers, book.periods})
        EXPECT_EQ(rows(t), 0) << t.toStdString();
    EXPECT_TRUE(dm->tbl(sections).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(AcAndDc, ConsumerStoreTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ac" : "Dc"; });

TEST(ConsumerSearch, FirstNameBeginningWithTheTypedText) {
    const QStringList names = {"Насос скважинный", "Ноутбук", "Холодильник", "холодильник 12 В"};
    const struct {
        const char* typed;
        int found;
    } cases[] = {{"но", 1},       {"Но", 1}, {"НОУ", 1},   {"хол", 2},
                 {"насос п", -1}, {"", -1},  {"утбук", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(firstNameMatch(names, QString::fromUtf8(c.typed)), c.found) << c.typed;
}

} // namespace
