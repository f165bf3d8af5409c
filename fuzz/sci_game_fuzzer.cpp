// Fuzz target for the parts of the SCI game reader that meet a game's bytes:
// the five decompressors, the resource map and the volume headers. The first
// byte chooses which, the next two give the unpacked size a decompressor is
// asked for, and the rest is the input.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "gamedata/decompressors.h"
#include "gamedata/sci_resource_map.h"
#include "gamedata/sci_volume.h"

namespace {

using Unpacker = glyphsmith::UnpackError (*)(std::span<const std::uint8_t>, std::size_t, std::vector<std::uint8_t>&);

constexpr Unpacker Unpackers[] = { glyphsmith::unpackLzw, glyphsmith::unpackLzw1, glyphsmith::unpackHuffman,
    glyphsmith::unpackDcl, glyphsmith::unpackLzs };

void parseGameFiles(std::span<const std::uint8_t> bytes)
{
    using namespace glyphsmith;
    SciMapLayout layout;
    std::vector<SciMapEntry> entries;
    std::string error;
    const bool read = readSciMap(bytes, [](int volume) { return volume % 2 == 0; }, layout, entries, error);
    fuzz::require(read == error.empty(), "a map is read, or refused with a reason");
    for (const SciMapEntry& entry : entries)
        fuzz::require(entry.type >= 0 && entry.type < 0x80 && entry.number >= 0 && entry.number <= 0xffff,
            "map entries hold a type and a number");
    detectVolumeLayout(bytes);
    for (SciVolumeLayout volume :
        { SciVolumeLayout::Sci0, SciVolumeLayout::Sci1, SciVolumeLayout::Sci11, SciVolumeLayout::Sci2,
             SciVolumeLayout::Sci3 }) {
        SciVolumeHeader header;
        if (readResourceHeader(bytes, volume, header))
            fuzz::require(bytes.size() >= headerSize(volume), "a header is read only from enough bytes");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::span<const std::uint8_t> input(data + 3, size - 3);
    const unsigned choice = data[0] % 6;
    if (choice == 5) {
        parseGameFiles(input);
        return 0;
    }
    const std::size_t unpackedSize = data[1] | data[2] << 8;
    std::vector<std::uint8_t> output;
    const glyphsmith::UnpackError error = Unpackers[choice](input, unpackedSize, output);
    glyphsmith::fuzz::require(output.size() <= unpackedSize, "nothing is unpacked past the stated size");
    glyphsmith::fuzz::require(error != glyphsmith::UnpackError::None || output.size() == unpackedSize,
        "a stream that unpacks fills exactly the stated size");
    return 0;
}
