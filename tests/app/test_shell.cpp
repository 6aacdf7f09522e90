// The project and variant operations driven through a scripted prompter.

#include "../data/fixture.h"

#include "app/commands.h"
#include "app/shell.h"

using namespace ses;
using namespace ses::test;

namespace {

struct CountingProgress : ProgressSink {
    int maximum = -1, steps = 0, finished = 0;
    void start(int m) override { maximum = m; }
    void step() override { ++steps; }
    void finish() override { ++finished; }
};

class ShellTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        shell = std::make_unique<Shell>(*dm, prompter);
    }
    void addProjectWithVariant(const QString& name) {
        ProjectFields f = shell->newProjectFields();
        f.name = name;
        ASSERT_TRUE(shell->createProject(f));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", name + " В1"}}));
        ASSERT_TRUE(add(tbl("proj_inv"), {{"Name_Inv", "Свет"}, {"Company_Inv", "И"}}));
        ASSERT_TRUE(add(tbl("proj_graf0"), {{"SutGrafName", "Г"}}));
        ASSERT_TRUE(add(tbl("proj_graf1"), {{"T1", "0"}, {"T2", "5"}, {"P", "10"}}));
        ASSERT_TRUE(add(tbl("proj_graf12_0"), {{"SutGrafName", "Г12"}}));
    }
    std::unique_ptr<Shell> shell;
};

TEST_F(ShellTest, CreateAndEditProjectWithTheirChecks) {
    ProjectFields f = shell->newProjectFields();
    EXPECT_EQ(f.name, "Проект 1");
    EXPECT_EQ(f.date, QDate::currentDate());
    f.name = "  ";
    EXPECT_FALSE(shell->createProject(f));
    EXPECT_EQ(prompter.last(), "Заполнение поля \"Наименование проекта\" обязательно.");
    EXPECT_EQ(store->count("project0"), 0);
    EXPECT_EQ(tbl("project0").state(), ViewState::Browse);

    f.name = "Дача";
    f.owner = "Иванов";
    f.date = QDate(2026, 5, 1);
    f.time = QTime(9, 30, 0);
    f.memo = "две строки\nзаметки";
    ASSERT_TRUE(shell->createProject(f));
    EXPECT_EQ(shell->newProjectFields().name, "Проект 2");
    ProjectFields back = shell->currentProjectFields();
    EXPECT_EQ(back.name, "Дача");
    EXPECT_EQ(back.date, QDate(2026, 5, 1));
    EXPECT_EQ(back.time, QTime(9, 30, 0));
    EXPECT_EQ(back.memo, "две строки\nзаметки");
    back.owner = "Петров";
    ASSERT_TRUE(shell->editProject(back));
    EXPECT_EQ(tbl("project0")["ProjOwner"].asString(), "Петров");
    EXPECT_EQ(mainCaption(true, tbl("project0")["Name"].asString()), "Tovrel SES 1.1. Дача.");
}

TEST_F(ShellTest, DeletesAskFirstAndCascade) {
    addProjectWithVariant("Первый");
    addProjectWithVariant("Второй");
    prompter.answer(false);
    EXPECT_FALSE(shell->deleteProject());
    EXPECT_EQ(store->count("project0"), 2);
    prompter.answer(true);
    EXPECT_TRUE(shell->deleteVariant());
    EXPECT_EQ(prompter.last(), "Удалить вариант расчета?");
    EXPECT_EQ(store->count("proj_graf1"), 1);
    EXPECT_EQ(store->count("proj_graf12_0"), 1);
    prompter.answer(true);
    EXPECT_TRUE(shell->deleteProject());
    EXPECT_EQ(prompter.last(), "Удалить проект вместе со всеми вариантами расчетов?");
    EXPECT_TRUE(shell->redrawFlag());
    // Only the first project's tree is left.
    for (const char* t :
         {"project0", "project1", "proj_inv", "proj_graf0", "proj_graf1", "proj_graf12_0"})
        EXPECT_EQ(store->count(t), 1) << t;
    EXPECT_EQ(tbl("project0")["Name"].asString(), "Первый");
    EXPECT_EQ(tbl("proj_graf1").recordCount(), 1);
}

TEST_F(ShellTest, VariantCopyProposesTheNameAndBecomesCurrent) {
    addProjectWithVariant("Дача");
    CountingProgress progress;
    prompter.type("Дача В1 копия");
    ASSERT_TRUE(shell->copyVariant(&progress));
    EXPECT_EQ(prompter.entries().back().text, "Наименование варианта:");
    EXPECT_EQ(progress.maximum, 0 + 1 + 1 + 18);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_EQ(tbl("project1").recordCount(), 2);
    EXPECT_EQ(tbl("project1")["VarName"].asString(), "Дача В1 копия");
    EXPECT_EQ(tbl("proj_graf1").recordCount(), 1); // the copy's own interval
    EXPECT_EQ(store->count("proj_graf1"), 2);
    EXPECT_TRUE(shell->redrawFlag());

    // Cancelling the name changes nothing and the redraw flag comes back.
    EXPECT_FALSE(shell->copyVariant(&progress));
    EXPECT_EQ(store->count("project1"), 2);
    EXPECT_TRUE(shell->redrawFlag());
}

TEST_F(ShellTest, AFailingCopyReportsAndLeavesNothing) {
    addProjectWithVariant("Дача");
    store->exec("CREATE TRIGGER no_graf BEFORE INSERT ON proj_graf1 BEGIN SELECT RAISE(ABORT, "
                "'диск полон'); END");
    CountingProgress progress;
    prompter.type("Дача_1");
    EXPECT_FALSE(shell->copyProject(&progress));
    EXPECT_TRUE(prompter.last().startsWith("Копирование не выполнено: "))
        << prompter.last().toStdString();
    EXPECT_EQ(progress.finished, 1);
    EXPECT_TRUE(shell->redrawFlag());
    for (const char* t : {"project0", "project1", "proj_inv", "proj_graf0", "proj_graf12_0"})
        EXPECT_EQ(store->count(t), 1) << t;
    EXPECT_EQ(tbl("project0")["Name"].asString(), "Дача");
}

TEST_F(ShellTest, ProjectCopyOfAnEmptyProjectKeepsItsOwnerAndDates) {
    ProjectFields f = shell->newProjectFields();
    f.name = "Пустой";
    f.owner = "Сидоров";
    f.date = QDate(2025, 1, 2);
    ASSERT_TRUE(shell->createProject(f));
    prompter.type("");
    EXPECT_FALSE(shell->copyProject(nullptr));
    EXPECT_EQ(prompter.last(), "Заполнение поля \"Наименование проекта\" обязательно.");
    prompter.type("Пустой_1");
    ASSERT_TRUE(shell->copyProject(nullptr));
    EXPECT_EQ(tbl("project0")["Name"].asString(), "Пустой_1");
    EXPECT_EQ(tbl("project0")["ProjOwner"].asString(), "Сидоров");
    EXPECT_EQ(tbl("project0")["ProjDate"].asString(), "02.01.2025");
    EXPECT_TRUE(tbl("project1").isEmpty());
}

TEST_F(ShellTest, FactsCountTheCurrentVariant) {
    addProjectWithVariant("Дача");
    ShellFacts f = gatherFacts(*dm);
    EXPECT_EQ(f.projects, 1);
    EXPECT_EQ(f.variants, 1);
    EXPECT_EQ(f.acLoads, 1);
    EXPECT_EQ(f.dcSchedules, 1);
    EXPECT_TRUE(f.allInvertersChosen);
    EXPECT_TRUE(f.currentLoadHasScheduleAndInverter);
    ASSERT_TRUE(add(tbl("proj_inv"), {{"Name_Inv", "Насос"}}));
    f = gatherFacts(*dm);
    EXPECT_FALSE(f.allInvertersChosen);
    EXPECT_FALSE(f.currentLoadHasScheduleAndInverter);
    EXPECT_TRUE(commandEnabled(Command::SbSelect, f)); // the DC schedule makes up for it
}

} // namespace
