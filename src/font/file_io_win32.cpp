// Whole-file reading and safe replacing on Windows: the promise of file_io.h
// with the Win32 calls. File names are UTF-8 here and UTF-16 at the API.

#include "font/file_io.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

#include "platform/win32/utf16.h"

namespace glyphsmith {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;

std::optional<SaveStep> injectedFailure;

bool injected(SaveStep step) { return injectedFailure == step; }

// A disk file, or nothing at all, may be replaced; a folder or a device
// (NUL, COM1, a pipe) may not.
bool isDiskFileOrMissing(const std::wstring& path, DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return false;
    UniqueFile probe(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe.get() == INVALID_HANDLE_VALUE) {
        probe.release();
        return true;
    }
    return ::GetFileType(probe.get()) == FILE_TYPE_DISK;
}

// A name beside the target that no other file has; CREATE_NEW opens it only
// if it did not exist, so a file of the same name is never touched.
UniqueFile createTemporaryBeside(const std::wstring& target, std::wstring& temporary)
{
    thread_local std::mt19937 random { std::random_device {}() };
    for (int attempt = 0; attempt < 16; ++attempt) {
        wchar_t suffix[32];
        std::swprintf(suffix, 32, L".%08x.tmp", static_cast<unsigned>(random()));
        temporary = target + suffix;
        HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return UniqueFile(file);
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return nullptr;
    }
    return nullptr;
}

// Writes all the bytes and flushes them to the disk, then closes the file.
bool writeAndFlush(UniqueFile file, std::span<const std::uint8_t> bytes)
{
    const std::size_t count = injected(SaveStep::Write) ? bytes.size() / 2 : bytes.size();
    std::size_t written = 0;
    while (written < count) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - written, 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    if (written != bytes.size() || injected(SaveStep::Flush))
        return false;
    return ::FlushFileBuffers(file.get()) && !injected(SaveStep::Sync);
}

} // namespace

FileError readWholeFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    FilePtr file(::_wfopen(toUtf16(path).c_str(), L"rb"));
    if (!file)
        return FileError::CannotOpen;
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
    const std::wstring target = toUtf16(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (!isDiskFileOrMissing(target, attributes))
        return FileError::NotRegularFile;
    // A replacing move would take the place of a read-only file without a
    // word; the user asked for it to be kept, so it is refused here.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FileError::ReadOnly;

    std::wstring temporary;
    UniqueFile file = injected(SaveStep::Create) ? nullptr : createTemporaryBeside(target, temporary);
    if (!file)
        return FileError::CannotWrite;
    bool saved = writeAndFlush(std::move(file), bytes);
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on the disk.
    saved = saved && !injected(SaveStep::Rename)
        && ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!saved) {
        ::DeleteFileW(temporary.c_str());
        return FileError::CannotWrite;
    }
    return FileError::None;
}

FileResult saveFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const FileError error = replaceFile(path, bytes);
    return error == FileError::None ? FileResult::done() : FileResult::failed(error);
}

void injectSaveFailure(std::optional<SaveStep> step) { injectedFailure = step; }

} // namespace glyphsmith
