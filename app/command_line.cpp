#include "app/command_line.h"

using namespace quillmere;

namespace {

constexpr std::string_view kLanguageOption = "--lang";
constexpr std::string_view kSheetOption = "--winding-sheet";

bool isOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

}  // namespace

CommandLineRead readWindowCommandLine(const std::vector<std::string_view>& arguments) {
    CommandLineRead read;
    WindowCommandLine& line = read.commandLine;
    std::vector<std::string_view> designs;
    std::optional<std::string_view> unknown;
    if (!arguments.empty()) line.sheetArguments.emplace_back(arguments.front());

    for (std::size_t k = 1; k < arguments.size(); ++k) {
        const std::string_view argument = arguments[k];
        if (argument == kLanguageOption || argument.starts_with("--lang=")) {
            std::string_view value;
            if (argument != kLanguageOption) {
                value = argument.substr(kLanguageOption.size() + 1);
            } else if (k + 1 < arguments.size()) {
                value = arguments[++k];
            } else {
                read.fault = CommandLineFault::MissingValue;
                read.subject = argument;
                return read;
            }
            line.language = languageNamed(value);
            if (!line.language) {
                read.fault = CommandLineFault::BadLanguage;
                read.subject = value;
                return read;
            }
            continue;
        }
        line.sheetArguments.emplace_back(argument);
        if (argument == kSheetOption) {
            line.windingSheet = true;
        } else if (isOption(argument)) {
            if (!unknown) unknown = argument;
            // The sheet's options take a value; it is not a design file to open.
            if (k + 1 < arguments.size() && !isOption(arguments[k + 1]))
                line.sheetArguments.emplace_back(arguments[++k]);
        } else {
            designs.push_back(argument);
        }
    }
    // The winding sheet reads and judges its own options.
    if (line.windingSheet) return read;
    if (unknown) {
        read.fault = CommandLineFault::UnknownOption;
        read.subject = *unknown;
    } else if (designs.size() > 1) {
        read.fault = CommandLineFault::SeveralDesigns;
        for (const std::string_view design : designs) {
            if (!read.subject.empty()) read.subject.push_back(' ');
            read.subject.append(design);
        }
    } else if (designs.size() == 1) {
        line.designFile = designs.front();
    }
    return read;
}
