// The table store's contract: nulls, number text, master-detail, navigation, editing, keys,
// events and transactions.

#include "fixture.h"

#include "data/queries.h"

using namespace ses;
using namespace ses::test;

namespace {

class StoreTest : public DbTest {};

TEST_F(StoreTest, EmptyTextIsNullAndNumbersReadWithTheDecimalComma) {
    View& p = tbl("project0");
    ASSERT_TRUE(add(p, {{"Name", "Проект"}, {"ProjOwner", ""}}));
    EXPECT_TRUE(p["ProjOwner"].isNull());
    EXPECT_EQ(p["ProjOwner"].asString(), "");
    EXPECT_EQ(p["Kod"].asInteger(), 1);

    View& v = tbl("project1");
    ASSERT_TRUE(
        add(v, {{"VarName", "В1"}, {"Voc_SP", "22,3"}, {"Uses", "24"}, {"Ktemp_AKB", "-0,47"}}));
    EXPECT_EQ(v["Voc_SP"].asString(), "22,3");
    EXPECT_EQ(v["Ktemp_AKB"].asString(), "-0,47");
    EXPECT_EQ(v["Uses"].asString(), "24");
    EXPECT_DOUBLE_EQ(v["Voc_SP"].asFloat(), 22.3);
    EXPECT_EQ(v["Pras_SP"].asFloat(), 0.0); // null reads as 0
    EXPECT_TRUE(v["Pras_SP"].isNull());
    ASSERT_TRUE(v.edit());
    v["Tip_SP"].setString("");
    ASSERT_TRUE(v.post());
    EXPECT_TRUE(v["Tip_SP"].isNull());
    EXPECT_THROW(v["Voc_SP"].setString("1"), DbError); // not editing
    ASSERT_TRUE(v.edit());
    EXPECT_THROW(v["Voc_SP"].setString("abc"), DbError);
    v.cancel();
}

TEST_F(StoreTest, DetailFollowsItsMasterAndTakesItsKey) {
    View& p = tbl("project0");
    View& v = tbl("project1");
    ASSERT_TRUE(add(p, {{"Name", "A"}}));
    ASSERT_TRUE(add(v, {{"VarName", "A1"}}));
    ASSERT_TRUE(add(v, {{"VarName", "A2"}}));
    ASSERT_TRUE(add(p, {{"Name", "B"}}));
    EXPECT_TRUE(v.isEmpty()); // the new project has no variants yet
    ASSERT_TRUE(add(v, {{"VarName", "B1"}}));
    EXPECT_EQ(v["Kod0"].asInteger(), p["Kod"].asInteger());

    ASSERT_TRUE(p.first());
    ASSERT_EQ(v.recordCount(), 2);
    EXPECT_EQ(v["VarName"].asString(), "A1");
    ASSERT_TRUE(p.next());
    ASSERT_EQ(v.recordCount(), 1);
    EXPECT_EQ(v["VarName"].asString(), "B1");
    EXPECT_FALSE(p.next());
    EXPECT_TRUE(p.eof());
}

TEST_F(StoreTest, NavigationBookmarksLocateAndDelete) {
    View& k = tbl("kl");
    for (const char* s : {"4", "1,5", "2,5"})
        ASSERT_TRUE(add(k, {{"Sech", s},
                            {"Idop", "10"},
                            {"Idop_2_1zh", "9"},
                            {"Idop_1_2zh", "8"},
                            {"Ro", "0,0175"}}));
    // The primary order is the key order, not the value order.
    k.first();
    QStringList seen;
    for (k.first(); !k.eof(); k.next())
        seen << k["Sech"].asString();
    EXPECT_EQ(seen, QStringList({"4", "1,5", "2,5"}));

    ASSERT_TRUE(k.locate("Sech", 1.5));
    const Bookmark b = k.bookmark();
    k.last();
    EXPECT_EQ(k["Sech"].asString(), "2,5");
    ASSERT_TRUE(k.gotoBookmark(b));
    EXPECT_EQ(k["Sech"].asString(), "1,5");
    EXPECT_FALSE(k.locate("Sech", 6.0));

    ASSERT_TRUE(k.remove()); // the following row becomes current
    EXPECT_EQ(k["Sech"].asString(), "2,5");
    EXPECT_EQ(k.recordCount(), 2);
    EXPECT_EQ(store->count("kl"), 2);
}

TEST_F(StoreTest, SecondaryIndexOrdersTheView) {
    View& r = tbl("region0");
    for (const char* name : {"Омск", "Архангельск", "Тверь"})
        ASSERT_TRUE(add(r, {{"Region", name}, {"Fi", "55"}}));
    QStringList seen;
    for (r.first(); !r.eof(); r.next())
        seen << r["Region"].asString();
    EXPECT_EQ(seen, QStringList({"Архангельск", "Омск", "Тверь"}));
}

TEST_F(StoreTest, EditOfAnEmptyViewStartsAnInsert) {
    View& k = tbl("mc");
    ASSERT_TRUE(k.edit());
    EXPECT_EQ(k.state(), ViewState::Insert);
    k.cancel();
    EXPECT_TRUE(k.isEmpty());
}

TEST_F(StoreTest, TooLongTextIsRefusedNamingTheColumnAndTheRowStaysInEditing) {
    View& p = tbl("project0");
    ASSERT_TRUE(p.append());
    p["Name"].setString("П");
    p["ProjOwner"].setString(QString(51, QChar(u'ж')));
    EXPECT_FALSE(p.post());
    EXPECT_TRUE(prompter.last().contains("\"ProjOwner\"")) << prompter.last().toStdString();
    EXPECT_TRUE(prompter.last().contains("50"));
    EXPECT_EQ(p.state(), ViewState::Insert);
    EXPECT_EQ(store->count("project0"), 0);
    p["ProjOwner"].setString(QString(50, QChar(u'ж')));
    EXPECT_TRUE(p.post());
}

TEST_F(StoreTest, BeforeEventAbortLeavesTheViewUnchanged) {
    View& k = tbl("perem");
    ASSERT_TRUE(add(k, {{"Sech", "16"}, {"Idop", "100"}}));
    int scrolls = 0;
    k.beforeEdit = [](View&) { throw Abort{}; };
    EXPECT_FALSE(k.edit());
    EXPECT_EQ(k.state(), ViewState::Browse);
    ASSERT_TRUE(add(k, {{"Sech", "25"}, {"Idop", "140"}}));
    k.beforeScroll = [&](View&) {
        ++scrolls;
        throw Abort{};
    };
    EXPECT_FALSE(k.first());
    EXPECT_EQ(k["Sech"].asString(), "25");
    EXPECT_EQ(scrolls, 1);
    k.beforeDelete = [](View&) { throw Abort{}; };
    EXPECT_FALSE(k.remove());
    EXPECT_EQ(store->count("perem"), 2);
}

TEST_F(StoreTest, AutoincrementKeysAreNeverReused) {
    View& k = tbl("mc_y");
    ASSERT_TRUE(add(k, {{"Tip", "Y1"}, {"I", "20"}}));
    ASSERT_TRUE(add(k, {{"Tip", "Y2"}, {"I", "30"}}));
    ASSERT_TRUE(k.remove());
    ASSERT_TRUE(add(k, {{"Tip", "Y3"}, {"I", "40"}}));
    EXPECT_EQ(k["Kod"].asInteger(), 3);
}

TEST_F(StoreTest, RolledBackTransactionBringsViewsBackInStep) {
    View& k = tbl("perem");
    ASSERT_TRUE(add(k, {{"Sech", "16"}, {"Idop", "100"}}));
    {
        Transaction tr(*store);
        ASSERT_TRUE(add(k, {{"Sech", "25"}, {"Idop", "140"}}));
        EXPECT_EQ(k.recordCount(), 2);
    }
    EXPECT_EQ(k.recordCount(), 1);
    EXPECT_EQ(store->count("perem"), 1);
}

TEST_F(StoreTest, ForeignAndNewerFilesAreRefusedAndLeftAlone) {
    dm.reset();
    store.reset();
    // A newer layout.
    {
        auto s = Store::open(dir());
        s->exec("PRAGMA user_version=99");
    }
    try {
        Store::open(dir());
        FAIL() << "a newer database was opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("более новой версией")) << e.message().toStdString();
    }
    // A file that is not a database at all.
    QTemporaryDir other;
    QFile f(Store::databasePath(other.path()));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a database, just text");
    f.close();
    EXPECT_THROW(Store::open(other.path()), DbError);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("not a database, just text"));
    EXPECT_THROW(Store::create(other.path()), DbError); // never overwritten
}

class QueryTest : public DbTest {};

TEST_F(QueryTest, AggregatesOverNoRowsGiveOneNullRow) {
    for (const char* name : {"qryKL", "qryPerem", "qryMC"}) {
        FixedQuery q(*store, name);
        for (const auto& p : q.def().params)
            q.setParam(p.name, 1.0);
        const QueryResult r = q.run();
        ASSERT_EQ(r.rows.size(), 1u) << name;
        EXPECT_TRUE(r.rows[0][0].isNull()) << name;
    }
    FixedQuery q(*store, "qryKL");
    q.setParam("Ro", 1.0);
    EXPECT_THROW(q.run(), DbError); // a parameter left unset
}

TEST_F(QueryTest, InclusionFlagsOfEveryLevelAndOrdering) {
    View& makers = tbl("Invert0");
    View& types = tbl("Invert1");
    const auto inverter = [&](const char* name, const char* pnom, const char* use) {
        return add(types, {{"Name", name},
                           {"Pnom", pnom},
                           {"Pmax", "2000"},
                           {"Ppik", "3000"},
                           {"Uvuh", "220"},
                           {"Uvh", "24"},
                           {"Forma", "чистый синус"},
                           {"Kpd", "0,9"},
                           {"UseInv", use}});
    };
    ASSERT_TRUE(add(makers, {{"Company", "Вкл"}, {"UseInv", "+"}}));
    ASSERT_TRUE(inverter("И-1650", "1650", "+"));
    ASSERT_TRUE(inverter("И-1500", "1500", "+"));
    ASSERT_TRUE(inverter("И-выкл", "1600", "-"));
    ASSERT_TRUE(add(makers, {{"Company", "Выкл"}, {"UseInv", "-"}}));
    ASSERT_TRUE(inverter("И-скрыт", "1700", "+"));

    FixedQuery q(*store, "qryInv2");
    q.setParam("Uvh", 24);
    q.setParam("Uvuh", 220);
    q.setParam("Pnom", 1500 * 1.1); // 1650,0000000000002 must still accept 1650
    q.setParam("Pmax", 0);
    q.setParam("Ppik", 0);
    q.setParam("Forma", "чистый синус");
    q.setParam("Forma1", "чистый синус");
    QueryResult r = q.run();
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.value(0, "Name").toString(), "И-1650");

    q.setParam("Pnom", 1000);
    r = q.run();
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.value(0, "Name").toString(), "И-1500"); // by power
    EXPECT_EQ(r.value(1, "Company").toString(), "Вкл");
}

} // namespace

namespace {

// A table rewritten behind its view: an unwatched view reads the new rows when next used, a
// watched one at once.
TEST_F(StoreTest, ARewriteBehindTheViewIsReadWhenTheViewIsNextUsed) {
    View& k = tbl("mc");
    ASSERT_TRUE(add(k, {{"Tip", "MC-1"}, {"I", "30"}}));
    store->exec("INSERT INTO mc (Tip, I) VALUES ('MC-2', 40)");
    k.refreshLater();
    EXPECT_EQ(k.recordCount(), 2);
    ASSERT_TRUE(k.last());
    EXPECT_EQ(k["Tip"].asString(), "MC-2");

    store->exec("DELETE FROM mc WHERE Tip = 'MC-2'");
    k.refreshLater();
    EXPECT_EQ(k.valueAt(0, k.table().columnIndex("Tip")).toString(), "MC-1");
    EXPECT_TRUE(k.eof() || k.recNo() == 0);
    EXPECT_EQ(k.recordCount(), 1);

    int heard = 0;
    const int id = k.addListener([&](View&, View::Change) { ++heard; });
    store->exec("INSERT INTO mc (Tip, I) VALUES ('MC-3', 50)");
    k.refreshLater();
    EXPECT_GT(heard, 0);
    k.removeListener(id);
    EXPECT_EQ(k.recordCount(), 2);
}

TEST_F(StoreTest, ListenersHearMovesDataAndStateChanges) {
    View& k = tbl("mc");
    std::vector<View::Change> heard;
    const int id = k.addListener([&](View&, View::Change c) { heard.push_back(c); });
    ASSERT_TRUE(add(k, {{"Tip", "MC-1"}, {"I", "30"}}));
    EXPECT_NE(std::find(heard.begin(), heard.end(), View::Change::State), heard.end());
    EXPECT_NE(std::find(heard.begin(), heard.end(), View::Change::Data), heard.end());
    EXPECT_EQ(heard.back(), View::Change::Moved);
    k.removeListener(id);
    heard.clear();
    k.refresh();
    EXPECT_TRUE(heard.empty());
}

// A database of layout 1 (before the regions' horizontal sources) opens upgraded in place, its
// rows kept; reading it without writing leaves it as it is.
TEST_F(StoreTest, AnOlderLayoutIsUpgradedInPlace) {
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Старый"}, {"Fi", "55"}}));
    dm.reset();
    store->exec(QStringLiteral("DROP TABLE region2"));
    store->exec(QStringLiteral("PRAGMA user_version=1"));
    store.reset();
    {
        auto readOnly = Store::openReadOnly(dir());
        EXPECT_EQ(readOnly->layoutProblems(), QStringList{"нет таблицы \"region2\"."});
    }
    reopen();
    EXPECT_TRUE(store->layoutProblems().isEmpty());
    QSqlQuery q = store->select(QStringLiteral("PRAGMA user_version"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), kSchemaVersion);
    EXPECT_TRUE(tbl("region0").locate("Region", QStringLiteral("Старый")));
    EXPECT_EQ(store->count("region2"), 0);
}

} // namespace
