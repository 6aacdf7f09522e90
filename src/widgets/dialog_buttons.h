#pragma once
// The button row every window ends with: its own command buttons at the left, then the button
// that confirms, the one that cancels or closes, and "Справка..." at the right.

#include <QString>

#include <vector>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace ses {

struct WindowInfo;

// What a row holds besides "Справка...".
struct ButtonRow {
    QString ok = QStringLiteral("ОК");         // accepts; empty: no such button
    QString cancel = QStringLiteral("Отмена"); // rejects; empty: no such button
    std::vector<QPushButton*> commands = {};   // at the left, in this order
};

// A window that only shows: "Закрыть" (rejects) with the window's commands at the left.
ButtonRow closeRow(std::vector<QPushButton*> commands = {});

struct DialogButtons {
    QHBoxLayout* layout = nullptr;
    QPushButton* ok = nullptr;     // object name "ok"; null when the row has none
    QPushButton* cancel = nullptr; // object name "cancel", or "close" when it reads "Закрыть"
    QPushButton* help = nullptr;   // object name "help"; null when the window has no topic
};

// Builds the row. "ОК" is the default button; in a row without it no button takes Enter, so that
// Enter in a grid never closes the window. "Справка..." and F1 open the window's help topic
// (neither exists for a window without one). Every button is at least 90 pixels wide.
DialogButtons makeDialogButtons(QDialog* dialog, const WindowInfo& window,
                                const ButtonRow& row = {});

} // namespace ses
