#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere {

/// A finite value rounded to 7 significant decimal digits, half away from zero, exactly on
/// its binary value: |value| ≈ digits · 10^(exponent − 6), 10^6 ≤ digits < 10^7 (digits 0 for 0).
struct Decimal7 {
    bool negative = false;
    std::int64_t digits = 0;
    int exponent = -1;  ///< power of ten of the leading digit after rounding; 0 counts as -1
};

Decimal7 roundTo7Digits(double value);

/// The record number text: 7 significant digits, fixed notation for exponents -1 to 6,
/// "d.dddddde±xxx" otherwise, trailing fractional zeros dropped, a final point removed
/// (12 → "12", 0.05 → "5.e-002").
std::string numberText(double value);

/// The same text keeping a final point (rank texts: "1.", "10.").
std::string numberTextWithPoint(double value);

/// Length of the decimal number at the start of `text`: an optional sign, digits with an optional
/// point, and an exponent only when it has digits; 0 when the text starts with none.
std::size_t leadingNumberLength(std::string_view text);

/// The value of a whole decimal number as `leadingNumberLength` accepts it; magnitudes beyond a
/// double read as ±infinity, ones too small for it as ±0.
double decimalValue(std::string_view number);

/// Reads the longest leading decimal number of a stored text (blanks, sign, digits with an
/// optional point, optional exponent); a text without one reads as 0.
double parseNumberPrefix(std::string_view text);

/// What a value becomes after a trip through its text and back: what a figure computed from a
/// solution's numbers uses, so that it agrees with the texts shown beside it.
double shownValue(double value);

/// What a score becomes after a trip through its text and back into single precision.
float storedScore(double value);

}  // namespace quillmere
