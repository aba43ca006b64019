#include "engine/system_error_text.h"

#include <array>
#include <cerrno>

namespace quillmere {

namespace {

// The English must equal the translation file's for the same source (a test holds them together).
constexpr auto kSystemErrorTexts = std::to_array<SystemErrorText>({
    {ENOSPC, {QT_TRANSLATE_NOOP("SystemError", "设备上没有空间"), "No space left on device"}},
    {EDQUOT, {QT_TRANSLATE_NOOP("SystemError", "超出磁盘配额"), "Disk quota exceeded"}},
    {EACCES, {QT_TRANSLATE_NOOP("SystemError", "权限不够"), "Permission denied"}},
    {EPERM, {QT_TRANSLATE_NOOP("SystemError", "不允许的操作"), "Operation not permitted"}},
    {EROFS, {QT_TRANSLATE_NOOP("SystemError", "只读文件系统"), "Read-only file system"}},
    {ENOENT, {QT_TRANSLATE_NOOP("SystemError", "没有那个文件或目录"), "No such file or directory"}},
    {ENOTDIR, {QT_TRANSLATE_NOOP("SystemError", "路径中有一项不是文件夹"), "Not a directory"}},
    {EISDIR, {QT_TRANSLATE_NOOP("SystemError", "是一个文件夹"), "Is a directory"}},
    {ENAMETOOLONG, {QT_TRANSLATE_NOOP("SystemError", "文件名过长"), "File name too long"}},
    {EIO, {QT_TRANSLATE_NOOP("SystemError", "输入/输出错误"), "Input/output error"}},
    {EFBIG, {QT_TRANSLATE_NOOP("SystemError", "文件过大"), "File too large"}},
    {EPIPE, {QT_TRANSLATE_NOOP("SystemError", "断开的管道"), "Broken pipe"}},
});

}  // namespace

std::span<const SystemErrorText> systemErrorTexts() {
    return kSystemErrorTexts;
}

namespace {

const SystemErrorText* knownError(const std::error_code& error) {
    if (error.category() != std::generic_category() && error.category() != std::system_category())
        return nullptr;
    for (const SystemErrorText& known : kSystemErrorTexts)
        if (known.error == error.value()) return &known;
    return nullptr;
}

}  // namespace

std::string_view systemErrorSource(const std::error_code& error) {
    const SystemErrorText* known = knownError(error);
    return known ? known->text.source : std::string_view();
}

std::string systemErrorText(Language language, const std::error_code& error) {
    const SystemErrorText* known = knownError(error);
    if (!known) return error.message();
    return std::string(language == Language::Chinese ? known->text.source : known->text.english);
}

}  // namespace quillmere
