// Times the editor on the Qt backend, offscreen: repainting the overview of
// the largest font and an enlarged 64 x 64 letter (target: under 5 ms each),
// one mouse move of a drag across a letter including its repaint, with the
// pencil and with the line tool's rubber band (target: under 1 ms each), a
// transform of 1,000 glyphs of 64 x 64 recorded in the history as the range
// commands do (under 20 ms), Ctrl+Z and Ctrl+Y on such a drag including the repaint (under
// 1 ms each), the text preview's redraw of 40 characters (under 2 ms), and,
// in a child process, the start of the program to its first painted frame
// (target: under 150 ms) with its peak memory (under 40 MB).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "app/start_up.h"
#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/glyph_transforms.h"
#include "editor/undo_history.h"
#include "editor/text_preview.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"

namespace glyphsmith {
namespace {

constexpr const char* FirstFrameOption = "--first-frame-child";

QtWindowSystem* windowSystem = nullptr;
EditorDialog* editor = nullptr;
BitmapFont* font = nullptr;

void fillLargest(BitmapFont& target)
{
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = target.glyphs[c];
        glyph.width = MaxGlyphSize;
        glyph.height = MaxGlyphSize - 1;
        for (int x = 0; x < MaxGlyphSize; ++x)
            for (int y = 0; y < MaxGlyphSize; ++y)
                glyph.cell(x, y) = ((x * 7 + y * 13 + c * 5) % 11 < 4) ? 1 : 0;
    }
}

void showLetter(int code)
{
    windowSystem->setControlText(LetterNumberBox, std::to_string(code));
}

void overviewRepaint(benchmark::State& state)
{
    editor->command(LetterButton);
    for (auto _ : state)
        editor->paintFontView();
    // The window fit to the font may be larger than the screen.
    state.counters["clientWidth"] = windowSystem->clientSize().width;
    state.counters["clientHeight"] = windowSystem->clientSize().height;
}

void letterRepaint(benchmark::State& state)
{
    font->glyphs[65].height = MaxGlyphSize;
    showLetter(65);
    for (auto _ : state)
        editor->paintFontView();
    font->glyphs[65].height = MaxGlyphSize - 1;
}

// One move event of a left-button drag over the enlarged letter, delivered as
// Qt delivers it, and the widget repaint it asks for.
void dragMove(benchmark::State& state)
{
    font->glyphs[66].height = MaxGlyphSize;
    showLetter(66);
    ClientCanvas& canvas = windowSystem->dialog()->canvas();
    int step = 0;
    for (auto _ : state) {
        const QPointF at(184 + (step % 64) * 16 + 4, 32 + ((step / 64) % 64) * 16 + 4);
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &move);
        canvas.repaint();
    }
}

// One move event of a line-tool drag over the enlarged letter: the glyph is
// put back as at the press and the line drawn to the new end, then repainted.
void lineDragMove(benchmark::State& state)
{
    font->glyphs[68].height = MaxGlyphSize;
    showLetter(68);
    editor->command(LineToolButton);
    ClientCanvas& canvas = windowSystem->dialog()->canvas();
    auto send = [&](QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at(184 + x * 16 + 4, 32 + y * 16 + 4);
        QMouseEvent event(type, at, canvas.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &event);
    };
    send(QEvent::MouseButtonPress, 0, 0, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, step % 64, (step * 7) % 64, Qt::NoButton, Qt::LeftButton);
        ++step;
        canvas.repaint();
    }
    send(QEvent::MouseButtonRelease, 0, 0, Qt::LeftButton, Qt::NoButton);
    editor->command(PencilToolButton);
}

// A transform of 1,000 glyphs of 64 x 64, each remembered by the history
// first, as a command over a range of glyphs does.
void rangeTransform(benchmark::State& state, void (*transform)(Glyph&))
{
    BitmapFont glyphs;
    glyphs.setCodeCount(1000);
    for (int code = 0; code < 1000; ++code)
        glyphs.glyphs[code] = font->glyphs[code % GlyphCount];
    for (Glyph& glyph : glyphs.glyphs)
        glyph.height = MaxGlyphSize;
    UndoHistory history;
    for (auto _ : state) {
        for (int code = 0; code < 1000; ++code) {
            history.rememberGlyph(glyphs, code);
            transform(glyphs.glyphs[code]);
        }
        history.endStep(glyphs);
    }
}

// A drag across a whole row of a 64 x 64 letter, as Qt delivers it.
void dragAcross(ClientCanvas& canvas, int row)
{
    auto send = [&](QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at(184 + x * 16 + 4, 32 + row * 16 + 4);
        QMouseEvent event(type, at, canvas.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &event);
    };
    send(QEvent::MouseButtonPress, 0, Qt::LeftButton, Qt::LeftButton);
    for (int x = 1; x < MaxGlyphSize; ++x)
        send(QEvent::MouseMove, x, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, MaxGlyphSize - 1, Qt::LeftButton, Qt::NoButton);
}

// Ctrl+`key` to the dialog as Qt delivers it, and the repaint it asks for.
double timedKey(Qt::Key key)
{
    QtDialog& dialog = *windowSystem->dialog();
    const auto started = std::chrono::steady_clock::now();
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(&dialog, &press);
    dialog.canvas().repaint();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// Undo (or redo) of one drag on a 64 x 64 letter; each iteration times one
// key, and the other key, untimed, puts the drag back.
void historyKey(benchmark::State& state, Qt::Key timed, Qt::Key untimed)
{
    font->glyphs[67].height = MaxGlyphSize;
    showLetter(67);
    dragAcross(windowSystem->dialog()->canvas(), 5);
    if (timed == Qt::Key_Y)
        timedKey(Qt::Key_Z);
    for (auto _ : state) {
        state.SetIterationTime(timedKey(timed));
        timedKey(untimed);
    }
}

void undoDrag(benchmark::State& state)
{
    historyKey(state, Qt::Key_Z, Qt::Key_Y);
}

void redoDrag(benchmark::State& state)
{
    historyKey(state, Qt::Key_Y, Qt::Key_Z);
}

// The preview of a 40-character line laid out from the font and handed to
// the preview window, as after every pixel drawn while the preview is open.
void previewRedraw(benchmark::State& state, const BitmapFont* previewFont)
{
    const std::u32string text = U"The quick brown fox jumps over the lazy.";
    for (auto _ : state)
        windowSystem->setTextPreviewPicture(layOutTextPreview(*previewFont, text));
    state.counters["pictureWidth"] = layOutTextPreview(*previewFont, text).width;
}

// The editor's dialog in a paint-counting form: the first paint ends the run.
class FirstFrameDialog : public EditorDialog {
public:
    using EditorDialog::EditorDialog;
    void paint() override
    {
        EditorDialog::paint();
        if (!painted) {
            painted = true;
            windowSystem->dialog()->canvas().repaint();
            windowSystem->endDialog(DialogCancel);
        }
    }
    bool painted = false;
};

// The child's part of startToFirstFrame: starts the editor on the sample font
// as the program does, up to its first painted frame, and writes the time
// that took and the peak memory to `out`.
int runToFirstFrame(int out)
{
    const auto started = std::chrono::steady_clock::now();
    int argc = 2;
    std::string program = "glyphsmith";
    std::string file = GLYPHSMITH_SAMPLE_FONT;
    char* argv[] = { program.data(), file.data(), nullptr };
    QApplication application(argc, argv);
    QtWindowSystem ws({ .scripted = true, .refreshDesktopCaches = false });
    windowSystem = &ws;
    auto childFont = std::make_unique<BitmapFont>();
    FirstFrameDialog* dialog = nullptr;
    FirstFrameDialog first(ws, *childFont, { .startUp = [&] {
        registerFileTypes(ws);
        openCommandLineFile(ws, *dialog);
    }, .about = {} });
    dialog = &first;
    ws.runModalDialog(MainDialogTemplate, first);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const std::string report = std::to_string(first.painted ? seconds : -1.0) + " " + std::to_string(usage.ru_maxrss);
    return ::write(out, report.data(), report.size()) == static_cast<ssize_t>(report.size()) ? 0 : 1;
}

// Starts this program again as a fresh process that runs runToFirstFrame, and
// reports its time to the first frame and its peak memory.
void startToFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            const std::string out = std::to_string(pipeEnds[1]);
            ::execl("/proc/self/exe", "glyphsmith-editor-bench", FirstFrameOption, out.c_str(), nullptr);
            ::_exit(127);
        }
        ::close(pipeEnds[1]);
        char buffer[128] = {};
        ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer - 1);
        ::close(pipeEnds[0]);
        ::waitpid(child, nullptr, 0);
        double seconds = -1;
        long peakKilobytes = 0;
        if (got <= 0 || std::sscanf(buffer, "%lf %ld", &seconds, &peakKilobytes) != 2 || seconds < 0) {
            state.SkipWithError("the child painted no frame");
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["peakMB"] = peakKilobytes / 1024.0;
    }
}

} // namespace
} // namespace glyphsmith

int main(int argc, char** argv)
{
    using namespace glyphsmith;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == FirstFrameOption)
        return runToFirstFrame(std::stoi(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Registration during the start benchmark stays out of the real home folder.
    char scratch[] = "/tmp/glyphsmith-bench-XXXXXX";
    if (!::mkdtemp(scratch))
        return 1;
    ::setenv("XDG_DATA_HOME", scratch, 1);
    ::setenv("XDG_CONFIG_HOME", scratch, 1);

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QtWindowSystem ws({ .scripted = true, .refreshDesktopCaches = false });
    auto largest = std::make_unique<BitmapFont>();
    fillLargest(*largest);
    EditorDialog dialog(ws, *largest);
    windowSystem = &ws;
    editor = &dialog;
    font = largest.get();
    benchmark::RegisterBenchmark("overviewRepaint/128x64x63", overviewRepaint)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("letterRepaint/64x64", letterRepaint)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("dragMove/64x64", dragMove)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("lineDragMove/64x64", lineDragMove)->Unit(benchmark::kMicrosecond);
    struct Transform {
        const char* name;
        void (*transform)(Glyph&);
    };
    for (const Transform& each : { Transform { "rotateClockwise", rotateGlyphClockwise },
             Transform { "flipVertical", flipGlyphVertical }, Transform { "bold", boldGlyph } })
        benchmark::RegisterBenchmark(("rangeTransform/1000x64x64/" + std::string(each.name)).c_str(), rangeTransform,
            each.transform)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("undoDrag/64x64", undoDrag)->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("redoDrag/64x64", redoDrag)->UseManualTime()->Unit(benchmark::kMicrosecond);
    auto sample = std::make_unique<BitmapFont>();
    if (!sample->readWfn(GLYPHSMITH_SAMPLE_FONT).ok())
        return 1;
    benchmark::RegisterBenchmark("previewRedraw/40/sample", previewRedraw, sample.get())
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("previewRedraw/40/64x63", previewRedraw, largest.get())
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("startToFirstFrame", startToFirstFrame)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);
    QTimer::singleShot(0, [&] {
        benchmark::RunSpecifiedBenchmarks();
        ws.endDialog(DialogCancel);
    });
    ws.runModalDialog(MainDialogTemplate, dialog);
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch);
    return 0;
}
