#pragma once

// The resource volumes of an SCI game (resource.000, resource.001, ...):
// the header in front of each resource and the ways its bytes are stored.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gamedata/decompressors.h"

namespace glyphsmith {

enum class SciVolumeLayout {
    Sci0,  // 8 bytes: 16-bit id (type and number), stored size + 4, unpacked size, method
    Sci1,  // 9 bytes: type byte, 16-bit number, stored size + 4, unpacked size, method
    Sci11, // 9 bytes as Sci1, but the stored size is the size itself
    Sci2,  // 13 bytes: type byte, 16-bit number, 32-bit stored and unpacked sizes, 16-bit method
    Sci3,  // as Sci2, but the method field means nothing: a resource is STACpack when its sizes differ
};

struct SciVolumeHeader {
    int type = 0;
    int number = 0;
    std::uint32_t storedSize = 0; // the bytes after the header
    std::uint32_t unpackedSize = 0;
    int method = 0;
};

std::size_t headerSize(SciVolumeLayout layout);

// Reads the header at the start of `bytes`; false when they are too few or
// the stored size is smaller than the layout allows.
bool readResourceHeader(std::span<const std::uint8_t> bytes, SciVolumeLayout layout, SciVolumeHeader& header);

// Tells the layout from the first bytes of a volume (up to a megabyte is
// enough) as the interpreter does: walks its headers under each layout in
// turn, oldest first, and takes the first under which every header within
// the bytes is plausible. nullopt when none fits.
std::optional<SciVolumeLayout> detectVolumeLayout(std::span<const std::uint8_t> start);

// How many bytes of a volume detectVolumeLayout looks at.
inline constexpr std::size_t VolumeDetectionBytes = 0x100000;

enum class SciCompression { None, Lzw, Huffman, Lzw1, Lzw1View, Lzw1Picture, Dcl, Lzs, Unknown };

// What a method number means. Methods 1 and 2 changed meaning with SCI1: in
// games whose views use method 1 (`oldMethods`: SCI0 and SCI01) it is LZW
// and 2 Huffman, later 1 is Huffman and 2 the newer LZW.
SciCompression compressionFor(int method, bool oldMethods);
// "stored", "LZW", "Huffman", "LZW (COMP3)", "DCL implode", "STACpack", ...
std::string compressionName(SciCompression compression, int method);

// Unpacks a resource stored with `compression`. Compressions that are never
// used for fonts (the view and picture LZW) and unknown ones give BadCode.
UnpackError unpackResource(SciCompression compression, std::span<const std::uint8_t> stored, std::size_t unpackedSize,
    std::vector<std::uint8_t>& output);

} // namespace glyphsmith
