// How ScummVM loads an SCI font given as a loose file:
//
//   - byte 0 without its top bit must be 7 (a font), and the file must hold at
//     least 3 bytes;
//   - byte 1, n, says where the data start: at 2 + n, where 0x80, 0x81 and
//     0x84 stand for 24, 2 and 8 and any other n from 0x80 up is unknown;
//   - in the data, the 16-bit value at 2 is the character count (every one is
//     used, not only 128), at 4 the line height, of which only the low byte is
//     kept, and from 6 on the table of record offsets into the data;
//   - the offsets are read as signed 16-bit numbers, so one of 0x8000 or above
//     refuses the font, as does a table entry or a record's two size bytes
//     outside the data, or a count above 32767;
//   - a record's rows are read only when the character is drawn, so rows that
//     run past the end of the data fail then, not at loading.

#include "font/engine_check.h"
#include "font/engine_rule_helpers.h"
#include "font/row_packing.h"

namespace glyphsmith {

namespace {

using namespace engine_rules;

constexpr std::size_t MinFileBytes = 3;
constexpr std::size_t TableStart = 6; // in the data
constexpr std::size_t MaxCount = 0x7fff;
constexpr std::size_t NegativeOffset = 0x8000;

std::string hexByte(std::uint8_t value)
{
    constexpr char Digits[] = "0123456789abcdef";
    return std::string("0x") + Digits[value >> 4] + Digits[value & 0xf];
}

EngineCheck refused(std::string reason)
{
    return refusedBy(Engine::ScummVm, std::move(reason));
}

// Where the data start, from the header length byte; 0 for a byte ScummVM
// does not know.
std::size_t dataStart(std::uint8_t headerLength)
{
    switch (headerLength) {
    case 0x80:
        return 2 + 24;
    case 0x81:
        return 2 + 2;
    case 0x84:
        return 2 + 8;
    default:
        return headerLength < 0x80 ? 2 + std::size_t{ headerLength } : 0;
    }
}

} // namespace

EngineCheck checkWithScummVm(std::span<const std::uint8_t> file)
{
    if (file.size() < MinFileBytes)
        return refused("the file holds fewer than 3 bytes");
    if ((file[0] & 0x7f) != 7)
        return refused("the first byte is " + hexByte(file[0]) + ", not that of a font (0x87 or 0x07)");
    const std::size_t start = dataStart(file[1]);
    if (start == 0)
        return refused("the header length byte " + hexByte(file[1]) + " is not one ScummVM knows");
    if (start >= file.size())
        return refused("the data would start at byte " + std::to_string(start) + ", at or past the end of the file ("
            + std::to_string(file.size()) + " bytes)");
    const std::span<const std::uint8_t> data = file.subspan(start);
    if (data.size() < TableStart)
        return refused("the file ends inside the font header");

    const std::size_t count = u16At(data, 2);
    if (count > MaxCount)
        return refused("the character count " + std::to_string(count) + " is above 32767");

    EngineCheck check;
    check.engine = Engine::ScummVm;
    const std::size_t storedLineHeight = u16At(data, 4);
    check.lineHeight = static_cast<int>(storedLineHeight & 0xff);
    if (storedLineHeight > 0xff)
        check.reasons.push_back("the line height " + std::to_string(storedLineHeight)
            + " keeps only its low byte and becomes " + std::to_string(check.lineHeight));

    check.glyphs.resize(count);
    for (std::size_t c = 0; c < count; ++c) {
        const std::size_t at = TableStart + 2 * c;
        if (at + 2 > data.size())
            return refused(characterLabel(c) + "its table entry lies past the end of the file");
        const std::size_t offset = u16At(data, at);
        if (offset >= NegativeOffset)
            return refused(characterLabel(c) + "record offset " + std::to_string(offset)
                + " is 0x8000 or above, so it is read as a negative number");
        if (offset + 2 > data.size())
            return refused(characterLabel(c) + "record offset " + std::to_string(offset) + " lies past the end of the file");
        const int width = data[offset];
        const int height = data[offset + 1];
        if (offset + 2 + packedSize(width, height) > data.size())
            check.reasons.push_back(characterLabel(c) + "its rows run past the end of the file; drawing it fails");
        check.glyphs[c] = { width, height };
    }
    check.verdict = check.reasons.empty() ? EngineVerdict::Loads : EngineVerdict::Changed;
    return check;
}

} // namespace glyphsmith
