#pragma once

#include <optional>
#include <system_error>

#include <QByteArray>
#include <QString>

/// Writes `bytes` to `path` all at once: through a temporary file beside it that replaces the
/// file only when everything is written, flushed and closed, so a failure leaves an earlier file
/// as it was. Returns why it failed ("设备上没有空间", in the shown language), or nothing.
std::optional<QString> saveFileAtomically(const QString& path, const QByteArray& bytes);

/// What the system said in `error`, in the shown language where the text is known.
QString shownErrorText(const std::error_code& error);
