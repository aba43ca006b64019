#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quillmere {

/// Replaces the file `target` by `content` so that it holds either its old or its new content,
/// never a part: the content goes to a new file in the same folder, is flushed to the disk and
/// then renamed over the target (a symbolic link is followed; an existing file keeps its
/// permissions). Returns why it failed, naming the target; the earlier file is then untouched.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& target, std::string_view content);

/// Why a file could not be replaced: a reason of its own, or what the system said (`error`).
struct FileWriteFailure {
    enum class Reason { NoFileName, FolderInTheWay, NotARegularFile, System };
    Reason reason = Reason::System;
    std::error_code error;  ///< set for Reason::System
};

/// writeFileAtomically with the failure left for the caller to put in words, in its language.
std::optional<FileWriteFailure> replaceFileAtomically(const std::filesystem::path& target,
                                                      std::string_view content);

}  // namespace quillmere
