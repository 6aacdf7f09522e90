#pragma once

#include <QChar>
#include <QString>

#include <optional>

// Numeric entry shared by every window: the key filters of decimal and integer fields, the
// check made on leaving a field, the validated entry that names its quantity, and the rules
// of the step buttons beside a field. Pure functions: the widgets beep, show the message and
// move the focus.

namespace ses {

inline const QString kBadDecimalMessage =
    QStringLiteral("Ошибочное значение для числового параметра.");
inline const QString kBadIntegerMessage =
    QStringLiteral("Ошибочное значение для целочисленного параметра.");

// Quantity (genitive) that the step buttons name in their checks.
inline const QString kStepQuantity = QStringLiteral("числового параметра");

// Characters a decimal field accepts: the digits and the decimal comma. The editing keys
// Backspace and Tab arrive as key codes, not characters, and the widget lets them through;
// every other key is refused with a beep (so a minus sign cannot be typed: negative values
// are reached with the step buttons).
bool decimalKeyAllowed(QChar c);
// Characters an integer field accepts: the digits (Backspace and Tab as above).
bool integerKeyAllowed(QChar c);

// Whether the text reads as a number (parseNumber) / as a whole number in the int range
// (optional sign and digits only: "2,0" is not a whole number). An empty text is neither.
bool isDecimalText(const QString& text);
bool isIntegerText(const QString& text);
std::optional<int> parseInteger(const QString& text);

// Check on leaving a field: kBadDecimalMessage / kBadIntegerMessage when the text is not a
// number, nullopt when it is one or the field is empty (an empty field is reported by the
// validated entry on "ОК", which names the quantity).
std::optional<QString> decimalLeaveError(const QString& text);
std::optional<QString> integerLeaveError(const QString& text);

// Validated entry; `quantity` is the genitive phrase ("длины кабеля"). Each returns the error
// message, nullopt when the text is accepted. A text of white space only counts as empty.
//  - checkNumber: any number;
//  - checkNonZero: any number except 0 (negative ones included);
//  - checkNonZeroWhole: any whole number except 0; a fractional value is "not a number" for
//    it and gets that message.
std::optional<QString> checkNumber(const QString& text, const QString& quantity);
std::optional<QString> checkNonZero(const QString& text, const QString& quantity);
std::optional<QString> checkNonZeroWhole(const QString& text, const QString& quantity);

// Outcome of a step button: the new field text, or the message of a failed check (the
// widget shows it and focuses the field), or neither (the button does nothing).
struct StepResult {
    std::optional<QString> text;
    std::optional<QString> error;
};

// Up by `step` without a bound: an empty field becomes the step; otherwise value + step in
// the shortest decimal form. A text that is not a number fails the any-number check.
StepResult tryStepUp(const QString& text, double step);

// Up by `step`, never above `upper`: an empty field or one reading "0", "0,0", "0,00" or
// "0,000" becomes the step; otherwise the field must pass the non-zero check, and becomes
// value + step (shortest decimal form) when that sum rounded to 3 decimals is not above
// `upper`, else it stays as it is.
StepResult tryStepUpBounded(const QString& text, double step, double upper);

// Down by `step`, never below `lower`: an empty field stays as it is; otherwise the field must
// pass the any-number check, and becomes value - step written with `pattern` when that
// difference rounded to 3 decimals is not below `lower`, else it stays as it is.
StepResult tryStepDownBounded(const QString& text, double step, double lower,
                              const QString& pattern = QStringLiteral("0.###"));

// Down by `step` keeping the value positive: an empty field or a value of 0 becomes the step;
// a value greater than the step becomes value - step (shortest decimal form); a value not
// greater than the step stays as it is, so the field never reaches 0 this way. A text that is
// not a number fails the any-number check.
StepResult tryStepDownPositive(const QString& text, double step);

// The same rules giving only the new text; nullopt when the button does nothing or its check
// fails (use the try... forms to show the check's message).
std::optional<QString> stepUp(const QString& text, double step);
std::optional<QString> stepUpBounded(const QString& text, double step, double upper);
std::optional<QString> stepDownBounded(const QString& text, double step, double lower);
std::optional<QString> stepDownPositive(const QString& text, double step);

} // namespace ses
