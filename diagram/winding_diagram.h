#pragma once

#include <vector>

class QPainter;
namespace quillmere {
struct Solution;
}  // namespace quillmere

/// Draws the winding cross-section of solution `selected` (an index into `solutions`) at the design form's
/// fixed client coordinates. Draws nothing when there is no such solution. `sandwichWinding` and `tapeTurns`
/// are the rules of the same names.
void paintWindingDiagram(QPainter& painter, const std::vector<quillmere::Solution>& solutions, int selected,
                         int sandwichWinding, float tapeTurns);
