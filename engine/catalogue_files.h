#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core_catalogue.h"

namespace quillmere {

// The user's own cores and materials, added to the built-in catalogue. Every catalogue file has
// the format of res/catalogue (docs/catalogue.md): an object with a "cores" list, a "materials"
// list or both. A file is taken whole or not at all: one damaged entry, or one whose name the
// catalogue already holds (built-in or from an earlier file), refuses the file, and the
// catalogue stays as it was before it.

/// Larger catalogue files are refused before they are read.
inline constexpr std::uintmax_t kCatalogueFileMaxBytes = 16 * 1024 * 1024;

/// One problem found while reading a catalogue file.
struct CatalogueMessage {
    std::string file;     ///< the path as given
    std::string entry;    ///< `core "EE19"`, `material #3`, …; empty when it concerns the whole file
    std::string problem;  ///< "le is missing", "Ae must be above zero", …

    /// "FILE: ENTRY: PROBLEM", e.g. `cores.json: core "EE19": le is missing`.
    std::string text() const;
};

/// A catalogue file to read. A missing optional file is silently skipped; a missing required one
/// (the command line's --catalogue FILE) is a message.
struct CatalogueFile {
    std::filesystem::path path;
    bool required = false;
};

/// What loading gave: the catalogue (at least the built-in one) and what was refused.
struct CatalogueLoad {
    CoreCatalogue catalogue;
    std::vector<CatalogueMessage> messages;
    std::vector<std::string> refusedFiles;  ///< paths as given, in reading order
};

/// The user's catalogue folder: $XDG_CONFIG_HOME/quillmere if that variable is an absolute
/// path, else $HOME/.config/quillmere; none when neither gives one. Takes the variables' values
/// (null when unset) so that it reads no environment itself.
std::optional<std::filesystem::path> userCatalogueFolder(const char* xdgConfigHome, const char* home);
/// The same from this process's environment.
std::optional<std::filesystem::path> userCatalogueFolder();
/// cores.json and materials.json of `folder`, both optional.
std::vector<CatalogueFile> userCatalogueFiles(const std::filesystem::path& folder);

/// The built-in catalogue plus `files`, read in order.
CatalogueLoad loadCatalogue(const std::vector<CatalogueFile>& files);
/// `base` plus one catalogue text, named `fileName` in messages; `base` unchanged if refused.
CatalogueLoad addCatalogueText(const CoreCatalogue& base, std::string_view text, std::string_view fileName);

}  // namespace quillmere
