// The enabling rules, the caption and the proposed names.

#include "app/commands.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace ses;

namespace {

ShellFacts facts(int p, int v, int a = 0, int d = 0) {
    ShellFacts f;
    f.projects = p;
    f.variants = v;
    f.acLoads = a;
    f.dcSchedules = d;
    return f;
}

TEST(Commands, EnablingRulesFollowTheDesignOrder) {
    using C = Command;
    ShellFacts none = facts(0, 0);
    ShellFacts oneProject = facts(1, 0);
    ShellFacts twoProjects = facts(2, 1);
    ShellFacts acNoInverter = facts(1, 1, 2);
    acNoInverter.allInvertersChosen = false;
    ShellFacts acNoInverterButDc = acNoInverter;
    acNoInverterButDc.dcSchedules = 1;
    ShellFacts withPanels = facts(1, 1, 1);
    withPanels.hasTipSP = withPanels.hasCompanySP = true;
    withPanels.arrays = 2;
    withPanels.allArraysHaveController = false;
    ShellFacts withControllers = withPanels;
    withControllers.allArraysHaveController = withControllers.currentArrayHasController = true;
    ShellFacts full = withControllers;
    full.hasTipAKB = full.hasNameAKB = full.hasCompanyAKB = true;
    full.currentLoadHasScheduleAndInverter = true;
    full.variants = 2;

    struct Case {
        const char* what;
        ShellFacts f;
        std::vector<C> enabled;
        std::vector<C> disabled;
    } cases[] = {
        {"no project",
         none,
         {C::ProjCreate, C::RefPanels, C::Settings, C::Help, C::Exit},
         {C::ProjOpen, C::ProjEdit, C::ProjDelete, C::VarAdd, C::VarEdit, C::LoadAc}},
        {"one project",
         oneProject,
         {C::ProjEdit, C::ProjSaveAs, C::VarAdd},
         {C::ProjOpen, C::VarEdit, C::VarDelete, C::LoadAc, C::CompareParams}},
        {"two projects",
         twoProjects,
         {C::ProjOpen, C::VarEdit, C::VarSaveAs, C::LoadAc, C::LoadDc},
         {C::CompareParams, C::InvSelect, C::SbSelect, C::LoadMonthly}},
        {"AC load without inverter",
         acNoInverter,
         {C::InvSelect, C::InvAnalysis, C::SbAnalysis},
         {C::SbSelect, C::CtrlSelect, C::AkbSelect}},
        {"DC schedules make up for it", acNoInverterButDc, {C::SbSelect}, {C::CtrlSelect}},
        {"panels, an array without controller",
         withPanels,
         {C::SbSelect, C::CtrlSelect, C::SbScheme, C::VarGeneration, C::VarSpec},
         {C::AkbSelect, C::AkbScheme, C::CableSelect, C::VarScheme, C::CompareSpecs}},
        {"controllers on every array",
         withControllers,
         {C::AkbSelect},
         {C::CableSelect, C::FuseSelect}},
        {"everything chosen",
         full,
         {C::CableSelect, C::BreakerSelect, C::FuseSelect, C::VarScheme, C::CompareSchemes,
          C::CompareSpecs, C::CompareParams, C::AkbScheme},
         {}},
    };
    for (const auto& c : cases) {
        for (C cmd : c.enabled)
            EXPECT_TRUE(commandEnabled(cmd, c.f))
                << c.what << ": " << commandDef(cmd).text.toStdString();
        for (C cmd : c.disabled)
            EXPECT_FALSE(commandEnabled(cmd, c.f))
                << c.what << ": " << commandDef(cmd).text.toStdString();
    }
}

TEST(Commands, MonthlyTotalsNeedConsumerLoadsAndMenusFollowTheirCounts) {
    ShellFacts f = facts(1, 1, 0, 1);
    EXPECT_FALSE(commandEnabled(Command::LoadMonthly, f));
    f.paramNagr = 2;
    EXPECT_TRUE(commandEnabled(Command::LoadMonthly, f));
    f.dcSchedules = 0;
    EXPECT_FALSE(commandEnabled(Command::LoadMonthly, f));

    EXPECT_FALSE(menuEnabled(Menu::Variant, facts(0, 0)));
    EXPECT_TRUE(menuEnabled(Menu::Variant, facts(1, 0)));
    EXPECT_FALSE(menuEnabled(Menu::Load, facts(1, 0)));
    EXPECT_FALSE(menuEnabled(Menu::Inverter, facts(1, 1, 0, 2)));
    EXPECT_TRUE(menuEnabled(Menu::SolarBattery, facts(1, 1, 0, 2)));
    EXPECT_TRUE(menuEnabled(Menu::Battery, facts(1, 1, 1, 0)));
}

TEST(Commands, EveryCommandHasOneDefinition) {
    QSet<int> ids;
    for (const auto& d : commandTable())
        ids.insert(int(d.id));
    EXPECT_EQ(ids.size(), int(commandTable().size()));
    EXPECT_EQ(int(commandTable().size()), int(Command::Exit) + 1);
}

TEST(Commands, CaptionAndProposedNames) {
    EXPECT_EQ(mainCaption(false, ""), "Tovrel SES 1.1.");
    EXPECT_EQ(mainCaption(true, "Дача"), "Tovrel SES 1.1. Дача.");
    EXPECT_EQ(proposedProjectName(2), "Проект 3");
    EXPECT_EQ(proposedVariantName(3), "Вариант 4");
    EXPECT_EQ(proposedCopyName("Основной"), "Основной_1");
}

} // namespace
