#pragma once

// The copy of the LZ77 decoders (DCL and LZS): bytes taken again from
// earlier in the output.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gamedata/decompressors.h"

namespace glyphsmith {

// Appends `length` bytes copied from `distance` bytes back in `output`. The
// copy goes byte by byte, so it may repeat bytes it has just written. A
// distance of 0 or one reaching before the start is refused, and so is a
// copy that would take the output past `unpackedSize`; nothing is written then.
inline UnpackError copyBackReference(std::vector<std::uint8_t>& output, std::size_t distance, std::size_t length,
    std::size_t unpackedSize)
{
    if (distance == 0 || distance > output.size())
        return UnpackError::BadBackReference;
    if (length > unpackedSize - output.size())
        return UnpackError::OutputOverflow;
    const std::size_t from = output.size() - distance;
    for (std::size_t i = 0; i < length; ++i)
        output.push_back(output[from + i]);
    return UnpackError::None;
}

} // namespace glyphsmith
