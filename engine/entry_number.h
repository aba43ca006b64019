#pragma once

#include <optional>
#include <string_view>

namespace quillmere {

/// Reads what an engineer typed into a numeric entry: one decimal number (sign, digits with an
/// optional point, optional exponent) with only blanks or tabs around it. A value of zero is
/// taken only when the text starts with the digit 0, so "", ".0", "-0" and "-1e-46" (a zero as a
/// float) are refused; so is a value beyond the range of a float.
std::optional<float> parseEntryFloat(std::string_view text);

/// The same for an integer entry: an optional sign and decimal digits, within 32 bits.
std::optional<int> parseEntryInt(std::string_view text);

/// The texts "请键入一个数。" and "请键入一个整数。" shown when an entry is refused.
inline constexpr std::string_view kEnterNumberMessage = "请键入一个数。";
inline constexpr std::string_view kEnterIntegerMessage = "请键入一个整数。";

}  // namespace quillmere
