#pragma once

#include <string>

struct AnalysisResult;

/// The 18 result-table columns, their headings and the counts, for a person to read.
std::string resultTable(const AnalysisResult& result);
