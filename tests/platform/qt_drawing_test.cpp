#include <QApplication>
#include <gtest/gtest.h>

#include "platform/resources.h"
#include "qt_test_support.h"

namespace glyphsmith {
namespace {

QRgb background(QtDialog& dialog)
{
    return dialog.canvas().palette().color(QPalette::Window).rgb();
}

// The obvious per-pixel copy, clipped pixel by pixel, to check the fast one.
void referenceCopy(QImage& target, const QImage& source, int sourceX, int sourceY, int width, int height, int destX,
    int destY)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            QPoint from(sourceX + x, sourceY + y);
            QPoint to(destX + x, destY + y);
            if (source.rect().contains(from) && target.rect().contains(to))
                target.setPixel(to, source.pixel(from));
        }
}

class QtDrawingTest : public ::testing::Test {
protected:
    QtWindowSystem system { testOptions() };
    RecordingHandler handler { system };
};

TEST_F(QtDrawingTest, TheCellBitmapIsBlackThenWhite)
{
    system.loadCellBitmap(CellBitmapResource);
    const QImage& cells = system.cellBitmap();
    ASSERT_EQ(cells.size(), QSize(32, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(cells.pixel(x, y) & 0xffffff, x < 16 ? 0x000000u : 0xffffffu) << x << "," << y;
}

TEST_F(QtDrawingTest, BlockCopiesMatchAPixelByPixelCopy)
{
    struct Copy {
        int sourceX, sourceY, width, height, destX, destY;
    };
    const Copy copies[] = {
        { 0, 0, 16, 16, 184, 32 },   // a black enlarged pixel
        { 16, 0, 16, 16, 200, 32 },  // a white one beside it
        { 16, 0, 2, 2, 120, 32 },    // a preview pixel
        { 8, 4, 16, 8, 300, 100 },   // straddles the colour boundary
        { 16, 0, 16, 16, 425, 200 }, // cut by the right and bottom edges
        { 16, 0, 16, 16, -5, -7 },   // cut by the left and top edges
        { 24, 10, 16, 16, 250, 150 }, // reaches past the bitmap's edges
    };
    runDialogWith(system, handler, [&] {
        system.loadCellBitmap(CellBitmapResource);
        QImage& canvas = system.dialog()->canvas().image();
        canvas.fill(qRgb(10, 200, 30));
        QImage expected = canvas.copy();
        {
            std::unique_ptr<ClientSurface> surface = system.clientSurface();
            ASSERT_TRUE(surface);
            for (const Copy& copy : copies) {
                surface->copyCellBlock(copy.sourceX, copy.sourceY, copy.width, copy.height, copy.destX, copy.destY);
                referenceCopy(expected, system.cellBitmap(), copy.sourceX, copy.sourceY, copy.width, copy.height,
                    copy.destX, copy.destY);
            }
        }
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                ASSERT_EQ(canvas.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
    });
}

TEST_F(QtDrawingTest, FillsAreExactAndClipped)
{
    runDialogWith(system, handler, [&] {
        QImage& canvas = system.dialog()->canvas().image();
        canvas.fill(Qt::black);
        {
            std::unique_ptr<ClientSurface> surface = system.clientSurface();
            surface->fillRect({ 420, 200, 500, 300 }, { 1, 2, 3 });
            surface->fillRect({ 10, 10, 12, 11 }, { 255, 0, 0 });
        }
        EXPECT_EQ(canvas.pixel(430, 205), qRgb(1, 2, 3));
        EXPECT_EQ(canvas.pixel(419, 205), qRgb(0, 0, 0));
        EXPECT_EQ(canvas.pixel(10, 10), qRgb(255, 0, 0));
        EXPECT_EQ(canvas.pixel(11, 10), qRgb(255, 0, 0));
        EXPECT_EQ(canvas.pixel(12, 10), qRgb(0, 0, 0));
        EXPECT_EQ(canvas.pixel(10, 11), qRgb(0, 0, 0));
    });
}

TEST_F(QtDrawingTest, RefreshNowErasesAndPaintsBeforeReturning)
{
    handler.onPaint = [&] {
        std::unique_ptr<ClientSurface> surface = system.clientSurface();
        surface->fillRect({ 200, 50, 210, 60 }, { 0, 0, 255 });
    };
    runDialogWith(system, handler, [&] {
        QtDialog& dialog = *system.dialog();
        {
            std::unique_ptr<ClientSurface> surface = system.clientSurface();
            surface->fillRect({ 300, 100, 310, 110 }, { 255, 0, 0 });
        }
        handler.events.clear();
        system.refreshNow();
        EXPECT_EQ(handler.events, std::vector<std::string> { "paint" });
        QImage& canvas = dialog.canvas().image();
        EXPECT_EQ(canvas.pixel(205, 55), qRgb(0, 0, 255));
        EXPECT_EQ(canvas.pixel(305, 105), background(dialog));
        // What the widget shows is the canvas, also right after the call.
        QImage shown = dialog.canvas().grab().toImage();
        EXPECT_EQ(shown.pixel(205, 55) & 0xffffff, 0x0000ffu);
    });
}

TEST_F(QtDrawingTest, TheIconIsA32By32PalettedIcoAndLoads)
{
    std::span<const std::uint8_t> bytes = embeddedResource(AppIconResource);
    ASSERT_GE(bytes.size(), 22u + 40u);
    EXPECT_EQ(bytes[2], 1);  // an icon, not a cursor
    EXPECT_EQ(bytes[4], 1);  // one image
    EXPECT_EQ(bytes[6], 32); // width
    EXPECT_EQ(bytes[7], 32); // height
    EXPECT_EQ(bytes[12], 8); // bits per pixel: 256 colours

    Icon icon = system.loadIcon(AppIconResource);
    EXPECT_EQ(icon.resourceId, AppIconResource);
    QImage image = system.iconImage(icon);
    ASSERT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // rounded corner
    EXPECT_EQ(qAlpha(image.pixel(16, 16)), 255);
    EXPECT_EQ(system.loadIcon(9999).resourceId, 0);
}

TEST_F(QtDrawingTest, DrawnIconLandsOnTheCanvas)
{
    runDialogWith(system, handler, [&] {
        Icon icon = system.loadIcon(AppIconResource);
        system.setIcons(icon, icon);
        EXPECT_FALSE(system.dialog()->windowIcon().isNull());
        QImage& canvas = system.dialog()->canvas().image();
        canvas.fill(Qt::black);
        system.clientSurface()->drawIcon(icon, 300, 100);
        QRgb expected = system.iconImage(icon).pixel(16, 16);
        EXPECT_EQ(canvas.pixel(316, 116), expected);
    });
}

} // namespace
} // namespace glyphsmith
