// The AGS font file (.wfn). All 16-bit values are unsigned little-endian.
//
//   0   15 bytes  the text "WGT Font File  " (two trailing blanks, no zero)
//   15  2 bytes   absolute position of the offset table
//   17  ...       character records: width (16-bit), height (16-bit), then
//                 height rows packed as in row_packing.h
//   T   256 bytes offset table: 128 absolute record positions, code 0 first
//
// The engine counts the characters as (file size - T) / 2, so the table ends
// the file; extended fonts hold more than 128 entries, of which we read the
// first 128. An entry 0 names no record: that character has no glyph.
//
// We write the records in code order followed by the table, which ends the
// file. On reading, records are reached only through the table, so they may
// lie in any order, leave gaps, or be shared by several characters. The line
// height is not stored; a read sets it to the tallest glyph's height.

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "font/bitmap_font.h"
#include "font/byte_stream.h"
#include "font/file_io.h"
#include "font/glyph_record.h"
#include "font/row_packing.h"

namespace glyphsmith {

namespace {

constexpr std::string_view Signature = "WGT Font File  ";
constexpr std::size_t HeaderBytes = Signature.size() + 2;
constexpr std::size_t TableBytes = GlyphCount * 2;
// Positions are 16-bit, so nothing the format can reach lies at 65536 or
// beyond; the cap only keeps a stray huge file from being loaded whole.
constexpr std::size_t MaxFileBytes = 4 * 1024 * 1024;
constexpr std::size_t PositionLimit = 65536;

} // namespace

FileResult BitmapFont::readWfn(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (FileError error = readWholeFile(path, MaxFileBytes, bytes); error != FileError::None)
        return FileResult::failed(error);
    return readWfnBytes(bytes);
}

FileResult BitmapFont::readWfnBytes(std::span<const std::uint8_t> bytes)
{
    // Check the whole file before touching the font, so a refused file
    // leaves the font exactly as it was.
    if (bytes.size() > MaxFileBytes)
        return FileResult::failed(FileError::FileTooLarge);
    if (bytes.size() < Signature.size() || std::memcmp(bytes.data(), Signature.data(), Signature.size()) != 0)
        return FileResult::failed(FileError::BadSignature);
    if (bytes.size() < HeaderBytes)
        return FileResult::failed(FileError::EndsInsideHeader);

    ByteReader reader(bytes);
    reader.seek(Signature.size());
    const std::size_t tablePosition = reader.u16le();
    if (tablePosition + TableBytes > bytes.size())
        return FileResult::failed(FileError::TableOutsideFile);
    // The engine takes every 16-bit value from the table to the end of the
    // file as a table entry (a lone last byte is no entry). Extended fonts
    // use this for more than 128 characters; only the first 128 are read.
    const std::size_t entries = (bytes.size() - tablePosition) / 2;

    std::array<std::uint16_t, GlyphCount> table;
    reader.seek(tablePosition);
    for (std::uint16_t& entry : table)
        entry = reader.u16le();

    std::array<GlyphRecord, GlyphCount> records;
    for (int c = 0; c < GlyphCount; ++c) {
        // Position 0 holds the signature, never a record: the engine reads
        // such an entry as a character without a glyph.
        if (table[c] == 0) {
            records[c] = { 0, 0, 0 };
            continue;
        }
        if (table[c] >= bytes.size())
            return FileResult::failed(FileError::RecordOutsideFile, c);
        reader.seek(table[c]);
        const int width = reader.u16le();
        const int height = reader.u16le();
        if (FileError error = checkRecord(reader, width, height, records[c]); error != FileError::None)
            return FileResult::failed(error, c);
    }

    // Everything is known to be in the file: this part cannot fail. Unpacking
    // sets every cell of a glyph, so the glyphs need no clearing first.
    lineHeight = 0;
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = glyphs[c];
        loadGlyph(bytes, records[c], glyph);
        lineHeight = std::max(lineHeight, glyph.height);
    }

    FileResult result = FileResult::done();
    if (entries > GlyphCount)
        result.warning = "the file holds " + std::to_string(entries) + " characters; only the first "
            + std::to_string(GlyphCount) + " were read";
    return result;
}

FileResult BitmapFont::writeWfn(const std::string& path) const
{
    std::vector<std::uint8_t> bytes;
    FileResult result = writeWfnBytes(bytes);
    return result.ok() ? saveFile(path, bytes) : result;
}

FileResult BitmapFont::writeWfnBytes(std::vector<std::uint8_t>& bytes) const
{
    // Lay out the file first: a font whose records or table would not be
    // reachable through 16-bit positions is refused before any file is made.
    std::array<std::uint16_t, GlyphCount> table;
    std::size_t position = HeaderBytes;
    for (int c = 0; c < GlyphCount; ++c) {
        const Glyph& glyph = glyphs[c];
        if (!fitsGlyph(glyph.width, glyph.height))
            return FileResult::failed(FileError::GlyphTooLarge, c);
        if (position >= PositionLimit)
            return FileResult::failed(FileError::FontTooLarge);
        table[c] = static_cast<std::uint16_t>(position);
        position += 4 + packedSize(glyph.width, glyph.height);
    }
    const std::size_t tablePosition = position;
    if (tablePosition >= PositionLimit)
        return FileResult::failed(FileError::FontTooLarge);

    ByteWriter out;
    out.reserve(tablePosition + TableBytes);
    out.append(std::span(reinterpret_cast<const std::uint8_t*>(Signature.data()), Signature.size()));
    out.u16le(static_cast<std::uint16_t>(tablePosition));
    // Only the codes the table was laid out for: records of a larger font's
    // higher codes would move the table away from where the header says.
    for (const Glyph& glyph : std::span(glyphs).first(GlyphCount)) {
        out.u16le(static_cast<std::uint16_t>(glyph.width));
        out.u16le(static_cast<std::uint16_t>(glyph.height));
        appendRows(out, glyph);
    }
    for (std::uint16_t entry : table)
        out.u16le(entry);

    bytes = out.take();
    return FileResult::done();
}

} // namespace glyphsmith
