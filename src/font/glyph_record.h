#pragma once

// The part of a character record both font file formats share. A record holds
// the glyph's width and height, stored differently by each format, followed by
// its rows packed as in row_packing.h; these helpers deal with what follows
// the size fields.

#include <cstddef>
#include <cstdint>
#include <span>

#include "font/bitmap_font.h"
#include "font/byte_stream.h"
#include "font/file_result.h"
#include "font/row_packing.h"

namespace glyphsmith {

// A record that has been checked against its file.
struct GlyphRecord {
    std::size_t rows; // position of the first row byte
    int width;
    int height;
};

// Checks a record whose width and height were just read through `reader`, which
// now stands where the rows begin: the size fields must have been in the file,
// the size must fit a Glyph, and every row byte must lie in the file. Returns
// FileError::None and fills `record` when they do; otherwise the reason, and
// `record` is left alone.
// Inline: it runs for every character of every font read.
inline FileError checkRecord(const ByteReader& reader, int width, int height, GlyphRecord& record)
{
    if (reader.overran())
        return FileError::EndsInsideRecord;
    if (!fitsGlyph(width, height))
        return FileError::GlyphTooLarge;
    if (packedSize(width, height) > reader.remaining())
        return FileError::EndsInsideRecord;
    record = { reader.position(), width, height };
    return FileError::None;
}

// Gives `glyph` the size and every cell of a record checked against `file`.
void loadGlyph(std::span<const std::uint8_t> file, const GlyphRecord& record, Glyph& glyph);

// Appends the packed rows of `glyph`, whose size must fit a Glyph.
void appendRows(ByteWriter& out, const Glyph& glyph);

} // namespace glyphsmith
