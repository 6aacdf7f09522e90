#include "widgets/number_field.h"

#include "lib/entry.h"
#include "lib/numbers.h"
#include "widgets/message_prompter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace ses {

namespace {

// Set while a field takes the focus back after its message: the field it takes the focus from
// must not run its own check then, or two fields with bad texts would pull the focus to and
// fro for ever. The GUI thread is the only one touching it.
bool g_refocusing = false;

bool isEditingKey(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        break;
    }
    return e->matches(QKeySequence::SelectAll) || e->matches(QKeySequence::Copy) ||
           e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) ||
           e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo);
}

} // namespace

NumberField::NumberField(Kind kind, QWidget* parent) : QLineEdit(parent), m_kind(kind) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

NumberField::~NumberField() = default;

Prompter& NumberField::prompter() {
    if (m_prompter)
        return *m_prompter;
    if (!m_ownPrompter)
        m_ownPrompter = std::make_unique<MessageBoxPrompter>(this);
    return *m_ownPrompter;
}

std::optional<double> NumberField::value() const {
    if (m_kind == Kind::Integer) {
        const auto i = parseInteger(text());
        return i ? std::optional<double>(*i) : std::nullopt;
    }
    return parseNumber(text());
}

void NumberField::setValue(std::optional<double> value) {
    setText(numberToText(value));
}

void NumberField::keyPressEvent(QKeyEvent* event) {
    if (isEditingKey(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool printable = text.size() == 1 && text[0].isPrint();
    // Shortcuts with Ctrl or Alt (mnemonics, the window's own keys) and keys that type nothing
    // (Enter, Escape, F1 ...) keep their usual meaning.
    if (!printable || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar c = text[0];
    // A point typed out of habit (or from the keypad) stands for the decimal comma.
    if (m_kind == Kind::Decimal && c == u'.')
        c = u',';
    // A minus sign may open a decimal value: temperatures and temperature coefficients are
    // negative in winter, and the checks of each quantity refuse a sign where it makes no sense.
    const bool sign = m_kind == Kind::Decimal && c == u'-' && cursorPosition() == 0 &&
                      !this->text().startsWith(u'-') && selectedText().isEmpty();
    const bool allowed =
        sign || (m_kind == Kind::Decimal ? decimalKeyAllowed(c) : integerKeyAllowed(c));
    if (!allowed) {
        QApplication::beep();
        event->accept();
        return;
    }
    if (c == text[0]) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent comma(event->type(), Qt::Key_Comma, event->modifiers(), QString(c),
                    event->isAutoRepeat(), ushort(event->count()));
    QLineEdit::keyPressEvent(&comma);
    event->setAccepted(comma.isAccepted());
}

std::optional<QString> NumberField::leaveError() const {
    return m_kind == Kind::Decimal ? decimalLeaveError(text()) : integerLeaveError(text());
}

void NumberField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Only a real move to another control of the window counts as leaving: not the window
    // losing activation (a message box, another program), nor a popup or the menu bar.
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        break;
    }
    if (!m_leaveCheck || g_refocusing || m_checkPending || isReadOnly() || !leaveError())
        return;
    // The message waits until the focus change (and the mouse press that may have caused it)
    // is complete: a modal box opened in the middle of it would leave the clicked button stuck.
    m_checkPending = true;
    QTimer::singleShot(0, this, &NumberField::checkAfterLeaving);
}

void NumberField::checkAfterLeaving() {
    m_checkPending = false;
    // Meanwhile the focus may have come back (a window's "ОК" check focuses the field after
    // its own message), the text may have been corrected, or the window closed.
    if (hasFocus() || !isVisible() || !isEnabled())
        return;
    const auto error = leaveError();
    if (!error)
        return;
    prompter().error(*error);
    g_refocusing = true;
    setFocus(Qt::OtherFocusReason);
    g_refocusing = false;
}

} // namespace ses
