// The font's encoding in the editor: where it comes from, that choosing one
// changes nothing in the font or its file, and that the caption, the
// character box, the status line and the text preview read codes through it.

#include <fstream>
#include <iterator>

#include "editor/font_view.h"
#include "editor/text_preview.h"
#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

const std::string Sha = "\xD1\x88";   // ш: byte 248 in cp1251, 219 in koi8-r, none in cp1250
const std::string Rzh = "\xC5\x99";   // ř: byte 248 in cp1250
const std::string Zhe = "\xD0\xB6";   // ж
const std::string Ccaron = "\xC4\x8D"; // č: byte 232 in cp1250

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

class Encoding : public EditorSession {
protected:
    // Writes a font of `codes` codes with a glyph at 'A' and, where it has one, at byte 248.
    std::string writeFont(const std::string& name, int codes)
    {
        auto written = std::make_unique<BitmapFont>();
        written->setCodeCount(codes);
        written->lineHeight = 9;
        for (int code : { int('A'), 248 })
            if (code < codes)
                written->glyphs[code] = Glyph { .height = 9, .width = 3 };
        EXPECT_TRUE(written->writeWfn(folder.path(name)).ok());
        return folder.path(name);
    }
    void load(const std::string& path)
    {
        answerFileDialog(path);
        ws.userClicks(OpenButton);
    }
    void saveAs(const std::string& path)
    {
        answerFileDialog(path);
        ws.userClicks(SaveButton);
    }
    std::string shown() { return text(EncodingList); }

    TestFolder folder;
};

TEST_F(Encoding, StartsFromTheFilesOwnThenUnicodeForMoreThan256CodesThenTheLastChosenThenTheSystems)
{
    const struct {
        int codes;
        const char* remembered; // for this file; "" for none
        const char* lastChosen;
        const char* system;
        const char* expected;
    } rows[] = {
        { 256, "", "", "cp1250", "cp1250" },
        { 256, "", "cp1255", "cp1250", "cp1255" },
        { 256, "koi8-r", "cp1255", "cp1250", "koi8-r" },
        { 128, "", "", "cp1251", "cp1251" },
        { 1104, "", "cp1255", "cp1250", "Unicode" },
        { 1104, "cp1251", "", "cp1250", "cp1251" },
        { 256, "", "", "cp65001", "cp1252" },     // a system page we do not know
        { 256, "cp9999", "", "cp1257", "cp1257" }, // a remembered name we do not know
    };
    for (const auto& row : rows) {
        const std::string path = writeFont("f.wfn", row.codes);
        ws.setSetting("fileEncodings", *row.remembered ? std::string(row.remembered) + "\t" + path + "\n" : "");
        ws.setSetting("codePage", row.lastChosen);
        ws.setSystemCodePage(row.system);
        restart();
        open();
        load(path);
        EXPECT_EQ(shown(), row.expected) << row.codes << " " << row.remembered << " " << row.lastChosen;
        EXPECT_EQ(encodingName(editor->encoding()), row.expected == std::string("Unicode") ? "unicode" : row.expected);
        ws.endDialog(DialogCancel);
    }
}

TEST_F(Encoding, ChoosingOneIsNoEditTakesEffectAtOnceIsRememberedForTheFileAndNeverChangesWhatIsSaved)
{
    ws.setSystemCodePage("cp1250");
    const std::string path = writeFont("cz.wfn", 256);
    open();
    load(path);
    ws.userReplacesText(LetterNumberBox, "248");
    EXPECT_EQ(text(CharacterBox), Rzh);
    EXPECT_EQ(ws.caption(), "Glyphsmith (cz.wfn) cp1250");
    saveAs(folder.path("before.wfn"));
    const std::size_t steps = editor->history().stepCount();

    ws.userChoosesListItem(EncodingList, "cp1251");
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(editor->history().stepCount(), steps);
    EXPECT_EQ(text(CharacterBox), Sha);
    EXPECT_EQ(ws.caption(), "Glyphsmith (before.wfn) cp1251");
    saveAs(folder.path("after.wfn"));
    EXPECT_EQ(fileBytes(folder.path("after.wfn")), fileBytes(folder.path("before.wfn")));
    EXPECT_EQ(fileBytes(folder.path("after.wfn")), fileBytes(path));

    // Another file of 256 codes starts in the code page last chosen; the
    // file it was chosen for keeps it after another choice elsewhere.
    ws.userChoosesListItem(EncodingList, "koi8-r");
    ws.endDialog(DialogCancel);
    restart();
    open();
    load(path);
    EXPECT_EQ(shown(), "koi8-r");
    ws.userChoosesListItem(EncodingList, "cp1255");
    load(folder.path("before.wfn"));
    EXPECT_EQ(shown(), "cp1251");
    load(path);
    EXPECT_EQ(shown(), "cp1255");
}

TEST_F(Encoding, TheCharacterBoxTakesACharactersCodeInTheEncodingAndNamesOneItLacks)
{
    const struct {
        const char* encoding;
        std::string typed;
        int letter; // -1: stays at the letter before
        std::string status;
    } rows[] = {
        { "cp1251", Sha, 248, "" },
        { "koi8-r", Sha, 219, "" },
        { "cp1250", Rzh, 248, "" },
        { "cp1250", Sha, -1, Sha + " is not in cp1250" },
        { "Unicode", Sha, -1, Sha + " is past the font's last code" },
        { "Unicode", "A", 'A', "" }, // and what was said of the last one is gone
    };
    open();
    editor->resizeFont(256);
    for (const auto& row : rows) {
        if (ws.control(EncodingList).text != row.encoding)
            ws.userChoosesListItem(EncodingList, row.encoding);
        ws.userReplacesText(LetterNumberBox, "66");
        ws.userReplacesText(CharacterBox, row.typed);
        EXPECT_EQ(editor->currentLetter(), row.letter < 0 ? 66 : row.letter) << row.encoding << " " << row.typed;
        EXPECT_EQ(text(StatusLine), row.status) << row.encoding << " " << row.typed;
    }
}

TEST_F(Encoding, TheStatusLineNamesTheCharacterOfTheCodeUnderTheMouse)
{
    open();
    editor->resizeFont(256);
    editor->stepBlock(+1);
    // Empty glyphs make cells of 8 x 8, shown twice as large.
    const auto over = [&](int code) {
        const int cell = (code - 128) % 128;
        ws.userMouse(MouseAction::Move, ViewLeft + 16 * (cell % 16) + 3, ViewTop + 16 * (cell / 16) + 3, 0);
        return text(StatusLine);
    };
    ws.userChoosesListItem(EncodingList, "cp1250");
    EXPECT_EQ(over(232), "232: " + Ccaron + " U+010D");
    ws.userChoosesListItem(EncodingList, "cp1251");
    EXPECT_EQ(over(152), "152: none in cp1251");
    EXPECT_EQ(over(160), "160: U+00A0"); // a blank is named by its number only
    ws.userMouse(MouseAction::Move, 2, 2, 0);
    EXPECT_EQ(text(StatusLine), "");
}

TEST_F(Encoding, ThePreviewDrawsTheTextThroughTheEncodingNamesWhatIsMissingAndRunsRightToLeftForHebrew)
{
    const std::string path = writeFont("f.wfn", 256);
    open();
    load(path);
    ws.userChoosesListItem(EncodingList, "cp1251");
    ws.userPressesKey('T', KeyControl);
    ws.userEditsPreviewText("A" + Sha + Zhe + Zhe);
    EXPECT_EQ(ws.textPreviewPicture().pixels, layOutTextPreview(*font, std::vector { 65, 248, -1, -1 }).pixels);
    EXPECT_EQ(ws.textPreviewTitle(), "Text preview: 1 missing in cp1251: " + Zhe);

    ws.userChoosesListItem(EncodingList, "cp1255");
    EXPECT_EQ(ws.textPreviewPicture().pixels, layOutTextPreview(*font, std::vector { 65, -1, -1, -1 }, true).pixels);
    EXPECT_EQ(ws.textPreviewTitle(), "Text preview, right to left: 2 missing in cp1255: " + Sha + " " + Zhe);
    ws.userPressesKey('T', KeyControl | KeyShift);
    EXPECT_EQ(ws.textPreviewTitle(), "Text preview: 2 missing in cp1255: " + Sha + " " + Zhe);
}

TEST_F(Encoding, TheCheckOfATextListsWhatTheFontCannotDrawAndGoesToItsLetter)
{
    const std::string path = writeFont("f.wfn", 256);
    // 'A' and byte 248 are drawn-sized but empty; 'B' has no glyph at all.
    const std::string lines = "AB\n" + Sha + Zhe + "B\n";
    folder.write("t.txt", std::vector<std::uint8_t>(lines.begin(), lines.end()));
    open();
    load(path);
    ws.userChoosesListItem(EncodingList, "cp1251");
    answerFileDialog(folder.path("t.txt"));
    ws.userChoosesListItem(CoverageList, "Check a text...");
    EXPECT_EQ(ws.control(CoverageList).items, (std::vector<std::string> { "Check a text...", "t.txt: 4 missing",
        "A x1, line 1", "B x2, line 1", Sha + " x1, line 2", Zhe + " x1, line 2" }));
    EXPECT_EQ(text(CoverageList), "t.txt: 4 missing");

    ws.userChoosesListItem(CoverageList, Sha + " x1, line 2");
    EXPECT_EQ(editor->currentLetter(), 248);
    EXPECT_EQ(editor->letterMode(), 1);
    ws.userChoosesListItem(CoverageList, Zhe + " x1, line 2");
    EXPECT_EQ(editor->currentLetter(), 230); // ж has a code in cp1251, with an empty glyph

    // Another encoding checks the same text again; a letter it lacks is named.
    ws.userChoosesListItem(EncodingList, "cp1250");
    EXPECT_EQ(ws.control(CoverageList).items.at(1), "t.txt: 4 missing");
    ws.userChoosesListItem(CoverageList, Sha + " x1, line 2");
    EXPECT_EQ(editor->currentLetter(), 230);
    EXPECT_EQ(text(StatusLine), Sha + " is not in cp1250");
    EXPECT_FALSE(editor->modified());
}

TEST(TextPreviewLayout, RightToLeftDrawsTheFirstCodeRightmost)
{
    BitmapFont font;
    font.lineHeight = 4;
    font.glyphs['A'] = Glyph { .height = 4, .width = 2 };
    font.glyphs['B'] = Glyph { .height = 4, .width = 3 };
    font.glyphs['B'].cell(0, 0) = true;
    EXPECT_EQ(layOutTextPreview(font, std::vector<int> { 'A', 'B', -1 }, true).pixels,
        layOutTextPreview(font, std::vector<int> { -1, 'B', 'A' }).pixels);
    EXPECT_NE(layOutTextPreview(font, std::vector<int> { 'A', 'B' }, true).pixels,
        layOutTextPreview(font, std::vector<int> { 'A', 'B' }).pixels);
}

} // namespace
} // namespace glyphsmith
