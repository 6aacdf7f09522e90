#include "refbooks/catalog_desc.h"

#include "lib/months.h"

#include <stdexcept>

namespace ses {

namespace {

std::vector<CatalogDesc> makeDescs() {
    std::vector<CatalogDesc> descs;
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsInvForm");
        {
            GridDesc g;
            g.table = QStringLiteral("Invert0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 14;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания - производитель"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("UseInv"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Invert1");
            g.heading = QStringLiteral("Инверторы.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 14;
            g.columns = {
                {QStringLiteral("Name"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("Pnom"), QStringLiteral("Pном., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Pmax"), QStringLiteral("Pмакс., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Ppik"), QStringLiteral("Pпик., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Uvuh"),
                 QStringLiteral("Uвых., В"),
                 ListKind::Choice,
                 {QStringLiteral("220"), QStringLiteral("380")},
                 0},
                {QStringLiteral("Uvh"),
                 QStringLiteral("Uвх., В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                  QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")},
                 0},
                {QStringLiteral("Forma"),
                 QStringLiteral("Форма сигнала"),
                 ListKind::Choice,
                 {QStringLiteral("чистый синус"), QStringLiteral("модиф. синус")},
                 0},
                {QStringLiteral("Kpd"), QStringLiteral("КПД, о.е."), ListKind::None, {}, 0},
                {QStringLiteral("UseInv"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("----- Таблица \"Компании\"."),
            QStringLiteral("Компания-производитель - компания-производитель инвертора."),
            QStringLiteral("Вкл. - включение всех инверторов компании для использования (\"+\" - "
                           "да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Инверторы\"."),
            QStringLiteral("Тип - тип инвертора."),
            QStringLiteral("Рном., Вт - номинальная мощность инвертора, Вт."),
            QStringLiteral("Рмакс., Вт - максимальная мощность инвертора, Вт."),
            QStringLiteral("Рпик., Вт - пиковая мощность инвертора, Вт."),
            QStringLiteral("Uвых., В - выходное напряжение переменного тока инвертора, В."),
            QStringLiteral("Uвх., В - входное напряжение постоянного тока инвертора, В."),
            QStringLiteral("Форма сигнала - форма выходного сигнала инвертора."),
            QStringLiteral("КПД, о.е. - коэффициент полезного действия инвертора, о.е."),
            QStringLiteral(
                "Вкл. - включение инвертора для использования (\"+\" - да, \"-\" - нет)."),
        };
        d.copyHint = QStringLiteral("Копирование записи с данными инвертора");
        d.pasteHint = QStringLiteral("Вставка записи с данными инвертора");
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsAKBForm");
        {
            GridDesc g;
            g.table = QStringLiteral("akb0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания-производитель"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("UseAKB"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("akb1");
            g.heading = QStringLiteral("Типы аккумуляторов.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Tip"),
                 QStringLiteral("Тип (технология)"),
                 ListKind::Choice,
                 {QStringLiteral("AGM"), QStringLiteral("GEL"), QStringLiteral("Flooded"),
                  QStringLiteral("LiFePo4")},
                 0},
                {QStringLiteral("UseAKB"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("akb2");
            g.heading = QStringLiteral("Аккумуляторы.");
            g.row = 2;
            g.column = 0;
            g.columnSpan = 2;
            g.visibleRows = 10;
            g.columns = {
                {QStringLiteral("Name"), QStringLiteral("Наименование"), ListKind::None, {}, 0},
                {QStringLiteral("C"), QStringLiteral("Cном., А*ч"), ListKind::None, {}, 0},
                {QStringLiteral("U"),
                 QStringLiteral("Uном., В"),
                 ListKind::Choice,
                 {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                  QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("12"),
                  QStringLiteral("24"), QStringLiteral("48"), QStringLiteral("60")},
                 0},
                {QStringLiteral("Izar_min"), QStringLiteral("Iз.мин., А"), ListKind::None, {}, 0},
                {QStringLiteral("Izar_max"), QStringLiteral("Iз.макс., А"), ListKind::None, {}, 0},
                {QStringLiteral("Irazr_max"), QStringLiteral("Iр.макс., А"), ListKind::None, {}, 0},
                {QStringLiteral("L"), QStringLiteral("L, мм"), ListKind::None, {}, 0},
                {QStringLiteral("S"), QStringLiteral("S, мм"), ListKind::None, {}, 0},
                {QStringLiteral("H"), QStringLiteral("H, мм"), ListKind::None, {}, 0},
                {QStringLiteral("UseAKB"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("----- Таблица \"Компании\"."),
            QStringLiteral("Компания-производитель - компания-производитель аккумулятора."),
            QStringLiteral("Вкл. - включение всех аккумуляторов компании для использования (\"+\" "
                           "- да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Типы аккумуляторов\"."),
            QStringLiteral("Тип (технология) - тип (технология изготовления) аккумулятора."),
            QStringLiteral("Вкл. - включение всех аккумуляторов типа для использования (\"+\" - "
                           "да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Аккумуляторы\"."),
            QStringLiteral("Наименование - наименование (модель) аккумулятора."),
            QStringLiteral("Сном., А*ч - номинальная емкость аккумулятора, А*ч."),
            QStringLiteral("Uном., В - номинальное напряжение аккумулятора, В."),
            QStringLiteral("Iз.мин., А - минимальный ток заряда аккумулятора, А."),
            QStringLiteral("Iз.макс., А - максимальный ток заряда аккумулятора, А."),
            QStringLiteral("Iр.макс., А - максимальный ток разряда аккумулятора (пусковой), А."),
            QStringLiteral("L, мм - длина аккумулятора, мм."),
            QStringLiteral("S, мм - ширина аккумулятора, мм."),
            QStringLiteral("Н, мм - высота аккумулятора, мм."),
            QStringLiteral(
                "Вкл. - включение аккумулятора для использования (\"+\" - да, \"-\" - нет)."),
        };
        d.copyHint = QStringLiteral("Копирование записи с данными аккумулятора");
        d.pasteHint = QStringLiteral("Вставка записи с данными аккумулятора");
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsSunPanF");
        {
            GridDesc g;
            g.table = QStringLiteral("SunPanel0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 6;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания-производитель"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("UseSP"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("SunPanel1");
            g.heading = QStringLiteral("Солнечные панели.");
            g.row = 2;
            g.column = 0;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Tip"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("Structure"),
                 QStringLiteral("Структура"),
                 ListKind::Choice,
                 {QStringLiteral("монокристаллическая"), QStringLiteral("поликристаллическая")},
                 0},
                {QStringLiteral("P"), QStringLiteral("Wp, Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Unom"),
                 QStringLiteral("Uном., В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24")},
                 0},
                {QStringLiteral("Voc"), QStringLiteral("Uxx, В"), ListKind::None, {}, 0},
                {QStringLiteral("Isc"), QStringLiteral("Iкз, А"), ListKind::None, {}, 0},
                {QStringLiteral("Vmp"), QStringLiteral("Up, В"), ListKind::None, {}, 0},
                {QStringLiteral("Imp"), QStringLiteral("Ip, А"), ListKind::None, {}, 0},
                {QStringLiteral("TK_Pmax"),
                 QStringLiteral("Kт_Pмакс., %/град."),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("TK_Vos"),
                 QStringLiteral("Kт_Uхх, %/град."),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("H"), QStringLiteral("H, мм"), ListKind::None, {}, 0},
                {QStringLiteral("S"), QStringLiteral("S, мм"), ListKind::None, {}, 0},
                {QStringLiteral("Kpd"), QStringLiteral("КПД, %"), ListKind::None, {}, 0},
                {QStringLiteral("UseSP"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("----- Таблица \"Компании\"."),
            QStringLiteral("Компания-производитель - компания-производитель СП."),
            QStringLiteral(
                "Вкл. - включение всех СП компании для использования (\"+\" - да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Солнечные панели\"."),
            QStringLiteral("Тип - тип (модель) СП."),
            QStringLiteral("Структура - структура СП (монокристаллическая, поликристаллическая). "),
            QStringLiteral("Wp, Вт - максимальная мощность СП при стандартных условиях, Вт."),
            QStringLiteral("Uном., В - номинальное напряжение СП, В."),
            QStringLiteral("Uхх, В - напряжение холостого хода, В."),
            QStringLiteral("Iкз, А - ток короткого замыкания, А."),
            QStringLiteral("Uр, В - напряжение в рабочей точке, В."),
            QStringLiteral("Iр, А - ток в рабочей точке, А."),
            QStringLiteral(
                "Кт_Рмакс., %/град. - температурный коэффициент по максимальной мощности, %/град."),
            QStringLiteral("Кт_Uхх, %/град. - температурный коэффициент по напряжению холостого "
                           "хода, %/град."),
            QStringLiteral("Н, мм - высота отдельной СП, мм."),
            QStringLiteral("S, мм - ширина отдельной СП, мм."),
            QStringLiteral("КПД, % - коэффициент полезного действия (эффективность) СП, %."),
            QStringLiteral(
                "Вкл. - включение отдельной СП для использования (\"+\" - да, \"-\" - нет)."),
        };
        d.copyHint = QStringLiteral("Копирование записи с данными солнечной панели");
        d.pasteHint = QStringLiteral("Вставка записи  с данными солнечной панели");
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsContFrm");
        {
            GridDesc g;
            g.table = QStringLiteral("Controller0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания-производитель"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("UseCtrl"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Controller1");
            g.heading = QStringLiteral("Контроллеры.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Tip"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("Algoritm1"),
                 QStringLiteral("Алгоритм"),
                 ListKind::Choice,
                 {QStringLiteral("PWM"), QStringLiteral("MPPT")},
                 0},
                {QStringLiteral("Imax_sp"), QStringLiteral("Iмакс, А"), ListKind::None, {}, 0},
                {QStringLiteral("Imax_nagr"), QStringLiteral("Iнагр., А"), ListKind::None, {}, 0},
                {QStringLiteral("ProvSechMax"),
                 QStringLiteral("S, мм2"),
                 ListKind::Choice,
                 {QStringLiteral("2,5"), QStringLiteral("4"), QStringLiteral("6"),
                  QStringLiteral("10"), QStringLiteral("13"), QStringLiteral("16"),
                  QStringLiteral("25"), QStringLiteral("35"), QStringLiteral("50"),
                  QStringLiteral("70"), QStringLiteral("95")},
                 0},
                {QStringLiteral("UseCtrl"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Controller2");
            g.heading = QStringLiteral("Мощности СП.");
            g.row = 2;
            g.column = 0;
            g.visibleRows = 6;
            g.columns = {
                {QStringLiteral("Uses"),
                 QStringLiteral("Uном., В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                  QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")},
                 0},
                {QStringLiteral("Psp"),
                 QStringLiteral("Pсп, Вт"),
                 ListKind::Open,
                 {QStringLiteral("70"), QStringLiteral("150"), QStringLiteral("200"),
                  QStringLiteral("300"), QStringLiteral("400"), QStringLiteral("600"),
                  QStringLiteral("800"), QStringLiteral("1200"), QStringLiteral("1600"),
                  QStringLiteral("3200")},
                 0},
                {QStringLiteral("Uxx_sp"), QStringLiteral("Uxx.сп, В"), ListKind::None, {}, 0},
                {QStringLiteral("Umppt_min"),
                 QStringLiteral("Umppt.мин., В"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("Umppt_max"),
                 QStringLiteral("Umppt.макс., В"),
                 ListKind::None,
                 {},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Controller4");
            g.heading = QStringLiteral("Типы АБ.");
            g.row = 2;
            g.column = 1;
            g.visibleRows = 6;
            g.columns = {
                {QStringLiteral("TipAKB"),
                 QStringLiteral("Тип АБ"),
                 ListKind::Choice,
                 {QStringLiteral("AGM"), QStringLiteral("GEL"), QStringLiteral("Flooded"),
                  QStringLiteral("LiFePo4")},
                 0},
                {QStringLiteral("Upodzar"), QStringLiteral("Uзар., В"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("Компания-производитель - компания-производитель контроллера."),
            QStringLiteral("----- Таблица \"Компании\""),
            QStringLiteral("Вкл. - включение всех контроллеров компании для использования (\"+\" - "
                           "да, \"-\" - нет)."),
            QStringLiteral("Тип - тип (модель) контроллера."),
            QStringLiteral("----- Таблица \"Контроллеры\""),
            QStringLiteral("Алгоритм - алгоритм заряда подключаемой АБ."),
            QStringLiteral("Iмакс, А - максимальный ток подключаемого массива СП (заряда АБ), А."),
            QStringLiteral("Iнагр., А - максимальный ток подключаемой нагрузки, А."),
            QStringLiteral("S, мм2 - максимальное сечение подключаемых проводов, мм2."),
            QStringLiteral(
                "Вкл. - включение контроллера для использования (\"+\" - да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Мощности СП\""),
            QStringLiteral("Uном., В - номинальное напряжение системы (АБ), В."),
            QStringLiteral("Рсп, Вт - максимальная мощность подключаемого массива СП, Вт."),
            QStringLiteral(
                "Uxx.сп, В - максимальное напряжение холостого хода подключаемых СП, В."),
            QStringLiteral("Umppt.мин., В - минимальное напряжение МРРТ-диапазона контроллера, В "
                           "(для МРРТ-контроллера)."),
            QStringLiteral("Umppt.макс., В - максимальное напряжение МРРТ-диапазона контроллера, В "
                           "(для МРРТ-контроллера)."),
            QStringLiteral("----- Таблица \"Типы АБ\""),
            QStringLiteral("Тип АБ - тип (технология изготовления) подключаемой АБ."),
            QStringLiteral("Uзар., В - напряжение ускоренного заряда АБ, В."),
        };
        d.copyHint = QStringLiteral("Копирование записи  с данными контроллера заряда");
        d.pasteHint = QStringLiteral("Вставка записи с данными контроллера заряда");
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsKabelFm");
        {
            GridDesc g;
            g.table = QStringLiteral("kl");
            g.heading = QStringLiteral("Данные проводов и кабелей (ПУЭ, табл. 1.3.4).");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 16;
            g.columns = {
                {QStringLiteral("Sech"),
                 QStringLiteral("S, мм2"),
                 ListKind::Choice,
                 {QStringLiteral("1"), QStringLiteral("2,5"), QStringLiteral("4"),
                  QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("16"),
                  QStringLiteral("25"), QStringLiteral("35"), QStringLiteral("50"),
                  QStringLiteral("70"), QStringLiteral("95"), QStringLiteral("120"),
                  QStringLiteral("150"), QStringLiteral("185"), QStringLiteral("240")},
                 0},
                {QStringLiteral("Idop"), QStringLiteral("Io, А"), ListKind::None, {}, 0},
                {QStringLiteral("Idop_2_1zh"),
                 QStringLiteral("Iт (2х1ж), А"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("Idop_1_2zh"),
                 QStringLiteral("Iт (1х2ж), А"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("Ro"), QStringLiteral("рo, Ом м"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("S, мм2 - сечение жилы провода (кабеля), мм2."),
            QStringLiteral(
                "Iо, А - длительно допустимый ток проводов (кабелей) при открытой прокладке, А."),
            QStringLiteral("Iт (2х1ж), А - длительно допустимый ток двух 1-жильных проводов "
                           "(кабелей) при прокладке в трубе, А."),
            QStringLiteral("Iт (1х2ж), А - длительно допустимый ток одного 2-жильного провода "
                           "(кабеля) при прокладке в трубе, А."),
            QStringLiteral("ро, Ом м - активное сопротивление жилы кабеля (провода), Ом м."),
        };
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsKabInvF");
        d.topLine =
            QStringLiteral("Таблицы содержат данные оптимальных сечений проводов (кабелей), "
                           "прокладываемых от АБ к инверторам. Длина провода (кабеля) - 2 м.");
        {
            GridDesc g;
            g.table = QStringLiteral("sKab_inv0");
            g.heading = QStringLiteral("Мощности инверторов.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Pinv"),
                 QStringLiteral("Pинв., Вт"),
                 ListKind::Open,
                 {QStringLiteral("150"), QStringLiteral("250"), QStringLiteral("500"),
                  QStringLiteral("1000"), QStringLiteral("1500"), QStringLiteral("2000"),
                  QStringLiteral("2500"), QStringLiteral("3000"), QStringLiteral("3500"),
                  QStringLiteral("4000"), QStringLiteral("4500"), QStringLiteral("6000")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("sKab_inv1");
            g.heading = QStringLiteral("Данные проводов (кабелей).");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Uakb"),
                 QStringLiteral("Uаб, В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                  QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")},
                 0},
                {QStringLiteral("Sech"),
                 QStringLiteral("S, мм2"),
                 ListKind::Choice,
                 {QStringLiteral("1"), QStringLiteral("1,5"), QStringLiteral("2,5"),
                  QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("10"),
                  QStringLiteral("16"), QStringLiteral("25"), QStringLiteral("35"),
                  QStringLiteral("50"), QStringLiteral("70"), QStringLiteral("95"),
                  QStringLiteral("120"), QStringLiteral("150"), QStringLiteral("185"),
                  QStringLiteral("240")},
                 0},
                {QStringLiteral("Kol_vo"),
                 QStringLiteral("Кол-во, шт."),
                 ListKind::Open,
                 {QStringLiteral("1"), QStringLiteral("2")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("Ринв., Вт - номинальная мощность инвертора, Вт."),
            QStringLiteral("Uаб, В - номинальное напряжение АБ, В."),
            QStringLiteral("S, мм2 - сечение жилы провода (кабеля), мм2."),
            QStringLiteral("Кол-во, шт. - количество параллельных проводов (кабелей), шт."),
        };
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsAVForm");
        {
            GridDesc g;
            g.table = QStringLiteral("AV0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания - производитель"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("UseAV"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("AV1");
            g.heading = QStringLiteral("Автоматические выключатели.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Name"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("Inom"),
                 QStringLiteral("Iном., А"),
                 ListKind::Open,
                 {QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"),
                  QStringLiteral("12,5"), QStringLiteral("16"), QStringLiteral("20"),
                  QStringLiteral("25"), QStringLiteral("32"), QStringLiteral("40"),
                  QStringLiteral("50"), QStringLiteral("63"), QStringLiteral("80"),
                  QStringLiteral("100"), QStringLiteral("125"), QStringLiteral("160"),
                  QStringLiteral("175"), QStringLiteral("200"), QStringLiteral("250")},
                 0},
                {QStringLiteral("Unom"), QStringLiteral("Uном., В"), ListKind::None, {}, 0},
                {QStringLiteral("Tip_krep"),
                 QStringLiteral("Тип крепления"),
                 ListKind::Open,
                 {QStringLiteral("панель"), QStringLiteral("DIN-рейка")},
                 0},
                {QStringLiteral("Skab"),
                 QStringLiteral("S, мм2"),
                 ListKind::Choice,
                 {QStringLiteral("1"), QStringLiteral("1,5"), QStringLiteral("2,5"),
                  QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("10"),
                  QStringLiteral("16"), QStringLiteral("25"), QStringLiteral("35"),
                  QStringLiteral("50"), QStringLiteral("70"), QStringLiteral("95"),
                  QStringLiteral("120"), QStringLiteral("150"), QStringLiteral("185"),
                  QStringLiteral("240")},
                 0},
                {QStringLiteral("UseAV"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("AV2");
            g.heading = QStringLiteral("Параметры инверторов.");
            g.noteUnder = QStringLiteral(
                "В таблицу вводятся данные инверторов, которые могут быть подключены к "
                "автоматическому выключателю (контуры \"АБ - инвертор\").");
            g.row = 2;
            g.column = 1;
            g.visibleRows = 5;
            g.columns = {
                {QStringLiteral("Uses"),
                 QStringLiteral("Uсэс., В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                  QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")},
                 0},
                {QStringLiteral("Pinv_nom"), QStringLiteral("Pном., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Pinv_pik"), QStringLiteral("Pпик., Вт"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("----- Таблица \"Компании\""),
            QStringLiteral("Компания-производитель - компания-производитель автомата."),
            QStringLiteral(
                "Вкл. - включение автоматов компании для использования (\"+\" - да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Автоматические выключатели\""),
            QStringLiteral("Тип - тип (модель) автомата."),
            QStringLiteral("Iном., А - номинальный ток автомата, А."),
            QStringLiteral("Uном., В - номинальное напряжение автомата, В."),
            QStringLiteral("Тип крепления - тип крепления автомата (панель, DIN-рейка)."),
            QStringLiteral(
                "S, мм2 - максимальное сечение жилы подключаемого кабеля (провода), мм2."),
            QStringLiteral(
                "Вкл. - включение автомата для использования (\"+\" - да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Параметры инверторов\""),
            QStringLiteral("Uсэс, В - напряжение солнечной электростанции, В."),
            QStringLiteral("Рном., Вт - номинальная мощность подключаемого инвертора, Вт."),
            QStringLiteral("Рпик., Вт - пиковая мощность подключаемого инвертора, Вт."),
        };
        d.copyHint = QStringLiteral("Копирование записи с данными автоматического выключателя");
        d.pasteHint = QStringLiteral("Вставка записи с данными автоматического выключателя");
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsPrForm");
        {
            GridDesc g;
            g.table = QStringLiteral("Pr0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания - производитель"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("UsePr"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Pr1");
            g.heading = QStringLiteral("Предохранители.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Name"),
                 QStringLiteral("Тип предохранителя"),
                 ListKind::None,
                 {},
                 0},
                {QStringLiteral("NameDerzh"), QStringLiteral("Держатель"), ListKind::None, {}, 0},
                {QStringLiteral("Inom"),
                 QStringLiteral("Iном., А"),
                 ListKind::Open,
                 {QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"),
                  QStringLiteral("12,5"), QStringLiteral("16"), QStringLiteral("20"),
                  QStringLiteral("25"), QStringLiteral("32"), QStringLiteral("40"),
                  QStringLiteral("50"), QStringLiteral("63"), QStringLiteral("80"),
                  QStringLiteral("100"), QStringLiteral("125"), QStringLiteral("160"),
                  QStringLiteral("175"), QStringLiteral("200"), QStringLiteral("250")},
                 0},
                {QStringLiteral("Unom"), QStringLiteral("Uном., В"), ListKind::None, {}, 0},
                {QStringLiteral("Skab"),
                 QStringLiteral("S, мм2"),
                 ListKind::Choice,
                 {QStringLiteral("1"), QStringLiteral("1,5"), QStringLiteral("2,5"),
                  QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("10"),
                  QStringLiteral("16"), QStringLiteral("25"), QStringLiteral("35"),
                  QStringLiteral("50"), QStringLiteral("70"), QStringLiteral("95"),
                  QStringLiteral("120"), QStringLiteral("150"), QStringLiteral("185"),
                  QStringLiteral("240")},
                 0},
                {QStringLiteral("UsePr"),
                 QStringLiteral("Вкл."),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Pr2");
            g.heading = QStringLiteral("Параметры инверторов.");
            g.noteUnder =
                QStringLiteral("В таблицу вводятся данные инверторов, которые могут быть "
                               "подключены к предохранителю (контуры \"АБ - инвертор\").");
            g.row = 2;
            g.column = 1;
            g.visibleRows = 5;
            g.columns = {
                {QStringLiteral("Uses"),
                 QStringLiteral("Uсэс., В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                  QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")},
                 0},
                {QStringLiteral("Pinv_nom"), QStringLiteral("Pном., Вт"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("----- Таблица \"Компании\""),
            QStringLiteral("Компания-производитель - компания-производитель предохранителя."),
            QStringLiteral("Вкл. - включение предохранителя компании для использования (\"+\" - "
                           "да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Предохранители\""),
            QStringLiteral("Тип предохранителя - тип (модель) предохранителя."),
            QStringLiteral("Держатель - тип держателя, используемого для предохранителя."),
            QStringLiteral("Iном., А - номинальный ток вставки предохранителя, А."),
            QStringLiteral("Uном., В - номинальное напряжение предохранителя, В."),
            QStringLiteral(
                "S, мм2 - максимальное сечение жилы подключаемого кабеля (провода), мм2."),
            QStringLiteral(
                "Вкл. - включение предохранителя для использования (\"+\" - да, \"-\" - нет)."),
            QStringLiteral("----- Таблица \"Параметры инверторов\""),
            QStringLiteral("Uсэс, В - напряжение солнечной электростанции, В."),
            QStringLiteral("Рном., Вт - номиальная мощность подключаемого инверторра, Вт."),
        };
        d.copyHint = QStringLiteral("Копирование записи с данными предохранителя");
        d.pasteHint = QStringLiteral("Вставка записи с данными предохранителя");
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsPeremFm");
        {
            GridDesc g;
            g.table = QStringLiteral("perem");
            g.heading = QStringLiteral("Аккумуляторные перемычки.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 14;
            g.columns = {
                {QStringLiteral("Sech"),
                 QStringLiteral("S, мм2"),
                 ListKind::Choice,
                 {QStringLiteral("1"), QStringLiteral("1,5"), QStringLiteral("2,5"),
                  QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("10"),
                  QStringLiteral("16"), QStringLiteral("25"), QStringLiteral("35"),
                  QStringLiteral("50"), QStringLiteral("70"), QStringLiteral("95"),
                  QStringLiteral("120"), QStringLiteral("150"), QStringLiteral("185"),
                  QStringLiteral("240")},
                 0},
                {QStringLiteral("Idop"), QStringLiteral("Iдоп., А"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("S, мм2 - сечение жилы перемычки, мм2."),
            QStringLiteral("Iдоп., А - длительно допустимый ток перемычки, А."),
        };
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsMCForm");
        {
            GridDesc g;
            g.table = QStringLiteral("mc");
            g.heading = QStringLiteral("Коннекторы линейные.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Tip"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("I"), QStringLiteral("Iдоп., А"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("mc_y");
            g.heading = QStringLiteral("Коннекторы-разветвители.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Tip"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("I"), QStringLiteral("Iдоп., А"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("Тип - тип коннектора."),
            QStringLiteral("Iдоп., А - допустимый ток коннектора, А."),
        };
        d.independentGrids = true;
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsRegForm");
        {
            GridDesc g;
            g.table = QStringLiteral("region0");
            g.heading = QStringLiteral("Регионы.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Region"), QStringLiteral("Регион"), ListKind::None, {}, 0},
                {QStringLiteral("Fi"), QStringLiteral("f, град."), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("region1");
            g.heading = QStringLiteral("Характеристики региона.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("MonthName"), QStringLiteral("Месяц"), ListKind::Choice,
                 monthNames(), 0},
                {QStringLiteral("P"), QStringLiteral("Е, кВт*ч/(м2*день)"), ListKind::None, {}, 0},
                {QStringLiteral("Tsred"), QStringLiteral("Tср., град."), ListKind::None, {}, 0},
                {QStringLiteral("B"), QStringLiteral("B, град."), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("f, град. - широта местности, град."),
            QStringLiteral("Е, кВт*ч/(м2*день) - средний месячный уровень солнечной радиации, "
                           "кВт*ч/(м2*день)."),
            QStringLiteral("Тср., град. - среднемесячная дневная температура, град. Цельсия."),
            QStringLiteral("Стартовый справочник и импорт климата дают Тср. как среднюю "
                           "температуру воздуха за все часы месяца."),
            QStringLiteral("Е - радиация на плоскость панелей, обращенных на юг под углом B "
                           "месяца."),
            QStringLiteral("Программа рассчитывает Е по радиации на горизонтальную площадку, где "
                           "она известна;"),
            QStringLiteral("Е, введенная вручную (нет горизонтальной радиации), остается как "
                           "введена."),
            QStringLiteral(
                "В, град. - оптимальный угол наклона солнечных панелей для текущего месяца, град."),
        };
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsKtempFm");
        {
            GridDesc g;
            g.table = QStringLiteral("Ktemp");
            g.heading = QStringLiteral("Коэффициенты");
            g.subheading = QStringLiteral("(АБ типов AGM, GEL, Flooded)");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 14;
            g.columns = {
                {QStringLiteral("T"), QStringLiteral("T, град. С"), ListKind::None, {}, 0},
                {QStringLiteral("K"), QStringLiteral("Kтемп."), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Ktemp1");
            g.heading = QStringLiteral("Коэффициенты");
            g.subheading = QStringLiteral("(АБ типа LiFePo4)");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 14;
            g.columns = {
                {QStringLiteral("T"), QStringLiteral("T, град. С"), ListKind::None, {}, 0},
                {QStringLiteral("K"), QStringLiteral("Kтемп."), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("Т, град. С - температура окружающей среды, в которой эксплуатируется "
                           "АБ, град. С."),
            QStringLiteral("Ктемп. - температурный коэффициент, влияющий на емкость АБ и "
                           "учитываемый при ее выборе."),
        };
        d.independentGrids = true;
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsAKBZarF");
        {
            GridDesc g;
            g.table = QStringLiteral("akb_zaryad0");
            g.heading = QStringLiteral("Типы АБ.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("TipAKB"),
                 QStringLiteral("Тип АБ"),
                 ListKind::ChoiceTypedOnly,
                 {QStringLiteral("AGM"), QStringLiteral("GEL"), QStringLiteral("Flooded")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("akb_zaryad");
            g.heading = QStringLiteral("Напряжение АБ.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("Zaryad"),
                 QStringLiteral("Зарядка АБ, %"),
                 ListKind::Open,
                 {QStringLiteral("0"),  QStringLiteral("5"),  QStringLiteral("10"),
                  QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("25"),
                  QStringLiteral("30"), QStringLiteral("35"), QStringLiteral("40"),
                  QStringLiteral("45"), QStringLiteral("50"), QStringLiteral("55"),
                  QStringLiteral("60"), QStringLiteral("65"), QStringLiteral("70"),
                  QStringLiteral("75"), QStringLiteral("80"), QStringLiteral("85"),
                  QStringLiteral("90"), QStringLiteral("95"), QStringLiteral("100")},
                 0},
                {QStringLiteral("U"), QStringLiteral("Uаб, В"), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("Тип АБ - тип (технология изготовления) АБ."),
            QStringLiteral("Зарядка, % - степень зарядки АБ, %."),
            QStringLiteral(
                "Uаб, В - напряжение 12-вольтовой АБ в зависимости от степени ее зарядки, В."),
        };
        d.helpLines = {
            QStringLiteral("Таблицы содержат данные зависимости "),
            QStringLiteral("напряжения 12-вольтовой АБ от её типа "),
            QStringLiteral("и степени зарядки. Для АБ других "),
            QStringLiteral("напряжений (24 В, 48 В и т.д.) программа "),
            QStringLiteral("выполняет пропорциональный пересчет."),
        };
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsTempABF");
        {
            GridDesc g;
            g.table = QStringLiteral("sTempAB0");
            g.heading = QStringLiteral("Помещения.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 12;
            g.minWidth = 380;
            g.columns = {
                {QStringLiteral("PomName"),
                 QStringLiteral("Помещение размещения АБ"),
                 ListKind::None,
                 {},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("sTempAB1");
            g.heading = QStringLiteral("Температура эксплуатации АБ.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 12;
            g.columns = {
                {QStringLiteral("MonthName"), QStringLiteral("Месяц"), ListKind::Choice,
                 monthNames(), 110},
                {QStringLiteral("TempAB"), QStringLiteral("T, град."), ListKind::None, {}, 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral(
                "Помещение размещения АБ - помещение, в котором размещается и эксплуатируется АБ."),
            QStringLiteral("Месяц - наименование месяца года."),
            QStringLiteral(
                "Т, град. - температура помещения (температура хранения и эксплуатации АБ), град."),
        };
        descs.push_back(std::move(d));
    }
    {
        CatalogDesc d;
        d.className = QStringLiteral("TsInvZuForm");
        {
            GridDesc g;
            g.table = QStringLiteral("Inv_zu0");
            g.heading = QStringLiteral("Компании.");
            g.row = 0;
            g.column = 0;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("Company"),
                 QStringLiteral("Компания - производитель"),
                 ListKind::None,
                 {},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Inv_zu1");
            g.heading = QStringLiteral("Инверторы с зарядными устройствами.");
            g.row = 2;
            g.column = 0;
            g.columnSpan = 2;
            g.visibleRows = 9;
            g.columns = {
                {QStringLiteral("Name"), QStringLiteral("Тип"), ListKind::None, {}, 0},
                {QStringLiteral("Pnom"), QStringLiteral("Pном., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Pmax"), QStringLiteral("Pмакс., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Ppik"), QStringLiteral("Pпик., Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Uvuh"),
                 QStringLiteral("Uвых., В"),
                 ListKind::Choice,
                 {QStringLiteral("220"), QStringLiteral("380")},
                 0},
                {QStringLiteral("Uvh"),
                 QStringLiteral("Uвх., В"),
                 ListKind::Choice,
                 {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                  QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")},
                 0},
                {QStringLiteral("Forma"),
                 QStringLiteral("Форма сигнала"),
                 ListKind::Choice,
                 {QStringLiteral("чистый синус"), QStringLiteral("модиф. синус")},
                 0},
                {QStringLiteral("Kpd"), QStringLiteral("КПД, о.е."), ListKind::None, {}, 0},
                {QStringLiteral("Psp"), QStringLiteral("Pсп, Вт"), ListKind::None, {}, 0},
                {QStringLiteral("Usp"), QStringLiteral("Uxx.сп, В"), ListKind::None, {}, 0},
                {QStringLiteral("Algoritm"),
                 QStringLiteral("Алгоритм"),
                 ListKind::Choice,
                 {QStringLiteral("PWM"), QStringLiteral("MPPT")},
                 0},
                {QStringLiteral("Imax_zu"), QStringLiteral("Iзу, А"), ListKind::None, {}, 0},
                {QStringLiteral("ProvSechMax"), QStringLiteral("S, мм2"), ListKind::None, {}, 0},
                {QStringLiteral("ParalWork"),
                 QStringLiteral("ПР"),
                 ListKind::Choice,
                 {QStringLiteral("+"), QStringLiteral("-")},
                 0},
                {QStringLiteral("ParalKol"),
                 QStringLiteral("Кол-во ПР, шт."),
                 ListKind::None,
                 {},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        {
            GridDesc g;
            g.table = QStringLiteral("Inv_zu2");
            g.heading = QStringLiteral("Типы АКБ.");
            g.row = 0;
            g.column = 1;
            g.visibleRows = 7;
            g.columns = {
                {QStringLiteral("TipAKB"),
                 QStringLiteral("Тип АКБ"),
                 ListKind::Choice,
                 {QStringLiteral("AGM"), QStringLiteral("GEL"), QStringLiteral("Flooded"),
                  QStringLiteral("LiFePo4")},
                 0},
            };
            d.grids.push_back(std::move(g));
        }
        d.note = {
            QStringLiteral("Справочник не используется ни одним выбором оборудования: его данные "
                           "хранятся для сведения."),
            QStringLiteral("Компания-производитель - компания-производитель инверторов с зарядными "
                           "устройствами."),
            QStringLiteral("Тип, Pном., Pмакс., Pпик., Uвых., Uвх., Форма сигнала, КПД - как в "
                           "справочнике инверторов."),
            QStringLiteral(
                "Pсп, Вт - мощность СП, подключаемых к встроенному зарядному устройству, Вт."),
            QStringLiteral("Uxx.сп, В - напряжение холостого хода подключаемых СП, В."),
            QStringLiteral("Алгоритм - алгоритм заряда подключаемой АБ."),
            QStringLiteral("Iзу, А - ток зарядного устройства, А."),
            QStringLiteral("S, мм2 - максимальное сечение подключаемых проводов, мм2."),
            QStringLiteral("ПР - возможность параллельной работы (\"+\" - да, \"-\" - нет)."),
            QStringLiteral("Кол-во ПР, шт. - количество инверторов, работающих параллельно, шт."),
            QStringLiteral("Тип АКБ - тип АБ, с которой работает инвертор."),
        };
        descs.push_back(std::move(d));
    }
    return descs;
}

} // namespace

const std::vector<CatalogDesc>& catalogDescs() {
    static const std::vector<CatalogDesc> descs = makeDescs();
    return descs;
}

const CatalogDesc& catalogDesc(const QString& className) {
    for (const CatalogDesc& d : catalogDescs())
        if (d.className == className)
            return d;
    throw std::logic_error("no catalog description for " + className.toStdString());
}

} // namespace ses
