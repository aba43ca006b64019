#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

/// Writes `bytes` to `path` all at once: through a temporary file beside it that replaces the
/// file only when everything is written, so a failure leaves an earlier file as it was. Returns
/// why it failed, or nothing.
std::optional<QString> saveFileAtomically(const QString& path, const QByteArray& bytes);
