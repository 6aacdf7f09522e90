#pragma once
// The failure of writing a report document: the message is ready to be shown to the user.

#include <QString>
#include <stdexcept>

namespace ses {

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace ses
