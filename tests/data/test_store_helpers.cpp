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

// Rows go in statements of several rows: each count around a statement's size lands whole, in
// order, with its nulls, texts and numbers; a refused row in the last, partial statement fails the
// whole write.
TEST_F(StoreHelpersTest, BulkInsertWritesEveryRowAcrossItsStatements) {
    const QStringList columns{"Company", "Massiv", "PTotal_SP", "Kol_SP"}; // 64 rows a statement
    for (const int rows : {0, 1, 63, 64, 65, 200}) {
        SCOPED_TRACE(rows);
        {
            Transaction t(*store);
            store->exec("DELETE FROM optim_sp");
            BulkInsert insert(*store, "optim_sp", columns);
            for (int r = 0; r < rows; ++r)
                insert.add({QString("М%1").arg(r), r % 2 ? QVariant() : QVariant(QString()),
                            r + 0.25, r % 3 ? QVariant(r) : QVariant(QMetaType::fromType<int>())});
            insert.finish();
            t.commit();
        }
        EngineQuery q(*store,
                      "SELECT Company, Massiv, PTotal_SP, Kol_SP FROM optim_sp ORDER BY Kod");
        int r = 0;
        for (; q.next(); ++r) {
            EXPECT_EQ(q.text(0), QString("М%1").arg(r));
            EXPECT_TRUE(q.value(1).isNull()); // null and empty text alike
            EXPECT_EQ(q.number(2), r + 0.25);
            EXPECT_EQ(q.number(3), r % 3 ? std::optional<double>(r) : std::nullopt);
        }
        EXPECT_EQ(r, rows);
    }

    EXPECT_THROW(
        {
            Transaction t(*store);
            BulkInsert insert(*store, "perem", {"Sech", "Idop"});
            for (int r = 0; r < 70; ++r)
                insert.add({100 + r, 1});
            insert.add({16, 1}); // taken: the section is unique
            insert.finish();
            t.commit();
        },
        DbError);
    EXPECT_EQ(store->count("perem"), 3);
    EXPECT_THROW(BulkInsert(*store, "perem", {"Sech"}).add({1, 2}),
                 DbError); // two values, one field
}

} // namespace
