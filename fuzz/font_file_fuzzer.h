#pragma once

// The shared body of the AGS and SCI fuzz targets: read the bytes, and when
// they read, write the font again and read that back to the same font.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_checks.h"

namespace glyphsmith::fuzz {

struct FontFileFormat {
    FileResult (BitmapFont::*read)(std::span<const std::uint8_t>);
    FileResult (BitmapFont::*write)(std::vector<std::uint8_t>&) const;
};

inline void fuzzFontFile(const FontFileFormat& format, const std::uint8_t* data, std::size_t size)
{
    static ReadBench bench;
    static auto again = std::make_unique<BitmapFont>();
    bench.reset();
    BitmapFont& font = bench.font();
    const FileResult read = (font.*format.read)(std::span(data, size));
    bench.checkUnchangedUnlessDone(read);
    if (!read.ok())
        return;
    for (const Glyph& glyph : font.glyphs)
        require(glyph.width >= 0 && glyph.width <= MaxGlyphSize && glyph.height >= 0 && glyph.height <= MaxGlyphSize,
            "a read glyph is larger than 64 x 64");

    // Records may be shared in a file, so a font that reads may still be too
    // large to write out whole; any other refusal is a fault.
    std::vector<std::uint8_t> written;
    const FileResult write = (font.*format.write)(written);
    if (!write.ok()) {
        require(write.error == FileError::FontTooLarge, "a font that was read cannot be written");
        return;
    }
    const FileResult back = (again.get()->*format.read)(written);
    require(back.ok() && back.warning.empty(), "a written font does not read back cleanly");
    require(sameBytes(*again, font), "a font read, written and read again changed");
}

} // namespace glyphsmith::fuzz
