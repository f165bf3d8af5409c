// The editor opening desktop font files: a file FreeType cannot read is
// handled as before, and a reader without BDF and PCF leaves them out of Open.
// (Editing a PCF font is played on the Qt window in editor_session_qt_test.cpp.)

#include <memory>

#include <gtest/gtest.h>

#include "app/editor_app.h"
#include "editor/editor_controls.h"
#include "fontfile/freetype_font_file.h"
#include "platform/headless/headless_window_system.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

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
