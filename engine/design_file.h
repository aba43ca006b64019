#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/design.h"
#include "engine/texts.h"

namespace quillmere {

/// A design file holds one Design as UTF-8 JSON; docs/design-file.md describes the format.
inline constexpr std::string_view kDesignFileFormat = "quillmere-design";
/// Version 2 adds the catalogue core and core set; version 1 files still open (as custom designs).
inline constexpr int kDesignFileVersion = 2;
inline constexpr std::string_view kDesignFileExtension = ".qmd";
/// Larger files are refused before they are read.
inline constexpr std::uintmax_t kDesignFileMaxBytes = 1024 * 1024;

/// What reading a design file gave: the design, or why the file was refused.
struct DesignRead {
    std::optional<Design> design;
    std::string error;  ///< "FILE: member: what is wrong" when there is no design

    explicit operator bool() const { return design.has_value(); }
};

/// The file text of `design`: pretty-printed JSON with its members in a fixed order, ending in a
/// newline. Equal designs give equal texts, and reading the text gives back the identical design
/// (bit for bit) whenever the design is one the windows could have produced; any other design is
/// still written, and reading it back refuses it.
std::string designFileText(const Design& design);

/// Reads the text of a design file. Accepts exactly the designs the form, the rules dialog and
/// the command line can produce; refuses anything else with a message naming `fileName` and the
/// member, e.g. "design.qmd: rules.peakFluxSpan: not a finite number". It sets no size limit: a
/// caller that reads the bytes itself refuses files over kDesignFileMaxBytes first. The message is
/// in `language`; member paths and quoted texts stay as the file has them.
DesignRead readDesignText(std::string_view text, std::string_view fileName,
                          Language language = Language::English);

/// Reads the design file at `path`, refusing one larger than kDesignFileMaxBytes without reading
/// it; messages name the path as given, in `language`.
DesignRead readDesignFile(const std::filesystem::path& path, Language language = Language::English);

}  // namespace quillmere
