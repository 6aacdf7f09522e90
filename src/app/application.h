#pragma once
// The application object: the one place where an unexpected exception from an event handler is
// caught, shown and survived.

#include <QApplication>

namespace ses {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ses
