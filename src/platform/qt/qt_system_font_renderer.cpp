#include "platform/qt/qt_system_font_renderer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace glyphsmith {

bool QtSystemFontRenderer::selectFont(int points)
{
    if (points < 0)
        return false;
    font_ = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (points > 0)
        font_.setPointSize(points);
    font_.setStyleStrategy(QFont::NoAntialias);
    font_.setHintingPreference(QFont::PreferFullHinting);
    selected_ = true;
    return true;
}

void QtSystemFontRenderer::drawCharacter(int code, RenderSquare& square)
{
    constexpr QRgb Blue = 0xff0000ff;
    QImage image(RenderSquareSize, RenderSquareSize, QImage::Format_RGB32);
    image.fill(Blue);
    if (selected_ && code > 0 && code < 256) {
        QPainter painter(&image);
        painter.setFont(font_);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        QFontMetrics metrics(font_);
        QChar character(static_cast<char16_t>(code));
        painter.fillRect(0, 0, metrics.horizontalAdvance(character), metrics.height(), Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(0, metrics.ascent(), QString(character));
    }
    // Whatever the font engine did, every pixel leaves as pure black, white
    // or blue: blue where nothing was drawn, else ink or paper by brightness.
    for (int y = 0; y < RenderSquareSize; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < RenderSquareSize; ++x) {
            QRgb pixel = line[x] | 0xff000000;
            Rgb& out = square[static_cast<std::size_t>(x + RenderSquareSize * y)];
            if (pixel == Blue)
                out = { 0, 0, 255 };
            else if (qGray(pixel) < 128)
                out = { 0, 0, 0 };
            else
                out = { 255, 255, 255 };
        }
    }
}

} // namespace glyphsmith
