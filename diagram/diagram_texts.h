#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillmere {
struct Solution;
}  // namespace quillmere

/// The wire texts of the two primary halves: a sandwich text "a/b" gives a and b, any other
/// text is both halves. A point ending the second half is dropped.
struct PrimaryWires {
    std::string first;
    std::string second;
};
PrimaryWires splitPrimaryWire(std::string_view primaryWire);

/// "Np/Ns=" with (Np_1 + Np_2) / Ns of the turns as shown; "Np/Ns=--" when Ns is 0 or the ratio
/// is not finite.
std::string turnsRatioText(double primaryTurns1, double primaryTurns2, double secondaryTurns);

/// The turns ratio of a solution, as `turnsRatioText` writes it.
std::string turnsRatioText(const quillmere::Solution& solution);

/// The insulation-tape note beside each layer separator, e.g. "2Ts Ins...Tape".
std::string tapeText(float tapeTurns);

/// Every text of the diagram of one solution, in the order they are drawn.
struct DiagramTexts {
    std::array<std::string, 4> windingLines;  ///< winding 1 (bobbin inside) to winding 4
    std::string inductance;
    std::string tape;
    std::string frequency;
    std::string duty;
    std::string reflectedVoltage;
    std::string turnsRatio;
};
DiagramTexts buildDiagramTexts(const quillmere::Solution& solution, float tapeTurns);

/// Horizontal extent of a winding band, right edge excluded: a band of fill x is about 358·x
/// pixels wide and centred on the slot (x 222 to 580).
struct BandSpan {
    int left = 0;
    int right = 0;  ///< first pixel not filled
};
BandSpan bandSpan(double fill);
