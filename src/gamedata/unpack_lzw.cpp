// SCI0 LZW. Codes are 9 bits wide at the start and grow to 12, read least
// significant bit first. 0x100 starts over (9 bits, empty dictionary), 0x101
// ends the stream, 0x00-0xFF are single bytes. Every code that produces output
// adds one dictionary entry, from 0x102 on: the bytes it produced followed by
// the byte that comes next. An entry is kept as a place and a length in the
// output itself. The width grows when the next entry would not fit in it.
// The stream ends at the end code or at the unpacked size.

#include <array>

#include "gamedata/decompressors.h"
#include "gamedata/lzw_codes.h"

namespace glyphsmith {

namespace {

using Codes = LzwCodeReader<BitOrder::LeastSignificantFirst>;

struct Entry {
    std::size_t start = 0;
    std::size_t length = 0;
};

} // namespace

UnpackError unpackLzw(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output)
{
    output.clear();
    output.reserve(unpackedSize);
    Codes codes(input);
    std::array<Entry, 1 << Codes::MaxWidth> entries{};

    while (output.size() < unpackedSize) {
        std::uint32_t code = 0;
        const LzwCode kind = codes.read(code);
        if (kind == LzwCode::InputEnds)
            return UnpackError::InputEnds;
        if (kind == LzwCode::End)
            break;
        if (kind == LzwCode::StartOver)
            continue;
        const std::size_t start = output.size();
        std::size_t length = 1;
        if (code <= 0xff) {
            output.push_back(static_cast<std::uint8_t>(code));
        } else {
            if (code >= codes.next)
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
        if (codes.next > codes.last)
            codes.widen();
        if (codes.next <= codes.last)
            entries[codes.next++] = { start, length + 1 };
    }
    return output.size() == unpackedSize ? UnpackError::None : UnpackError::OutputTooShort;
}

} // namespace glyphsmith
