// The solar battery choice over a real data module, offscreen: the catalog offered for the
// system, the arrays formed in the array window, the checks of "ОК" and the storing that keeps
// the later choices of unchanged arrays.

#include "data/fixture.h"

#include "reports/recording_report_writer.h"
#include "solar/solar_choice_ops.h"
#include "solar/ui/mas_sp_form.h"
#include "solar/ui/sel_sp_form.h"
#include "widgets/drawing_pane.h"
#include "widgets/number_field.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace ses;
using namespace ses::test;

namespace {

class ChoiceTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", "0"}, {"K", "0"}}));
        ASSERT_TRUE(add(tbl("Kproiz2"), {{"Ugol", "90"}, {"K", "100"}}));
        ASSERT_TRUE(add(tbl("SunPanel0"), {{"Company", "Солнце"}, {"UseSP", "1"}}));
        for (const auto& [tip, p, u] :
             {std::tuple{"СП-200", "200", "12"}, {"СП-250", "250", "24"}, {"СП-300", "300", "36"}})
            ASSERT_TRUE(add(tbl("SunPanel1"), {{"Tip", tip},
                                               {"P", p},
                                               {"Unom", u},
                                               {"Isc", "12,5"},
                                               {"Vmp", "17"},
                                               {"Imp", "11,8"},
                                               {"Voc", "22"},
                                               {"H", "1600"},
                                               {"S", "1000"},
                                               {"UseSP", "1"},
                                               {"Structure", "моно"},
                                               {"Kpd", "18"},
                                               {"TK_Pmax", "-0,4"},
                                               {"TK_Vos", "-0,3"}}))
                << prompter.last().toStdString();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"},
                                          {"Uses", "24"},
                                          {"Pras_SP", "1000"},
                                          {"B", "45"},
                                          {"Company_SP", "Солнце"},
                                          {"Tip_SP", "СП-200"}}));
    }

    // An array row as the window would write it: six panels by a given power.
    static ArrayRow row(const char* name, double power, double current) {
        ArrayRow a;
        a.name = QString::fromUtf8(name);
        a.bopt = 45;
        a.tilt = 45;
        a.series = 2;
        a.strings = 3;
        a.panels = 6;
        a.power = power;
        a.current = current;
        a.criterion = Criterion::GivenPower;
        a.givenPower = 1200;
        return a;
    }

    void storeArrays(const std::vector<ArrayRow>& rows) {
        StoredChoice c;
        c.company = QStringLiteral("Солнце");
        c.type = panelTypes(*dm, 1, systemSettings(*dm)).front();
        c.arrays = rows;
        storeChoice(*dm, c);
    }

    // Runs the array window by the required power and accepts it.
    static bool formByRequiredPower(TMasSPFrm& w) {
        w.criterionBox()->setCurrentIndex(0);
        return w.calculate() && w.accept_();
    }
};

TEST_F(ChoiceTest, OnlyTypesWhoseVoltageDividesTheSystemAreOffered) {
    const auto types = panelTypes(*dm, 1, systemSettings(*dm));
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].tip, "СП-200");
    EXPECT_EQ(types[1].tip, "СП-250");
}

TEST_F(ChoiceTest, UnchangedArraysAreNotRewrittenAndKeepTheirController) {
    storeArrays({row("Массив 1", 1200, 35.4)});
    View& m = tbl("proj_mas");
    ASSERT_TRUE(m.edit());
    m["Company_Ctrl"].setString("Контроль");
    ASSERT_TRUE(m.post());
    const QVariant key = m.currentKey();
    EXPECT_EQ(m["Pzad"].asString(), "1200");
    EXPECT_EQ(m["FormaPl"].asString(), ""); // kept only for the site criterion

    EXPECT_FALSE(arraysChanged(*dm, readArrays(*dm)));
    EXPECT_TRUE(arraysLosingChoices(readStoredArrays(*dm), readArrays(*dm)).isEmpty());
    storeArrays(readArrays(*dm));
    ASSERT_EQ(m.recordCount(), 1);
    EXPECT_EQ(m.currentKey(), key);
    EXPECT_EQ(m["Company_Ctrl"].asString(), "Контроль");
}

TEST_F(ChoiceTest, ChangedArraysAreRewrittenKeepingTheUnchangedOnesChoices) {
    storeArrays({row("Массив 1", 1200, 35.4), row("Массив 2", 1200, 35.4)});
    View& m = tbl("proj_mas");
    for (int r = 0; r < 2; ++r) {
        m.moveTo(r);
        ASSERT_TRUE(m.edit());
        m["Company_Ctrl"].setString(r == 0 ? "Первый" : "Второй");
        ASSERT_TRUE(m.post());
    }
    auto rows = readArrays(*dm);
    rows[1].power = 600;
    EXPECT_EQ(arraysLosingChoices(readStoredArrays(*dm), rows), QStringList({"Массив 2"}));
    storeArrays(rows);
    ASSERT_EQ(m.recordCount(), 2);
    m.first();
    EXPECT_EQ(m["Company_Ctrl"].asString(), "Первый");
    m.next();
    EXPECT_EQ(m["Pmas"].asString(), "600");
    EXPECT_TRUE(m["Company_Ctrl"].isNull());
}

TEST_F(ChoiceTest, WindowFormsAnArrayAndStoresTheSumOfCurrents) {
    TSelSPFrm w(*dm, prompter);
    w.arrayWindowRunner = formByRequiredPower;
    w.loadForTour();
    EXPECT_EQ(w.typeBox()->currentText(), "СП-200");
    EXPECT_EQ(w.fieldText("P"), "200");
    EXPECT_EQ(w.fieldText("additional"), "1000");
    EXPECT_FALSE(w.button("ok")->isEnabled());

    ASSERT_TRUE(w.addArray());
    ASSERT_EQ(w.arrays().size(), 1u);
    // 1000 W of 200 W panels strung by two for 24 V: three strings.
    const ArrayRow& a = w.arrays()[0];
    EXPECT_EQ(a.name, "Массив 1");
    EXPECT_EQ(TSelSPFrm::rowTexts(a).mid(5, 5), QStringList({"2", "3", "6", "1200", "35,4"}));
    EXPECT_EQ(w.fieldText("power"), "1200");
    EXPECT_EQ(w.fieldText("count"), "6");

    ASSERT_TRUE(w.ok());
    View& p = tbl("project1");
    EXPECT_EQ(p["KolTotal_SP"].asString(), "6");
    EXPECT_EQ(p["PTotal_SP"].asString(), "1200");
    EXPECT_EQ(p["ITotal_SP"].asString(), "35,4");
    EXPECT_EQ(p["Pnom_SP"].asString(), "200");
    EXPECT_EQ(tbl("proj_mas").recordCount(), 1);
}

TEST_F(ChoiceTest, GivenPowersComeFromControllersOfTheSystemsAlgorithmAndVoltage) {
    ASSERT_TRUE(add(tbl("Controller0"), {{"Company", "К"}, {"UseCtrl", "+"}}));
    const auto type = [&](const char* tip, const char* algorithm) {
        return add(tbl("Controller1"), {{"Tip", tip},
                                        {"Algoritm1", algorithm},
                                        {"Imax_sp", "40"},
                                        {"Imax_nagr", "20"},
                                        {"ProvSechMax", "16"},
                                        {"UseCtrl", "+"}});
    };
    const auto rating = [&](const char* uses, const char* psp) {
        return add(tbl("Controller2"), {{"Uses", uses},
                                        {"Psp", psp},
                                        {"Uxx_sp", "100"},
                                        {"Umppt_min", "30"},
                                        {"Umppt_max", "90"}});
    };
    // One rating per system voltage and type. 200 W is below two 12 V panels of 200 W strung for
    // 24 V; 300 W is for 12 V systems; 1200 W is an MPPT type's.
    ASSERT_TRUE(type("ШИМ-1", "PWM"));
    ASSERT_TRUE(rating("24", "800"));
    ASSERT_TRUE(rating("12", "300"));
    for (const auto& [tip, psp] : {std::pair{"ШИМ-2", "200"}, {"ШИМ-3", "400"}, {"ШИМ-4", "800"}}) {
        ASSERT_TRUE(type(tip, "PWM"));
        ASSERT_TRUE(rating("24", psp)) << prompter.last().toStdString();
    }
    ASSERT_TRUE(type("MPPT-1", "MPPT"));
    ASSERT_TRUE(rating("24", "1200")) << prompter.last().toStdString();

    QStringList offered;
    QString shown;
    TSelSPFrm w(*dm, prompter);
    w.arrayWindowRunner = [&](TMasSPFrm& a) {
        for (int i = 0; i < a.givenPowerBox()->count(); ++i)
            offered << a.givenPowerBox()->itemText(i);
        shown = a.givenPowerBox()->currentText();
        return false;
    };
    w.loadForTour();
    EXPECT_FALSE(w.addArray());
    EXPECT_EQ(offered, QStringList({"400", "800"}));
    EXPECT_EQ(shown, "1600"); // the 24 V default even when no controller offers it
}

TEST_F(ChoiceTest, OkWithoutArraysIsRefused) {
    TSelSPFrm w(*dm, prompter);
    w.loadForTour();
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(prompter.last(),
              "Для завершения работы с диалогом посредством нажатия кнопки \"ОК\" необходимо "
              "сформировать массивы солнечных панелей.");
    EXPECT_TRUE(tbl("project1")["KolTotal_SP"].isNull());
}

TEST_F(ChoiceTest, ArraysOfTheOldTypeBlockOkUntilFormedAgain) {
    storeArrays({row("Массив 1", 1200, 35.4)});
    TSelSPFrm w(*dm, prompter);
    w.arrayWindowRunner = formByRequiredPower;
    w.loadForTour();
    prompter.clear();
    w.typeBox()->setCurrentIndex(1);
    EXPECT_EQ(prompter.last(),
              "Изменен тип солнечной панели (с \"СП-200\" на \"СП-250\") при наличии в таблице "
              "\"Параметры массивов\" ранее сформированных массивов.\rРекомендуется удалить "
              "массивы солнечных панелей и сформировать их заново или отредактировать параметры "
              "имеющихся массивов.");
    EXPECT_EQ(w.arrays().size(), 1u);
    EXPECT_FALSE(w.ok());
    EXPECT_TRUE(prompter.last().startsWith("Массивы солнечных панелей \"Массив 1\" сформированы "
                                           "не для выбранного типа"));
    EXPECT_EQ(tbl("project1")["Tip_SP"].asString(), "СП-200");

    ASSERT_TRUE(w.editArray());
    EXPECT_EQ(w.arrays()[0].power, 1000); // two 250 W panels in series, two strings
    prompter.answer(true);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(tbl("project1")["Tip_SP"].asString(), "СП-250");
    EXPECT_EQ(tbl("proj_mas")["Pmas"].asString(), "1000");
}

TEST_F(ChoiceTest, DeclinedWarningChangesNothing) {
    storeArrays({row("Массив 1", 1200, 35.4), row("Массив 2", 1200, 35.4)});
    View& m = tbl("proj_mas");
    ASSERT_TRUE(m.edit());
    m["Company_Ctrl"].setString("Контроль");
    ASSERT_TRUE(m.post());
    TSelSPFrm w(*dm, prompter);
    w.loadForTour();
    w.setCurrentArray(1);
    ASSERT_TRUE(w.deleteArray());
    EXPECT_FALSE(w.ok()); // the question is answered No
    EXPECT_EQ(prompter.entries().back().kind, RecordingPrompter::Kind::Question);
    EXPECT_TRUE(prompter.last().contains("\"Массив 2\""));
    EXPECT_EQ(m.recordCount(), 2);
}

TEST_F(ChoiceTest, CommandsFollowTheTable) {
    storeArrays({row("Массив 1", 1200, 35.4), row("Массив 2", 600, 17.7)});
    TSelSPFrm w(*dm, prompter);
    w.loadForTour();
    EXPECT_FALSE(w.button("up")->isEnabled());
    EXPECT_TRUE(w.button("down")->isEnabled());
    ASSERT_TRUE(w.moveDown());
    EXPECT_EQ(w.arrays()[1].name, "Массив 1");
    EXPECT_EQ(w.currentArray(), 1);
    EXPECT_TRUE(w.button("up")->isEnabled());
    EXPECT_FALSE(w.button("down")->isEnabled());
    EXPECT_EQ(w.fieldText("power"), "1800");
    EXPECT_EQ(w.fieldText("charge"), "53,1");
}

// ---------------------------------------------------------------- the array window

// A 24 V system of 200 W, 12 V panels with 1000 W still to cover every month at 45 degrees,
// opened on a new south-facing array and calculated by the required power.
void openSample(TMasSPFrm& w) {
    ArrayWindowInput in;
    in.company = QStringLiteral("Солнечный завод");
    in.type.tip = QStringLiteral("СП-200");
    in.type.panel = {200, 12, 12.5, 17, 11.8, 1600, 1000};
    in.system.uses = 24;
    in.variantB = 45;
    for (int m = 0; m < 12; ++m)
        in.region[m] = RegionMonthData{3, 10, 45};
    in.loss = {{0, 0}, {90, 100}};
    in.powerChoices = {400, 800, 1600, 3200};
    in.dopP = 1000;
    in.dopB = 45;
    in.remaining.fill(1000);
    in.row.name = QStringLiteral("Массив 1");
    in.row.tilt = 45;
    w.setInput(in);
    w.calculate();
}

class ArrayWindowTest : public ::testing::Test {
protected:
    RecordingPrompter prompter;
};

TEST_F(ArrayWindowTest, GivenPowerBelowOneStringIsRefused) {
    TMasSPFrm w(prompter);
    openSample(w);
    ASSERT_TRUE(w.isCalculated());
    EXPECT_EQ(w.resultText("panels"), "6");
    w.criterionBox()->setCurrentIndex(1);
    EXPECT_FALSE(w.okButton()->isEnabled());
    w.givenPowerBox()->setEditText("350");
    EXPECT_FALSE(w.calculate());
    EXPECT_EQ(prompter.last(),
              "Значение поля \"Заданная мощность панелей массива, Вт\" (350 Вт) меньше минимально "
              "допустимой мощности массива (400 Вт) при номинальной мощности отдельной солнечной "
              "панели 200 Вт и количестве панелей в отдельной сборке массива 2 шт.");
    EXPECT_FALSE(w.isCalculated());
    EXPECT_TRUE(w.resultText("panels").isEmpty());
}

TEST_F(ArrayWindowTest, BadAngleIsRefused) {
    TMasSPFrm w(prompter);
    openSample(w);
    w.orientationField()->setText("юг");
    EXPECT_FALSE(w.calculate());
    EXPECT_FALSE(prompter.last().isEmpty());
    EXPECT_TRUE(prompter.last().contains("угла ориентации солнечных панелей"));
    EXPECT_FALSE(w.okButton()->isEnabled());
}

TEST_F(ArrayWindowTest, SiteCriterionWritesItsCells) {
    TMasSPFrm w(prompter);
    openSample(w);
    w.criterionBox()->setCurrentIndex(3);
    w.lengthField()->setText("5");
    w.heightField()->setText("5");
    ASSERT_TRUE(w.calculate());
    const ArrayRow a = w.resultRow(45);
    EXPECT_EQ(a.criterion, Criterion::SiteSize);
    EXPECT_EQ(a.siteParameter, 0);
    EXPECT_EQ(a.shape, SiteShape::Rectangle);
    EXPECT_EQ(a.length, 5);
    EXPECT_EQ(a.height, 5);
    EXPECT_FALSE(a.lower);      // a trapezoid's only
    EXPECT_FALSE(a.givenPower); // the site is sized by the required power
}

} // namespace

namespace {

TEST_F(ChoiceTest, ReportHasItsTablesAndOneSchemePerArray) {
    TSelSPFrm w(*dm, prompter);
    w.arrayWindowRunner = formByRequiredPower;
    w.loadForTour();
    ASSERT_TRUE(w.addArray());
    RecordingReportWriter rec;
    w.writeReport(rec);
    const QStringList s = rec.summary();
    ASSERT_GE(s.size(), 12);
    EXPECT_EQ(s[0], "open");
    EXPECT_TRUE(s[1].startsWith("title: Выбор солнечных панелей и формирование массивов."));
    EXPECT_TRUE(s.contains("pairs 4"));
    EXPECT_TRUE(s.contains("pairs 9"));
    EXPECT_TRUE(s.contains("grid 2x11")) << s.join(" | ").toStdString();
    EXPECT_TRUE(s.contains("pairs 5"));
    EXPECT_EQ(s.filter("picture ").size(), 1);
    EXPECT_EQ(TSelSPFrm::noteLines().size(), 11);
}

} // namespace

namespace {

TEST_F(ChoiceTest, SitePlacementIsDrawnForTheSiteCriterionOnly) {
    TMasSPFrm a(prompter);
    openSample(a);
    const DrawingPane* placement = a.placementPane();
    // Calculated by the required power: the page says which criterion it is drawn for, in the
    // words of the criterion list.
    EXPECT_TRUE(a.placementPicture().isNull());
    EXPECT_EQ(placement->message(), "Размещение панелей на площадке рисуется только для режима "
                                    "расчета «по заданному размеру площадки установки».");
    EXPECT_TRUE(placement->message().contains("«" + a.criterionBox()->itemText(3) + "»"));
    a.criterionBox()->setCurrentIndex(3);
    a.shapeBox()->setCurrentIndex(0);
    a.lengthField()->setText("6");
    a.heightField()->setText("4");
    EXPECT_EQ(placement->message(),
              "Размещение панелей на площадке рисуется после расчета: нажмите «Расчет».");
    ASSERT_TRUE(a.calculate());
    EXPECT_TRUE(placement->message().isEmpty());
    EXPECT_FALSE(a.placementPicture().isNull());
    a.heightField()->setText("5"); // any change drops the result and its drawing
    EXPECT_TRUE(a.placementPicture().isNull());
    EXPECT_TRUE(placement->message().contains("после расчета"));
}

TEST_F(ChoiceTest, DrawingsFillTheirPanesAtTheDefaultScale) {
    TMasSPFrm a(prompter);
    a.resize(830, 730);
    a.show();
    openSample(a);
    a.criterionBox()->setCurrentIndex(3);
    a.lengthField()->setText("6");
    a.heightField()->setText("4");
    ASSERT_TRUE(a.calculate());
    auto* pages = a.findChild<QTabWidget*>();
    for (DrawingPane* pane : {a.schemePane(), a.placementPane()}) {
        pages->setCurrentWidget(pane);
        QApplication::processEvents();
        ASSERT_TRUE(pane->fitsPane());
        const QSize room = pane->room();
        const QSize shown = pane->picture().size();
        EXPECT_LE(shown.width(), room.width());
        EXPECT_LE(shown.height(), room.height());
        // The fixed 30 px/m of old left most of the pane empty.
        EXPECT_GT(pane->scale(), 30);
        // A pixel a metre more would not fit.
        const int fitted = pane->scale();
        pane->scaleField()->setText(QString::number(fitted + 1));
        emit pane->scaleField()->editingFinished();
        EXPECT_FALSE(pane->fitsPane());
        const QSize larger = pane->picture().size();
        EXPECT_TRUE(larger.width() > room.width() || larger.height() > room.height());
        pane->fitBox()->setChecked(true);
        EXPECT_EQ(pane->scale(), fitted);
    }
    EXPECT_TRUE(prompter.entries().empty());
}

} // namespace
