#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/catalogue_files.h"
#include "engine/core_selection.h"
#include "engine/design.h"
#include "engine/result_format.h"
#include "engine/texts.h"

/// The command line's catalogue options, as given; applied once the catalogue is read.
struct CliCoreOptions {
    std::optional<std::string> core;      ///< --core NAME
    std::optional<std::string> bobbin;    ///< --bobbin REF
    std::optional<std::string> material;  ///< --material NAME
    std::optional<std::string> cores;     ///< --cores all|FAMILY|NAME[,NAME…]
    std::optional<double> minAe;          ///< --min-ae, mm²
    std::optional<double> maxAe;          ///< --max-ae, mm²
    bool listCores = false;
    bool listMaterials = false;
    std::vector<std::filesystem::path> catalogues;  ///< --catalogue FILE, in order
    /// --core-ae, --slot-width, --slot-depth given: each wins over the catalogue, and any of
    /// them makes the core a custom one.
    bool aeGiven = false;
    bool slotWidthGiven = false;
    bool slotDepthGiven = false;
    bool coreNumbersGiven() const { return aeGiven || slotWidthGiven || slotDepthGiven; }
};

/// The built-in catalogue, the user's own files (XDG, when there) and the --catalogue files.
quillmere::CatalogueLoad loadCliCatalogue(const CliCoreOptions& options);

/// Applies the catalogue options to `design`: --core names its core (Ae and slot from the
/// catalogue) unless the core's numbers were given too, --bobbin and --material change its core
/// (or core set), --cores with --min-ae/--max-ae sets the cores searched. On an unknown name or
/// a contradiction returns false with `error` in `language`, naming the nearest names.
bool applyCoreOptions(quillmere::Design& design, const CliCoreOptions& options,
                      const quillmere::CoreCatalogue& catalogue, quillmere::Language language,
                      std::string& error);

/// "未知的磁芯：NAME" (or bobbin, material) in `language`, the nearest names on a second line.
std::string unknownNameText(quillmere::Language language, const quillmere::CoreResolution& failure);

/// --list-cores / --list-materials in `format` (the table's headings in `language`).
std::string coreListText(const quillmere::CoreCatalogue& catalogue, quillmere::ResultFormat format,
                         quillmere::Language language);
std::string materialListText(const quillmere::CoreCatalogue& catalogue, quillmere::ResultFormat format,
                             quillmere::Language language);
