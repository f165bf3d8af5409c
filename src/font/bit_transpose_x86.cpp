// The 64 x 64 bit transpose on x86-64 processors with AVX-512 byte permutes
// (VBMI) and the Galois-field affine instruction (GFNI), which transposes the
// 8 x 8 bits of each 64-bit lane in one step. Built for those instructions
// only inside this file's functions, and used only when the processor and the
// system say both are there, so the program still runs on any x86-64.

#include "font/bit_transpose_x86.h"

#if GLYPHSMITH_X86_TRANSPOSE

#include <array>
#include <cpuid.h>
#include <cstddef>
#include <cstdint>
#include <immintrin.h>

namespace glyphsmith {

namespace {

// Each index below names a bit of the matrix by four 3-bit fields: the
// 512-bit register (which eight words), the word within it, the byte within
// the word and the bit within the byte. A row word r, bit c starts as
// register r / 8, word r % 8, byte c / 8, bit c % 8, and must end as register
// c / 8, word c % 8, byte r / 8, bit r % 8. Byte permutes move the word and
// byte fields within a register, the affine step swaps the byte and bit fields
// within each word, and a word transpose across registers swaps the register
// and word fields.

// Byte permutes within each register. Output byte j (word j / 8, byte j % 8)
// is the input byte the index names.
using ByteIndex = std::array<std::uint8_t, 64>;

// Word and byte fields swap, the byte order reversed within each word, as
// the affine step reads its matrix rows from the top.
constexpr ByteIndex makeRowsIn()
{
    ByteIndex index{};
    for (int j = 0; j < 64; ++j)
        index[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(8 * (7 - (j & 7)) + (j >> 3));
    return index;
}

// Word and byte fields swap. Used first for columns, as a column x stands
// where row x ^ 7 would, which mirrors the word field as the rows' reversal
// mirrors the byte field; and last for rows, to put the words in place.
constexpr ByteIndex makeSwapped()
{
    ByteIndex index{};
    for (int j = 0; j < 64; ++j)
        index[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(8 * (j & 7) + (j >> 3));
    return index;
}

// The same, column x placed where row x ^ 7 would stand.
constexpr ByteIndex makeColumnsOut()
{
    ByteIndex index{};
    for (int j = 0; j < 64; ++j)
        index[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(8 * (j & 7) + (7 - (j >> 3)));
    return index;
}

alignas(64) constexpr ByteIndex RowsIn = makeRowsIn();
alignas(64) constexpr ByteIndex ColumnsIn = makeSwapped();
alignas(64) constexpr ByteIndex RowsOut = makeSwapped();
alignas(64) constexpr ByteIndex ColumnsOut = makeColumnsOut();

#define GLYPHSMITH_TRANSPOSE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi,gfni")))

// One step of the word transpose across the eight registers: registers Span
// apart trade the words whose index has the Span bit set in the first
// register for those whose index has it clear in the second.
template <int Span>
GLYPHSMITH_TRANSPOSE_TARGET inline void swapWordBlocks(__m512i (&r)[8])
{
    // Index 0 to 7 picks a word of the first operand, 8 to 15 of the second.
    alignas(64) std::int64_t low[8];
    alignas(64) std::int64_t high[8];
    for (int q = 0; q < 8; ++q) {
        const int inBlock = q & (Span - 1);
        const int block = q & ~(Span - 1);
        const bool fromSecond = (q & Span) != 0;
        low[q] = (fromSecond ? 8 : 0) + ((block & ~Span) + inBlock);
        high[q] = (fromSecond ? 8 : 0) + ((block & ~Span) + inBlock + Span);
    }
    const __m512i lowIndex = _mm512_load_si512(low);
    const __m512i highIndex = _mm512_load_si512(high);
    for (int base = 0; base < 8; base += 2 * Span) {
        for (int i = base; i < base + Span; ++i) {
            const __m512i first = r[i];
            const __m512i second = r[i + Span];
            r[i] = _mm512_permutex2var_epi64(first, lowIndex, second);
            r[i + Span] = _mm512_permutex2var_epi64(first, highIndex, second);
        }
    }
}

} // namespace

bool hasX86Transpose()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || (ecx & bit_OSXSAVE) == 0)
        return false;
    // The system must save the vector registers: XMM, YMM, the mask and both
    // halves of the ZMM registers (bits 1, 2, 5, 6, 7 of XCR0).
    unsigned xcr0Low = 0, xcr0High = 0;
    __asm__("xgetbv" : "=a"(xcr0Low), "=d"(xcr0High) : "c"(0));
    if ((xcr0Low & 0xe6) != 0xe6)
        return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx))
        return false;
    const bool avx512f = (ebx & (1u << 16)) != 0;
    const bool avx512bw = (ebx & (1u << 30)) != 0;
    const bool vbmi = (ecx & (1u << 1)) != 0;
    const bool gfni = (ecx & (1u << 8)) != 0;
    return avx512f && avx512bw && vbmi && gfni;
}

namespace {

// Every word is loaded before any is stored, so `from` and `to` may be one matrix.
GLYPHSMITH_TRANSPOSE_TARGET void transposeX86(const BitMatrix& from, BitMatrix& to, const ByteIndex& in,
                                              const ByteIndex& out)
{
    __m512i r[8];
    for (int i = 0; i < 8; ++i)
        r[i] = _mm512_loadu_si512(from.data() + 8 * i);

    const __m512i inIndex = _mm512_load_si512(in.data());
    const __m512i outIndex = _mm512_load_si512(out.data());
    // Byte i of each word of this constant picks bit i of a matrix row.
    const __m512i bitPicks = _mm512_set1_epi64(static_cast<std::int64_t>(0x8040201008040201u));
    for (__m512i& reg : r) {
        reg = _mm512_permutex2var_epi8(reg, inIndex, reg);
        reg = _mm512_gf2p8affine_epi64_epi8(bitPicks, reg, 0);
    }
    swapWordBlocks<4>(r);
    swapWordBlocks<2>(r);
    swapWordBlocks<1>(r);
    for (int i = 0; i < 8; ++i)
        _mm512_storeu_si512(to.data() + 8 * i, _mm512_permutex2var_epi8(r[i], outIndex, r[i]));
}

} // namespace

void rowsToColumnsX86(const BitMatrix& rows, BitMatrix& columns)
{
    transposeX86(rows, columns, RowsIn, ColumnsOut);
}

void columnsToRowsX86(const BitMatrix& columns, BitMatrix& rows)
{
    transposeX86(columns, rows, ColumnsIn, RowsOut);
}

} // namespace glyphsmith

#endif
