#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/solution_losses.h"

namespace quillmere {

struct Solution;

/// The loss figures a result table shows after the record's columns, when a solution has them.
enum class FigureColumn { coreLoss, copperLoss, temperatureRise, bpk, bpkOfBsat, gap, inductanceFactor };

inline constexpr std::size_t kFigureColumns = 7;

/// Their headings with units; the same in both languages and in files.
inline constexpr std::array<std::string_view, kFigureColumns> kFigureHeadings = {
    "Pcore(W)", "Pcu(W)", "ΔT(K)", "Bpk(mT)", "Bpk/Bsat(%)", "gap(mm)", "AL(nH/N²)"};

/// The figure of a column as a number, in the unit of its heading; nothing when the solution
/// has no figures (a custom core) or no gap gives its inductance (gap and AL).
std::optional<double> solutionFigure(const Solution& solution, FigureColumn column);

/// The text of a figure column: 4 significant digits, "—" where solutionFigure has nothing. The
/// only place a solution's figures become texts (beside solutionText for its record).
std::string solutionFigureText(const Solution& solution, FigureColumn column);

/// The text of a figure in the columns' format (4 significant digits).
std::string figureText(double value);

}  // namespace quillmere
