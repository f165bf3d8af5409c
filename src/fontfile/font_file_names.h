#pragma once

// What a font file says about itself, read from its bytes: the names of its
// faces and, for a Windows bitmap font, the size of each one. The GDI reader
// needs them to ask for the faces it has just added by name; GDI itself has
// no documented call that names the fonts of a file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glyphsmith {

// One font of a Windows .fnt, or of the font resources of a .fon.
struct RasterFaceRecord {
    std::string faceName; // in the font's own character set (ASCII in practice)
    int pixelHeight = 0;  // of the whole cell, as stored
    int pixelSize = 0;    // the nominal size in pixels: its points at its vertical resolution
    int ascent = 0;
    int charset = 0;      // a Windows character set number (0 ANSI, 204 Russian, 255 OEM, ...)
    int weight = 400;
    bool italic = false;
};

struct FontFileNames {
    std::string format;    // "TrueType", "CFF" (OpenType with PostScript outlines) or "Windows FNT"
    // UTF-8: the family and style as the file names them for people (an
    // OpenType font's typographic names where it has them: "DejaVu Sans",
    // "ExtraLight"), and the family GDI knows the face by ("DejaVu Sans Light").
    std::string family;
    std::string style;     // empty where the file names none
    std::string faceName;
    // An outline font's every name for its face on Windows, in any
    // language: GDI may report any of them for the face it gives.
    std::vector<std::string> familyNames;
    int weight = 400;      // of the first face of an outline font
    bool italic = false;
    int faces = 1;
    std::vector<RasterFaceRecord> rasterFaces; // empty for an outline font
};

// Nullopt when the bytes are none of those formats or are damaged.
std::optional<FontFileNames> readFontFileNames(const std::vector<std::uint8_t>& bytes);

} // namespace glyphsmith
