#include "platform/qt/qt_system_font_renderer.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>

#include <string>


namespace glyphsmith {
namespace {

constexpr Rgb Blue{ 0, 0, 255 };
constexpr Rgb Black{ 0, 0, 0 };
constexpr Rgb White{ 255, 255, 255 };

// The box the renderer promises, worked out from Qt's metrics of the same
// font (0 points meaning the default size).
QRect expectedBox(int points, char character)
{
    QFont font = QGuiApplication::font();
    if (points > 0)
        font.setPointSize(points);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    QImage sameResolution(RenderSquareSize, RenderSquareSize, QImage::Format_RGB32);
    const QFontMetrics metrics(font, &sameResolution);
    const QRect box(0, 0, metrics.horizontalAdvance(QString(QChar(character))), metrics.height());
    return box & QRect(0, 0, RenderSquareSize, RenderSquareSize);
}

// Inside the box only black and white, outside only blue, for every code;
// every visible character leaves some black ink.
TEST(QtSystemFontRenderer, DrawsBlackInkOnWhiteInABoxOfTheAdvanceByTheFontHeight)
{
    for (int points : { 0, 7, 12, 30, 65535 }) {
        QtSystemFontRenderer renderer;
        ASSERT_TRUE(renderer.selectFont(points));
        RenderSquare square;
        for (int code = 1; code < 128; ++code) {
            SCOPED_TRACE(std::to_string(points) + " points, code " + std::to_string(code));
            const QRect box = expectedBox(points, static_cast<char>(code));
            renderer.drawCharacter(code, square);
            int ink = 0;
            for (int y = 0; y < RenderSquareSize; ++y)
                for (int x = 0; x < RenderSquareSize; ++x) {
                    const Rgb pixel = square[x + RenderSquareSize * y];
                    ink += pixel == Black;
                    if (box.contains(x, y)) {
                        ASSERT_TRUE(pixel == Black || pixel == White) << "pixel " << x << ", " << y;
                    } else {
                        ASSERT_EQ(pixel, Blue) << "pixel " << x << ", " << y;
                    }
                }
            // A huge glyph may start below the square.
            if (points < 65535 && code > ' ' && code < 127) {
                EXPECT_GT(ink, 0);
            }
        }
    }
}

TEST(QtSystemFontRenderer, CodeZeroAndAnUnselectedFontDrawNothing)
{
    RenderSquare allBlue;
    allBlue.fill(Blue);
    RenderSquare square;
    square.fill(White);

    QtSystemFontRenderer unselected;
    unselected.drawCharacter('A', square);
    EXPECT_TRUE(square == allBlue);

    QtSystemFontRenderer renderer;
    ASSERT_TRUE(renderer.selectFont(12));
    renderer.drawCharacter('A', square);
    renderer.drawCharacter(0, square);
    EXPECT_TRUE(square == allBlue);
}

} // namespace
} // namespace glyphsmith

int main(int argc, char** argv)
{
    // Test discovery runs this program outside ctest's environment too; it
    // never needs a real screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
