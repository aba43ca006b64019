#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "engine/analysis_result.h"
#include "engine/result_export.h"

namespace {

// One solution whose texts need every kind of quoting, and one plain.
AnalysisResult awkwardResult() {
    AnalysisResult result;
    result.analysedCount = 1984500;
    result.acceptedCount = 2;
    result.passNumber = 3;
    for (int k = 0; k < 2; ++k)
        for (std::size_t i = 0; i < kShownRecordSize; ++i)
            result.solutionRecords.push_back(std::to_string(i));
    result.solutionRecords[1] = "a,b";
    result.solutionRecords[2] = "say \"No\"";
    result.solutionRecords[3] = "two\r\nlines";
    result.solutionRecords[4] = "back\\slash";
    result.solutionRecords[5] = "φ0.2*1/0.23*1";
    result.solutionRecords[6] = "";
    return result;
}

TEST(ResultExport, JsonKeepsTheCommandLineLayout) {
    AnalysisResult result = awkwardResult();
    result.solutionRecords.resize(kShownRecordSize + 2);
    std::string expected =
        R"({"analysedCount":1984500,"acceptedCount":2,"passNumber":3,"solutionRecords":[["0",)"
        R"("a,b","say \"No\"","two\r\nlines","back\\slash","φ0.2*1/0.23*1","",)";
    for (std::size_t i = 7; i < kShownRecordSize; ++i)
        expected.append("\"").append(std::to_string(i)).append("\",");
    expected.back() = ']';
    expected += R"(,["0","1"]]})";
    EXPECT_EQ(resultJson(result), expected);
    EXPECT_EQ(resultJson(AnalysisResult{}),
              R"({"analysedCount":0,"acceptedCount":0,"passNumber":0,"solutionRecords":[]})");
}

TEST(ResultExport, CsvReadsBackWithPythonsCsvModule) {
    const AnalysisResult result = awkwardResult();
    nlohmann::json rows = nlohmann::json::array();
    rows.push_back(nlohmann::json::array());
    for (std::string_view heading : kRecordHeadings) rows.back().push_back(heading);
    for (std::size_t r = 0; r < 2; ++r)
        rows.push_back(std::vector<std::string>(result.solutionRecords.begin() + r * kShownRecordSize,
                                                result.solutionRecords.begin() + (r + 1) * kShownRecordSize));

    const auto stem = std::filesystem::temp_directory_path() / "quillmere-export-";
    const auto csv = std::filesystem::path(stem).concat(std::to_string(::getpid()) + ".csv");
    const auto json = std::filesystem::path(stem).concat(std::to_string(::getpid()) + ".json");
    std::ofstream(csv, std::ios::binary) << resultCsv(result);
    std::ofstream(json, std::ios::binary) << rows.dump();
    const std::string command = std::string(PYTHON3) + " " + QUILLMERE_SOURCE_DIR + "/tests/csv_check.py " +
                                csv.string() + " " + json.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::filesystem::remove(csv);
    std::filesystem::remove(json);
    EXPECT_EQ(resultCsv(AnalysisResult{}).find("\r\n"), resultCsv(AnalysisResult{}).size() - 2);
}

}  // namespace
