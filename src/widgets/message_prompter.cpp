#include "widgets/message_prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace ses {

MessageBoxPrompter::MessageBoxPrompter(QWidget* parent) : m_parent(parent) {}

void MessageBoxPrompter::error(const QString& text) {
    QMessageBox::critical(m_parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

void MessageBoxPrompter::information(const QString& text) {
    QMessageBox::information(m_parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

bool MessageBoxPrompter::question(const QString& text) {
    return QMessageBox::question(m_parent, QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::textInput(const QString& caption, const QString& prompt,
                                                     const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace ses
