// The SCI font file (font.*, *.0). All 16-bit values are unsigned little-endian.
//
//   0   2 bytes   resource header 0x87 0x00
//   2   2 bytes   zero
//   4   2 bytes   number of characters (we write 128)
//   6   2 bytes   line height
//   8   2 x count offset table, code 0 first; an entry v names position v + 2,
//                 since offsets count from the end of the resource header
//   ... records:  width (1 byte), height (1 byte), then height rows packed as
//                 in row_packing.h
//
// We write the records in code order straight after the table. On reading,
// records are reached only through the table, so they may lie in any order,
// leave gaps, or be shared by several characters. The line height is kept as
// the file states it.

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "font/byte_stream.h"
#include "font/file_io.h"
#include "font/glyph_record.h"
#include "font/row_packing.h"

namespace glyphsmith {

namespace {

constexpr std::array<std::uint8_t, 4> Signature = { 0x87, 0x00, 0x00, 0x00 };
constexpr std::size_t HeaderBytes = 8;
constexpr std::size_t ResourceHeaderBytes = 2;
// A table of 65535 entries and records reachable through 16-bit offsets
// stay well below this; the cap only keeps a stray huge file from being
// loaded whole.
constexpr std::size_t MaxFileBytes = 4 * 1024 * 1024;
// The last position a 16-bit offset can name.
constexpr std::size_t LastRecordPosition = 0xffff + ResourceHeaderBytes;

} // namespace

FileResult BitmapFont::readSci(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (FileError error = readWholeFile(path, MaxFileBytes, bytes); error != FileError::None)
        return FileResult::failed(error);
    return readSciBytes(bytes);
}

FileResult BitmapFont::readSciBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > MaxFileBytes)
        return FileResult::failed(FileError::FileTooLarge);
    // Check the whole file before touching the font, so a refused file
    // leaves the font exactly as it was.
    if (bytes.size() < Signature.size() || !std::equal(Signature.begin(), Signature.end(), bytes.begin()))
        return FileResult::failed(FileError::BadSignature);
    if (bytes.size() < HeaderBytes)
        return FileResult::failed(FileError::EndsInsideHeader);

    ByteReader reader(bytes);
    reader.seek(Signature.size());
    const int count = reader.u16le();
    const std::uint16_t fileLineHeight = reader.u16le();

    // A font holds 128 characters; entries beyond them are not looked at.
    const int used = std::min(count, GlyphCount);
    if (HeaderBytes + 2 * static_cast<std::size_t>(used) > bytes.size())
        return FileResult::failed(FileError::TableOutsideFile);

    std::array<GlyphRecord, GlyphCount> records;
    for (int c = 0; c < used; ++c) {
        reader.seek(HeaderBytes + 2 * static_cast<std::size_t>(c));
        const std::size_t position = std::size_t{ reader.u16le() } + ResourceHeaderBytes;
        if (position >= bytes.size())
            return FileResult::failed(FileError::RecordOutsideFile, c);
        reader.seek(position);
        const int width = reader.u8();
        const int height = reader.u8();
        if (FileError error = checkRecord(reader, width, height, records[c]); error != FileError::None)
            return FileResult::failed(error, c);
    }

    // Everything is known to be in the file: this part cannot fail. Unpacking
    // sets every cell of a glyph; glyphs the file does not reach are cleared
    // to 0 x 0.
    lineHeight = fileLineHeight;
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = glyphs[c];
        if (c >= used) {
            glyph.clear();
            continue;
        }
        loadGlyph(bytes, records[c], glyph);
    }

    FileResult result = FileResult::done();
    if (count > GlyphCount)
        result.warning = "the file holds " + std::to_string(count) + " characters; only the first "
            + std::to_string(GlyphCount) + " were read";
    return result;
}

FileResult BitmapFont::writeSci(const std::string& path) const
{
    std::vector<std::uint8_t> bytes;
    FileResult result = writeSciBytes(bytes);
    return result.ok() ? saveFile(path, bytes) : result;
}

FileResult BitmapFont::writeSciBytes(std::vector<std::uint8_t>& bytes) const
{
    // Lay out the file first: a font whose records would not be reachable
    // through 16-bit offsets is refused before any file is made.
    std::array<std::uint16_t, GlyphCount> table;
    std::size_t position = HeaderBytes + 2 * GlyphCount;
    for (int c = 0; c < GlyphCount; ++c) {
        const Glyph& glyph = glyphs[c];
        if (!fitsGlyph(glyph.width, glyph.height))
            return FileResult::failed(FileError::GlyphTooLarge, c);
        if (position > LastRecordPosition)
            return FileResult::failed(FileError::FontTooLarge);
        table[c] = static_cast<std::uint16_t>(position - ResourceHeaderBytes);
        position += 2 + packedSize(glyph.width, glyph.height);
    }

    ByteWriter out;
    out.reserve(position);
    out.append(Signature);
    out.u16le(GlyphCount);
    // Only the low 16 bits of the line height fit the file.
    out.u16le(static_cast<std::uint16_t>(lineHeight & 0xffff));
    for (std::uint16_t entry : table)
        out.u16le(entry);
    // Only the codes the table was laid out for; a larger font's higher codes
    // are not part of this file.
    for (const Glyph& glyph : std::span(glyphs).first(GlyphCount)) {
        out.u8(static_cast<std::uint8_t>(glyph.width));
        out.u8(static_cast<std::uint8_t>(glyph.height));
        appendRows(out, glyph);
    }

    bytes = out.take();
    return FileResult::done();
}

} // namespace glyphsmith
