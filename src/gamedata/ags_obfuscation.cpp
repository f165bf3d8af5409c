#include "gamedata/ags_obfuscation.h"

#include <array>

namespace glyphsmith {

namespace {

// The key of the keyed names and the amount added to the stored seed.
constexpr std::array<std::uint8_t, 11> NameKey = { 'M', 'y', 0x01, 0xde, 0x04, 'J', 'i', 'b', 'z', 'l', 'e' };
constexpr std::uint32_t SeedSalt = 9338638;

} // namespace

AgsListSequence::AgsListSequence(std::uint32_t storedSeed) : state_(storedSeed + SeedSalt) {}

std::uint8_t AgsListSequence::next()
{
    // The engine computes this in a signed 32-bit int; unsigned arithmetic
    // wraps the same way and the mask drops the sign.
    state_ = state_ * 214013u + 2531011u;
    return static_cast<std::uint8_t>((state_ >> 16) & 0x7fff);
}

std::optional<std::string> decodeKeyedName(std::span<const std::uint8_t> field)
{
    std::string name;
    for (std::size_t i = 0; i < field.size(); ++i) {
        auto c = static_cast<std::uint8_t>(field[i] - NameKey[i % NameKey.size()]);
        if (c == 0)
            return name;
        name.push_back(static_cast<char>(c));
    }
    return std::nullopt;
}

std::vector<std::uint8_t> encodeKeyedName(std::string_view name)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        std::uint8_t c = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
        bytes.push_back(static_cast<std::uint8_t>(c + NameKey[i % NameKey.size()]));
    }
    return bytes;
}

} // namespace glyphsmith
