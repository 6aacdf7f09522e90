// The data module's rules: each category with its exact message.

#include "fixture.h"

using namespace ses;
using namespace ses::test;

namespace {

class RulesTest : public DbTest {
protected:
    void addPanelMaker(const char* company = "Панели А") {
        ASSERT_TRUE(add(tbl("SunPanel0"), {{"Company", company}, {"UseSP", "+"}}));
    }
    bool addPanel(const char* tip) {
        return add(tbl("SunPanel1"), {{"Tip", tip},
                                      {"Structure", "моно"},
                                      {"P", "100"},
                                      {"Unom", "12"},
                                      {"H", "1000"},
                                      {"S", "600"},
                                      {"Voc", "22,3"},
                                      {"Isc", "6"},
                                      {"Vmp", "18"},
                                      {"Imp", "5,6"},
                                      {"Kpd", "17"},
                                      {"UseSP", "+"},
                                      {"TK_Pmax", "-0,4"},
                                      {"TK_Vos", "-0,3"}});
    }
};

TEST_F(RulesTest, RequiredColumnsAndInclusionFlag) {
    View& makers = tbl("SunPanel0");
    ASSERT_TRUE(makers.append());
    makers["Company"].setString("Без флага");
    EXPECT_FALSE(makers.post());
    EXPECT_EQ(prompter.last(), "Заполнение всех полей таблицы обязательно.");
    EXPECT_EQ(makers.state(), ViewState::Insert);
    makers["UseSP"].setString("+");
    EXPECT_TRUE(makers.post());
}

TEST_F(RulesTest, DuplicateValuesGetTheRewrittenKeyMessages) {
    addPanelMaker();
    ASSERT_TRUE(addPanel("СП-100"));
    EXPECT_FALSE(addPanel("СП-100"));
    EXPECT_EQ(prompter.last(), "Нарушение первичного ключа по полю \"Тип\".\n"
                               "В таблице \"Солнечные панели\" уже имеется запись с наименованием "
                               "типа солнечной панели \"СП-100\".");
    EXPECT_EQ(tbl("SunPanel1").state(), ViewState::Insert);
    tbl("SunPanel1").cancel();

    // The same type name under another maker is still a duplicate: types are unique overall.
    addPanelMaker("Панели Б");
    EXPECT_FALSE(addPanel("СП-100"));
    tbl("SunPanel1").cancel();

    // A consumer duplicates over a secondary index.
    View& ep = tbl("sEP");
    const auto consumer = [&] {
        return add(ep, {{"Name", "Насос"},
                        {"Pnom", "750"},
                        {"Ip_In", "5"},
                        {"ClearSinus", "-"},
                        {"Rejim", "повторно-кратковр."}});
    };
    ASSERT_TRUE(consumer());
    EXPECT_FALSE(consumer());
    EXPECT_EQ(
        prompter.last(),
        "Нарушение уникального ключа по полям \"Наименование\", \"Рном., Вт\", "
        "\"Iпуск./Iном.\".\nВ таблице \"Электроприемники\" уже имеется запись с "
        "электроприемником \"Насос\" (номинальная мощность 750 Вт, отношение пускового тока к "
        "номинальному 5).");
    ep.cancel();

    // Months are unique within their region only.
    View& r0 = tbl("region0");
    View& r1 = tbl("region1");
    for (const char* region : {"Омск", "Томск"}) {
        ASSERT_TRUE(add(r0, {{"Region", region}, {"Fi", "55"}}));
        ASSERT_TRUE(add(r1, {{"MonthName", "январь"}, {"P", "1"}, {"Tsred", "-18"}}));
    }
    EXPECT_FALSE(add(r1, {{"MonthName", "январь"}, {"P", "1"}, {"Tsred", "-18"}}));
    EXPECT_TRUE(prompter.last().startsWith("Нарушение первичного ключа по полю \"Месяц\".\n"));
}

TEST_F(RulesTest, DetailGuardRefusesWithoutMasterAndWhileMasterIsEdited) {
    View& types = tbl("akb1");
    View& cells = tbl("akb2");
    EXPECT_FALSE(types.append());
    EXPECT_EQ(prompter.last(), "Перед вставкой записи в таблицу \"Типы аккумуляторов\" добавьте "
                               "хотя бы одну запись в таблицу \"Компании\".");
    ASSERT_TRUE(add(tbl("akb0"), {{"Company", "АКБ А"}, {"UseAKB", "+"}}));
    ASSERT_TRUE(add(types, {{"Tip", "AGM"}, {"UseAKB", "+"}}));
    ASSERT_TRUE(types.edit());
    EXPECT_FALSE(cells.append());
    EXPECT_EQ(prompter.last(),
              "Перед выполнением операции завершите работу с таблицей \"Типы аккумуляторов\", "
              "сохранив или отменив в ней изменения (кнопка \"V\" или кнопка \"Х\" навигатора).");
    EXPECT_EQ(cells.state(), ViewState::Browse);
    types.cancel();
    EXPECT_TRUE(cells.append());
    cells.cancel();
}

TEST_F(RulesTest, OptimalTiltOfAMonth) {
    struct Case {
        const char* fi;
        const char* month;
        double b;
    } cases[] = {{"46,5", "январь", 66}, {"46,5", "июнь", 23}, {"50", "март", 50}};
    View& r0 = tbl("region0");
    View& r1 = tbl("region1");
    int n = 0;
    for (const auto& c : cases) {
        ASSERT_TRUE(add(r0, {{"Region", QString("Р%1").arg(++n)}, {"Fi", c.fi}}));
        ASSERT_TRUE(add(r1, {{"MonthName", c.month}, {"P", "1,5"}, {"Tsred", "0"}}));
        EXPECT_EQ(r1["B"].asFloat(), c.b) << c.month;
    }
    // Automatic mode needs month, radiation and temperature.
    EXPECT_FALSE(add(r1, {{"MonthName", "май"}}));
    EXPECT_EQ(prompter.last(), "Ошибка. Заполнение полей \"Месяц\", \"Е, кВт*ч/(м2*день)\" и "
                               "\"Tср., град.\" обязательно.");
    r1.cancel();
    EXPECT_FALSE(add(r1, {{"MonthName", "Май"}, {"P", "1"}, {"Tsred", "1"}}));
    r1.cancel();
}

TEST_F(RulesTest, LatitudeChangeRewritesTiltsOnlyInAutomaticMode) {
    View& r0 = tbl("region0");
    View& r1 = tbl("region1");
    ASSERT_TRUE(add(r0, {{"Region", "Элиста"}, {"Fi", "46,5"}}));
    for (const char* m : {"январь", "июнь"})
        ASSERT_TRUE(add(r1, {{"MonthName", m}, {"P", "2"}, {"Tsred", "5"}}));
    ASSERT_TRUE(r0.edit());
    r0["Fi"].setString("50");
    ASSERT_TRUE(r0.post());
    r1.first();
    EXPECT_EQ(r1["B"].asFloat(), 70);
    r1.next();
    EXPECT_EQ(r1["B"].asFloat(), 27);

    ASSERT_TRUE(add(tbl("param"), {{"OptimUgolRejim", "1"}, {"OptimUgolDay", "22"}}));
    ASSERT_TRUE(r0.edit());
    r0["Fi"].setString("60");
    ASSERT_TRUE(r0.post());
    r1.first();
    EXPECT_EQ(r1["B"].asFloat(), 70);

    // The settings dialog's recomputation for another day.
    ASSERT_TRUE(tbl("param").edit());
    tbl("param")["OptimUgolRejim"].setInteger(0);
    tbl("param")["OptimUgolDay"].setInteger(1);
    ASSERT_TRUE(tbl("param").post());
    r1.last();
    dm->recomputeRegionTilts(1);
    EXPECT_EQ(r1["MonthName"].asString(), "июнь"); // the current month row is restored
    r1.first();
    EXPECT_EQ(r1["B"].asFloat(), 83); // 60 + 23 for the first of January
}

TEST_F(RulesTest, PwmRatingIsSavedWithoutMpptBounds) {
    ASSERT_TRUE(add(tbl("Controller0"), {{"Company", "К"}, {"UseCtrl", "+"}}));
    ASSERT_TRUE(add(tbl("Controller1"), {{"Tip", "ШИМ-20"},
                                         {"Algoritm1", "PWM"},
                                         {"Imax_sp", "20"},
                                         {"Imax_nagr", "20"},
                                         {"ProvSechMax", "6"},
                                         {"UseCtrl", "+"}}));
    View& rating = tbl("Controller2");
    EXPECT_FALSE(add(rating, {{"Uses", "24"}, {"Psp", "520"}}));
    EXPECT_EQ(prompter.last(),
              "Заполнение полей \"Uном., В\", \"Uxx.сп, В\" и \"Рсп, Вт\" обязательно.");
    rating.cancel();
    ASSERT_TRUE(
        add(rating, {{"Uses", "24"}, {"Psp", "520"}, {"Uxx_sp", "50"}, {"Umppt_min", "30"}}));
    EXPECT_EQ(prompter.last(),
              "Поля \"Umppt_мин., В\" и \"Umppt_макс., В\" для PWM-контроллеров не заполняются.");
    EXPECT_TRUE(rating["Umppt_min"].isNull());
    EXPECT_TRUE(rating["Umppt_max"].isNull());
    EXPECT_TRUE(add(tbl("Controller4"), {{"TipAKB", "AGM"}, {"Upodzar", "14,4"}}));

    // An MPPT type needs every column of its rating rows.
    ASSERT_TRUE(add(tbl("Controller1"), {{"Tip", "MPPT-40"},
                                         {"Algoritm1", "MPPT"},
                                         {"Imax_sp", "40"},
                                         {"Imax_nagr", "20"},
                                         {"ProvSechMax", "16"},
                                         {"UseCtrl", "+"}}));
    EXPECT_FALSE(add(rating, {{"Uses", "24"}, {"Psp", "1040"}, {"Uxx_sp", "100"}}));
    EXPECT_EQ(prompter.last(), "Заполнение всех полей таблицы обязательно.");
    rating.cancel();
}

TEST_F(RulesTest, CatalogScheduleIsInvalidatedAndMustBeRecalculatedBeforeLeaving) {
    View& sections = tbl("sSutEP");
    View& schedules = tbl("sSutEP0");
    View& consumers = tbl("sSutEP1");
    View& periods = tbl("sSutEP2");
    ASSERT_TRUE(add(sections, {{"Razdel", "Дача"}}));
    ASSERT_TRUE(add(schedules, {{"Name", "Лето"}}));
    EXPECT_FALSE(periods.append());
    EXPECT_EQ(prompter.last(), "Перед вставкой записи в таблицу \"Время работы\" добавьте хотя бы "
                               "одну запись в таблицу \"Электроприемники\".");
    ASSERT_TRUE(add(consumers, {{"Name", "Лампа"},
                                {"Pnom", "10,005"},
                                {"Ppik", "12"},
                                {"Kol_vo", "3"},
                                {"ClearSinus", "-"},
                                {"Rejim", "длительный"}}));
    EXPECT_EQ(consumers["SPnom"].asString(), "30,02"); // 30,015 written with "0.##"
    EXPECT_EQ(consumers["SPpik"].asString(), "36");
    ASSERT_TRUE(add(periods, {{"T1", "18"}, {"T2", "23"}}));

    // The schedule is calculated (as the schedule window would do), then its interval deleted.
    ASSERT_TRUE(schedules.edit());
    for (const char* c : {"Wp_sut", "Pnom30min", "Pmax10min", "Ppik"})
        schedules[c].setString("1");
    schedules["ClearSinus"].setString("+");
    ASSERT_TRUE(schedules.post());
    ASSERT_TRUE(add(schedules, {{"Name", "Зима"}}));
    ASSERT_TRUE(schedules.first());
    ASSERT_TRUE(periods.remove());
    for (const char* c : {"Wp_sut", "Pnom30min", "Pmax10min", "Ppik"})
        EXPECT_TRUE(schedules[c].isNull()) << c;
    EXPECT_FALSE(schedules["ClearSinus"].asBoolean());

    prompter.clear();
    EXPECT_FALSE(schedules.next());
    EXPECT_EQ(schedules["Name"].asString(), "Лето");
    EXPECT_EQ(prompter.last(),
              "Пожалуйста, выполните расчет суточного графика \"Лето\" раздела \"Дача\" (кнопка со "
              "всплывающей подсказкой \"Формирование суточного графика и расчет его параметров\" "
              "панели инструментов вкладки \"Электроприемники\"), а затем приступайте к работе с "
              "другими суточными графиками справочника.");

    // The schedule that holds the user is never what keeps its section from being deleted:
    // the section goes with every schedule, consumer and period, and nothing is said.
    ASSERT_TRUE(add(sections, {{"Razdel", "Гараж"}}));
    ASSERT_TRUE(add(schedules, {{"Name", "Пустой"}}));
    ASSERT_TRUE(add(schedules, {{"Name", "Не рассчитан"}}));
    ASSERT_TRUE(add(consumers, {{"Name", "Насос"},
                                {"Pnom", "100"},
                                {"Ppik", "300"},
                                {"Kol_vo", "1"},
                                {"ClearSinus", "-"},
                                {"Rejim", "ручной"}}));
    ASSERT_TRUE(add(periods, {{"T1", "8"}, {"T2", "9"}}));
    EXPECT_FALSE(schedules.first()); // held on the schedule not built
    ASSERT_EQ(schedules["Name"].asString(), "Не рассчитан");
    prompter.clear();
    const qint64 before = store->count("sSutEP0");
    const qint64 periodsBefore = store->count("sSutEP2");
    ASSERT_TRUE(sections.remove());
    EXPECT_TRUE(prompter.entries().empty()) << prompter.last().toStdString();
    EXPECT_EQ(store->count("sSutEP0"), before - 2);
    EXPECT_EQ(store->count("sSutEP2"), periodsBefore - 1);
    EXPECT_EQ(store->count("sSutEP1"), 1); // the first section's consumer only
}

TEST_F(RulesTest, DaylightRowsCanOnlyBeEdited) {
    View& d = tbl("sSun_day_def");
    ASSERT_EQ(d.recordCount(), 12);
    EXPECT_FALSE(d.append());
    EXPECT_EQ(prompter.last(),
              "Добавление записей в таблицу запрещено.\nРазрешается редактирование "
              "всех полей имеющихся записей, кроме поля \"Месяц\".");
    EXPECT_FALSE(d.remove());
    EXPECT_TRUE(prompter.last().startsWith("Удаление записей из таблицы запрещено.\n"));
    ASSERT_TRUE(d.edit());
    d["Voshod10"].setString("9");
    d["Zakat10"].setString("9");
    EXPECT_FALSE(d.post());
    EXPECT_EQ(prompter.last(), "Время заката солнца должно быть больше времени его восхода.");
    d["Zakat10"].setString("17,5");
    EXPECT_TRUE(d.post());
    EXPECT_EQ(store->count("sSun_day_def"), 12);
}

TEST_F(RulesTest, VariantRowsAreCompletedAndCalculated) {
    ASSERT_TRUE(add(tbl("project0"), {{"Name", "П"}}));
    View& v = dm->tblProj1();
    ASSERT_TRUE(add(v, {{"VarName", "В"},
                        {"Voc_SP", "22,3"},
                        {"Spos_KL_AKB_Output", "открыто"},
                        {"L_KL_AKB_Output", "3"},
                        {"Spos_KL_Mas_Ctrl", "открыто"},
                        {"L_KL_Mas_Ctrl", "10"},
                        {"Spos_KL_AKB_Inv", "открыто"},
                        {"L_KL_AKB_Inv", "2"}}));
    EXPECT_EQ(v["Sposob_kab_akb"].asString(), "открыто");
    EXPECT_EQ(v["Lkab_akb"].asString(), "3");

    View& mas = dm->tblProj_Mas();
    ASSERT_TRUE(add(mas, {{"KolPosled", "3"}}));
    EXPECT_EQ(mas["SumUxx"].asString(), "66,9");
    EXPECT_EQ(mas["Sposob_kab"].asString(), "открыто");
    EXPECT_EQ(mas["Lkab"].asString(), "10");

    View& inv = dm->tblProj_Inv();
    ASSERT_TRUE(add(inv, {{"Uvh_Inv", "24"}, {"Pnom_Inv", "1000"}}));
    EXPECT_EQ(inv["Inom_Inv"].asString(), "42");
    EXPECT_TRUE(inv["Imax_Inv"].isNull());
    EXPECT_EQ(inv["Lkab_inv"].asString(), "2");
    ASSERT_TRUE(add(inv, {{"Pnom_Inv", "1000"}}));
    EXPECT_TRUE(inv["Inom_Inv"].isNull());
    ASSERT_TRUE(add(inv, {{"Uvh_Inv", "0"}, {"Pnom_Inv", "1000"}}));
    EXPECT_TRUE(inv["Inom_Inv"].isNull()); // never infinite

    ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Г"}}));
    View& ep = tbl("proj_ep0");
    ASSERT_TRUE(
        add(ep, {{"Name", "Холодильник"}, {"Kol_vo", "4"}, {"Pnom", "60"}, {"Ppik", "100"}}));
    EXPECT_EQ(ep["SPnom"].asString(), "240");
    EXPECT_EQ(ep["SPpik"].asString(), "400");
    View& periods = tbl("proj_ep1");
    EXPECT_FALSE(add(periods, {{"T1", "8"}, {"T2", "8"}}));
    EXPECT_EQ(prompter.last(),
              "Значение поля \"Т1, час.\" должно быть меньше значения поля \"Т2, час.\".");
    EXPECT_EQ(periods.state(), ViewState::Insert);
    periods["T2"].setString("9");
    EXPECT_TRUE(periods.post());
}

TEST_F(RulesTest, DeletingAProjectLeavesNoOrphan) {
    // Two projects with full trees; the first is deleted.
    for (int p = 0; p < 2; ++p) {
        ASSERT_TRUE(add(tbl("project0"), {{"Name", QString("П%1").arg(p)}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "В"}}));
        ASSERT_TRUE(add(tbl("proj_mas"), {{"KolPosled", "2"}}));
        ASSERT_TRUE(add(tbl("proj_sunday"), {{"MonthName", "январь"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Name_Inv", "Нагрузка"}}));
        ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Г"}}));
        for (const char* t : {"proj_graf1", "proj_time", "proj_gr_prm"})
            ASSERT_TRUE(add(tbl(t), {}));
        ASSERT_TRUE(add(tbl("proj_ep0"), {{"Name", "Э"}}));
        ASSERT_TRUE(add(tbl("proj_ep1"), {{"T1", "1"}, {"T2", "2"}}));
        ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Г12"}}));
        for (const char* t : {"proj_graf12_1", "proj_time12", "proj_gr12_prm"})
            ASSERT_TRUE(add(tbl(t), {}));
        ASSERT_TRUE(add(tbl("proj_ep12_0"), {{"Name", "Э12"}}));
        ASSERT_TRUE(add(tbl("proj_ep12_1"), {{"T1", "1"}, {"T2", "2"}}));
    }
    tbl("project0").first();
    ASSERT_TRUE(tbl("project0").remove());
    const char* tree[] = {"project0",      "project1",    "proj_mas",      "proj_sunday",
                          "proj_inv",      "proj_graf0",  "proj_graf1",    "proj_time",
                          "proj_gr_prm",   "proj_ep0",    "proj_ep1",      "proj_graf12_0",
                          "proj_graf12_1", "proj_time12", "proj_gr12_prm", "proj_ep12_0",
                          "proj_ep12_1"};
    for (const char* t : tree)
        EXPECT_EQ(store->count(t), 1) << t;
    dm.reset();
    const CheckReport report = checkDataDirectory(dir());
    EXPECT_TRUE(report.problems.isEmpty()) << report.problems.join('\n').toStdString();
}

TEST_F(RulesTest, AFailedCascadeDeletesNothing) {
    ASSERT_TRUE(add(tbl("Controller0"), {{"Company", "К"}, {"UseCtrl", "+"}}));
    ASSERT_TRUE(add(tbl("Controller1"), {{"Tip", "Т1"},
                                         {"Algoritm1", "X"},
                                         {"Imax_sp", "20"},
                                         {"Imax_nagr", "20"},
                                         {"ProvSechMax", "6"},
                                         {"UseCtrl", "+"}}));
    ASSERT_TRUE(add(tbl("Controller2"), {{"Uses", "12"}}));
    ASSERT_TRUE(add(tbl("Controller4"), {{"TipAKB", "GEL"}}));
    ASSERT_TRUE(add(tbl("Controller2"), {{"Uses", "24"}}));
    ASSERT_TRUE(add(tbl("Controller4"), {{"TipAKB", "AGM"}}));
    // The second rating row refuses its deletion half way through the cascade.
    int deletes = 0;
    tbl("Controller2").beforeDelete = [&](View& v) {
        if (++deletes == 2)
            throw Abort{};
        while (!tbl("Controller4").isEmpty())
            tbl("Controller4").remove();
    };
    tbl("Controller0").first();
    EXPECT_FALSE(tbl("Controller0").remove());
    for (const char* t : {"Controller0", "Controller1", "Controller2", "Controller4"})
        EXPECT_GT(store->count(t), 0) << t;
    EXPECT_EQ(store->count("Controller4"), 2);
    EXPECT_EQ(tbl("Controller2").recordCount(), 2); // the views are back in step too
}

} // namespace

namespace {

TEST(StoreMessages, AreRewrittenIntoTheUsersWords) {
    struct Case {
        const char* store;
        const char* shown;
    } cases[] = {
        {"Key violation.", "Нарушение первичного ключа F.\nM"},
        {"Key violation.\nIndex: siRegion", "Нарушение уникального ключа F.\nM"},
        {"Master has detail records. Cannot delete or modify",
         "Запись главной таблицы имеет подчиненные записи в в других таблицах. Ее удаление или "
         "изменение запрещено"},
        {"Field value out of lookup table range",
         "Значение поля таблицы выходит за пределы диапазона значений таблицы для просмотра"},
        {"Master record missing", "Нарушение ссылочной целостности связанных таблиц"},
        {"disk I/O error", "disk I/O error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TDataModule1::rewriteStoreMessage(QString::fromUtf8(c.store), "F", "M"),
                  QString::fromUtf8(c.shown));
}

class GuardTest : public DbTest {};

TEST_F(GuardTest, DeleteGuardsAndTheHalfGuardOfDcSchedules) {
    // A region month cannot be deleted while its region is being edited.
    ASSERT_TRUE(add(tbl("region0"), {{"Region", "Омск"}, {"Fi", "55"}}));
    ASSERT_TRUE(add(tbl("region1"), {{"MonthName", "май"}, {"P", "5"}, {"Tsred", "12"}}));
    ASSERT_TRUE(tbl("region0").edit());
    EXPECT_FALSE(tbl("region1").remove());
    EXPECT_TRUE(prompter.last().contains("\"Регионы\""));
    tbl("region0").cancel();
    EXPECT_TRUE(tbl("region1").remove());

    // DC schedules only refuse while their section is being edited, and need name and voltage.
    View& sections = tbl("sSutEP12");
    View& schedules = tbl("sSutEP12_0");
    ASSERT_TRUE(add(sections, {{"Razdel", "Связь"}}));
    ASSERT_TRUE(sections.edit());
    EXPECT_FALSE(schedules.append());
    EXPECT_EQ(prompter.last(),
              "Перед выполнением операции завершите работу с таблицей \"Разделы\", "
              "сохранив или отменив в ней изменения (кнопка \"V\" или кнопка \"Х\" "
              "навигатора).");
    sections.cancel();
    EXPECT_FALSE(add(schedules, {{"Name", "Модем"}}));
    EXPECT_EQ(prompter.last(),
              "Ошибка. Заполнение полей \"Наименование\" и \"Uном., В\" таблицы обязательно.");
    schedules["Unom"].setString("12");
    EXPECT_TRUE(schedules.post());
    EXPECT_FALSE(add(sections, {}));
    EXPECT_EQ(prompter.last(), "Ошибка. Заполнение поля \"Раздел\" таблицы обязательно.");
    sections.cancel();
}

} // namespace
