// The editor program end to end on the real Qt backend, offscreen: started on
// a font file, a letter's width changed with the mouse, the font saved in
// every format, and each file read back by the converter.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/editor_app.h"
#include "editor/editor_controls.h"
#include "font_dump.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, got);
        ::pclose(pipe);
    }
    return output;
}

std::string dumped(const BitmapFont& font)
{
    std::ostringstream out;
    dumpFont(font, out);
    return out.str();
}

FileDialogAnswer savedAs(const std::string& folder, const std::string& title, const std::string& extension)
{
    const std::string name = title + "." + extension;
    return { folder + "/" + name, name, title, extension };
}

TEST(GlyphsmithOffscreen, OpensAFontNarrowsALetterAndSavesItInEveryFormat)
{
    TestFolder folder;
    std::filesystem::copy_file(GLYPHSMITH_SAMPLE_FONT, folder.path("start.wfn"));
    // Registration at start writes only into this test's folders.
    ::setenv("XDG_DATA_HOME", folder.path("data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", folder.path("config").c_str(), 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::string program = "glyphsmith";
    std::string file = folder.path("start.wfn");
    int argc = 2;
    char* argv[] = { program.data(), file.data(), nullptr };
    QApplication application(argc, argv);
    QtWindowSystem ws({ .scripted = true, .refreshDesktopCaches = false });
    const std::string saved = folder.path("");
    for (const char* extension : { "wfn", "0", "bmp" })
        ws.script().fileAnswers.push_back(savedAs(saved, "edited", extension));

    auto expected = std::make_unique<BitmapFont>();
    ASSERT_TRUE(expected->readWfn(file).ok());
    const int narrowed = expected->glyphs[65].width - 2;
    expected->glyphs[65].width = narrowed;

    auto font = std::make_unique<BitmapFont>();
    QTimer::singleShot(0, [&] {
        QtDialog& dialog = *ws.dialog();
        EXPECT_EQ(ws.caption(), "Glyphsmith (start.wfn)");
        dialog.edit(LetterNumberBox)->setFocus();
        QTest::keyClicks(dialog.edit(LetterNumberBox), "65");
        QTest::mouseClick(dialog.control(WidthDownButton), Qt::LeftButton);
        QTest::mouseClick(dialog.control(WidthDownButton), Qt::LeftButton);
        EXPECT_EQ(dialog.edit(WidthBox)->text(), QString::number(narrowed));
        for (int format = 0; format < 3; ++format)
            QTest::mouseClick(dialog.control(SaveButton), Qt::LeftButton);
        QTest::mouseClick(dialog.control(QuitButton), Qt::LeftButton);
        if (ws.dialog() && !ws.dialog()->ended())
            ws.dialog()->endWith(DialogCancel); // keep a failing test from hanging
    });
    EditorApp(ws, *font).run();

    EXPECT_TRUE(ws.script().shownMessages.empty());
    EXPECT_EQ(ws.script().fileRequests.size(), 3u);
    const std::string convert = std::string(GLYPHSMITH_CONVERT) + " --dump ";
    // The dumps are long: say which file differs, not how.
    EXPECT_TRUE(commandOutput(convert + folder.path("edited.wfn")) == dumped(*expected)) << "edited.wfn";
    EXPECT_TRUE(commandOutput(convert + folder.path("edited.0")) == dumped(*expected)) << "edited.0";
    expected->lineHeight = 0; // a glyph sheet does not keep it
    EXPECT_TRUE(commandOutput(convert + folder.path("edited.bmp")) == dumped(*expected)) << "edited.bmp";

    const std::vector<std::uint8_t> entry = folder.read("data/applications/Glyphsmith.desktop");
    const std::string text(entry.begin(), entry.end());
    const std::string exec = "Exec=" + QCoreApplication::applicationFilePath().toStdString() + " %f\n";
    EXPECT_NE(text.find(exec), std::string::npos) << text;
}

} // namespace
} // namespace glyphsmith
