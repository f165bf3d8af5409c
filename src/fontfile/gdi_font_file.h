#pragma once

// The font-file reader of the Windows build, on GDI: TrueType, OpenType
// (also collections, whose first face is used) and Windows .fon/.fnt. The
// file is added privately to this process for as long as a face of it is
// open. GDI's types stay inside gdi_font_file.cpp.

#include "font/font_file_import.h"

namespace glyphsmith {

class GdiFontFileReader : public FontFileReader {
public:
    std::unique_ptr<FontFace> openFace(const std::string& path, int pixelSize, FileResult& error) override;
    bool readsBdfAndPcf() const override { return false; }
};

} // namespace glyphsmith
