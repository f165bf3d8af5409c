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

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

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

private:
    void deliverButton(QMouseEvent* event, bool doubleClick);

    QImage image_;
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
    void touched(const QRect& rect)
    {
        dirtyLeft_ = std::min(dirtyLeft_, rect.left());
        dirtyTop_ = std::min(dirtyTop_, rect.top());
        dirtyRight_ = std::max(dirtyRight_, rect.right());
        dirtyBottom_ = std::max(dirtyBottom_, rect.bottom());
    }

    ClientCanvas& canvas_;
    const QImage& cellBitmap_;
    std::function<QImage(Icon)> iconImage_;
    int dirtyLeft_ = std::numeric_limits<int>::max();
    int dirtyTop_ = std::numeric_limits<int>::max();
    int dirtyRight_ = std::numeric_limits<int>::min();
    int dirtyBottom_ = std::numeric_limits<int>::min();
};

} // namespace glyphsmith
