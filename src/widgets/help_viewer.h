#pragma once
// The help: one HTML page per topic number, compiled in as :/help/<topic>.html, the contents page
// :/help/index.html and the named pages beside them (guide.html, data.html). The viewer is a
// non-modal window, one per owning window, reused by later requests; it has "Назад", "Вперед",
// "Содержание" and a search over the pages.

#include <QString>
#include <QStringList>

class QWidget;

namespace ses {

class HelpViewer {
public:
    // Shows the page of the topic; a topic without a page shows the contents with the line
    // "Раздел справки <topic> пока не написан.". topic <= 0 shows the contents.
    static void showTopic(QWidget* parent, int topic);
    static void showIndex(QWidget* parent);
    // Shows a page by its file name ("guide.html"); a missing page shows the contents.
    static void showPage(QWidget* parent, const QString& fileName);
    static bool hasTopic(int topic);

    // The file names of all pages, sorted ("39.html", "guide.html", "index.html" ...).
    static QStringList pages();
    // The title (<title>) and the text without tags of a page; empty for a missing page.
    static QString pageTitle(const QString& fileName);
    static QString pageText(const QString& fileName);
    // The pages whose title or text holds every word of `query` (case ignored), in the order of
    // pages(); an empty query finds nothing.
    static QStringList search(const QString& query);
};

// F1 anywhere in the window opens its help topic (topic <= 0: the contents).
void installHelpKey(QWidget* window, int topic);

} // namespace ses
