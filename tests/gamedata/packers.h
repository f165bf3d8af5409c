#pragma once

// Tiny compressors for the tests, one per method the game reader unpacks:
// literals and greedy back-references, enough to exercise every kind of code
// the decoders meet. They are written from the formats, not from the
// decoders, so a round trip checks one against the other.

#include <cstdint>
#include <span>
#include <vector>

namespace glyphsmith {

using Bytes = std::vector<std::uint8_t>;

// Collects bits, most or least significant bit of each byte first.
class BitWriter {
public:
    explicit BitWriter(bool msbFirst) : msbFirst_(msbFirst) { }
    // Appends the low `count` bits of `value`: highest first when msbFirst,
    // lowest first otherwise.
    void put(std::uint32_t value, int count);
    Bytes finish();

private:
    void putBit(int bit);
    bool msbFirst_;
    Bytes bytes_;
    int used_ = 8;
};

Bytes packLzw(std::span<const std::uint8_t> data);
Bytes packLzw1(std::span<const std::uint8_t> data);
Bytes packHuffman(std::span<const std::uint8_t> data);
Bytes packDcl(std::span<const std::uint8_t> data, int dictionaryBits);
Bytes packLzs(std::span<const std::uint8_t> data);

// A literal (length 0) or a copy of `length` bytes from `distance` back.
struct Token {
    std::uint8_t literal = 0;
    std::size_t distance = 0;
    std::size_t length = 0;
};
// The two copy-based methods from a list of tokens as given, unchecked, so a
// test can write copies that reach before the start.
Bytes dclFromTokens(const std::vector<Token>& tokens, int dictionaryBits);
Bytes lzsFromTokens(const std::vector<Token>& tokens);
// Greedy tokens for `data`.
std::vector<Token> tokensOf(std::span<const std::uint8_t> data, std::size_t maxDistance, std::size_t maxLength);

} // namespace glyphsmith
