// STACpack / LZS, read most significant bit first. A 0 bit is followed by a
// plain byte. A 1 bit starts a copy: then 1 and a 7-bit distance (0 ends the
// stream) or 0 and an 11-bit distance, then the length: 2 bits for 2 to 4,
// 11 and 2 bits for 5 to 7, or 1111 and 4-bit steps added to 8 until a step
// is not 15.

#include "gamedata/back_reference.h"
#include "gamedata/bit_reader.h"
#include "gamedata/decompressors.h"

namespace glyphsmith {

namespace {

bool readLength(MsbBitReader& bits, std::size_t& length)
{
    std::uint32_t value = 0;
    if (!bits.read(2, value))
        return false;
    if (value < 3) {
        length = 2 + value;
        return true;
    }
    if (!bits.read(2, value))
        return false;
    if (value < 3) {
        length = 5 + value;
        return true;
    }
    length = 8;
    do {
        if (!bits.read(4, value))
            return false;
        length += value;
    } while (value == 15);
    return true;
}

} // namespace

UnpackError unpackLzs(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output)
{
    output.clear();
    output.reserve(unpackedSize);
    MsbBitReader bits(input);
    while (output.size() < unpackedSize) {
        std::uint32_t flag = 0;
        if (!bits.read(1, flag))
            return UnpackError::InputEnds;
        std::uint32_t value = 0;
        if (flag == 0) {
            if (!bits.read(8, value))
                return UnpackError::InputEnds;
            output.push_back(static_cast<std::uint8_t>(value));
            continue;
        }
        if (!bits.read(1, flag))
            return UnpackError::InputEnds;
        if (!bits.read(flag ? 7 : 11, value))
            return UnpackError::InputEnds;
        if (flag && value == 0)
            break;
        std::size_t length = 0;
        if (!readLength(bits, length))
            return UnpackError::InputEnds;
        if (const UnpackError error = copyBackReference(output, value, length, unpackedSize); error != UnpackError::None)
            return error;
    }
    return output.size() == unpackedSize ? UnpackError::None : UnpackError::OutputTooShort;
}

} // namespace glyphsmith
