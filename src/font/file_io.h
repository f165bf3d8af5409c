#pragma once

// Whole-file reading and safe replacing of files, shared by every format.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "font/file_result.h"

namespace glyphsmith {

// Reads the whole file into `bytes`. Fails with CannotOpen when the file cannot
// be opened or read, and with FileTooLarge when it holds more than `maxBytes`
// (nothing is allocated for such a file).
FileError readWholeFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);

// Saves `bytes` as the file at `path` so that, whatever happens, the file is
// either the old one or the new one, whole:
// - the bytes go to a new temporary file in the target's folder, which is
//   synced to disk and only then renamed over the target; the folder is
//   synced after the rename, so the rename itself survives a power cut (the
//   system calls behind these steps are in file_io_calls.h);
// - a symbolic link (or a chain of them) is followed: the file it finally
//   names is replaced and the links stay links;
// - an existing target that is not a regular file is refused with
//   NotRegularFile, one the user may not write with ReadOnly; both are left
//   alone;
// - an existing target keeps its mode, and its owner and group where the
//   process may set them. A hard link to the old file keeps the old content.
// On any failure the temporary file is removed and the target is untouched.
FileError replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Saves `bytes` as the file at `path` through replaceFile and reports the
// outcome as every writer does.
FileResult saveFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace glyphsmith
