// Copies of variants and projects with their whole trees.

#include "fixture.h"

#include "data/record_copy.h"

using namespace ses;
using namespace ses::test;

namespace {

class CopyTest : public DbTest {
protected:
    void buildVariant() {
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}, {"ProjDate", "2026-12-01"}}));
        ASSERT_TRUE(add(
            tbl("project1"),
            {{"VarName", "Основной"}, {"Uses", "24"}, {"Voc_SP", "22,3"}, {"Pras_SP", "512,5"}}));
        ASSERT_TRUE(add(tbl("proj_mas"), {{"KolPosled", "2"}}));
        for (const char* m : {"январь", "февраль"})
            ASSERT_TRUE(add(tbl("proj_sunday"), {{"MonthName", m}, {"TempAB", "5"}}));
        for (const char* load : {"Свет", "Насос"}) {
            ASSERT_TRUE(add(tbl("proj_inv"), {{"Name_Inv", load}}));
            ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", QString(load) + " зимой"}}));
            ASSERT_TRUE(add(tbl("proj_graf1"), {{"T1", "0"}, {"T2", "6"}, {"P", "40"}}));
            ASSERT_TRUE(add(tbl("proj_ep0"), {{"Name", "Лампа"}, {"Kol_vo", "2"}, {"Pnom", "20"}}));
            ASSERT_TRUE(add(tbl("proj_ep1"), {{"T1", "18"}, {"T2", "23"}}));
        }
        ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Телеметрия"}}));
        ASSERT_TRUE(add(tbl("proj_ep12_0"),
                        {{"Name", "Модем"}, {"Unom", "12"}, {"Kol_vo", "1"}, {"Pnom", "6"}}));
        ASSERT_TRUE(add(tbl("proj_ep12_1"), {{"T1", "0"}, {"T2", "24"}}));
    }
};

const char* const kVariantTree[] = {"project1",      "proj_mas",    "proj_sunday", "proj_inv",
                                    "proj_graf0",    "proj_graf1",  "proj_ep0",    "proj_ep1",
                                    "proj_graf12_0", "proj_ep12_0", "proj_ep12_1"};

TEST_F(CopyTest, VariantCopyDuplicatesTheWholeTreeUnderTheNewKey) {
    buildVariant();
    const int project = tbl("project0")["Kod"].asInteger();
    const int original = tbl("project1")["Kod"].asInteger();
    int steps = 0;
    const int copy = copyVariant(*store, original, project, "Основной_1", [&] { ++steps; });
    EXPECT_NE(copy, original);
    EXPECT_EQ(steps, 1 + 2 + 2 + 1); // opening, arrays, day rows, each AC load, each DC schedule
    for (const char* t : kVariantTree)
        EXPECT_EQ(store->count(t) % 2, 0) << t; // every row twice

    tbl("project1").refresh();
    ASSERT_TRUE(tbl("project1").locate("Kod", copy));
    View& v = tbl("project1");
    EXPECT_EQ(v["VarName"].asString(), "Основной_1");
    EXPECT_EQ(v["Pras_SP"].asString(), "512,5"); // results are copied, not recalculated
    EXPECT_EQ(tbl("proj_inv").recordCount(), 2);
    tbl("proj_inv").last();
    EXPECT_EQ(tbl("proj_inv")["Name_Inv"].asString(), "Насос");
    EXPECT_EQ(tbl("proj_graf0")["SutGrafName"].asString(), "Насос зимой");
    EXPECT_EQ(tbl("proj_ep1")["T2"].asString(), "23");
    EXPECT_EQ(tbl("proj_mas")["SumUxx"].asString(), "44,6");
}

TEST_F(CopyTest, ProjectCopyKeepsDatesAndTakesTheNewName) {
    buildVariant();
    const int project = tbl("project0")["Kod"].asInteger();
    const int copy = copyProject(*store, project, "Дача_1");
    tbl("project0").refresh();
    ASSERT_TRUE(tbl("project0").locate("Kod", copy));
    EXPECT_EQ(tbl("project0")["Name"].asString(), "Дача_1");
    EXPECT_EQ(tbl("project0")["ProjDate"].asString(), "01.12.2026");
    EXPECT_EQ(tbl("project1")["VarName"].asString(), "Основной");
    for (const char* t : kVariantTree)
        EXPECT_EQ(store->count(t) % 2, 0) << t;
}

TEST_F(CopyTest, AFailedCopyLeavesNothingBehind) {
    buildVariant();
    const int project = tbl("project0")["Kod"].asInteger();
    const int original = tbl("project1")["Kod"].asInteger();
    std::map<std::string, qint64> before;
    for (const char* t : kVariantTree)
        before[t] = store->count(t);
    EXPECT_THROW(copyVariant(*store, original, project, QString(51, QChar(u'я'))), DbError);
    // A failure deep in the tree: the DC consumers refuse to be written.
    store->exec("CREATE TRIGGER no_dc BEFORE INSERT ON proj_ep12_0 "
                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(copyVariant(*store, original, project, "Копия"), DbError);
    for (const char* t : kVariantTree)
        EXPECT_EQ(store->count(t), before[t]) << t;
}

} // namespace
