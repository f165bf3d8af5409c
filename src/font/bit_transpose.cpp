#include "font/bit_transpose.h"

#include <cassert>
#include <utility>

#include "font/bit_transpose_x86.h"

namespace glyphsmith {

namespace {

// One step of the recursive transpose: for every pair of words Span apart,
// the bits whose index has the Span bit set in the first word trade places
// with the bits whose index has it clear in the second. After the steps for
// spans 32, 16, 8, 4, 2 and 1 (in any order) every index bit of the words has
// traded places with the same index bit of the bits.
template <int Span, std::uint64_t LowBits>
void swapBlocks(BitMatrix& m, int side)
{
    for (int base = 0; base < side; base += 2 * Span) {
        for (int i = base; i < base + Span; ++i) {
            std::uint64_t& first = m[static_cast<std::size_t>(i)];
            std::uint64_t& second = m[static_cast<std::size_t>(i + Span)];
            const std::uint64_t moved = ((first >> Span) ^ second) & LowBits;
            second ^= moved;
            first ^= moved << Span;
        }
    }
}

template <int Side>
void transposeCorner(BitMatrix& m)
{
    if constexpr (Side > 32)
        swapBlocks<32, 0x00000000ffffffffu>(m, Side);
    if constexpr (Side > 16)
        swapBlocks<16, 0x0000ffff0000ffffu>(m, Side);
    if constexpr (Side > 8)
        swapBlocks<8, 0x00ff00ff00ff00ffu>(m, Side);
    swapBlocks<4, 0x0f0f0f0f0f0f0f0fu>(m, Side);
    swapBlocks<2, 0x3333333333333333u>(m, Side);
    swapBlocks<1, 0x5555555555555555u>(m, Side);
}

// Word x and word x ^ 7 trade places: columns numbered from the left of
// each byte against bits numbered from its low end.
void mirrorByteColumns(BitMatrix& m, int side)
{
    for (int x = 0; x < side; x += 8)
        for (int bit = 0; bit < 4; ++bit)
            std::swap(m[static_cast<std::size_t>(x + bit)], m[static_cast<std::size_t>(x + 7 - bit)]);
}

void transposeCorner(BitMatrix& matrix, int side)
{
    assert(side == 8 || side == 16 || side == 32 || side == 64);
    switch (side) {
    case 8: transposeCorner<8>(matrix); break;
    case 16: transposeCorner<16>(matrix); break;
    case 32: transposeCorner<32>(matrix); break;
    default: transposeCorner<64>(matrix); break;
    }
}

#if GLYPHSMITH_X86_TRANSPOSE
bool hasFastTranspose()
{
    static const bool fast = hasX86Transpose();
    return fast;
}
#endif

} // namespace

void rowsToColumnsPortable(const BitMatrix& rows, BitMatrix& columns, int side)
{
    columns = rows;
    transposeCorner(columns, side);
    mirrorByteColumns(columns, side);
}

void columnsToRowsPortable(const BitMatrix& columns, BitMatrix& rows, int side)
{
    rows = columns;
    mirrorByteColumns(rows, side);
    transposeCorner(rows, side);
}

// The fast copies transpose the whole matrix, which is as quick as any
// corner of it and gives the same words when the bits outside it are clear.
void rowsToColumns(const BitMatrix& rows, BitMatrix& columns, int side)
{
#if GLYPHSMITH_X86_TRANSPOSE
    if (hasFastTranspose()) {
        rowsToColumnsX86(rows, columns);
        return;
    }
#endif
    rowsToColumnsPortable(rows, columns, side);
}

void columnsToRows(const BitMatrix& columns, BitMatrix& rows, int side)
{
#if GLYPHSMITH_X86_TRANSPOSE
    if (hasFastTranspose()) {
        columnsToRowsX86(columns, rows);
        return;
    }
#endif
    columnsToRowsPortable(columns, rows, side);
}

} // namespace glyphsmith
