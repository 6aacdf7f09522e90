#pragma once
// Which key presses a grid column with a drop-down list lets through. A choice-only column takes
// its value from the list alone: every key that would type into the cell is refused (with a
// beep), while Tab and the keys that only move through the grid still work. Some lists refuse
// only typed characters and leave the other keys alone.

#include <QString>

namespace ses {

enum class ChoiceKeys {
    Strict,         // only Tab, Page Up/Down, Home, End and the arrows pass
    CharactersOnly, // typed characters are refused; keys that type nothing pass
};

// Tab, Backtab, Page Up, Page Down, Home, End and the four arrows.
bool isNavigationKey(int key);

// Whether a key press in a choice column is refused. `text` is what the key would type (empty
// for keys that type nothing). Escape always passes: it drops an open list or the row's changes;
// so do modifiers pressed alone.
bool choiceKeyRefused(int key, const QString& text, ChoiceKeys mode);

} // namespace ses
