#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "engine/maker_settings.h"
#include "engine/texts.h"

namespace quillmere {

/// The "sheet" object of a design file: every member of `settings`, in a fixed order.
nlohmann::ordered_json makerSettingsJson(const MakerSettings& settings);

/// Why a design file's "sheet" member was refused.
struct MakerSettingsRefusal {
    std::string member;  ///< e.g. "primaryStartPin", empty for the object itself
    std::string reason;
};

/// Reads a design file's "sheet" member into `settings`. Every member must be present and valid:
/// pins whole numbers 1 to 999, test conditions finite single-precision numbers above zero,
/// texts of at most 60 bytes without control characters; unknown members are refused.
/// On a refusal `settings` may be partly changed; the reason is in `language`.
std::optional<MakerSettingsRefusal> readMakerSettings(const nlohmann::json& object, MakerSettings& settings,
                                                      Language language = Language::English);

}  // namespace quillmere
