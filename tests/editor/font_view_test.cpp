// The font view, pixel for pixel on the headless canvas, and the overview's
// fit of the window to the font.

#include <vector>

#include "editor_session.h"
#include "platform/headless/headless_canvas.h"

namespace glyphsmith {
namespace {

constexpr Rgb Black { 0, 0, 0 };
constexpr Rgb White { 255, 255, 255 };
// The baseline's marker, at the glyph's top while no guide is set.
constexpr Rgb GuideMarker { 220, 40, 40 };

// What the client area should show, built up by painting squares in order.
class Picture {
public:
    explicit Picture(PixelSize size)
        : size_(size)
        , pixels_(size.width * size.height, DialogBackgroundColour)
    {
    }
    void square(int left, int top, int side, Rgb colour)
    {
        for (int y = top; y < top + side; ++y)
            for (int x = left; x < left + side; ++x)
                if (x < size_.width && y < size_.height)
                    pixels_[y * size_.width + x] = colour;
    }
    void fill(PixelRect rect, Rgb colour)
    {
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                pixels_[y * size_.width + x] = colour;
    }
    void glyph(const Glyph& glyph, int left, int top, int scale)
    {
        for (int y = 0; y < glyph.height; ++y)
            for (int x = 0; x < glyph.width; ++x)
                square(left + scale * x, top + scale * y, scale, glyph.cell(x, y) ? White : Black);
    }
    // The first pixel where `canvas` differs, as text; empty when none does.
    std::string firstDifference(const HeadlessCanvas& canvas) const
    {
        if (canvas.size() != size_)
            return "canvas size differs";
        for (int y = 0; y < size_.height; ++y)
            for (int x = 0; x < size_.width; ++x)
                if (canvas.pixel(x, y) != pixels_[y * size_.width + x])
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return {};
    }

private:
    PixelSize size_;
    std::vector<Rgb> pixels_;
};

Glyph patterned(int width, int height, unsigned seed)
{
    Glyph glyph;
    glyph.width = width;
    glyph.height = height;
    for (int x = 0; x < MaxGlyphSize; ++x)
        for (int y = 0; y < MaxGlyphSize; ++y)
            glyph.cell(x, y) = ((x * 7 + y * 3 + seed) % 5) < 2;
    return glyph;
}

using FontView = EditorSession;

// The dialog template's 431 x 426 client area in the headless frame.
constexpr PixelSize TemplateWindow { 437, 454 };

TEST_F(FontView, TheOverviewSpacesGlyphsByTheLargestPlus2AndFitsTheWindowToThem)
{
    struct Case {
        int widest;
        int tallest;
        PixelSize window;
    };
    const std::vector<Case> cases {
        { 3, 6, TemplateWindow },   // cells of at least 8 x 8: 376 x 231 is too small for the controls
        { 14, 1, { 632, 454 } },    // 16 wide; the template sets the height
        { 20, 10, { 824, 454 } },   // 22 x 12; the template's height is still the larger
        { 64, 64, { 2232, 1113 } }, // 66 x 66
    };
    for (const Case& test : cases) {
        restart();
        for (int code = 0; code < GlyphCount; ++code)
            glyph(code) = patterned(1 + code % test.widest, 1 + code % test.tallest, code);
        open();
        const PixelRect window = ws.windowRect();
        EXPECT_EQ((PixelSize { window.width(), window.height() }), test.window) << test.widest << " x " << test.tallest;
        const int cellWidth = std::max(test.widest + 2, 8);
        const int cellHeight = std::max(test.tallest + 2, 8);
        Picture expected(ws.clientSize());
        for (int code = 0; code < GlyphCount; ++code)
            expected.glyph(glyph(code), 120 + 2 * cellWidth * (code % 16), 32 + 2 * cellHeight * (code / 16), 2);
        EXPECT_EQ(expected.firstDifference(ws.canvas()), "") << test.widest << " x " << test.tallest;
        ws.userClosesWindow();
    }
}

TEST_F(FontView, AWindowAtTheScreensLeftOrTopEdgeKeepsItsSize)
{
    for (PixelRect at : { PixelRect { 0, 40, 400, 300 }, PixelRect { 40, 0, 440, 300 } }) {
        restart();
        open([&] { ws.moveWindow(at); });
        EXPECT_EQ(ws.windowRect(), at);
        ws.userClosesWindow();
    }
}

TEST_F(FontView, LetterModeShowsTheGlyphEnlargedWithItsPreviewAndTheClipboardsOnTop)
{
    // 40 columns: the preview reaches past x = 184 into the enlarged glyph.
    glyph(65) = patterned(40, 3, 1);
    open();
    ws.moveWindow({ 10, 10, 10 + 1200, 10 + 400 });
    ws.userReplacesText(LetterNumberBox, "65");
    ws.userClicks(CopyButton);
    ws.userReplacesText(LetterNumberBox, "66");
    glyph(66) = patterned(5, 9, 2);
    ws.userUncoversWindow();

    Picture expected(ws.clientSize());
    expected.glyph(glyph(66), 184, 32, 16);
    expected.glyph(glyph(66), 120, 32, 2);
    expected.glyph(glyph(65), 120, 152, 2);
    expected.fill({ 170, 32, 182, 35 }, GuideMarker);
    EXPECT_EQ(expected.firstDifference(ws.canvas()), "");

    ws.userReplacesText(LetterNumberBox, "65");
    Picture wide(ws.clientSize());
    wide.glyph(glyph(65), 184, 32, 16);
    wide.glyph(glyph(65), 120, 32, 2);
    wide.glyph(glyph(65), 120, 152, 2);
    wide.fill({ 170, 32, 182, 35 }, GuideMarker);
    EXPECT_EQ(wide.firstDifference(ws.canvas()), "");
}

TEST_F(FontView, AMinimisedWindowShowsTheIconCentredAndNothingIsDrawnWithoutASurface)
{
    open();
    ws.setMinimised(true);
    ws.userUncoversWindow();
    const PixelSize client = ws.clientSize();
    ASSERT_FALSE(ws.drawnIcons().empty());
    EXPECT_EQ(ws.drawnIcons().back(),
        (DrawnIcon { Icon { AppIconResource }, (client.width - 32 + 1) / 2, (client.height - 32 + 1) / 2 }));

    ws.setMinimised(false);
    ws.setSurfaceAvailable(false);
    ws.userUncoversWindow();
    EXPECT_EQ(Picture(client).firstDifference(ws.canvas()), "");
}

} // namespace
} // namespace glyphsmith
