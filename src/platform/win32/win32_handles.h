#pragma once

// Owners for the Win32 handles the backend creates, so that every early
// return frees what was taken.

#include <memory>
#include <type_traits>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace glyphsmith {

template <typename Handle, auto Release>
struct HandleRelease {
    void operator()(Handle handle) const
    {
        if (handle)
            Release(handle);
    }
};

template <typename Handle, auto Release>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<Handle>, HandleRelease<Handle, Release>>;

inline void deleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }

using UniqueMemoryDc = UniqueHandleOf<HDC, ::DeleteDC>;
using UniqueBitmap = UniqueHandleOf<HBITMAP, deleteGdiObject>;
using UniqueFont = UniqueHandleOf<HFONT, deleteGdiObject>;
using UniqueBrush = UniqueHandleOf<HBRUSH, deleteGdiObject>;
using UniqueRegion = UniqueHandleOf<HRGN, deleteGdiObject>;
using UniqueIcon = UniqueHandleOf<HICON, ::DestroyIcon>;
using UniqueKey = UniqueHandleOf<HKEY, ::RegCloseKey>;

// The drawing context of a window's client area, from GetDC to ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window)
        : window_(window)
        , dc_(::GetDC(window))
    {
    }
    ~WindowDc()
    {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a context and puts the old one back when done.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc)
        , old_(::SelectObject(dc, object))
    {
    }
    ~SelectedObject()
    {
        if (old_)
            ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace glyphsmith
