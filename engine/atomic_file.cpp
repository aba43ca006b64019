#include "engine/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace quillmere {

namespace {

// Closes the descriptor and removes the new file unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        close();
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    // Creates a new file beside `target`; returns errno on failure.
    int create(const std::filesystem::path& target) {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            char suffix[20];
            std::snprintf(suffix, sizeof suffix, ".%08x%08x", random(), random());
            std::string name = target.filename().string();
            name.insert(0, 1, '.');
            name.append(suffix).append(".tmp");
            std::filesystem::path path = target;
            path.replace_filename(name);
            // 0666 less the umask: the permissions a new file would get anyway.
            fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = path;
                return 0;
            }
            if (errno != EEXIST) return errno;
        }
        return EEXIST;
    }

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

    // Returns errno of a failed close, which is where some file systems report a failed write.
    int close() {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    void keep() { path_.clear(); }

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

int writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Makes the rename itself durable; a folder that cannot be opened or synced loses nothing.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<FileWriteFailure> replaceFileAtomically(const std::filesystem::path& target,
                                                      std::string_view content) {
    namespace fs = std::filesystem;
    using Reason = FileWriteFailure::Reason;
    const auto failed = [](int error) {
        return FileWriteFailure{Reason::System, std::error_code(error, std::generic_category())};
    };
    if (target.empty() || !target.has_filename()) return FileWriteFailure{Reason::NoFileName, {}};

    std::error_code error;
    fs::path destination = target;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        destination = fs::weakly_canonical(target, error);
        if (error) return FileWriteFailure{Reason::System, error};
    }
    struct stat existing {};
    const bool exists = ::stat(destination.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return FileWriteFailure{Reason::FolderInTheWay, {}};
    if (exists && !S_ISREG(existing.st_mode)) return FileWriteFailure{Reason::NotARegularFile, {}};
    if (exists && ::access(destination.c_str(), W_OK) != 0) return failed(errno);

    TemporaryFile file;
    if (const int e = file.create(destination)) return failed(e);
    if (exists && ::fchmod(file.fd(), existing.st_mode & 07777) != 0) return failed(errno);
    if (const int e = writeAll(file.fd(), content)) return failed(e);
    if (::fsync(file.fd()) != 0) return failed(errno);
    if (const int e = file.close()) return failed(e);
    if (::rename(file.path().c_str(), destination.c_str()) != 0) return failed(errno);
    file.keep();
    syncFolder(destination.parent_path());
    return std::nullopt;
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                               std::string_view content) {
    const std::optional<FileWriteFailure> failure = replaceFileAtomically(target, content);
    if (!failure) return std::nullopt;
    std::string why;
    switch (failure->reason) {
        case FileWriteFailure::Reason::NoFileName:
            why = "no file name";
            break;
        case FileWriteFailure::Reason::FolderInTheWay:
            why = "a folder of that name is in the way";
            break;
        case FileWriteFailure::Reason::NotARegularFile:
            why = "not a regular file";
            break;
        case FileWriteFailure::Reason::System:
            why = failure->error.message();
            break;
    }
    return target.string() + ": cannot save: " + why;
}

}  // namespace quillmere
