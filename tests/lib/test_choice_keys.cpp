// Which keys a choice column lets through.

#include "lib/choice_keys.h"

#include <gtest/gtest.h>

using namespace ses;

namespace {

struct Case {
    const char* what;
    int key;
    const char* text;
    bool strict;         // refused in a choice-only column
    bool charactersOnly; // refused where only typed characters are
};

const Case kCases[] = {
    {"a digit", Qt::Key_5, "5", true, true},
    {"a letter", Qt::Key_A, "а", true, true},
    {"Backspace", Qt::Key_Backspace, "\b", true, true},
    {"Delete", Qt::Key_Delete, "\x7f", true, true},
    {"Enter", Qt::Key_Return, "\r", true, true},
    {"F2 (types nothing)", Qt::Key_F2, "", true, false},
    {"Insert", Qt::Key_Insert, "", true, false},
    {"Tab", Qt::Key_Tab, "\t", false, false},
    {"Shift+Tab", Qt::Key_Backtab, "", false, false},
    {"Escape", Qt::Key_Escape, "\x1b", false, false},
    {"Shift alone", Qt::Key_Shift, "", false, false},
    {"Page Up", Qt::Key_PageUp, "", false, false},
    {"Page Down", Qt::Key_PageDown, "", false, false},
    {"Home", Qt::Key_Home, "", false, false},
    {"End", Qt::Key_End, "", false, false},
    {"Left", Qt::Key_Left, "", false, false},
    {"Right", Qt::Key_Right, "", false, false},
    {"Up", Qt::Key_Up, "", false, false},
    {"Down", Qt::Key_Down, "", false, false},
};

TEST(ChoiceKeys, OnlyTabAndTheMovesPassAChoiceColumn) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(choiceKeyRefused(c.key, text, ChoiceKeys::Strict), c.strict);
        EXPECT_EQ(choiceKeyRefused(c.key, text, ChoiceKeys::CharactersOnly), c.charactersOnly);
    }
}

} // namespace
