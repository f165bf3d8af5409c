#pragma once

// Bounded little-endian access to a file held in memory. Every file format
// parses through ByteReader, which never reads past the end: a read beyond it
// yields 0 and sets a sticky flag, so a parser can read a whole section and
// check once whether the file really held it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace glyphsmith {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

    // True once any read or seek went past the end.
    bool overran() const { return overran_; }

    // Moves to an absolute position; a position past the end sets the flag.
    void seek(std::size_t position);
    void skip(std::size_t count) { seek(position_ + count); }

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint32_t u32le();
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }

    // The next `count` bytes, or an empty span (and the flag set) when fewer remain.
    std::span<const std::uint8_t> bytes(std::size_t count);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool overran_ = false;
};

// Builds a file in memory, little-endian.
class ByteWriter {
public:
    std::size_t position() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // Hands over the bytes built so far, leaving the writer empty.
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

    void reserve(std::size_t count) { bytes_.reserve(count); }
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16le(std::uint16_t value);
    void u32le(std::uint32_t value);
    void i32le(std::int32_t value) { u32le(static_cast<std::uint32_t>(value)); }
    void append(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }

    // Overwrites two bytes already written at `position`.
    void patchU16le(std::size_t position, std::uint16_t value);

private:
    std::vector<std::uint8_t> bytes_;
};

// The readers every format calls for each field, kept inline.

inline void ByteReader::seek(std::size_t position)
{
    if (position > bytes_.size()) {
        overran_ = true;
        position_ = bytes_.size();
        return;
    }
    position_ = position;
}

inline std::uint8_t ByteReader::u8()
{
    if (position_ >= bytes_.size()) {
        overran_ = true;
        return 0;
    }
    return bytes_[position_++];
}

inline std::uint16_t ByteReader::u16le()
{
    const std::uint16_t low = u8();
    const std::uint16_t high = u8();
    return static_cast<std::uint16_t>(low | (high << 8));
}

} // namespace glyphsmith
