#pragma once

// The dialog's client area as a persistent picture. The editor draws into the
// picture with block copies and fills; the widget only shows it. Mouse events
// on the canvas are passed on in client pixels with MouseKeys flags.

#include <algorithm>
#include <functional>
#include <limits>

#include <QImage>
#include <QWidget>

#include "platform/window_system.h"

namespace glyphsmith {

class ClientCanvas : public QWidget {
public:
    explicit ClientCanvas(QWidget* parent);

    // The picture. It is replaced only by fitToSize, which counts each
    // replacement in generation(), so drawing code may keep its geometry.
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    int generation() const { return generation_; }

    // Fills the whole picture with the window background.
    void erase();
    // Makes the picture the widget's size, keeping what was drawn; the parts
    // that come into view start as background. Returns whether it changed.
    bool fitToSize();

    // Called when a resize event changed the picture's size (the new parts
    // already erased).
    std::function<void()> onResized;
    std::function<void(MouseAction, int, int, unsigned)> onMouse;

    // The MouseKeys bits for Qt's button and modifier state.
    static unsigned mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void deliverButton(QMouseEvent* event, bool doubleClick);

    QImage image_;
    int generation_ = 0;
};

// A ClientSurface drawing into a canvas. Every copy and fill is clipped to
// both the source and the canvas; the changed area is shown when the surface
// is released.
class CanvasSurface : public ClientSurface {
public:
    CanvasSurface(ClientCanvas& canvas, const QImage& cellBitmap, std::function<QImage(Icon)> iconImage);
    ~CanvasSurface() override;

    void copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY) override;
    void fillRect(PixelRect rect, Rgb colour) override;
    void drawIcon(Icon icon, int x, int y) override;

private:
    // Widens the area shown again when the surface is released.
    void touched(int left, int top, int width, int height)
    {
        dirtyLeft_ = std::min(dirtyLeft_, left);
        dirtyTop_ = std::min(dirtyTop_, top);
        dirtyRight_ = std::max(dirtyRight_, left + width - 1);
        dirtyBottom_ = std::max(dirtyBottom_, top + height - 1);
    }
    void touched(const QRect& rect) { touched(rect.x(), rect.y(), rect.width(), rect.height()); }

    // Looks up the canvas picture's pixels, size and row length again: at the
    // first drawing and whenever the picture was replaced since. Nothing
    // copies the picture while a surface draws, so its pixels stay put.
    void refreshTarget();

    ClientCanvas& canvas_;
    const QImage& cellBitmap_;
    std::function<QImage(Icon)> iconImage_;
    // The geometry of both pictures, kept so that each of the many small
    // block copies of the font view costs no calls into Qt but one.
    const uchar* sourceBits_ = nullptr;
    qsizetype sourceStride_ = 0;
    int sourceWidth_ = 0;
    int sourceHeight_ = 0;
    int targetGeneration_ = -1;
    uchar* targetBits_ = nullptr;
    qsizetype targetStride_ = 0;
    int targetWidth_ = 0;
    int targetHeight_ = 0;
    int dirtyLeft_ = std::numeric_limits<int>::max();
    int dirtyTop_ = std::numeric_limits<int>::max();
    int dirtyRight_ = std::numeric_limits<int>::min();
    int dirtyBottom_ = std::numeric_limits<int>::min();
};

} // namespace glyphsmith
