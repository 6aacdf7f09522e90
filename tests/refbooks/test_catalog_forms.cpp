// The catalog editors built from their descriptions: their grids and columns, the choice-only
// lists, copy and paste through the window, and closing with a row still being edited.

#include "../data/fixture.h"

#include "refbooks/catalog_form.h"
#include "widgets/bound_grid.h"
#include "widgets/navigator.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace ses;
using namespace ses::test;

namespace {

class BareCatalogFormTest : public DbTest {
protected:
    std::unique_ptr<TCatalogForm> form(const char* className) {
        return std::unique_ptr<TCatalogForm>(
            makeCatalogForm(QString::fromLatin1(className), *dm, prompter, nullptr));
    }
};

class CatalogFormTest : public BareCatalogFormTest {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(m_tmp.isValid());
        initDataDirectory(dir(), InitContent::StarterCatalogs);
        reopen();
    }
};

TEST_F(CatalogFormTest, EveryEditorShowsItsTablesWithTheirCaptionsAndFitsTheScreen) {
    for (const CatalogDesc& desc : catalogDescs()) {
        SCOPED_TRACE(desc.className.toStdString());
        auto f = form(desc.className.toLatin1().constData());
        f->show();
        EXPECT_EQ(f->windowTitle(), windowInfo(desc.className).caption);
        ASSERT_EQ(f->gridCount(), int(desc.grids.size()));
        for (int g = 0; g < f->gridCount(); ++g) {
            const GridDesc& gd = desc.grids[g];
            EXPECT_EQ(f->grid(g)->view().name(), gd.table);
            for (int c = 0; c < int(gd.columns.size()); ++c)
                EXPECT_EQ(f->grid(g)->model()->headerData(c, Qt::Horizontal).toString(),
                          gd.columns[c].title);
            const Navigator::Buttons five = Navigator::Insert | Navigator::Delete |
                                            Navigator::Edit | Navigator::Post | Navigator::Cancel;
            EXPECT_EQ(f->navigator(g)->visibleButtons(), five);
        }
        // A 1366 x 768 screen less the task bar, with the window's title bar.
        EXPECT_LE(f->frameGeometry().width(), 1366);
        EXPECT_LE(f->height() + 30, 728);
        EXPECT_EQ(f->copyButton() != nullptr, !desc.copyHint.isEmpty());
        EXPECT_FALSE(f->okButton()->isVisible());
        f->hide();
    }
}

TEST_F(BareCatalogFormTest, CopyWaitsForARowAndPasteForACopy) {
    auto f = form("TsInvForm");
    f->show();
    EXPECT_FALSE(f->copyButton()->isEnabled());
    EXPECT_FALSE(f->pasteButton()->isEnabled());
    ASSERT_TRUE(add(tbl("Invert0"), {{"Company", "Первая"}, {"UseInv", "+"}}));
    ASSERT_TRUE(add(tbl("Invert1"), {{"Name", "И-1000"},
                                     {"Pnom", "1000"},
                                     {"Pmax", "1200"},
                                     {"Ppik", "2000"},
                                     {"Uvuh", "220"},
                                     {"Uvh", "24"},
                                     {"Forma", "чистый синус"},
                                     {"Kpd", "0,92"},
                                     {"UseInv", "+"}}));
    EXPECT_TRUE(f->copyButton()->isEnabled());
    f->copyButton()->click();
    EXPECT_TRUE(f->pasteButton()->isEnabled());
    // The copy outlives the window: a paste after closing and opening again.
    f->done(QDialog::Rejected);
    ASSERT_TRUE(add(tbl("Invert0"), {{"Company", "Вторая"}, {"UseInv", "+"}}));
    f->show();
    EXPECT_TRUE(f->pasteButton()->isEnabled());
    EXPECT_TRUE(f->pasteRecord());
    EXPECT_EQ(tbl("Invert1")["Name"].asString(), "И-1000_");
}

TEST_F(CatalogFormTest, AChoiceColumnTakesNoTypingAnOpenListDoes) {
    auto f = form("TsAVForm");
    f->show();
    BoundGrid* types = f->grid("AV1");
    View& v = types->view();
    ASSERT_FALSE(v.isEmpty());
    types->setFocus();
    const QString skab = v["Skab"].asString();
    types->setCurrentIndex(types->model()->index(0, 4)); // "S, мм2": choice only
    QTest::keyClick(types, Qt::Key_5);
    EXPECT_FALSE(v.isEditing());
    EXPECT_EQ(v["Skab"].asString(), skab);
    QTest::keyClick(types, Qt::Key_Left); // the moves still work
    EXPECT_EQ(types->currentIndex().column(), 3);

    types->setCurrentIndex(types->model()->index(0, 1)); // "Iном., А": offers and takes typing
    types->edit(types->currentIndex());
    auto* list = types->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isEditable());
    list->setEditText(QStringLiteral("70"));
    ASSERT_TRUE(types->commitEditor());
    EXPECT_EQ(v["Inom"].asString(), "70");
    v.cancel();
}

TEST_F(CatalogFormTest, APasteOverAnEditedBreakerAsksFirstAndNoPastesANewRow) {
    auto f = form("TsAVForm");
    f->show();
    View& types = tbl("AV1");
    View& inverters = tbl("AV2");
    ASSERT_GE(types.recordCount(), 2);
    ASSERT_TRUE(types.first());
    const QString copied = types["Name"].asString();
    const int copiedRows = inverters.recordCount();
    ASSERT_TRUE(f->copyRecord());
    ASSERT_TRUE(types.moveTo(1));
    const QString edited = types["Name"].asString();
    const int count = types.recordCount();
    const qint64 total = store->count("AV1");

    ASSERT_TRUE(types.edit());
    prompter.answer(true);
    EXPECT_TRUE(f->pasteRecord());
    ASSERT_EQ(prompter.entries().size(), 1u);
    EXPECT_TRUE(prompter.entries()[0].text.startsWith("Запись \"" + edited + "\" редактируется."));
    EXPECT_EQ(types.recordCount(), count);
    EXPECT_FALSE(types.locate("Name", edited));
    ASSERT_TRUE(types.locate("Name", copied + "_"));
    EXPECT_EQ(inverters.recordCount(), copiedRows);

    // "Нет": the copy goes into a new row, which meets the name pasted a moment ago.
    ASSERT_TRUE(types.edit());
    prompter.clear();
    prompter.answer(false);
    EXPECT_FALSE(f->pasteRecord());
    EXPECT_EQ(types.state(), ViewState::Insert);
    EXPECT_EQ(store->count("AV1"), total);
    types.cancel();
}

TEST_F(CatalogFormTest, ClosingSavesTheEditedRowAndARefusalKeepsTheWindowOpen) {
    auto f = form("TsPeremFm");
    f->show();
    View& jumpers = tbl("perem");
    ASSERT_TRUE(jumpers.first());
    ASSERT_TRUE(jumpers.edit());
    jumpers["Idop"].setString("999");
    f->done(QDialog::Rejected);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(jumpers.isEditing());
    EXPECT_EQ(jumpers["Idop"].asString(), "999");

    f->show();
    ASSERT_TRUE(jumpers.append());
    jumpers["Idop"].setString("10"); // no cross-section: refused
    f->done(QDialog::Rejected);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(jumpers.state(), ViewState::Insert);
    EXPECT_FALSE(prompter.entries().empty());
    jumpers.cancel();
    f->done(QDialog::Rejected);
    EXPECT_FALSE(f->isVisible());
}

TEST_F(CatalogFormTest, DeletingAMakerTakesItsTreeWithoutAQuestion) {
    auto f = form("TsContFrm");
    f->show();
    View& makers = tbl("Controller0");
    ASSERT_TRUE(makers.first());
    const int kod = makers["Kod"].asInteger();
    const auto below = [&](const char* sql) {
        QSqlQuery q = store->select(QString::fromUtf8(sql), {kod});
        return q.next() ? q.value(0).toInt() : -1;
    };
    ASSERT_GT(below("SELECT COUNT(*) FROM Controller4 c4 JOIN Controller2 c2 ON c4.Kod0 = c2.Kod "
                    "JOIN Controller1 c1 ON c2.Kod0 = c1.Kod WHERE c1.Kod0 = ?"),
              0);
    f->navigator(0)->click(Navigator::Delete);
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_EQ(below("SELECT COUNT(*) FROM Controller1 WHERE Kod0 = ?"), 0);
    EXPECT_EQ(store->count("Controller2"),
              below("SELECT COUNT(*) FROM Controller2 c2 JOIN Controller1 c1 ON c2.Kod0 = c1.Kod "
                    "WHERE c1.Kod0 <> ?"));
}

TEST_F(CatalogFormTest, TheTiltIsReadOnlyWhileTheProgramComputesIt) {
    auto f = form("TsRegForm");
    f->show();
    BoundGrid* months = f->grid("region1");
    EXPECT_FALSE(months->viewModel()->isEditable(3));
    EXPECT_TRUE(months->viewModel()->isEditable(1));
}

} // namespace
