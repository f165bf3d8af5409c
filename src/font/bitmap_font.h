#pragma once

// The one font the program works on: monochrome glyphs of at most 64 x 64
// cells, one for each character code from 0 to codeCount() - 1, and a
// font-wide height value. Glyphs are plain records of fixed size, copied whole.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "font/file_result.h"

namespace glyphsmith {

class MessageBoxes;
class SystemFontRenderer;

// The codes every font holds (0 to 127); a font may hold up to MaxCodeCount.
inline constexpr int GlyphCount = 128;
inline constexpr int MaxCodeCount = 65536;
inline constexpr int MaxGlyphSize = 64;

struct Glyph {
    // One cell of the grid, read as a bool and set by assigning one.
    class CellRef {
    public:
        CellRef(std::uint64_t& column, int y) : column_(column), bit_(std::uint64_t{ 1 } << y) { }
        operator bool() const { return (column_ & bit_) != 0; }
        CellRef& operator=(bool value)
        {
            column_ = value ? (column_ | bit_) : (column_ & ~bit_);
            return *this;
        }
        CellRef& operator=(const CellRef& other) { return *this = static_cast<bool>(other); }

    private:
        std::uint64_t& column_;
        std::uint64_t bit_;
    };

    std::int32_t height = 0;
    std::int32_t width = 0;
    // Column-major grid of bits: the cell of column x and row y is bit y of
    // pixels[x]. Cells outside width x height still belong to the glyph and
    // are kept. Packing the cells keeps a glyph at about half a kilobyte, so
    // a font of 65,536 codes fits in a few tens of megabytes.
    std::array<std::uint64_t, MaxGlyphSize> pixels{};

    CellRef cell(int x, int y) { return { pixels[x], y }; }
    bool cell(int x, int y) const { return ((pixels[x] >> y) & 1) != 0; }

    // Size 0 x 0 and every cell clear.
    void clear();
    // 0 x 0 with every cell clear: how a font file stores "no glyph here".
    bool isEmpty() const;

    bool operator==(const Glyph&) const = default;
};

// Cell size of the 16 x 8 grid in which the whole font is laid out, both on
// screen (the overview) and in an exported glyph sheet.
// The resource header an SCI font file begins with: the type byte (0x87 or
// 0x07, a font) and then n, the count of further header bytes the engine
// skips before the font data. Patch files of some games and translations
// carry n = 32 such bytes. They are kept as read and written back unchanged,
// so that a font opened and saved untouched is the same file.
struct SciResourceHeader {
    std::uint8_t type = 0x87;
    std::vector<std::uint8_t> skipped; // the n bytes after the count, at most 255

    bool operator==(const SciResourceHeader&) const = default;
};

// True for the first byte of an SCI font resource, 0x87 or 0x07.
bool isSciResourceType(std::uint8_t firstByte);

struct GridCellSize {
    int width;
    int height;
};

class BitmapFont {
public:
    // The start state: lineHeight 0 and 128 glyphs of 1 x 1 whose cell is clear.
    BitmapFont();

    // How many codes the font holds: its glyphs are those of codes 0 to
    // codeCount() - 1. At least GlyphCount, at most MaxCodeCount.
    int codeCount() const { return static_cast<int>(glyphs.size()); }
    // Grows the font with empty (0 x 0) glyphs or drops the highest codes;
    // `count` is clamped to GlyphCount .. MaxCodeCount.
    void setCodeCount(int count);

    // lineHeight 0, every glyph 0 x 0 with every cell clear and the SCI header
    // 87 00 (not the start state).
    void clear();

    // Largest width and height over every glyph, each plus 2 and at least 8.
    GridCellSize gridCellSize() const;

    // AGS font file (.wfn).
    FileResult readWfn(const std::string& path);
    FileResult writeWfn(const std::string& path) const;

    // SCI font file (font.*, *.0, NNN.fon), keeping its resource header in sciHeader.
    FileResult readSci(const std::string& path);
    FileResult writeSci(const std::string& path) const;

    // 24-bit BMP glyph sheet. A sheet of another depth is refused with a
    // message shown through `messages`.
    FileResult readBmp(const std::string& path, MessageBoxes& messages);
    FileResult writeBmp(const std::string& path) const;

    // The same formats on a file held in memory: the path versions read or
    // save the file and call these, which touch no disk. A reader that fails
    // leaves the font exactly as it was; a writer that fails leaves `bytes`
    // alone.
    FileResult readWfnBytes(std::span<const std::uint8_t> bytes);
    FileResult writeWfnBytes(std::vector<std::uint8_t>& bytes) const;
    FileResult readSciBytes(std::span<const std::uint8_t> bytes);
    FileResult writeSciBytes(std::vector<std::uint8_t>& bytes) const;
    FileResult readBmpBytes(std::span<const std::uint8_t> bytes, MessageBoxes& messages);
    FileResult writeBmpBytes(std::vector<std::uint8_t>& bytes) const;

    // Builds the font from the system font at lineHeight points; the path is
    // not used. Saving as TrueType is refused with a message.
    FileResult importSystemFont(const std::string& path, SystemFontRenderer& renderer, MessageBoxes& messages);
    FileResult writeTtf(const std::string& path, MessageBoxes& messages) const;

    bool operator==(const BitmapFont&) const = default;

    std::int32_t lineHeight = 0;
    std::vector<Glyph> glyphs;
    // Read from an SCI font, 87 00 for a font from anything else.
    SciResourceHeader sciHeader;
};

} // namespace glyphsmith
