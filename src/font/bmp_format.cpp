// The glyph sheet: the whole font as one uncompressed 24-bit BMP picture.
//
// The picture is a grid of 16 columns of equal cells, one row of cells per 16
// codes (8 rows for a font of 128 codes); glyph c sits in the top-left corner
// of cell column c % 16, cell row c / 16. A set pixel is white, a clear pixel
// black, and the rest of each cell is grey (153). On export the cells are two
// pixels wider and taller than the largest glyph (at least 8 x 8), so every
// glyph has a grey column to its right and a grey row below it.
//
// A font of more than 128 codes is drawn with square cells, as wide as the
// wider and taller of the two sizes above, and the bottom-right pixel of the
// picture, always grey, is a darker grey 100 + u, where u (0 to 15) counts
// the unused cells at the end of the last row. That pixel tells the import to
// read rows of square cells down the whole picture, giving 16 x rows - u
// codes; any other sheet is read as 8 rows of 128 codes. Sheets taller than
// 32,768 pixels are refused, since common picture editors do not open them.
//
// The file is a 14-byte file header ("BM", file size, reserved, offset of the
// pixels) and a 40-byte info header (size 40, width, height, planes 1, 24 bits,
// no compression, image size, 3790 x 3780 pixels per metre, no palette), then
// the pixel rows, bottom row first, three bytes per pixel (blue, green, red),
// each row padded to a multiple of four bytes.
//
// On import only the blue byte of a pixel counts: 0 is clear, 255 is set and
// anything else is a marker. Each cell is scanned column by column from the
// top; a marker at the top of a column ends the glyph and gives its width, a
// marker lower down ends that column and gives the glyph's height.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "font/bitmap_font.h"
#include "font/byte_stream.h"
#include "font/file_io.h"
#include "platform/message_boxes.h"

namespace glyphsmith {

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t HeaderSize = FileHeaderSize + InfoHeaderSize;
constexpr std::uint8_t SetColour = 255;
constexpr std::uint8_t ClearColour = 0;
constexpr std::uint8_t MarkerColour = 153;
constexpr std::int32_t HorizontalPixelsPerMetre = 3790;
constexpr std::int32_t VerticalPixelsPerMetre = 3780;
// The darkest grey of the bottom-right pixel of a sheet of more than 128
// codes; see the top of this file.
constexpr std::uint8_t TallSheetMarker = 100;
constexpr std::int32_t MaxSheetHeight = 32768;

// Far more than any sheet of 64 x 64 glyphs needs, small enough to hold in memory.
constexpr std::size_t MaxSheetFileSize = 256u * 1024 * 1024;

// The part of the header that the import looks at.
struct SheetHeader {
    std::uint32_t pixelOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
};

// Where the grid of cells lies in the pixel block, worked out and checked
// against the real length of the block before the font is touched.
struct SheetGrid {
    std::int64_t cellWidth = 0;
    std::int64_t cellHeight = 0;
    std::int64_t cellRows = 8;
    int codes = GlyphCount;
    std::uint64_t rowBytes = 0;
    bool topDown = false;
    // Stored rows to pass over before the first grid row (top-down sheets only).
    std::uint64_t skippedRows = 0;

    bool empty() const { return cellWidth <= 0 || cellHeight <= 0; }

    // Offset in the pixel block of the blue byte of grid position (x, y),
    // counted from the top-left corner of the grid.
    std::uint64_t offsetOf(std::int64_t x, std::int64_t y) const
    {
        const std::uint64_t gridRows = static_cast<std::uint64_t>(cellRows * cellHeight);
        const std::uint64_t row = topDown ? skippedRows + static_cast<std::uint64_t>(y)
                                          : gridRows - 1 - static_cast<std::uint64_t>(y);
        return row * rowBytes + 3 * static_cast<std::uint64_t>(x);
    }
};

FileError readHeader(ByteReader& reader, SheetHeader& header)
{
    const std::uint8_t first = reader.u8();
    const std::uint8_t second = reader.u8();
    if (reader.overran() || first != 'B' || second != 'M')
        return FileError::BadSignature;

    reader.u32le(); // file size: not trusted, the real length of the file counts
    reader.skip(4); // reserved
    header.pixelOffset = reader.u32le();
    reader.skip(4); // info header size: 40, 108 and 124 all keep these fields in place
    header.width = reader.i32le();
    header.height = reader.i32le();
    reader.u16le(); // planes
    header.bitsPerPixel = reader.u16le();
    return reader.overran() ? FileError::EndsInsideHeader : FileError::None;
}

// How many codes a sheet of square cells holds when its bottom-right pixel is
// the darker grey of a sheet of more than 128 codes; 0 for any other sheet.
int tallSheetCodes(const SheetHeader& header, std::span<const std::uint8_t> block)
{
    const std::int64_t width = header.width;
    const std::int64_t rows = std::llabs(static_cast<long long>(header.height));
    const std::int64_t side = width / 16;
    if (side <= 0 || width % 16 != 0 || rows % side != 0 || rows / side <= 8 || rows / side > MaxCodeCount / 16)
        return 0;
    const std::uint64_t rowBytes = (3 * static_cast<std::uint64_t>(width) + 3) / 4 * 4;
    const std::uint64_t bottomRow = header.height < 0 ? static_cast<std::uint64_t>(rows) - 1 : 0;
    const std::uint64_t corner = bottomRow * rowBytes + 3 * static_cast<std::uint64_t>(width - 1);
    if (corner + 3 > block.size())
        return 0;
    const std::uint8_t grey = block[corner];
    if (block[corner + 1] != grey || block[corner + 2] != grey || grey < TallSheetMarker || grey >= TallSheetMarker + 16)
        return 0;
    return static_cast<int>(16 * (rows / side)) - (grey - TallSheetMarker);
}

// Lays the grid over the pixel block and checks that the block holds every
// byte the scan can look at, so that the scan itself cannot fail.
FileError placeGrid(const SheetHeader& header, std::span<const std::uint8_t> block, SheetGrid& grid)
{
    // Both dimensions fit in 32 bits, so every size below fits in 64 bits:
    // at most 2^31 rows of at most 3 * 2^31 + 3 bytes.
    const std::int64_t width = header.width;
    const std::int64_t rows = std::llabs(static_cast<long long>(header.height));
    grid.cellWidth = width / 16;
    grid.cellHeight = rows / 8;
    if (const int codes = tallSheetCodes(header, block); codes > 0) {
        grid.codes = codes;
        grid.cellHeight = grid.cellWidth;
        grid.cellRows = rows / grid.cellWidth;
    }
    grid.topDown = header.height < 0;
    if (grid.empty())
        return FileError::None;

    grid.rowBytes = (3 * static_cast<std::uint64_t>(width) + 3) / 4 * 4;
    // Bottom-up rows put the grid in the first stored rows, leaving the few
    // rows above it (height mod 8) unread. A top-down sheet is read as the
    // same picture: its first stored rows are those top rows, skipped.
    const std::uint64_t gridRows = static_cast<std::uint64_t>(grid.cellRows * grid.cellHeight);
    grid.skippedRows = grid.topDown ? static_cast<std::uint64_t>(rows) - gridRows : 0;
    const std::uint64_t rowsNeeded = grid.skippedRows + gridRows;
    const std::uint64_t lastRowBytes = 3 * 16 * static_cast<std::uint64_t>(grid.cellWidth);
    // The last row needs only the grid's pixels, not its padding.
    const std::uint64_t needed = (rowsNeeded - 1) * grid.rowBytes + lastRowBytes;
    return needed > block.size() ? FileError::PixelDataTooShort : FileError::None;
}

// Reads one cell into `glyph`, which is already clear. At most 64 columns and
// 64 rows of a cell hold glyph pixels; a marker at column 64 or row 64 is
// still read, since that is where the grey border of a 64-pixel glyph lies.
void scanCell(std::span<const std::uint8_t> block, const SheetGrid& grid, std::int64_t left, std::int64_t top,
              Glyph& glyph)
{
    const std::int64_t columns = std::min<std::int64_t>(grid.cellWidth, MaxGlyphSize + 1);
    const std::int64_t rows = std::min<std::int64_t>(grid.cellHeight, MaxGlyphSize + 1);
    for (int x = 0; x < columns; ++x) {
        // The column's cells gather in one word, stored once the column ends.
        std::uint64_t column = 0;
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t blue = block[grid.offsetOf(left + x, top + y)];
            if (blue != SetColour && blue != ClearColour) {
                if (y == 0) {
                    glyph.width = x;
                    return;
                }
                glyph.height = y;
                break;
            }
            if (y < MaxGlyphSize)
                column |= std::uint64_t{ blue == SetColour } << y;
        }
        if (x < MaxGlyphSize)
            glyph.pixels[static_cast<std::size_t>(x)] = column;
    }
}

} // namespace

FileResult BitmapFont::writeBmp(const std::string& path) const
{
    std::vector<std::uint8_t> bytes;
    FileResult result = writeBmpBytes(bytes);
    return result.ok() ? saveFile(path, bytes) : result;
}

FileResult BitmapFont::writeBmpBytes(std::vector<std::uint8_t>& bytes) const
{
    GridCellSize cell = gridCellSize();
    const int cellRows = (codeCount() + 15) / 16;
    if (codeCount() > GlyphCount) {
        cell.width = std::max(cell.width, cell.height);
        cell.height = cell.width;
    }
    if (cellRows * cell.height > MaxSheetHeight)
        return FileResult::failed(FileError::SheetTooTall);
    const std::int32_t width = 16 * cell.width;
    const std::int32_t height = cellRows * cell.height;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(3 * width * height);

    ByteWriter writer;
    writer.reserve(HeaderSize + imageSize);
    writer.u8('B');
    writer.u8('M');
    writer.u32le(HeaderSize + imageSize);
    writer.u32le(0);
    writer.u32le(HeaderSize);
    writer.u32le(InfoHeaderSize);
    writer.i32le(width);
    writer.i32le(height); // positive: rows stored bottom-up
    writer.u16le(1);
    writer.u16le(24);
    writer.u32le(0); // no compression
    writer.u32le(imageSize);
    writer.i32le(HorizontalPixelsPerMetre);
    writer.i32le(VerticalPixelsPerMetre);
    writer.u32le(0);
    writer.u32le(0);

    // Rows of 48 * cellWidth bytes are already a multiple of four: no padding.
    std::vector<std::uint8_t> pixels(imageSize, MarkerColour);
    for (int code = 0; code < codeCount(); ++code) {
        const Glyph& glyph = glyphs[code];
        const int left = (code % 16) * cell.width;
        const int top = (code / 16) * cell.height;
        // The clamp only matters for a glyph whose size broke the 0..64 rule.
        const int glyphWidth = std::clamp<int>(glyph.width, 0, MaxGlyphSize);
        const int glyphHeight = std::clamp<int>(glyph.height, 0, MaxGlyphSize);
        for (int x = 0; x < glyphWidth; ++x) {
            const std::uint64_t column = glyph.pixels[static_cast<std::size_t>(x)];
            for (int y = 0; y < glyphHeight; ++y) {
                const std::size_t row = static_cast<std::size_t>(height - 1 - (top + y));
                const std::size_t offset = 3 * (row * static_cast<std::size_t>(width) + static_cast<std::size_t>(left + x));
                const std::uint8_t colour = ((column >> y) & 1) != 0 ? SetColour : ClearColour;
                std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(offset), 3, colour);
            }
        }
    }
    if (codeCount() > GlyphCount) {
        // Bottom-up rows: the bottom-right pixel is the last of the first stored row.
        const std::uint8_t unusedCells = static_cast<std::uint8_t>(16 * cellRows - codeCount());
        std::fill_n(pixels.begin() + 3 * (width - 1), 3, static_cast<std::uint8_t>(TallSheetMarker + unusedCells));
    }
    writer.append(pixels);

    bytes = writer.take();
    return FileResult::done();
}

FileResult BitmapFont::readBmp(const std::string& path, MessageBoxes& messages)
{
    std::vector<std::uint8_t> file;
    if (FileError error = readWholeFile(path, MaxSheetFileSize, file); error != FileError::None)
        return FileResult::failed(error);
    return readBmpBytes(file, messages);
}

FileResult BitmapFont::readBmpBytes(std::span<const std::uint8_t> file, MessageBoxes& messages)
{
    if (file.size() > MaxSheetFileSize)
        return FileResult::failed(FileError::FileTooLarge);

    ByteReader reader(file);
    SheetHeader header;
    if (FileError error = readHeader(reader, header); error != FileError::None)
        return FileResult::failed(error);

    if (header.bitsPerPixel != 24) {
        messages.showMessage("Only 24-bit bitmaps are supported.", "", MessageButtons::Ok);
        return FileResult::refused();
    }

    if (header.pixelOffset > file.size())
        return FileResult::failed(FileError::BadPixelOffset);
    const std::span<const std::uint8_t> block = file.subspan(header.pixelOffset);

    SheetGrid grid;
    if (FileError error = placeGrid(header, block, grid); error != FileError::None)
        return FileResult::failed(error);

    // The whole file has been checked: from here on nothing can fail.
    setCodeCount(grid.codes);
    clear();
    if (grid.empty())
        return FileResult::done();
    for (int code = 0; code < codeCount(); ++code)
        scanCell(block, grid, (code % 16) * grid.cellWidth, (code / 16) * grid.cellHeight, glyphs[code]);
    return FileResult::done();
}

} // namespace glyphsmith
