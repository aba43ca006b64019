#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/texts.h"

/// What `quillmere`'s command line asks for:
///   quillmere [--lang LANG] [DESIGN.qmd]
///   quillmere [--lang LANG] --winding-sheet OUT.pdf [--design FILE.qmd] [--solution N]
struct WindowCommandLine {
    std::optional<quillmere::Language> language;  ///< --lang; nothing: QUILLMERE_LANG decides
    std::string designFile;                       ///< the design to open in the form; empty: none
    bool windingSheet = false;                    ///< --winding-sheet: no form, a PDF
    std::vector<std::string> sheetArguments;      ///< with the program name, without --lang: for the sheet
};

/// Why a command line is refused.
enum class CommandLineFault {
    None,
    BadLanguage,    ///< --lang names no language; `subject` is the value
    UnknownOption,  ///< `subject` is the option
    MissingValue,   ///< `subject` is the option
    SeveralDesigns  ///< `subject` lists the files, separated by spaces
};

struct CommandLineRead {
    WindowCommandLine commandLine;
    CommandLineFault fault = CommandLineFault::None;
    std::string subject;

    explicit operator bool() const { return fault == CommandLineFault::None; }
};

/// Reads `quillmere`'s arguments (the first is the program name). The options of the winding
/// sheet are read by the sheet command itself; --lang goes with either. Nothing is opened here.
CommandLineRead readWindowCommandLine(const std::vector<std::string_view>& arguments);
