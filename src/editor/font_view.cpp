#include "editor/font_view.h"

#include <algorithm>

#include "editor/editor_dialog.h"

// Drawing the font view. Every pixel of it is a plain copy of a block of the
// cell bitmap: from (0, 0) black for a clear cell, from (16, 0) white for a
// set one. Nothing is drawn off screen first; later blocks cover earlier ones.

namespace glyphsmith {

namespace {

constexpr int BlackBlockX = 0;
constexpr int WhiteBlockX = 16;

// The background of a glyph selected in the overview, and the frame of the
// pixels selected in letter mode.
constexpr Rgb SelectionColour { 0, 120, 215 };
constexpr int FrameThickness = 2;

int blockFor(std::int32_t cell)
{
    return cell != 0 ? WhiteBlockX : BlackBlockX;
}

// A glyph's used size, kept inside its grid whatever a caller stored.
int usedWidth(const Glyph& glyph)
{
    return std::clamp<int>(glyph.width, 0, MaxGlyphSize);
}

int usedHeight(const Glyph& glyph)
{
    return std::clamp<int>(glyph.height, 0, MaxGlyphSize);
}

void paintPreview(ClientSurface& surface, const Glyph& glyph, int left, int top)
{
    for (int y = 0; y < usedHeight(glyph); ++y)
        for (int x = 0; x < usedWidth(glyph); ++x)
            surface.copyCellBlock(blockFor(glyph.cell(x, y)), 0, PreviewScale, PreviewScale,
                left + PreviewScale * x, top + PreviewScale * y);
}

} // namespace

void EditorDialog::paint()
{
    if (windowSystem_.isMinimised()) {
        paintMinimised();
        return;
    }
    paintFontView();
}

void EditorDialog::paintMinimised()
{
    std::unique_ptr<ClientSurface> surface = windowSystem_.clientSurface();
    if (!surface)
        return;
    const PixelSize icon = windowSystem_.systemIconSize();
    const PixelSize client = windowSystem_.clientSize();
    surface->drawIcon(appIcon_, (client.width - icon.width + 1) / 2, (client.height - icon.height + 1) / 2);
}

void EditorDialog::paintFontView()
{
    std::unique_ptr<ClientSurface> surface = windowSystem_.clientSurface();
    if (!surface)
        return;
    if (letterMode_)
        paintLetter(*surface);
    else
        paintOverview(*surface);
    surface.reset();
    // The preview follows every edit, and every edit is drawn here.
    updateTextPreview();
}

void EditorDialog::paintLetter(ClientSurface& surface)
{
    currentGlyph_ = &font_.glyphs[currentLetter_];
    const Glyph& glyph = *currentGlyph_;
    // Row by row, each pixel's enlarged block and then its preview block: a
    // preview wider than 32 pixels runs into the enlarged glyph and is drawn
    // over it in this order.
    for (int y = 0; y < usedHeight(glyph); ++y) {
        for (int x = 0; x < usedWidth(glyph); ++x) {
            const int block = blockFor(glyph.cell(x, y));
            surface.copyCellBlock(block, 0, LetterScale, LetterScale, LetterLeft + LetterScale * x,
                LetterTop + LetterScale * y);
            surface.copyCellBlock(block, 0, PreviewScale, PreviewScale, ViewLeft + PreviewScale * x,
                ViewTop + PreviewScale * y);
        }
    }
    paintPreview(surface, clipboardGlyph_, ViewLeft, ClipboardPreviewTop);
    paintReference(surface);
    paintGuides(surface);
    paintSelectionFrame(surface);
}

void EditorDialog::paintLetterPreviews(ClientSurface& surface)
{
    paintPreview(surface, *currentGlyph_, ViewLeft, ViewTop);
    paintPreview(surface, clipboardGlyph_, ViewLeft, ClipboardPreviewTop);
}

void EditorDialog::paintSelectionFrame(ClientSurface& surface)
{
    if (!drawing_.selection || drawing_.selectionCode != currentLetter_)
        return;
    // The frame of the part of the selection that lies on the glyph.
    const FloatingPixels& floating = *drawing_.selection;
    const int left = LetterLeft + LetterScale * std::max(floating.at.x, 0);
    const int top = LetterTop + LetterScale * std::max(floating.at.y, 0);
    const int right = LetterLeft + LetterScale * std::min(floating.at.x + floating.pixels.width, usedWidth(*currentGlyph_));
    const int bottom = LetterTop + LetterScale * std::min(floating.at.y + floating.pixels.height, usedHeight(*currentGlyph_));
    if (right <= left || bottom <= top)
        return;
    surface.fillRect({ left, top, right, top + FrameThickness }, SelectionColour);
    surface.fillRect({ left, bottom - FrameThickness, right, bottom }, SelectionColour);
    surface.fillRect({ left, top, left + FrameThickness, bottom }, SelectionColour);
    surface.fillRect({ right - FrameThickness, top, right, bottom }, SelectionColour);
}

void EditorDialog::paintOverview(ClientSurface& surface)
{
    const GridCellSize cell = font_.gridCellSize();
    fitWindowToOverview(cell);
    // The block of 128 codes shown; the last block of a font may be partial.
    const int first = shownBlockStart();
    for (int column = 0; column < OverviewColumns; ++column)
        for (int row = 0; row < OverviewRows; ++row) {
            const int code = first + OverviewColumns * row + column;
            if (code >= font_.codeCount())
                continue;
            const int left = ViewLeft + OverviewScale * column * cell.width;
            const int top = ViewTop + OverviewScale * row * cell.height;
            // A selected glyph stands on a coloured cell, margin and all.
            if (range_.glyphs.contains(code))
                surface.fillRect({ left, top, left + OverviewScale * cell.width, top + OverviewScale * cell.height },
                    SelectionColour);
            paintPreview(surface, font_.glyphs[code], left, top);
        }
}

void EditorDialog::fitWindowToOverview(GridCellSize cell)
{
    // A window at the screen's left or top edge (or beyond it) keeps its size.
    const PixelRect outer = windowSystem_.windowRect();
    if (outer.left <= 0 || outer.top <= 0)
        return;
    // Never smaller than the dialog as its template lays it out, so that no
    // control is cut off however small the font's glyphs are.
    const PixelSize client = windowSystem_.clientSize();
    const int templateWidth = templateClientSize_.width + outer.width() - client.width;
    const int templateHeight = templateClientSize_.height + outer.height() - client.height;
    const int width = std::max({ OverviewColumns * OverviewScale * cell.width + OverviewWindowExtraWidth,
        OverviewMinWindowWidth, templateWidth });
    const int height = std::max({ OverviewRows * OverviewScale * cell.height + OverviewWindowExtraHeight,
        OverviewMinWindowHeight, templateHeight });
    windowSystem_.moveWindow({ outer.left, outer.top, outer.left + width, outer.top + height });
}

} // namespace glyphsmith
