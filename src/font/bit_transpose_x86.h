#pragma once

// The fast copies of the 64 x 64 row and column transposes for x86-64 processors that have
// AVX-512 byte permutes and GFNI (see bit_transpose_x86.cpp).

#include "font/bit_transpose.h"

// Not on Windows: GCC there keeps the stack aligned to 16 bytes only, yet
// spills 64-byte vector registers with aligned moves.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define GLYPHSMITH_X86_TRANSPOSE 1
#else
#define GLYPHSMITH_X86_TRANSPOSE 0
#endif

#if GLYPHSMITH_X86_TRANSPOSE
namespace glyphsmith {

// Whether this processor and system can run the two functions below.
bool hasX86Transpose();

// rowsToColumns and columnsToRows of bit_transpose.h on the whole 64 x 64
// matrix. Only to be called when hasX86Transpose() said so.
void rowsToColumnsX86(const BitMatrix& rows, BitMatrix& columns);
void columnsToRowsX86(const BitMatrix& columns, BitMatrix& rows);

} // namespace glyphsmith
#endif
