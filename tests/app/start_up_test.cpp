// Start-up on the headless window system: the registration written at every
// start, the file named on the command line, and About.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/about.h"
#include "app/editor_app.h"
#include "app/start_up.h"
#include "font/bitmap_font.h"
#include "editor/editor_controls.h"
#include "platform/headless/headless_window_system.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

TEST(RegisterFileTypes, NamesTheFontFilesAndOpensThemWithThisExecutable)
{
    HeadlessWindowSystem ws;
    ws.setExecutablePath("/opt/tools/bin/glyphsmith");
    ws.setCurrentDirectory("/somewhere/else");
    registerFileTypes(ws);
    using Keys = std::map<std::string, std::optional<std::string>>;
    EXPECT_EQ(ws.registry().keys(), (Keys {
                                         { ".wfn", "Glyphsmith" },
                                         { ".0", "Glyphsmith" },
                                         { "Glyphsmith", "Adventure game font file" },
                                         { "Glyphsmith\\shell", std::nullopt },
                                         { "Glyphsmith\\shell\\open", std::nullopt },
                                         { "Glyphsmith\\shell\\open\\command", "/opt/tools/bin/glyphsmith %1" },
                                     }));
    EXPECT_EQ(ws.registry().openKeyCount(), 0);
}

TEST(RegisterFileTypes, SkipsKeysThatCannotBeMadeAndStopsWithoutTheClassKey)
{
    for (const char* failing : { ".wfn", ".0", "Glyphsmith" }) {
        HeadlessWindowSystem ws;
        ws.registry().failCreateKey(failing);
        registerFileTypes(ws);
        EXPECT_FALSE(ws.registry().hasKey(failing)) << failing;
        EXPECT_EQ(ws.registry().hasKey("Glyphsmith\\shell\\open\\command"), std::string(failing) != "Glyphsmith");
        EXPECT_EQ(ws.registry().keys().size(), std::string(failing) == "Glyphsmith" ? 2u : 5u) << failing;
        EXPECT_EQ(ws.registry().openKeyCount(), 0);
    }
}

TEST(CommandLineFile, TakesTheTitleAndExtensionFromTheFilesOwnName)
{
    struct Case {
        const char* text;
        CommandLineFile file;
    };
    const std::vector<Case> cases {
        { "D:\\Fonts\\agsfnt1.wfn", { "D:\\Fonts\\agsfnt1.wfn", "agsfnt1", "wfn" } },
        { "\"D:\\Fonts\\agsfnt1.wfn\"", { "D:\\Fonts\\agsfnt1.wfn", "agsfnt1", "wfn" } },
        { "/home/me/font.001", { "/home/me/font.001", "font", "001" } },
        { "/games/FONT", { "/games/FONT", "FONT", "" } },
        { "my.fonts/font", { "my.fonts/font", "font", "" } },
        { "D:\\my.fonts\\font", { "D:\\my.fonts\\font", "font", "" } },
        { "\\font.wfn", { "\\font.wfn", "font", "wfn" } },
        { "a b/two words.0", { "a b/two words.0", "two words", "0" } },
        { "\"one.wfn\" \"two.wfn\"", { "one.wfn two.wfn", "one.wfn two", "wfn" } },
    };
    for (const Case& test : cases) {
        const CommandLineFile file = commandLineFile(test.text);
        EXPECT_EQ(file.path, test.file.path) << test.text;
        EXPECT_EQ(file.title, test.file.title) << test.text;
        EXPECT_EQ(file.extension, test.file.extension) << test.text;
    }
}

// The application with its start-up steps, run on the headless window system.
struct AppRun {
    HeadlessWindowSystem ws;
    std::unique_ptr<BitmapFont> font = std::make_unique<BitmapFont>();

    void run(std::function<void()> session)
    {
        ws.setUserSession(std::move(session));
        EditorApp(ws, *font).run();
    }
};

TEST(OpenCommandLineFile, LoadsTheNamedFileBeforeTheWindowShowsOrSaysWhyNot)
{
    TestFolder folder;
    auto drawn = std::make_unique<BitmapFont>();
    drawn->glyphs[65].width = 5;
    ASSERT_TRUE(drawn->writeWfn(folder.path("my.fonts.wfn")).ok());

    AppRun good;
    good.ws.setCommandLine(std::string("\"").append(folder.path("my.fonts.wfn")).append("\""));
    good.run([&] {
        EXPECT_EQ(good.ws.caption(), "Glyphsmith (my.fonts.wfn)");
        EXPECT_EQ(good.ws.control(HeightBox).text, "1");
    });
    EXPECT_EQ(good.font->glyphs[65].width, 5);

    AppRun missing;
    missing.ws.setCommandLine(folder.path("none"));
    missing.ws.scripts().queueMessageAnswer(MessageResult::Ok);
    missing.ws.scripts().queueFileDialogAnswer(std::nullopt);
    missing.run([&] {
        // The message came before the window was shown.
        EXPECT_EQ(missing.ws.scripts().messages().size(), 1u);
        EXPECT_EQ(missing.ws.caption(), "Glyphsmith");
        missing.ws.userClicks(SaveButton);
    });
    EXPECT_EQ(missing.ws.scripts().messages()[0].text,
        "Invalid file type, or miscellaneous read error.\n\ncannot open the file");
    EXPECT_EQ(missing.ws.scripts().fileDialogs()[0].request.initialName, "none");

    AppRun none;
    none.run([&] { EXPECT_EQ(none.ws.caption(), "Glyphsmith"); });
    EXPECT_TRUE(none.ws.scripts().messages().empty());
}

TEST(About, ShowsTheCreditThenOpensTheGuideAndLeavesTheEditorAsItWas)
{
    AppRun app;
    app.ws.scripts().queueMessageAnswer(MessageResult::Ok);
    app.run([&] {
        app.ws.userReplacesText(LetterNumberBox, "70");
        app.ws.userClicks(AboutButton);
        EXPECT_EQ(app.ws.isDialogRunning(), true);
    });
    ASSERT_EQ(app.ws.scripts().messages().size(), 1u);
    EXPECT_EQ(app.ws.scripts().messages()[0].caption, "Glyphsmith");
    EXPECT_EQ(app.ws.scripts().messages()[0].buttons, MessageButtons::Ok);
    ASSERT_EQ(app.ws.openedAddresses().size(), 1u);
    EXPECT_TRUE(app.ws.openedAddresses()[0].starts_with("file:///")) << app.ws.openedAddresses()[0];
    EXPECT_TRUE(app.ws.openedAddresses()[0].ends_with("/README.md")) << app.ws.openedAddresses()[0];
}

TEST(About, PrefersTheInstalledGuideToTheSourceTreesOne)
{
    TestFolder folder;
    std::filesystem::create_directories(folder.path("share/doc/glyphsmith"));
    std::ofstream(folder.path("share/doc/glyphsmith/README.md")) << "guide";
    EXPECT_EQ(documentationAddress(folder.path("bin/glyphsmith")),
        "file://" + folder.path("share/doc/glyphsmith/README.md"));
    const std::string fromBuild = documentationAddress(folder.path("tree/build/glyphsmith"));
    EXPECT_NE(fromBuild, "file://" + folder.path("share/doc/glyphsmith/README.md"));
    EXPECT_TRUE(std::filesystem::is_regular_file(fromBuild.substr(7))) << fromBuild;
    std::filesystem::create_directories(folder.path("zip/glyphsmith")); // as the Windows zip unpacks
    std::ofstream(folder.path("zip/glyphsmith/README.md")) << "guide";
    EXPECT_EQ(documentationAddress(folder.path("zip/glyphsmith/glyphsmith.exe")),
        "file://" + folder.path("zip/glyphsmith/README.md"));
}

} // namespace
} // namespace glyphsmith
