#pragma once

#include <functional>

#include <QString>

class QWidget;

/// How a window shows one of its fixed messages. Windows hold one of these so that tests can
/// capture the texts instead of opening boxes.
using MessageFunction = std::function<void(QWidget* parent, const QString& text)>;

/// The program's message box: the text, an OK button only, the caption "Quillmere".
void showMessageBox(QWidget* parent, const QString& text);

/// How a window asks a yes-or-no question; true for yes. Held like a MessageFunction.
using QuestionFunction = std::function<bool(QWidget* parent, const QString& text)>;

/// The program's question box: the text, Yes and No (No the default), the caption "Quillmere".
bool askQuestion(QWidget* parent, const QString& text);
