#include "fixture.h"
#include "widgets/help_viewer.h"

#include <QDialog>
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

} // namespace
} // namespace ses::test
