#pragma once

// The decompressors of SCI resource volumes. Each is a pure function from the
// stored bytes to exactly `unpackedSize` bytes: it writes into `output`
// (cleared first) and fails with its own reason the moment it would write past
// the unpacked size, read past its input or copy from before the start of the
// output. None grows anything from data it has not checked, so a hostile
// volume costs at most the unpacked size in memory and a pass over its input.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace glyphsmith {

enum class UnpackError {
    None,
    InputEnds,        // the stored bytes end before the output is complete
    OutputOverflow,   // the stream holds more than the unpacked size
    BadBackReference, // a copy from before the start of the output
    BadCode,          // a code the method does not define at that point
    OutputTooShort,   // the stream ends (end code) before the unpacked size
};

// In the user's words: "the compressed data ends too early".
std::string describe(UnpackError error);

// SCI0 LZW: 9- to 12-bit codes, least significant bit first.
UnpackError unpackLzw(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output);
// The LZW of SCI1 ("COMP3"): the same codes read most significant bit first, with its own dictionary.
UnpackError unpackLzw1(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output);
// SCI0/SCI01 Huffman: a stored tree of nibble links, then codes most significant
// bit first.
UnpackError unpackHuffman(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output);
// PKWARE DCL implode (SCI1.1).
UnpackError unpackDcl(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output);
// STACpack / LZS (SCI32).
UnpackError unpackLzs(std::span<const std::uint8_t> input, std::size_t unpackedSize, std::vector<std::uint8_t>& output);

} // namespace glyphsmith
