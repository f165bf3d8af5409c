#pragma once

// What the editor keeps of the last coverage check (coverage_commands.cpp):
// the text file checked, what the font cannot draw of it, and the Check
// list's items.

#include <string>
#include <vector>

#include "font/coverage.h"

namespace glyphsmith {

struct CoverageState {
    // The file's name and its UTF-8 text.
    std::string fileName;
    std::string text;
    std::vector<UncoveredCharacter> uncovered;
    std::vector<std::string> items;
};

} // namespace glyphsmith
