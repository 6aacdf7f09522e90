// The variant dialog offscreen over a fresh database: its dependent controls, where a refused
// "ОК" puts the focus, the room choice, the defaults and the three operations.

#include "../data/fixture.h"
#include "../lib/qt_print.h"

#include "app/ui/var_form.h"
#include "app/variant_ops.h"
#include "lib/months.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"

#include "refbooks/catalog_form.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <QTest>
#include <QTimer>

using namespace ses;
using namespace ses::test;

namespace {

class VarFormTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дом"}}));
        for (const char* region : {"Москва", "Абакан"})
            ASSERT_TRUE(add(tbl("region0"), {{"Region", QString::fromUtf8(region)}, {"Fi", "55"}}));
        ASSERT_TRUE(add(tbl("sTempAB0"), {{"PomName", "Подвал"}}));
        for (int m = 0; m < 12; ++m)
            ASSERT_TRUE(add(tbl("sTempAB1"), {{"MonthName", monthNames()[m]}, {"TempAB", "15"}}));
        form = std::make_unique<TVarForm>(*dm, prompter);
    }
    void TearDown() override { form.reset(); }

    template <class W> W* ctl(const char* column) {
        auto* w = qobject_cast<W*>(form->control(QString::fromLatin1(column)));
        EXPECT_NE(w, nullptr) << column;
        return w;
    }
    QString text(const char* column) { return ctl<QLineEdit>(column)->text(); }
    void setText(const char* column, const QString& t) { ctl<QLineEdit>(column)->setText(t); }
    bool showActive() {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }
    // Answers the next modal dialog with one of its buttons.
    void clickLater(const QString& button) {
        QTimer::singleShot(0, [button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            for (auto* b : dialog->findChildren<QPushButton*>())
                if (b->text() == button && b->isVisible()) {
                    b->click();
                    return;
                }
            ADD_FAILURE() << "no button " << button.toStdString();
        });
    }

    std::unique_ptr<TVarForm> form;
};

TEST_F(VarFormTest, ArrayVoltagesAndBoostVoltageFollowTheSystemAndMppt) {
    form->loadForTour(TVarForm::Layout::Variant);
    auto* umppt = ctl<QComboBox>("Umppt");
    EXPECT_FALSE(umppt->isEnabled());
    EXPECT_FALSE(ctl<NumberField>("DefUzar_Ctrl")->isEnabled());
    ctl<QComboBox>("Uses")->setCurrentText("48");
    EXPECT_EQ(umppt->count(), 79);
    EXPECT_EQ(umppt->itemText(umppt->count() - 1), "996");
    EXPECT_EQ(umppt->currentText(), "60");
    ctl<QCheckBox>("UseMPPT_Ctrl")->setChecked(true);
    EXPECT_TRUE(umppt->isEnabled());
    EXPECT_TRUE(ctl<NumberField>("DefUzar_Ctrl")->isEnabled());
    for (StepButtons* b : form->stepButtons("DefUzar_Ctrl"))
        EXPECT_TRUE(b->isEnabled());
}

TEST_F(VarFormTest, DependentControlsFollowTheirSwitches) {
    form->loadForTour(TVarForm::Layout::Variant);
    EXPECT_FALSE(ctl<NumberField>("KolHourWithoutSun")->isEnabled()); // daily cycle is on
    ctl<QCheckBox>("SutCikl")->setChecked(false);
    EXPECT_TRUE(ctl<NumberField>("KolHourWithoutSun")->isEnabled());

    EXPECT_TRUE(ctl<QComboBox>("Sel_KL_AKB_Inv")->isEnabled());
    ctl<QComboBox>("Sel_Tbl_AKB_Inv")->setCurrentIndex(1);
    EXPECT_FALSE(ctl<QComboBox>("Sel_KL_AKB_Inv")->isEnabled());

    EXPECT_FALSE(ctl<NumberField>("Kzap_AV_Inv_I")->isEnabled());
    EXPECT_FALSE(ctl<NumberField>("Kzap_Pr_Inv_U")->isEnabled());
    ctl<QComboBox>("Par_AV_AKB_Inv")->setCurrentIndex(2);
    EXPECT_TRUE(ctl<NumberField>("Kzap_AV_Inv_I")->isEnabled());
    EXPECT_TRUE(ctl<NumberField>("Kzap_AV_Inv_U")->isEnabled());
    EXPECT_FALSE(ctl<NumberField>("Kzap_Pr_Inv_U")->isEnabled());
}

TEST_F(VarFormTest, StepButtonsKeepTheirBounds) {
    form->loadForTour(TVarForm::Layout::Variant);
    const struct {
        const char* column;
        int pair; // in the order of the table's steps
        bool up;
        const char* start;
        const char* expected;
    } cases[] = {
        {"KdifP_SP", 0, true, "-0,05", "-0,05"},  {"KdifP_SP", 0, false, "-0,95", "-0,95"},
        {"KdifP_SP", 1, false, "-0,47", "-0,48"}, {"GlubRazryad_AKB", 1, true, "95", "95"},
        {"GlubRazryad_AKB", 0, true, "95", "96"}, {"Poteri_AKB", 0, false, "1", "1"},
        {"Poteri_AKB", 0, false, "", "1"},        {"ZapPnom_Inv", 1, false, "5", "5"},
    };
    for (const auto& c : cases) {
        setText(c.column, QString::fromUtf8(c.start));
        StepButtons* b = form->stepButtons(QString::fromLatin1(c.column)).at(c.pair);
        c.up ? b->stepUp() : b->stepDown();
        EXPECT_EQ(text(c.column), QString::fromUtf8(c.expected)) << c.column << " " << c.start;
    }
    EXPECT_TRUE(prompter.texts().isEmpty());
}

TEST_F(VarFormTest, RefusedOkShowsTheTabAndFocusesTheField) {
    form->loadForTour(TVarForm::Layout::Variant);
    ASSERT_TRUE(showActive());
    setText("KdifP_SP", "0");
    EXPECT_FALSE(form->checkValues());
    EXPECT_EQ(prompter.last(),
              "Значение коэффициента изменения мощности солнечных панелей должно быть больше 0.");
    EXPECT_EQ(form->tabs()->tabText(form->tabs()->currentIndex()), " СБ");
    EXPECT_EQ(QApplication::focusWidget(), form->control("KdifP_SP"));

    setText("KdifP_SP", "-0,47");
    setText("Kzap_Pr_Inv_U", ""); // disabled: its basis list takes the focus
    EXPECT_FALSE(form->checkValues());
    EXPECT_EQ(prompter.last(), "Введите значение коэффициента запаса.");
    EXPECT_EQ(form->tabs()->tabText(form->tabs()->currentIndex()), "Защита");
    EXPECT_EQ(QApplication::focusWidget(), form->control("Par_Pr_AKB_Inv"));

    setText("Kzap_Pr_Inv_U", "1,2");
    // The sunset typed into a cell still open counts.
    StringGrid* grid = form->dayLightGrid();
    grid->setCell(1, 4, "8");
    grid->setCurrentCell(3, 2);
    grid->editItem(grid->item(3, 2));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText("8");
    EXPECT_FALSE(form->checkValues());
    EXPECT_EQ(prompter.last(), "Время заката солнца должно быть больше времени его восхода.");
    EXPECT_EQ(grid->cell(2, 4), "8");
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_EQ(QApplication::focusWidget(), grid);
}

TEST_F(VarFormTest, ARegionAddedInItsCatalogIsOfferedToTheNextVariant) {
    TsRegForm regions(*dm, prompter);
    regions.show();
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Сочи"}, {"Fi", "43,6"}}));
    regions.done(QDialog::Rejected);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* box = ctl<QComboBox>("Region");
        for (int i = 0; i < box->count(); ++i)
            offered << box->itemText(i);
        form->reject();
    });
    form->runAdd();
    EXPECT_TRUE(offered.contains("Сочи")) << offered.join(", ").toStdString();
}

TEST_F(VarFormTest, RoomChoiceFillsTheRoomAndItsTemperatures) {
    form->loadForTour(TVarForm::Layout::Variant);
    EXPECT_EQ(text("Pom_AKB"), "Подвал"); // the catalog's first room
    EXPECT_EQ(form->temperatureGrid()->cell(1, 1), "15");
    QString asked;
    std::optional<RoomChoice> answer;
    form->setRoomChooser([&](const QString& room) {
        asked = room;
        return answer;
    });
    form->chooseRoomButton()->click(); // cancelled
    EXPECT_EQ(asked, "Подвал");
    EXPECT_EQ(text("Pom_AKB"), "Подвал");

    answer = RoomChoice{"Гараж", std::vector<std::optional<double>>(12, -7.5)};
    answer->temperatures[5] = std::nullopt;
    form->chooseRoomButton()->click();
    EXPECT_EQ(text("Pom_AKB"), "Гараж");
    EXPECT_EQ(form->temperatureGrid()->cell(1, 1), "-7,5");
    EXPECT_EQ(form->temperatureGrid()->cell(1, 6), "");
}

TEST_F(VarFormTest, DefaultsButtonsRestoreTheDefaultVariantAndTheDayLight) {
    VariantParams def = factoryFill(*dm);
    def.set("Region", "Москва");
    def.set("Poteri_AKB", "15");
    ASSERT_TRUE(saveDefaultVariant(*dm, def));

    form->loadForTour(TVarForm::Layout::Variant);
    EXPECT_EQ(ctl<QComboBox>("Region")->currentText(), "Абакан"); // a new variant: first region
    EXPECT_EQ(text("Poteri_AKB"), "15");
    form->nameField()->setText("Мой");
    setText("Poteri_AKB", "30");
    form->dayLightGrid()->setCell(1, 1, "1");
    form->defaultsButton()->click();
    EXPECT_EQ(form->nameField()->text(), "Мой");
    EXPECT_EQ(text("Poteri_AKB"), "15");
    EXPECT_EQ(ctl<QComboBox>("Region")->currentText(), "Москва");
    EXPECT_EQ(form->dayLightGrid()->cell(1, 1), "9,27");

    form->dayLightGrid()->setCell(2, 12, "20");
    form->dayLightDefaultsButton()->click();
    EXPECT_EQ(form->dayLightGrid()->cell(2, 12), "14,41");
}

TEST_F(VarFormTest, CancelWritesNothingOkAddsTheVariant) {
    clickLater("Отмена");
    EXPECT_FALSE(form->runAdd());
    EXPECT_EQ(store->count("project1"), 0);
    EXPECT_EQ(store->count("proj_sunday"), 0);

    clickLater("ОК");
    EXPECT_TRUE(form->runAdd());
    EXPECT_EQ(form->windowTitle(), "Параметры варианта расчета.");
    EXPECT_EQ(store->count("project1"), 1);
    EXPECT_EQ(store->count("proj_sunday"), 12);
    EXPECT_EQ(tbl("project1")["VarName"].asString(), "Вариант 1");
    EXPECT_EQ(tbl("project1")["Region"].asString(), "Абакан");
    EXPECT_EQ(tbl("project1")["Pom_AKB"].asString(), "Подвал");
}

TEST_F(VarFormTest, EditRewritesTheCurrentVariantAndChecksItsBattery) {
    ASSERT_TRUE(addVariant(*dm, factoryFill(*dm)));
    ASSERT_TRUE(tbl("project1").edit());
    tbl("project1")["VarName"].setString("Летний");
    tbl("project1")["Unom_AKB"].setInteger(24);
    ASSERT_TRUE(tbl("project1").post());

    QTimer::singleShot(0, [this] {
        EXPECT_EQ(form->nameField()->text(), "Летний");
        ctl<QComboBox>("Uses")->setCurrentText("36");
        form->accept(); // refused: 36 V on 24 V cells
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->focusWidget(), form->control("Uses"));
        ctl<QComboBox>("Uses")->setCurrentText("48");
        form->accept();
    });
    EXPECT_TRUE(form->runEdit());
    EXPECT_EQ(prompter.texts(),
              QStringList({"Напряжение системы (36 B) некратно номинальному напряжению АБ (24 В). "
                           "Необходимо выбрать другое напряжение системы."}));
    EXPECT_EQ(tbl("project1")["Uses"].asInteger(), 48);
    EXPECT_EQ(store->count("proj_sunday"), 12);
}

TEST_F(VarFormTest, DefaultLayoutHidesTheNameAndSavesTheDefaultVariant) {
    QTimer::singleShot(0, [this] {
        EXPECT_EQ(form->windowTitle(), "Параметры варианта расчета по умолчанию.");
        EXPECT_FALSE(form->nameField()->isVisible());
        EXPECT_FALSE(form->defaultsButton()->isVisible());
        EXPECT_FALSE(form->exportButton()->isVisible());
        EXPECT_EQ(text("Poteri_AKB"), "20"); // factory values while ParVarDef is empty
        setText("Poteri_AKB", "18");
        form->accept();
    });
    EXPECT_TRUE(form->runDefault());
    EXPECT_EQ(store->count("ParVarDef"), 1);
    EXPECT_EQ(store->count("ParVarDef1"), 12);
    EXPECT_EQ(tbl("ParVarDef")["Poteri_AKB"].asFloat(), 18);
    EXPECT_EQ(tbl("ParVarDef")["PomName"].asString(), "Подвал");
}

} // namespace
