// PKWARE DCL implode. Two header bytes: 0 for plain 8-bit literals or 1 for
// literals coded with a fixed table, then the dictionary size as 4, 5 or 6
// low distance bits. Then bits, least significant first: 0 and a literal, or
// 1, a length code with its extra bits (a length of 519 ends the stream), and
// a distance code followed by the low distance bits (2 of them for a copy of
// length 2). The three fixed codes are canonical Huffman codes whose bits are
// stored inverted and in the order they are read.

#include <array>

#include "gamedata/back_reference.h"
#include "gamedata/bit_reader.h"
#include "gamedata/decompressors.h"

namespace glyphsmith {

namespace {

constexpr int MaxCodeBits = 13;
constexpr std::size_t EndLength = 519;

// The code lengths of the fixed tables, run-length packed: each byte is
// (repeats - 1) * 16 + bit length, for consecutive symbols from 0.
constexpr std::uint8_t LiteralLengths[] = { 11, 124, 8, 7, 28, 7, 188, 13, 76, 4, 10, 8, 12, 10, 12, 10, 8, 23, 8, 9,
    7, 6, 7, 8, 7, 6, 55, 8, 23, 24, 12, 11, 7, 9, 11, 12, 6, 7, 22, 5, 7, 24, 6, 11, 9, 6, 7, 22, 7, 11, 38, 7, 9, 8,
    25, 11, 8, 11, 9, 12, 8, 12, 5, 38, 5, 38, 5, 11, 7, 5, 6, 21, 6, 10, 53, 8, 7, 24, 10, 27, 44, 253, 253, 253, 252,
    252, 252, 13, 12, 45, 12, 45, 12, 61, 12, 45, 44, 173 };
constexpr std::uint8_t LengthLengths[] = { 2, 35, 36, 53, 38, 23 };
constexpr std::uint8_t DistanceLengths[] = { 2, 20, 53, 230, 247, 151, 248 };
constexpr std::array<std::uint16_t, 16> LengthBase = { 3, 2, 4, 5, 6, 7, 8, 9, 10, 12, 16, 24, 40, 72, 136, 264 };
constexpr std::array<std::uint8_t, 16> LengthExtraBits = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8 };

struct HuffmanCode {
    std::array<std::uint16_t, MaxCodeBits + 1> count{}; // codes of each bit length
    std::array<std::uint16_t, 256> symbol{};           // symbols by length, then by value
};

HuffmanCode buildCode(std::span<const std::uint8_t> packedLengths)
{
    std::array<std::uint8_t, 256> lengths{};
    std::size_t symbols = 0;
    for (std::uint8_t run : packedLengths)
        for (int repeat = (run >> 4) + 1; repeat > 0; --repeat)
            lengths[symbols++] = run & 0x0f;
    HuffmanCode code;
    for (std::size_t s = 0; s < symbols; ++s)
        ++code.count[lengths[s]];
    std::array<std::uint16_t, MaxCodeBits + 2> offset{};
    for (int length = 1; length <= MaxCodeBits; ++length)
        offset[length + 1] = offset[length] + code.count[length];
    for (std::size_t s = 0; s < symbols; ++s)
        if (lengths[s] != 0)
            code.symbol[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
    return code;
}

const HuffmanCode& literalCode()
{
    static const HuffmanCode code = buildCode(LiteralLengths);
    return code;
}
const HuffmanCode& lengthCode()
{
    static const HuffmanCode code = buildCode(LengthLengths);
    return code;
}
const HuffmanCode& distanceCode()
{
    static const HuffmanCode code = buildCode(DistanceLengths);
    return code;
}

// False when the input ends inside a code.
bool decode(LsbBitReader& bits, const HuffmanCode& table, std::uint32_t& symbol)
{
    std::uint32_t code = 0;
    std::uint32_t first = 0;
    std::uint32_t index = 0;
    for (int length = 1; length <= MaxCodeBits; ++length) {
        std::uint32_t bit = 0;
        if (!bits.read(1, bit))
            return false;
        code |= bit ^ 1;
        const std::uint32_t count = table.count[length];
        if (code - first < count) {
            symbol = table.symbol[index + code - first];
            return true;
        }
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    // The fixed tables are complete, so every 13 bits make a code.
    return false;
}

} // namespace

UnpackError unpackDcl(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output)
{
    output.clear();
    output.reserve(unpackedSize);
    if (input.size() < 2)
        return UnpackError::InputEnds;
    const int codedLiterals = input[0];
    const int dictionaryBits = input[1];
    if (codedLiterals > 1 || dictionaryBits < 4 || dictionaryBits > 6)
        return UnpackError::BadCode;
    LsbBitReader bits(input.subspan(2));

    while (output.size() < unpackedSize) {
        std::uint32_t flag = 0;
        if (!bits.read(1, flag))
            return UnpackError::InputEnds;
        std::uint32_t value = 0;
        if (flag == 0) {
            const bool read = codedLiterals ? decode(bits, literalCode(), value) : bits.read(8, value);
            if (!read)
                return UnpackError::InputEnds;
            output.push_back(static_cast<std::uint8_t>(value));
            continue;
        }
        std::uint32_t symbol = 0;
        if (!decode(bits, lengthCode(), symbol) || !bits.read(LengthExtraBits[symbol], value))
            return UnpackError::InputEnds;
        const std::size_t length = LengthBase[symbol] + value;
        if (length == EndLength)
            break;
        const int lowBits = length == 2 ? 2 : dictionaryBits;
        if (!decode(bits, distanceCode(), symbol) || !bits.read(lowBits, value))
            return UnpackError::InputEnds;
        const std::size_t distance = (std::size_t{ symbol } << lowBits) + value + 1;
        if (const UnpackError error = copyBackReference(output, distance, length, unpackedSize); error != UnpackError::None)
            return error;
    }
    return output.size() == unpackedSize ? UnpackError::None : UnpackError::OutputTooShort;
}

} // namespace glyphsmith
