#include "sheet/sheet_number.h"

#include <cmath>
#include <cstdio>

std::string sheetNumber(double value, int digits) {
    if (!std::isfinite(value)) return "—";
    if (value == 0) return "0";
    // Round to the digits first: 9.9996 becomes 10 and then prints without a fifth figure.
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const double step = std::pow(10.0, magnitude - digits + 1);
    const double rounded = std::round(value / step) * step;
    if (rounded == 0) return "0";
    const int roundedMagnitude = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    const int decimals = roundedMagnitude >= digits - 1 ? 0 : digits - 1 - roundedMagnitude;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
    std::string out(text);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out == "-0" ? "0" : out;
}
