// The save's system calls on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "font/file_io_calls.h"

namespace glyphsmith {

namespace {

SaveTarget inspectTarget(const char* path)
{
    struct stat existing {};
    if (::stat(path, &existing) != 0)
        return SaveTarget::Missing;
    if (!S_ISREG(existing.st_mode))
        return SaveTarget::NotRegularFile;
    // Root may write any file, so this refuses only what the user could not
    // change in place either; a read-only file system counts as read-only too.
    if (::access(path, W_OK) != 0 && (errno == EACCES || errno == EROFS))
        return SaveTarget::ReadOnlyFile;
    return SaveTarget::RegularFile;
}

FileHandle createNewFile(const char* path, const char* like, bool& nameTaken)
{
    nameTaken = false;
    struct stat model {};
    if (like && ::stat(like, &model) != 0)
        return NoFileHandle;
    // A new file gets the usual mode (less the umask); one that replaces a
    // file stays private until it has that file's mode and owner.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, like ? 0600 : 0666);
    if (fd < 0) {
        nameTaken = errno == EEXIST;
        return NoFileHandle;
    }
    if (like) {
        // Only root, or a member of the group, may set these; otherwise the
        // new file is the user's own, as any editor's would be.
        [[maybe_unused]] const int owned = ::fchown(fd, model.st_uid, model.st_gid);
        ::fchmod(fd, model.st_mode & 07777);
    }
    return fd;
}

std::ptrdiff_t writeSome(FileHandle file, const std::uint8_t* bytes, std::size_t size)
{
    for (;;) {
        const ssize_t wrote = ::write(static_cast<int>(file), bytes, size);
        if (wrote >= 0 || errno != EINTR)
            return wrote;
    }
}

bool syncFile(FileHandle file) { return ::fsync(static_cast<int>(file)) == 0; }

bool closeFile(FileHandle file) { return ::close(static_cast<int>(file)) == 0; }

bool renameFile(const char* from, const char* to) { return ::rename(from, to) == 0; }

bool syncFolder(const char* folder)
{
    const int fd = ::open(*folder ? folder : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool removeFile(const char* path) { return ::unlink(path) == 0; }

} // namespace

std::FILE* openForReading(const char* path) { return std::fopen(path, "rb"); }

constinit SaveCalls saveCalls { inspectTarget, createNewFile, writeSome, syncFile, closeFile, renameFile, syncFolder, removeFile };

} // namespace glyphsmith
