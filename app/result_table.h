#pragma once

#include <string>
#include <vector>

class QTableWidget;

/// Texts per shown solution in the solution list, and how many of them the table shows.
inline constexpr int kSolutionTexts = 22;
inline constexpr int kResultColumns = 18;

/// Gives the result table its columns and its look: grid lines, whole rows selected, several
/// rows at a time, no sorting, no editing.
void prepareResultTable(QTableWidget& table);

/// The column headings in the language shown.
void setResultHeadings(QTableWidget& table);

/// One row per solution, rank order, the first 18 texts of each.
void fillResultTable(QTableWidget& table, const std::vector<std::string>& solutionRecords);
