#pragma once

#include <string>
#include <vector>

#include "engine/design.h"

/// What the command line asks for.
struct CliOptions {
    bool json = false;
    bool help = false;
    bool version = false;
};

/// Reads `--NAME VALUE` pairs into `design` (unset members keep their defaults). On bad usage
/// returns false with one line naming the option and the value in `error`.
bool parseCommandLine(const std::vector<std::string>& args, Design& state, CliOptions& options,
                      std::string& error);

/// The usage text of --help.
std::string usageText();
