// Reading resource.map in each of its layouts. All values are little-endian.
//
// Six-byte maps (SCI0, SCI01, the early and middle SCI1 games) are a run of entries
// ended by one whose bytes are all FF: a 16-bit id (type in the top 5 bits,
// number in the low 11) and a 32-bit place (volume in the top 6 or 4 bits,
// offset in the rest).
//
// Later maps open with a directory of 3-byte items, a type byte and the
// 16-bit offset of that type's entries, ended by the type FF whose offset is
// the map's size. Each type's entries run up to the next item's offset.

#include "gamedata/sci_resource_map.h"

#include <optional>


namespace glyphsmith {

namespace {

constexpr std::size_t SixByteEntry = 6;
constexpr int DirectoryEnd = 0xff;

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(u16At(bytes, at)) | static_cast<std::uint32_t>(u16At(bytes, at + 2)) << 16;
}

bool endsAsSixByteMap(std::span<const std::uint8_t> map)
{
    return map.size() >= 4 && u32At(map, map.size() - 4) == 0xffffffff;
}

bool readSixByteMap(std::span<const std::uint8_t> map, const std::function<bool(int)>& volumeExists,
    SciMapLayout& layout, std::vector<SciMapEntry>& entries, std::string& error)
{
    std::size_t count = 0;
    while ((count + 1) * SixByteEntry <= map.size() && !(map[count * SixByteEntry] == 0xff
               && map[count * SixByteEntry + 1] == 0xff && map[count * SixByteEntry + 2] == 0xff))
        ++count;
    if ((count + 1) * SixByteEntry > map.size()) {
        error = "the map's list of resources has no end";
        return false;
    }
    layout = SciMapLayout::Sci0;
    for (std::size_t i = 0; i < count; ++i)
        if (!volumeExists(map[i * SixByteEntry + 5] >> 2)) {
            layout = SciMapLayout::Sci1Middle;
            break;
        }
    const int shift = layout == SciMapLayout::Sci0 ? 26 : 28;
    entries.clear();
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t id = u16At(map, i * SixByteEntry);
        const std::uint32_t place = u32At(map, i * SixByteEntry + 2);
        entries.push_back({ id >> 11, id & 0x7ff, static_cast<int>(place >> shift),
            place & ((std::uint32_t{ 1 } << shift) - 1) });
    }
    return true;
}

struct DirectoryItem {
    int type;
    std::size_t offset;
};

// The directory of a list map, or nullopt when the bytes are not one.
std::optional<std::vector<DirectoryItem>> readDirectory(std::span<const std::uint8_t> map, SciMapLayout& layout)
{
    std::vector<DirectoryItem> items;
    std::optional<SciMapLayout> detected;
    for (std::size_t at = 0; at + 3 <= map.size(); at += 3) {
        const int type = map[at];
        const std::size_t offset = u16At(map, at + 1);
        if (type < 0x80 && (!detected || *detected == SciMapLayout::Sci2))
            detected = SciMapLayout::Sci2;
        else if (type < 0x80 || ((type & 0x7f) > 0x20 && type != DirectoryEnd))
            return std::nullopt;
        if (offset > map.size())
            return std::nullopt;
        if (!items.empty() && !detected) {
            const std::size_t size = offset - items.back().offset;
            if (size % 5 != 0 && size % 6 == 0)
                detected = SciMapLayout::Sci1;
            else if (size % 5 == 0 && size % 6 != 0)
                detected = SciMapLayout::Sci11;
        }
        if (type == DirectoryEnd) {
            if (offset != map.size())
                return std::nullopt;
            layout = detected.value_or(SciMapLayout::Sci1);
            return items;
        }
        if (!items.empty() && offset < items.back().offset)
            return std::nullopt;
        items.push_back({ type, offset });
    }
    return std::nullopt;
}

} // namespace

bool readSciMap(std::span<const std::uint8_t> map, const std::function<bool(int)>& volumeExists,
    SciMapLayout& layout, std::vector<SciMapEntry>& entries, std::string& error)
{
    if (endsAsSixByteMap(map))
        return readSixByteMap(map, volumeExists, layout, entries, error);

    const std::optional<std::vector<DirectoryItem>> directory = readDirectory(map, layout);
    if (!directory) {
        error = "the file is no resource map";
        return false;
    }
    const std::size_t entrySize = layout == SciMapLayout::Sci11 ? 5 : 6;
    entries.clear();
    for (std::size_t i = 0; i < directory->size(); ++i) {
        const DirectoryItem& item = (*directory)[i];
        const std::size_t end = i + 1 < directory->size() ? (*directory)[i + 1].offset : map.size();
        for (std::size_t at = item.offset; at + entrySize <= end; at += entrySize) {
            SciMapEntry entry{ item.type & 0x7f, u16At(map, at), 0, 0 };
            if (layout == SciMapLayout::Sci11) {
                const std::uint32_t words = u16At(map, at + 2) | std::uint32_t{ map[at + 4] } << 16;
                entry.offset = words << 1;
            } else {
                const std::uint32_t place = u32At(map, at + 2);
                entry.volume = layout == SciMapLayout::Sci1 ? static_cast<int>(place >> 28) : 0;
                entry.offset = layout == SciMapLayout::Sci1 ? place & 0x0fffffff : place;
            }
            entries.push_back(entry);
        }
    }
    return true;
}

} // namespace glyphsmith
