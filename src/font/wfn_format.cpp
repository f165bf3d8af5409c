// The AGS font file (.wfn). All 16-bit values are unsigned little-endian.
//
//   0   15 bytes  the text "WGT Font File  " (two trailing blanks, no zero)
//   15  2 bytes   absolute position of the offset table
//   17  ...       character records: width (16-bit), height (16-bit), then
//                 height rows packed as in row_packing.h
//   T   2 x N     offset table: N absolute record positions, code 0 first
//
// The engine counts the characters as (file size - T) / 2, so the table ends
// the file and may hold fewer or more than 128 entries; a game in Unicode
// mode indexes it by code point, up to 65535. An entry 0 names no record:
// that character has no glyph. Every record must start below 64 KiB, since
// the entries are 16-bit; the table itself may run past that.
//
// We write codes 0 to 127 as records in code order, one each, as fonts of 128
// codes have always been written. From code 128 up, an empty glyph gets the
// entry 0 and identical glyphs share one record, so a sparse Unicode font
// stays small. The table follows the records and ends the file. On reading,
// records are reached only through the table, so they may lie in any order,
// leave gaps, or be shared by several characters. The line height is not
// stored; a read sets it to the tallest glyph's height.

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // The engine takes every 16-bit value from the table to the end of the
    // file as a table entry (a lone last byte is no entry). It loads a table
    // of fewer than 128 entries, but not one without any.
    const std::size_t entries = tablePosition < bytes.size() ? (bytes.size() - tablePosition) / 2 : 0;
    if (entries == 0)
        return FileResult::failed(FileError::TableOutsideFile);
    const int read = static_cast<int>(std::min<std::size_t>(entries, MaxCodeCount));

    std::vector<GlyphRecord> records(static_cast<std::size_t>(read));
    std::vector<int> unreadable; // codes from 128 up whose entry names no readable record
    for (int c = 0; c < read; ++c) {
        reader.seek(tablePosition + 2 * static_cast<std::size_t>(c));
        const std::size_t entry = reader.u16le();
        // Position 0 holds the signature, never a record: the engine reads
        // such an entry as a character without a glyph.
        if (entry == 0) {
            records[c] = { 0, 0, 0 };
            continue;
        }
        FileError error = FileError::RecordOutsideFile;
        if (entry < bytes.size()) {
            // A reader of its own: an overrun here must not mark the records after it.
            ByteReader record(bytes);
            record.seek(entry);
            const int width = record.u16le();
            const int height = record.u16le();
            error = checkRecord(record, width, height, records[c]);
        }
        if (error == FileError::None)
            continue;
        // Bytes after a table of 128 entries were long ignored, and some files
        // carry such junk; the engine shows those characters as nothing, and
        // so do we, rather than refuse the whole font.
        if (c < GlyphCount)
            return FileResult::failed(error, c);
        records[c] = { 0, 0, 0 };
        unreadable.push_back(c);
    }

    // Everything is known to be in the file: this part cannot fail. Unpacking
    // sets every cell of a glyph; codes past a short table are cleared.
    setCodeCount(read);
    lineHeight = 0;
    sciHeader = {}; // saved as an SCI font, this one gets 87 00
    for (int c = 0; c < codeCount(); ++c) {
        Glyph& glyph = glyphs[c];
        if (c >= read) {
            glyph.clear();
            continue;
        }
        loadGlyph(bytes, records[c], glyph);
        lineHeight = std::max(lineHeight, glyph.height);
    }

    FileResult result = FileResult::done();
    if (entries < GlyphCount)
        result.warning = "the file holds only " + std::to_string(entries)
            + " characters; the codes it lacks, up to 127, were left empty";
    else if (entries > MaxCodeCount)
        result.warning = "the file holds " + std::to_string(entries) + " characters; only the first "
            + std::to_string(MaxCodeCount) + " were read";
    if (!unreadable.empty())
        result.warning += std::string(result.warning.empty() ? "" : "; ") + std::to_string(unreadable.size())
            + " characters from code " + std::to_string(unreadable.front())
            + " on name no readable record and were left empty";
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
    // The records first, then the table; a font whose records or table would
    // not be reachable through 16-bit positions is refused before any file
    // is made.
    ByteWriter out;
    out.reserve(PositionLimit);
    out.append(std::span(reinterpret_cast<const std::uint8_t*>(Signature.data()), Signature.size()));
    out.u16le(0); // the table position, set once it is known
    std::vector<std::uint16_t> table(glyphs.size(), 0);
    // Where each distinct record was written, keyed by its bytes.
    std::unordered_map<std::string, std::uint16_t> written;
    // Only a font of more than 128 codes has records to share.
    const bool sharing = codeCount() > GlyphCount;
    std::array<std::uint8_t, MaxPackedBytes> rows;
    for (int c = 0; c < codeCount(); ++c) {
        const Glyph& glyph = glyphs[c];
        if (!fitsGlyph(glyph.width, glyph.height))
            return FileResult::failed(FileError::GlyphTooLarge, c);
        if (c >= GlyphCount && glyph.isEmpty())
            continue;
        packRows(glyph, rows);
        const std::span<const std::uint8_t> packed = std::span(rows).first(packedSize(glyph.width, glyph.height));
        std::string key;
        if (sharing) {
            key = { static_cast<char>(glyph.width), static_cast<char>(glyph.height) };
            key.append(packed.begin(), packed.end());
        }
        if (c >= GlyphCount) {
            if (const auto found = written.find(key); found != written.end()) {
                table[c] = found->second;
                continue;
            }
        }
        if (out.position() >= PositionLimit)
            return FileResult::failed(FileError::FontTooLarge, c);
        table[c] = static_cast<std::uint16_t>(out.position());
        if (sharing)
            written.emplace(std::move(key), table[c]);
        out.u16le(static_cast<std::uint16_t>(glyph.width));
        out.u16le(static_cast<std::uint16_t>(glyph.height));
        out.append(packed);
    }
    const std::size_t tablePosition = out.position();
    if (tablePosition >= PositionLimit)
        return FileResult::failed(FileError::FontTooLarge);
    out.patchU16le(Signature.size(), static_cast<std::uint16_t>(tablePosition));
    for (std::uint16_t entry : table)
        out.u16le(entry);

    bytes = out.take();
    return FileResult::done();
}

} // namespace glyphsmith
