#pragma once

#include <functional>

#include <QString>

class QFontMetrics;
class QSize;
class QWidget;

/// How a window shows one of its fixed messages. Windows hold one of these so that tests can
/// capture the texts instead of opening boxes.
using MessageFunction = std::function<void(QWidget* parent, const QString& text)>;

/// `text` as it fits `room` (pixels) in `metrics`: lines beyond the room's height give way to a
/// "…" line, and a line wider than the room keeps its start and end around a "…".
QString fittedMessageText(const QString& text, const QFontMetrics& metrics, const QSize& room);

/// The program's message box: the text, an OK button only, the caption "Quillmere"; never
/// larger than the screen's available area.
void showMessageBox(QWidget* parent, const QString& text);

/// How a window asks a yes-or-no question; true for yes. Held like a MessageFunction.
using QuestionFunction = std::function<bool(QWidget* parent, const QString& text)>;

/// The program's question box: the text, Yes and No (No the default), the caption "Quillmere".
bool askQuestion(QWidget* parent, const QString& text);
