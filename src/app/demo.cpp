#include "app/demo.h"

#include "app/recalc.h"
#include "app/shell.h"
#include "app/variant_ops.h"
#include "load/consumer_store.h"
#include "load/consumers.h"
#include "load/dispatch_ops.h"
#include "load/schedule_store.h"

#include <array>
#include <stdexcept>

namespace ses {

namespace {

void put(View& v, std::initializer_list<std::pair<const char*, const char*>> values)
{
    if (!v.append())
        throw std::runtime_error("demo: append refused in " + v.name().toStdString());
    for (const auto& [c, text] : values)
        v[QString::fromLatin1(c)].setString(QString::fromUtf8(text));
    if (!v.post())
        throw std::runtime_error("demo: post refused in " + v.name().toStdString());
}

void edit(View& v, std::initializer_list<std::pair<const char*, const char*>> values)
{
    if (!v.edit())
        throw std::runtime_error("demo: edit refused in " + v.name().toStdString());
    for (const auto& [c, text] : values)
        v[QString::fromLatin1(c)].setString(QString::fromUtf8(text));
    if (!v.post())
        throw std::runtime_error("demo: post refused in " + v.name().toStdString());
}

// A schedule stored the way the dispatcher stores it: intervals, figures and monthly rows.
void schedule(TDataModule1& dm, bool ac, const char* name, const char* from, const char* to,
              std::initializer_list<std::array<const char*, 3>> intervals, double peak)
{
    ScheduleDraft d;
    d.name = QString::fromUtf8(name);
    d.from = QString::fromUtf8(from);
    d.to = QString::fromUtf8(to);
    for (const auto& i : intervals)
        d.intervals.push_back({QString::fromUtf8(i[0]), QString::fromUtf8(i[1]), QString::fromUtf8(i[2])});
    const MonthlyResult r = monthlyRows(parseIntervals(d.intervals), d.from, d.to, readScheduleInputs(dm, ac));
    d.wpSut = r.params.wpSut;
    d.pnom = r.params.pnom;
    d.pmax = r.params.pmax;
    d.peak = peak;
    d.clearSinus = ac;
    d.monthly = r.rows;
    if (!addSchedule(dm, ac, d))
        throw std::runtime_error("demo: schedule refused");
}

} // namespace

void buildDemoProject(Shell& shell)
{
    TDataModule1& dm = shell.dm();
    ProjectFields other = shell.newProjectFields();
    other.name = QStringLiteral("Метеостанция");
    other.owner = QStringLiteral("Петров П. П.");
    other.memo = QStringLiteral("Автономный пост наблюдения без сети.");
    if (!shell.createProject(other))
        throw std::runtime_error("demo: project refused");

    ProjectFields f = shell.newProjectFields();
    f.name = QStringLiteral("Дачный дом");
    f.owner = QStringLiteral("Иванов И. И.");
    f.memo = QStringLiteral("Круглогодичное проживание, Подмосковье.\nОсвещение, холодильник, насос.");
    if (!shell.createProject(f))
        throw std::runtime_error("demo: project refused");

    // The variant comes from the default parameters through the variant dialog's own save, then
    // receives the equipment the selection windows would have chosen.
    VariantParams params = factoryFill(dm);
    params.name = QStringLiteral("Основной");
    params.set(QStringLiteral("Region"), QStringLiteral("Москва"));
    params.set(QStringLiteral("ParamNagr"), QStringLiteral("1"));
    if (!addVariant(dm, params))
        throw std::runtime_error("demo: variant refused");
    edit(dm.tblProj1(),
        {{"B", "56"}, {"Pras_SP", "1284,5"}, {"Cras_AKB", "412,3"},
         {"Company_SP", "Стартовый набор: Панели А"}, {"Tip_SP", "СП-М-300-24"}, {"Pnom_SP", "300"},
         {"Unom_SP", "24"}, {"Voc_SP", "45"}, {"Isc_SP", "8,75"}, {"Vmp_SP", "36,6"}, {"Imp_SP", "8,2"},
         {"H_SP", "1956"}, {"S_SP", "992"}, {"KolTotal_SP", "6"}, {"PTotal_SP", "1800"}, {"ITotal_SP", "49,2"},
         {"Company_AKB", "Стартовый набор: АКБ"}, {"Tip_AKB", "AGM"}, {"Name_AKB", "АБ-AGM-12-200"},
         {"Unom_AKB", "12"}, {"Cnom_AKB", "200"}, {"Izar_min_AKB", "10"}, {"Izar_max_AKB", "50"},
         {"Irazr_max_AKB", "1000"}, {"L_AKB", "522"}, {"S_AKB", "240"}, {"H_AKB", "219"},
         {"KolPosled_AKB", "2"}, {"KolVetv_AKB", "2"}, {"Kol_AKB", "4"}, {"Cfakt_AKB", "400"},
         {"SIzar_min_AKB", "20"}, {"SIzar_max_AKB", "100"}, {"SIrazr_max_AKB", "2000"},
         {"SIzar_min_use_AKB", "20"}, {"SIzar_max_use_AKB", "80"}, {"SIzar_AKB", "44,8"},
         {"Skab_akb", "4"}, {"Ikab_akb", "41"}, {"DUkab_akb", "1,2"},
         {"Company_AV_SP", "Стартовый набор: Автоматы"}, {"Tip_AV_SP", "АВ-ПТ-16"},
         {"Inom_AV_SP", "16"}, {"Unom_AV_SP", "250"}, {"Company_AV_AKB", "Стартовый набор: Автоматы"},
         {"Tip_AV_AKB", "АВ-ПТ-10"}, {"Inom_AV_AKB", "10"}, {"Unom_AV_AKB", "60"},
         {"Company_Pr_SP", "Стартовый набор: Предохранители"}, {"Tip_Pr_SP", "ПР-ПЛ-16"},
         {"Tip_Pr_Derzh_SP", "Держатель 10x38"}, {"Inom_Pr_SP", "16"}, {"Unom_Pr_SP", "1000"}});

    put(dm.tblProj_Mas(), {{"NameMassive", "Массив 1"}, {"Ugol_Orient", "180"}, {"Ugol_Nakl", "56"}, {"Kproiz", "1"},
                           {"KolPosled", "1"}, {"KolVetv", "4"}, {"KolMas", "4"}, {"Pmas", "1200"}, {"Imas", "32,8"},
                           {"Company_Ctrl", "Стартовый набор: Контроллеры"}, {"Tip_Ctrl", "КЗ-MPPT-40"},
                           {"Unom_Ctrl", "24"}, {"Inom_Ctrl", "40"}, {"Iakb_Ctrl", "29,9"}, {"Skab", "10"},
                           {"Ikab", "80"}, {"DUkab", "1,8"}, {"Skab_akb", "10"}, {"Ikab_akb", "80"},
                           {"DUkab_akb", "0,4"}, {"Company_AV_mas", "Стартовый набор: Автоматы"},
                           {"Tip_AV_mas", "АВ-ПТ-50"}, {"Inom_AV_mas", "50"}, {"Unom_AV_mas", "250"}});
    put(dm.tblProj_Mas(), {{"NameMassive", "Массив 2"}, {"Ugol_Orient", "225"}, {"Ugol_Nakl", "40"},
                           {"Kproiz", "0,93"}, {"KolPosled", "1"}, {"KolVetv", "2"}, {"KolMas", "2"}, {"Pmas", "600"},
                           {"Imas", "16,4"}, {"Company_Ctrl", "Стартовый набор: Контроллеры"},
                           {"Tip_Ctrl", "КЗ-ШИМ-20"}, {"Unom_Ctrl", "24"}, {"Inom_Ctrl", "20"}, {"Iakb_Ctrl", "14,9"}});

    put(dm.tblProj_Inv(),
        {{"Nagr_Name", "Дом: освещение и быт"}, {"Pnom30min", "850"}, {"Pmax10min", "1200"}, {"Ppik", "2400"},
         {"ClearSinus", "+"}, {"Company_Inv", "Стартовый набор: Инверторы А"}, {"Name_Inv", "ИН-ЧС-1500-24"},
         {"Pnom_Inv", "1500"}, {"Pmax_Inv", "1800"}, {"Ppik_Inv", "3000"}, {"Uvh_Inv", "24"}, {"Uvuh_Inv", "220"},
         {"Forma_Inv", "чистый синус"}, {"Kpd_Inv", "0,91"}, {"Skab_inv", "25"}, {"Nkab_inv", "1"},
         {"Ikab_inv", "135"}, {"DUkab_inv", "0,9"}});
    schedule(dm, true, "Зима", "октябрь", "март",
             {{"0", "7", "40"}, {"7", "9", "450"}, {"9", "17", "150"}, {"17", "23", "700"}, {"23", "24", "40"}},
             2400);
    schedule(dm, true, "Лето", "апрель", "сентябрь",
             {{"0", "6", "30"}, {"6", "8", "300"}, {"8", "20", "120"}, {"20", "23", "500"}, {"23", "24", "30"}},
             2400);
    put(dm.tblProj_Inv(),
        {{"Nagr_Name", "Скважинный насос"}, {"Pnom30min", "750"}, {"Pmax10min", "750"}, {"Ppik", "3750"},
         {"ClearSinus", "+"}, {"Company_Inv", "Стартовый набор: Инверторы А"}, {"Name_Inv", "ИН-ЧС-2000-24"},
         {"Pnom_Inv", "2000"}, {"Pmax_Inv", "2400"}, {"Ppik_Inv", "4000"}, {"Uvh_Inv", "24"}, {"Uvuh_Inv", "220"},
         {"Forma_Inv", "чистый синус"}, {"Kpd_Inv", "0,91"}});
    schedule(dm, true, "Круглый год", "январь", "декабрь",
             {{"0", "7", "0"}, {"7", "8", "750"}, {"8", "19", "0"}, {"19", "20", "750"}, {"20", "24", "0"}},
             3750);
    dm.tblProj_Inv().first();
    schedule(dm, false, "Охранная сигнализация", "январь", "декабрь", {{"0", "24", "12"}}, 36);
    storeDcFigures(dm);
    // The variant's required power, tilt and capacity as the chain sizes them (empty over a data
    // directory without the starter catalogs).
    runRecalcChain(dm);

    // A second variant of the same house, its loads given by consumers and their working hours.
    VariantParams byConsumers = factoryFill(dm);
    byConsumers.name = QStringLiteral("По электроприемникам");
    byConsumers.set(QStringLiteral("Region"), QStringLiteral("Москва"));
    byConsumers.set(QStringLiteral("ParamNagr"), QStringLiteral("2"));
    if (!addVariant(dm, byConsumers))
        throw std::runtime_error("demo: variant refused");
    put(dm.tblProj_Inv(),
        {{"Nagr_Name", "Дом: бытовые приборы"}, {"Company_Inv", "Стартовый набор: Инверторы А"},
         {"Name_Inv", "ИН-ЧС-2000-24"}, {"Pnom_Inv", "2000"}, {"Pmax_Inv", "2400"}, {"Ppik_Inv", "4000"},
         {"Uvh_Inv", "24"}, {"Uvuh_Inv", "220"}, {"Forma_Inv", "чистый синус"}, {"Kpd_Inv", "0,91"}});
    ScheduleDraft year;
    year.name = QStringLiteral("Круглый год");
    year.from = QStringLiteral("январь");
    year.to = QStringLiteral("декабрь");
    if (!appendBlankSchedule(dm, true, year))
        throw std::runtime_error("demo: schedule refused");
    const struct {
        CatalogConsumer catalog;
        int quantity;
        std::vector<std::pair<double, double>> periods;
    } consumers[] = {
        {{QStringLiteral("Холодильник бытовой"), 150, 5, true, std::nullopt, QStringLiteral("автоматический")},
         1, {{0, 24}}},
        {{QStringLiteral("Освещение светодиодное (лампа)"), 10, 1, false, std::nullopt, QStringLiteral("ручной")},
         6, {{6, 8}, {18, 23}}},
        {{QStringLiteral("Насос скважинный погружной"), 750, 4, true, std::nullopt, QStringLiteral("автоматический")},
         1, {{7, 8}, {19, 20}}},
        {{QStringLiteral("Телевизор светодиодный"), 100, 1.5, false, std::nullopt, QStringLiteral("ручной")},
         1, {{19, 23}}},
    };
    for (const auto& c : consumers)
        if (!appendConsumer(dm, true, consumerFromCatalog(c.catalog, c.quantity))
            || !replacePeriods(dm, true, c.periods))
            throw std::runtime_error("demo: consumer refused");
    const ScheduleInputs in = readScheduleInputs(dm, true);
    const ConsumerFigures made = consumerFigures(currentConsumers(dm, true), in.nomMinutes, in.maxMinutes);
    year.intervals = made.intervals;
    const MonthlyResult rows = monthlyRows(parseIntervals(made.intervals), year.from, year.to, in);
    year.wpSut = rows.params.wpSut;
    year.pnom = rows.params.pnom;
    year.pmax = rows.params.pmax;
    year.peak = made.peak;
    year.clearSinus = made.clearSinus;
    year.monthly = rows.rows;
    if (!editSchedule(dm, true, year))
        throw std::runtime_error("demo: schedule refused");
    runRecalcChain(dm);
    dm.tblProj1().first();
    dm.tblProj_Mas().first();
}

} // namespace ses
