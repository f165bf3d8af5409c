#pragma once

// Reading and writing a font file in the format its extension names. The one
// place that maps a format to its reader and writer, shared by the editor's
// file commands and the command-line converter.

#include <string>

#include "font/bitmap_font.h"
#include "font/file_result.h"
#include "font/font_format.h"

namespace glyphsmith {

struct CodePage;
class FontFileReader;
class MessageBoxes;
class SystemFontRenderer;

// What the readers and writers of some formats need from the window system:
// a place for their own messages, the system font for the TrueType import,
// and the reader of desktop font files.
struct FileServices {
    MessageBoxes& messages;
    SystemFontRenderer* systemFont = nullptr; // null where no system font can be had
    FontFileReader* fontFiles = nullptr;      // null where no font-file reader is built in
    // The code page whose characters a font file's import puts at codes 128
    // to 255; null for codes 0 to 127 only.
    const CodePage* fontFileCodePage = nullptr;
};

// A TrueType or other desktop font file is imported at lineHeight pixels
// (codes 0 to 127 from the same Unicode characters, 128 to 255 through
// services.fontFileCodePage when given). Where the font-file
// reader cannot read it, the file is handled as before there was one: a
// ".ttf" builds the font from the system font, any other extension is read
// as an SCI font.
FileResult readFontFile(BitmapFont& font, FontFormat format, const std::string& path, FileServices services);
FileResult writeFontFile(const BitmapFont& font, FontFormat format, const std::string& path, FileServices services);

} // namespace glyphsmith
