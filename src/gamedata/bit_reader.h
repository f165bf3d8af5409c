#pragma once

// Bit readers over a bounded input for the decompressors. Each refuses to read
// past the end of its input: read() returns false and leaves `value` alone,
// so a stream cut short can never make a decoder run on made-up bits.

#include <cstddef>
#include <cstdint>
#include <span>

namespace glyphsmith {

// Bits taken from the least significant end of each byte first; a value of
// n bits is assembled with its first bit lowest.
class LsbBitReader {
public:
    explicit LsbBitReader(std::span<const std::uint8_t> input) : input_(input) { }

    bool read(int count, std::uint32_t& value)
    {
        while (held_ < count) {
            if (next_ == input_.size())
                return false;
            buffer_ |= std::uint64_t{ input_[next_++] } << held_;
            held_ += 8;
        }
        value = static_cast<std::uint32_t>(buffer_ & ((std::uint64_t{ 1 } << count) - 1));
        buffer_ >>= count;
        held_ -= count;
        return true;
    }

private:
    std::span<const std::uint8_t> input_;
    std::size_t next_ = 0;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
};

// Bits taken from the most significant end of each byte first; a value of
// n bits is assembled with its first bit highest.
class MsbBitReader {
public:
    explicit MsbBitReader(std::span<const std::uint8_t> input) : input_(input) { }

    bool read(int count, std::uint32_t& value)
    {
        while (held_ < count) {
            if (next_ == input_.size())
                return false;
            buffer_ = (buffer_ << 8) | input_[next_++];
            held_ += 8;
        }
        held_ -= count;
        value = static_cast<std::uint32_t>((buffer_ >> held_) & ((std::uint64_t{ 1 } << count) - 1));
        return true;
    }

private:
    std::span<const std::uint8_t> input_;
    std::size_t next_ = 0;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
};

} // namespace glyphsmith
