// The inverter choice: requirement and candidate filter, the catalog and the candidate table as
// the data module reads them, storing a confirmed choice, Kinv before and after it, and the
// analysis figures.

#include "../data/fixture.h"
#include "../lib/qt_print.h"

#include "lib/numbers.h"
#include "storage/inverter_ops.h"

#include <stdexcept>

using namespace ses;
using namespace ses::test;

namespace {

// ---------------------------------------------------------------- the type list's rule

struct FilterCase {
    const char* what;
    double pnom, pmax, ppik, uvh, uvuh;
    const char* forma;
    bool usePeak, pureSine;
    bool fits;
};

TEST(InverterFilter, TypeListRule) {
    // The load: 1500 / 2000 / 4000 W with reserves of 10, 20 and 50 % -> 1650 / 2400 / 6000 W;
    // a 24 V variant with 220 V output.
    const InverterVariant variant{24, 220, 10, 20, 50, false, false, std::nullopt};
    const FilterCase cases[] = {
        {"every rating exactly at its requirement", 1650, 2400, 6000, 24, 220, "чистый синус", true,
         true, true},
        {"nominal power just below", 1649.99, 2400, 6000, 24, 220, "чистый синус", true, true,
         false},
        {"maximum power just below", 1650, 2399.99, 6000, 24, 220, "чистый синус", true, true,
         false},
        {"peak below, peak taken into account", 1650, 2400, 5999, 24, 220, "чистый синус", true,
         true, false},
        {"peak below, peak not taken into account", 1650, 2400, 100, 24, 220, "чистый синус", false,
         true, true},
        {"input voltage of another system", 10000, 12000, 20000, 48, 220, "чистый синус", true,
         true, false},
        {"output voltage of another grid", 10000, 12000, 20000, 24, 380, "чистый синус", true, true,
         false},
        {"modified sine where a pure one is needed", 1650, 2400, 6000, 24, 220, "модиф. синус",
         true, true, false},
        {"modified sine, no pure sine needed", 1650, 2400, 6000, 24, 220, "модиф. синус", true,
         false, true},
        {"an unknown waveform, no pure sine needed", 1650, 2400, 6000, 24, 220, "трапеция", true,
         false, true},
    };
    for (const FilterCase& c : cases) {
        const InverterLoad load{"Нагрузка", 1500, 2000, 4000, c.pureSine, {}};
        InverterVariant v = variant;
        v.usePeak = c.usePeak;
        const CatalogInverter inverter{
            {"К", "Т", c.pnom, c.pmax, c.ppik, c.forma, 0.9}, c.uvh, c.uvuh};
        EXPECT_EQ(fitsTypeList(inverter, inverterRequirement(load, v)), c.fits) << c.what;
    }
}

TEST(InverterFilter, EmptyRatingNeverFits) {
    const InverterRequirement req =
        inverterRequirement({"Н", 100, 100, 100, false, {}}, {24, 220, 0, 0, 0, false, false, {}});
    CatalogInverter inverter{{"К", "Т", 1000, 1000, 1000, "чистый синус", 0.9}, 24, 220};
    ASSERT_TRUE(fitsTypeList(inverter, req));
    inverter.model.pmax.reset();
    EXPECT_FALSE(fitsTypeList(inverter, req));
    inverter.model.pmax = 1000;
    inverter.uvh.reset();
    EXPECT_FALSE(fitsTypeList(inverter, req));
}

TEST(InverterFilter, EfficiencyMustDivide) {
    const struct {
        std::optional<double> kpd;
        bool usable;
    } cases[] = {{std::nullopt, false}, {0.0, false}, {-0.9, false},
                 {0.91, true},          {1.0, true},  {91.0, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(usableEfficiency(c.kpd), c.usable) << numberToText(c.kpd).toStdString();
        const InverterChoice choice{"Компания", "ИН-1", 1000, 1200, 2000, "чистый синус", c.kpd};
        EXPECT_EQ(efficiencyRefusal(choice).has_value(), !c.usable);
    }
    const InverterChoice zero{"Компания", "ИН-1", 1000, 1200, 2000, "чистый синус", 0.0};
    EXPECT_EQ(*efficiencyRefusal(zero),
              "КПД инвертора \"ИН-1\" компании \"Компания\" в справочнике инверторов не задан "
              "или задан неверно (допускается значение больше 0 и не больше 1). Задайте КПД "
              "инвертора в справочнике инверторов или выберите другой инвертор.");
}

TEST(InverterAnalysis, ValueColumnTakesTheLargestOfEachRow) {
    const std::vector<AcLoadSummary> loads = {
        {"Дом",
         {{"Зима", "октябрь", "март", 850, 1200, 2400, false},
          {"Лето", "апрель", "сентябрь", 900, 700, std::nullopt, true}}},
        {"Пустая", {}}};
    const std::vector<AnalysisBlock> blocks = inverterAnalysis(loads);
    ASSERT_EQ(blocks.size(), 2u);
    ASSERT_EQ(blocks[0].columns.size(), 3u);
    EXPECT_EQ(blocks[0].columns[0], QStringList({"Зима", "850", "1200", "2400", "-"}));
    EXPECT_EQ(blocks[0].columns[1], QStringList({"Лето", "900", "700", "", "+"}));
    EXPECT_EQ(blocks[0].columns[2], QStringList({"значение", "900", "1200", "2400", "+"}));
    EXPECT_EQ(blocks[1].columns, std::vector<QStringList>({{"значение", "", "", "", "-"}}));
    EXPECT_EQ(analysisRowTitles(45, 5)[1], "Номинальная выходная мощность (более 45 минут), Вт");
}

// ---------------------------------------------------------------- through the data module

class InverterStoreTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дом"}}));
        ASSERT_TRUE(add(dm->tblProj1(), {{"VarName", "Основной"},
                                         {"Uses", "24"},
                                         {"Uvuh", "220"},
                                         {"ZapPnom_Inv", "10"},
                                         {"ZapPmax_Inv", "0"},
                                         {"ZapPpik_Inv", "0"},
                                         {"UsePpik_Inv", "-"},
                                         {"UseUserKpd_Inv", "-"},
                                         {"UserKpd_Inv", "0,85"}}));
    }
    void maker(const QString& company, const char* use) {
        ASSERT_TRUE(add(tbl("Invert0"), {{"Company", company}, {"UseInv", use}}));
    }
    // A type of the current maker: name, Pnom, Pmax, Ppik, Uvh, waveform, efficiency, in use.
    void type(const QString& name, const QString& pnom, const QString& pmax, const QString& ppik,
              const QString& uvh, const QString& forma, const QString& kpd, const char* use = "+") {
        ASSERT_TRUE(add(tbl("Invert1"), {{"Name", name},
                                         {"Pnom", pnom},
                                         {"Pmax", pmax},
                                         {"Ppik", ppik},
                                         {"Uvh", uvh},
                                         {"Uvuh", "220"},
                                         {"Forma", forma},
                                         {"Kpd", kpd},
                                         {"UseInv", use}}));
    }
    void load(const QString& name, const QString& pnom, const char* pureSine) {
        ASSERT_TRUE(add(dm->tblProj_Inv(), {{"Nagr_Name", name},
                                            {"Pnom30min", pnom},
                                            {"Pmax10min", pnom},
                                            {"Ppik", "5000"},
                                            {"ClearSinus", pureSine}}));
    }
    void setVariant(const char* column, const QString& value) {
        View& v = dm->tblProj1();
        ASSERT_TRUE(v.edit());
        v[QString::fromLatin1(column)].setString(value);
        ASSERT_TRUE(v.post());
    }
    QString loadValue(int row, const char* column) {
        View& v = dm->tblProj_Inv();
        v.moveTo(row);
        return v[QString::fromLatin1(column)].asString();
    }
    // Gives the load in the row a cable, a breaker and a fuse.
    void giveCircuit(int row) {
        View& v = dm->tblProj_Inv();
        ASSERT_TRUE(v.moveTo(row));
        ASSERT_TRUE(v.edit());
        for (const QString& c : inverterCircuitColumns())
            v[c].setString(v[c].def().type == ColType::Text ? QStringLiteral("х")
                                                            : QStringLiteral("1"));
        ASSERT_TRUE(v.post());
    }
    static InverterChoice choice(const QString& name, double pnom, double kpd = 0.91) {
        return {"Компания А", name, pnom, pnom * 1.2, pnom * 2, "чистый синус", kpd};
    }
    QStringList names(const std::vector<CatalogInverter>& list) {
        QStringList out;
        for (const CatalogInverter& c : list)
            out << c.model.company + "/" + c.model.name;
        return out;
    }
};

TEST_F(InverterStoreTest, CatalogOffersOnlyRowsInUseOnBothLevels) {
    maker("Компания А", "+");
    type("А-2000", "2000", "2400", "4000", "24", "чистый синус", "0,91");
    type("А-1000", "1000", "1200", "2000", "24", "чистый синус", "0,9");
    type("А-выкл", "1500", "1800", "3000", "24", "чистый синус", "0,9", "-");
    maker("Компания Б", "-");
    type("Б-1500", "1500", "1800", "3000", "24", "чистый синус", "0,9");
    maker("Компания В", "+");
    type("В-1500", "1500", "1800", "3000", "24", "модиф. синус", "0,9");

    const std::vector<CatalogMaker> catalog = readInverterCatalog(*dm);
    ASSERT_EQ(catalog.size(), 2u);
    EXPECT_EQ(catalog[0].company, "Компания А");
    EXPECT_EQ(names(catalog[0].types),
              QStringList({"Компания А/А-1000", "Компания А/А-2000"})); // by Pnom
    EXPECT_EQ(catalog[1].company, "Компания В");

    load("Дом", "900", "-");
    const InverterRequirement req =
        inverterRequirement(readInverterLoads(*dm)[0], readInverterVariant(*dm));
    EXPECT_EQ(names(candidateTable(*dm, req)),
              QStringList({"Компания А/А-1000", "Компания В/В-1500", "Компания А/А-2000"}));
}

TEST_F(InverterStoreTest, TableComparesTolerantlyAndKnowsTwoWaveforms) {
    maker("Компания А", "+");
    type("Ровно", "1650", "1650", "1650", "24", "модиф. синус", "0,9");
    type("Меньше", "1649,99", "1700", "1700", "24", "чистый синус", "0,9");
    type("Трапеция", "1700", "1700", "1700", "24", "трапеция", "0,9");
    type("48 В", "9000", "9000", "9000", "48", "чистый синус", "0,9");
    load("Насос", "1500", "-"); // 1500 * 1,1 = 1650,0000000000002; peak 5000 not considered

    const std::vector<InverterLoad> loads = readInverterLoads(*dm);
    const InverterRequirement req = inverterRequirement(loads[0], readInverterVariant(*dm));
    EXPECT_EQ(names(candidateTable(*dm, req)), QStringList({"Компания А/Ровно"}));
    // The type list takes any waveform when no pure sine is needed.
    EXPECT_EQ(names(typeList(readInverterCatalog(*dm)[0].types, req)),
              QStringList({"Компания А/Ровно", "Компания А/Трапеция"}));

    setVariant("UsePpik_Inv", "+");
    const InverterRequirement peak = inverterRequirement(loads[0], readInverterVariant(*dm));
    EXPECT_TRUE(candidateTable(*dm, peak).empty());
}

TEST_F(InverterStoreTest, StoringWritesTheInverterAndItsOwnEfficiency) {
    load("Дом", "1000", "+");
    setVariant("UseUserKpd_Inv", "+");
    EXPECT_DOUBLE_EQ(acLoadKinv(*dm, 0), 0.85);
    setVariant("UseUserKpd_Inv", "-");
    EXPECT_DOUBLE_EQ(acLoadKinv(*dm, 0), 0.9); // no inverter yet

    ASSERT_TRUE(storeInverterChoice(*dm, {choice("ИН-3900", 3900, 0.93)}));
    EXPECT_EQ(loadValue(0, "Company_Inv"), "Компания А");
    EXPECT_EQ(loadValue(0, "Name_Inv"), "ИН-3900");
    EXPECT_EQ(loadValue(0, "Pmax_Inv"), "4680");
    EXPECT_EQ(loadValue(0, "Uvh_Inv"), "24");
    EXPECT_EQ(loadValue(0, "Uvuh_Inv"), "220");
    EXPECT_EQ(loadValue(0, "Forma_Inv"), "чистый синус");
    EXPECT_EQ(loadValue(0, "Kpd_Inv"), "0,93");
    EXPECT_DOUBLE_EQ(acLoadKinv(*dm, 0), 0.93);
    // 3900 W / 24 V = 162,5 A, written with the pattern "0".
    EXPECT_EQ(loadValue(0, "Inom_Inv"), "163");
    EXPECT_EQ(loadValue(0, "Imax_Inv"), "195");
    EXPECT_EQ(loadValue(0, "Ipik_Inv"), "325");

    // The user's efficiency replaces the inverter's only inside Kinv.
    setVariant("UseUserKpd_Inv", "+");
    ASSERT_TRUE(storeInverterChoice(*dm, {choice("ИН-3900", 3900, 0.93)}));
    EXPECT_EQ(loadValue(0, "Kpd_Inv"), "0,93");
    EXPECT_DOUBLE_EQ(acLoadKinv(*dm, 0), 0.85);
}

TEST_F(InverterStoreTest, ChangedInverterLosesItsCircuitUnchangedKeepsIt) {
    load("Дом", "1000", "+");
    load("Насос", "700", "+");
    ASSERT_TRUE(storeInverterChoice(*dm, {choice("ИН-1500", 1500), choice("ИН-1000", 1000)}));
    giveCircuit(0);
    giveCircuit(1);
    dm->tblProj_Inv().moveTo(1);

    // Only the efficiency of the first changes; the second gets another inverter.
    ASSERT_TRUE(storeInverterChoice(*dm, {choice("ИН-1500", 1500, 0.92), choice("ИН-2000", 2000)}));
    EXPECT_EQ(dm->tblProj_Inv().recNo(), 1); // the current load stays current
    for (const QString& c : inverterCircuitColumns()) {
        EXPECT_FALSE(loadValue(0, c.toLatin1().constData()).isEmpty()) << c.toStdString();
        EXPECT_TRUE(loadValue(1, c.toLatin1().constData()).isEmpty()) << c.toStdString();
    }
    EXPECT_EQ(loadValue(0, "Kpd_Inv"), "0,92");

    // The same inverter on another system voltage draws other currents.
    giveCircuit(1);
    setVariant("Uses", "48");
    ASSERT_TRUE(storeInverterChoice(*dm, {choice("ИН-1500", 1500, 0.92), choice("ИН-2000", 2000)}));
    EXPECT_TRUE(loadValue(0, "Skab_inv").isEmpty());
    EXPECT_TRUE(loadValue(1, "Unom_Pr_Inv").isEmpty());
    EXPECT_EQ(loadValue(1, "Uvh_Inv"), "48");
}

TEST_F(InverterStoreTest, RefusedChoiceWritesNothing) {
    load("Дом", "1000", "+");
    load("Насос", "700", "+");
    ASSERT_TRUE(storeInverterChoice(*dm, {choice("ИН-1500", 1500), choice("ИН-1000", 1000)}));
    giveCircuit(0);

    InverterChoice incomplete = choice("ИН-2000", 2000);
    incomplete.forma.clear();
    InverterChoice tooLong = choice("ИН-2000", 2000);
    tooLong.company = QString(101, u'К'); // the column holds 100 characters
    const struct {
        const char* what;
        InverterChoice second;
        const char* message; // nullptr: the store's own message
    } cases[] = {
        {"incomplete", incomplete,
         "Для завершения работы с диалогом посредством нажатия кнопки "
         "\"ОК\" необходимо выбрать инверторы для всех нагрузок."},
        {"no efficiency", choice("ИН-2000", 2000, 0), nullptr},
        {"store refuses the second row", tooLong, nullptr},
    };
    for (const auto& c : cases) {
        prompter.clear();
        EXPECT_FALSE(storeInverterChoice(*dm, {choice("ИН-3000", 3000), c.second})) << c.what;
        ASSERT_EQ(prompter.entries().size(), 1u) << c.what;
        if (c.message) {
            EXPECT_EQ(prompter.last(), c.message) << c.what;
        }
        EXPECT_EQ(loadValue(0, "Name_Inv"), "ИН-1500") << c.what;
        EXPECT_EQ(loadValue(0, "Skab_inv"), "1") << c.what;
        EXPECT_EQ(loadValue(1, "Name_Inv"), "ИН-1000") << c.what;
    }

    setVariant("Uses", "");
    prompter.clear();
    EXPECT_FALSE(storeInverterChoice(*dm, {choice("ИН-3000", 3000), choice("ИН-1000", 1000)}));
    EXPECT_EQ(prompter.last(), "Не заданы напряжение системы или выходное напряжение переменного "
                               "тока варианта расчета. Задайте их в параметрах варианта расчета.");
    EXPECT_EQ(loadValue(0, "Name_Inv"), "ИН-1500");

    EXPECT_THROW(storeInverterChoice(*dm, {choice("ИН-3000", 3000)}), std::invalid_argument);
}

TEST_F(InverterStoreTest, VariantWithoutAcLoadsStoresNothingAndSucceeds) {
    EXPECT_TRUE(storeInverterChoice(*dm, {}));
    EXPECT_TRUE(prompter.entries().empty());
}

} // namespace
