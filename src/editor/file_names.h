#pragma once

// The parts of a file's path that the editor keeps: the title and extension
// of the file's own name, which make up the caption and choose the format.

#include <string>
#include <string_view>

namespace glyphsmith {

struct FileNames {
    std::string title;     // the file-name part (after the last "/" or "\") up to its last "."
    std::string extension; // after that dot; empty when the name has none
};

// Title and extension come from the file's own name, so that a dot in a
// folder name is not taken for the extension.
FileNames fileNamesOf(std::string_view path);

} // namespace glyphsmith
