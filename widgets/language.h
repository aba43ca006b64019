#pragma once

#include <string_view>

#include <QString>

#include "engine/texts.h"

class QCoreApplication;

/// Shows the program in `language` from now on: installs Qt's Chinese texts (standard buttons,
/// edit menus) for Chinese, the program's compiled-in English texts for English. Every open
/// window is sent a LanguageChange event and retranslates itself; nothing typed is lost.
void setApplicationLanguage(QCoreApplication& app, quillmere::Language language);

/// The language last set on `app`; Chinese before any.
quillmere::Language applicationLanguage(const QCoreApplication& app);

/// An engine text (engine/texts.h) in the language of the installed translators.
QString engineText(std::string_view chineseSource);

/// `source` of `context` in `language` straight from the translation, for the time before the
/// application object exists and translators can be installed.
QString standaloneText(quillmere::Language language, const char* context, const char* source);
