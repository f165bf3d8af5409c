#pragma once

// The font-file reader on FreeType: TrueType, OpenType (also collections,
// whose first face is used), BDF, PCF (also gzip-compressed) and Windows
// .fon/.fnt. FreeType's own types stay inside freetype_font_file.cpp.

#include "font/font_file_import.h"

namespace glyphsmith {

class FreeTypeFontFileReader : public FontFileReader {
public:
    std::unique_ptr<FontFace> openFace(const std::string& path, int pixelSize, FileResult& error) override;
};

} // namespace glyphsmith
