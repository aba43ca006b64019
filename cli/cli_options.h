#pragma once

#include <string>
#include <vector>

#include "app/design_state.h"

/// What the command line asks for.
struct CliOptions {
    bool json = false;
    bool help = false;
    bool version = false;
};

/// Reads `--NAME VALUE` pairs into `state` (unset members keep their defaults). On bad usage
/// returns false with one line naming the option and the value in `error`.
bool parseCommandLine(const std::vector<std::string>& args, DesignState& state, CliOptions& options,
                      std::string& error);

/// The usage text of --help.
std::string usageText();
