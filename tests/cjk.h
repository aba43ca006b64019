#pragma once

#include <string_view>

/// Whether UTF-8 `text` holds a character of the CJK ranges: radicals, ideographs, their
/// punctuation and symbols, kana and bopomofo, compatibility forms and full-width forms.
inline bool containsCjk(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if ((c >= 0x2E80 && c <= 0x312F) || (c >= 0x3190 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
            (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF))
            return true;
    }
    return false;
}
