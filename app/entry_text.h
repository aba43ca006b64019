#pragma once

#include <string>

#include <QString>

class QLineEdit;

/// What a numeric entry shows for a float: "%.*g" with precision 6 (90, 0.33, 19.2).
QString entryText(float value);

/// The part of an entry's text that is read as a number: at most its first 31 characters.
std::string entryReadText(const QLineEdit& edit);
