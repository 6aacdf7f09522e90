#pragma once
// The main window's commands, their menus and the rules that enable them. The rules are plain
// predicates over the facts of the current project and variant, so they are tested without a
// display.

#include <QString>
#include <vector>

namespace ses {

class TDataModule1;

enum class Command {
    ProjCreate,
    ProjOpen,
    ProjEdit,
    ProjDelete,
    ProjSaveAs,
    CompareParams,
    CompareSchemes,
    CompareSpecs,
    VarAdd,
    VarEdit,
    VarDelete,
    VarSaveAs,
    VarTest,
    VarScheme,
    VarGeneration,
    VarSpec,
    LoadAc,
    LoadDc,
    LoadMonthly,
    InvAnalysis,
    InvSelect,
    SbAnalysis,
    SbSelect,
    SbScheme,
    SbCoefficients,
    CtrlSelect,
    AkbAnalysis,
    AkbSelect,
    AkbScheme,
    CableSelect,
    BreakerSelect,
    FuseSelect,
    RefInverters,
    RefInvChargers,
    RefBatteries,
    RefPanels,
    RefControllers,
    RefWires,
    RefInvCables,
    RefBreakers,
    RefFuses,
    RefJumpers,
    RefConnectors,
    RefAcConsumers,
    RefDcConsumers,
    RefSchedules,
    RefAcSchedules,
    RefDcSchedules,
    RefRegions,
    RefLossCoefficients,
    RefTempCoefficients,
    RefChargeVoltages,
    RefDaylight,
    RefBatteryRooms,
    Settings,
    DefaultVariant,
    Help,
    About,
    Exit,
};

// What the enabling rules look at, gathered from the current rows.
struct ShellFacts {
    int projects = 0;               // P
    int variants = 0;               // V, of the current project
    int acLoads = 0;                // A, proj_inv rows of the current variant
    int dcSchedules = 0;            // D, proj_graf12_0 rows of the current variant
    bool allInvertersChosen = true; // no AC load with an empty Company_Inv
    bool hasTipSP = false, hasCompanySP = false;
    bool hasTipAKB = false, hasNameAKB = false, hasCompanyAKB = false;
    int arrays = 0;                      // proj_mas rows
    bool allArraysHaveController = true; // no array with an empty Company_Ctrl
    bool currentArrayHasController = false;
    bool currentLoadHasScheduleAndInverter = false;
    int paramNagr = 0;
};

enum class Menu {
    Project,
    Variant,
    Load,
    Inverter,
    SolarBattery,
    Controller,
    Battery,
    Cables,
    Protection,
    RefBooks,
    Parameters,
    HelpMenu,
    ExitMenu
};

struct CommandDef {
    Command id;
    Menu menu;
    QString text;
    bool toolBar; // repeated on the tool bar
};

const std::vector<CommandDef>& commandTable();
const CommandDef& commandDef(Command c);
QString menuTitle(Menu m);

bool commandEnabled(Command c, const ShellFacts& f);

// The class name of the catalog editor a "Справочники" command opens; empty for other commands.
QString catalogWindow(Command c);
bool menuEnabled(Menu m, const ShellFacts& f);

ShellFacts gatherFacts(TDataModule1& dm);

// "Tovrel SES 1.1." or "Tovrel SES 1.1. " + project name + "."
QString mainCaption(bool hasProject, const QString& projectName);
QString proposedProjectName(int projects);     // "Проект " + (P + 1)
QString proposedVariantName(int variants);     // "Вариант " + (V + 1)
QString proposedCopyName(const QString& name); // name + "_1"

} // namespace ses
