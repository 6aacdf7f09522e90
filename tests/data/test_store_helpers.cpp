// What multi-row writes share: a query with bound values, deleting every row of a view, and the
// transaction that takes the views it edits and leaves none of them editing when it rolls back.

#include "fixture.h"

#include <QSqlQuery>

#include <optional>

using namespace ses;
using namespace ses::test;

namespace {

class StoreHelpersTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        for (const char* sech : {"16", "25", "35"})
            ASSERT_TRUE(add(tbl("perem"), {{"Sech", sech}, {"Idop", "100"}}));
    }
};

TEST_F(StoreHelpersTest, SelectBindsItsValuesAndThrowsOnBadSql) {
    QSqlQuery q = store->select("SELECT Sech FROM perem WHERE Sech > ? ORDER BY Sech", {20});
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    EXPECT_EQ(found, QStringList({"25", "35"}));
    EXPECT_THROW(store->select("SELECT nosuch FROM perem"), DbError);
}

TEST_F(StoreHelpersTest, RemoveAllStopsAtTheFirstRefusedRow) {
    View& k = tbl("perem");
    k.beforeDelete = [](View& v) {
        if (v["Sech"].asInteger() == 25)
            throw Abort{};
    };
    EXPECT_FALSE(k.removeAll());
    EXPECT_EQ(k.recordCount(), 2); // the first row went, the refused one and the last stayed
    k.beforeDelete = nullptr;
    EXPECT_TRUE(k.removeAll());
    EXPECT_TRUE(k.isEmpty());
    EXPECT_EQ(store->count("perem"), 0);
}

TEST_F(StoreHelpersTest, RollbackCancelsTheNamedViewsEditing) {
    View& k = tbl("perem");
    const auto failingWrite = [&](bool named) {
        try {
            std::optional<Transaction> tr;
            if (named)
                tr.emplace(*store, std::initializer_list<View*>{&k});
            else
                tr.emplace(*store);
            EXPECT_TRUE(k.removeAll());
            EXPECT_TRUE(k.append());
            k["Sech"].setString("50");
            throw DbError(DbError::Kind::General, QStringLiteral("диск заполнен"));
        } catch (const DbError&) {
        }
    };
    failingWrite(true);
    EXPECT_FALSE(k.isEditing());
    EXPECT_EQ(k.recordCount(), 3);
    EXPECT_EQ(store->count("perem"), 3);
    // The same write without naming the view leaves it editing a row the file never got.
    failingWrite(false);
    EXPECT_TRUE(k.isEditing());
    k.cancel();
}

} // namespace
