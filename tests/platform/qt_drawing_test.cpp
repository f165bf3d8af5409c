// Drawing on the Qt canvas where the contract suite does not reach: clipping
// at every edge, icons, and what the widget shows.

#include <QPainter>
#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace glyphsmith {
namespace {

using QtDrawingTest = QtDialogFixture;

// The obvious per-pixel copy, clipped pixel by pixel, to check the fast one.
void referenceCopy(QImage& target, const QImage& source, QRect from, QPoint to)
{
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x) {
            const QPoint in = from.topLeft() + QPoint(x, y);
            const QPoint out = to + QPoint(x, y);
            if (source.rect().contains(in) && target.rect().contains(out))
                target.setPixel(out, source.pixel(in));
        }
}

TEST_F(QtDrawingTest, BlockCopiesAndFillsAreClippedToTheCanvasAndTheBitmap)
{
    struct Copy {
        QRect from;
        QPoint to;
    };
    const Copy copies[] = {
        { { 8, 4, 16, 8 }, { 300, 100 } },    // straddles the colour boundary
        { { 16, 0, 16, 16 }, { 425, 200 } },  // cut by the right and bottom edges
        { { 16, 0, 16, 16 }, { -5, -7 } },    // cut by the left and top edges
        { { 24, 10, 16, 16 }, { 250, 150 } }, // reaches past the bitmap's edges
        { { -4, -3, 8, 8 }, { 50, 150 } },    // starts before the bitmap
    };
    run([&] {
        system.loadCellBitmap(CellBitmapResource);
        QImage& canvas = dialog().canvas().image();
        canvas.fill(qRgb(10, 200, 30));
        QImage expected = canvas.copy();
        {
            std::unique_ptr<ClientSurface> surface = system.clientSurface();
            ASSERT_TRUE(surface);
            for (const Copy& copy : copies) {
                surface->copyCellBlock(copy.from.x(), copy.from.y(), copy.from.width(), copy.from.height(),
                    copy.to.x(), copy.to.y());
                referenceCopy(expected, system.cellBitmap(), copy.from, copy.to);
            }
            surface->fillRect({ 420, 190, 500, 300 }, { 1, 2, 3 });
            surface->fillRect({ -3, 195, 4, 260 }, { 4, 5, 6 });
        }
        QPainter painter(&expected);
        painter.fillRect(QRect(420, 190, 80, 110), QColor(1, 2, 3));
        painter.fillRect(QRect(-3, 195, 7, 65), QColor(4, 5, 6));
        painter.end();
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                ASSERT_EQ(canvas.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
    });
}

// The icon resource loads as a 32 by 32 picture with transparent corners;
// drawn, it lands on the canvas and the widget shows it.
TEST_F(QtDrawingTest, TheIconLoadsAndADrawnIconLandsOnTheCanvasAndTheWidgetShowsIt)
{
    EXPECT_EQ(system.loadIcon(9999).resourceId, 0);
    run([&] {
        Icon icon = system.loadIcon(AppIconResource);
        ASSERT_EQ(system.iconImage(icon).size(), QSize(32, 32));
        system.setIcons(icon, icon);
        EXPECT_FALSE(dialog().windowIcon().isNull());
        QImage& canvas = dialog().canvas().image();
        canvas.fill(Qt::black);
        system.clientSurface()->drawIcon(icon, 300, 100);
        const QRgb expected = system.iconImage(icon).pixel(16, 16);
        EXPECT_EQ(qAlpha(expected), 255);
        EXPECT_EQ(canvas.pixel(300, 100), qRgb(0, 0, 0)) << "the rounded corner is transparent";
        EXPECT_EQ(canvas.pixel(316, 116), expected);
        EXPECT_EQ(dialog().canvas().grab().toImage().pixel(316, 116) & 0xffffff, expected & 0xffffff);
    });
}

} // namespace
} // namespace glyphsmith
