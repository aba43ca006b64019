#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// Texts of one shown solution: a rank text followed by the 21 texts of its raw record.
inline constexpr std::size_t kShownRecordSize = 22;
using ShownRecord = std::span<const std::string, kShownRecordSize>;

/// Positions inside a shown record that the diagram reads.
enum class RecordField : std::size_t {
    primaryTurns1 = 2,
    secondaryTurns = 3,
    primaryTurns2 = 4,
    feedbackTurns = 5,
    primaryWire = 6,
    secondaryWire = 7,
    feedbackWire = 8,
    inductance = 9,
    frequency = 10,
    fluxDensity = 11,
    duty = 13,
    reflectedVoltage = 17,
    fill1 = 18,
    fill2 = 19,
    fill3 = 20,
    fill4 = 21,
};

inline const std::string& field(ShownRecord record, RecordField f) {
    return record[static_cast<std::size_t>(f)];
}

/// Shown solution `selected` of `solutionRecords`, or nothing when no complete record of that
/// index is stored (negative, past the end, or a truncated last record).
std::optional<ShownRecord> shownSolution(const std::vector<std::string>& solutionRecords, int selected);

/// The wire texts of the two primary halves: a sandwich text "a/b" gives a and b, any other
/// text is both halves. A point ending the second half is dropped.
struct PrimaryWires {
    std::string first;
    std::string second;
};
PrimaryWires splitPrimaryWire(std::string_view primaryWire);

/// "Np/Ns=" with (Np_1 + Np_2) / Ns; "Np/Ns=--" when Ns reads 0 or the ratio is not finite.
std::string turnsRatioText(std::string_view primaryTurns1, std::string_view primaryTurns2,
                           std::string_view secondaryTurns);

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
DiagramTexts buildDiagramTexts(ShownRecord record, float tapeTurns);

/// Horizontal extent of a winding band, right edge excluded: a band of fill x is about 358·x
/// pixels wide and centred on the slot (x 222 to 580).
struct BandSpan {
    int left = 0;
    int right = 0;  ///< first pixel not filled
};
BandSpan bandSpan(std::string_view fillText);
