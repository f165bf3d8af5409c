// The drawing tools and the rectangular selection of letter mode, played
// with the headless backend's mouse and keys.

#include <functional>
#include <string>
#include <vector>

#include "editor/text_preview.h"
#include "font/font_file_import.h"
#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

class Tools : public EditorSession {
protected:
    // Letter 40, 8 x 6, drawn from rows of '#' and '.', in letter mode.
    void openLetter(const std::vector<std::string>& rows)
    {
        glyph(40) = picture(rows);
        open();
        ws.userReplacesText(LetterNumberBox, "40");
    }
    static Glyph picture(const std::vector<std::string>& rows)
    {
        Glyph result;
        result.width = static_cast<int>(rows[0].size());
        result.height = static_cast<int>(rows.size());
        for (int y = 0; y < result.height; ++y)
            for (int x = 0; x < result.width; ++x)
                result.cell(x, y) = rows[y][x] == '#';
        return result;
    }

public:
    void mouse(MouseAction action, int x, int y, unsigned keys = 0)
    {
        ws.userMouse(action, 184 + 16 * x + 8, 32 + 16 * y + 8, keys);
    }
    // A left-button drag through the given cells, with `keys` held as well.
    void drag(const std::vector<std::pair<int, int>>& cells, unsigned keys = 0)
    {
        mouse(MouseAction::LeftPress, cells.front().first, cells.front().second, keys);
        for (const auto& [x, y] : cells)
            mouse(MouseAction::Move, x, y, LeftButtonHeld | keys);
        mouse(MouseAction::Release, cells.back().first, cells.back().second, keys);
    }
};

const std::vector<std::string> Blank(6, "........");

TEST_F(Tools, EachToolDrawsItsShapeAsOneStep)
{
    struct Case {
        const char* name;
        int toolKey; // with Alt
        std::vector<std::string> before;
        std::function<void(Tools&)> play;
        std::vector<std::string> after;
    };
    const std::vector<Case> cases {
        { "line", '2', Blank, [](Tools& t) { t.drag({ { 0, 0 }, { 6, 5 }, { 4, 2 } }); },
            { "#.......", ".##.....", "...##...", "........", "........", "........" } },
        { "line with Shift, nearly level", '2', Blank, [](Tools& t) { t.drag({ { 1, 1 }, { 6, 2 } }, ShiftHeld); },
            { "........", ".######.", "........", "........", "........", "........" } },
        { "line with Shift, nearly diagonal", '2', Blank, [](Tools& t) { t.drag({ { 0, 0 }, { 4, 3 } }, ShiftHeld); },
            { "#.......", ".#......", "..#.....", "...#....", "....#...", "........" } },
        { "line from a set pixel erases", '2', { "########", "........", "........", "........", "........", "........" },
            [](Tools& t) { t.drag({ { 1, 0 }, { 3, 0 } }); },
            { "#...####", "........", "........", "........", "........", "........" } },
        { "rectangle dragged past the edge stops at it", '3', Blank, [](Tools& t) { t.drag({ { 5, 3 }, { 12, 9 } }); },
            { "........", "........", "........", ".....###", ".....#.#", ".....###" } },
        { "filled rectangle", '4', Blank, [](Tools& t) { t.drag({ { 3, 4 }, { 1, 2 } }); },
            { "........", "........", ".###....", ".###....", ".###....", "........" } },
        { "flood fill stops at the ring", '5', { "........", ".####...", ".#..#...", ".####...", "........", "........" },
            [](Tools& t) { t.mouse(MouseAction::LeftPress, 2, 2), t.mouse(MouseAction::Release, 2, 2); },
            { "........", ".####...", ".####...", ".####...", "........", "........" } },
        { "flood fill of the outside", '5', { "........", ".####...", ".#..#...", ".####...", "........", "........" },
            [](Tools& t) { t.mouse(MouseAction::LeftPress, 7, 5), t.mouse(MouseAction::Release, 7, 5); },
            { "########", "########", "##..####", "########", "########", "########" } },
        { "the right button draws nothing", '3', Blank,
            [](Tools& t) {
                t.mouse(MouseAction::RightPress, 1, 1);
                t.mouse(MouseAction::Move, 4, 4, RightButtonHeld);
                t.mouse(MouseAction::Release, 4, 4);
            },
            Blank },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (ws.isDialogRunning())
            ws.endDialog(DialogCancel);
        restart();
        openLetter(test.before);
        ws.userPressesKey(test.toolKey, KeyAlt);
        const std::size_t steps = editor->history().stepCount();
        test.play(*this);
        EXPECT_EQ(glyph(40), picture(test.after));
        const bool changed = test.after != test.before;
        EXPECT_EQ(editor->history().stepCount(), steps + (changed ? 1 : 0));
        EXPECT_EQ(editor->modified(), changed);
        ws.userPressesKey('Z', KeyControl);
        EXPECT_EQ(glyph(40), picture(test.before));
    }
}

TEST_F(Tools, TheSelectionMovesOffTheEdgeAndBackUntilItIsPutDown)
{
    openLetter({ "##......", "#.......", "........", "........", "........", "........" });
    ws.userClicks(SelectToolButton);
    EXPECT_EQ(ws.control(SelectToolButton).text, "[Select]");
    EXPECT_EQ(ws.control(PencilToolButton).text, "Pencil");
    drag({ { 0, 0 }, { 1, 1 } });
    ASSERT_TRUE(editor->pixelSelection());

    // Dragged by its inside past the left edge and back right by three.
    drag({ { 1, 1 }, { -3, 1 }, { 4, 1 } });
    EXPECT_EQ(glyph(40), picture({ "...##...", "...#....", "........", "........", "........", "........" }));
    // The arrows, one step each: two past the right edge, then one back.
    ws.userPressesKey(KeyRight), ws.userPressesKey(KeyRight), ws.userPressesKey(KeyRight);
    ws.userPressesKey(KeyRight), ws.userPressesKey(KeyLeft);
    EXPECT_EQ(glyph(40), picture({ "......##", "......#.", "........", "........", "........", "........" }));
    ws.userPressesKey('Z', KeyControl);
    EXPECT_FALSE(editor->pixelSelection()) << "undo lets go of the selection";
    EXPECT_EQ(glyph(40), picture({ ".......#", ".......#", "........", "........", "........", "........" }));

    // Put down off the edge, what lies beyond it is gone.
    drag({ { 7, 0 }, { 7, 1 } });
    ws.userPressesKey(KeyRight);
    ws.userPressesEscape();
    EXPECT_FALSE(editor->pixelSelection());
    EXPECT_TRUE(ws.isDialogRunning()) << "Escape let go of the selection and did not quit";
    drag({ { 0, 0 }, { 7, 5 } });
    ws.userPressesKey(KeyLeft);
    EXPECT_EQ(glyph(40), Glyph(picture(Blank))) << "nothing came back";
}

TEST_F(Tools, TheSelectionIsCopiedCutPastedIntoAnotherLetterAndTransformed)
{
    openLetter({ "###.....", "#.......", "........", "........", "........", "........" });
    ws.userPressesKey('6', KeyAlt);
    drag({ { 0, 0 }, { 2, 1 } });
    ws.userPressesKey('H', KeyAlt); // flips the selection only
    EXPECT_EQ(glyph(40), picture({ "###.....", "..#.....", "........", "........", "........", "........" }));
    ws.userPressesKey('X', KeyControl);
    EXPECT_EQ(glyph(40), picture(Blank));
    EXPECT_EQ(editor->clipboardGlyph(), picture({ "###", "..#" }));

    glyph(41) = picture(Blank);
    ws.userPressesKey(KeyRight, KeyControl); // letter 41
    ws.userPressesKey('V', KeyControl);
    ws.userPressesKey(KeyDown);
    ws.userPressesKey('R', KeyAlt); // a quarter turn: 2 wide, 3 high
    EXPECT_EQ(glyph(41), picture({ "........", ".#......", ".#......", "##......", "........", "........" }));
    EXPECT_EQ(glyph(41).width, 8) << "a turned selection leaves the letter's size alone";
    ws.userPressesKey(KeyDelete, KeyControl);
    EXPECT_EQ(glyph(41), picture(Blank));

    // A command on the whole letter puts the selection down first, so no
    // later move brings back the letter from before it.
    ws.userPressesKey('V', KeyControl);
    ws.userClicks(ShiftDownButton);
    EXPECT_FALSE(ws.userPressesKey(KeyRight));
    EXPECT_EQ(glyph(41), picture({ "........", "###.....", "..#.....", "........", "........", "........" }));
}

TEST_F(Tools, GuidesAreDraggedDrawnKeptForTheirFileAndShownInThePreview)
{
    TestFolder folder;
    glyph(40) = picture(Blank);
    glyph(40).height = 12;
    const Glyph before = glyph(40);
    open();
    ws.userReplacesText(LetterNumberBox, "40");
    // The baseline's marker to the line under row 8, then the x-height's to row 4.
    auto dragMarker = [&](int fromBoundary, int toBoundary) {
        ws.userMouse(MouseAction::LeftPress, 176, 32 + 16 * fromBoundary, 0);
        ws.userMouse(MouseAction::Move, 176, 32 + 16 * toBoundary + 5, LeftButtonHeld);
        ws.userMouse(MouseAction::Release, 176, 32 + 16 * toBoundary + 5, 0);
    };
    dragMarker(0, 9);
    dragMarker(0, 4);
    EXPECT_EQ(editor->guides(), (LetterGuides { 9, 4 }));
    EXPECT_EQ(ws.canvas().pixel(200, 32 + 16 * 9), (Rgb { 220, 40, 40 }));
    EXPECT_EQ(ws.canvas().pixel(200, 32 + 16 * 4), (Rgb { 40, 170, 60 }));
    EXPECT_EQ(glyph(40), before) << "the font is not touched";
    EXPECT_FALSE(editor->modified());

    ws.userPressesKey('T', KeyControl);
    ws.userEditsPreviewText("(");
    const IndexedPicture& preview = ws.textPreviewPicture();
    EXPECT_EQ(preview.pixels[(PreviewMargin + 9) * preview.width + PreviewMargin], PreviewGuide);
    EXPECT_EQ(preview.pixels[(PreviewMargin + 8) * preview.width + PreviewMargin], PreviewPaper);

    // Saved: the guides go with the file, and come back when it is opened.
    answerFileDialog(folder.path("guided.wfn"));
    ws.userClicks(SaveButton);
    answerFileDialog(folder.path("other.wfn"));
    ws.userClicks(SaveButton);
    dragMarker(9, 2);
    EXPECT_EQ(editor->guides(), (LetterGuides { 2, 4 }));
    answerFileDialog(folder.path("guided.wfn"));
    ws.userClicks(OpenButton);
    EXPECT_EQ(editor->guides(), (LetterGuides { 9, 4 }));
    answerFileDialog(folder.path("other.wfn"));
    ws.userClicks(OpenButton);
    EXPECT_EQ(editor->guides(), (LetterGuides { 2, 4 }));
}

// A font file whose every character is a 2 x 3 block one pixel from its
// origin, on a line of 6 + 2 pixels.
class BlockFace : public FontFace {
public:
    FaceLine line() const override { return { 6, 2 }; }
    FontFileInfo info() const override { return {}; }
    bool hasCharacter(char32_t) override { return true; }
    bool drawCharacter(char32_t, DrawnCharacter& drawn) override
    {
        drawn = { 4, 1, 6, 2, 3, std::vector<unsigned char>(6, 1) };
        return true;
    }
};

class BlockReader : public FontFileReader {
public:
    std::unique_ptr<FontFace> openFace(const std::string& path, int pixelSize, FileResult& error) override
    {
        if (path.ends_with(".wfn")) {
            error = FileResult::failed(FileError::UnknownFontFormat);
            return nullptr;
        }
        opened.push_back(path + " " + std::to_string(pixelSize));
        return std::make_unique<BlockFace>();
    }
    std::vector<std::string> opened;
};

TEST_F(Tools, TheTracingReferenceShowsFaintlyOnClearPixelsAndLeavesTheFontAlone)
{
    BlockReader reader;
    editor = std::make_unique<EditorDialog>(ws, *font, ApplicationHooks { .startUp = {}, .about = {}, .fontFiles = &reader });
    font->lineHeight = 8;
    glyph(65) = picture({ ".#......", "........", "........", "........", "........", "........", "........", "........" });
    const auto before = std::make_unique<BitmapFont>(*font);
    open();
    ws.userReplacesText(LetterNumberBox, "65");
    auto shown = [&](int x, int y) { return ws.canvas().pixel(184 + 16 * x + 8, 32 + 16 * y + 8); };
    const Rgb faint { 80, 80, 80 };

    answerFileDialog("/fonts/reference.ttf");
    ws.userPressesKey('G', KeyControl | KeyShift);
    EXPECT_EQ(reader.opened.back(), "/fonts/reference.ttf 8") << "at the font's line height";
    EXPECT_EQ(shown(2, 2), faint);
    EXPECT_EQ(shown(1, 0), (Rgb { 255, 255, 255 })) << "a set pixel stays in front";
    EXPECT_EQ(shown(0, 0), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(shown(3, 0), (Rgb { 0, 0, 0 }));
    ws.userPressesKey('G', KeyControl);
    EXPECT_EQ(shown(2, 2), (Rgb { 0, 0, 0 }));
    ws.userPressesKey('G', KeyControl);
    EXPECT_EQ(shown(2, 2), faint);
    // A file no reader takes is refused, with a message, and the reference stays.
    answerFileDialog("/fonts/game.wfn");
    answerMessage(MessageResult::Ok);
    ws.userPressesKey('G', KeyControl | KeyShift);
    EXPECT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(shown(2, 2), faint);

    // Back to the system font, which this window system cannot draw: no reference, no message.
    cancelFileDialog();
    ws.userPressesKey('G', KeyControl | KeyShift);
    EXPECT_EQ(shown(2, 2), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(*font == *before);
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(editor->history().stepCount(), 0u);
}

} // namespace
} // namespace glyphsmith
