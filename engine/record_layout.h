#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quillmere {

/// A shown solution is 22 texts: its rank text followed by the 21 texts of its candidate.
inline constexpr std::size_t kRawRecordSize = 21;
inline constexpr std::size_t kShownRecordSize = kRawRecordSize + 1;

/// The texts of a shown solution, in record order (`solutionText` makes them).
enum class RecordField : std::size_t {
    rank = 0,  ///< "1.", "2.", ...
    score = 1,
    primaryTurns1 = 2,   ///< Np, or Np_1 in a sandwich
    secondaryTurns = 3,  ///< Ns
    primaryTurns2 = 4,   ///< Np_2, "No" for a plain winding
    feedbackTurns = 5,   ///< Nf
    primaryWire = 6,     ///< "d*n", sandwich "d*n/d*n"
    secondaryWire = 7,
    feedbackWire = 8,
    inductance = 9,         ///< Lp, µH
    frequency = 10,         ///< kHz
    fluxDensity = 11,       ///< ΔB, gauss
    currentDensity = 12,    ///< Cmil/A ("Skipped")
    duty = 13,              ///< Dmax, %
    ipkPrimary = 14,        ///< A
    ipkSecondary = 15,      ///< A
    inputCapacitance = 16,  ///< Cin, µF
    reflectedVoltage = 17,  ///< Vor, V
    fill1 = 18,             ///< last-layer fill of windings 1..4
    fill2 = 19,
    fill3 = 20,
    fill4 = 21,
};

/// The headings of the 18 columns the result table and the command line show; the four fill
/// texts after them are not shown.
inline constexpr std::size_t kShownColumns = 18;
inline constexpr std::array<std::string_view, kShownColumns> kColumnHeadings = {
    "No.",    "分值",   "Np_1",   "Ns",     "Np_2", "Nf",   "φNp",  "φNs",     "φNf",
    "Lp(uH)", "f(KHz)", "△B(GS)", "Cmil/A", "Dmax", "Ipkp", "Ipks", "Cin(uF)", "Vor"};

/// A column heading as an English reader writes its unit: kHz, µH, µF and G (gauss) where the
/// heading has KHz, uH, uF and GS; any other heading as it is. Files keep kColumnHeadings.
constexpr std::string_view englishUnits(std::string_view heading) {
    if (heading == "Lp(uH)") return "Lp(µH)";
    if (heading == "f(KHz)") return "f(kHz)";
    if (heading == "△B(GS)") return "△B(G)";
    if (heading == "Cin(uF)") return "Cin(µF)";
    return heading;
}

/// Headings of the four fill texts, which only exports show.
inline constexpr std::array<std::string_view, kShownRecordSize - kShownColumns> kFillHeadings = {
    "Fill1", "Fill2", "Fill3", "Fill4"};

/// Headings of all 22 texts of a shown solution, in record order.
inline constexpr std::array<std::string_view, kShownRecordSize> kRecordHeadings = [] {
    std::array<std::string_view, kShownRecordSize> all{};
    for (std::size_t i = 0; i < kShownColumns; ++i) all[i] = kColumnHeadings[i];
    for (std::size_t i = 0; i < kFillHeadings.size(); ++i) all[kShownColumns + i] = kFillHeadings[i];
    return all;
}();

}  // namespace quillmere
