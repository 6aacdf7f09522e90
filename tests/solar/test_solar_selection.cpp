// The solar battery selection without a window or a store: the row commands, the totals and the
// requirement the rows leave, the array window's input, and "ОК" with its refusals, its question
// and what it stores.

#include "solar/solar_selection.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

// A 24 V PWM system needing 1000 W every month at a 45 degree tilt, 200 W panels of 12 V.
SelectionSource source() {
    SelectionSource s;
    s.variant.company = QStringLiteral("Солнце");
    s.variant.tip = QStringLiteral("СП-200");
    s.variant.prasSp = 1000;
    s.variant.b = 45;
    s.variant.system.uses = 24;
    for (auto& m : s.region)
        m = RegionMonthData{3, 10, 45};
    s.loss = {{0, 0}, {90, 100}};
    s.requirement.fill(1000);
    return s;
}

CatalogPanel panel(const char* tip) {
    CatalogPanel p;
    p.tip = QString::fromUtf8(tip);
    p.panel = {200, 12, 12.5, 17, 11.8, 1600, 1000};
    p.power = 200;
    p.unom = 12;
    return p;
}

// A south-facing array at 45 degrees of `panels` 200 W panels strung by two.
ArrayRow array(const char* name, int panels) {
    ArrayRow a;
    a.name = QString::fromUtf8(name);
    a.tilt = 45;
    a.series = 2;
    a.strings = panels / 2;
    a.panels = panels;
    a.power = 200.0 * panels;
    a.current = 11.8 * a.strings;
    return a;
}

class SelectionTest : public ::testing::Test {
protected:
    void load(SelectionSource s = source()) {
        sel.load(std::move(s));
        sel.chooseType(QStringLiteral("Солнце"), &type);
    }
    QStringList names() const {
        QStringList n;
        for (const ArrayRow& r : sel.rows())
            n << r.name;
        return n;
    }

    CatalogPanel type = panel("СП-200");
    SolarSelection sel;
};

TEST_F(SelectionTest, OkChecksInOrderThenAsksThenStores) {
    SelectionSource s = source();
    // A stored array with a controller chosen for it, and a battery taking 10 to 30 A.
    s.arrays = {{array("Старый", 2), true}};
    s.variant.sizarMin = 10;
    s.variant.sizarMax = 30;
    s.variant.izarMin = QStringLiteral("Iз.мин.");
    s.variant.izarMax = QStringLiteral("Iз.макс.");
    load(s);
    sel.remove();
    EXPECT_EQ(*sel.okRefusal(true), "Для завершения работы с диалогом посредством нажатия кнопки "
                                    "\"ОК\" необходимо сформировать массивы солнечных панелей.");

    sel.add(array("Массив 1", 4)); // 800 W of the 1000 W
    EXPECT_EQ(*sel.okRefusal(true),
              "Значение поля \"Общая мощность панелей солнечной батареи, Вт\" (800 Вт) не должно "
              "быть меньше значения поля \"Полная расчетная мощность солнечной батареи, Вт\" "
              "(1000 Вт).\rТребуемая дополнительная мощность солнечной батареи - не менее 200 Вт.");

    sel.add(array("Массив 2", 4)); // 1600 W: 4 strings of 11,8 A, above the battery's 30 A
    EXPECT_TRUE(sel.okRefusal(true)->contains("(47,2 A) не должно быть больше значения поля "
                                              "\"Максимальный ток заряда имеющейся АБ"));
    EXPECT_EQ(sel.okRefusal(false), std::nullopt);

    EXPECT_EQ(*sel.losingChoicesQuestion(),
              "Для измененных или удаленных массивов солнечных панелей \"Старый\" будут сброшены "
              "выбранные контроллеры заряда, кабели и защитные аппараты.\rПродолжить?");
    const StoredChoice c = sel.storedChoice();
    EXPECT_EQ(c.company, "Солнце");
    EXPECT_EQ(c.type.tip, "СП-200");
    EXPECT_EQ(c.panels, 8);
    EXPECT_EQ(c.power, 1600);
    EXPECT_DOUBLE_EQ(c.current, 47.2);
    ASSERT_EQ(c.arrays.size(), 2u);
    EXPECT_EQ(c.arrays[1].name, "Массив 2");
}

TEST_F(SelectionTest, UnchangedStoredArraysAskNothing) {
    SelectionSource s = source();
    s.arrays = {{array("Массив 1", 6), true}};
    load(s);
    EXPECT_EQ(sel.okRefusal(true), std::nullopt);
    EXPECT_EQ(sel.losingChoicesQuestion(), std::nullopt);
    ArrayRow moved = array("Массив 1", 6);
    moved.orientation = 190;
    sel.replace(moved);
    EXPECT_TRUE(sel.losingChoicesQuestion().has_value());
}

TEST_F(SelectionTest, RowsOfTheOldTypeRefuseOkUntilFormedAgain) {
    SelectionSource s = source();
    s.arrays = {{array("Массив 1", 6), false}, {array("Массив 2", 2), false}};
    load(s);
    const CatalogPanel other = panel("СП-250");
    EXPECT_EQ(*sel.chooseType(QStringLiteral("Солнце"), &other),
              "Изменен тип солнечной панели (с \"СП-200\" на \"СП-250\") при наличии в таблице "
              "\"Параметры массивов\" ранее сформированных массивов.\rРекомендуется удалить "
              "массивы солнечных панелей и сформировать их заново или отредактировать параметры "
              "имеющихся массивов.");
    EXPECT_EQ(*sel.okRefusal(true),
              "Массивы солнечных панелей \"Массив 1\", \"Массив 2\" сформированы не для выбранного "
              "типа солнечной панели \"СП-250\".\rСформируйте эти массивы заново (кнопка "
              "\"Изменить параметры массива солнечных панелей\") или удалите их.");
    sel.replace(array("Массив 1", 6));
    EXPECT_TRUE(sel.okRefusal(true)->contains("\"Массив 2\" сформированы"));
    sel.setCurrent(1);
    sel.remove();
    EXPECT_EQ(sel.okRefusal(true), std::nullopt);
    EXPECT_EQ(sel.storedChoice().type.tip, "СП-250");

    sel.chooseType(QString(), nullptr);
    EXPECT_EQ(*sel.okRefusal(true), "Не выбран тип солнечной панели.");
    EXPECT_FALSE(sel.commands().add);
}

TEST_F(SelectionTest, TotalsAndWhatTheRowsLeave) {
    load();
    // No rows: empty totals, the whole calculated power still to add at the variant's tilt.
    EXPECT_FALSE(sel.totals().fullPower);
    EXPECT_FALSE(sel.totals().chargeCurrent);
    EXPECT_EQ(sel.additionalPower(), 1000);
    EXPECT_EQ(sel.suggestedTilt(), 45);

    ArrayRow turned = array("Юго-восток", 2); // 400 W turned 45 degrees off south: К 0,5
    turned.orientation = 135;
    turned.k = 0.5;
    turned.loss = 200;
    sel.add(turned);
    const SelectionTotals& t = sel.totals();
    EXPECT_EQ(t.panels, 2);
    EXPECT_EQ(t.power, 400);
    EXPECT_EQ(*t.losses, 200);
    EXPECT_EQ(*t.fullPower, 1200);
    EXPECT_DOUBLE_EQ(*t.chargeCurrent, 11.8); // PWM: the arrays' own current
    // It covers half its power: 800 W are still needed, at the month's tilt.
    EXPECT_EQ(sel.additionalPower(), 800);
    EXPECT_EQ(sel.boptForNewRow(), 45);

    sel.add(array("Юг", 6));
    EXPECT_EQ(sel.additionalPower(), 0);
    EXPECT_EQ(sel.suggestedTilt(), std::nullopt);
    EXPECT_EQ(sel.boptForNewRow(), std::nullopt);
}

TEST_F(SelectionTest, MpptChargeCurrentComesFromThePower) {
    SelectionSource s = source();
    s.variant.system.mppt = true;
    s.variant.system.umppt = 48;
    load(s);
    sel.add(array("Массив 1", 6)); // 1200 W
    // (1 - 10 %) x 1200 W / (2 x 13,8 V)
    EXPECT_DOUBLE_EQ(*sel.totals().chargeCurrent, 39.13);
}

TEST_F(SelectionTest, CommandsFollowTheCurrentRow) {
    SelectionSource s = source();
    s.arrays = {{array("А", 2), false}, {array("Б", 2), false}, {array("В", 2), false}};
    load(s);
    EXPECT_EQ(sel.current(), 0);
    EXPECT_FALSE(sel.commands().up);
    EXPECT_TRUE(sel.commands().down);

    sel.moveDown();
    EXPECT_EQ(names(), QStringList({"Б", "А", "В"}));
    EXPECT_EQ(sel.current(), 1);
    sel.insert(array("Г", 2));
    EXPECT_EQ(names(), QStringList({"Б", "Г", "А", "В"}));
    EXPECT_EQ(sel.current(), 1);
    sel.setCurrent(3);
    EXPECT_FALSE(sel.commands().down);
    sel.remove();
    EXPECT_EQ(sel.current(), 2); // the new last row
    sel.moveUp();
    EXPECT_EQ(names(), QStringList({"Б", "А", "Г"}));
    sel.add(array("Д", 2));
    EXPECT_EQ(sel.current(), 3);

    while (!sel.rows().empty())
        sel.remove();
    EXPECT_EQ(sel.current(), -1);
    const auto c = sel.commands();
    EXPECT_TRUE(c.add);
    EXPECT_FALSE(c.edit || c.remove || c.insert || c.ok);
}

TEST_F(SelectionTest, ArrayWindowSeesTheNeedWithoutTheEditedRow) {
    SelectionSource s = source();
    s.arrays = {{array("Массив 1", 2), false}, {array("Массив 2", 2), false}};
    s.controllerPowers = {300, 800, 400, 800};
    load(s);

    const ArrayWindowInput added = sel.arrayWindowInput(-1);
    EXPECT_FALSE(added.editing);
    EXPECT_EQ(added.row.name, "Массив 3");
    EXPECT_EQ(added.dopP, 200); // 1000 W less two arrays of 400 W
    EXPECT_EQ(added.powerChoices, std::vector<double>({400, 800}));

    const ArrayWindowInput edited = sel.arrayWindowInput(1);
    EXPECT_TRUE(edited.editing);
    EXPECT_EQ(edited.row.name, "Массив 2");
    EXPECT_EQ(edited.dopP, 600);
    EXPECT_EQ(edited.remaining[0], 600);
}

TEST(ArrayWindowInput, FirstGivenPowerByTheSystemVoltage) {
    struct Case {
        double uses;
        std::optional<double> own;
        std::vector<double> offered;
        std::optional<double> shown;
    } cases[] = {
        {12, {}, {400}, 800},      {24, {}, {}, 1600},         {48, {}, {}, 3200},
        {36, {}, {400, 900}, 900}, {36, {}, {}, std::nullopt}, {24, 1000, {}, 1000},
    };
    for (const Case& c : cases) {
        ArrayWindowInput in;
        in.system.uses = c.uses;
        in.row.givenPower = c.own;
        in.powerChoices = c.offered;
        EXPECT_EQ(initialGivenPower(in), c.shown) << c.uses;
    }
}

} // namespace
