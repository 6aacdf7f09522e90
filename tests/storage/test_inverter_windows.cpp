// The inverter windows offscreen over the starter catalogs.

#include "../lib/qt_print.h"

#include "data/data_dir.h"
#include "data/data_module.h"
#include "reports/recording_report_writer.h"
#include "storage/ui/anal_inv_form.h"
#include "storage/ui/inv_form.h"
#include "storage/ui/inverter_panels.h"
#include "storage/ui/inverter_reports.h"
#include "storage/ui/sel_inv_form.h"
#include "storage/ui/tab_inv_form.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ses;

namespace {

const QString kMakerA = QStringLiteral("Стартовый набор: Инверторы А"); // pure sine
const QString kMakerB = QStringLiteral("Стартовый набор: Инверторы Б"); // modified sine

class InverterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_tmp.isValid());
        initDataDirectory(m_tmp.path(), InitContent::StarterCatalogs);
        store = Store::open(m_tmp.path());
        dm = std::make_unique<TDataModule1>(*store, prompter);
        ASSERT_TRUE(add(dm->tblProj0(), {{"Name", "Дачный дом"}}));
        // 24 V, 220 V; nominal reserve 10 %, peak not considered; the user's efficiency 0,85.
        ASSERT_TRUE(add(dm->tblProj1(), {{"VarName", "Основной"},
                                         {"Uses", "24"},
                                         {"Uvuh", "220"},
                                         {"ZapPnom_Inv", "10"},
                                         {"ZapPmax_Inv", "0"},
                                         {"ZapPpik_Inv", "20"},
                                         {"UsePpik_Inv", "-"},
                                         {"UseUserKpd_Inv", "+"},
                                         {"UserKpd_Inv", "0,85"}}));
        ASSERT_TRUE(add(dm->tblProj_Inv(), {{"Nagr_Name", "Дом"},
                                            {"Pnom30min", "850"},
                                            {"Pmax10min", "1200"},
                                            {"Ppik", "2400"},
                                            {"ClearSinus", "+"}}));
        ASSERT_TRUE(add(dm->tbl("proj_graf0"), {{"SutGrafName", "Зима"},
                                                {"Pnom30min", "850"},
                                                {"Pmax10min", "1000"},
                                                {"Wp_pik", "2400"},
                                                {"ClearSinus", "-"}}));
        ASSERT_TRUE(add(dm->tbl("proj_graf0"), {{"SutGrafName", "Лето"},
                                                {"Pnom30min", "600"},
                                                {"Pmax10min", "1200"},
                                                {"Wp_pik", "900"},
                                                {"ClearSinus", "+"}}));
        ASSERT_TRUE(add(dm->tblProj_Inv(), {{"Nagr_Name", "Насос"},
                                            {"Pnom30min", "750"},
                                            {"Pmax10min", "750"},
                                            {"Ppik", "3750"},
                                            {"ClearSinus", "-"}}));
        dm->tblProj_Inv().first();
    }
    void TearDown() override {
        dm.reset();
        store.reset();
    }
    bool add(View& v, std::initializer_list<std::pair<const char*, QString>> values) {
        if (!v.append())
            return false;
        for (const auto& [c, text] : values)
            v[QString::fromLatin1(c)].setString(text);
        return v.post();
    }
    QString stored(int row, const char* column) {
        View& v = dm->tblProj_Inv();
        v.moveTo(row);
        return v[QString::fromLatin1(column)].asString();
    }
    InverterLoad loadAt(int row) { return readInverterLoads(*dm).at(row); }
    void prepare(TSelInvFm& sel, int row, const QString& maker = {}, const QString& type = {}) {
        sel.prepare(readInverterVariant(*dm), loadAt(row), readLoadWindows(*dm), maker, type);
    }
    static QStringList items(const QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }

    QTemporaryDir m_tmp;
    RecordingPrompter prompter;
    std::unique_ptr<Store> store;
    std::unique_ptr<TDataModule1> dm;
};

TEST_F(InverterWindowTest, SelectionOffersTheFittingTypesOfTheRememberedMaker) {
    TSelInvFm sel(*dm, prompter);
    prepare(sel, 0, kMakerA, QStringLiteral("ИН-ЧС-2000-24"));
    EXPECT_EQ(items(sel.makerBox()), QStringList({kMakerA, kMakerB}));
    // 850 * 1,1 = 935 W nominal, 1200 W maximum, pure sine, 24 V in, 220 V out.
    EXPECT_EQ(items(sel.typeBox()), QStringList({"ИН-ЧС-1000-24", "ИН-ЧС-1500-24", "ИН-ЧС-2000-24",
                                                 "ИН-ЧС-3000-24", "ИН-ЧС-4000-24"}));
    EXPECT_EQ(sel.typeBox()->currentText(), "ИН-ЧС-2000-24");
    EXPECT_EQ(sel.dataField(0)->text(), "2000");
    EXPECT_EQ(sel.dataField(3)->text(), "24");
    // The inverter's own efficiency; the user's one is named beside it.
    EXPECT_EQ(sel.dataField(5)->text(), "0,91");
    EXPECT_FALSE(sel.userKpdNote()->isHidden());
    EXPECT_EQ(sel.userKpdNote()->text(),
              "В расчетах принимается КПД инвертора, заданный\nв параметрах варианта расчета: "
              "0,85.");
    EXPECT_TRUE(sel.okButton()->isEnabled());

    prepare(sel, 0, QStringLiteral("Нет такой"), QStringLiteral("Нет такого"));
    EXPECT_EQ(sel.makerBox()->currentText(), kMakerA);
    EXPECT_EQ(sel.typeBox()->currentText(), "ИН-ЧС-1000-24");

    sel.selectMaker(1); // modified sine only
    EXPECT_EQ(sel.typeBox()->count(), 0);
    EXPECT_TRUE(sel.dataField(0)->text().isEmpty());
    EXPECT_TRUE(sel.dataField(6)->text().isEmpty());
    EXPECT_FALSE(sel.okButton()->isEnabled());
    EXPECT_FALSE(sel.choice().has_value());

    prepare(sel, 1, kMakerB); // the pump needs no pure sine
    EXPECT_EQ(sel.typeBox()->currentText(), "ИН-МС-1000-24");
    EXPECT_EQ(sel.choice()->forma, "модиф. синус");
}

TEST_F(InverterWindowTest, SelectionCaptionsFollowTheSettings) {
    View& param = dm->tblParam();
    ASSERT_TRUE(param.isEmpty() ? param.append() : param.edit());
    param[QStringLiteral("SutGr_Pnom_Time")].setInteger(45);
    param[QStringLiteral("SutGr_Pmax_Time")].setInteger(5);
    ASSERT_TRUE(param.post());
    TSelInvFm sel(*dm, prompter);
    prepare(sel, 0);
    EXPECT_EQ(sel.inputs()->nominalLabel()->text(),
              "Номинальная выходная мощность (более 45 минут), Вт:");
    EXPECT_EQ(sel.inputs()->maximumLabel()->text(),
              "Максимальная выходная мощность (не более 5 минут), Вт:");
    EXPECT_EQ(sel.inputs()->field(0)->text(), "24");
    EXPECT_EQ(sel.inputs()->field(5)->text(), "10");
    EXPECT_TRUE(sel.inputs()->pureSineBox()->isChecked());
    EXPECT_FALSE(sel.inputs()->peakBox()->isChecked());
}

TEST_F(InverterWindowTest, InverterWithoutEfficiencyCannotBeChosen) {
    store->exec(QStringLiteral("update Invert1 set Kpd = 0 where Name = 'ИН-ЧС-1000-24'"));
    TSelInvFm sel(*dm, prompter);
    prepare(sel, 0, kMakerA, QStringLiteral("ИН-ЧС-1000-24"));
    sel.accept();
    EXPECT_NE(sel.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.last(), *efficiencyRefusal(*sel.choice()));
    EXPECT_TRUE(prompter.last().contains("ИН-ЧС-1000-24"));
}

TEST_F(InverterWindowTest, TableListsEveryMakersCandidates) {
    TTabInvFm table(*dm);
    const InverterVariant variant = readInverterVariant(*dm);
    const LoadWindows windows = readLoadWindows(*dm);
    // The pump: 825 W, 750 W maximum, any of the two waveforms.
    table.prepare(variant, loadAt(1), windows, kMakerB, QStringLiteral("ИН-МС-1500-24"));
    QStringList types;
    for (int r = 1; r < table.grid()->rowCount(); ++r)
        types << table.grid()->cell(1, r);
    EXPECT_EQ(types, QStringList({"ИН-ЧС-1000-24", "ИН-МС-1000-24", "ИН-ЧС-1500-24",
                                  "ИН-МС-1500-24", "ИН-ЧС-2000-24", "ИН-МС-2000-24",
                                  "ИН-ЧС-3000-24", "ИН-МС-3000-24", "ИН-ЧС-4000-24"}));
    EXPECT_EQ(table.grid()->cell(2, 0), "Pном., Вт");
    EXPECT_EQ(table.chosen()->model.name, "ИН-МС-1500-24"); // the cursor on the remembered row
    EXPECT_TRUE(table.okButton()->isEnabled());

    InverterLoad huge = loadAt(1);
    huge.pnom = 50000;
    table.prepare(variant, huge, windows, {}, {});
    EXPECT_EQ(table.grid()->rowCount(), 1); // the titles only
    EXPECT_FALSE(table.okButton()->isEnabled());
    EXPECT_FALSE(table.chosen().has_value());

    TSelInvFm sel(*dm, prompter);
    prepare(sel, 1, kMakerA);
    sel.applyTableChoice(kMakerB, QStringLiteral("ИН-МС-2000-24"));
    EXPECT_EQ(sel.makerBox()->currentText(), kMakerB);
    EXPECT_EQ(sel.typeBox()->currentText(), "ИН-МС-2000-24");
    EXPECT_EQ(sel.dataField(0)->text(), "2000");
}

TEST_F(InverterWindowTest, InvertersWindowStoresOnlyAChoiceForEveryLoad) {
    TInvForm form(*dm, prompter);
    form.load();
    EXPECT_EQ(form.usesField()->text(), "24");
    EXPECT_EQ(form.uvuhField()->text(), "220");
    ASSERT_EQ(form.grid()->rowCount(), 3);
    EXPECT_EQ(form.grid()->cell(11, 0), "Компания");
    EXPECT_EQ(form.grid()->cell(0, 1), "Дом");
    EXPECT_EQ(form.grid()->cell(4, 1), "+");
    EXPECT_EQ(form.grid()->cell(4, 2), "-");

    // "Выбор..." with the selection dialog's "ОК".
    form.grid()->setCurrentCell(0, 0);
    QTimer::singleShot(0, &form, [&form] { form.selectionDialog().accept(); });
    form.chooseRow();
    EXPECT_EQ(form.grid()->cell(5, 1), "ИН-ЧС-1000-24");
    EXPECT_EQ(form.grid()->cell(10, 1), "0,91");
    EXPECT_EQ(form.grid()->cell(11, 1), kMakerA);

    form.accept(); // the pump has no inverter yet
    EXPECT_EQ(prompter.last(), kChooseEveryInverter);
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_TRUE(stored(0, "Name_Inv").isEmpty());

    TSelInvFm& sel = form.selectionDialog();
    prepare(sel, 1, kMakerB);
    form.applyChoice(1, *sel.choice());
    prompter.clear();
    form.accept();
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(stored(0, "Name_Inv"), "ИН-ЧС-1000-24");
    EXPECT_EQ(stored(0, "Kpd_Inv"), "0,91"); // not the user's 0,85
    EXPECT_EQ(stored(1, "Name_Inv"), "ИН-МС-1000-24");
    EXPECT_EQ(stored(1, "Uvh_Inv"), "24");
    EXPECT_EQ(stored(1, "Inom_Inv"), "42");
    EXPECT_DOUBLE_EQ(acLoadKinv(*dm, 1), 0.85);
}

TEST_F(InverterWindowTest, InvertersWindowReport) {
    TInvForm form(*dm, prompter);
    form.load();
    TSelInvFm& sel = form.selectionDialog();
    prepare(sel, 0);
    form.applyChoice(0, *sel.choice());
    RecordingReportWriter w;
    form.writeReport(w);
    QStringList expected = {"open",      "title: Инверторы.\r\r",
                            "pairs 2",   "heading: \rПараметры нагрузок и инверторов.\r",
                            "grid 3x12", "text: Примечание.\r"};
    for (const QString& line : invFormNotes())
        expected << "text: " + line + "\r";
    EXPECT_EQ(w.summary(), expected);
    EXPECT_EQ(w.blocks()[4].rows[1],
              QStringList({"Дом", "850", "1200", "2400", "+", "ИН-ЧС-1000-24", "1000", "1200",
                           "2000", "чистый синус", "0,91", kMakerA}));
}

TEST_F(InverterWindowTest, AnalysisShowsEachScheduleAndTheDecidingValues) {
    TAnalInvF anal(*dm, prompter);
    anal.load();
    const StringGrid* g = anal.grid();
    // Columns: titles | Зима, Лето, значение of the house | значение of the pump.
    ASSERT_EQ(g->colCount(), 5);
    EXPECT_EQ(g->cell(0, 0), "Наименование нагрузки");
    EXPECT_EQ(g->cell(1, 0), "Дом");
    EXPECT_EQ(g->columnSpan(0, 1), 3);
    EXPECT_EQ(g->cell(4, 0), "Насос");
    const QStringList row1 = {g->cell(0, 1), g->cell(1, 1), g->cell(2, 1), g->cell(3, 1)};
    EXPECT_EQ(row1, QStringList({"Наименование параметра", "Зима", "Лето", "значение"}));
    const QStringList value = {g->cell(3, 2), g->cell(3, 3), g->cell(3, 4), g->cell(3, 5)};
    EXPECT_EQ(value, QStringList({"850", "1200", "2400", "+"}));
    EXPECT_EQ(g->cell(4, 3), ""); // the pump has no schedule
    EXPECT_EQ(g->item(2, 3)->background().color(), QColor(0, 255, 255));
    EXPECT_EQ(g->item(2, 1)->background().color(), QColor(Qt::white));

    RecordingReportWriter w;
    anal.writeReport(w);
    EXPECT_EQ(w.summary(),
              QStringList({"open", "title: Анализ выбора инверторов.\r\r",
                           "heading: Параметры нагрузок и суточных графиков, определяющие выбор "
                           "инверторов.\r",
                           "text: \rНаименование нагрузки: Дом\r", "grid 5x4",
                           "text: \rНаименование нагрузки: Насос\r", "grid 5x2"}));
}

} // namespace
