// Building a font from the window system's standard font, and the refusal to
// save one as TrueType.
//
// Nothing is read from the ".ttf" file the user chose: every character code is
// drawn by the renderer into an off-screen 64 x 64 square as black ink on a
// white box (the character's cell) in the top-left corner, the rest of the
// square blue. Scanning the square column by column, top to bottom, turns black
// into set cells and white into clear cells; any other colour is a marker. The
// first marker on the top row gives the glyph's width, and a marker further
// down a column gives its height.

#include "font/bitmap_font.h"

#include <algorithm>
#include <memory>

#include "platform/message_boxes.h"
#include "platform/system_font_renderer.h"

namespace glyphsmith {

namespace {

constexpr Rgb Black{ 0, 0, 0 };
constexpr Rgb White{ 255, 255, 255 };

const char* const ImportNotice =
    "Loading TrueType fonts is only partially supported. Only the standard system font can be loaded, at any "
    "point size you desire (use the height indicator)";
const char* const SaveRefusal = "Saving TrueType fonts is not supported, nor will it be.";

// Which sides of a drawn character's cell fit the square. A box 64 pixels or
// more wide leaves no marker on the top row, and one 64 or more high none
// below a column, so that size cannot be known and stays 0.
struct CellFit {
    bool width = false;
    bool height = true;
};

// Reads one drawn square into `glyph`, which must be cleared beforehand.
CellFit scanSquare(const RenderSquare& square, Glyph& glyph)
{
    CellFit fit;
    for (int x = 0; x < RenderSquareSize; ++x) {
        bool columnEnds = false;
        for (int y = 0; y < RenderSquareSize && !columnEnds; ++y) {
            const Rgb colour = square[x + RenderSquareSize * y];
            if (colour == Black) {
                glyph.cell(x, y) = 1;
            } else if (colour == White) {
                glyph.cell(x, y) = 0;
            } else if (y == 0) {
                glyph.width = x;
                fit.width = true;
                return fit;
            } else {
                glyph.height = y;
                columnEnds = true;
            }
        }
        fit.height = fit.height && columnEnds;
    }
    return fit;
}

// Whether a cell that does not fit makes the font unusable. Every character
// shares the font's line height, so one too high means every glyph would come
// out 0 high. Width differs: control characters draw no glyph of their own,
// and the window system may give one the width of a tab stop (code 9 is
// wider than the square at every usual size); such a character keeps width 0.
bool fitsAsGlyph(int code, CellFit fit)
{
    const bool printable = code >= ' ' && code < 127;
    return fit.height && (fit.width || !printable);
}

} // namespace

FileResult BitmapFont::importSystemFont(const std::string& /*path*/, SystemFontRenderer& renderer,
                                        MessageBoxes& messages)
{
    // The editor only ever sets lineHeight to 1..64 and the font files bring
    // 0..65535, so a negative value can only come from a caller that set the
    // field directly. It has no sensible point size; ask for the default size
    // as for 0 rather than hand the renderer a negative size.
    const int points = std::max(lineHeight, 0);
    if (!renderer.selectFont(points))
        return FileResult::failed(FileError::NoSystemFont);

    // Every character is drawn and checked before the font changes, so a
    // size too large for a glyph leaves the font as it was.
    auto drawn = std::make_unique<BitmapFont>();
    drawn->clear();
    drawn->lineHeight = lineHeight;

    // Code 0 draws nothing, so its square would stay all blue and the scan
    // would give 0 x 0: glyph 0 is left as clear() made it, whatever the
    // renderer would do with it.
    RenderSquare square;
    for (int code = 1; code < GlyphCount; ++code) {
        renderer.drawCharacter(code, square);
        if (!fitsAsGlyph(code, scanSquare(square, drawn->glyphs[code])))
            return FileResult::failed(FileError::GlyphCellTooLarge, code);
    }
    *this = *drawn;

    messages.showMessage(ImportNotice, "", MessageButtons::Ok);
    return FileResult::done();
}

FileResult BitmapFont::writeTtf(const std::string& /*path*/, MessageBoxes& messages) const
{
    // Declined, not failed: the user has been told why, and since nothing was
    // saved the font keeps counting as changed.
    messages.showMessage(SaveRefusal, "", MessageButtons::Ok);
    return FileResult::refused();
}

} // namespace glyphsmith
