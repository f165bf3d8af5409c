#include "font/glyph_record.h"

#include <array>

#include "font/row_packing.h"

namespace glyphsmith {

FileError checkRecord(const ByteReader& reader, int width, int height, GlyphRecord& record)
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

void loadGlyph(std::span<const std::uint8_t> file, const GlyphRecord& record, Glyph& glyph)
{
    glyph.width = record.width;
    glyph.height = record.height;
    unpackRows(file.subspan(record.rows), record.width, record.height, glyph);
}

void appendRows(ByteWriter& out, const Glyph& glyph)
{
    std::array<std::uint8_t, MaxPackedBytes> rows;
    packRows(glyph, rows);
    out.append(std::span(rows).first(packedSize(glyph.width, glyph.height)));
}

} // namespace glyphsmith
