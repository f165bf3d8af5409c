// The editor program end to end on the real Qt backend, offscreen: started on
// a font file, edited with real mouse and key events, saved in every format,
// and each file read back by the converter.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <memory>
#include <sstream>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/editor_app.h"
#include "editor/drawing_tools.h"
#include "editor/editor_controls.h"
#include "font/engine_check.h"
#include "font_dump.h"
#include "fontfile/freetype_font_file.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"
#include "session_edits.h"
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

// The editor started on a copy of the sample font, as from the desktop, with
// registration going into the test's own folders.
class GlyphsmithOffscreen : public ::testing::Test {
protected:
    // Runs before the application is made, which reads the environment.
    bool prepare()
    {
        std::filesystem::copy_file(GLYPHSMITH_SAMPLE_FONT, file);
        ::setenv("XDG_DATA_HOME", folder.path("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", folder.path("config").c_str(), 1);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }

    // Runs the editor; `session` plays the user once its window is up.
    void run(const std::function<void(QtDialog&)>& session)
    {
        QTimer::singleShot(0, [&] {
            session(*ws.dialog());
            if (ws.dialog() && !ws.dialog()->ended())
                ws.dialog()->endWith(DialogCancel); // keep a failing test from hanging
        });
        EditorApp(ws, *font, &fontFiles).run();
    }

    std::unique_ptr<BitmapFont> readStart()
    {
        auto start = std::make_unique<BitmapFont>();
        EXPECT_TRUE(start->readWfn(file).ok());
        return start;
    }

    std::string convertDump(const std::string& name)
    {
        return commandOutput(std::string(GLYPHSMITH_CONVERT) + " --dump " + folder.path(name));
    }

    TestFolder folder;
    std::string file = folder.path("start.wfn");
    bool prepared = prepare();
    std::string program = "glyphsmith";
    int argc = 2;
    char* argv[3] = { program.data(), file.data(), nullptr };
    QApplication application { argc, argv };
    QtWindowSystem ws { { .scripted = true, .refreshDesktopCaches = false } };
    std::unique_ptr<BitmapFont> font = std::make_unique<BitmapFont>();
    FreeTypeFontFileReader fontFiles;
};

void typeLetter(QtDialog& dialog, const char* number)
{
    dialog.edit(LetterNumberBox)->setFocus();
    dialog.edit(LetterNumberBox)->selectAll();
    QTest::keyClicks(dialog.edit(LetterNumberBox), number);
}

void click(QtDialog& dialog, int button)
{
    QTest::mouseClick(dialog.control(button), Qt::LeftButton);
}

// The middle of enlarged pixel (x, y) in letter mode.
QPoint letterPixel(int x, int y)
{
    return { 184 + 16 * x + 8, 32 + 16 * y + 8 };
}

TEST_F(GlyphsmithOffscreen, EditsALetterWithTheMouseAndButtonsAndSavesEveryFormat)
{
    for (const char* extension : { "wfn", "0", "bmp" })
        ws.script().fileAnswers.push_back(savedAs(folder.path(""), "edited", extension));
    run([&](QtDialog& dialog) {
        EXPECT_EQ(ws.caption(), "Glyphsmith (start.wfn)");
        typeLetter(dialog, "65");
        QWidget& canvas = dialog.canvas();
        QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, letterPixel(0, 0));
        for (int x = 1; x < 4; ++x) {
            QMouseEvent drag(QEvent::MouseMove, letterPixel(x, 0), canvas.mapToGlobal(letterPixel(x, 0)), Qt::NoButton,
                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&canvas, &drag);
        }
        click(dialog, ShiftRightButton);
        click(dialog, ShiftDownButton);
        click(dialog, CopyButton);
        typeLetter(dialog, "66");
        click(dialog, FillButton);
        click(dialog, UndoButton); // back to B as selected
        click(dialog, PasteButton);
        click(dialog, UndoButton); // nothing: the paste took the undo copy
        click(dialog, OutlineButton);
        EXPECT_EQ(dialog.edit(WidthBox)->text(), "8");
        typeLetter(dialog, "67");
        click(dialog, WidthDownButton);
        click(dialog, WidthDownButton);
        for (int format = 0; format < 3; ++format)
            click(dialog, SaveButton);
        click(dialog, QuitButton);
    });

    auto expected = readStart();
    const int startLineHeight = expected->lineHeight;
    applySessionEdits(*expected);
    EXPECT_TRUE(ws.script().shownMessages.empty());
    // The dumps are long: say which file differs, not how.
    expected->lineHeight = startLineHeight; // kept in an SCI file as it was read
    EXPECT_TRUE(convertDump("edited.0") == dumped(*expected)) << "edited.0";
    expected->lineHeight = 0; // a glyph sheet does not keep it
    EXPECT_TRUE(convertDump("edited.bmp") == dumped(*expected)) << "edited.bmp";
    for (const Glyph& glyph : expected->glyphs)
        expected->lineHeight = std::max(expected->lineHeight, glyph.height); // as the AGS reader sets it
    EXPECT_TRUE(convertDump("edited.wfn") == dumped(*expected)) << "edited.wfn";

    const std::vector<std::uint8_t> entry = folder.read("data/applications/Glyphsmith.desktop");
    const std::string text(entry.begin(), entry.end());
    const std::string exec = "Exec=" + QCoreApplication::applicationFilePath().toStdString() + " %f\n";
    EXPECT_NE(text.find(exec), std::string::npos) << text;
}

// Types `text` into `box` as the user would, after focusing and selecting it.
void typeInto(QtDialog& dialog, int box, const QString& text)
{
    // Focus moves as a click would move it, so the box left hears of it.
    dialog.activateWindow();
    dialog.edit(box)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    dialog.edit(box)->selectAll();
    // QTest types only Latin-1 keys; a key event carries any character as text.
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(dialog.edit(box), &press);
    }
}

TEST_F(GlyphsmithOffscreen, GrowsTheFontDrawsACyrillicLetterAndSavesEveryFormat)
{
    for (const char* extension : { "wfn", "0", "bmp" })
        ws.script().fileAnswers.push_back(savedAs(folder.path(""), "cyrillic", extension));
    run([&](QtDialog& dialog) {
        typeInto(dialog, CodesBox, "1152");
        typeInto(dialog, CharacterBox, QString::fromUtf8("\xD0\xAF")); // leaving Codes grows the font first
        EXPECT_EQ(dialog.edit(LetterNumberBox)->text(), "1071");
        EXPECT_EQ(ws.caption(), "Glyphsmith (start.wfn) U+0400-U+047F");
        typeInto(dialog, WidthBox, "5");
        typeInto(dialog, HeightBox, "7");
        for (int xy = 1; xy < 3; ++xy)
            QTest::mouseClick(&dialog.canvas(), Qt::LeftButton, Qt::NoModifier, letterPixel(xy, xy));
        for (int format = 0; format < 3; ++format)
            click(dialog, SaveButton);
        click(dialog, QuitButton);
    });

    auto expected = readStart();
    const int startLineHeight = expected->lineHeight;
    expected->setCodeCount(1152);
    Glyph& ya = expected->glyphs[0x42f];
    ya.width = 5;
    ya.height = 7;
    ya.cell(1, 1) = ya.cell(2, 2) = true;
    EXPECT_TRUE(ws.script().shownMessages.empty());
    // The files differ only in the line height each keeps (the first line of a dump).
    expected->lineHeight = startLineHeight;
    EXPECT_TRUE(convertDump("cyrillic.0") == dumped(*expected));
    const std::string glyphs = dumped(*expected).substr(dumped(*expected).find('\n'));
    for (const char* name : { "cyrillic.bmp", "cyrillic.wfn" })
        EXPECT_TRUE(convertDump(name).ends_with(glyphs)) << name;
    // The AGS engine holds the letter at its code point, as drawn, and notes
    // that only a Unicode game reaches it.
    std::vector<EngineCheck> checks;
    ASSERT_EQ(checkFontFile(folder.path("cyrillic.wfn"), checks), FileError::None);
    ASSERT_TRUE(checks.size() == 1 && checks[0].verdict == EngineVerdict::Loads && checks[0].glyphs.size() == 1152);
    EXPECT_EQ(checks[0].glyphs[0x42f], (EngineGlyphSize{ 5, 7 }));
    EXPECT_EQ(checks[0].notes.size(), 1u);
}

// Keys go where Qt sends them: to the control with the focus, or the dialog.
void press(QtDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QWidget* focus = dialog.focusWidget();
    QTest::keyClick(focus ? focus : &dialog, key, modifiers);
}

TEST_F(GlyphsmithOffscreen, OpensDrawsUndoesRedoesAndSavesWithKeys)
{
    std::filesystem::copy_file(GLYPHSMITH_SAMPLE_FONT, folder.path("other.wfn"));
    ws.script().fileAnswers.push_back(savedAs(folder.path(""), "other", "wfn"));
    run([&](QtDialog& dialog) {
        press(dialog, Qt::Key_O);
        EXPECT_EQ(ws.caption(), "Glyphsmith (other.wfn)");
        for (int code = 0; code < 65; ++code)
            press(dialog, Qt::Key_Right);
        EXPECT_EQ(dialog.edit(LetterNumberBox)->text(), "65");
        for (int x = 0; x < 3; ++x)
            QTest::mouseClick(&dialog.canvas(), Qt::LeftButton, Qt::NoModifier, letterPixel(x, 0));
        press(dialog, Qt::Key_Z);
        press(dialog, Qt::Key_Z);
        press(dialog, Qt::Key_Y);
        press(dialog, Qt::Key_S);
        EXPECT_TRUE(ws.script().fileRequests.size() == 1); // Ctrl+S asked for no name
        press(dialog, Qt::Key_Q);
    });

    auto expected = readStart();
    for (int x = 0; x < 2; ++x)
        expected->glyphs[65].cell(x, 0) = !expected->glyphs[65].cell(x, 0);
    ASSERT_TRUE(expected->writeWfn(folder.path("expected.wfn")).ok());
    EXPECT_EQ(folder.read("other.wfn"), folder.read("expected.wfn"));
    EXPECT_TRUE(ws.script().shownMessages.empty());
}

TEST_F(GlyphsmithOffscreen, EditsALetterOfAPcfFontAndSavesWhatTheConverterMakesWithTheEdit)
{
    const std::string pcfFolder = "/usr/share/fonts/X11/misc";
    ws.script().fileAnswers.push_back(savedAs(pcfFolder, "10x20.pcf", "gz"));
    ws.script().fileAnswers.push_back(savedAs(folder.path(""), "copy.pcf", "gz"));
    ws.script().messageAnswers.push_back(MessageResult::Ok);
    ws.script().fileAnswers.push_back(savedAs(folder.path(""), "edited", "wfn"));
    run([&](QtDialog& dialog) {
        click(dialog, OpenButton);
        // Codes 128 to 255 come from the code page a new font starts in.
        EXPECT_EQ(ws.caption(), "Glyphsmith (10x20.pcf.gz) ASCII");
        typeLetter(dialog, "65");
        QTest::mouseClick(&dialog.canvas(), Qt::LeftButton, Qt::NoModifier, letterPixel(0, 0));
        click(dialog, SaveButton); // as .pcf.gz: declined, nothing written
        click(dialog, SaveButton);
        click(dialog, QuitButton);
    });
    // The declined save's message, and no notice that the import was partial.
    ASSERT_EQ(ws.script().shownMessages.size(), 1u);
    EXPECT_NE(ws.script().shownMessages[0].text.find("not supported"), std::string::npos);
    EXPECT_FALSE(folder.exists("copy.pcf.gz"));

    ASSERT_EQ(commandOutput(std::string(GLYPHSMITH_CONVERT) + " --font " + pcfFolder + "/10x20.pcf.gz 20 "
                  + folder.path("converted.wfn") + " --codepage " + ws.systemCodePage() + " 2>&1"),
        "");
    auto expected = std::make_unique<BitmapFont>();
    ASSERT_TRUE(expected->readWfn(folder.path("converted.wfn")).ok());
    expected->glyphs[65].cell(0, 0) = !expected->glyphs[65].cell(0, 0);
    auto saved = std::make_unique<BitmapFont>();
    ASSERT_TRUE(saved->readWfn(folder.path("edited.wfn")).ok());
    EXPECT_TRUE(*saved == *expected);
}

// A left-button drag over the enlarged letter, as Qt delivers it.
void dragOver(QWidget& canvas, QPoint from, QPoint to)
{
    QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, canvas.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, to);
}

TEST_F(GlyphsmithOffscreen, DrawsALineARectangleAndAFillWithTheToolsAndSaves)
{
    ws.script().fileAnswers.push_back(savedAs(folder.path(""), "drawn", "wfn"));
    run([&](QtDialog& dialog) {
        typeLetter(dialog, "65");
        QWidget& canvas = dialog.canvas();
        click(dialog, LineToolButton);
        EXPECT_EQ(dialog.control(LineToolButton)->property("text").toString(), "[Line]");
        dragOver(canvas, letterPixel(0, 0), letterPixel(4, 2));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_4, Qt::AltModifier); // the filled rectangle
        dragOver(canvas, letterPixel(1, 3), letterPixel(3, 4));
        click(dialog, FloodFillToolButton);
        QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, letterPixel(0, 4));
        click(dialog, SaveButton);
        click(dialog, QuitButton);
    });

    auto expected = readStart();
    Glyph& glyph = expected->glyphs[65];
    ASSERT_GE(glyph.width, 5);
    ASSERT_GE(glyph.height, 5);
    drawLine(glyph, { 0, 0 }, { 4, 2 }, !glyph.cell(0, 0));
    drawRectangle(glyph, { 1, 3 }, { 3, 4 }, true, !glyph.cell(1, 3));
    floodFill(glyph, { 0, 4 }, !glyph.cell(0, 4));
    BitmapFont saved;
    ASSERT_TRUE(saved.readWfn(folder.path("drawn.wfn")).ok());
    EXPECT_EQ(saved.glyphs[65], glyph);
    EXPECT_TRUE(ws.script().shownMessages.empty());
}

} // namespace
} // namespace glyphsmith
