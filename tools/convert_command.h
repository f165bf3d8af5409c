#pragma once

// The command-line converter: converts a font between file formats, or prints
// it as text. Kept apart from main() so tests can run it in-process.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace glyphsmith {

class FontFileReader;
class SystemFontRenderer;

// Hands out the system font renderer when a command first needs it; returns
// null when none can be had.
using SystemFontSource = std::function<SystemFontRenderer*()>;

enum ConvertExit : int {
    ConvertOk = 0,
    ConvertFailed = 1, // a file could not be read or written
    ConvertUsage = 2,  // the arguments were wrong
};

// `arguments` excludes the program name. Results go to `out`, messages and
// warnings to `err`. `fontFiles` reads the files of --font and --font-info;
// without it they fail. Returns the process exit status.
int runConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
    const SystemFontSource& systemFont = {}, FontFileReader* fontFiles = nullptr);

} // namespace glyphsmith
