#include "widgets/help_viewer.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

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
const QString kIndex = QStringLiteral("index.html");

QString resourcePath(const QString& fileName) {
    return QStringLiteral(":/help/") + fileName;
}

QUrl pageUrl(const QString& fileName) {
    return QUrl(QStringLiteral("qrc") + resourcePath(fileName));
}

QString pageHtml(const QString& fileName) {
    initHelpResources();
    QFile f(resourcePath(fileName));
    if (!f.open(QIODevice::ReadOnly))
        return {};
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

void display(QTextBrowser* browser, int topic) {
    if (topic > 0 && HelpViewer::hasTopic(topic)) {
        browser->setSource(pageUrl(QStringLiteral("%1.html").arg(topic)));
        return;
    }
    // The contents go through the history too, so that "Назад" returns from them.
    browser->setSource(pageUrl(kIndex));
    if (topic > 0)
        browser->setHtml(withNotice(
            pageHtml(kIndex), QStringLiteral("Раздел справки %1 пока не написан.").arg(topic)));
}

// A link of a page: another page (with or without an anchor), an anchor of this page, or an
// address outside the help. A page that does not exist falls back to the contents, naming the
// topic when the link named one.
void follow(QTextBrowser* browser, const QUrl& url) {
    if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("qrc")) {
        QDesktopServices::openUrl(url);
        return;
    }
    const QUrl base = browser->source().isEmpty() ? pageUrl(kIndex) : browser->source();
    const QUrl target = base.resolved(url);
    const QString fileName = target.fileName();
    if (QFile::exists(resourcePath(fileName))) {
        browser->setSource(target);
        return;
    }
    bool ok = false;
    const int topic = fileName.section(u'.', 0, 0).toInt(&ok);
    display(browser, ok ? topic : 0);
}

QPushButton* toolButton(QWidget* parent, const char* name, const QString& text,
                        const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

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
    dialog->resize(820, 600);

    auto* back = toolButton(dialog, "back", QStringLiteral("< Назад"),
                            QStringLiteral("Вернуться к предыдущей странице"));
    auto* forward = toolButton(dialog, "forward", QStringLiteral("Вперед >"),
                               QStringLiteral("Перейти к следующей странице"));
    auto* contents = toolButton(dialog, "contents", QStringLiteral("Содержание"),
                                QStringLiteral("Открыть содержание справки"));
    auto* searchLabel = new QLabel(QStringLiteral("Поиск:"), dialog);
    auto* search = new QLineEdit(dialog);
    search->setObjectName(QStringLiteral("search"));
    search->setClearButtonEnabled(true);
    search->setPlaceholderText(QStringLiteral("слова из заголовка или текста"));
    searchLabel->setBuddy(search);
    back->setEnabled(false);
    forward->setEnabled(false);

    auto* found = new QListWidget(dialog);
    found->setObjectName(QStringLiteral("found"));
    found->hide();
    auto* browser = new QTextBrowser(dialog);
    // Links between pages go through the same lookup as topics, so that a topic without a page
    // falls back to the contents.
    browser->setOpenLinks(false);
    QObject::connect(browser, &QTextBrowser::anchorClicked, browser,
                     [browser](const QUrl& url) { follow(browser, url); });
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    QObject::connect(contents, &QPushButton::clicked, browser, [browser] { display(browser, 0); });
    QObject::connect(search, &QLineEdit::textChanged, found, [found](const QString& query) {
        found->clear();
        if (query.trimmed().isEmpty()) {
            found->hide();
            return;
        }
        const QStringList hits = HelpViewer::search(query);
        for (const QString& page : hits) {
            auto* item = new QListWidgetItem(HelpViewer::pageTitle(page), found);
            item->setData(Qt::UserRole, page);
        }
        if (hits.isEmpty())
            new QListWidgetItem(QStringLiteral("Ничего не найдено."), found);
        found->show();
    });
    // A click or Enter on a found page opens it.
    const auto open = [browser](QListWidgetItem* item) {
        const QString page = item->data(Qt::UserRole).toString();
        if (!page.isEmpty() && browser->source() != pageUrl(page))
            browser->setSource(pageUrl(page));
    };
    QObject::connect(found, &QListWidget::itemActivated, browser, open);
    QObject::connect(found, &QListWidget::itemClicked, browser, open);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addSpacing(16);
    bar->addWidget(searchLabel);
    bar->addWidget(search, 1);
    auto* split = new QSplitter(Qt::Horizontal, dialog);
    split->addWidget(found);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 590});
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    return browser;
}

QTextBrowser* show(QWidget* parent) {
    QTextBrowser* browser = viewer(parent);
    QWidget* dialog = browser->window();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return browser;
}

} // namespace

void HelpViewer::showTopic(QWidget* parent, int topic) {
    display(show(parent), topic);
}

void HelpViewer::showIndex(QWidget* parent) {
    display(show(parent), 0);
}

void HelpViewer::showPage(QWidget* parent, const QString& fileName) {
    follow(show(parent), QUrl(fileName));
}

bool HelpViewer::hasTopic(int topic) {
    initHelpResources();
    return topic > 0 && QFile::exists(resourcePath(QStringLiteral("%1.html").arg(topic)));
}

QStringList HelpViewer::pages() {
    initHelpResources();
    QStringList names = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    // Topics in their numeric order, the named pages after them.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        bool na = false;
        bool nb = false;
        const int ta = a.section(u'.', 0, 0).toInt(&na);
        const int tb = b.section(u'.', 0, 0).toInt(&nb);
        if (na != nb)
            return na;
        return na ? ta < tb : a < b;
    });
    return names;
}

QString HelpViewer::pageTitle(const QString& fileName) {
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(pageHtml(fileName));
    return m.hasMatch() ? m.captured(1).trimmed() : fileName;
}

QString HelpViewer::pageText(const QString& fileName) {
    static QMap<QString, QString> cache;
    const auto it = cache.constFind(fileName);
    if (it != cache.constEnd())
        return *it;
    QTextDocument doc;
    doc.setHtml(pageHtml(fileName));
    return cache[fileName] = doc.toPlainText();
}

QStringList HelpViewer::search(const QString& query) {
    const QStringList words = query.simplified().split(u' ', Qt::SkipEmptyParts);
    QStringList hits;
    if (words.isEmpty())
        return hits;
    for (const QString& page : pages()) {
        const QString text = pageTitle(page) + u'\n' + pageText(page);
        if (std::all_of(words.begin(), words.end(),
                        [&](const QString& w) { return text.contains(w, Qt::CaseInsensitive); }))
            hits << page;
    }
    return hits;
}

void installHelpKey(QWidget* window, int topic) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window,
                     [window, topic] { HelpViewer::showTopic(window, topic); });
}

} // namespace ses
