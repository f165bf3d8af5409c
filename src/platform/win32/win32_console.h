#pragma once

// Text a GUI program prints on request (--help, --version). A GUI program has
// no console of its own: the text goes to the standard output the program
// was given (a pipe or a file), else to the console of the command prompt it
// was started from, else, started from the desktop, into a message box.

#include <string_view>

namespace glyphsmith {

void showTextToUser(std::string_view text, std::string_view caption);

} // namespace glyphsmith
