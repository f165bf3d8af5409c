// The save's system calls on Windows. Names are UTF-8 in the program and
// UTF-16 at the API.

#include "font/file_io_calls.h"

#include "platform/win32/utf16.h"

namespace glyphsmith {

namespace {

HANDLE handleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

SaveTarget inspectTarget(const char* path)
{
    const std::wstring name = toUtf16(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return SaveTarget::Missing;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return SaveTarget::NotRegularFile;
    // A device name (NUL, COM1) or a pipe opens as something other than a disk file.
    HANDLE probe = ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        const DWORD type = ::GetFileType(probe);
        ::CloseHandle(probe);
        if (type != FILE_TYPE_DISK)
            return SaveTarget::NotRegularFile;
    }
    // A replacing move would take the place of a read-only file without a
    // word; the user asked for it to be kept, so it is refused before that.
    return attributes & FILE_ATTRIBUTE_READONLY ? SaveTarget::ReadOnlyFile : SaveTarget::RegularFile;
}

FileHandle createNewFile(const char* path, const char* like, bool& nameTaken)
{
    nameTaken = false;
    // A replacing file takes the replaced one's hidden, system and archive
    // marks; its access rights come from the folder, as any new file's do.
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (like) {
        const DWORD old = ::GetFileAttributesW(toUtf16(like).c_str());
        if (old == INVALID_FILE_ATTRIBUTES)
            return NoFileHandle;
        if (old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE))
            attributes = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    }
    HANDLE file = ::CreateFileW(toUtf16(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return NoFileHandle;
    }
    return reinterpret_cast<FileHandle>(file);
}

std::ptrdiff_t writeSome(FileHandle file, const std::uint8_t* bytes, std::size_t size)
{
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
    return ::WriteFile(handleOf(file), bytes, chunk, &wrote, nullptr) ? static_cast<std::ptrdiff_t>(wrote) : -1;
}

bool syncFile(FileHandle file) { return ::FlushFileBuffers(handleOf(file)) != 0; }

bool closeFile(FileHandle file) { return ::CloseHandle(handleOf(file)) != 0; }

bool renameFile(const char* from, const char* to)
{
    // MOVEFILE_WRITE_THROUGH returns only once the move is on the disk.
    return ::MoveFileExW(toUtf16(from).c_str(), toUtf16(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        != 0;
}

// Windows cannot sync a folder; the write-through move above already made
// the rename durable.
bool syncFolder(const char*) { return true; }

bool removeFile(const char* path) { return ::DeleteFileW(toUtf16(path).c_str()) != 0; }

} // namespace

std::FILE* openForReading(const char* path) { return ::_wfopen(toUtf16(path).c_str(), L"rb"); }

constinit SaveCalls saveCalls { inspectTarget, createNewFile, writeSome, syncFile, closeFile, renameFile, syncFolder, removeFile };

} // namespace glyphsmith
