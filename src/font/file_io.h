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

// Writes `bytes` to a new temporary file in the target's folder and renames it
// over `path` only once every byte has been written and flushed. On failure the
// temporary file is removed and any previous file at `path` stays as it was.
// An existing target keeps its permissions.
bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace glyphsmith
