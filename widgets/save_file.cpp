#include "widgets/save_file.h"

#include <QCoreApplication>
#include <QFile>

#include "engine/atomic_file.h"
#include "engine/system_error_text.h"

using namespace quillmere;

namespace {

QString translated(const char* source) {
    return QCoreApplication::translate("SaveFile", source);
}

}  // namespace

QString shownErrorText(const std::error_code& error) {
    const std::string source(systemErrorSource(error));
    if (source.empty()) return QString::fromLocal8Bit(error.message());
    return QCoreApplication::translate(kSystemErrorContext, source.c_str());
}

std::optional<QString> saveFileAtomically(const QString& path, const QByteArray& bytes) {
    const std::optional<FileWriteFailure> failure = replaceFileAtomically(
        QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()));
    if (!failure) return std::nullopt;
    switch (failure->reason) {
        case FileWriteFailure::Reason::NoFileName:
            return translated(QT_TRANSLATE_NOOP("SaveFile", "没有文件名"));
        case FileWriteFailure::Reason::FolderInTheWay:
            return translated(QT_TRANSLATE_NOOP("SaveFile", "已有同名的文件夹"));
        case FileWriteFailure::Reason::NotARegularFile:
            return translated(QT_TRANSLATE_NOOP("SaveFile", "不是普通文件"));
        case FileWriteFailure::Reason::System:
            break;
    }
    return shownErrorText(failure->error);
}
