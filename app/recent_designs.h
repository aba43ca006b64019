#pragma once

#include <QString>
#include <QStringList>

/// The designs opened or saved lately, newest first, and the folder last used for a file; kept
/// with QSettings in the user's configuration folder (~/.config/Quillmere/Quillmere.conf).
class RecentDesigns {
public:
    static constexpr int kMaxCount = 8;

    QStringList paths() const;
    /// Puts `path` first (as an absolute path), once, and keeps the newest kMaxCount.
    void add(const QString& path);
    void remove(const QString& path);

    /// The folder of the file last opened, saved or exported; the home folder before any.
    QString lastFolder() const;
    /// Remembers the folder `file` is in.
    void rememberFolderOf(const QString& file);
};
