#include "lib/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

namespace ses {

namespace {

// Significant digits the user ever sees of a double; the 16th and 17th digits are binary
// noise (0.1 + 0.2 = 0.30000000000000004).
constexpr int kSignificantDigits = 15;

// A finite value as a decimal: (negative ? -1 : 1) * 0.d1 d2 ... dn * 10^pointPos.
// `digits` has no leading or trailing zeros; an empty `digits` is zero (never negative).
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0; // number of digits before the decimal point (may be <= 0 or > n)
};

void requireFinite(double x, const char* where) {
    if (!std::isfinite(x)) {
        throw std::invalid_argument(std::string(where) + ": the value is not a finite number");
    }
}

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.negative = false;
        d.pointPos = 0;
    }
}

// x written with 15 significant digits (correctly rounded by std::to_chars, which is exact
// and locale-independent).
Decimal toDecimal(double x, const char* where) {
    requireFinite(x, where);
    Decimal d;
    if (x == 0.0) {
        return d;
    }
    d.negative = x < 0.0;
    // "d.dddddddddddddde+XX": one digit, the point, 14 digits, the exponent.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x),
                                   std::chars_format::scientific, kSignificantDigits - 1);
    const std::string text(buf, res.ptr);
    const auto ePos = text.find('e');
    d.digits.reserve(kSignificantDigits);
    for (std::size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.') {
            d.digits.push_back(text[i]);
        }
    }
    d.pointPos = std::stoi(text.substr(ePos + 1)) + 1;
    stripTrailingZeros(d);
    return d;
}

// d rounded to `decimals` places on its digits, so the tie is decided by the decimal text.
Decimal roundDecimal(Decimal d, int decimals, bool halfEven) {
    // A double has at most ~330 places either side of the point; beyond that nothing changes.
    decimals = std::clamp(decimals, -400, 400);
    const int n = static_cast<int>(d.digits.size());
    const int keep = d.pointPos + decimals;
    if (keep >= n) {
        return d;
    }
    if (keep < 0) {
        // |d| < 10^-(decimals + 1): less than half a unit of the last place.
        return Decimal{};
    }
    const char first = d.digits[keep];
    const bool restNonZero = keep + 1 < n; // the last digit is never '0'
    bool up = false;
    if (halfEven) {
        const bool lastKeptOdd = keep > 0 && (d.digits[keep - 1] - '0') % 2 == 1;
        up = first > '5' || (first == '5' && (restNonZero || lastKeptOdd));
    } else {
        up = first >= '5';
    }
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        } else {
            ++d.digits[i];
        }
    }
    stripTrailingZeros(d);
    return d;
}

double toDouble(const Decimal& d) {
    if (d.digits.empty()) {
        return 0.0;
    }
    // digits * 10^(pointPos - n), converted exactly-rounded by std::from_chars.
    const std::string text =
        d.digits + "e" + std::to_string(d.pointPos - static_cast<int>(d.digits.size()));
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc()) {
        throw std::out_of_range("decimal value out of the range of a double: " + text);
    }
    return d.negative ? -value : value;
}

// Positional text with a decimal comma and at least `minDecimals` places.
QString toText(const Decimal& d, int minDecimals) {
    const int n = static_cast<int>(d.digits.size());
    std::string intPart;
    std::string fracPart;
    if (d.pointPos <= 0) {
        intPart = "0";
        if (n > 0) {
            fracPart = std::string(-d.pointPos, '0') + d.digits;
        }
    } else if (d.pointPos >= n) {
        intPart = d.digits + std::string(d.pointPos - n, '0');
    } else {
        intPart = d.digits.substr(0, d.pointPos);
        fracPart = d.digits.substr(d.pointPos);
    }
    if (static_cast<int>(fracPart.size()) < minDecimals) {
        fracPart.append(minDecimals - fracPart.size(), '0');
    }
    std::string text = d.negative ? "-" + intPart : intPart;
    if (!fracPart.empty()) {
        text += ',';
        text += fracPart;
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

struct Pattern {
    int minDecimals = 0;
    int maxDecimals = 0;
};

// "0", or "0." followed by zeros (always written) and then hashes (written when not zero).
Pattern parsePattern(const QString& pattern) {
    const auto bad = [&pattern]() {
        return std::invalid_argument("unsupported number pattern: " + pattern.toStdString());
    };
    if (pattern.isEmpty() || pattern[0] != u'0') {
        throw bad();
    }
    if (pattern.size() == 1) {
        return {};
    }
    if (pattern[1] != u'.' || pattern.size() == 2) {
        throw bad();
    }
    Pattern p;
    qsizetype i = 2;
    while (i < pattern.size() && pattern[i] == u'0') {
        ++p.minDecimals;
        ++i;
    }
    p.maxDecimals = p.minDecimals;
    while (i < pattern.size() && pattern[i] == u'#') {
        ++p.maxDecimals;
        ++i;
    }
    if (i != pattern.size()) {
        throw bad();
    }
    return p;
}

double round6(double x) {
    return roundHalfEven(x, 6);
}

} // namespace

std::optional<double> parseNumber(const QString& text) {
    const QString s = text.trimmed();
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(s.size()) + 1);
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        if (s[i] == u'-') {
            ascii.push_back('-');
        }
        ++i;
    }
    bool seenDigit = false;
    bool seenSeparator = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            ascii.push_back(static_cast<char>(c.unicode()));
            seenDigit = true;
        } else if ((c == u',' || c == u'.') && !seenSeparator) {
            // from_chars wants a digit before the point: ",5" reads as "0.5".
            if (!seenDigit) {
                ascii.push_back('0');
            }
            ascii.push_back('.');
            seenSeparator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto res =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value + 0.0; // turns -0 into 0
}

QString numberToText(double x) {
    return toText(toDecimal(x, "numberToText"), 0);
}

QString numberToText(std::optional<double> x) {
    return x ? numberToText(*x) : QString();
}

// Most values lie nowhere near a tie: rounding the scaled binary value then gives the same result
// as rounding the 15-digit decimal form, at a fraction of the cost (the monthly schedule rows
// round tens of thousands of values). Ties, near-ties and large values take the exact decimal way.
static std::optional<double> roundAwayFromTies(double x, int n) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (!std::isfinite(x) || n < 0 || n > 9) {
        return std::nullopt;
    }
    const double y = x * kPow10[n];
    // Below 1e8 the product carries an error far under the 1e-6 margin kept around a tie.
    if (std::fabs(y) >= 1e8) {
        return std::nullopt;
    }
    const double f = std::floor(y);
    const double r = y - f;
    if (std::fabs(r - 0.5) < 1e-6) {
        return std::nullopt;
    }
    const double result = (r < 0.5 ? f : f + 1) / kPow10[n];
    return result == 0 ? 0.0 : result;
}

double roundHalfEven(double x, int n) {
    if (const auto fast = roundAwayFromTies(x, n)) {
        return *fast;
    }
    return toDouble(roundDecimal(toDecimal(x, "roundHalfEven"), n, true));
}

QString formatPattern(double x, const QString& pattern) {
    const Pattern p = parsePattern(pattern);
    return toText(roundDecimal(toDecimal(x, "formatPattern"), p.maxDecimals, false), p.minDecimals);
}

double roundPattern(double x, const QString& pattern) {
    const Pattern p = parsePattern(pattern);
    if (const auto fast = roundAwayFromTies(x, p.maxDecimals)) {
        return *fast;
    }
    return toDouble(roundDecimal(toDecimal(x, "roundPattern"), p.maxDecimals, false));
}

double roundHalfAway(double x, int n) {
    if (const auto fast = roundAwayFromTies(x, n)) {
        return *fast;
    }
    return toDouble(roundDecimal(toDecimal(x, "roundHalfAway"), n, false));
}

namespace {

// Rounding is monotone, so a value not below the bound stays not below it after rounding, and
// one clearly below it stays below; only values within a few millionths need the rounding.
// Beyond 1e9 a millionth is too close to the doubles' own spacing to decide without it.
bool clearlyBelow(double value, double bound) {
    return std::fabs(bound) < 1e9 && std::fabs(value) < 1e9 && value < bound - 1e-5;
}

} // namespace

bool atLeast(double value, double bound) {
    if (value >= bound)
        return true;
    if (clearlyBelow(value, bound))
        return false;
    return round6(value) >= round6(bound);
}

bool notAbove(double value, double bound) {
    return atLeast(bound, value);
}

bool sameValue(double a, double b) {
    return round6(a) == round6(b);
}

int ceilQuotient(double a, double b) {
    requireFinite(a, "ceilQuotient");
    requireFinite(b, "ceilQuotient");
    if (b == 0.0) {
        throw std::invalid_argument("ceilQuotient: division by zero");
    }
    const double quotient = a / b;
    if (!std::isfinite(quotient)) {
        throw std::out_of_range("ceilQuotient: the quotient is beyond the range of a double");
    }
    const double q = std::ceil(round6(quotient));
    if (q < static_cast<double>(INT_MIN) || q > static_cast<double>(INT_MAX)) {
        throw std::out_of_range("ceilQuotient: the result does not fit in an int");
    }
    return static_cast<int>(q);
}

} // namespace ses
