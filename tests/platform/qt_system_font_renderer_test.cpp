#include "platform/qt/qt_system_font_renderer.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>

#include <memory>
#include <string>

#include "font/bitmap_font.h"
#include "platform/message_boxes.h"

namespace glyphsmith {
namespace {

constexpr Rgb Blue{ 0, 0, 255 };
constexpr Rgb Black{ 0, 0, 0 };
constexpr Rgb White{ 255, 255, 255 };

struct CountingMessages : MessageBoxes {
    int count = 0;
    MessageResult showMessage(std::string_view, std::string_view, MessageButtons) override
    {
        ++count;
        return MessageResult::Ok;
    }
};

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

// Inside the box only black and white, outside only blue, for every code.
TEST(QtSystemFontRenderer, DrawsBlackAndWhiteInABoxOfTheAdvanceByTheFontHeight)
{
    for (int points : { 0, 7, 12, 30, 65535 }) {
        QtSystemFontRenderer renderer;
        ASSERT_TRUE(renderer.selectFont(points));
        RenderSquare square;
        for (int code = 1; code < GlyphCount; ++code) {
            SCOPED_TRACE(std::to_string(points) + " points, code " + std::to_string(code));
            const QRect box = expectedBox(points, static_cast<char>(code));
            renderer.drawCharacter(code, square);
            for (int y = 0; y < RenderSquareSize; ++y)
                for (int x = 0; x < RenderSquareSize; ++x) {
                    const Rgb pixel = square[x + RenderSquareSize * y];
                    if (box.contains(x, y))
                        ASSERT_TRUE(pixel == Black || pixel == White) << "pixel " << x << ", " << y;
                    else
                        ASSERT_EQ(pixel, Blue) << "pixel " << x << ", " << y;
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

TEST(QtSystemFontImport, GivesPlausibleGlyphsAt12Points)
{
    QtSystemFontRenderer renderer;
    CountingMessages messages;
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 12;
    ASSERT_TRUE(font->importSystemFont("any.ttf", renderer, messages).ok());
    EXPECT_EQ(font->lineHeight, 12);
    EXPECT_EQ(messages.count, 1);

    const Glyph& a = font->glyphs['A'];
    EXPECT_TRUE(a.width >= 1 && a.width <= 63 && a.height >= 1 && a.height <= 63) << a.width << " x " << a.height;

    // Every visible character has ink inside its box, and all share one height.
    for (int code = '!'; code <= '~'; ++code) {
        const Glyph& glyph = font->glyphs[code];
        EXPECT_EQ(glyph.height, a.height) << "code " << code;
        int ink = 0;
        for (int x = 0; x < glyph.width; ++x)
            for (int y = 0; y < glyph.height; ++y)
                ink += glyph.cell(x, y);
        EXPECT_GT(ink, 0) << "code " << code;
    }
    EXPECT_EQ(font->glyphs[0].width + font->glyphs[0].height, 0);
    // 'W' is wider than 'i' in any proportional or fixed font worth the name.
    EXPECT_GE(font->glyphs['W'].width, font->glyphs['i'].width);
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
