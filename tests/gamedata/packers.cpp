#include "gamedata/packers.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace glyphsmith {

void BitWriter::putBit(int bit)
{
    if (used_ == 8) {
        bytes_.push_back(0);
        used_ = 0;
    }
    if (bit)
        bytes_.back() |= static_cast<std::uint8_t>(msbFirst_ ? 0x80 >> used_ : 1 << used_);
    ++used_;
}

void BitWriter::put(std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        putBit(msbFirst_ ? (value >> (count - 1 - i)) & 1 : (value >> i) & 1);
}

Bytes BitWriter::finish() { return bytes_; }

namespace {

// The longest earlier copy of the bytes at `at`, within `maxDistance` and `maxLength`.
std::pair<std::size_t, std::size_t> longestMatch(
    std::span<const std::uint8_t> data, std::size_t at, std::size_t maxDistance, std::size_t maxLength)
{
    std::size_t bestLength = 0;
    std::size_t bestDistance = 0;
    for (std::size_t distance = 1; distance <= std::min(at, maxDistance); ++distance) {
        std::size_t length = 0;
        while (at + length < data.size() && length < maxLength && data[at + length] == data[at + length - distance])
            ++length;
        if (length > bestLength) {
            bestLength = length;
            bestDistance = distance;
        }
    }
    return { bestDistance, bestLength };
}

} // namespace

Bytes packLzw(std::span<const std::uint8_t> data)
{
    BitWriter out(false);
    std::vector<std::pair<std::size_t, std::size_t>> entries(0x102); // start and length in `data`
    int width = 9;
    std::uint32_t last = 0x1ff;
    for (std::size_t at = 0; at < data.size();) {
        std::uint32_t code = data[at];
        std::size_t length = 1;
        for (std::uint32_t c = 0x102; c < entries.size(); ++c) {
            const auto [start, size] = entries[c];
            if (size > length && at + size <= data.size()
                && std::equal(data.begin() + start, data.begin() + start + size, data.begin() + at)) {
                code = c;
                length = size;
            }
        }
        out.put(code, width);
        if (entries.size() > last && width < 12) {
            ++width;
            last = last * 2 + 1;
        }
        if (entries.size() <= last)
            entries.emplace_back(at, length + 1);
        at += length;
    }
    out.put(0x101, width);
    return out.finish();
}

Bytes packLzw1(std::span<const std::uint8_t> data)
{
    BitWriter out(true);
    std::map<Bytes, std::uint32_t> strings;
    std::uint32_t added = 0x102;
    int width = 9;
    std::uint32_t next = 0x102;
    std::uint32_t last = 0x1ff;
    bool first = true;
    auto emit = [&](std::uint32_t code) {
        out.put(code, width);
        // The reader adds its entry one code later than this writer does.
        if (!first && next <= last && ++next == last && width < 12) {
            ++width;
            last = last * 2 + 1;
        }
        first = false;
    };
    auto codeOf = [&](const Bytes& s) { return s.size() == 1 ? std::uint32_t{ s[0] } : strings.at(s); };
    Bytes current;
    for (std::uint8_t byte : data) {
        Bytes longer = current;
        longer.push_back(byte);
        if (current.empty() || strings.contains(longer)) {
            current = longer;
            continue;
        }
        emit(codeOf(current));
        strings[longer] = added++;
        current = { byte };
    }
    if (!current.empty())
        emit(codeOf(current));
    emit(0x101);
    return out.finish();
}

Bytes packHuffman(std::span<const std::uint8_t> data)
{
    // Four nodes: 0 leads to node 1 or, on a 1 bit, to a plain byte; node 1
    // leads to the leaves 0x00 (bit 0) and 0xFF (bit 1).
    std::array<bool, 256> used{};
    for (std::uint8_t byte : data)
        used[byte] = true;
    const auto end = std::ranges::find(used, false);
    if (end == used.end())
        throw std::invalid_argument("no byte value is free for the end code");
    Bytes bytes = { 4, static_cast<std::uint8_t>(end - used.begin()), 0, 0x10, 0, 0x12, 0x00, 0, 0xff, 0 };
    BitWriter out(true);
    for (std::uint8_t byte : data) {
        if (byte == 0x00 || byte == 0xff)
            out.put(byte == 0x00 ? 0b00 : 0b01, 2);
        else
            out.put(0x100 | byte, 9);
    }
    out.put(0x100 | bytes[1], 9);
    const Bytes bits = out.finish();
    bytes.insert(bytes.end(), bits.begin(), bits.end());
    return bytes;
}

namespace {

struct CanonicalCode {
    std::vector<std::uint32_t> code;
    std::vector<int> length;
};

// Codes for the run-length packed bit lengths of a DCL table, assigned in
// order of length and then of symbol.
CanonicalCode canonical(std::initializer_list<int> packed)
{
    CanonicalCode table;
    for (int run : packed)
        for (int repeat = (run >> 4) + 1; repeat > 0; --repeat)
            table.length.push_back(run & 15);
    table.code.resize(table.length.size());
    std::uint32_t next = 0;
    for (int length = 1; length <= 13; ++length) {
        for (std::size_t s = 0; s < table.length.size(); ++s)
            if (table.length[s] == length)
                table.code[s] = next++;
        next <<= 1;
    }
    return table;
}

void putCode(BitWriter& out, const CanonicalCode& table, std::size_t symbol)
{
    for (int bit = table.length[symbol] - 1; bit >= 0; --bit)
        out.put(((table.code[symbol] >> bit) & 1) ^ 1, 1);
}

} // namespace

std::vector<Token> tokensOf(std::span<const std::uint8_t> data, std::size_t maxDistance, std::size_t maxLength)
{
    std::vector<Token> tokens;
    for (std::size_t at = 0; at < data.size();) {
        const auto [distance, length] = longestMatch(data, at, maxDistance, maxLength);
        if (length < 3) {
            tokens.push_back({ data[at++], 0, 0 });
            continue;
        }
        tokens.push_back({ 0, distance, length });
        at += length;
    }
    return tokens;
}

Bytes dclFromTokens(const std::vector<Token>& tokens, int dictionaryBits)
{
    static const CanonicalCode lengths = canonical({ 2, 35, 36, 53, 38, 23 });
    static const CanonicalCode distances = canonical({ 2, 20, 53, 230, 247, 151, 248 });
    constexpr std::array<int, 16> base = { 3, 2, 4, 5, 6, 7, 8, 9, 10, 12, 16, 24, 40, 72, 136, 264 };
    constexpr std::array<int, 16> extra = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8 };
    BitWriter out(false);
    auto putLength = [&](std::size_t length) {
        std::size_t s = 0;
        while (!(static_cast<int>(length) >= base[s] && static_cast<int>(length) < base[s] + (1 << extra[s])))
            ++s;
        out.put(1, 1);
        putCode(out, lengths, s);
        out.put(static_cast<std::uint32_t>(length - base[s]), extra[s]);
    };
    for (const Token& token : tokens) {
        if (token.length == 0) {
            out.put(0, 1);
            out.put(token.literal, 8);
            continue;
        }
        putLength(token.length);
        const int low = token.length == 2 ? 2 : dictionaryBits;
        putCode(out, distances, (token.distance - 1) >> low);
        out.put(static_cast<std::uint32_t>((token.distance - 1) & ((1u << low) - 1)), low);
    }
    putLength(519);
    Bytes bytes = { 0, static_cast<std::uint8_t>(dictionaryBits) };
    const Bytes bits = out.finish();
    bytes.insert(bytes.end(), bits.begin(), bits.end());
    return bytes;
}

Bytes packDcl(std::span<const std::uint8_t> data, int dictionaryBits)
{
    return dclFromTokens(tokensOf(data, std::size_t{ 64 } << dictionaryBits, 518), dictionaryBits);
}

Bytes lzsFromTokens(const std::vector<Token>& tokens)
{
    BitWriter out(true);
    for (const Token& token : tokens) {
        if (token.length == 0) {
            out.put(token.literal, 9); // a 0 flag, then the byte
            continue;
        }
        const bool shortDistance = token.distance < 128;
        out.put(shortDistance ? 0b11 : 0b10, 2);
        out.put(static_cast<std::uint32_t>(token.distance), shortDistance ? 7 : 11);
        if (token.length < 5) {
            out.put(static_cast<std::uint32_t>(token.length - 2), 2);
        } else if (token.length < 8) {
            out.put(0b11, 2);
            out.put(static_cast<std::uint32_t>(token.length - 5), 2);
        } else {
            out.put(0b1111, 4);
            std::size_t rest = token.length - 8;
            for (; rest >= 15; rest -= 15)
                out.put(15, 4);
            out.put(static_cast<std::uint32_t>(rest), 4);
        }
    }
    out.put(0b110000000, 9); // a 7-bit distance of 0 ends the stream
    return out.finish();
}

Bytes packLzs(std::span<const std::uint8_t> data) { return lzsFromTokens(tokensOf(data, 2047, 60)); }

} // namespace glyphsmith
