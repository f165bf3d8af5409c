#include "platform/qt/qt_system_font_renderer.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QString>

namespace glyphsmith {

namespace {

const QColor FillBlue(0, 0, 255);

} // namespace

QtSystemFontRenderer::QtSystemFontRenderer()
    : canvas_(RenderSquareSize, RenderSquareSize, QImage::Format_RGB32)
{
}

bool QtSystemFontRenderer::selectFont(int points)
{
    selected_ = false;
    // Fonts need the application object; without it Qt would abort.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;

    QFont font = QGuiApplication::font();
    if (points > 0)
        font.setPointSize(points);
    // Smoothing would produce greys, which the scan reads as markers.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);

    // A font with no height has nothing to draw with.
    if (QFontMetrics(font, &canvas_).height() <= 0)
        return false;
    font_ = font;
    selected_ = true;
    return true;
}

void QtSystemFontRenderer::drawCharacter(int code, RenderSquare& square)
{
    canvas_.fill(FillBlue);
    if (selected_ && code > 0 && code < 128) {
        const QString text(QChar(static_cast<char16_t>(code)));
        QPainter painter(&canvas_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font_);
        const QFontMetrics metrics = painter.fontMetrics();
        const QRect box = QRect(0, 0, metrics.horizontalAdvance(text), metrics.height()) & canvas_.rect();
        if (!box.isEmpty()) {
            painter.fillRect(box, Qt::white);
            // Ink reaching past the advance (an overhanging italic, say) would
            // land on the blue and confuse the scan, so it is cut off.
            painter.setClipRect(box);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(0, metrics.ascent()), text);
        }
    }

    for (int y = 0; y < RenderSquareSize; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas_.constScanLine(y));
        for (int x = 0; x < RenderSquareSize; ++x) {
            const QRgb pixel = line[x];
            square[x + RenderSquareSize * y] = Rgb{ static_cast<std::uint8_t>(qRed(pixel)),
                                                    static_cast<std::uint8_t>(qGreen(pixel)),
                                                    static_cast<std::uint8_t>(qBlue(pixel)) };
        }
    }
}

} // namespace glyphsmith
