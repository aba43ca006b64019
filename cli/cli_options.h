#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/design.h"
#include "engine/texts.h"

/// What the command line asks for.
struct CliOptions {
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<Language> language;  ///< --lang; when not given, QUILLMERE_LANG decides
};

/// Reads `--NAME VALUE` pairs into `design` (unset members keep their defaults). On bad usage
/// returns false with one line naming the option and the value in `error`.
bool parseCommandLine(const std::vector<std::string>& args, Design& state, CliOptions& options,
                      std::string& error);

/// The usage text of --help.
std::string usageText();
