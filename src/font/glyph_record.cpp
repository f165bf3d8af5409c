#include "font/glyph_record.h"

#include <array>

#include "font/row_packing.h"

namespace glyphsmith {

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
