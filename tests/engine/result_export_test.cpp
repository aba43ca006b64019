#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "engine/analysis_result.h"
#include "engine/result_export.h"
#include "engine/result_format.h"

using namespace quillmere;

namespace {

// A plain solution and a sandwich one with a fill in exponent notation.
AnalysisResult twoSolutions() {
    AnalysisResult result;
    result.analysedCount = 1984500;
    result.acceptedCount = 2;
    result.passNumber = 3;
    CandidateRecord plain;
    plain.score = 19.68691f;
    plain.primaryTurns = 131;
    plain.primaryWire = 0.23f;
    plain.fills = {0.0423f, 1, 0, 0.5f};
    CandidateRecord sandwich = plain;
    sandwich.sandwich = true;
    sandwich.secondHalfTurns = 60;
    sandwich.secondHalfWire = 0.2f;
    result.solutions = {{1, plain, std::nullopt, std::nullopt}, {2, sandwich, std::nullopt, std::nullopt}};
    return result;
}

TEST(ResultExport, JsonKeepsTheCommandLineLayout) {
    std::string expected = R"({"analysedCount":1984500,"acceptedCount":2,"passNumber":3,"solutionRecords":[)";
    for (const Solution& solution : twoSolutions().solutions) {
        expected += '[';
        for (const std::string& text : solutionTexts(solution))
            expected.append("\"").append(text).append("\",");
        expected.back() = ']';
        expected += ',';
    }
    expected.back() = ']';
    expected += '}';
    EXPECT_EQ(resultJson(twoSolutions()), expected);
    EXPECT_NE(expected.find(R"(["2.","19.68691","131","0","60","0","0.23*1/0.2*1",)"), std::string::npos);
    EXPECT_EQ(resultJson(AnalysisResult{}),
              R"({"analysedCount":0,"acceptedCount":0,"passNumber":0,"solutionRecords":[]})");
}

TEST(ResultFormat, NamesAndFileChoices) {
    EXPECT_EQ(resultFormatNamed("csv"), ResultFormat::Csv);
    EXPECT_EQ(resultFormatNamed("json"), ResultFormat::Json);
    EXPECT_EQ(resultFormatNamed("table"), ResultFormat::Table);
    EXPECT_EQ(resultFormatNamed("JSON"), std::nullopt);
    EXPECT_EQ(resultFormatNamed("xml"), std::nullopt);
    // {chosen type, suffix, written as}: a .json name is JSON whatever type was chosen.
    const struct {
        int type;
        const char* suffix;
        ResultFormat format;
    } files[] = {
        {0, "csv", ResultFormat::Csv},  {1, "json", ResultFormat::Json}, {0, "JSON", ResultFormat::Json},
        {1, "csv", ResultFormat::Json}, {0, "txt", ResultFormat::Csv},   {1, "", ResultFormat::Json},
        {2, "txt", ResultFormat::Csv},  {-1, "", ResultFormat::Csv},     {0, "jso", ResultFormat::Csv}};
    for (const auto& f : files) EXPECT_EQ(resultFileFormat(f.type, f.suffix), f.format) << f.type << f.suffix;
    const AnalysisResult result = twoSolutions();
    EXPECT_EQ(resultFormatInfo(ResultFormat::Json).write(result), resultJson(result) + "\n");
    EXPECT_EQ(resultFormatInfo(ResultFormat::Csv).write(result), resultCsv(result));
}

TEST(ResultExport, CsvQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csvRow({"a,b", "say \"No\"", "two\r\nlines", "back\\slash", "φ0.2*1/0.23*1", ""}),
              "\"a,b\",\"say \"\"No\"\"\",\"two\r\nlines\",back\\slash,φ0.2*1/0.23*1,\r\n");
}

TEST(ResultExport, CsvReadsBackWithPythonsCsvModule) {
    const AnalysisResult result = twoSolutions();
    nlohmann::json rows = nlohmann::json::array();
    rows.push_back(nlohmann::json::array());
    for (std::string_view heading : kRecordHeadings) rows.back().push_back(heading);
    for (const Solution& solution : result.solutions) rows.push_back(solutionTexts(solution));

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
