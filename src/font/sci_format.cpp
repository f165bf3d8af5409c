// The SCI font file (font.*, *.0, and NNN.fon, the patch files of later
// games). All 16-bit values are unsigned little-endian.
//
//   0   1 byte    resource type: 0x87 or 0x07, a font
//   1   1 byte    n, the count of further header bytes
//   2   n bytes   skipped by the engine (0 for most files, 32 in some patches)
//
// The font data follow at 2 + n; positions below count from there:
//
//   0   2 bytes   zero
//   2   2 bytes   number of characters (128 for most fonts; SCI games draw
//                 codes 128 to 255 as letters of their code page)
//   4   2 bytes   line height
//   6   2 x count offset table, code 0 first, positions in the font data
//   ... records:  width (1 byte), height (1 byte), then height rows packed as
//                 in row_packing.h
//
// We write the records in code order straight after the table. On reading,
// records are reached only through the table, so they may lie in any order,
// leave gaps, or be shared by several characters. The line height is kept as
// the file states it, and the resource header as the file has it
// (BitmapFont::sciHeader), so an untouched font is written back unchanged.

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

// The font data begin with these bytes, then the count and the line height.
constexpr std::array<std::uint8_t, 2> DataSignature = { 0x00, 0x00 };
constexpr std::size_t DataHeaderBytes = 6;
// A table of 65535 entries and records reachable through 16-bit offsets
// stay well below this; the cap only keeps a stray huge file from being
// loaded whole.
constexpr std::size_t MaxFileBytes = 4 * 1024 * 1024;
// The last position in the font data a 16-bit offset can name.
constexpr std::size_t LastRecordPosition = 0xffff;

} // namespace

bool isSciResourceType(std::uint8_t firstByte)
{
    return firstByte == 0x87 || firstByte == 0x07;
}

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
    if (bytes.size() < 2 || !isSciResourceType(bytes[0]))
        return FileResult::failed(FileError::BadSignature);
    // The engine skips n header bytes and refuses a file with nothing after them.
    const std::size_t dataStart = 2 + std::size_t{ bytes[1] };
    if (dataStart >= bytes.size())
        return FileResult::failed(FileError::NoDataAfterHeader);
    const std::span<const std::uint8_t> data = bytes.subspan(dataStart);
    const std::size_t signatureBytes = std::min(data.size(), DataSignature.size());
    if (!std::equal(data.begin(), data.begin() + signatureBytes, DataSignature.begin()))
        return FileResult::failed(FileError::BadSignature);
    if (data.size() < DataHeaderBytes)
        return FileResult::failed(FileError::EndsInsideHeader);

    ByteReader reader(data);
    reader.seek(DataSignature.size());
    const int count = reader.u16le();
    const std::uint16_t fileLineHeight = reader.u16le();

    // Every character of the count is read; a font holds at least 128 codes.
    const int used = count;
    if (DataHeaderBytes + 2 * static_cast<std::size_t>(used) > data.size())
        return FileResult::failed(FileError::TableOutsideFile);

    std::vector<GlyphRecord> records(static_cast<std::size_t>(used));
    for (int c = 0; c < used; ++c) {
        reader.seek(DataHeaderBytes + 2 * static_cast<std::size_t>(c));
        const std::size_t position = reader.u16le();
        if (position >= data.size())
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
    setCodeCount(used);
    lineHeight = fileLineHeight;
    sciHeader = { bytes[0], { bytes.begin() + 2, bytes.begin() + static_cast<std::ptrdiff_t>(dataStart) } };
    for (int c = 0; c < codeCount(); ++c) {
        Glyph& glyph = glyphs[c];
        if (c >= used) {
            glyph.clear();
            continue;
        }
        loadGlyph(data, records[c], glyph);
    }

    return FileResult::done();
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
    // The count is 16-bit: a font of every 65,536 codes cannot be written.
    if (codeCount() > 0xffff)
        return FileResult::failed(FileError::FontTooLarge);
    // Only a header read from a file is other than 87 00; one that no file
    // could have held is a caller's mistake, not something to write.
    if (!isSciResourceType(sciHeader.type) || sciHeader.skipped.size() > 0xff)
        return FileResult::failed(FileError::NotSupported);
    std::vector<std::uint16_t> table(glyphs.size());
    std::size_t position = DataHeaderBytes + 2 * glyphs.size();
    for (int c = 0; c < codeCount(); ++c) {
        const Glyph& glyph = glyphs[c];
        if (!fitsGlyph(glyph.width, glyph.height))
            return FileResult::failed(FileError::GlyphTooLarge, c);
        if (position > LastRecordPosition)
            return FileResult::failed(FileError::FontTooLarge, c);
        table[c] = static_cast<std::uint16_t>(position);
        position += 2 + packedSize(glyph.width, glyph.height);
    }

    ByteWriter out;
    out.reserve(2 + sciHeader.skipped.size() + position);
    out.u8(sciHeader.type);
    out.u8(static_cast<std::uint8_t>(sciHeader.skipped.size()));
    out.append(sciHeader.skipped);
    out.append(DataSignature);
    out.u16le(static_cast<std::uint16_t>(codeCount()));
    // Only the low 16 bits of the line height fit the file.
    out.u16le(static_cast<std::uint16_t>(lineHeight & 0xffff));
    for (std::uint16_t entry : table)
        out.u16le(entry);
    for (const Glyph& glyph : glyphs) {
        out.u8(static_cast<std::uint8_t>(glyph.width));
        out.u8(static_cast<std::uint8_t>(glyph.height));
        appendRows(out, glyph);
    }

    bytes = out.take();
    return FileResult::done();
}

} // namespace glyphsmith
