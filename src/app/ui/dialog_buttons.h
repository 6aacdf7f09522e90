#pragma once
// The "ОК" / "Отмена" / "Справка..." row every dialog ends with.

#include <QDialog>
#include <QHBoxLayout>

class QPushButton;

namespace ses {

struct DialogButtons {
    QHBoxLayout* layout;
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help; // null when the window has no help topic
};

// Builds the row, wires "ОК" to accept, "Отмена" to reject and "Справка..." and F1 to the
// window's help topic.
DialogButtons makeDialogButtons(QDialog* dialog, int helpTopic, const QString& okText = QStringLiteral("ОК"),
                                const QString& cancelText = QStringLiteral("Отмена"));

} // namespace ses
