#pragma once

// Reading and writing a font file in the format its extension names. The one
// place that maps a format to its reader and writer, shared by the editor's
// file commands and the command-line converter.

#include <string>

#include "font/bitmap_font.h"
#include "font/file_result.h"
#include "font/font_format.h"

namespace glyphsmith {

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
};

// .fon and .fnt name both Windows font files and SCI fonts kept as patch
// files (0.fon, 300.fon). For a path with either ending (any case) and
// `byExtension` FontFile, the first byte of the file decides: 0x87 or 0x07,
// an SCI font resource, gives Sci; anything else FontFile, whose import reads
// a Windows font file ("MZ" or a .fnt header) and refuses the rest. Every
// other path keeps `byExtension`.
FontFormat formatToRead(FontFormat byExtension, const std::string& path);
// A path ending ".fon" (any case) is written as an SCI font; any other keeps
// `byExtension` (so .fnt stays unwritable).
FontFormat formatToWrite(FontFormat byExtension, const std::string& path);

// A TrueType or other desktop font file is imported at lineHeight pixels
// (codes 0 to 127 from the same Unicode characters). Where the font-file
// reader cannot read it, the file is handled as before there was one: a
// ".ttf" builds the font from the system font, any other extension is read
// as an SCI font. A .fon or .fnt file goes where formatToRead() says, and is
// never read as SCI when its first byte is not that of an SCI font.
FileResult readFontFile(BitmapFont& font, FontFormat format, const std::string& path, FileServices services);
// `format` as formatToWrite() gives it. An SCI font written to a .fon path
// never replaces an existing file that is not an SCI font (a Windows font
// file): that save fails with NotAnSciFont and leaves the file alone.
FileResult writeFontFile(const BitmapFont& font, FontFormat format, const std::string& path, FileServices services);

} // namespace glyphsmith
