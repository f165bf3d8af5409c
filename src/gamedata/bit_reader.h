#pragma once

// Bit readers over a bounded input for the decompressors. Each refuses to read
// past the end of its input: read() returns false and leaves `value` alone,
// so a stream cut short can never make a decoder run on made-up bits.

#include <cstddef>
#include <cstdint>
#include <span>

namespace glyphsmith {

enum class BitOrder {
    // Bits taken from the least significant end of each byte first; a value
    // of n bits is assembled with its first bit lowest.
    LeastSignificantFirst,
    // Bits taken from the most significant end of each byte first; a value
    // of n bits is assembled with its first bit highest.
    MostSignificantFirst,
};

template <BitOrder Order>
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> input) : input_(input) { }

    bool read(int count, std::uint32_t& value)
    {
        while (held_ < count) {
            if (next_ == input_.size())
                return false;
            if constexpr (Order == BitOrder::LeastSignificantFirst)
                buffer_ |= std::uint64_t{ input_[next_++] } << held_;
            else
                buffer_ = (buffer_ << 8) | input_[next_++];
            held_ += 8;
        }
        const std::uint64_t mask = (std::uint64_t{ 1 } << count) - 1;
        held_ -= count;
        if constexpr (Order == BitOrder::LeastSignificantFirst) {
            value = static_cast<std::uint32_t>(buffer_ & mask);
            buffer_ >>= count;
        } else {
            value = static_cast<std::uint32_t>((buffer_ >> held_) & mask);
        }
        return true;
    }

private:
    std::span<const std::uint8_t> input_;
    std::size_t next_ = 0;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
};

using LsbBitReader = BitReader<BitOrder::LeastSignificantFirst>;
using MsbBitReader = BitReader<BitOrder::MostSignificantFirst>;

} // namespace glyphsmith
