#pragma once
// The help: one HTML page per topic number, compiled in as :/help/<topic>.html, with the
// contents page :/help/index.html. The viewer is a non-modal window, one per owning window,
// reused by later requests.

#include <QString>

class QWidget;

namespace ses {

class HelpViewer {
public:
    // Shows the page of the topic; a topic without a page shows the contents with the line
    // "Раздел справки <topic> пока не написан.". topic <= 0 shows the contents.
    static void showTopic(QWidget* parent, int topic);
    static void showIndex(QWidget* parent);
    static bool hasTopic(int topic);
};

// F1 anywhere in the window opens its help topic (topic <= 0: the contents).
void installHelpKey(QWidget* window, int topic);

} // namespace ses
