#pragma once
// The window table: every window of the program by its class name, with the caption it shows and
// the help topic that its "Справка..." and F1 open. Windows take both from here, never from a
// literal of their own.

#include <QString>
#include <vector>

class QWidget;

namespace ses {

struct WindowInfo {
    QString className;
    QString caption;
    int helpTopic; // -1: no topic
};

const std::vector<WindowInfo>& windowTable();
const WindowInfo& windowInfo(const QString& className); // throws std::logic_error when unknown

// Names the window after its class and gives it its caption; returns its entry, whose topic the
// window's button row takes.
const WindowInfo& setUpWindow(QWidget* window, const QString& className);

} // namespace ses
