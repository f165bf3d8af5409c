#pragma once

// What the editor answers to --help, the same on every system.

namespace glyphsmith {

inline constexpr const char* EditorUsage
    = "usage: glyphsmith [FILE]     edit the font FILE, or a new font without one\n"
      "       glyphsmith --help     show this text\n"
      "       glyphsmith --version  show the program's version\n"
      "\n"
      "FILE is an AGS font (.wfn), a glyph sheet (.bmp) or, with any other\n"
      "extension, an SCI font (font.001, font.0). A file whose name starts\n"
      "with a dash is opened as ./-name.\n";

} // namespace glyphsmith
