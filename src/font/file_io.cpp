#include "font/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

namespace glyphsmith {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A name beside the target that no other file has; "x" mode opens it only if
// it did not exist, so a file of the same name is never touched.
FilePtr createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary)
{
    // Seeded once per thread: opening the system's random device on every
    // save costs more than building the whole file. "x" mode, not the
    // randomness, is what keeps other files safe.
    thread_local std::mt19937 random{ std::random_device{}() };
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        temporary = target;
        temporary += suffix;
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx"))
            return FilePtr(file);
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
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

bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code error;
    if (fs::is_directory(target, error))
        return false;

    fs::path temporary;
    FilePtr file = createTemporaryBeside(target, temporary);
    if (!file)
        return false;

    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    written = std::fflush(file.get()) == 0 && written;
    written = std::fclose(file.release()) == 0 && written;

    if (written) {
        fs::file_status existing = fs::status(target, error);
        if (!error && fs::exists(existing))
            fs::permissions(temporary, existing.permissions(), error);
        error.clear();
        fs::rename(temporary, target, error);
        written = !error;
    }
    if (!written)
        fs::remove(temporary, error);
    return written;
}

} // namespace glyphsmith
