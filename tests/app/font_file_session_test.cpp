// The editor opening desktop font files: a file FreeType cannot read is
// handled as before, a Windows .fon or .fnt is imported whatever SCI font
// files share its name, and a reader without BDF and PCF leaves them out of Open.
// (Editing a PCF font is played on the Qt window in editor_session_qt_test.cpp.)

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "app/editor_app.h"
#include "editor/editor_controls.h"
#include "fontfile/font_file_samples.h"
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

TEST(FontFileSession, ImportsAWindowsFontNamedLikeAnSciPatchFile)
{
    // Wine's MS Sans Serif, a real .fon, as the Windows build's tests read it.
    const std::string sansSerif = "/usr/share/wine/fonts/sserife.fon";
    if (!std::filesystem::exists(sansSerif))
        GTEST_SKIP() << "needs " << sansSerif;
    TestFolder folder;
    std::filesystem::copy_file(sansSerif, folder.path("12.fon"));
    folder.write("12.fnt", cyrillicFnt());
    FontFileSession app;
    for (const char* name : { "12.fon", "12.fnt" })
        app.ws.scripts().queueFileDialogAnswer(fileDialogAnswerFor(folder.path(name)));
    app.ws.scripts().queueMessageAnswer(MessageResult::Ok); // the .fnt lacks the Latin letters
    std::string fonCaption;
    app.run([&] {
        app.ws.userClicks(OpenButton);
        fonCaption = app.ws.caption();
        app.ws.userClicks(OpenButton);
    });
    EXPECT_EQ(fonCaption + app.ws.caption(), "Glyphsmith (12.fon)Glyphsmith (12.fnt)");
    EXPECT_EQ(app.ws.scripts().messages().size(), 1u);
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
