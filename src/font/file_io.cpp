#include "font/file_io.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "font/file_io_calls.h"

namespace glyphsmith {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Paths are UTF-8 text; a path made from a plain string would take it in the
// system's narrow code page on Windows.
fs::path fromUtf8(const std::string& path)
{
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string toUtf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

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

// A name beside the target that no other file has; the file is created only
// if the name is free, so a file of the same name is never touched. When the
// target exists, the new file takes its mode and owner.
FileHandle createTemporaryBeside(const std::string& target, bool replacing, std::string& temporary)
{
    // Seeded once per thread: opening the system's random device on every
    // save costs more than building the whole file. Creating only under a
    // free name, not the randomness, is what keeps other files safe.
    thread_local std::mt19937 random{ std::random_device{}() };
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        temporary = target + suffix;
        bool nameTaken = false;
        const FileHandle file = saveCalls.createNew(temporary.c_str(), replacing ? target.c_str() : nullptr, nameTaken);
        if (file != NoFileHandle || !nameTaken)
            return file;
    }
    return NoFileHandle;
}

// Writes every byte, however many calls the system needs for them.
bool writeAll(FileHandle file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const std::ptrdiff_t wrote = saveCalls.write(file, bytes.data(), bytes.size());
        if (wrote <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(wrote));
    }
    return true;
}

} // namespace

FileError readWholeFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    FilePtr file(openForReading(path.c_str()));
    if (!file)
        return FileError::CannotOpen;

    // The size the system reports is only a first guess at the room to make:
    // the loop reads until the file ends, so special files and files that
    // change while read are handled the same way. Reading straight into the
    // vector, sized once for a file that does not change, copies each byte
    // once.
    // The reads below are large and go straight into the vector: a stdio
    // buffer would only add a copy and system calls.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    std::size_t guess = 0;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long end = std::ftell(file.get());
        guess = end > 0 ? static_cast<std::size_t>(end) : 0;
    }
    std::rewind(file.get());
    std::vector<std::uint8_t> content(std::min(guess, maxBytes) + 1);
    std::size_t filled = 0;
    for (;;) {
        filled += std::fread(content.data() + filled, 1, content.size() - filled, file.get());
        if (filled < content.size())
            break;
        // One byte more than maxBytes is enough to know the file is too large.
        if (filled > maxBytes)
            return FileError::FileTooLarge;
        content.resize(std::min(std::max<std::size_t>(2 * content.size(), 65536), maxBytes + 1));
    }
    if (std::ferror(file.get()))
        return FileError::CannotOpen;
    content.resize(filled);
    bytes = std::move(content);
    return FileError::None;
}

FileError replaceFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    fs::path resolved(fromUtf8(path));
    if (!resolveLinks(resolved))
        return FileError::CannotWrite;
    const std::string target = toUtf8(resolved);

    const SaveTarget existing = saveCalls.inspect(target.c_str());
    if (existing == SaveTarget::NotRegularFile)
        return FileError::NotRegularFile;
    if (existing == SaveTarget::ReadOnlyFile)
        return FileError::ReadOnly;

    std::string temporary;
    const FileHandle file = createTemporaryBeside(target, existing == SaveTarget::RegularFile, temporary);
    if (file == NoFileHandle)
        return FileError::CannotWrite;
    bool saved = writeAll(file, bytes) && saveCalls.sync(file);
    // Some systems report a failed write only when the file is closed.
    saved = saveCalls.close(file) && saved;
    saved = saved && saveCalls.rename(temporary.c_str(), target.c_str());
    if (!saved) {
        saveCalls.remove(temporary.c_str());
        return FileError::CannotWrite;
    }
    // The new file is in place and whole whether or not the folder can be synced.
    saveCalls.syncFolder(toUtf8(resolved.parent_path()).c_str());
    return FileError::None;
}

FileResult saveFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const FileError error = replaceFile(path, bytes);
    return error == FileError::None ? FileResult::done() : FileResult::failed(error);
}

} // namespace glyphsmith
