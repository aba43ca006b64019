#pragma once

class QApplication;

/// Application-wide set-up shared by the program and its window tests: the application name,
/// the Chinese texts of Qt's standard buttons, and the CJK fonts the windows ask for by their
/// customary names ("宋体" → the installed Song/Ming face, "楷体" → the Kai face).
void prepareApplication(QApplication& app);

/// Dialog units of the window layouts to pixels: one unit is 1.5 px.
constexpr int dialogUnits(double units) {
    return static_cast<int>(units * 1.5 + 0.5);
}
