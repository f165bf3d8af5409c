#include "platform/win32/win32_system_font_renderer.h"

#include <algorithm>

#include "platform/win32/win32_canvas.h"

namespace glyphsmith {

Win32SystemFontRenderer::Win32SystemFontRenderer()
    : dc_(::CreateCompatibleDC(nullptr))
{
    if (!dc_)
        return;
    canvas_ = createPixelBitmap(dc_.get(), RenderSquareSize, RenderSquareSize, pixels_);
    if (canvas_)
        originalBitmap_ = ::SelectObject(dc_.get(), canvas_.get());
}

Win32SystemFontRenderer::~Win32SystemFontRenderer()
{
    // Nothing may stay selected into the DC when the bitmap and font go.
    if (dc_ && originalFont_)
        ::SelectObject(dc_.get(), originalFont_);
    if (dc_ && originalBitmap_)
        ::SelectObject(dc_.get(), originalBitmap_);
}

bool Win32SystemFontRenderer::selectFont(int points)
{
    if (!dc_ || !canvas_)
        return false;
    LOGFONTW description {};
    if (!::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description))
        return false;
    if (points > 0) {
        // Points to pixels at the screen's resolution, as a point font is made.
        HDC screen = ::GetDC(nullptr);
        const int dotsPerInch = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ::ReleaseDC(nullptr, screen);
        description.lfHeight = -::MulDiv(points, dotsPerInch, 72);
        description.lfWidth = 0;
    }
    // Smoothing would draw greys, which the scan takes for markers.
    description.lfQuality = NONANTIALIASED_QUALITY;
    UniqueFont font(::CreateFontIndirectW(&description));
    if (!font)
        return false;
    if (originalFont_)
        ::SelectObject(dc_.get(), originalFont_);
    originalFont_ = ::SelectObject(dc_.get(), font.get());
    TEXTMETRICW metrics {};
    if (!::GetTextMetricsW(dc_.get(), &metrics) || metrics.tmHeight <= 0) {
        ::SelectObject(dc_.get(), originalFont_);
        originalFont_ = nullptr;
        return false;
    }
    font_ = std::move(font);
    return true;
}

void Win32SystemFontRenderer::drawCharacter(int code, RenderSquare& square)
{
    if (!pixels_) {
        square.fill(Rgb { 0, 0, 255 });
        return;
    }
    const RECT whole { 0, 0, RenderSquareSize, RenderSquareSize };
    UniqueBrush blue(::CreateSolidBrush(RGB(0, 0, 255)));
    ::FillRect(dc_.get(), &whole, blue.get());
    if (font_ && code > 0 && code < 128) {
        const wchar_t character = static_cast<wchar_t>(code);
        SIZE advance {};
        TEXTMETRICW metrics {};
        ::GetTextExtentPoint32W(dc_.get(), &character, 1, &advance);
        ::GetTextMetricsW(dc_.get(), &metrics);
        RECT box { 0, 0, std::min<LONG>(advance.cx, RenderSquareSize), std::min<LONG>(metrics.tmHeight, RenderSquareSize) };
        if (box.right > 0 && box.bottom > 0) {
            ::SetTextColor(dc_.get(), RGB(0, 0, 0));
            ::SetBkColor(dc_.get(), RGB(255, 255, 255));
            ::SetBkMode(dc_.get(), OPAQUE);
            ::SetTextAlign(dc_.get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
            // The white box is the character's cell; ink reaching past its
            // advance is cut off so it never lands on the blue.
            ::ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &box, &character, 1, nullptr);
        }
    }
    ::GdiFlush();
    for (int index = 0; index < RenderSquareSize * RenderSquareSize; ++index) {
        const std::uint32_t pixel = pixels_[index];
        square[static_cast<std::size_t>(index)]
            = Rgb { static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                  static_cast<std::uint8_t>(pixel) };
    }
}

} // namespace glyphsmith
