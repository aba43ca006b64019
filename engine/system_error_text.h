#pragma once

#include <span>
#include <string>
#include <system_error>

#include "engine/texts.h"

namespace quillmere {

/// The context of the system's error texts in the translation files.
inline constexpr const char* kSystemErrorContext = "SystemError";

/// A cause that writing a file meets in practice (an errno value), in both languages.
struct SystemErrorText {
    int error;
    LocalText text;
};

/// The causes the program puts in its own words, Chinese and English.
std::span<const SystemErrorText> systemErrorTexts();

/// The Chinese source of `error`'s text when the program has one; empty otherwise.
std::string_view systemErrorSource(const std::error_code& error);

/// What `error` means, in `language` where the program has the text, else as the system says it.
std::string systemErrorText(Language language, const std::error_code& error);

}  // namespace quillmere
