#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_cores.h"
#include "engine/design.h"
#include "engine/result_format.h"
#include "engine/texts.h"

/// What the command line asks for besides the design.
struct CliOptions {
    quillmere::ResultFormat format = quillmere::ResultFormat::Table;
    bool help = false;
    bool version = false;
    std::filesystem::path designFile;  ///< --design: the design to start from (empty: the defaults)
    std::filesystem::path saveDesign;  ///< --save-design: write the design here instead of analysing
    std::optional<quillmere::Language> language;  ///< --lang; when not given, QUILLMERE_LANG decides
    CliCoreOptions cores;  ///< the catalogue options, applied once the catalogue is read
};

/// Reads the command line (without the program name). The design becomes the one of --design (or
/// stays as it is without it), changed by every `--NAME VALUE` option wherever it stands. On bad
/// usage or a bad design file returns false with one line in `error` naming the option and value
/// or the file and member, and leaves `design` and `options` unchanged. With --help or --version
/// no design file is read.
bool parseCommandLine(const std::vector<std::string>& args, quillmere::Design& design, CliOptions& options,
                      std::string& error);

/// The usage text of --help in `language`.
std::string usageText(quillmere::Language language);
