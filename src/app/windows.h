#pragma once
// The windows of the program: class name, caption and help topic number.

#include <QString>
#include <vector>

namespace ses {

struct WindowInfo {
    QString className;
    QString caption;
    int helpTopic; // -1: no topic
};

const std::vector<WindowInfo>& windowTable();
const WindowInfo& windowInfo(const QString& className); // throws std::logic_error when unknown

} // namespace ses
