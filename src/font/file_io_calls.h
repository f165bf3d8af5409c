#pragma once

// The system calls a save makes, gathered in one table. replaceFile reaches
// the file system only through `saveCalls`, so each platform fills the table
// from one small file of its own (file_io_posix.cpp, file_io_win32.cpp), and a test can wrap
// a call: count the syncs, or make a call fail as the system would.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace glyphsmith {

// An open file: a file descriptor on POSIX systems; a Windows build keeps its
// HANDLE here, whose invalid value is -1 as well.
using FileHandle = std::intptr_t;
inline constexpr FileHandle NoFileHandle = -1;

// What stands at the path a save is about to replace (links already followed).
enum class SaveTarget { Missing, RegularFile, ReadOnlyFile, NotRegularFile };

// Paths are the program's own narrow paths (UTF-8). Every call returns at once with
// its result; none shows anything to the user.
struct SaveCalls {
    SaveTarget (*inspect)(const char* path);
    // Creates `path` for writing, only if nothing of that name exists. When
    // `like` names a file, the new one gets that file's mode and, where the
    // process may set them, its owner and group; otherwise the usual mode of a
    // new file. On failure returns NoFileHandle and sets `nameTaken` when the
    // name was already in use.
    FileHandle (*createNew)(const char* path, const char* like, bool& nameTaken);
    // Writes up to `size` bytes; returns how many were written, or -1.
    std::ptrdiff_t (*write)(FileHandle file, const std::uint8_t* bytes, std::size_t size);
    // Returns only once the file's content is on the disk.
    bool (*sync)(FileHandle file);
    bool (*close)(FileHandle file);
    // Gives `from` the name `to` in one step, replacing the file named `to`.
    bool (*rename)(const char* from, const char* to);
    // Makes the folder's names durable, so a finished rename survives a power
    // cut; "" is the current folder. Where a file system cannot, the save
    // still counts as done.
    bool (*syncFolder)(const char* folder);
    bool (*remove)(const char* path);
};

// The calls every save makes: the platform's own unless a test has changed them.
extern SaveCalls saveCalls;

// Opens the file at `path` (UTF-8) for reading bytes; null when it cannot.
std::FILE* openForReading(const char* path);

} // namespace glyphsmith
