#include "app/recent_designs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kRecentKey = QStringLiteral("recentDesigns");
const QString kFolderKey = QStringLiteral("lastFolder");

// The program's settings: the user's scope, one file for the program.
QSettings settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmere"),
                     QStringLiteral("Quillmere"));
}

}  // namespace

QStringList RecentDesigns::paths() const {
    QStringList list = settings().value(kRecentKey).toStringList();
    list.removeAll(QString());
    return list.mid(0, kMaxCount);
}

void RecentDesigns::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    settings().setValue(kRecentKey, list.mid(0, kMaxCount));
}

void RecentDesigns::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(path);
    settings().setValue(kRecentKey, list);
}

QString RecentDesigns::lastFolder() const {
    const QString folder = settings().value(kFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void RecentDesigns::rememberFolderOf(const QString& file) {
    settings().setValue(kFolderKey, QFileInfo(file).absolutePath());
}
