#include "widgets/help_viewer.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

// The pages live in a resource of this static library; referencing its initialiser keeps the
// linker from dropping it.
static void initHelpResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(ses_help);
        return true;
    }();
    (void)done;
}

namespace ses {

namespace {

const char* const kViewerName = "helpViewer";

QString pagePath(int topic) {
    return QStringLiteral(":/help/%1.html").arg(topic);
}

QString indexHtml() {
    QFile f(QStringLiteral(":/help/index.html"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<html><body></body></html>");
    return QString::fromUtf8(f.readAll());
}

// Puts a line in front of the page's body.
QString withNotice(QString html, const QString& notice) {
    const QString line =
        QStringLiteral("<p><b>") + notice.toHtmlEscaped() + QStringLiteral("</b></p>");
    const qsizetype body = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype at = body < 0 ? -1 : html.indexOf(u'>', body);
    return at < 0 ? line + html : html.insert(at + 1, line);
}

void display(QTextBrowser* browser, int topic);

QTextBrowser* viewer(QWidget* parent) {
    initHelpResources();
    QWidget* owner = parent ? parent->window() : nullptr;
    if (owner)
        if (auto* d =
                owner->findChild<QDialog*>(QLatin1String(kViewerName), Qt::FindDirectChildrenOnly))
            return d->findChild<QTextBrowser*>();
    auto* dialog = new QDialog(owner);
    dialog->setObjectName(QLatin1String(kViewerName));
    dialog->setWindowTitle(QStringLiteral("Справка"));
    dialog->setModal(false);
    if (!owner)
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->resize(720, 540);
    auto* browser = new QTextBrowser(dialog);
    // Links between pages name topics ("62.html"); they go through the same lookup so that a
    // topic without a page falls back to the contents.
    browser->setOpenLinks(false);
    QObject::connect(browser, &QTextBrowser::anchorClicked, browser, [browser](const QUrl& url) {
        if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("qrc")) {
            QDesktopServices::openUrl(url);
            return;
        }
        bool ok = false;
        const int topic = url.fileName().section(u'.', 0, 0).toInt(&ok);
        display(browser, ok ? topic : 0);
    });
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    return browser;
}

void display(QTextBrowser* browser, int topic) {
    if (topic > 0 && HelpViewer::hasTopic(topic)) {
        browser->setSource(QUrl(QStringLiteral("qrc") + pagePath(topic)));
    } else {
        QString html = indexHtml();
        if (topic > 0)
            html =
                withNotice(html, QStringLiteral("Раздел справки %1 пока не написан.").arg(topic));
        browser->setHtml(html);
    }
}

void show(QWidget* parent, int topic) {
    QTextBrowser* browser = viewer(parent);
    display(browser, topic);
    QWidget* dialog = browser->window();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

void HelpViewer::showTopic(QWidget* parent, int topic) {
    show(parent, topic);
}

void HelpViewer::showIndex(QWidget* parent) {
    show(parent, 0);
}

bool HelpViewer::hasTopic(int topic) {
    initHelpResources();
    return topic > 0 && QFile::exists(pagePath(topic));
}

void installHelpKey(QWidget* window, int topic) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window,
                     [window, topic] { HelpViewer::showTopic(window, topic); });
}

} // namespace ses
