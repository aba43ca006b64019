#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

struct AnalysisResult;
struct Design;

/// {"analysedCount":N,"acceptedCount":N,"passNumber":N,"solutionRecords":[[22 texts],...]} on
/// one line, UTF-8.
std::string resultJson(const AnalysisResult& result);

/// resultJson with the design the results came from as its first member, "design": the object a
/// design file holds (designFileText), so that the export says what was analysed.
std::string resultJsonWithDesign(const AnalysisResult& result, const Design& design);

/// The solutions as CSV (RFC 4180: CRLF line ends, fields with a comma, quote, CR or LF quoted,
/// quotes doubled), UTF-8 with a byte-order mark: a heading row of kRecordHeadings, then one row
/// of 22 texts per solution.
std::string resultCsv(const AnalysisResult& result);

/// One CSV row of `texts`, quoted as `resultCsv` quotes, ending in CRLF.
std::string csvRow(const std::vector<std::string_view>& texts);

}  // namespace quillmere
