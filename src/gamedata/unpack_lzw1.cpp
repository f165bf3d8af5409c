// The LZW of SCI1 ("COMP3"). Codes are 9 to 12 bits wide, read most
// significant bit first; 0x100 starts over and 0x101 ends the stream. The
// first code after a start is a plain byte. Each later code adds an entry:
// the string of the code before it followed by the first byte of its own
// string. A code one past the newest entry is the old string followed by its
// own first byte. The width grows as soon as the next free entry reaches the
// last code the width can hold.

#include <array>

#include "gamedata/decompressors.h"
#include "gamedata/lzw_codes.h"

namespace glyphsmith {

namespace {

using Codes = LzwCodeReader<BitOrder::MostSignificantFirst>;
constexpr std::size_t EntryCount = (1u << Codes::MaxWidth) + 1;

struct Entry {
    std::uint8_t last = 0;    // the last byte of the entry's string
    std::uint16_t prefix = 0; // the code of the string before that byte
};

} // namespace

UnpackError unpackLzw1(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output)
{
    output.clear();
    output.reserve(unpackedSize);
    Codes codes(input);
    std::array<Entry, EntryCount> entries{};
    // A string is built backwards from its last byte; chains only lead to
    // older entries, so one never holds more bytes than there are entries.
    std::array<std::uint8_t, EntryCount + 1> reversed{};
    bool atStart = true;
    std::uint32_t previous = 0;
    std::uint8_t previousFirst = 0;

    while (output.size() < unpackedSize) {
        std::uint32_t code = 0;
        const LzwCode kind = codes.read(code);
        if (kind == LzwCode::InputEnds)
            return UnpackError::InputEnds;
        if (kind == LzwCode::End)
            break;
        if (kind == LzwCode::StartOver) {
            atStart = true;
            continue;
        }
        if (atStart) {
            if (code > 0xff)
                return UnpackError::BadCode;
            output.push_back(static_cast<std::uint8_t>(code));
            previous = code;
            previousFirst = static_cast<std::uint8_t>(code);
            atStart = false;
            continue;
        }
        if (code > codes.next)
            return UnpackError::BadCode;
        std::size_t count = 0;
        std::uint32_t walk = code;
        if (code == codes.next) {
            reversed[count++] = previousFirst;
            walk = previous;
        }
        while (walk > 0xff) {
            reversed[count++] = entries[walk].last;
            walk = entries[walk].prefix;
        }
        reversed[count++] = static_cast<std::uint8_t>(walk);
        if (count > unpackedSize - output.size())
            return UnpackError::OutputOverflow;
        while (count > 0)
            output.push_back(reversed[--count]);

        const auto first = static_cast<std::uint8_t>(walk);
        if (codes.next <= codes.last) {
            entries[codes.next] = { first, static_cast<std::uint16_t>(previous) };
            ++codes.next;
            if (codes.next == codes.last)
                codes.widen();
        }
        previous = code;
        previousFirst = first;
    }
    return output.size() == unpackedSize ? UnpackError::None : UnpackError::OutputTooShort;
}

} // namespace glyphsmith
