#include "engine/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace quillmere {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr std::int64_t kLow = 1'000'000;    // 10^6
constexpr std::int64_t kHigh = 10'000'000;  // 10^7

u128 pow10u(int n) {
    u128 r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}

// round-half-away(m · 2^k / 10^(e-6)) with exact 128-bit integers; false when out of range.
bool scaledDigits(std::uint64_t m, int k, int e, u128& out) {
    const int s = 6 - e;  // multiply by 10^s
    u128 num;
    u128 den;
    if (s >= 0) {
        if (s > 22) return false;
        num = static_cast<u128>(m) * pow10u(s);  // m < 2^53, 10^22 < 2^74
        den = 1;
    } else {
        if (-s > 30) return false;
        num = m;
        den = pow10u(-s);
    }
    if (k >= 0) {
        if (k > 40) return false;
        const u128 scaled = num << k;
        if ((scaled >> k) != num) return false;
        num = scaled;
    } else {
        if (-k > 120) return false;
        if (den != 1) {
            // den · 2^-k must fit as well.
            const u128 shifted = den << (-k);
            if ((shifted >> (-k)) != den) return false;
            den = shifted;
        } else {
            den = static_cast<u128>(1) << (-k);
        }
    }
    const u128 q = num / den;
    const u128 rem = num - q * den;
    u128 r = q;
    if (rem * 2 >= den) ++r;
    out = r;
    return true;
}

// Exact but slow: every digit of the binary value, for magnitudes the 128-bit path cannot take.
Decimal7 roundByExactExpansion(double a) {
    std::array<char, 1200> buf{};
    std::snprintf(buf.data(), buf.size(), "%.1100e", a);
    const std::string_view text(buf.data());
    const auto ePos = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(), exponent);
    std::int64_t digits = text[0] - '0';
    for (int i = 2; i < 8; ++i) digits = digits * 10 + (text[static_cast<std::size_t>(i)] - '0');
    // Half away from zero: the 8th digit decides; the printed expansion is exact.
    if (text[8] >= '5') ++digits;
    if (digits == kHigh) {
        digits = kLow;
        ++exponent;
    }
    return {false, digits, exponent};
}

}  // namespace

Decimal7 roundTo7Digits(double value) {
    Decimal7 d;
    d.negative = std::signbit(value) && value != 0.0;
    const double a = std::fabs(value);
    if (a == 0.0) return d;

    int bin = 0;
    const double frac = std::frexp(a, &bin);  // a = frac · 2^bin, frac in [0.5, 1)
    const auto m = static_cast<std::uint64_t>(std::ldexp(frac, 53));
    const int k = bin - 53;

    int e = static_cast<int>(std::floor(std::log10(a)));
    for (int attempt = 0; attempt < 3; ++attempt) {
        u128 scaled = 0;
        if (!scaledDigits(m, k, e, scaled)) break;
        if (scaled < static_cast<u128>(kLow)) {
            --e;
            continue;
        }
        if (scaled > static_cast<u128>(kHigh)) {
            ++e;
            continue;
        }
        auto digits = static_cast<std::int64_t>(scaled);
        if (digits == kHigh) {  // rounding carried into a new leading digit
            digits = kLow;
            ++e;
        }
        d.digits = digits;
        d.exponent = e;
        return d;
    }
    // Magnitudes beyond the 128-bit arithmetic take the slow exact way.
    Decimal7 exact = roundByExactExpansion(a);
    exact.negative = d.negative;
    return exact;
}

std::string numberTextWithPoint(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    const Decimal7 d = roundTo7Digits(value);
    const std::string digits = d.digits == 0 ? std::string(7, '0') : std::to_string(d.digits);
    std::string text = d.negative ? "-" : "";
    if (d.exponent >= -1 && d.exponent <= 6) {
        if (d.exponent == -1) {
            text += "0.";
            text += digits;
        } else {
            const auto intDigits = static_cast<std::size_t>(d.exponent + 1);
            text += digits.substr(0, intDigits);
            text += '.';
            text += digits.substr(intDigits);
        }
        while (text.back() == '0') text.pop_back();
        return text;
    }
    std::string mantissa = digits.substr(0, 1) + "." + digits.substr(1);
    while (mantissa.back() == '0') mantissa.pop_back();
    char exp[16];
    std::snprintf(exp, sizeof exp, "e%c%03d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return text + mantissa + exp;
}

std::string numberText(double value) {
    std::string text = numberTextWithPoint(value);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

std::size_t leadingNumberLength(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    const std::size_t mantissaEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits > 0) return i;
    }
    return mantissaEnd;
}

double decimalValue(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    // from_chars is locale-free (the windows run under the user's locale) and takes no sign here.
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const auto ePos = number.find_first_of("eE");
        const bool tiny = ePos != std::string_view::npos && number.find('-', ePos) != std::string_view::npos;
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

double parseNumberPrefix(std::string_view text) {
    const auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    const std::size_t length = leadingNumberLength(text);
    return length == 0 ? 0.0 : decimalValue(text.substr(0, length));
}

double shownValue(double value) {
    if (!std::isfinite(value)) return parseNumberPrefix(numberText(value));
    const Decimal7 d = roundTo7Digits(value);
    static constexpr std::array<double, 23> kPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int shift = d.exponent - 6;
    double v;
    // Both operands are exact doubles, so one correctly rounded operation gives what reading
    // the text back gives.
    if (shift >= 0 && shift <= 22) {
        v = static_cast<double>(d.digits) * kPowers[static_cast<std::size_t>(shift)];
    } else if (shift < 0 && shift >= -22) {
        v = static_cast<double>(d.digits) / kPowers[static_cast<std::size_t>(-shift)];
    } else {
        return parseNumberPrefix(numberText(value));
    }
    return d.negative ? -v : v;
}

float storedScore(double value) {
    return static_cast<float>(shownValue(value));
}

}  // namespace quillmere
