#pragma once

#include <span>
#include <string_view>

#include "engine/texts.h"

/// The context of the command line's own texts in the translation files.
inline constexpr const char* kCliTextContext = "Cli";

/// The command line's own texts: the progress line and the lines under the table.
std::span<const quillmere::LocalText> cliTexts();

/// A text of the command line, or of the engine, in `language`.
std::string_view cliText(quillmere::Language language, std::string_view chineseSource);
