#include "app/application.h"

#include "data/store.h"

#include <QMessageBox>

namespace ses {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tovrel SES 1.1"));
    setApplicationDisplayName(QStringLiteral("Tovrel SES 1.1"));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    }
    QMessageBox::critical(activeWindow(), applicationName(),
                          QStringLiteral("Операция прервана из-за внутренней ошибки:\n") + message);
    return false;
}

} // namespace ses
