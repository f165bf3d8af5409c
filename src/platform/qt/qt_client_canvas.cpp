#include "platform/qt/qt_client_canvas.h"

#include <algorithm>
#include <cstring>

#include <QMouseEvent>
#include <QPainter>

namespace glyphsmith {

ClientCanvas::ClientCanvas(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    erase();
}

void ClientCanvas::erase()
{
    image_.fill(palette().color(QPalette::Window));
}

unsigned ClientCanvas::mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned keys = 0;
    if (buttons & Qt::LeftButton)
        keys |= LeftButtonHeld;
    if (buttons & Qt::RightButton)
        keys |= RightButtonHeld;
    if (buttons & Qt::MiddleButton)
        keys |= MiddleButtonHeld;
    if (modifiers & Qt::ShiftModifier)
        keys |= ShiftHeld;
    if (modifiers & Qt::ControlModifier)
        keys |= ControlHeld;
    return keys;
}

void ClientCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image_);
}

bool ClientCanvas::fitToSize()
{
    if (size() == image_.size() || width() <= 0 || height() <= 0)
        return false;
    QImage fitted(size(), QImage::Format_RGB32);
    fitted.fill(palette().color(QPalette::Window));
    QPainter painter(&fitted);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = std::move(fitted);
    ++generation_;
    return true;
}

void ClientCanvas::resizeEvent(QResizeEvent*)
{
    if (fitToSize() && onResized)
        onResized();
}

void ClientCanvas::deliverButton(QMouseEvent* event, bool doubleClick)
{
    MouseAction action;
    if (event->button() == Qt::LeftButton)
        action = doubleClick ? MouseAction::LeftDoubleClick : MouseAction::LeftPress;
    else if (event->button() == Qt::RightButton)
        action = doubleClick ? MouseAction::RightDoubleClick : MouseAction::RightPress;
    else
        return;
    QPoint at = event->position().toPoint();
    if (onMouse)
        onMouse(action, at.x(), at.y(), mouseKeys(event->buttons(), event->modifiers()));
}

void ClientCanvas::mousePressEvent(QMouseEvent* event)
{
    deliverButton(event, false);
}

void ClientCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    deliverButton(event, true);
}

void ClientCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    QPoint at = event->position().toPoint();
    if (onMouse)
        onMouse(MouseAction::Release, at.x(), at.y(), mouseKeys(event->buttons(), event->modifiers()));
}

void ClientCanvas::mouseMoveEvent(QMouseEvent* event)
{
    QPoint at = event->position().toPoint();
    if (onMouse)
        onMouse(MouseAction::Move, at.x(), at.y(), mouseKeys(event->buttons(), event->modifiers()));
}

CanvasSurface::CanvasSurface(ClientCanvas& canvas, const QImage& cellBitmap, std::function<QImage(Icon)> iconImage)
    : canvas_(canvas)
    , cellBitmap_(cellBitmap)
    , iconImage_(std::move(iconImage))
    , sourceBits_(cellBitmap.constBits())
    , sourceStride_(cellBitmap.bytesPerLine())
    , sourceWidth_(cellBitmap.width())
    , sourceHeight_(cellBitmap.height())
{
}

void CanvasSurface::refreshTarget()
{
    QImage& target = canvas_.image();
    targetGeneration_ = canvas_.generation();
    targetBits_ = target.bits();
    targetStride_ = target.bytesPerLine();
    targetWidth_ = target.width();
    targetHeight_ = target.height();
}

CanvasSurface::~CanvasSurface()
{
    if (dirtyLeft_ <= dirtyRight_ && dirtyTop_ <= dirtyBottom_)
        canvas_.update(QRect(QPoint(dirtyLeft_, dirtyTop_), QPoint(dirtyRight_, dirtyBottom_)));
}

void CanvasSurface::copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY)
{
    if (targetGeneration_ != canvas_.generation())
        refreshTarget();
    // The font view copies hundreds of thousands of small blocks, and in a
    // large font many fall beyond the window: skip those at once.
    if (width <= 0 || height <= 0 || destX >= targetWidth_ || destY >= targetHeight_ || destX + width <= 0
        || destY + height <= 0)
        return;
    // Blocks wholly inside both pictures need no clipping.
    if (sourceX >= 0 && sourceY >= 0 && sourceX + width <= sourceWidth_ && sourceY + height <= sourceHeight_
        && destX >= 0 && destY >= 0 && destX + width <= targetWidth_ && destY + height <= targetHeight_) {
        const uchar* from = sourceBits_ + sourceY * sourceStride_ + sourceX * qsizetype(sizeof(QRgb));
        uchar* to = targetBits_ + destY * targetStride_ + destX * qsizetype(sizeof(QRgb));
        for (int row = 0; row < height; ++row, from += sourceStride_, to += targetStride_) {
            const auto* fromPixels = reinterpret_cast<const QRgb*>(from);
            auto* toPixels = reinterpret_cast<QRgb*>(to);
            for (int x = 0; x < width; ++x)
                toPixels[x] = fromPixels[x];
        }
        touched(destX, destY, width, height);
        return;
    }
    QImage& target = canvas_.image();
    // Clip against the source bitmap first, moving the destination along,
    // then against the canvas, moving the source along.
    QRect source = QRect(sourceX, sourceY, width, height) & cellBitmap_.rect();
    if (source.isEmpty())
        return;
    QRect dest(destX + (source.x() - sourceX), destY + (source.y() - sourceY), source.width(), source.height());
    QRect clipped = dest & target.rect();
    if (clipped.isEmpty())
        return;
    int fromX = source.x() + (clipped.x() - dest.x());
    int fromY = source.y() + (clipped.y() - dest.y());
    for (int row = 0; row < clipped.height(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(cellBitmap_.constScanLine(fromY + row)) + fromX;
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(clipped.y() + row)) + clipped.x();
        std::copy(from, from + clipped.width(), to);
    }
    touched(clipped);
}

void CanvasSurface::fillRect(PixelRect rect, Rgb colour)
{
    QImage& target = canvas_.image();
    QRect clipped = QRect(rect.left, rect.top, rect.width(), rect.height()) & target.rect();
    if (clipped.isEmpty())
        return;
    QRgb value = qRgb(colour.red, colour.green, colour.blue);
    for (int row = clipped.top(); row <= clipped.bottom(); ++row) {
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(row)) + clipped.x();
        std::fill(to, to + clipped.width(), value);
    }
    touched(clipped);
}

void CanvasSurface::drawIcon(Icon icon, int x, int y)
{
    QImage picture = iconImage_ ? iconImage_(icon) : QImage();
    if (picture.isNull())
        return;
    QPainter painter(&canvas_.image());
    painter.drawImage(x, y, picture);
    painter.end();
    touched(QRect(x, y, picture.width(), picture.height()) & canvas_.image().rect());
}

} // namespace glyphsmith
