#include "font/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

namespace glyphsmith {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::optional<SaveStep> injectedFailure;

bool injected(SaveStep step) { return injectedFailure == step; }

// Follows `path` through symbolic links to the name of the file it finally
// stands for, which need not exist yet. A relative link is taken from the
// folder that holds it. Fails on a loop or a chain longer than the system's.
bool resolveLinks(fs::path& path)
{
    constexpr int MaxLinks = 40;
    for (int followed = 0; followed <= MaxLinks; ++followed) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return true;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return false;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return false;
}

// A name beside the target that no other file has; O_EXCL opens it only if it
// did not exist, so a file of the same name is never touched.
int createTemporaryBeside(const fs::path& target, mode_t mode, fs::path& temporary)
{
    // Seeded once per thread: opening the system's random device on every
    // save costs more than building the whole file. O_EXCL, not the
    // randomness, is what keeps other files safe.
    thread_local std::mt19937 random{ std::random_device{}() };
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        temporary = target;
        temporary += suffix;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes, flushes and syncs the temporary file, then closes it.
bool writeAndSync(int fd, std::span<const std::uint8_t> bytes)
{
    FilePtr file(::fdopen(fd, "wb"));
    if (!file) {
        ::close(fd);
        return false;
    }
    const std::size_t count = injected(SaveStep::Write) ? bytes.size() / 2 : bytes.size();
    bool ok = std::fwrite(bytes.data(), 1, count, file.get()) == bytes.size();
    ok = ok && !injected(SaveStep::Flush) && std::fflush(file.get()) == 0;
    ok = ok && ::fsync(::fileno(file.get())) == 0 && !injected(SaveStep::Sync);
    return std::fclose(file.release()) == 0 && ok;
}

// Makes a finished rename durable. Some file systems cannot sync a folder;
// the new file is in place and whole either way, so this is not a failure.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

FileError readWholeFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return FileError::CannotOpen;

    // Read in chunks rather than trusting a size from the file system, so
    // special files and files that change while read are handled the same way.
    std::vector<std::uint8_t> content;
    std::uint8_t chunk[65536];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > maxBytes - content.size())
            return FileError::FileTooLarge;
        content.insert(content.end(), chunk, chunk + got);
        if (got < sizeof chunk)
            break;
    }
    if (std::ferror(file.get()))
        return FileError::CannotOpen;
    bytes = std::move(content);
    return FileError::None;
}

FileError replaceFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    fs::path target(path);
    if (!resolveLinks(target))
        return FileError::CannotWrite;

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return FileError::NotRegularFile;
    // Root may write any file, so this refuses only what the user could not
    // change in place either; a read-only file system counts as read-only too.
    if (exists && ::access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
        return FileError::ReadOnly;

    // A new file gets the usual mode (less the umask); a replaced one is made
    // private until it has the old file's mode and owner.
    fs::path temporary;
    const int fd = injected(SaveStep::Create) ? -1 : createTemporaryBeside(target, exists ? 0600 : 0666, temporary);
    if (fd < 0)
        return FileError::CannotWrite;
    if (exists) {
        // Only root, or a member of the group, may set these; otherwise the
        // new file is the user's own, as any editor's would be.
        [[maybe_unused]] const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
        ::fchmod(fd, existing.st_mode & 07777);
    }

    bool saved = writeAndSync(fd, bytes);
    saved = saved && !injected(SaveStep::Rename) && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!saved) {
        ::unlink(temporary.c_str());
        return FileError::CannotWrite;
    }
    syncFolder(target.parent_path());
    return FileError::None;
}

FileResult saveFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const FileError error = replaceFile(path, bytes);
    return error == FileError::None ? FileResult::done() : FileResult::failed(error);
}

void injectSaveFailure(std::optional<SaveStep> step) { injectedFailure = step; }

} // namespace glyphsmith
