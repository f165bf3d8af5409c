#include "platform/win32/win32_canvas.h"

#include <algorithm>

namespace glyphsmith {

namespace {

// The most rectangles a drawing sends to the window; a further change joins
// the rectangle it enlarges least.
constexpr std::size_t MaxChangedAreas = 4;

long long areaOf(const RECT& rect)
{
    return static_cast<long long>(rect.right - rect.left) * (rect.bottom - rect.top);
}

RECT unionOf(const RECT& a, const RECT& b)
{
    return { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom) };
}

bool touching(const RECT& a, const RECT& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

std::uint32_t pixelOf(COLORREF colour)
{
    return (std::uint32_t { GetRValue(colour) } << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

} // namespace

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
    bits_ = bits;
    width_ = image.width;
    height_ = image.height;
    blockColours_.clear();
    return true;
}

std::optional<std::uint32_t> CellBitmapDc::blockColour(int x, int y, int width, int height) const
{
    for (const BlockColour& known : blockColours_)
        if (known.x == x && known.y == y && known.width == width && known.height == height)
            return known.colour;
    std::optional<std::uint32_t> colour = bits_[static_cast<std::ptrdiff_t>(y) * width_ + x];
    for (int row = y; row < y + height && colour; ++row)
        for (int column = x; column < x + width; ++column)
            if (bits_[static_cast<std::ptrdiff_t>(row) * width_ + column] != *colour) {
                colour.reset();
                break;
            }
    // A handful of blocks are copied over and over; anything else is rare.
    if (blockColours_.size() < 16)
        blockColours_.push_back({ x, y, width, height, colour });
    return colour;
}

bool ClientPicture::fit(int width, int height)
{
    if (bits_ && width == width_ && height == height_)
        return true;
    if (width <= 0 || height <= 0) {
        if (dc_ && original_)
            ::SelectObject(dc_.get(), original_);
        bitmap_.reset();
        bits_ = nullptr;
        width_ = height_ = 0;
        return false;
    }
    if (!dc_)
        dc_.reset(::CreateCompatibleDC(nullptr));
    std::uint32_t* bits = nullptr;
    UniqueBitmap bitmap = dc_ ? createPixelBitmap(dc_.get(), width, height, bits) : nullptr;
    if (!bitmap)
        return false;
    const std::uint32_t background = pixelOf(::GetSysColor(COLOR_BTNFACE));
    std::fill(bits, bits + static_cast<std::ptrdiff_t>(width) * height, background);
    ::GdiFlush();
    for (int y = 0; y < std::min(height, height_); ++y)
        std::copy_n(row(y), std::min(width, width_), bits + static_cast<std::ptrdiff_t>(width) * y);
    const HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap.get());
    if (!original_)
        original_ = previous;
    bitmap_ = std::move(bitmap);
    bits_ = bits;
    width_ = width;
    height_ = height;
    tilesAcross_ = (width + Tile - 1) / Tile;
    tiles_.assign(static_cast<std::size_t>(tilesAcross_) * ((height + Tile - 1) / Tile), UnknownTile);
    return true;
}

bool ClientPicture::knownToBe(int x, int y, int width, int height, std::uint32_t colour) const
{
    for (int tileY = y / Tile; tileY <= (y + height - 1) / Tile; ++tileY)
        for (int tileX = x / Tile; tileX <= (x + width - 1) / Tile; ++tileX)
            if (tiles_[static_cast<std::size_t>(tileY) * tilesAcross_ + tileX] != colour)
                return false;
    return true;
}

void ClientPicture::written(int x, int y, int width, int height, std::optional<std::uint32_t> colour)
{
    for (int tileY = y / Tile; tileY <= (y + height - 1) / Tile; ++tileY) {
        for (int tileX = x / Tile; tileX <= (x + width - 1) / Tile; ++tileX) {
            std::uint32_t& tile = tiles_[static_cast<std::size_t>(tileY) * tilesAcross_ + tileX];
            // A tile (as far as it lies in the picture) written whole takes
            // the colour; one written in part keeps its colour only when
            // the part has that colour too.
            const bool whole = x <= tileX * Tile && y <= tileY * Tile
                && x + width >= std::min((tileX + 1) * Tile, width_) && y + height >= std::min((tileY + 1) * Tile, height_);
            if (colour && (whole || tile == *colour))
                tile = *colour;
            else
                tile = UnknownTile;
        }
    }
}

void ClientPicture::erase(HRGN region, RECT area)
{
    if (!bits_)
        return;
    const int left = std::clamp<int>(area.left, 0, width_);
    const int right = std::clamp<int>(area.right, 0, width_);
    const int top = std::clamp<int>(area.top, 0, height_);
    const int bottom = std::clamp<int>(area.bottom, 0, height_);
    if (left >= right || top >= bottom)
        return;
    ::FillRgn(dc_.get(), region, ::GetSysColorBrush(COLOR_BTNFACE));
    ::GdiFlush();
    // The region may have any shape: every tile within its bounds becomes unknown.
    written(left, top, right - left, bottom - top, std::nullopt);
}

void ClientPicture::show(HWND window, HRGN region, RECT area) const
{
    if (!bits_ || area.right <= area.left || area.bottom <= area.top)
        return;
    const WindowDc dc(window);
    if (!dc)
        return;
    ::SelectClipRgn(dc.get(), region);
    ::BitBlt(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(), area.left,
        area.top, SRCCOPY);
}

void ClientPicture::show(HWND window, std::span<const RECT> areas) const
{
    if (!bits_ || areas.empty())
        return;
    const WindowDc dc(window);
    if (!dc)
        return;
    for (const RECT& area : areas)
        if (area.right > area.left && area.bottom > area.top)
            ::BitBlt(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(),
                area.left, area.top, SRCCOPY);
}

Win32ClientSurface::Win32ClientSurface(HWND window, ClientPicture& picture, const CellBitmapDc& cells,
    std::function<HICON(Icon)> iconOf)
    : window_(window)
    , picture_(picture)
    , cells_(cells)
    , iconOf_(std::move(iconOf))
{
}

Win32ClientSurface::~Win32ClientSurface()
{
    picture_.show(window_, changed_);
}

void Win32ClientSurface::changed(RECT area)
{
    for (RECT& other : changed_) {
        if (touching(other, area)) {
            other = unionOf(other, area);
            return;
        }
    }
    if (changed_.size() < MaxChangedAreas) {
        changed_.push_back(area);
        return;
    }
    auto growth = [&](const RECT& other) { return areaOf(unionOf(other, area)) - areaOf(other); };
    RECT& nearest = *std::min_element(changed_.begin(), changed_.end(),
        [&](const RECT& a, const RECT& b) { return growth(a) < growth(b); });
    nearest = unionOf(nearest, area);
}

void Win32ClientSurface::writeBlock(const std::uint32_t* source, std::ptrdiff_t sourceStride, int width, int height,
    int x, int y, std::optional<std::uint32_t> colour)
{
    if (colour && picture_.knownToBe(x, y, width, height, *colour))
        return;
    // Rows are compared only until one differs; from then on they are
    // copied. Plain loops: the library's memcmp and memmove cost more in
    // calls than the few pixels of a cell block.
    bool differs = false;
    for (int row = 0; row < height; ++row, source += sourceStride) {
        std::uint32_t* target = picture_.row(y + row) + x;
        if (!differs) {
            std::uint32_t difference = 0;
            for (int i = 0; i < width; ++i)
                difference |= source[i] ^ target[i];
            if (difference == 0)
                continue;
            differs = true;
        }
        for (int i = 0; i < width; ++i)
            target[i] = source[i];
    }
    picture_.written(x, y, width, height, colour);
    if (differs)
        changed({ x, y, x + width, y + height });
}

void Win32ClientSurface::copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY)
{
    if (!cells_.bits() || !picture_.valid())
        return;
    // Clipped to the cell bitmap and to the picture, as a block copy of GDI's would be.
    const int shiftX = std::max({ 0, -sourceX, -destX });
    const int shiftY = std::max({ 0, -sourceY, -destY });
    sourceX += shiftX;
    destX += shiftX;
    sourceY += shiftY;
    destY += shiftY;
    width = std::min({ width - shiftX, cells_.width() - sourceX, picture_.width() - destX });
    height = std::min({ height - shiftY, cells_.height() - sourceY, picture_.height() - destY });
    if (width <= 0 || height <= 0)
        return;
    writeBlock(cells_.bits() + static_cast<std::ptrdiff_t>(sourceY) * cells_.width() + sourceX, cells_.width(), width,
        height, destX, destY, cells_.blockColour(sourceX, sourceY, width, height));
}

void Win32ClientSurface::fillRect(PixelRect rect, Rgb colour)
{
    if (!picture_.valid())
        return;
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int width = std::min(rect.right, picture_.width()) - left;
    const int height = std::min(rect.bottom, picture_.height()) - top;
    if (width <= 0 || height <= 0)
        return;
    const std::uint32_t pixel = (std::uint32_t { colour.red } << 16) | (colour.green << 8) | colour.blue;
    const std::vector<std::uint32_t> line(static_cast<std::size_t>(width), pixel);
    writeBlock(line.data(), 0, width, height, left, top, pixel);
}

void Win32ClientSurface::drawIcon(Icon icon, int x, int y)
{
    // Only the minimised window shows an icon, and the picture is not kept
    // at that size: drawn straight on the window.
    const WindowDc dc(window_);
    if (HICON handle = iconOf_(icon); handle && dc)
        ::DrawIcon(dc.get(), x, y, handle);
}

} // namespace glyphsmith
