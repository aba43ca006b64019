#include "engine/entry_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "engine/number_text.h"

namespace quillmere {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number between the blanks, or empty when anything else surrounds it.
std::string_view trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) ++begin;
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::optional<float> parseEntryFloat(std::string_view text) {
    const std::string_view number = trimBlanks(text);
    if (number.empty() || leadingNumberLength(number) != number.size()) return std::nullopt;
    const double value = decimalValue(number);
    const auto single = static_cast<float>(value);
    // What is stored decides: a value too small for a float (-1e-46) is a zero like "-0".
    if (single == 0 && number.front() != '0') return std::nullopt;
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::optional<int> parseEntryInt(std::string_view text) {
    const std::string_view number = trimBlanks(text);
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    if (i == number.size()) return std::nullopt;
    for (std::size_t k = i; k < number.size(); ++k)
        if (!isDigit(number[k])) return std::nullopt;
    long long value = 0;
    const std::string_view digits = number.substr(i);
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc()) return std::nullopt;
    if (number.front() == '-') value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    if (value == 0 && number.front() != '0') return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace quillmere
