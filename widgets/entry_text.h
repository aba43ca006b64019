#pragma once

#include <string>

#include <QString>

#include "widgets/message_box.h"

class QLineEdit;

/// What a numeric entry shows for a float: "%.*g" with precision 6 (90, 0.33, 19.2).
QString entryText(float value);

/// The part of an entry's text that is read as a number: at most its first 31 characters.
std::string entryReadText(const QLineEdit& edit);

/// Refuses what an entry holds: shows `text` over the entry's window, then gives the entry the
/// focus with its whole text selected, so the engineer can type over it.
void refuseEntry(QLineEdit& edit, const MessageFunction& message, const QString& text);
