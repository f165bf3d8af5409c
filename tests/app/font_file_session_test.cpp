// The editor opening desktop font files through FreeType: a PCF font edited
// and saved matches the converter's import of it, and a file FreeType cannot
// read is handled as before.

#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "app/editor_app.h"
#include "convert_command.h"
#include "editor/editor_controls.h"
#include "fontfile/freetype_font_file.h"
#include "platform/headless/headless_window_system.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

const std::string FixedPcf = "/usr/share/fonts/X11/misc/10x20.pcf.gz";

// Reads no file and, like the Windows build's GDI reader, no BDF or PCF.
class ReaderWithoutBdfAndPcf : public FontFileReader {
public:
    std::unique_ptr<FontFace> openFace(const std::string&, int, FileResult& error) override
    {
        error = FileResult::failed(FileError::UnknownFontFormat);
        return nullptr;
    }
    bool readsBdfAndPcf() const override { return false; }
};

struct FontFileSession {
    HeadlessWindowSystem ws;
    FreeTypeFontFileReader reader;
    std::unique_ptr<BitmapFont> font = std::make_unique<BitmapFont>();

    void run(std::function<void()> session, FontFileReader* fontFiles = nullptr)
    {
        ws.setUserSession(std::move(session));
        EditorApp(ws, *font, fontFiles ? fontFiles : &reader).run();
    }
};

TEST(FontFileSession, EditsALetterOfAPcfFontAndSavesWhatTheConverterMakesWithTheEdit)
{
    TestFolder folder;
    FontFileSession app;
    app.ws.scripts().queueFileDialogAnswer(fileDialogAnswerFor(FixedPcf));
    app.ws.scripts().queueFileDialogAnswer(fileDialogAnswerFor(folder.path("copy.pcf.gz")));
    app.ws.scripts().queueMessageAnswer(MessageResult::Ok);
    app.ws.scripts().queueFileDialogAnswer(fileDialogAnswerFor(folder.path("edited.wfn")));
    app.run([&] {
        app.ws.userClicks(OpenButton);
        EXPECT_EQ(app.ws.caption(), "Glyphsmith (10x20.pcf.gz)");
        app.ws.userReplacesText(LetterNumberBox, "65");
        app.ws.userMouse(MouseAction::LeftPress, 184 + 8, 32 + 8, 0); // pixel (0, 0)
        app.ws.userClicks(SaveButton); // as .pcf.gz: declined, nothing written
        app.ws.userClicks(SaveButton);
    });
    ASSERT_EQ(app.ws.scripts().messages().size(), 1u); // the declined save's, and no import notice
    EXPECT_NE(app.ws.scripts().messages()[0].text.find("not supported"), std::string::npos);
    EXPECT_FALSE(folder.exists("copy.pcf.gz"));

    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runConvert({ "--font", FixedPcf, "20", folder.path("converted.wfn") }, out, err, {}, &app.reader),
        ConvertOk) << err.str();
    auto expected = std::make_unique<BitmapFont>();
    ASSERT_TRUE(expected->readWfn(folder.path("converted.wfn")).ok());
    expected->glyphs[65].cell(0, 0) = true;
    auto saved = std::make_unique<BitmapFont>();
    ASSERT_TRUE(saved->readWfn(folder.path("edited.wfn")).ok());
    EXPECT_TRUE(*saved == *expected);
}

TEST(FontFileSession, FallsBackToTheSystemFontForATrueTypeFileFreeTypeCannotRead)
{
    TestFolder folder;
    folder.write("broken.ttf", { 0, 1, 0, 0, 9 });
    FontFileSession app;
    app.ws.scripts().queueFileDialogAnswer(fileDialogAnswerFor(folder.path("broken.ttf")));
    app.ws.scripts().queueMessageAnswer(MessageResult::Ok);
    app.run([&] { app.ws.userClicks(OpenButton); });
    // The headless system font cannot be drawn: the message a .ttf gave before font files were read.
    EXPECT_EQ(app.ws.scripts().messages().at(0).text,
        "Invalid file type, or miscellaneous read error.\n\nthe system font cannot be drawn at this size");
}

TEST(FontFileSession, OpenOffersOnlyTheBitmapFontsTheReaderReads)
{
    ReaderWithoutBdfAndPcf gdiLike;
    for (FontFileReader* reader : { static_cast<FontFileReader*>(nullptr), static_cast<FontFileReader*>(&gdiLike) }) {
        FontFileSession app;
        app.ws.scripts().queueFileDialogAnswer(std::nullopt);
        app.run([&] { app.ws.userClicks(OpenButton); }, reader);
        const std::string filter = app.ws.scripts().fileDialogs().at(0).request.filter;
        const bool bdfAndPcf = reader != &gdiLike;
        for (const char* pattern : { "*.bdf", "*.pcf" })
            EXPECT_EQ(filter.find(pattern) != std::string::npos, bdfAndPcf) << pattern;
        EXPECT_NE(filter.find("Bitmap fonts"), std::string::npos);
        EXPECT_NE(filter.find("*.fon;*.fnt"), std::string::npos);
    }
}

} // namespace
} // namespace glyphsmith
