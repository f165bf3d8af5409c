#include "gamedata/sci_game_samples.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace glyphsmith {

namespace {

void put16(Bytes& bytes, std::uint32_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& bytes, std::uint32_t value)
{
    put16(bytes, value & 0xffff);
    put16(bytes, value >> 16);
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void putHeader(Bytes& volume, SciVolumeLayout layout, const SampleResource& r)
{
    const auto stored = static_cast<std::uint32_t>(r.stored.size());
    switch (layout) {
    case SciVolumeLayout::Sci0:
        put16(volume, static_cast<std::uint32_t>(r.type << 11 | r.number));
        put16(volume, stored + 4);
        put16(volume, r.unpackedSize);
        break;
    case SciVolumeLayout::Sci1:
    case SciVolumeLayout::Sci11:
        volume.push_back(static_cast<std::uint8_t>(0x80 | r.type));
        put16(volume, static_cast<std::uint32_t>(r.number));
        put16(volume, layout == SciVolumeLayout::Sci1 ? stored + 4 : stored);
        put16(volume, r.unpackedSize);
        break;
    case SciVolumeLayout::Sci2:
    case SciVolumeLayout::Sci3:
        volume.push_back(static_cast<std::uint8_t>(r.type));
        put16(volume, static_cast<std::uint32_t>(r.number));
        put32(volume, stored);
        put32(volume, r.unpackedSize);
        break;
    }
    put16(volume, static_cast<std::uint32_t>(r.method));
}

} // namespace

BitmapFont sampleFont(int seed)
{
    BitmapFont font;
    font.lineHeight = 8 + seed % 3;
    for (int c = 32; c < GlyphCount; ++c) {
        Glyph& glyph = font.glyphs[c];
        glyph.width = 4 + (c + seed) % 4;
        glyph.height = font.lineHeight;
        for (int y = 1; y < glyph.height - 1; ++y)
            glyph.cell((c * 7 + y * seed) % glyph.width, y) = true;
    }
    return font;
}

Bytes fontResource(const BitmapFont& font)
{
    Bytes file;
    font.writeSciBytes(file);
    return { file.begin() + 2, file.end() };
}

SampleResource sampleFontResource(int number, const BitmapFont& font, SciCompression compression, int method, int volume)
{
    const Bytes data = fontResource(font);
    SampleResource r{ SciFontType, number, volume, method, data, static_cast<std::uint32_t>(data.size()), data };
    switch (compression) {
    case SciCompression::Lzw:
        r.stored = packLzw(data);
        break;
    case SciCompression::Huffman:
        r.stored = packHuffman(data);
        break;
    case SciCompression::Lzw1:
        r.stored = packLzw1(data);
        break;
    case SciCompression::Dcl:
        r.stored = packDcl(data, 6);
        break;
    case SciCompression::Lzs:
        r.stored = packLzs(data);
        break;
    default:
        break;
    }
    return r;
}

void writeSciGame(const std::string& folder, SciMapLayout map, SciVolumeLayout layout,
    const std::vector<SampleResource>& resources)
{
    std::map<int, Bytes> volumes;
    std::vector<std::uint32_t> offsets;
    for (const SampleResource& r : resources) {
        Bytes& volume = volumes[r.volume];
        offsets.push_back(static_cast<std::uint32_t>(volume.size()));
        putHeader(volume, layout, r);
        volume.insert(volume.end(), r.stored.begin(), r.stored.end());
        // SCI1.1 offsets are counted in words.
        if (layout == SciVolumeLayout::Sci11 && volume.size() % 2 != 0)
            volume.push_back(0);
    }
    Bytes bytes;
    if (map == SciMapLayout::Sci0 || map == SciMapLayout::Sci1Middle) {
        const int shift = map == SciMapLayout::Sci0 ? 26 : 28;
        for (std::size_t i = 0; i < resources.size(); ++i) {
            put16(bytes, static_cast<std::uint32_t>(resources[i].type << 11 | resources[i].number));
            put32(bytes, static_cast<std::uint32_t>(resources[i].volume) << shift | offsets[i]);
        }
        bytes.insert(bytes.end(), 6, 0xff);
    } else {
        std::map<int, std::vector<std::size_t>> byType;
        for (std::size_t i = 0; i < resources.size(); ++i)
            byType[resources[i].type].push_back(i);
        const std::size_t entrySize = map == SciMapLayout::Sci11 ? 5 : 6;
        std::size_t at = 3 * (byType.size() + 1);
        Bytes entries;
        for (const auto& [type, indices] : byType) {
            bytes.push_back(static_cast<std::uint8_t>(map == SciMapLayout::Sci2 ? type : 0x80 | type));
            put16(bytes, static_cast<std::uint32_t>(at));
            for (std::size_t i : indices) {
                put16(entries, static_cast<std::uint32_t>(resources[i].number));
                if (map == SciMapLayout::Sci11) {
                    put16(entries, (offsets[i] >> 1) & 0xffff);
                    entries.push_back(static_cast<std::uint8_t>(offsets[i] >> 17));
                } else {
                    const std::uint32_t volume = map == SciMapLayout::Sci1 ? resources[i].volume << 28 : 0;
                    put32(entries, volume | offsets[i]);
                }
            }
            at += indices.size() * entrySize;
        }
        bytes.push_back(0xff);
        put16(bytes, static_cast<std::uint32_t>(at));
        bytes.insert(bytes.end(), entries.begin(), entries.end());
    }
    writeFile(std::filesystem::path(folder) / "resource.map", bytes);
    for (const auto& [number, volume] : volumes) {
        char name[32];
        std::snprintf(name, sizeof name, "resource.%03d", number);
        writeFile(std::filesystem::path(folder) / name, volume);
    }
}

} // namespace glyphsmith
