// Open, Save and Quit with the unsaved-changes prompt, the format chosen by
// extension, the captions, and what a failed or refused file changes (nothing).

#include <cstdio>
#include <fstream>
#include <iterator>

#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

const char* const Prompt = "Do you want to save the changes made to this font?,";
const char* const ReadError = "Invalid file type, or miscellaneous read error.";
const char* const WriteError = "Error writing file.\n\ncannot write the file";

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

// A font unlike the start state, so that a load or save shows.
void drawSomething(BitmapFont& font)
{
    font.lineHeight = 11;
    for (int code = 0; code < GlyphCount; ++code) {
        Glyph& glyph = font.glyphs[code];
        glyph.width = 1 + code % 9;
        glyph.height = 1 + code % 11;
        for (int x = 0; x < glyph.width; ++x)
            glyph.cell(x, (x + code) % glyph.height) = 1;
    }
}

class FileCommands : public EditorSession {
protected:
    // Flips the one pixel of glyph 33.
    void makeAnEdit()
    {
        ws.userReplacesText(LetterNumberBox, "33");
        ws.userMouse(MouseAction::LeftPress, 190, 40, 0);
        ws.userMouse(MouseAction::Release, 190, 40, 0);
    }
    std::vector<FileDialogKind> fileDialogKindsSince(std::size_t first)
    {
        std::vector<FileDialogKind> kinds;
        const std::vector<ShownFileDialog>& shown = ws.scripts().fileDialogs();
        for (std::size_t at = first; at < shown.size(); ++at)
            kinds.push_back(shown[at].request.kind);
        return kinds;
    }
    TestFolder folder;
};

TEST_F(FileCommands, ThePromptGuardsOpenAndQuitAndAnUnfinishedSaveStopsBoth)
{
    using enum FileDialogKind;
    enum class Saving { None, Written, Cancelled, Fails, Refused };
    struct Case {
        const char* name;
        int button;
        bool edited;
        std::optional<MessageResult> answer;
        Saving save;
        std::vector<FileDialogKind> dialogs;
        std::vector<std::string> messages;
        bool stillOpen;
    };
    const std::vector<Case> cases {
        { "open unchanged", OpenButton, false, {}, Saving::None, { Open }, {}, true },
        { "open, cancel", OpenButton, true, MessageResult::Cancel, Saving::None, {}, { Prompt }, true },
        { "open, no", OpenButton, true, MessageResult::No, Saving::None, { Open }, { Prompt }, true },
        { "open, yes, saved", OpenButton, true, MessageResult::Yes, Saving::Written, { Save, Open }, { Prompt }, true },
        { "open, yes, save cancelled", OpenButton, true, MessageResult::Yes, Saving::Cancelled, { Save }, { Prompt }, true },
        { "open, yes, save fails", OpenButton, true, MessageResult::Yes, Saving::Fails, { Save }, { Prompt, WriteError },
            true },
        { "open, yes, save refused", OpenButton, true, MessageResult::Yes, Saving::Refused, { Save },
            { Prompt, "Saving TrueType fonts is not supported, nor will it be." }, true },
        { "quit unchanged", QuitButton, false, {}, Saving::None, {}, {}, false },
        { "quit, cancel", QuitButton, true, MessageResult::Cancel, Saving::None, {}, { Prompt }, true },
        { "quit, no", QuitButton, true, MessageResult::No, Saving::None, {}, { Prompt }, false },
        { "quit, yes, saved", QuitButton, true, MessageResult::Yes, Saving::Written, { Save }, { Prompt }, false },
        { "quit, yes, save cancelled", QuitButton, true, MessageResult::Yes, Saving::Cancelled, { Save }, { Prompt },
            true },
        { "quit, yes, save fails", QuitButton, true, MessageResult::Yes, Saving::Fails, { Save }, { Prompt, WriteError },
            true },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        restart();
        open();
        const std::size_t firstDialog = ws.scripts().fileDialogs().size();
        const std::size_t firstMessage = ws.scripts().messages().size();
        if (test.edited)
            makeAnEdit();
        if (test.answer)
            answerMessage(*test.answer);
        switch (test.save) {
        case Saving::None:
            break;
        case Saving::Written:
            answerFileDialog(folder.path("saved.wfn"));
            break;
        case Saving::Cancelled:
            cancelFileDialog();
            break;
        case Saving::Fails:
            answerFileDialog(folder.path("no such folder/saved.wfn"));
            answerMessage(MessageResult::Ok);
            break;
        case Saving::Refused:
            answerFileDialog(folder.path("saved.ttf"));
            answerMessage(MessageResult::Ok);
            break;
        }
        if (!test.dialogs.empty() && test.dialogs.back() == FileDialogKind::Open)
            cancelFileDialog();
        ws.userClicks(test.button);
        EXPECT_EQ(fileDialogKindsSince(firstDialog), test.dialogs);
        const std::vector<std::string> shown = messageTexts();
        EXPECT_EQ(std::vector(shown.begin() + firstMessage, shown.end()), test.messages);
        EXPECT_EQ(ws.isDialogRunning(), test.stillOpen);
        EXPECT_EQ(ws.scripts().unusedAnswers(), 0u);
        // Edits are never dropped: an editor left open still holds them unless they were saved.
        if (test.stillOpen) {
            EXPECT_EQ(editor->modified(), test.edited && test.save != Saving::Written);
            ws.endDialog(DialogCancel);
        }
    }
}

TEST_F(FileCommands, TheExtensionChoosesTheFormatForSavingAndLoadingWhateverItsCase)
{
    using Writer = FileResult (BitmapFont::*)(const std::string&) const;
    struct Case {
        const char* name;
        Writer writer;
    };
    const std::vector<Case> cases {
        { "font.wfn", &BitmapFont::writeWfn },
        { "Font.WFN", &BitmapFont::writeWfn },
        { "font.0", &BitmapFont::writeSci },
        { "font.001", &BitmapFont::writeSci },
        { "font", &BitmapFont::writeSci },
        { "font.wfn2", &BitmapFont::writeSci },
        { "sheet.bmp", &BitmapFont::writeBmp },
        { "sheet.BMP", &BitmapFont::writeBmp },
    };
    drawSomething(*font);
    open();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto saved = std::make_unique<BitmapFont>(*font);
        answerFileDialog(folder.path(test.name));
        ws.userClicks(SaveButton);
        EXPECT_EQ(ws.caption(), std::string("Glyphsmith (") + test.name + ")");
        ASSERT_TRUE(((*saved).*test.writer)(folder.path("expected")).ok());
        EXPECT_EQ(fileBytes(folder.path(test.name)), fileBytes(folder.path("expected")));

        // Loaded back over the start state, the file gives what it holds.
        *font = BitmapFont();
        answerFileDialog(folder.path(test.name));
        ws.userClicks(OpenButton);
        auto expected = std::make_unique<BitmapFont>();
        if (test.writer == &BitmapFont::writeBmp)
            ASSERT_TRUE(expected->readBmp(folder.path(test.name), ws).ok());
        else if (test.writer == &BitmapFont::writeWfn)
            ASSERT_TRUE(expected->readWfn(folder.path(test.name)).ok());
        else
            ASSERT_TRUE(expected->readSci(folder.path(test.name)).ok());
        EXPECT_TRUE(*font == *expected);
        EXPECT_FALSE(editor->modified());
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(FileCommands, ALoadShowsTheOverviewAndNamesTheFileWithItsLoneDot)
{
    drawSomething(*font);
    ASSERT_TRUE(font->writeSci(folder.path("font")).ok());
    ASSERT_TRUE(font->writeWfn(folder.path("Font.WFN")).ok());
    *font = BitmapFont();
    open();
    ws.userReplacesText(LetterNumberBox, "40");
    answerMessage(MessageResult::No); // selecting marked the font changed
    for (const char* name : { "font", "Font.WFN" }) {
        answerFileDialog(folder.path(name));
        ws.userClicks(OpenButton);
        EXPECT_EQ(editor->letterMode(), 0);
        EXPECT_FALSE(enabled(WidthBox));
        EXPECT_EQ(text(HeightBox), "11");
        EXPECT_FALSE(editor->modified());
        EXPECT_EQ(editor->currentLetter(), 40);
    }
    EXPECT_EQ(ws.caption(), "Glyphsmith (Font.WFN)");
    const ShownFileDialog& last = ws.scripts().fileDialogs().back();
    EXPECT_EQ(last.request.initialName, "font"); // the names of the file before
    EXPECT_EQ(last.request.defaultExtension, "");
    answerFileDialog(folder.path("font"));
    ws.userClicks(OpenButton);
    EXPECT_EQ(ws.caption(), "Glyphsmith (font.)");
}

TEST_F(FileCommands, AFailedOrRefusedFileChangesNothingButTheNamesAndSaysWhyOnce)
{
    drawSomething(*font);
    ASSERT_TRUE(font->writeBmp(folder.path("deep.bmp")).ok());
    std::vector<std::uint8_t> eightBit = fileBytes(folder.path("deep.bmp"));
    eightBit[28] = 8; // bits per pixel
    folder.write("deep.bmp", eightBit);
    folder.write("notes.txt", { 'h', 'e', 'l', 'l', 'o' });
    open();
    makeAnEdit();
    const auto before = std::make_unique<BitmapFont>(*font);
    const int paints = ws.paintCount();

    answerMessage(MessageResult::No);
    answerFileDialog(folder.path("notes.txt"));
    answerMessage(MessageResult::Ok);
    ws.userClicks(OpenButton);
    answerMessage(MessageResult::No);
    answerFileDialog(folder.path("deep.bmp"));
    answerMessage(MessageResult::Ok);
    ws.userClicks(OpenButton);
    answerFileDialog(folder.path("refused.ttf"));
    answerMessage(MessageResult::Ok);
    ws.userClicks(SaveButton);

    EXPECT_EQ(messageTexts(), (std::vector<std::string> { Prompt,
                                  std::string(ReadError) + "\n\nnot a font file of this type (wrong signature)", Prompt,
                                  "Only 24-bit bitmaps are supported.",
                                  "Saving TrueType fonts is not supported, nor will it be." }));
    EXPECT_TRUE(*font == *before);
    EXPECT_EQ(ws.caption(), "Glyphsmith");
    EXPECT_TRUE(editor->modified());
    EXPECT_EQ(editor->letterMode(), 1);
    EXPECT_EQ(ws.paintCount(), paints);
    EXPECT_EQ(editor->fileTitle(), "refused");
    EXPECT_EQ(editor->fileExt(), "ttf");
}

TEST_F(FileCommands, SavingAFontAnEngineWouldRefuseWarnsButKeepsTheFile)
{
    // 128 glyphs of 48 x 48 push the SCI records past offset 0x8000.
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 48;
        glyph.height = 48;
    }
    open();
    answerFileDialog(folder.path("big.0"));
    answerMessage(MessageResult::Ok);
    answerFileDialog(folder.path("big.wfn"));
    ws.userClicks(SaveButton);
    ws.userClicks(SaveButton);
    const std::vector<std::string> shown = messageTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].starts_with(folder.path("big.0") + ": ScummVM: refused: ")) << shown[0];
    EXPECT_EQ(ws.caption(), "Glyphsmith (big.wfn)");
    EXPECT_FALSE(fileBytes(folder.path("big.0")).empty());
}

TEST_F(FileCommands, AReadersWarningIsShownOnceTheFontIsLoaded)
{
    // An AGS file whose table of 127 entries names one 8 x 1 record.
    const std::string signature = "WGT Font File  ";
    std::vector<std::uint8_t> bytes(signature.begin(), signature.end());
    bytes.insert(bytes.end(), { 22, 0, 8, 0, 1, 0, 0x81 });
    for (int c = 0; c < 127; ++c)
        bytes.insert(bytes.end(), { 17, 0 });
    folder.write("short.wfn", bytes);
    open();
    answerFileDialog(folder.path("short.wfn"));
    answerMessage(MessageResult::Ok);
    ws.userClicks(OpenButton);
    EXPECT_EQ(messageTexts(),
        std::vector<std::string> { "the file holds only 127 characters; the codes it lacks, up to 127, were left empty" });
    EXPECT_EQ(ws.caption(), "Glyphsmith (short.wfn)");
    EXPECT_EQ(font->glyphs[126].width, 8);
}

TEST_F(FileCommands, AnSciPatchFileSavesUnderItsNameWithItsHeaderButNeverOverAWindowsFont)
{
    drawSomething(*font);
    font->sciHeader = { 0x87, std::vector<std::uint8_t>(32, 0xEE) };
    ASSERT_TRUE(font->writeSci(folder.path("0.fon")).ok());
    const std::vector<std::uint8_t> patch = fileBytes(folder.path("0.fon"));
    ASSERT_TRUE(font->writeWfn(folder.path("plain.wfn")).ok());
    const std::vector<std::uint8_t> windowsFon{ 'M', 'Z', 0x90, 0 };
    folder.write("12.fon", windowsFon);
    *font = BitmapFont();
    open();

    answerFileDialog(folder.path("0.fon"));
    ws.userClicks(OpenButton);
    std::remove(folder.path("0.fon").c_str());
    ws.userPressesKey('S', KeyControl);
    EXPECT_EQ(fileBytes(folder.path("0.fon")), patch);

    // The Windows font stays; the Save dialog comes back for another name.
    answerFileDialog(folder.path("12.fon"));
    answerMessage(MessageResult::Ok);
    cancelFileDialog();
    ws.userClicks(SaveButton);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{ "Error writing file.\n\n"
                                  + describe(FileResult::failed(FileError::NotAnSciFont)) });
    EXPECT_EQ(fileBytes(folder.path("12.fon")), windowsFon);
    EXPECT_EQ(ws.scripts().fileDialogs().size(), 3u);

    // A font from another format gets 87 00; undoing that load brings the header back.
    answerFileDialog(folder.path("plain.wfn"));
    ws.userClicks(OpenButton);
    answerFileDialog(folder.path("1.fon"));
    ws.userClicks(SaveButton);
    EXPECT_EQ(fileBytes(folder.path("1.fon"))[1], 0);
    ws.userPressesKey('Z', KeyControl);
    ws.userPressesKey('S', KeyControl);
    EXPECT_EQ(fileBytes(folder.path("1.fon")), patch);
}

TEST_F(FileCommands, AFileDroppedOnTheWindowOpensThroughThePrompt)
{
    BitmapFont dropped;
    dropped.glyphs[7].width = 5;
    ASSERT_TRUE(dropped.writeWfn(folder.path("dropped.wfn")).ok());
    open();
    makeAnEdit();
    answerMessage(MessageResult::No);
    ws.userDropsFiles({ folder.path("dropped.wfn"), folder.path("other.wfn") });
    EXPECT_EQ(ws.caption(), "Glyphsmith (dropped.wfn)");
    EXPECT_EQ(glyph(7).width, 5);
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(messageTexts(), std::vector<std::string> { Prompt });
}

} // namespace
} // namespace glyphsmith
