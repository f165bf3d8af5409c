#pragma once

// What the application around the editor adds to it: the start-up work, the
// About box and the reader of desktop font files.

#include <functional>

#include "font/font_files.h"

namespace glyphsmith {

struct ApplicationHooks {
    // Runs at the end of the dialog's initialisation, before the window is
    // first shown: registration of the file types and the command-line file.
    std::function<void()> startUp;
    // The About button.
    std::function<void()> about;
    // Reads desktop font files (TrueType, BDF, ...) for Open; null where none is built in.
    FontFileReader* fontFiles = nullptr;
};

} // namespace glyphsmith
