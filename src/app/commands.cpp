#include "app/commands.h"

#include "data/data_module.h"

#include <stdexcept>

namespace ses {

const std::vector<CommandDef>& commandTable() {
    using C = Command;
    using M = Menu;
    static const std::vector<CommandDef> table = {
        {C::ProjCreate, M::Project, "Создать...", true},
        {C::ProjOpen, M::Project, "Открыть...", true},
        {C::ProjEdit, M::Project, "Редактировать...", false},
        {C::ProjDelete, M::Project, "Удалить...", false},
        {C::ProjSaveAs, M::Project, "Сохранить как...", false},
        {C::CompareParams, M::Project, "Сравнение параметров вариантов...", false},
        {C::CompareSchemes, M::Project, "Сравнение схем вариантов...", false},
        {C::CompareSpecs, M::Project, "Сравнение спецификаций вариантов...", false},
        {C::VarAdd, M::Variant, "Добавить вариант...", true},
        {C::VarEdit, M::Variant, "Редактировать параметры варианта...", true},
        {C::VarDelete, M::Variant, "Удалить вариант...", true},
        {C::VarSaveAs, M::Variant, "Сохранить вариант как...", false},
        {C::VarTest, M::Variant, "Тестирование варианта...", true},
        {C::VarScheme, M::Variant, "Просмотр структурной схемы варианта...", true},
        {C::VarGeneration, M::Variant, "Расчетная выработка варианта...", true},
        {C::VarSpec, M::Variant, "Спецификация оборудования варианта...", true},
        {C::LoadAc, M::Load, "Диспетчер нагрузок переменного напряжения...", true},
        {C::LoadDc, M::Load, "Диспетчер нагрузок постоянного напряжения...", true},
        {C::LoadMonthly, M::Load, "Общая нагрузка по месяцам года...", true},
        {C::InvAnalysis, M::Inverter, "Анализ выбора инверторов...", false},
        {C::InvSelect, M::Inverter, "Выбор инверторов...", true},
        {C::SbAnalysis, M::SolarBattery, "Анализ выбора солнечной батареи...", false},
        {C::SbSelect, M::SolarBattery, "Выбор солнечной батареи...", true},
        {C::SbScheme, M::SolarBattery, "Просмотр схемы солнечной батареи...", true},
        {C::SbCoefficients, M::SolarBattery, "Коэффициенты производительности солнечной батареи...",
         false},
        {C::CtrlSelect, M::Controller, "Выбор контроллеров...", true},
        {C::AkbAnalysis, M::Battery, "Анализ выбора аккумуляторной батареи...", false},
        {C::AkbSelect, M::Battery, "Выбор аккумуляторной батареи...", true},
        {C::AkbScheme, M::Battery, "Просмотр схемы аккумуляторной батареи...", true},
        {C::CableSelect, M::Cables, "Выбор кабелей (проводов)...", true},
        {C::BreakerSelect, M::Protection, "Выбор автоматических выключателей...", true},
        {C::FuseSelect, M::Protection, "Выбор предохранителей...", true},
        {C::RefInverters, M::RefBooks, "Инверторы...", false},
        {C::RefInvChargers, M::RefBooks, "Инверторы с зарядными устройствами...", false},
        {C::RefBatteries, M::RefBooks, "Аккумуляторы...", false},
        {C::RefPanels, M::RefBooks, "Солнечные панели...", false},
        {C::RefControllers, M::RefBooks, "Контроллеры заряда...", false},
        {C::RefWires, M::RefBooks, "Провода (кабели)...", false},
        {C::RefInvCables, M::RefBooks, "Провода (кабели) от аккумуляторной батареи к инверторам...",
         false},
        {C::RefBreakers, M::RefBooks, "Автоматические выключатели...", false},
        {C::RefFuses, M::RefBooks, "Предохранители...", false},
        {C::RefJumpers, M::RefBooks, "Аккумуляторные перемычки...", false},
        {C::RefConnectors, M::RefBooks, "Коннекторы...", false},
        {C::RefAcConsumers, M::RefBooks, "Электроприемники переменного напряжения...", false},
        {C::RefDcConsumers, M::RefBooks, "Электроприемники постоянного напряжения...", false},
        // The first letters of these three are Latin "C", as the menu always had them.
        {C::RefSchedules, M::RefBooks, "Cуточные графики без детализации по электроприемникам...",
         false},
        {C::RefAcSchedules, M::RefBooks,
         "Cправочник суточных графиков c детализацией по электроприемникам переменного "
         "напряжения...",
         false},
        {C::RefDcSchedules, M::RefBooks,
         "Cправочник суточных графиков c детализацией по электроприемникам постоянного "
         "напряжения...",
         false},
        {C::RefRegions, M::RefBooks, "Регионы...", false},
        {C::RefLossCoefficients, M::RefBooks, "Коэффициенты падения производительности...", false},
        {C::RefTempCoefficients, M::RefBooks, "Температурный коэффициент эксплуатации АБ...",
         false},
        {C::RefChargeVoltages, M::RefBooks, "Напряжения аккумуляторных батарей...", false},
        {C::RefDaylight, M::RefBooks, "Среднемесячные периоды светлого времени суток...", false},
        {C::RefBatteryRooms, M::RefBooks, "Температура эксплуатации АБ...", false},
        {C::Settings, M::Parameters, "Параметры программы...", false},
        {C::DefaultVariant, M::Parameters, "Параметры варианта расчета по умолчанию...", false},
        {C::Help, M::HelpMenu, "Справка...", true},
        {C::About, M::HelpMenu, "О программе...", false},
        {C::Exit, M::ExitMenu, "Выход", false},
    };
    return table;
}

const CommandDef& commandDef(Command c) {
    for (const auto& d : commandTable())
        if (d.id == c)
            return d;
    throw std::logic_error("command without a definition");
}

QString menuTitle(Menu m) {
    switch (m) {
    case Menu::Project:
        return QStringLiteral("Проект");
    case Menu::Variant:
        return QStringLiteral("Вариант");
    case Menu::Load:
        return QStringLiteral("Нагрузка");
    case Menu::Inverter:
        return QStringLiteral("Инвертор");
    case Menu::SolarBattery:
        return QStringLiteral("СБ");
    case Menu::Controller:
        return QStringLiteral("Контроллер");
    case Menu::Battery:
        return QStringLiteral("АБ");
    case Menu::Cables:
        return QStringLiteral("Кабели");
    case Menu::Protection:
        return QStringLiteral("Защита");
    case Menu::RefBooks:
        return QStringLiteral("Справочники");
    case Menu::Parameters:
        return QStringLiteral("Параметры");
    case Menu::HelpMenu:
        return QStringLiteral("Помощь");
    case Menu::ExitMenu:
        return QStringLiteral("Выход");
    }
    return {};
}

bool menuEnabled(Menu m, const ShellFacts& f) {
    switch (m) {
    case Menu::Variant:
        return f.projects > 0;
    case Menu::Load:
        return f.variants > 0;
    case Menu::Inverter:
        return f.acLoads > 0;
    case Menu::SolarBattery:
    case Menu::Battery:
        return f.acLoads > 0 || f.dcSchedules > 0;
    default:
        return true;
    }
}

bool commandEnabled(Command c, const ShellFacts& f) {
    const int P = f.projects, V = f.variants, A = f.acLoads, D = f.dcSchedules;
    // The loads are ready for the equipment when every AC load has its inverter, or there are
    // DC loads.
    const bool loadsReady = (A > 0 && f.allInvertersChosen) || D > 0;
    const bool cablesReady = (f.currentLoadHasScheduleAndInverter || D > 0) && f.hasCompanySP &&
                             f.currentArrayHasController && f.hasCompanyAKB;
    using C = Command;
    switch (c) {
    case C::ProjCreate:
        return true;
    case C::ProjOpen:
        return P > 1;
    case C::ProjEdit:
    case C::ProjDelete:
    case C::ProjSaveAs:
        return P > 0;
    case C::CompareParams:
        return V > 1;
    case C::CompareSchemes:
        return V > 1 && f.hasTipAKB && f.hasNameAKB && f.hasTipSP && f.arrays > 0;
    case C::CompareSpecs:
        return V >= 2 && f.hasTipSP;
    case C::VarAdd:
        return P > 0;
    case C::VarEdit:
    case C::VarDelete:
    case C::VarSaveAs:
    case C::VarTest:
        return V > 0;
    case C::VarScheme:
        return V > 0 && f.hasTipSP && f.hasTipAKB && f.arrays > 0;
    case C::VarGeneration:
    case C::VarSpec:
        return V >= 1 && f.hasTipSP;
    case C::LoadAc:
    case C::LoadDc:
        return V > 0;
    case C::LoadMonthly:
        return f.paramNagr == 2 && (A > 0 || D > 0);
    case C::InvAnalysis:
    case C::InvSelect:
        return A > 0;
    case C::SbAnalysis:
        return A > 0 || D > 0;
    case C::SbSelect:
        return loadsReady;
    case C::SbScheme:
    case C::SbCoefficients:
        return f.hasTipSP;
    case C::CtrlSelect:
        return f.hasCompanySP && loadsReady;
    case C::AkbAnalysis:
        return A > 0 || D > 0;
    case C::AkbSelect:
        return loadsReady && f.hasCompanySP && f.allArraysHaveController;
    case C::AkbScheme:
        return f.hasTipAKB;
    case C::CableSelect:
    case C::BreakerSelect:
    case C::FuseSelect:
        return cablesReady;
    default:
        return true; // catalogs, settings, help, exit
    }
}

QString catalogWindow(Command c) {
    using C = Command;
    switch (c) {
    case C::RefInverters:
        return QStringLiteral("TsInvForm");
    case C::RefInvChargers:
        return QStringLiteral("TsInvZuForm");
    case C::RefBatteries:
        return QStringLiteral("TsAKBForm");
    case C::RefPanels:
        return QStringLiteral("TsSunPanF");
    case C::RefControllers:
        return QStringLiteral("TsContFrm");
    case C::RefWires:
        return QStringLiteral("TsKabelFm");
    case C::RefInvCables:
        return QStringLiteral("TsKabInvF");
    case C::RefBreakers:
        return QStringLiteral("TsAVForm");
    case C::RefFuses:
        return QStringLiteral("TsPrForm");
    case C::RefJumpers:
        return QStringLiteral("TsPeremFm");
    case C::RefConnectors:
        return QStringLiteral("TsMCForm");
    case C::RefRegions:
        return QStringLiteral("TsRegForm");
    case C::RefTempCoefficients:
        return QStringLiteral("TsKtempFm");
    case C::RefChargeVoltages:
        return QStringLiteral("TsAKBZarF");
    default:
        return {};
    }
}

ShellFacts gatherFacts(TDataModule1& dm) {
    ShellFacts f;
    View& projects = dm.tblProj0();
    View& variant = dm.tblProj1();
    f.projects = projects.recordCount();
    f.variants = variant.recordCount();
    if (variant.isEmpty())
        return f;
    View& loads = dm.tblProj_Inv();
    View& arrays = dm.tblProj_Mas();
    f.acLoads = loads.recordCount();
    f.dcSchedules = dm.tbl(QStringLiteral("proj_graf12_0")).recordCount();
    const int companyInv = loads.table().columnIndex(QStringLiteral("Company_Inv"));
    for (int r = 0; r < loads.recordCount(); ++r)
        if (loads.valueAt(r, companyInv).isNull())
            f.allInvertersChosen = false;
    f.hasTipSP = !variant[QStringLiteral("Tip_SP")].isNull();
    f.hasCompanySP = !variant[QStringLiteral("Company_SP")].isNull();
    f.hasTipAKB = !variant[QStringLiteral("Tip_AKB")].isNull();
    f.hasNameAKB = !variant[QStringLiteral("Name_AKB")].isNull();
    f.hasCompanyAKB = !variant[QStringLiteral("Company_AKB")].isNull();
    f.paramNagr = variant[QStringLiteral("ParamNagr")].asInteger();
    f.arrays = arrays.recordCount();
    const int companyCtrl = arrays.table().columnIndex(QStringLiteral("Company_Ctrl"));
    for (int r = 0; r < arrays.recordCount(); ++r)
        if (arrays.valueAt(r, companyCtrl).isNull())
            f.allArraysHaveController = false;
    f.currentArrayHasController =
        !arrays.isEmpty() && !arrays[QStringLiteral("Company_Ctrl")].isNull();
    f.currentLoadHasScheduleAndInverter = !loads.isEmpty() &&
                                          !dm.tbl(QStringLiteral("proj_graf0")).isEmpty() &&
                                          !loads[QStringLiteral("Company_Inv")].isNull();
    return f;
}

QString mainCaption(bool hasProject, const QString& projectName) {
    return hasProject ? QStringLiteral("Tovrel SES 1.1. ") + projectName + QStringLiteral(".")
                      : QStringLiteral("Tovrel SES 1.1.");
}

QString proposedProjectName(int projects) {
    return QStringLiteral("Проект ") + QString::number(projects + 1);
}

QString proposedVariantName(int variants) {
    return QStringLiteral("Вариант ") + QString::number(variants + 1);
}

QString proposedCopyName(const QString& name) {
    return name + QStringLiteral("_1");
}

} // namespace ses
