#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/result_export.h"

namespace quillmere {

/// The forms a result is written in.
enum class ResultFormat { Csv, Json, Table };

/// One result format: how the command line names it, the suffix of its files and its writer.
struct ResultFormatInfo {
    ResultFormat format;
    std::string_view name;    ///< --format NAME
    std::string_view suffix;  ///< file name extension, without the point
    /// The whole text written for a result; nothing for the table, whose headings and lines
    /// under it are the command line's own (cli/report.h).
    std::string (*write)(const AnalysisResult&);
    bool forFiles;  ///< offered when the window exports results, in this order
};

/// `resultJson` and a line end.
std::string resultJsonLine(const AnalysisResult& result);

/// Every format; those offered for files come first, the first of them is the default.
inline constexpr std::array<ResultFormatInfo, 3> kResultFormats{{
    {ResultFormat::Csv, "csv", "csv", &resultCsv, true},
    {ResultFormat::Json, "json", "json", &resultJsonLine, true},
    {ResultFormat::Table, "table", "txt", nullptr, false},
}};

const ResultFormatInfo& resultFormatInfo(ResultFormat format);

/// The format --format NAME names.
std::optional<ResultFormat> resultFormatNamed(std::string_view name);

/// The format of a results file: that of a non-default file format whose suffix the name has
/// (letter case aside), else that of file type `chosenType` (an index among the file formats).
ResultFormat resultFileFormat(int chosenType, std::string_view suffix);

}  // namespace quillmere
