#include "lib/choice_keys.h"

#include <Qt>

namespace ses {

bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

bool choiceKeyRefused(int key, const QString& text, ChoiceKeys mode) {
    if (key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    if (mode == ChoiceKeys::CharactersOnly)
        return !text.isEmpty(); // Backspace, Delete and Enter type too: they change the cell
    // A modifier pressed alone is half of a key still to come (Shift+Tab, a shortcut).
    const bool modifier = key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
                          key == Qt::Key_Meta || key == Qt::Key_AltGr;
    return !isNavigationKey(key) && !modifier;
}

} // namespace ses
