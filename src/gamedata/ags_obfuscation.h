#pragma once

// The two ways an AGS data package hides its list of entries.
//
// Versions 11 to 20 store each entry name with an 11-byte key added to its
// bytes, the key repeating along the name and the terminating zero encoded
// too. Version 21 adds to every byte of the list (after a stored seed) the
// next value of a simple linear-congruential sequence. Both are undone by
// subtraction, byte by byte, modulo 256.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphsmith {

// The sequence of version 21 lists, started from the seed stored in the list.
class AgsListSequence {
public:
    explicit AgsListSequence(std::uint32_t storedSeed);
    // The value added to the next byte of the list.
    std::uint8_t next();

private:
    std::uint32_t state_;
};

// Decodes a keyed name (versions 11 to 20) from the bytes of its field;
// nullopt when no encoded terminator lies within them.
std::optional<std::string> decodeKeyedName(std::span<const std::uint8_t> field);
// Encodes `name` with its terminator, as versions 11 to 20 store it.
std::vector<std::uint8_t> encodeKeyedName(std::string_view name);

} // namespace glyphsmith
