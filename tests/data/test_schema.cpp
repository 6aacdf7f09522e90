#include "data/queries.h"
#include "data/schema.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

QString columnList(const char* table) {
    QStringList r;
    for (const auto& c : findTable(QString::fromLatin1(table))->columns)
        r << c.name + ' ' + columnTypeName(c) + (c.calculated ? "*" : "");
    return r.join(", ");
}

TEST(Schema, HoldsEveryTableOnce) {
    EXPECT_EQ(allTables().size(), 75u);
    QSet<QString> names;
    for (const auto& t : allTables())
        names.insert(t.name.toLower());
    EXPECT_EQ(names.size(), 75);
}

TEST(Schema, ColumnsOfTablesThatDifferFromTheirTwins) {
    struct Case {
        const char* table;
        const char* columns;
    } cases[] = {
        {"project0", "Kod autoincrement, Name text(255), ProjOwner text(50), ProjDate date, "
                     "ProjTime time, ProjMemo memo"},
        {"proj_ep0",
         "Kod autoincrement, Kod0 integer, Name text(50), Pnom number, Ppik number, "
         "Kol_vo integer, SPnom number, SPpik number, ClearSinus logical, Rejim text(20)"},
        {"proj_ep12_0", "Kod autoincrement, Kod0 integer, Name text(50), Unom number, Pnom number, "
                        "Ppik number, Kol_vo integer, SPnom number, SPpik number, Rejim text(20)"},
        {"Ktemp", "T number, K number"},
        {"sSun_day", "Kod integer, MonthName text(20), Voshod10 number, Zakat10 number"},
        {"param", "SutGr_Pnom_Time integer, SutGr_Pmax_Time integer, KproizTable integer, "
                  "Score_Isp integer, OptimUgolRejim integer, OptimUgolDay integer"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(columnList(c.table), QString::fromUtf8(c.columns)) << c.table;

    const TableDef* ac = findTable("proj_graf0");
    const TableDef* dc = findTable("proj_graf12_0");
    EXPECT_EQ(ac->columnIndex("ClearSinus"), ac->columnIndex("Ipik") + 1);
    EXPECT_EQ(dc->columnIndex("ClearSinus"), -1);
    EXPECT_EQ(dc->columnIndex("SutCikl"), dc->columnIndex("Ipik") + 1);
    EXPECT_EQ(findTable("project1")->columns.size(), 152u);
    EXPECT_TRUE(findTable("proj_inv")->column("Inom_Inv")->calculated);
    EXPECT_FALSE(findTable("proj_inv")->storedColumns().contains("Inom_Inv"));
}

TEST(Schema, MastersExistAndCascadesNameTheirDetails) {
    for (const auto& t : allTables()) {
        if (t.hasMaster()) {
            ASSERT_NE(findTable(t.master), nullptr) << t.name.toStdString();
            EXPECT_EQ(t.columns[1].name, "Kod0") << t.name.toStdString();
        }
        for (const QString& d : t.cascade)
            EXPECT_EQ(findTable(d)->master, t.name) << d.toStdString();
    }
    EXPECT_EQ(findTable("project1")->cascade,
              QStringList({"proj_mas", "proj_inv", "proj_graf12_0", "proj_sunday"}));
}

TEST(Schema, FixedQueriesNameOnlyDeclaredParameters) {
    EXPECT_EQ(fixedQueries().size(), 17u);
    const FixedQueryDef* q = findFixedQuery("qryController1");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->params.size(), 9u);
    EXPECT_EQ(q->sql.count('?'), 9);
    EXPECT_EQ(q->text.last(), ""); // the historical text ends with an empty line
    for (const auto& d : fixedQueries())
        EXPECT_EQ(d.sql.count('?'), int(d.params.size())) << d.name.toStdString();
}

} // namespace
