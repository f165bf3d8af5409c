#pragma once

// Drawing on the dialog's client area: a surface from GetDC to ReleaseDC whose
// block copies come from a memory DC holding the cell bitmap.

#include <cstdint>
#include <functional>

#include "platform/cell_bitmap.h"
#include "platform/window_system.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

// The cell bitmap selected into a memory DC, kept for the window system's life.
class CellBitmapDc {
public:
    // Replaces the picture with `image`; false (and no picture) when GDI
    // cannot hold it.
    bool load(const RgbImage& image);
    // Null until a picture is loaded.
    HDC dc() const { return picture_ ? dc_.get() : nullptr; }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap picture_;
    HGDIOBJ original_ = nullptr;
};

class Win32ClientSurface : public ClientSurface {
public:
    Win32ClientSurface(HWND window, HDC cellDc, std::function<HICON(Icon)> iconOf);

    bool valid() const { return static_cast<bool>(dc_); }

    void copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY) override;
    void fillRect(PixelRect rect, Rgb colour) override;
    void drawIcon(Icon icon, int x, int y) override;

private:
    WindowDc dc_;
    HDC cellDc_;
    std::function<HICON(Icon)> iconOf_;
};

// A 32-bit top-down DIB section of `width` x `height`; `bits` receives its
// pixels, 0x00RRGGBB each.
UniqueBitmap createPixelBitmap(HDC dc, int width, int height, std::uint32_t*& bits);

} // namespace glyphsmith
