#include "fixture.h"
#include "widgets/help_viewer.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>

namespace ses::test {
namespace {

QString shownText(QWidget& owner) {
    auto* b = owner.findChild<QTextBrowser*>();
    return b ? b->toPlainText() : QString();
}

TEST(HelpViewer, TopicWithoutAPageShowsTheContentsWithANote) {
    QWidget owner;
    ASSERT_FALSE(HelpViewer::hasTopic(9999));
    HelpViewer::showTopic(&owner, 9999);
    const QString text = shownText(owner);
    EXPECT_TRUE(text.contains("Раздел справки 9999 пока не написан.")) << text.toStdString();
    EXPECT_TRUE(text.contains("Параметры варианта расчета.")) << "the contents lists the windows";

    HelpViewer::showIndex(&owner);
    EXPECT_FALSE(shownText(owner).contains("пока не написан"));
    EXPECT_EQ(owner.findChildren<QDialog*>().size(), 1) << "one viewer per window, reused";
}

TEST(HelpViewer, F1OpensTheWindowsTopic) {
    QWidget window;
    installHelpKey(&window, 9998); // a topic that will never have a page
    ASSERT_TRUE(showActive(window));
    QTest::keyClick(&window, Qt::Key_F1);
    auto* dialog = window.findChild<QDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(shownText(window).contains("Раздел справки 9998 пока не написан."));
}

// "Назад", "Вперед", "Содержание" and the search, as a reader goes through them.
TEST(HelpViewer, GoesBackAndForwardAndFindsPages) {
    QWidget owner;
    HelpViewer::showIndex(&owner);
    auto* browser = owner.findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    auto button = [&](const char* name) {
        return owner.findChild<QPushButton*>(QLatin1String(name));
    };
    const auto page = [&] { return browser->source().fileName(); };
    EXPECT_EQ(page(), "index.html");
    EXPECT_FALSE(button("back")->isEnabled());
    HelpViewer::showTopic(&owner, 52);
    EXPECT_EQ(page(), "52.html");
    emit browser->anchorClicked(QUrl("53.html"));
    EXPECT_EQ(page(), "53.html");
    ASSERT_TRUE(button("back")->isEnabled());
    button("back")->click();
    EXPECT_EQ(page(), "52.html");
    button("forward")->click();
    EXPECT_EQ(page(), "53.html");
    EXPECT_FALSE(button("forward")->isEnabled());
    button("contents")->click();
    EXPECT_EQ(page(), "index.html");
    emit browser->anchorClicked(QUrl("guide.html"));
    EXPECT_EQ(page(), "guide.html");

    auto* search = owner.findChild<QLineEdit*>(QStringLiteral("search"));
    auto* found = owner.findChild<QListWidget*>(QStringLiteral("found"));
    ASSERT_TRUE(search && found);
    EXPECT_TRUE(found->isHidden());
    // Every word counts, in any case; the pages are listed by their titles.
    search->setText(QStringLiteral("КОНТРОЛЛЕР   заряда"));
    const QStringList hits = HelpViewer::search(search->text());
    EXPECT_TRUE(hits.contains("39.html") && hits.contains("40.html"))
        << hits.join(' ').toStdString();
    ASSERT_EQ(found->count(), hits.size());
    EXPECT_FALSE(found->isHidden());
    EXPECT_EQ(found->item(hits.indexOf("40.html"))->text(), "Выбор контроллера заряда.");
    emit found->itemClicked(found->item(hits.indexOf("40.html")));
    EXPECT_EQ(page(), "40.html");
    search->setText(QStringLiteral("контроллер абракадабра"));
    ASSERT_EQ(found->count(), 1);
    EXPECT_EQ(found->item(0)->text(), "Ничего не найдено.");
    search->clear();
    EXPECT_TRUE(found->isHidden());
}

} // namespace
} // namespace ses::test
