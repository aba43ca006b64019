#pragma once

#include <string>

/// A figure as the sheet prints it: rounded to `digits` significant figures (4 by default), plain
/// decimals without an exponent, trailing zeros after the point dropped (0.25, 131, 1706, 0.0123).
/// "—" for a value that is not finite.
std::string sheetNumber(double value, int digits = 4);
