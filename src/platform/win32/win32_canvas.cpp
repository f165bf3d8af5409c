#include "platform/win32/win32_canvas.h"

namespace glyphsmith {

UniqueBitmap createPixelBitmap(HDC dc, int width, int height, std::uint32_t*& bits)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    bits = bitmap ? static_cast<std::uint32_t*>(pixels) : nullptr;
    return bitmap;
}

bool CellBitmapDc::load(const RgbImage& image)
{
    if (dc_ && original_)
        ::SelectObject(dc_.get(), original_);
    picture_.reset();
    if (!dc_)
        dc_.reset(::CreateCompatibleDC(nullptr));
    if (!dc_)
        return false;
    std::uint32_t* bits = nullptr;
    UniqueBitmap picture = createPixelBitmap(dc_.get(), image.width, image.height, bits);
    if (!picture)
        return false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb pixel = image.pixel(x, y);
            bits[x + image.width * y] = (std::uint32_t { pixel.red } << 16) | (pixel.green << 8) | pixel.blue;
        }
    original_ = ::SelectObject(dc_.get(), picture.get());
    picture_ = std::move(picture);
    return true;
}

Win32ClientSurface::Win32ClientSurface(HWND window, HDC cellDc, std::function<HICON(Icon)> iconOf)
    : dc_(window)
    , cellDc_(cellDc)
    , iconOf_(std::move(iconOf))
{
}

void Win32ClientSurface::copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY)
{
    if (cellDc_)
        ::BitBlt(dc_.get(), destX, destY, width, height, cellDc_, sourceX, sourceY, SRCCOPY);
}

void Win32ClientSurface::fillRect(PixelRect rect, Rgb colour)
{
    UniqueBrush brush(::CreateSolidBrush(RGB(colour.red, colour.green, colour.blue)));
    const RECT area { rect.left, rect.top, rect.right, rect.bottom };
    if (brush)
        ::FillRect(dc_.get(), &area, brush.get());
}

void Win32ClientSurface::drawIcon(Icon icon, int x, int y)
{
    if (HICON handle = iconOf_(icon))
        ::DrawIcon(dc_.get(), x, y, handle);
}

} // namespace glyphsmith
