#pragma once

#include "widgets/language.h"

class QApplication;

/// Application-wide set-up shared by the program and its window tests: the application name,
/// the CJK fonts the windows ask for by their customary names ("宋体" → the installed Song/Ming
/// face, "楷体" → the Kai face) and the language shown (with it the texts of Qt's standard buttons).
void prepareApplication(QApplication& app, quillmere::Language language = quillmere::Language::Chinese);

/// Dialog units of the window layouts to pixels: one unit is 1.5 px.
constexpr int dialogUnits(double units) {
    return static_cast<int>(units * 1.5 + 0.5);
}
