#pragma once

#include <string>
#include <vector>

class QPainter;

/// Draws the winding cross-section of shown solution `selected` (an index into the 22-text
/// records of `solutionRecords`) at the design form's fixed client coordinates. Draws nothing
/// when there is no such solution. `sandwichWinding` and `tapeTurns` are the rules of the
/// same names.
void paintWindingDiagram(QPainter& painter, const std::vector<std::string>& solutionRecords, int selected,
                         int sandwichWinding, float tapeTurns);
