#pragma once

#include <QString>

#include <optional>

// Numbers as the user sees them: decimal comma whatever the locale, at most 15 significant
// digits, and two roundings that are not interchangeable:
//  - round(x, n) (roundHalfEven): to n decimals, a half going to the even neighbour;
//  - formatting with a pattern such as "0.##" (formatPattern): a half going away from zero.
// Both act on the decimal value of x written with 15 significant digits, so the binary noise
// of a double never decides a tie: 1,005 is stored as 1.00499999999999989..., but it is
// written "1,005" and so goes to "1,01" with "0.##".
//
// None of these functions produce or accept inf or NaN: a non-finite argument throws
// std::invalid_argument.

namespace ses {

// Reads a number typed by the user or stored in a file: optional sign, digits with at most
// one decimal separator (comma, or a point for files), surrounding white space ignored.
// No exponent, no digit grouping. Empty or malformed text, or a value beyond the range of a
// double, gives nullopt. "-0" reads as 0.
std::optional<double> parseNumber(const QString& text);

// Shortest decimal text of x with up to 15 significant digits and a decimal comma, never in
// exponent form and never "-0": 0.9 -> "0,9", 24.0 -> "24", 1.2 * 3 -> "3,6".
QString numberToText(double x);
// As above; nullopt (an empty column) gives an empty text.
QString numberToText(std::optional<double> x);

// round(x, n): x to n decimals (n may be negative: tens, hundreds), a half to the even
// neighbour. round(0.9445, 3) = 0.944, round(2.5, 0) = 2, round(0.125, 2) = 0.12.
double roundHalfEven(double x, int n);

// Writes x with a pattern "0", "0.#" .. "0.######" or "0.0", "0.00" ... (zeros after the point
// are always written, hashes only when not zero; "0.0#" mixes both), a half away from zero,
// decimal comma, no trailing comma and never "-0": (0.125, "0.##") -> "0,13",
// (2.5, "0") -> "3", (-2.5, "0") -> "-3". Throws std::invalid_argument for another pattern.
QString formatPattern(double x, const QString& pattern);

// The value of formatPattern(x, pattern) read back: the "write with a pattern and read back"
// rounding step of many computations.
double roundPattern(double x, const QString& pattern);

// The same rounding as a pattern with n optional decimals ("0.###" is n = 3): halves away from
// zero on the 15-significant-digit decimal value.
double roundHalfAway(double x, int n);

// Comparisons against catalog ratings and bounds: both sides are first rounded to 6 decimals
// (half to even), so 1500 * 1.1 (1650.0000000000002) is at least 1650.
bool atLeast(double value, double bound);
bool notAbove(double value, double bound);
bool sameValue(double a, double b);

// Ceiling of a / b with the quotient rounded to 6 decimals first, so that
// ceilQuotient(1650, 1500 * 1.1) == 1. Throws std::invalid_argument when b == 0 and
// std::out_of_range when the result does not fit in an int.
int ceilQuotient(double a, double b);

} // namespace ses
