#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "engine/texts.h"

namespace quillmere {

/// The context of the design-file reader's messages in the translation files.
inline constexpr const char* kDesignFileTextContext = "DesignFile";

/// The design-file reader's messages, whole or as the pieces it joins around member paths,
/// numbers and quoted texts (which stay as the file has them).
std::span<const LocalText> designFileTexts();

/// The reader's message of English `english` in `language`, each "%s" in it filled from `values`
/// in order. The reader is written in English so that its messages read as they always have; a
/// text missing from the table stays English (a test finds it).
std::string designFileSays(Language language, std::string_view english,
                           std::initializer_list<std::string_view> values = {});

}  // namespace quillmere
