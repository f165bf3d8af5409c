#pragma once

// The resource map of an SCI game (resource.map): where each resource lies,
// by type and number, as a volume number and an offset in that volume.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace glyphsmith {

inline constexpr int SciFontType = 7;

enum class SciMapLayout {
    Sci0,       // 6-byte entries: 5-bit type and 11-bit number, 6-bit volume and 26-bit offset
    Sci1Middle, // the same entries with a 4-bit volume and a 28-bit offset
    Sci1,       // a list of types (0x80 + type), then 6-byte entries: number, 4-bit volume and 28-bit offset
    Sci11,      // the same list, 5-byte entries: number and a 24-bit offset counted in words, one volume
    Sci2,       // the same list with plain type bytes, 6-byte entries: number and offset, one volume
};

struct SciMapEntry {
    int type = 0;
    int number = 0;
    int volume = 0;
    std::uint32_t offset = 0;
};

// Tells the layout from the map's bytes as the interpreter does: a map that
// ends in FF FF FF FF has six-byte entries, and among those, one naming a
// volume file that is not there (`volumeExists`) has the four-bit volumes of
// the later layout; otherwise the directory of types is checked, and the size
// of its first lists tells 6-byte from 5-byte entries. False, with `error`
// set, when the bytes are no map of any layout.
bool readSciMap(std::span<const std::uint8_t> map, const std::function<bool(int)>& volumeExists,
    SciMapLayout& layout, std::vector<SciMapEntry>& entries, std::string& error);

} // namespace glyphsmith
