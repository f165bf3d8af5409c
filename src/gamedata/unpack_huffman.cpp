// SCI0/SCI01 Huffman. The stream starts with the number of tree nodes and the
// end byte, then the nodes, two bytes each: a value and a byte of two links.
// A node whose link byte is 0 is a leaf standing for its value. Otherwise one
// bit (most significant first) chooses a link: 0 the high nibble, 1 the low
// nibble, each a count of nodes to step forward. A 1 whose low nibble is 0
// means a plain byte follows in the next 8 bits; that plain byte equal to the
// end byte ends the stream.

#include "gamedata/bit_reader.h"
#include "gamedata/decompressors.h"

namespace glyphsmith {

namespace {

constexpr std::uint32_t PlainByte = 0x100;

} // namespace

UnpackError unpackHuffman(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output)
{
    output.clear();
    output.reserve(unpackedSize);
    if (input.size() < 2)
        return UnpackError::InputEnds;
    const std::size_t nodeCount = input[0];
    const std::uint32_t endCode = PlainByte | input[1];
    if (input.size() < 2 + 2 * nodeCount)
        return UnpackError::InputEnds;
    const std::span<const std::uint8_t> nodes = input.subspan(2, 2 * nodeCount);
    MsbBitReader bits(input.subspan(2 + 2 * nodeCount));

    while (output.size() < unpackedSize) {
        std::size_t node = 0;
        std::uint32_t symbol = 0;
        for (;;) {
            // Links only step forward, so a walk ends within the table or leaves it.
            if (node >= nodeCount)
                return UnpackError::BadCode;
            const std::uint8_t links = nodes[2 * node + 1];
            if (links == 0) {
                symbol = nodes[2 * node];
                break;
            }
            std::uint32_t bit = 0;
            if (!bits.read(1, bit))
                return UnpackError::InputEnds;
            const std::size_t step = bit ? (links & 0x0f) : (links >> 4);
            if (bit && step == 0) {
                if (!bits.read(8, symbol))
                    return UnpackError::InputEnds;
                symbol |= PlainByte;
                break;
            }
            if (step == 0)
                return UnpackError::BadCode;
            node += step;
        }
        if (symbol == endCode)
            break;
        output.push_back(static_cast<std::uint8_t>(symbol));
    }
    return output.size() == unpackedSize ? UnpackError::None : UnpackError::OutputTooShort;
}

} // namespace glyphsmith
