#pragma once

// The codes both SCI LZW decoders read: 9 bits wide at the start and growing
// to 12, 0x100 to start over (9 bits, empty dictionary), 0x101 to end the
// stream, 0x00-0xFF for single bytes and dictionary entries from 0x102 on.
// The decoders differ in bit order, in how they keep their entries and in
// when the width grows.

#include <cstdint>
#include <span>

#include "gamedata/bit_reader.h"

namespace glyphsmith {

enum class LzwCode {
    Value,     // a byte or a dictionary entry
    StartOver, // the width and the dictionary have just started over
    End,       // the end of the stream
    InputEnds, // the input ends inside a code
};

template <BitOrder Order>
class LzwCodeReader {
public:
    static constexpr std::uint32_t FirstEntry = 0x102;
    static constexpr int MaxWidth = 12;

    explicit LzwCodeReader(std::span<const std::uint8_t> input) : bits_(input) { }

    // Reads the next code at the current width into `code`.
    LzwCode read(std::uint32_t& code)
    {
        if (!bits_.read(width_, code))
            return LzwCode::InputEnds;
        if (code == EndCode)
            return LzwCode::End;
        if (code == ResetCode) {
            width_ = StartWidth;
            next = FirstEntry;
            last = (1u << width_) - 1;
            return LzwCode::StartOver;
        }
        return LzwCode::Value;
    }

    // One bit more, up to 12.
    void widen()
    {
        if (width_ < MaxWidth) {
            ++width_;
            last = (1u << width_) - 1;
        }
    }

    // The code the next dictionary entry gets.
    std::uint32_t next = FirstEntry;
    // The highest code the current width holds.
    std::uint32_t last = (1u << StartWidth) - 1;

private:
    static constexpr std::uint32_t ResetCode = 0x100;
    static constexpr std::uint32_t EndCode = 0x101;
    static constexpr int StartWidth = 9;

    BitReader<Order> bits_;
    int width_ = StartWidth;
};

} // namespace glyphsmith
