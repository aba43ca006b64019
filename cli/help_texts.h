#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "engine/texts.h"

/// The Chinese description in --help of a design field's option; its English is the field's own
/// description (engine/design_fields.cpp). A field without an entry here is described in English
/// in both languages until it gets one (a test finds it).
struct FieldHelpText {
    std::string_view option;   ///< the option without "--"
    std::string_view chinese;  ///< key of the translation file, context kCliTextContext
};

std::span<const FieldHelpText> fieldHelpTexts();

/// The --help description of a design field's option in both languages.
quillmere::LocalText fieldHelpText(std::string_view option, std::string_view english);

/// Every text of --help in both languages: the intro, footer, group headings, CLI11's own words
/// and the options' descriptions, for the translation file to agree with.
std::vector<quillmere::LocalText> helpTexts();

/// A text of --help other than a design field's description, in `language`.
std::string_view helpText(quillmere::Language language, std::string_view chineseSource);
