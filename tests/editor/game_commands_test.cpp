#include <filesystem>
#include <map>

#include "editor/editor_session.h"
#include "gamedata/sci_game_samples.h"
#include "platform/window_system.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

namespace fs = std::filesystem;

Bytes sciFile(const BitmapFont& font)
{
    Bytes bytes;
    font.writeSciBytes(bytes);
    return bytes;
}

class GameCommands : public EditorSession {
protected:
    // An SCI1.1 game with font 0 stored and font 4 packed with DCL implode.
    void writeGame()
    {
        writeSciGame(folder.path(""), SciMapLayout::Sci11, SciVolumeLayout::Sci11,
            { sampleFontResource(0, sampleFont(1), SciCompression::None, 0),
                sampleFontResource(4, sampleFont(2), SciCompression::Dcl, 18) });
    }
    std::string gameName() const { return fs::path(folder.path("")).parent_path().filename().string(); }

    std::map<std::string, std::pair<Bytes, fs::file_time_type>> gameFiles()
    {
        std::map<std::string, std::pair<Bytes, fs::file_time_type>> files;
        for (const char* name : { "resource.map", "resource.000" })
            files[name] = { folder.read(name), fs::last_write_time(folder.path(name)) };
        return files;
    }

    TestFolder folder;
};

TEST_F(GameCommands, OpenListsTheGamesFontsAndOpensTheOneChosen)
{
    writeGame();
    open();
    answerFileDialog(folder.path("resource.map"));
    ws.scripts().queueItemChoice(std::nullopt);
    ws.userClicks(OpenButton);
    EXPECT_EQ(*font, BitmapFont()); // cancelled: nothing changes
    EXPECT_EQ(ws.caption(), "Glyphsmith");

    const std::size_t size = fontResource(sampleFont(1)).size();
    answerFileDialog(folder.path("resource.map"));
    ws.scripts().queueItemChoice(1);
    ws.userClicks(OpenButton);
    const ShownItemChoice& shown = ws.scripts().itemChoices().back();
    EXPECT_EQ(shown.request.caption, "Fonts of " + gameName() + " (SCI1.1)");
    EXPECT_EQ(shown.request.items,
        (std::vector<std::string>{ "Font 0 (0.fon): SCI1.1, stored, " + std::to_string(size) + " bytes",
            "Font 4 (4.fon): SCI1.1, DCL implode, " + std::to_string(fontResource(sampleFont(2)).size()) + " bytes" }));
    EXPECT_EQ(*font, sampleFont(2));
    EXPECT_EQ(ws.caption(), "Glyphsmith (" + gameName() + " font 4)");
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(ws.scripts().unusedAnswers(), 0u);
}

TEST_F(GameCommands, SaveWritesThePatchTheGameLoadsAndNeverTheGamesOwnFiles)
{
    writeGame();
    const auto before = gameFiles();
    open();
    ws.scripts().queueItemChoice(KeepSelectedItem); // font 0
    ws.userDropsFiles({ folder.path("") });
    ASSERT_EQ(*font, sampleFont(1));
    editor->selectLetter('A', true);
    ws.userClicks(FillButton);
    ASSERT_TRUE(editor->modified());

    ws.userPressesKey('S', KeyControl);
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(folder.read("0.fon"), sciFile(*font));
    EXPECT_EQ(gameFiles(), before);
    EXPECT_TRUE(ws.scripts().messages().empty());
}

TEST_F(GameCommands, SaveAsksBeforeReplacingAPatchTheGameAlreadyHad)
{
    writeGame();
    ASSERT_TRUE(sampleFont(3).writeSci(folder.path("4.fon")).ok());
    const Bytes oldPatch = folder.read("4.fon");
    open();
    ws.scripts().queueItemChoice(1);
    editor->loadFontFile(folder.path(""));
    ASSERT_EQ(*font, sampleFont(3)); // the patch is what the game shows
    editor->selectLetter('B', true);
    ws.userClicks(FillButton);

    answerMessage(MessageResult::No);
    ws.userClicks(SaveButton);
    EXPECT_EQ(messageTexts().back(), gameName() + " already has a patch for font 4 (4.fon). Replace it?");
    EXPECT_EQ(folder.read("4.fon"), oldPatch);
    EXPECT_TRUE(editor->modified());

    answerMessage(MessageResult::Yes);
    ws.userClicks(SaveButton);
    EXPECT_EQ(folder.read("4.fon"), sciFile(*font));
    // Once replaced, later saves go ahead without asking.
    ws.userClicks(FillButton);
    ws.userClicks(SaveButton);
    EXPECT_EQ(ws.scripts().messages().size(), 2u);
    EXPECT_EQ(ws.scripts().unusedAnswers(), 0u);
}

TEST_F(GameCommands, AGameThatCannotBeReadSaysWhyAndChangesNothing)
{
    folder.write("resource.map", { 1, 2, 3, 4, 5 });
    open();
    answerMessage(MessageResult::Ok);
    editor->loadFontFile(folder.path("resource.map"));
    EXPECT_EQ(messageTexts(),
        std::vector<std::string>{ "Invalid file type, or miscellaneous read error.\n\nresource.map: the file is no resource map" });
    EXPECT_EQ(*font, BitmapFont());
    EXPECT_EQ(ws.caption(), "Glyphsmith");
}

} // namespace
} // namespace glyphsmith
