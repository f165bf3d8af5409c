// The text preview: its layout at 1x and 2x with a missing character, and how
// it follows the editor.

#include "editor/text_preview.h"
#include "editor_session.h"

namespace glyphsmith {
namespace {

TEST(TextPreview, SetsGlyphsSideBySideAtTheirWidthsWithAMarkerForAMissingCharacter)
{
    BitmapFont font;
    font.lineHeight = 6;
    Glyph& a = font.glyphs['A'];
    Glyph& b = font.glyphs['B']; // taller than the line: it reaches below it
    a.width = 3, a.height = 5, b.width = 2, b.height = 7;
    a.cell(0, 0) = a.cell(2, 4) = b.cell(1, 6) = true;
    font.glyphs['C'].clear();
    EXPECT_FALSE(fontHolds(font, 'C'));

    // A, then e-acute (beyond the font's 128 codes) as a 3-wide marker, then B:
    // a line 8 wide, rows 7 high, with 4 pixels of margin.
    const IndexedPicture picture = layOutTextPreview(font, decodeUtf8("A\xC3\xA9" "B"));
    ASSERT_EQ(picture.width, 4 + 2 * 8 + 4);
    ASSERT_EQ(picture.height, 4 + 7 + 4 + 2 * 7 + 4);
    struct Pixel {
        int x;
        int y;
        PreviewColour colour;
    };
    const std::vector<Pixel> pixels { // 1x from (4, 4), then 2x from (4, 15)
        { 4, 4, PreviewInk }, { 6, 8, PreviewInk }, { 6, 9, PreviewPaper }, { 7, 4, PreviewMarker },
        { 8, 6, PreviewPaper }, { 9, 9, PreviewMarker }, { 7, 10, PreviewBackground }, { 11, 10, PreviewInk },
        { 12, 4, PreviewBackground }, { 5, 16, PreviewInk }, { 6, 15, PreviewPaper }, { 11, 16, PreviewMarker },
        { 12, 18, PreviewPaper }, { 15, 26, PreviewMarker }, { 19, 28, PreviewInk }, { 20, 15, PreviewBackground },
    };
    for (const Pixel& pixel : pixels)
        EXPECT_EQ(picture.pixels[pixel.y * picture.width + pixel.x], pixel.colour) << pixel.x << ", " << pixel.y;
}

TEST(TextPreview, TheMarkerIsHalfTheLineRoundedUpAndAFontWithoutALineTakesItsTallestGlyph)
{
    struct Row {
        int lineHeight;
        const char* text; // 'A' is 3 x 8, e-acute is missing
        int width;        // the picture: 4 pixels of margin around the line at 1x and 2x
        int height;
    };
    const Row rows[] = {
        { 9, "\xC3\xA9", 4 + 2 * 5 + 4, 3 * 4 + 3 * 9 },
        { 0, "A\xC3\xA9", 4 + 2 * (3 + 4) + 4, 3 * 4 + 3 * 8 },
        { 0, "\xC3\xA9", 4 + 2 * 3 + 4, 3 * 4 + 3 * 3 },
    };
    for (const Row& row : rows) {
        BitmapFont font;
        font.lineHeight = row.lineHeight;
        font.glyphs['A'].width = 3, font.glyphs['A'].height = 8;
        const IndexedPicture picture = layOutTextPreview(font, decodeUtf8(row.text));
        EXPECT_EQ(std::pair(picture.width, picture.height), std::pair(row.width, row.height))
            << row.lineHeight << " " << row.text;
    }
}

using TextPreviewWindow = EditorSession;

TEST_F(TextPreviewWindow, FollowsEveryEditAndKeepsItsTextForTheNextRun)
{
    glyph('A').width = glyph('A').height = 4;
    open();
    ws.userPressesKey('T', KeyControl);
    ws.userEditsPreviewText("AA");
    const std::vector<std::uint8_t> before = ws.textPreviewPicture().pixels;
    ws.userReplacesText(LetterNumberBox, "65");
    ws.userMouse(MouseAction::LeftPress, 184 + 8, 32 + 8, 0);
    EXPECT_NE(ws.textPreviewPicture().pixels, before);

    ws.endDialog(DialogCancel);
    restart();
    open();
    EXPECT_EQ(ws.textPreviewText(), "AA");
}

} // namespace
} // namespace glyphsmith
