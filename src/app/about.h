#pragma once

// The About button: a short credit, then the program's documentation opened
// with the desktop's default handler.

#include <string>

namespace glyphsmith {

class WindowSystem;

// The README as a file address: the installed copy beside the program
// (<prefix>/share/doc/glyphsmith/README.md for <prefix>/bin/glyphsmith, or
// README.md in the program's own folder, as the Windows zip has it), or else
// the one in the source tree the program was built from.
std::string documentationAddress(const std::string& executablePath);

void showAbout(WindowSystem& windowSystem);

} // namespace glyphsmith
