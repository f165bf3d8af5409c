#include "editor/editor_session.h"
#include "gamedata/ags_game_fonts.h"
#include "gamedata/ags_package_builder.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

class AgsGameCommands : public EditorSession {
protected:
    test::Bytes wfnOf(const BitmapFont& font)
    {
        test::Bytes bytes;
        EXPECT_TRUE(font.writeWfnBytes(bytes).ok());
        return bytes;
    }
    BitmapFont fontInGame(int number)
    {
        GameResult error;
        auto game = openAgsGame(folder.path("mygame.exe"), error);
        BitmapFont read;
        EXPECT_TRUE(game && game->readFont(number, read).ok()) << error.error;
        return read;
    }
    TestFolder folder;
};

TEST_F(AgsGameCommands, OpenListsThePackagesFontsAndSaveWritesThePackageKeepingTheOriginal)
{
    BitmapFont first;
    first.glyphs['A'].width = 4;
    const test::Bytes game = test::appendToStub(test::makePackage(21, { { "ac2game.dta", test::bytesOf("game") },
        { "agsfnt0.wfn", wfnOf(BitmapFont()) }, { "agsfnt1.wfn", wfnOf(first) }, { "agsfnt2.ttf", test::bytesOf("ttf") } }), 21);
    folder.write("mygame.exe", game);
    open();
    answerFileDialog(folder.path("mygame.exe"));
    ws.scripts().queueItemChoice(1);
    ws.userClicks(OpenButton);
    const ShownItemChoice& shown = ws.scripts().itemChoices().back();
    EXPECT_EQ(shown.request.caption, "Fonts of mygame.exe (AGS package version 21 (in an executable))");
    EXPECT_EQ(shown.request.items.size(), 3u);
    EXPECT_EQ(shown.request.items[2], "Font 2 (agsfnt2.ttf): TrueType, 3 bytes");
    EXPECT_TRUE(wfnOf(*font) == wfnOf(first));
    EXPECT_EQ(ws.caption(), "Glyphsmith (mygame.exe font 1)");

    editor->selectLetter('A', true);
    ws.userClicks(FillButton);
    ws.userClicks(SaveButton);
    EXPECT_FALSE(editor->modified());
    EXPECT_TRUE(ws.scripts().messages().empty()); // no question: the original is kept
    EXPECT_TRUE(wfnOf(fontInGame(1)) == wfnOf(*font));
    EXPECT_EQ(folder.read("mygame.exe.orig"), game);

    // Later saves leave the kept original alone.
    ws.userClicks(FillButton);
    ws.userClicks(SaveButton);
    EXPECT_TRUE(wfnOf(fontInGame(1)) == wfnOf(*font));
    EXPECT_TRUE(wfnOf(fontInGame(0)) == wfnOf(BitmapFont()));
    EXPECT_EQ(folder.read("mygame.exe.orig"), game);
    EXPECT_EQ(ws.scripts().unusedAnswers(), 0u);
}

} // namespace
} // namespace glyphsmith
