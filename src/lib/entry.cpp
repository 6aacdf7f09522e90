#include "lib/entry.h"

#include "lib/numbers.h"

#include <climits>
#include <utility>

namespace ses {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

QString emptyMessage(const QString& quantity) {
    return QStringLiteral("Введите значение ") + quantity + u'.';
}

QString notNumberMessage(const QString& text, const QString& quantity) {
    return u'"' + text + QStringLiteral("\" - некорректное значение для ") + quantity + u'.';
}

QString zeroMessage(const QString& quantity) {
    return QStringLiteral("Значение ") + quantity + QStringLiteral(" должно быть больше 0.");
}

StepResult failed(std::optional<QString> error) {
    return StepResult{std::nullopt, std::move(error)};
}

StepResult changed(QString text) {
    return StepResult{std::move(text), std::nullopt};
}

} // namespace

bool decimalKeyAllowed(QChar c) {
    return isAsciiDigit(c) || c == u',';
}

bool integerKeyAllowed(QChar c) {
    return isAsciiDigit(c);
}

bool isDecimalText(const QString& text) {
    return parseNumber(text).has_value();
}

std::optional<int> parseInteger(const QString& text) {
    const QString s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (i == s.size()) {
        return std::nullopt;
    }
    // Accumulate as a negative number so that INT_MIN is reachable.
    long long value = 0;
    for (; i < s.size(); ++i) {
        if (!isAsciiDigit(s[i])) {
            return std::nullopt;
        }
        value = value * 10 - (s[i].unicode() - u'0');
        if (value < static_cast<long long>(INT_MIN)) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > INT_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

bool isIntegerText(const QString& text) {
    return parseInteger(text).has_value();
}

std::optional<QString> decimalLeaveError(const QString& text) {
    if (isBlank(text) || isDecimalText(text)) {
        return std::nullopt;
    }
    return kBadDecimalMessage;
}

std::optional<QString> integerLeaveError(const QString& text) {
    if (isBlank(text) || isIntegerText(text)) {
        return std::nullopt;
    }
    return kBadIntegerMessage;
}

std::optional<QString> checkNumber(const QString& text, const QString& quantity) {
    if (isBlank(text)) {
        return emptyMessage(quantity);
    }
    if (!isDecimalText(text)) {
        return notNumberMessage(text, quantity);
    }
    return std::nullopt;
}

std::optional<QString> checkNonZero(const QString& text, const QString& quantity) {
    if (auto error = checkNumber(text, quantity)) {
        return error;
    }
    if (*parseNumber(text) == 0.0) {
        return zeroMessage(quantity);
    }
    return std::nullopt;
}

std::optional<QString> checkNonZeroWhole(const QString& text, const QString& quantity) {
    if (isBlank(text)) {
        return emptyMessage(quantity);
    }
    const std::optional<int> value = parseInteger(text);
    if (!value) {
        return notNumberMessage(text, quantity);
    }
    if (*value == 0) {
        return zeroMessage(quantity);
    }
    return std::nullopt;
}

StepResult tryStepUp(const QString& text, double step) {
    if (isBlank(text)) {
        return changed(numberToText(step));
    }
    if (auto error = checkNumber(text, kStepQuantity)) {
        return failed(error);
    }
    return changed(numberToText(*parseNumber(text) + step));
}

StepResult tryStepUpBounded(const QString& text, double step, double upper) {
    const QString s = text.trimmed();
    if (s.isEmpty() || s == u"0" || s == u"0,0" || s == u"0,00" || s == u"0,000") {
        return changed(numberToText(step));
    }
    if (auto error = checkNonZero(text, kStepQuantity)) {
        return failed(error);
    }
    const double next = *parseNumber(text) + step;
    if (!notAbove(roundHalfEven(next, 3), upper)) {
        return {};
    }
    return changed(numberToText(next));
}

StepResult tryStepDownBounded(const QString& text, double step, double lower,
                              const QString& pattern) {
    if (isBlank(text)) {
        return {};
    }
    if (auto error = checkNumber(text, kStepQuantity)) {
        return failed(error);
    }
    const double next = *parseNumber(text) - step;
    if (!atLeast(roundHalfEven(next, 3), lower)) {
        return {};
    }
    return changed(formatPattern(next, pattern));
}

StepResult tryStepDownPositive(const QString& text, double step) {
    if (isBlank(text)) {
        return changed(numberToText(step));
    }
    if (auto error = checkNumber(text, kStepQuantity)) {
        return failed(error);
    }
    const double value = *parseNumber(text);
    if (value == 0.0) {
        return changed(numberToText(step));
    }
    if (notAbove(value, step)) {
        return {};
    }
    return changed(numberToText(value - step));
}

std::optional<QString> stepUp(const QString& text, double step) {
    return tryStepUp(text, step).text;
}

std::optional<QString> stepUpBounded(const QString& text, double step, double upper) {
    return tryStepUpBounded(text, step, upper).text;
}

std::optional<QString> stepDownBounded(const QString& text, double step, double lower) {
    return tryStepDownBounded(text, step, lower).text;
}

std::optional<QString> stepDownPositive(const QString& text, double step) {
    return tryStepDownPositive(text, step).text;
}

} // namespace ses
