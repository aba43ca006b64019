#pragma once

#include <optional>
#include <span>
#include <string_view>

// Marks a text for lupdate, which reads the marker wherever it stands. Spelt exactly as Qt's own
// definition, so that whichever of the two comes second is a harmless repeat.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace quillmere {

/// The languages the program speaks. Chinese is the language of the source texts and the default.
enum class Language { Chinese, English };

/// The language a value of --lang or QUILLMERE_LANG names: "zh" or "en"; empty for anything else.
std::optional<Language> languageNamed(std::string_view name);

/// The environment variable that chooses the language when the command line does not.
inline constexpr const char* kLanguageVariable = "QUILLMERE_LANG";

/// The language QUILLMERE_LANG chooses, given its value (null when it is not set): Chinese when
/// it is not set or empty; empty when it names no language.
std::optional<Language> languageFromEnvironment(const char* value);

/// One text of a room without Qt: its Chinese source, which is the key Qt's translation files
/// know it by (under the room's context), and its English translation.
struct LocalText {
    std::string_view source;
    std::string_view english;
};

/// `source` in `language` as `table` has it; the source itself when the table has no entry. The
/// texts of a table are literals: a view of one is followed by a terminating zero.
std::string_view lookUpText(std::span<const LocalText> table, Language language, std::string_view source);

/// The context of the engine's texts in the translation files.
inline constexpr const char* kEngineTextContext = "Engine";

/// The engine's texts: refusals, entry messages, start-up captions and column headings.
std::span<const LocalText> engineTexts();

/// An engine text in `language`.
std::string_view localText(Language language, std::string_view chineseSource);

}  // namespace quillmere
