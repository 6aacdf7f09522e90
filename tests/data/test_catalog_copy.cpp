// Copy and paste of equipment records: the copied row with its detail rows travels as the texts
// the grids show and is written in one transaction, whole or not at all.

#include "fixture.h"

#include "data/catalog_copy.h"

using namespace ses;
using namespace ses::test;

namespace {

class CatalogCopyTest : public DbTest {
protected:
    const CatalogDef& def(const char* className) { return *findCatalog(className); }
    QStringList column(const char* table, const char* name) {
        QStringList values;
        QSqlQuery q = store->select(
            QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY Kod").arg(name, table));
        while (q.next())
            values << q.value(0).toString();
        return values;
    }
    qint64 rows(const char* table) { return store->count(QString::fromLatin1(table)); }

    // A PWM controller with a 12 V rating (three battery types) and a 24 V one (one type).
    void addController(const QString& maker) {
        ASSERT_TRUE(add(tbl("Controller0"), {{"Company", maker}, {"UseCtrl", "+"}}));
        ASSERT_TRUE(add(tbl("Controller1"), {{"Tip", "ШИМ-20"},
                                             {"Algoritm1", "PWM"},
                                             {"Imax_sp", "20"},
                                             {"Imax_nagr", "20"},
                                             {"ProvSechMax", "6"},
                                             {"UseCtrl", "+"}}));
        ASSERT_TRUE(add(tbl("Controller2"), {{"Uses", "12"}, {"Psp", "260"}, {"Uxx_sp", "25"}}));
        for (const char* tip : {"AGM", "GEL", "Flooded"})
            ASSERT_TRUE(add(tbl("Controller4"), {{"TipAKB", tip}, {"Upodzar", "14,4"}}));
        ASSERT_TRUE(add(tbl("Controller2"), {{"Uses", "24"}, {"Psp", "520"}, {"Uxx_sp", "50"}}));
        ASSERT_TRUE(add(tbl("Controller4"), {{"TipAKB", "AGM"}, {"Upodzar", "28,8"}}));
    }

    // A breaker type with two inverter rows (12 V and 24 V).
    void addBreaker(const QString& maker, const QString& name) {
        ASSERT_TRUE(add(tbl("AV0"), {{"Company", maker}, {"UseAV", "+"}}));
        ASSERT_TRUE(add(tbl("AV1"), {{"Name", name},
                                     {"Inom", "63"},
                                     {"Unom", "60"},
                                     {"Tip_krep", "панель"},
                                     {"Skab", "16"},
                                     {"UseAV", "+"}}));
        for (const auto& [u, p] : {std::pair{"12", "600"}, std::pair{"24", "1200"}})
            ASSERT_TRUE(add(tbl("AV2"), {{"Uses", u}, {"Pinv_nom", p}, {"Pinv_pik", "2000"}}));
    }
};

TEST_F(CatalogCopyTest, AnInverterPastesUnderAnotherMakerOnceAndIsRefusedTheSecondTime) {
    ASSERT_TRUE(add(tbl("Invert0"), {{"Company", "Первая"}, {"UseInv", "+"}}));
    ASSERT_TRUE(add(tbl("Invert1"), {{"Name", "И-1000"},
                                     {"Pnom", "1000"},
                                     {"Pmax", "1200"},
                                     {"Ppik", "2000"},
                                     {"Uvuh", "220"},
                                     {"Uvh", "24"},
                                     {"Forma", "чистый синус"},
                                     {"Kpd", "0,92"},
                                     {"UseInv", "-"}}));
    const auto rec = copyCatalogRecord(*dm, def("TsInvForm"));
    ASSERT_TRUE(rec.has_value());
    EXPECT_EQ(rec->texts, QStringList({"И-1000_", "1000", "1200", "2000", "220", "24",
                                       "чистый синус", "0,92", "-"}));

    ASSERT_TRUE(add(tbl("Invert0"), {{"Company", "Вторая"}, {"UseInv", "+"}}));
    EXPECT_FALSE(pasteCatalogRecord(*dm, def("TsInvForm"), *rec, PasteInto::NewRow));
    View& types = tbl("Invert1");
    ASSERT_EQ(types.recordCount(), 1);
    EXPECT_EQ(types["Name"].asString(), "И-1000_");
    EXPECT_EQ(types["Kpd"].asString(), "0,92");
    EXPECT_EQ(types["UseInv"].asString(), "-");
    EXPECT_EQ(types["Kod0"].asInteger(), tbl("Invert0")["Kod"].asInteger());

    prompter.clear();
    const auto refused = pasteCatalogRecord(*dm, def("TsInvForm"), *rec, PasteInto::NewRow);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->level, 0);
    EXPECT_EQ(prompter.entries().size(), 1u); // the data module's unique-name message
    // The refused row stays in editing with the pasted values; nothing more is written.
    EXPECT_EQ(types.state(), ViewState::Insert);
    EXPECT_EQ(types["Name"].asString(), "И-1000_");
    EXPECT_EQ(rows("Invert1"), 2);
    types.cancel();
}

TEST_F(CatalogCopyTest, AControllerPastesWithItsRatingsAndTheirBatteryTypes) {
    addController("Первая");
    ASSERT_TRUE(tbl("Controller2").first());
    const auto rec = copyCatalogRecord(*dm, def("TsContFrm"));
    ASSERT_TRUE(rec.has_value());
    ASSERT_EQ(rec->details.size(), 2u);
    EXPECT_EQ(rec->details[0].texts.value(0), "12");
    EXPECT_EQ(rec->details[0].details.size(), 3u);
    EXPECT_EQ(rec->details[1].details.size(), 1u);
    EXPECT_EQ(tbl("Controller2").recNo(), 0); // the detail tables stay where they stood

    ASSERT_TRUE(add(tbl("Controller0"), {{"Company", "Вторая"}, {"UseCtrl", "+"}}));
    EXPECT_FALSE(pasteCatalogRecord(*dm, def("TsContFrm"), *rec, PasteInto::NewRow));
    EXPECT_EQ(rows("Controller1"), 2);
    EXPECT_EQ(rows("Controller2"), 4);
    EXPECT_EQ(rows("Controller4"), 8);
    // Linked under the new rows: 1 type, 2 ratings, 4 battery types.
    QSqlQuery q = store->select(QStringLiteral(
        "SELECT c2.Uses, c4.TipAKB, c4.Upodzar FROM Controller1 c1 JOIN Controller2 c2 ON "
        "c2.Kod0 = c1.Kod JOIN Controller4 c4 ON c4.Kod0 = c2.Kod WHERE c1.Tip = 'ШИМ-20_' "
        "ORDER BY c4.Kod"));
    QStringList linked;
    while (q.next())
        linked << q.value(0).toString() + " " + q.value(1).toString() + " " + q.value(2).toString();
    EXPECT_EQ(linked,
              QStringList({"12 AGM 14.4", "12 GEL 14.4", "12 Flooded 14.4", "24 AGM 28.8"}));
}

TEST_F(CatalogCopyTest, ABreakerPastedOverAnEditedRowReplacesItsInverterRows) {
    addBreaker("Первая", "ВА-63");
    const auto rec = copyCatalogRecord(*dm, def("TsAVForm"));
    ASSERT_TRUE(rec.has_value());
    addBreaker("Вторая", "ВА-100");
    ASSERT_TRUE(tbl("AV2").remove()); // the edited breaker has one inverter row of its own
    View& types = tbl("AV1");
    ASSERT_TRUE(types.edit());
    types["Inom"].setString("100");

    EXPECT_FALSE(pasteCatalogRecord(*dm, def("TsAVForm"), *rec, PasteInto::EditedRow));
    EXPECT_EQ(column("AV1", "Name"), QStringList({"ВА-63", "ВА-63_"}));
    EXPECT_EQ(column("AV1", "Inom"), QStringList({"63", "63"}));
    EXPECT_EQ(column("AV2", "Uses"), QStringList({"12", "24", "12", "24"}));
    EXPECT_EQ(tbl("AV2").recordCount(), 2);
}

TEST_F(CatalogCopyTest, ARefusedDetailRowUndoesTheWholePaste) {
    addBreaker("Первая", "ВА-63");
    auto rec = copyCatalogRecord(*dm, def("TsAVForm"));
    ASSERT_TRUE(rec.has_value());
    rec->details[1].texts[0] = "12"; // the second inverter row now repeats the first one's voltage
    ASSERT_TRUE(add(tbl("AV0"), {{"Company", "Вторая"}, {"UseAV", "+"}}));
    const qint64 before = rows("AV1");

    const auto refused = pasteCatalogRecord(*dm, def("TsAVForm"), *rec, PasteInto::NewRow);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->table, "AV2");
    EXPECT_EQ(refused->number, 2);
    EXPECT_EQ(refused->text, "12");
    EXPECT_EQ(rows("AV1"), before);
    EXPECT_EQ(rows("AV2"), 2);
    EXPECT_FALSE(tbl("AV1").isEditing());
    EXPECT_FALSE(tbl("AV2").isEditing());
    EXPECT_TRUE(tbl("AV1").isEmpty()); // the second maker still has no breaker
}

TEST_F(CatalogCopyTest, ANameAtFullWidthCannotTakeItsMark) {
    ASSERT_TRUE(add(tbl("SunPanel0"), {{"Company", "Солнце"}, {"UseSP", "+"}}));
    const QString full(30, QChar(u'Ш'));
    ASSERT_TRUE(add(tbl("SunPanel1"), {{"Tip", full},
                                       {"Structure", "монокристаллическая"},
                                       {"P", "100"},
                                       {"Unom", "12"},
                                       {"H", "1000"},
                                       {"S", "600"},
                                       {"Voc", "22"},
                                       {"Isc", "6"},
                                       {"Vmp", "18"},
                                       {"Imp", "5,5"},
                                       {"Kpd", "17"},
                                       {"TK_Pmax", "-0,4"},
                                       {"TK_Vos", "-0,3"},
                                       {"UseSP", "+"}}));
    const auto rec = copyCatalogRecord(*dm, def("TsSunPanF"));
    ASSERT_TRUE(rec.has_value());
    prompter.clear();
    const auto refused = pasteCatalogRecord(*dm, def("TsSunPanF"), *rec, PasteInto::NewRow);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(prompter.entries().size(), 1u);
    EXPECT_EQ(rows("SunPanel1"), 1);
    EXPECT_EQ(tbl("SunPanel1").state(), ViewState::Insert);
    tbl("SunPanel1").cancel();
}

TEST_F(CatalogCopyTest, NothingToCopyInAnEmptyTable) {
    EXPECT_FALSE(copyCatalogRecord(*dm, def("TsPrForm")).has_value());
}

} // namespace

namespace {

using RegionRulesTest = DbTest;

TEST_F(RegionRulesTest, DeletingOrRenamingARegionThatVariantsNameAsksFirst) {
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Абакан"}, {"Fi", "53,75"}}));
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Актобе"}, {"Fi", "50,25"}}));
    store->exec(QStringLiteral("INSERT INTO project0 (Kod, Name) VALUES (1, 'Дача')"));
    store->exec(QStringLiteral("INSERT INTO project1 (Kod0, VarName, Region) VALUES "
                               "(1, 'Лето', 'Абакан'), (1, 'Зима', 'Абакан')"));
    View& regions = tbl("region0");
    const QString question =
        "Регион \"Абакан\" указан в вариантах расчета: \"Дача\" / \"Лето\", \"Дача\" / \"Зима\". "
        "После %1 региона эти варианты при следующем пересчете останутся без региона. "
        "Продолжить?";

    ASSERT_TRUE(regions.locate("Region", QStringLiteral("Абакан")));
    ASSERT_TRUE(regions.edit());
    regions["Region"].setString("Абакан-2");
    EXPECT_FALSE(regions.post()); // "Нет"
    EXPECT_EQ(prompter.last(), question.arg("переименования"));
    regions.cancel();
    EXPECT_FALSE(regions.remove());
    EXPECT_EQ(prompter.last(), question.arg("удаления"));
    EXPECT_EQ(store->count("region0"), 2);

    prompter.answer(true);
    EXPECT_TRUE(regions.remove());
    EXPECT_EQ(store->count("region0"), 1);
    // A region that no variant names goes without a question.
    prompter.clear();
    EXPECT_TRUE(regions.remove());
    EXPECT_TRUE(prompter.entries().empty());
}

} // namespace
