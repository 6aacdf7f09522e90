#include "app/application.h"

#include "data/store.h"

#include <QMessageBox>

namespace ses {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tovrel SES 1.1"));
    setApplicationDisplayName(QStringLiteral("Tovrel SES 1.1"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        // The store's messages say what happened (a full disk, a read-only file ...) and what to
        // do; the operation's transaction has been rolled back.
        message = e.isRowRefusal() || e.kind() == DbError::Kind::General
                      ? QStringLiteral("Операция прервана из-за внутренней ошибки:\n") + e.message()
                      : e.message();
    } catch (const std::exception& e) {
        message = QStringLiteral("Операция прервана из-за внутренней ошибки:\n") +
                  QString::fromUtf8(e.what());
    }
    QMessageBox::critical(activeWindow(), applicationName(), message);
    return false;
}

} // namespace ses
