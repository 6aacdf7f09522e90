#include "widgets/windows.h"

#include <QWidget>

#include <stdexcept>

namespace ses {

const std::vector<WindowInfo>& windowTable() {
    // Every window of the program in the order it is created at start, with its caption and
    // help topic (-1: no topic). The main window carries topic 74 but opens the help contents.
    static const std::vector<WindowInfo> table = {
        {QStringLiteral("TMainForm"), QStringLiteral("Tovrel SES 1.1."), 74},
        {QStringLiteral("TSelPrFrm"), QStringLiteral("Выбор предохранителя."), 24},
        {QStringLiteral("TAboutForm"), QStringLiteral("О программе."), -1},
        {QStringLiteral("TAddSutGrF"),
         QStringLiteral("Суточный график без детализации по электроприемникам."), 42},
        {QStringLiteral("TAKBFiltF"), QStringLiteral("Фильтрация аккумуляторной батареи."), 30},
        {QStringLiteral("TAKBForm"), QStringLiteral("Выбор аккумуляторной батареи."), 29},
        {QStringLiteral("TAVForm"), QStringLiteral("Автоматические выключатели."), 25},
        {QStringLiteral("TCmpAKB_SPFm"),
         QStringLiteral("Обоснование невозможности согласования АБ и солнечной батареи."), 34},
        {QStringLiteral("TAnalSBFm"), QStringLiteral("Анализ выбора солнечной батареи."), 92},
        {QStringLiteral("TAnalInvF"), QStringLiteral("Анализ выбора инверторов."), 90},
        {QStringLiteral("TComShemF"), QStringLiteral("Сравнение схем вариантов проекта."), 37},
        {QStringLiteral("TComSpecF"),
         QStringLiteral("Сравнение спецификаций оборудования вариантов."), 38},
        {QStringLiteral("TInvForm"), QStringLiteral("Инверторы."), 89},
        {QStringLiteral("TDspNagr12F"),
         QStringLiteral("Диспетчер нагрузок постоянного напряжения."), 85},
        {QStringLiteral("TFilterFm"), QStringLiteral("Значение параметра фильтрации."), 27},
        {QStringLiteral("TSelInvFm"), QStringLiteral("Выбор инвертора."), 46},
        {QStringLiteral("TKabelFrm"), QStringLiteral("Выбор проводов (кабелей)."), 48},
        {QStringLiteral("TKproizFm"),
         QStringLiteral("Коэффициенты производительности солнечной батареи."), 49},
        {QStringLiteral("TMasSPFrm"), QStringLiteral("Параметры массива солнечных панелей."), 52},
        {QStringLiteral("TNagrForm"), QStringLiteral("Параметры суточного графика нагрузки."), 43},
        {QStringLiteral("TOpenForm"), QStringLiteral("Открытие проекта."), 20},
        {QStringLiteral("TParamFrm"), QStringLiteral("Параметры программы."), 22},
        {QStringLiteral("TPeriodFm"),
         QStringLiteral("Периодичность времени работы электроприемника."), 80},
        {QStringLiteral("TProjForm"), QStringLiteral("Параметры проекта."), 21},
        {QStringLiteral("TPrForm"), QStringLiteral("Предохранители."), 23},
        {QStringLiteral("TsAKBForm"), QStringLiteral("Справочник аккумуляторов."), 1},
        {QStringLiteral("TsAKBZarF"),
         QStringLiteral("Справочник напряжений аккумуляторных батарей."), 19},
        {QStringLiteral("TsAVForm"), QStringLiteral("Справочник автоматических выключателей."), 7},
        {QStringLiteral("TsContFrm"), QStringLiteral("Справочник контроллеров заряда."), 4},
        {QStringLiteral("TSelAVFrm"), QStringLiteral("Выбор автоматического выключателя."), 26},
        {QStringLiteral("TSelCtrlF"), QStringLiteral("Выбор контроллера заряда."), 40},
        {QStringLiteral("TVurabFrm"), QStringLiteral("Расчетная выработка варианта расчета."), 61},
        {QStringLiteral("TSelSPFrm"), QStringLiteral("Выбор солнечной батареи."), 53},
        {QStringLiteral("TsEP12Frm"),
         QStringLiteral("Справочник электроприемников постоянного напряжения."), 81},
        {QStringLiteral("TShemaFrm"), QStringLiteral("Просмотр схемы СЭ."), 55},
        {QStringLiteral("TsInvForm"), QStringLiteral("Справочник инверторов."), 2},
        {QStringLiteral("TsInvZuForm"),
         QStringLiteral("Справочник инверторов с зарядными устройствами."), 93},
        {QStringLiteral("TsKabelFm"), QStringLiteral("Справочник проводов (кабелей)."), 5},
        {QStringLiteral("TsKabInvF"),
         QStringLiteral("Справочник проводов (кабелей) от аккумуляторной батареи к инверторам."),
         6},
        {QStringLiteral("TsKtempFm"),
         QStringLiteral("Справочник температурного коэффициента эксплуатации АБ."), 17},
        {QStringLiteral("TsMCForm"), QStringLiteral("Справочник коннекторов."), 10},
        {QStringLiteral("TSpecForm"), QStringLiteral("Спецификация оборудования варианта расчета."),
         56},
        {QStringLiteral("TsSunDayF"),
         QStringLiteral("Справочник среднемесячных периодов светлого времени суток."), 82},
        {QStringLiteral("TSPFiltF"), QStringLiteral("Фильтрация солнечной батареи."), 28},
        {QStringLiteral("TSprKForm"),
         QStringLiteral("Справочник коэффициентов падения производительности."), 18},
        {QStringLiteral("TsPrForm"), QStringLiteral("Справочник предохранителей."), 8},
        {QStringLiteral("TsRazdGrF"), QStringLiteral("Сохранение суточного графика."), 66},
        {QStringLiteral("TsTempABF"), QStringLiteral("Справочник температур эксплуатации АБ."), 87},
        {QStringLiteral("TsSunPanF"), QStringLiteral("Справочник солнечных панелей."), 3},
        {QStringLiteral("TsSutEP12F"),
         QStringLiteral("Справочник суточных графиков с детализацией по электроприемникам "
                        "постоянного напряжения."),
         86},
        {QStringLiteral("TsSutForm"),
         QStringLiteral("Справочник суточных графиков без детализации по электроприемникам."), 12},
        {QStringLiteral("TsSutFrm1"), QStringLiteral("Редактирование суточного графика."), 13},
        {QStringLiteral("TSutDiagF"),
         QStringLiteral("Просмотр диаграмм расчетных параметров суточных графиков нагрузки."), 65},
        {QStringLiteral("TSutGrafF"), QStringLiteral("Просмотр суточных графиков нагрузки."), 64},
        {QStringLiteral("TTabInvFm"), QStringLiteral("Табличный выбор инвертора."), 63},
        {QStringLiteral("TTablAKBF"), QStringLiteral("Табличный выбор аккумуляторной батареи."),
         33},
        {QStringLiteral("TTablSPFm"), QStringLiteral("Табличный выбор солнечной батареи."), 54},
        {QStringLiteral("TTestVarF"), QStringLiteral("Тестирование варианта расчета."), 59},
        {QStringLiteral("TVarForm"), QStringLiteral("Параметры варианта расчета."), 62},
        {QStringLiteral("TViewAKBF"),
         QStringLiteral("Просмотр параметров схемы аккумуляторной батареи."), 58},
        {QStringLiteral("TViewSPF"), QStringLiteral("Просмотр параметров схемы солнечной батареи."),
         57},
        {QStringLiteral("TsEPForm"),
         QStringLiteral("Справочник электроприемников переменного напряжения."), 11},
        {QStringLiteral("TCreateSG12F"),
         QStringLiteral("Суточный график нагрузки с детализацией по электроприемникам постоянного "
                        "напряжения."),
         88},
        {QStringLiteral("TDspNagrF"), QStringLiteral("Диспетчер нагрузок переменного напряжения."),
         44},
        {QStringLiteral("TsPeremFm"), QStringLiteral("Справочник аккумуляторных перемычек."), 9},
        {QStringLiteral("TsRegForm"), QStringLiteral("Справочник регионов."), 15},
        {QStringLiteral("TControlF"), QStringLiteral("Контроллеры заряда."), 39},
        {QStringLiteral("TNagrDopF"),
         QStringLiteral("Общая нагрузка солнечной электростанции по месяцам."), 84},
        {QStringLiteral("TComParVarF"), QStringLiteral("Сравнение параметров вариантов."), 35},
        {QStringLiteral("TAnalAkbF"), QStringLiteral("Анализ выбора аккумуляторной батареи."), 91},
        {QStringLiteral("TCreateSGF"),
         QStringLiteral("Суточный график нагрузки с детализацией по электроприемникам переменного "
                        "напряжения."),
         41},
        {QStringLiteral("TSutGrDopF"),
         QStringLiteral("Дополнительная информация по суточному графику."), 83},
        {QStringLiteral("TsSutEPF"),
         QStringLiteral("Справочник суточных графиков с детализацией по электроприемникам "
                        "переменного напряжения."),
         14},
    };
    return table;
}

const WindowInfo& windowInfo(const QString& className) {
    for (const auto& w : windowTable())
        if (w.className == className)
            return w;
    throw std::logic_error("unknown window class " + className.toStdString());
}

const WindowInfo& setUpWindow(QWidget* window, const QString& className) {
    const WindowInfo& info = windowInfo(className);
    window->setObjectName(className);
    window->setWindowTitle(info.caption);
    return info;
}

} // namespace ses
