#pragma once

// The steps that run at the end of the editor dialog's initialisation, before
// the window is first shown: registering the program as the handler of its
// font files, and opening the file named on the command line.

#include <string>
#include <string_view>

namespace glyphsmith {

class EditorDialog;
class WindowSystem;

// Writes, under the file-class root: ".wfn" and ".0" -> programName; the key
// programName -> "Adventure game font file", with the open command
// "<this executable's absolute path> %1" under "shell\open\command". Written
// at every start; a key that cannot be created is skipped without a word.
void registerFileTypes(WindowSystem& windowSystem);

// The parts of the file named on the command line.
struct CommandLineFile {
    std::string path;      // the whole text, double quotes removed
    std::string title;     // the file-name part (after the last "/" or "\") up to its last "."
    std::string extension; // after that dot; empty when the name has none
};

// The command-line text is one file name, whatever blanks it holds.
CommandLineFile commandLineFile(std::string_view commandLine);

// Loads the file named on the command line into the editor, if one is named.
void openCommandLineFile(WindowSystem& windowSystem, EditorDialog& editor);

} // namespace glyphsmith
