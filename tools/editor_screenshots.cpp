// Saves pictures of the editor for the README, made by running the editor on
// the Qt backend offscreen and playing a user with real mouse and key events:
//   glyphsmith-screenshots FONT FOLDER
// writes FOLDER/overview.png (the font as it opens), FOLDER/letter.png (a
// letter being drawn, with a copied letter in the clipboard preview) and
// FOLDER/preview.png (the text preview window, opened with Ctrl+T).

#include <cstdio>
#include <memory>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/editor_app.h"
#include "editor/editor_controls.h"
#include "font/bitmap_font.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_text_preview.h"
#include "platform/qt/qt_window_system.h"

namespace {

using namespace glyphsmith;

bool save(QWidget& window, const QString& path)
{
    const bool saved = window.grab().save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
    return saved;
}

// The centre of enlarged pixel (x, y) of letter mode, in client pixels.
QPoint letterPixel(int x, int y)
{
    return { 184 + 16 * x + 8, 32 + 16 * y + 8 };
}

void chooseLetter(QtDialog& dialog, const char* number)
{
    QLineEdit* box = dialog.edit(LetterNumberBox);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, number);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: glyphsmith-screenshots FONT FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString folder = QString::fromLocal8Bit(argv[2]);
    // The editor takes the font from its command line, as when a file is opened from the desktop.
    int editorArgc = 2;
    std::string program = "glyphsmith";
    char* editorArgv[] = { program.data(), argv[1], nullptr };
    QApplication application(editorArgc, editorArgv);
    // Registration at start must not touch the real desktop: it goes
    // nowhere, and fails quietly as registration does.
    qputenv("XDG_DATA_HOME", QByteArray("/nonexistent/glyphsmith-screenshots"));
    qputenv("XDG_CONFIG_HOME", QByteArray("/nonexistent/glyphsmith-screenshots"));
    QtWindowSystem ws({ .scripted = true, .refreshDesktopCaches = false });

    bool ok = true;
    QTimer::singleShot(0, [&] {
        QtDialog& dialog = *ws.dialog();
        ok = save(dialog, folder + "/overview.png") && ok;

        chooseLetter(dialog, "65");
        QTest::mouseClick(dialog.control(CopyButton), Qt::LeftButton);
        chooseLetter(dialog, "103");
        QWidget& canvas = dialog.canvas();
        // Flip one pixel, then drag along the bottom row painting it.
        QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, letterPixel(0, 7));
        for (int x = 1; x < 4; ++x) {
            QMouseEvent move(QEvent::MouseMove, letterPixel(x, 7), canvas.mapToGlobal(letterPixel(x, 7)),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&canvas, &move);
        }
        ok = save(dialog, folder + "/letter.png") && ok;

        QTest::keyClick(&dialog, Qt::Key_T, Qt::ControlModifier);
        QtTextPreview& preview = dialog.textPreview();
        preview.resize(300, 110);
        preview.textBox().selectAll();
        QTest::keyClicks(&preview.textBox(), "Hello, glyphs! Caf");
        // A character past the font's 128 codes: it shows as a red frame.
        preview.textBox().insert(QString::fromUtf8("\u00e9"));
        ok = save(preview, folder + "/preview.png") && ok;
        ws.endDialog(DialogCancel);
    });
    auto font = std::make_unique<BitmapFont>();
    EditorApp(ws, *font).run();
    return ok ? 0 : 1;
}
