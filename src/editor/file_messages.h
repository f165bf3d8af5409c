#pragma once

// The texts of the boxes that say a font could not be read or written, shared
// by the file commands and the commands for fonts inside games.

namespace glyphsmith {

inline constexpr const char* ReadErrorText = "Invalid file type, or miscellaneous read error.";
inline constexpr const char* WriteErrorText = "Error writing file.";

} // namespace glyphsmith
