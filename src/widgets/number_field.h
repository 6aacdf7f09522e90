#pragma once
// A line edit for one number, typed with the decimal comma. Its key filter lets through only
// what can make a number of its kind (every other printable key beeps), and leaving it with a
// text that is not a number shows the message of its kind and takes the focus back.

#include "lib/prompter.h"

#include <QLineEdit>

#include <memory>
#include <optional>

namespace ses {

class MessageBoxPrompter;

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Decimal, Integer };

    explicit NumberField(Kind kind = Kind::Decimal, QWidget* parent = nullptr);
    explicit NumberField(QWidget* parent) : NumberField(Kind::Decimal, parent) {}
    ~NumberField() override;

    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }

    // Messages go to this prompter (not owned); null restores the message boxes.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    Prompter& prompter();

    // The check on leaving the field; off for grid cell editors, whose grid reports bad values.
    void setLeaveCheck(bool on) { m_leaveCheck = on; }
    bool leaveCheck() const { return m_leaveCheck; }

    // The number the text reads as (a whole number for an integer field); nullopt when the
    // text is empty or not a number of the field's kind.
    std::optional<double> value() const;
    // Writes the value in the shortest decimal-comma form; nullopt empties the field.
    void setValue(std::optional<double> value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<QString> leaveError() const;
    void checkAfterLeaving();

    Kind m_kind;
    bool m_leaveCheck = true;
    bool m_checkPending = false;
    Prompter* m_prompter = nullptr;
    std::unique_ptr<MessageBoxPrompter> m_ownPrompter;
};

} // namespace ses
