#include "font/byte_stream.h"

namespace glyphsmith {

std::uint32_t ByteReader::u32le()
{
    std::uint32_t low = u16le();
    std::uint32_t high = u16le();
    return low | (high << 16);
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count)
{
    if (count > remaining()) {
        overran_ = true;
        position_ = bytes_.size();
        return {};
    }
    auto result = bytes_.subspan(position_, count);
    position_ += count;
    return result;
}

void ByteWriter::u16le(std::uint16_t value)
{
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xff));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u32le(std::uint32_t value)
{
    u16le(static_cast<std::uint16_t>(value & 0xffff));
    u16le(static_cast<std::uint16_t>(value >> 16));
}

void ByteWriter::patchU16le(std::size_t position, std::uint16_t value)
{
    bytes_.at(position) = static_cast<std::uint8_t>(value & 0xff);
    bytes_.at(position + 1) = static_cast<std::uint8_t>(value >> 8);
}

} // namespace glyphsmith
