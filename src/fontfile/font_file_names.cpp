// Reads the names of a font file's faces.
//
// TrueType and OpenType (also a collection, whose first font is used): the
// table directory, big-endian, points at the "name" table, whose records
// hold the family GDI knows (name 1), the style (name 2) and, in larger
// families, the family and style as typographers name them (names 16 and
// 17), preferably as UTF-16 in the Windows platform's US English; the "OS/2" table gives the weight and
// whether the face is italic, which GDI needs to pick this face of a family.
//
// Windows .fnt: a little-endian header whose fields sit at fixed offsets;
// the face name is a NUL-terminated string at the offset in dfFace. A .fon
// is a 16-bit (NE) program whose resources of type RT_FONT are such .fnt
// files, one per size.

#include "fontfile/font_file_names.h"

#include <algorithm>
#include <span>

#include "font/byte_stream.h"
#include "font/utf8.h"

namespace glyphsmith {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint16_t RtFont = 0x8008;

// Big-endian reads for the sfnt tables; nullopt past the end.
std::optional<std::uint32_t> bigEndian(Bytes bytes, std::size_t at, std::size_t count)
{
    if (at > bytes.size() || bytes.size() - at < count)
        return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = (value << 8) | bytes[at + i];
    return value;
}

// UTF-16BE to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string fromUtf16BigEndian(Bytes text)
{
    std::string result;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        char32_t unit = (text[i] << 8) | text[i + 1];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < text.size()) {
            const char32_t low = (text[i + 2] << 8) | text[i + 3];
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(result, unit >= 0xD800 && unit < 0xE000 ? ReplacementCharacter : unit);
    }
    return result;
}

// Name `id` of the name table: the Windows record in US English first, then
// any Windows Unicode record, then the Macintosh Roman one (read as Latin-1).
// Every Windows record of the name is added to `all` when given.
std::string sfntName(Bytes table, unsigned id, std::vector<std::string>* all = nullptr)
{
    const auto count = bigEndian(table, 2, 2);
    const auto strings = bigEndian(table, 4, 2);
    if (!count || !strings)
        return {};
    std::string best;
    int bestRank = 0;
    for (std::uint32_t record = 0; record < *count; ++record) {
        const std::size_t at = 6 + record * 12;
        const auto platform = bigEndian(table, at, 2);
        const auto encoding = bigEndian(table, at + 2, 2);
        const auto language = bigEndian(table, at + 4, 2);
        const auto name = bigEndian(table, at + 6, 2);
        const auto length = bigEndian(table, at + 8, 2);
        const auto offset = bigEndian(table, at + 10, 2);
        if (!offset || *name != id)
            continue;
        const bool windows = *platform == 3 && (*encoding == 0 || *encoding == 1);
        const bool mac = *platform == 1 && *encoding == 0;
        const int rank = windows ? (*language == 0x409 ? 3 : 2) : mac ? 1 : 0;
        const std::size_t start = *strings + *offset;
        if (start > table.size() || table.size() - start < *length)
            continue;
        const Bytes text = table.subspan(start, *length);
        if (windows && all)
            all->push_back(fromUtf16BigEndian(text));
        if (rank <= bestRank)
            continue;
        if (windows) {
            best = fromUtf16BigEndian(text);
        } else {
            best.clear();
            for (std::uint8_t byte : text)
                appendUtf8(best, byte);
        }
        bestRank = rank;
    }
    return best;
}

std::optional<FontFileNames> readSfnt(Bytes file)
{
    std::size_t font = 0;
    FontFileNames names;
    if (bigEndian(file, 0, 4) == 0x74746366u) { // "ttcf"
        const auto faces = bigEndian(file, 8, 4);
        const auto first = bigEndian(file, 12, 4);
        if (!faces || !first || *faces == 0)
            return std::nullopt;
        names.faces = static_cast<int>(std::min<std::uint32_t>(*faces, 0xFFFF));
        font = *first;
    }
    const auto version = bigEndian(file, font, 4);
    if (version == 0x4F54544Fu) // "OTTO"
        names.format = "CFF";
    else if (version == 0x00010000u || version == 0x74727565u) // "true"
        names.format = "TrueType";
    else
        return std::nullopt;
    const auto tables = bigEndian(file, font + 4, 2);
    if (!tables)
        return std::nullopt;
    Bytes nameTable;
    Bytes os2Table;
    for (std::uint32_t index = 0; index < *tables; ++index) {
        const std::size_t record = font + 12 + index * 16;
        const auto tag = bigEndian(file, record, 4);
        const auto offset = bigEndian(file, record + 8, 4);
        const auto length = bigEndian(file, record + 12, 4);
        if (!length || *offset > file.size() || file.size() - *offset < *length)
            return std::nullopt;
        if (*tag == 0x6E616D65u) // "name"
            nameTable = file.subspan(*offset, *length);
        else if (*tag == 0x4F532F32u) // "OS/2"
            os2Table = file.subspan(*offset, *length);
    }
    names.faceName = sfntName(nameTable, 1, &names.familyNames);
    if (names.faceName.empty())
        return std::nullopt;
    names.family = sfntName(nameTable, 16);
    names.style = sfntName(nameTable, 17);
    if (names.family.empty())
        names.family = names.faceName;
    if (names.style.empty())
        names.style = sfntName(nameTable, 2);
    if (const auto weight = bigEndian(os2Table, 4, 2); weight && *weight > 0)
        names.weight = static_cast<int>(*weight);
    if (const auto selection = bigEndian(os2Table, 62, 2))
        names.italic = (*selection & 1) != 0;
    return names;
}

// One .fnt at `at`: version 2 or 3, a raster font (dfType bit 0 clear).
std::optional<RasterFaceRecord> readFnt(Bytes file, std::size_t at)
{
    if (at > file.size())
        return std::nullopt;
    ByteReader reader(file.subspan(at));
    const std::uint16_t version = reader.u16le();
    reader.seek(66);
    const std::uint16_t type = reader.u16le();
    const int points = reader.u16le();
    const int resolution = reader.u16le();
    reader.seek(74);
    RasterFaceRecord face;
    face.ascent = reader.u16le();
    reader.seek(80);
    face.italic = reader.u8() != 0;
    reader.seek(83);
    face.weight = reader.u16le();
    face.charset = reader.u8();
    reader.seek(88);
    face.pixelHeight = reader.u16le();
    reader.seek(105);
    const std::uint32_t nameOffset = reader.u32le();
    if (reader.overran() || (version != 0x200 && version != 0x300) || (type & 1) != 0 || face.pixelHeight == 0)
        return std::nullopt;
    reader.seek(nameOffset);
    while (!reader.overran()) {
        const std::uint8_t c = reader.u8();
        if (c == 0 || reader.overran())
            break;
        face.faceName += static_cast<char>(c);
    }
    if (face.faceName.empty())
        return std::nullopt;
    // Rounded as FreeType rounds it, so both builds name and choose sizes alike.
    const int nominal = (points * resolution * 64 + 36) / 72;
    face.pixelSize = nominal >= 32 ? (nominal + 32) / 64 : face.pixelHeight;
    return face;
}

// The RT_FONT resources of a 16-bit Windows program.
std::optional<std::vector<RasterFaceRecord>> readFonResources(Bytes file)
{
    ByteReader reader(file);
    reader.seek(0x3C);
    const std::uint32_t header = reader.u32le();
    reader.seek(header);
    if (reader.u8() != 'N' || reader.u8() != 'E')
        return std::nullopt;
    reader.seek(header + 0x24);
    reader.seek(header + reader.u16le());
    const unsigned shift = reader.u16le();
    if (shift > 16)
        return std::nullopt;
    std::vector<RasterFaceRecord> faces;
    while (!reader.overran()) {
        const std::uint16_t type = reader.u16le();
        if (type == 0)
            break;
        const std::uint16_t count = reader.u16le();
        reader.skip(4);
        for (std::uint16_t i = 0; i < count && !reader.overran(); ++i) {
            const std::size_t offset = static_cast<std::size_t>(reader.u16le()) << shift;
            reader.skip(10);
            if (type == RtFont)
                if (std::optional<RasterFaceRecord> face = readFnt(file, offset))
                    faces.push_back(*face);
        }
    }
    if (reader.overran() || faces.empty())
        return std::nullopt;
    return faces;
}

} // namespace

std::optional<FontFileNames> readFontFileNames(const std::vector<std::uint8_t>& bytes)
{
    const Bytes file(bytes);
    if (std::optional<FontFileNames> sfnt = readSfnt(file))
        return sfnt;
    FontFileNames names;
    names.format = "Windows FNT";
    if (file.size() >= 2 && file[0] == 'M' && file[1] == 'Z') {
        std::optional<std::vector<RasterFaceRecord>> faces = readFonResources(file);
        if (!faces)
            return std::nullopt;
        names.rasterFaces = std::move(*faces);
    } else if (std::optional<RasterFaceRecord> face = readFnt(file, 0)) {
        names.rasterFaces.push_back(*face);
    } else {
        return std::nullopt;
    }
    names.family = names.faceName = names.rasterFaces.front().faceName;
    names.faces = static_cast<int>(names.rasterFaces.size());
    return names;
}

} // namespace glyphsmith
