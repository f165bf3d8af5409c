// Resource headers in the volumes. All values are little-endian; the sizes
// of the two oldest layouts count the 4 bytes of their own size fields.
//
//   SCI0:   id (type << 11 | number), stored size + 4, unpacked size, method
//   SCI1:   type | 0x80, number, stored size + 4, unpacked size, method
//   SCI1.1: type | 0x80, number, stored size, unpacked size, method (later
//           games keep each resource on an even offset)
//   SCI2:   type, number, 32-bit stored size, 32-bit unpacked size, method
//   SCI3:   as SCI2, with a method field that means nothing
//
// Nothing in a volume says which layout it has; the interpreter tries each in
// turn on the first megabyte and keeps the first that reads sensibly.

#include "gamedata/sci_volume.h"

#include <array>

namespace glyphsmith {

namespace {



std::uint32_t u16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return u16At(bytes, at) | u16At(bytes, at + 2) << 16;
}

// The header's size fields as stored, before the +4 of the older layouts is taken off.
struct RawHeader {
    std::uint32_t packed;
    std::uint32_t unpacked;
    std::uint32_t method;
};

RawHeader rawHeader(std::span<const std::uint8_t> bytes, SciVolumeLayout layout)
{
    switch (layout) {
    case SciVolumeLayout::Sci0:
        return { u16At(bytes, 2), u16At(bytes, 4), u16At(bytes, 6) };
    case SciVolumeLayout::Sci1:
    case SciVolumeLayout::Sci11:
        return { u16At(bytes, 3), u16At(bytes, 5), u16At(bytes, 7) };
    case SciVolumeLayout::Sci2:
        return { u32At(bytes, 3), u32At(bytes, 7), u16At(bytes, 11) };
    case SciVolumeLayout::Sci3: {
        const std::uint32_t packed = u32At(bytes, 3);
        const std::uint32_t unpacked = u32At(bytes, 7);
        return { packed, unpacked, packed != unpacked ? 32u : 0u };
    }
    }
    return {};
}

std::uint32_t sizeAllowance(SciVolumeLayout layout)
{
    return layout == SciVolumeLayout::Sci0 || layout == SciVolumeLayout::Sci1 ? 4 : 0;
}

// Whether every header met in the first bytes makes sense under `layout`.
bool walksAs(std::span<const std::uint8_t> start, SciVolumeLayout layout, bool wordAligned)
{
    const std::size_t header = headerSize(layout);
    const std::uint32_t allowance = sizeAllowance(layout);
    const std::uint32_t maxMethod = layout == SciVolumeLayout::Sci0 ? 4 : 20;
    std::uint64_t at = 0;
    while (at < VolumeDetectionBytes && at + header <= start.size()) {
        const RawHeader raw = rawHeader(start.subspan(static_cast<std::size_t>(at)), layout);
        const bool methodFits = layout == SciVolumeLayout::Sci3 || (layout == SciVolumeLayout::Sci2
            ? (raw.method == 0 || raw.method == 32) : raw.method <= maxMethod);
        if (!methodFits || raw.packed < allowance || (raw.method == 0 && raw.packed != raw.unpacked + allowance)
            || raw.unpacked < raw.packed - allowance)
            return false;
        std::uint64_t step = header + raw.packed - allowance;
        if (wordAligned && step % 2 != 0)
            ++step;
        at += step;
    }
    // Reaching the end of what was read (or of the volume) without a
    // header that makes no sense settles it.
    return true;
}

} // namespace

std::size_t headerSize(SciVolumeLayout layout)
{
    switch (layout) {
    case SciVolumeLayout::Sci0:
        return 8;
    case SciVolumeLayout::Sci1:
    case SciVolumeLayout::Sci11:
        return 9;
    case SciVolumeLayout::Sci2:
    case SciVolumeLayout::Sci3:
        return 13;
    }
    return 13;
}

bool readResourceHeader(std::span<const std::uint8_t> bytes, SciVolumeLayout layout, SciVolumeHeader& header)
{
    if (bytes.size() < headerSize(layout))
        return false;
    const RawHeader raw = rawHeader(bytes, layout);
    if (raw.packed < sizeAllowance(layout))
        return false;
    if (layout == SciVolumeLayout::Sci0) {
        const std::uint32_t id = u16At(bytes, 0);
        header.type = static_cast<int>(id >> 11);
        header.number = static_cast<int>(id & 0x7ff);
    } else {
        header.type = bytes[0] & 0x7f;
        header.number = static_cast<int>(u16At(bytes, 1));
    }
    header.storedSize = raw.packed - sizeAllowance(layout);
    header.unpackedSize = raw.unpacked;
    header.method = static_cast<int>(raw.method);
    return true;
}

std::optional<SciVolumeLayout> detectVolumeLayout(std::span<const std::uint8_t> start)
{
    struct Candidate {
        SciVolumeLayout layout;
        bool wordAligned;
    };
    // Later SCI1.1 games keep each resource on an even offset.
    constexpr std::array<Candidate, 6> candidates = { { { SciVolumeLayout::Sci0, false },
        { SciVolumeLayout::Sci1, false }, { SciVolumeLayout::Sci11, false }, { SciVolumeLayout::Sci11, true },
        { SciVolumeLayout::Sci2, false }, { SciVolumeLayout::Sci3, false } } };
    for (const Candidate& candidate : candidates)
        if (walksAs(start, candidate.layout, candidate.wordAligned))
            return candidate.layout;
    return std::nullopt;
}

SciCompression compressionFor(int method, bool oldMethods)
{
    switch (method) {
    case 0:
        return SciCompression::None;
    case 1:
        return oldMethods ? SciCompression::Lzw : SciCompression::Huffman;
    case 2:
        return oldMethods ? SciCompression::Huffman : SciCompression::Lzw1;
    case 3:
        return SciCompression::Lzw1View;
    case 4:
        return SciCompression::Lzw1Picture;
    case 18:
    case 19:
    case 20:
        return SciCompression::Dcl;
    case 32:
        return SciCompression::Lzs;
    default:
        return SciCompression::Unknown;
    }
}

std::string compressionName(SciCompression compression, int method)
{
    switch (compression) {
    case SciCompression::None:
        return "stored";
    case SciCompression::Lzw:
        return "LZW";
    case SciCompression::Huffman:
        return "Huffman";
    case SciCompression::Lzw1:
        return "LZW (COMP3)";
    case SciCompression::Lzw1View:
        return "LZW (COMP3, view order)";
    case SciCompression::Lzw1Picture:
        return "LZW (COMP3, picture order)";
    case SciCompression::Dcl:
        return "DCL implode";
    case SciCompression::Lzs:
        return "STACpack";
    case SciCompression::Unknown:
        break;
    }
    return "unknown method " + std::to_string(method);
}

UnpackError unpackResource(SciCompression compression, std::span<const std::uint8_t> stored, std::size_t unpackedSize,
    std::vector<std::uint8_t>& output)
{
    switch (compression) {
    case SciCompression::None:
        if (stored.size() < unpackedSize)
            return UnpackError::InputEnds;
        if (stored.size() > unpackedSize)
            return UnpackError::OutputOverflow;
        output.assign(stored.begin(), stored.end());
        return UnpackError::None;
    case SciCompression::Lzw:
        return unpackLzw(stored, unpackedSize, output);
    case SciCompression::Huffman:
        return unpackHuffman(stored, unpackedSize, output);
    case SciCompression::Lzw1:
        return unpackLzw1(stored, unpackedSize, output);
    case SciCompression::Dcl:
        return unpackDcl(stored, unpackedSize, output);
    case SciCompression::Lzs:
        return unpackLzs(stored, unpackedSize, output);
    case SciCompression::Lzw1View:
    case SciCompression::Lzw1Picture:
    case SciCompression::Unknown:
        break;
    }
    return UnpackError::BadCode;
}

} // namespace glyphsmith
