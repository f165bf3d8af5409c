#pragma once

// The one font the program works on: 128 monochrome glyphs of at most 64 x 64
// cells and a font-wide height value. Plain records of fixed size, copied whole.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "font/file_result.h"

namespace glyphsmith {

class MessageBoxes;
class SystemFontRenderer;

inline constexpr int GlyphCount = 128;
inline constexpr int MaxGlyphSize = 64;
inline constexpr int GlyphCellCount = MaxGlyphSize * MaxGlyphSize;

struct Glyph {
    std::int32_t height = 0;
    std::int32_t width = 0;
    // Column-major grid: the cell of column x and row y is pixels[x * 64 + y].
    // Cells outside width x height still belong to the glyph and are kept.
    std::array<std::int32_t, GlyphCellCount> pixels{};

    std::int32_t& cell(int x, int y) { return pixels[x * MaxGlyphSize + y]; }
    std::int32_t cell(int x, int y) const { return pixels[x * MaxGlyphSize + y]; }

    // Size 0 x 0 and every cell clear.
    void clear();

    bool operator==(const Glyph&) const = default;
};

// Cell size of the 16 x 8 grid in which the whole font is laid out, both on
// screen (the overview) and in an exported glyph sheet.
struct GridCellSize {
    int width;
    int height;
};

class BitmapFont {
public:
    // The start state: lineHeight 0 and 128 glyphs of 1 x 1 whose cell is clear.
    BitmapFont();

    // lineHeight 0 and every glyph 0 x 0 with every cell clear (not the start state).
    void clear();

    // Largest width and height over all 128 glyphs, each plus 2 and at least 8.
    GridCellSize gridCellSize() const;

    // AGS font file (.wfn).
    FileResult readWfn(const std::string& path);
    FileResult writeWfn(const std::string& path) const;

    // SCI font file (font.*, *.0).
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
    std::array<Glyph, GlyphCount> glyphs;
};

} // namespace glyphsmith
