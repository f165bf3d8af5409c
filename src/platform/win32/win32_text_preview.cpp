#include "platform/win32/win32_text_preview.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_window_system.h"

namespace glyphsmith {

namespace {

constexpr wchar_t PreviewClass[] = L"GlyphsmithTextPreview";
constexpr int Margin = 8;
constexpr int BoxHeight = 24;
// The client size it opens with.
constexpr int StartWidth = 560;
constexpr int StartHeight = 200;
constexpr DWORD PreviewStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_HSCROLL | WS_VSCROLL;
// Pixels a click on a scroll bar's arrow, or a notch of the mouse wheel, moves.
constexpr int ScrollStep = 16;

bool registerPreviewClass(WNDPROC procedure)
{
    WNDCLASSEXW existing {};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), PreviewClass, &existing))
        return true;
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr; // the whole client area is painted by the window
    windowClass.lpszClassName = PreviewClass;
    return ::RegisterClassExW(&windowClass) != 0;
}

} // namespace

Win32TextPreview::Win32TextPreview(HWND dialog, std::function<void()> onEdited, std::function<void()> onClosed)
    : dialog_(dialog)
    , onEdited_(std::move(onEdited))
    , onClosed_(std::move(onClosed))
{
    if (!registerPreviewClass(&Win32TextPreview::procedure))
        return;
    RECT outer { 0, 0, StartWidth, StartHeight };
    ::AdjustWindowRectEx(&outer, PreviewStyle, FALSE, 0);
    // Owned by the dialog: it stays above it, and goes when the dialog goes.
    ::CreateWindowExW(0, PreviewClass, L"Text preview", PreviewStyle, CW_USEDEFAULT, CW_USEDEFAULT,
        outer.right - outer.left, outer.bottom - outer.top, dialog, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!window_)
        return;
    box_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
        0, 0, window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(box_, WM_SETFONT, ::SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    ::SendMessageW(box_, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Type a line of text to see it in the font"));
    // The editor's icons, rather than the system's default.
    for (WPARAM size : { ICON_SMALL, ICON_BIG })
        ::SendMessageW(window_, WM_SETICON, size, ::SendMessageW(dialog, WM_GETICON, size, 0));
    if (!::IsWindowEnabled(dialog))
        ::EnableWindow(window_, FALSE);
    layOut();
}

Win32TextPreview::~Win32TextPreview()
{
    if (window_)
        ::DestroyWindow(window_);
}

bool Win32TextPreview::owns(HWND window) const
{
    return window && (window == window_ || window == box_);
}

bool Win32TextPreview::boxUses(WPARAM virtualKey, unsigned modifiers) const
{
    if (modifiers & KeyAlt)
        return false;
    const int key = keyCodeFor(virtualKey);
    // Caret moves, by character or word, selecting or not.
    if (key == KeyLeft || key == KeyRight || key == KeyHome || key == KeyEnd)
        return true;
    // Select all, copy, paste, cut and undo the typing; Ctrl with anything
    // else is the editor's.
    if (modifiers & KeyControl)
        return modifiers == KeyControl
            && (virtualKey == 'A' || virtualKey == 'C' || virtualKey == 'V' || virtualKey == 'X' || virtualKey == 'Z');
    // Everything else types or edits, but for the keys a one-line box has no use for.
    return key != KeyPageUp && key != KeyPageDown && key != KeyUp && key != KeyDown && key != KeyF1;
}

void Win32TextPreview::show(bool shown)
{
    if (!window_)
        return;
    if (shown && !::IsWindowVisible(window_))
        placeBesideDialog();
    ::ShowWindow(window_, shown ? SW_SHOW : SW_HIDE);
}

bool Win32TextPreview::shown() const
{
    return window_ && ::IsWindowVisible(window_);
}

void Win32TextPreview::placeBesideDialog()
{
    RECT dialog {};
    RECT own {};
    ::GetWindowRect(dialog_, &dialog);
    ::GetWindowRect(window_, &own);
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    RECT room { dialog.left, dialog.top, dialog.left + 4096, dialog.top + 4096 };
    if (::GetMonitorInfoW(::MonitorFromWindow(dialog_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        room = monitor.rcWork;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    // Right of the dialog where the screen has room, else below it, else
    // above it: never over the letter being drawn if it can be helped.
    int left = dialog.right + Margin;
    int top = dialog.top;
    if (left + width > room.right) {
        left = dialog.left;
        top = dialog.bottom + Margin;
        if (top + height > room.bottom)
            top = dialog.top - Margin - height;
    }
    left = std::clamp(left, static_cast<int>(room.left), std::max<int>(room.left, room.right - width));
    top = std::clamp(top, static_cast<int>(room.top), std::max<int>(room.top, room.bottom - height));
    ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32TextPreview::setText(const std::wstring& text)
{
    if (!box_)
        return;
    settingText_ = true;
    ::SetWindowTextW(box_, text.c_str());
    settingText_ = false;
    // Typing goes on at the end of the text, as it would after the user's own.
    const auto end = static_cast<WPARAM>(text.size());
    ::SendMessageW(box_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

std::wstring Win32TextPreview::text() const
{
    if (!box_)
        return {};
    const int length = ::GetWindowTextLengthW(box_);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(::GetWindowTextW(box_, text.data(), length + 1), 0)));
    return text;
}

void Win32TextPreview::setPicture(const IndexedPicture& picture)
{
    const int width = std::max(picture.width, 0);
    const int height = std::max(picture.height, 0);
    const std::size_t colours = std::min<std::size_t>(picture.palette.size(), 256);
    header_.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(header_.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height; // rows from the top
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 8;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = 256;
    for (std::size_t index = 0; index < colours; ++index)
        info->bmiColors[index] = { picture.palette[index].blue, picture.palette[index].green, picture.palette[index].red, 0 };
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t { 3 };
    rows_.assign(stride * static_cast<std::size_t>(height), 0);
    // A picture whose pixels do not fill it shows as colour 0, not as memory
    // read past its end.
    if (picture.pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        for (int y = 0; y < height; ++y)
            std::memcpy(rows_.data() + stride * static_cast<std::size_t>(y),
                picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                static_cast<std::size_t>(width));
    pictureWidth_ = width;
    pictureHeight_ = height;
    if (window_)
        updateScrollBars();
    if (window_ && ::IsWindowVisible(window_)) {
        // Drawn at once, so the preview keeps up with a drag.
        ::InvalidateRect(window_, nullptr, FALSE);
        ::UpdateWindow(window_);
    }
}

void Win32TextPreview::closeByUser()
{
    if (!shown())
        return;
    ::ShowWindow(window_, SW_HIDE);
    if (onClosed_)
        onClosed_();
}

LRESULT CALLBACK Win32TextPreview::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* preview = static_cast<Win32TextPreview*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        preview->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
    }
    auto* preview = reinterpret_cast<Win32TextPreview*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return preview ? preview->handle(message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32TextPreview::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = window_;
    switch (message) {
    case WM_SIZE:
        layOut();
        return 0;
    case WM_SETFOCUS:
        if (box_)
            ::SetFocus(box_);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == box_ && HIWORD(wParam) == EN_CHANGE && !settingText_ && onEdited_)
            onEdited_();
        return 0;
    case WM_CLOSE:
        closeByUser();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrollBy(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: {
        // Down the picture, or along it with Shift held.
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        const bool sideways = (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0;
        scrollTo(sideways ? SB_HORZ : SB_VERT, (sideways ? scrollX_ : scrollY_) - 3 * ScrollStep * notches);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // paint() covers every pixel
    case WM_PAINT:
        paint();
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        box_ = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Win32TextPreview::layOut()
{
    RECT client {};
    ::GetClientRect(window_, &client);
    if (box_)
        ::MoveWindow(box_, Margin, Margin, std::max<int>(client.right - 2 * Margin, 0), BoxHeight, TRUE);
    updateScrollBars();
    ::InvalidateRect(window_, nullptr, FALSE);
}

RECT Win32TextPreview::viewport() const
{
    RECT client {};
    ::GetClientRect(window_, &client);
    const int top = Margin + BoxHeight + Margin;
    return { Margin, top, std::max<int>(Margin, client.right - Margin), std::max<int>(top, client.bottom - Margin) };
}

void Win32TextPreview::updateScrollBars()
{
    // Showing or hiding one bar resizes the client area, which comes back
    // here through WM_SIZE; the positions only ever shrink into range.
    const RECT view = viewport();
    for (const auto& [bar, picture, room, position] :
        { std::tuple(SB_HORZ, pictureWidth_, static_cast<int>(view.right - view.left), &scrollX_),
            std::tuple(SB_VERT, pictureHeight_, static_cast<int>(view.bottom - view.top), &scrollY_) }) {
        *position = std::clamp(*position, 0, std::max(picture - room, 0));
        SCROLLINFO info {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = std::max(picture - 1, 0);
        info.nPage = static_cast<UINT>(std::max(room, 0));
        info.nPos = *position;
        ::SetScrollInfo(window_, bar, &info, TRUE);
    }
}

void Win32TextPreview::scrollTo(int bar, int position)
{
    const RECT view = viewport();
    const int room = bar == SB_HORZ ? view.right - view.left : view.bottom - view.top;
    const int picture = bar == SB_HORZ ? pictureWidth_ : pictureHeight_;
    int& current = bar == SB_HORZ ? scrollX_ : scrollY_;
    position = std::clamp(position, 0, std::max(picture - room, 0));
    if (position == current)
        return;
    current = position;
    ::SetScrollPos(window_, bar, position, TRUE);
    ::InvalidateRect(window_, &view, FALSE);
    ::UpdateWindow(window_);
}

void Win32TextPreview::scrollBy(int bar, UINT request)
{
    const RECT view = viewport();
    const int page = bar == SB_HORZ ? view.right - view.left : view.bottom - view.top;
    const int current = bar == SB_HORZ ? scrollX_ : scrollY_;
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    switch (request) {
    case SB_LINEUP: scrollTo(bar, current - ScrollStep); break;
    case SB_LINEDOWN: scrollTo(bar, current + ScrollStep); break;
    case SB_PAGEUP: scrollTo(bar, current - page); break;
    case SB_PAGEDOWN: scrollTo(bar, current + page); break;
    case SB_TOP: scrollTo(bar, 0); break;
    case SB_BOTTOM: scrollTo(bar, bar == SB_HORZ ? pictureWidth_ : pictureHeight_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (::GetScrollInfo(window_, bar, &info))
            scrollTo(bar, info.nTrackPos);
        break;
    default: break;
    }
}

void Win32TextPreview::paint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    // The picture from its scroll position, cut to the viewport; the
    // background everywhere else.
    const RECT view = viewport();
    const RECT shown { view.left, view.top, std::min<int>(view.right, view.left + pictureWidth_ - scrollX_),
        std::min<int>(view.bottom, view.top + pictureHeight_ - scrollY_) };
    if (shown.right > shown.left && shown.bottom > shown.top) {
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
        ::StretchDIBits(dc, view.left - scrollX_, view.top - scrollY_, pictureWidth_, pictureHeight_, 0, 0,
            pictureWidth_, pictureHeight_, rows_.data(), reinterpret_cast<const BITMAPINFO*>(header_.data()),
            DIB_RGB_COLORS, SRCCOPY);
        ::RestoreDC(dc, saved);
        ::ExcludeClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
    }
    RECT client {};
    ::GetClientRect(window_, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::EndPaint(window_, &paint);
}

// The window system's side of the preview: the window belongs to the dialog.

Win32TextPreview* Win32Dialog::textPreview()
{
    if (!preview_ && window_ && !ended_) {
        preview_ = std::make_unique<Win32TextPreview>(
            window_,
            [this] {
                if (!ended_)
                    handler_.textPreviewChanged();
            },
            [this] {
                if (!ended_)
                    handler_.textPreviewClosed();
            });
    }
    return preview_ && preview_->window() ? preview_.get() : nullptr;
}

HWND Win32WindowSystem::textPreviewWindow() const
{
    return dialog_ && dialog_->hasTextPreview() && dialog_->textPreview() ? dialog_->textPreview()->window() : nullptr;
}

HWND Win32WindowSystem::textPreviewBox() const
{
    return dialog_ && dialog_->hasTextPreview() && dialog_->textPreview() ? dialog_->textPreview()->textBox() : nullptr;
}

void Win32WindowSystem::showTextPreview(bool shown)
{
    if (Win32TextPreview* preview = dialog_ ? dialog_->textPreview() : nullptr)
        preview->show(shown);
}

bool Win32WindowSystem::isTextPreviewShown()
{
    return dialog_ && dialog_->hasTextPreview() && dialog_->textPreview() && dialog_->textPreview()->shown();
}

void Win32WindowSystem::setTextPreviewText(std::string_view text)
{
    if (Win32TextPreview* preview = dialog_ ? dialog_->textPreview() : nullptr)
        preview->setText(toUtf16(text));
}

std::string Win32WindowSystem::textPreviewText()
{
    Win32TextPreview* preview = dialog_ ? dialog_->textPreview() : nullptr;
    return preview ? toUtf8(preview->text()) : std::string();
}

void Win32WindowSystem::setTextPreviewPicture(const IndexedPicture& picture)
{
    if (Win32TextPreview* preview = dialog_ ? dialog_->textPreview() : nullptr)
        preview->setPicture(picture);
}

void Win32WindowSystem::setTextPreviewTitle(std::string_view title)
{
    if (Win32TextPreview* preview = dialog_ ? dialog_->textPreview() : nullptr)
        ::SetWindowTextW(preview->window(), toUtf16(title).c_str());
}

} // namespace glyphsmith
