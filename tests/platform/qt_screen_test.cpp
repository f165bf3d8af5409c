// What the X server shows of the Qt dialog after it is resized. Offscreen
// runs and widget grabs only see Qt's own picture; these tests read the
// window's pixels back from a real X server (run_under_xvfb.sh starts one).

#include <optional>
#include <sstream>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace glyphsmith {
namespace {

// The font overview's grid of 16 x 8 cells of 11 x 14 pixels.
constexpr int GridLeft = 120;
constexpr int GridTop = 32;
constexpr int CellWidth = 11;
constexpr int CellHeight = 14;
constexpr QRgb Marker = qRgb(200, 30, 60);

// Which cells get a block, and where in the cell, so that a shifted or
// missing block shows.
bool cellHasBlock(int column, int row) { return (column * 3 + row) % 4 != 0; }
QPoint blockAt(int column, int row)
{
    return { GridLeft + column * CellWidth + column % 5, GridTop + row * CellHeight + row % 7 };
}

// Marks in the area a grow uncovers, one crossing the template's corner and
// one that a shrink cuts.
const QRect Marks[] = { { 425, 200, 40, 70 }, { 440, 50, 30, 6 }, { 130, 250, 300, 4 }, { 380, 150, 30, 20 } };

// Draws the overview's block pattern and, when asked, resizes the window to
// an outer size from inside paint(), the way the overview fits its window.
class PatternHandler : public DialogHandler {
public:
    explicit PatternHandler(WindowSystem& system) : system_(system) {}

    std::optional<QSize> resizeWhilePainting;
    std::optional<QSize> resizeOnCommand;

    void initDialog() override
    {
        system_.loadCellBitmap(CellBitmapResource);
        system_.centreOnScreen();
    }
    void command(int) override
    {
        if (resizeOnCommand)
            resizeTo(*resizeOnCommand);
    }
    void editChanged(int) override { }
    void editFocusGained(int) override { }
    void editFocusLost(int) override { }
    void mouse(MouseAction, int, int, unsigned) override { }
    Icon dragIcon() override { return { AppIconResource }; }
    void cancel() override { system_.endDialog(DialogCancel); }

    void paint() override
    {
        {
            std::unique_ptr<ClientSurface> surface = system_.clientSurface();
            for (int row = 0; row < 8; ++row)
                for (int column = 0; column < 16; ++column)
                    if (cellHasBlock(column, row)) {
                        QPoint at = blockAt(column, row);
                        surface->copyCellBlock(16, 0, 2, 2, at.x(), at.y());
                    }
            for (const QRect& mark : Marks)
                surface->fillRect({ mark.left(), mark.top(), mark.right() + 1, mark.bottom() + 1 },
                    { qRed(Marker), qGreen(Marker), qBlue(Marker) });
        }
        PixelRect outer = system_.windowRect();
        if (resizeWhilePainting && outer.left > 0 && outer.top > 0
            && QSize(outer.width(), outer.height()) != *resizeWhilePainting)
            resizeTo(*resizeWhilePainting);
    }

private:
    void resizeTo(QSize size)
    {
        PixelRect outer = system_.windowRect();
        system_.moveWindow({ outer.left, outer.top, outer.left + size.width(), outer.top + size.height() });
    }

    WindowSystem& system_;
};

// The client area as the X server shows it, read from the root window.
QImage screenPicture(const QtDialog& dialog)
{
    QPoint origin = dialog.mapToGlobal(QPoint(0, 0));
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, origin.x(), origin.y(), dialog.width(), dialog.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Where `shown` differs from `expected`, or empty when they are the same.
std::string differences(const QImage& shown, const QImage& expected)
{
    if (shown.size() != expected.size()) {
        std::ostringstream out;
        out << "size " << shown.width() << "x" << shown.height() << ", expected " << expected.width() << "x"
            << expected.height();
        return out.str();
    }
    int count = 0;
    QRect area;
    QPoint first;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) & 0xffffff) != (expected.pixel(x, y) & 0xffffff)) {
                if (count++ == 0)
                    first = QPoint(x, y);
                area |= QRect(x, y, 1, 1);
            }
    if (count == 0)
        return {};
    std::ostringstream out;
    out << count << " pixels differ within x " << area.left() << ".." << area.right() << ", y " << area.top()
        << ".." << area.bottom() << "; at " << first.x() << "," << first.y() << " the screen shows " << std::hex
        << (shown.pixel(first) & 0xffffff) << " instead of " << (expected.pixel(first) & 0xffffff);
    return out.str();
}

// The handler's picture at the dialog's size, background, blocks and marks,
// under the dialog's controls as the dialog itself renders them.
QImage expectedPicture(QtDialog& dialog)
{
    QImage picture(dialog.size(), QImage::Format_RGB32);
    picture.fill(dialog.palette().color(QPalette::Window));
    QPainter painter(&picture);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 16; ++column)
            if (cellHasBlock(column, row))
                painter.fillRect(QRect(blockAt(column, row), QSize(2, 2)), Qt::white);
    for (const QRect& mark : Marks)
        painter.fillRect(mark, QColor(Marker));
    const QImage rendered = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QWidget* control : dialog.widgets())
        painter.drawImage(control->geometry(), rendered, control->geometry());
    painter.end();
    return picture;
}

// Lets the window system deliver its events until the screen shows the
// expected picture, or a few seconds have passed; returns what differs.
std::string settleOnScreen(QtDialog& dialog)
{
    QElapsedTimer clock;
    clock.start();
    std::string differ;
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
        QApplication::processEvents();
        differ = differences(screenPicture(dialog), expectedPicture(dialog));
    } while (!differ.empty() && clock.elapsed() < 3000);
    return differ;
}

struct Resize {
    const char* name;
    std::optional<QSize> whilePainting; // outer size asked for from paint()
    std::optional<QSize> byCommand;     // outer size asked for from a button's command
};

void PrintTo(const Resize& resize, std::ostream* out) { *out << resize.name; }

class QtScreenTest : public QtDialogFixture, public ::testing::WithParamInterface<Resize> {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server; ctest runs this program through run_under_xvfb.sh";
    }
};

TEST_P(QtScreenTest, TheScreenShowsEveryClientPixelAfterTheResize)
{
    const Resize& resize = GetParam();
    PatternHandler pattern(system);
    pattern.resizeWhilePainting = resize.whilePainting;
    runDialogWith(system, pattern, [&] {
        QtDialog& shown = dialog();
        // Xvfb runs no window manager, so the window has no frame.
        const PixelRect first = system.windowRect();
        EXPECT_EQ(QSize(first.width(), first.height()), resize.whilePainting.value_or(QSize(431, 426)));
        ASSERT_EQ(settleOnScreen(shown), "") << "at the first show";
        if (!resize.byCommand)
            return;
        pattern.resizeOnCommand = resize.byCommand;
        qobject_cast<QPushButton*>(shown.control(1014))->click();
        const PixelRect later = system.windowRect();
        EXPECT_EQ(QSize(later.width(), later.height()), *resize.byCommand);
        EXPECT_EQ(settleOnScreen(shown), "") << "after the command";
    });
}

INSTANTIATE_TEST_SUITE_P(Resizes, QtScreenTest,
    ::testing::Values(Resize { "GrowWhilePaintingAtFirstShow", QSize(472, 281), std::nullopt },
        Resize { "ShrinkWhilePaintingAtFirstShow", QSize(400, 190), std::nullopt },
        Resize { "GrowByCommand", std::nullopt, QSize(472, 281) },
        Resize { "ShrinkByCommand", std::nullopt, QSize(400, 190) }),
    [](const ::testing::TestParamInfo<Resize>& info) { return std::string(info.param.name); });

} // namespace
} // namespace glyphsmith
