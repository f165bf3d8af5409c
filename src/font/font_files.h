#pragma once

// Reading and writing a font file in the format its extension names. The one
// place that maps a format to its reader and writer, shared by the editor's
// file commands and the command-line converter.

#include <string>

#include "font/bitmap_font.h"
#include "font/file_result.h"
#include "font/font_format.h"

namespace glyphsmith {

class MessageBoxes;
class SystemFontRenderer;

// What the readers and writers of some formats need from the window system:
// a place for their own messages, and the system font for the TrueType import.
struct FileServices {
    MessageBoxes& messages;
    SystemFontRenderer* systemFont = nullptr; // null where no system font can be had
};

FileResult readFontFile(BitmapFont& font, FontFormat format, const std::string& path, FileServices services);
FileResult writeFontFile(const BitmapFont& font, FontFormat format, const std::string& path, FileServices services);

} // namespace glyphsmith
