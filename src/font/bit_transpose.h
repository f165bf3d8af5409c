#pragma once

// Moving a square matrix of cells between row words and column words: the
// one costly step in moving a glyph between a file's rows and its own
// columns. A row word holds the row's bytes as a file stores them, byte j in
// bits 8j to 8j + 7 with its leftmost cell in bit 7, so column x is bit
// x ^ 7; a column word holds row y in bit y, as Glyph::pixels does.

#include <array>
#include <cstdint>

namespace glyphsmith {

using BitMatrix = std::array<std::uint64_t, 64>;

// Turns the row words 0 to side - 1 of `rows` into column words 0 to side - 1
// of `columns` (side 8, 16, 32 or 64): the cells of the top-left side x side
// corner. Every bit outside that corner, in those words and in the words from
// side on, must be clear, and is clear in `columns`. The two may be the same
// matrix.
void rowsToColumns(const BitMatrix& rows, BitMatrix& columns, int side);

// The reverse: column words 0 to side - 1 into row words, under the same
// terms.
void columnsToRows(const BitMatrix& columns, BitMatrix& rows, int side);

// The same two with plain 64-bit operations on any processor: the reference
// the faster copies are checked against.
void rowsToColumnsPortable(const BitMatrix& rows, BitMatrix& columns, int side);
void columnsToRowsPortable(const BitMatrix& columns, BitMatrix& rows, int side);

} // namespace glyphsmith
