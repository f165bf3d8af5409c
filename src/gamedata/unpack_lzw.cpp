// SCI0 LZW. Codes are 9 bits wide at the start and grow to 12, read least
// significant bit first. 0x100 starts over (9 bits, empty dictionary), 0x101
// ends the stream, 0x00-0xFF are single bytes. Every code that produces output
// adds one dictionary entry, from 0x102 on: the bytes it produced followed by
// the byte that comes next. An entry is kept as a place and a length in the
// output itself. The width grows when the next entry would not fit in it.
// The stream ends at the end code or at the unpacked size.

#include <array>

#include "gamedata/bit_reader.h"
#include "gamedata/decompressors.h"

namespace glyphsmith {

namespace {

constexpr std::uint32_t ResetCode = 0x100;
constexpr std::uint32_t EndCode = 0x101;
constexpr std::uint32_t FirstEntry = 0x102;
constexpr int MaxWidth = 12;

struct Entry {
    std::size_t start = 0;
    std::size_t length = 0;
};

} // namespace

UnpackError unpackLzw(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output)
{
    output.clear();
    output.reserve(unpackedSize);
    LsbBitReader bits(input);
    std::array<Entry, 1 << MaxWidth> entries{};
    int width = 9;
    std::uint32_t next = FirstEntry;
    std::uint32_t last = (1u << width) - 1;

    while (output.size() < unpackedSize) {
        std::uint32_t code = 0;
        if (!bits.read(width, code))
            return UnpackError::InputEnds;
        if (code == EndCode)
            break;
        if (code == ResetCode) {
            width = 9;
            next = FirstEntry;
            last = (1u << width) - 1;
            continue;
        }
        const std::size_t start = output.size();
        std::size_t length = 1;
        if (code < ResetCode) {
            output.push_back(static_cast<std::uint8_t>(code));
        } else {
            if (code >= next)
                return UnpackError::BadCode;
            const Entry entry = entries[code];
            length = entry.length;
            // The games' packer may end on a string that runs past the
            // stated size; the interpreter keeps the bytes up to the size,
            // and so do we. Nothing is ever written past it.
            if (length > unpackedSize - start)
                length = unpackedSize - start;
            // The newest entry ends with the byte this copy writes first, so
            // the copy goes byte by byte.
            for (std::size_t i = 0; i < length; ++i)
                output.push_back(output[entry.start + i]);
        }
        if (next > last && width < MaxWidth) {
            ++width;
            last = (1u << width) - 1;
        }
        if (next <= last)
            entries[next++] = { start, length + 1 };
    }
    return output.size() == unpackedSize ? UnpackError::None : UnpackError::OutputTooShort;
}

} // namespace glyphsmith
