#pragma once

// Drawing on the dialog's client area. The editor's block copies and fills
// land in a picture of the client area kept in memory (ClientPicture); when
// a drawing ends, only the parts whose pixels changed are copied to the
// window. A drag step redraws the whole letter but changes a cell or two, so
// the window receives two small copies instead of thousands of block copies.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

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
    // The pixels, 0x00RRGGBB, rows from the top; null until a picture is loaded.
    const std::uint32_t* bits() const { return picture_ ? bits_ : nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The one colour of the block, already clipped to the picture, or
    // nullopt when it has more. The few blocks the editor copies are
    // remembered, so each is looked at once.
    std::optional<std::uint32_t> blockColour(int x, int y, int width, int height) const;

private:
    struct BlockColour {
        int x, y, width, height;
        std::optional<std::uint32_t> colour;
    };
    mutable std::vector<BlockColour> blockColours_;
    UniqueMemoryDc dc_;
    UniqueBitmap picture_;
    HGDIOBJ original_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// The client area as drawn: a 32-bit picture (0x00RRGGBB, rows from the top)
// in a memory DC. What the system erases is erased here too before the
// editor paints it again (see Win32Dialog's WM_PAINT).
class ClientPicture {
public:
    // Makes the picture `width` x `height`, keeping the part of the old one
    // that fits; new parts are the dialog's background. False (and no
    // picture) for an empty size or when GDI cannot hold it.
    bool fit(int width, int height);
    bool valid() const { return bits_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* row(int y) { return bits_ + static_cast<std::ptrdiff_t>(width_) * y; }

    // Fills `region` (its bounds `area`), clipped to the picture, with the
    // dialog's background: what the system erased of the window.
    void erase(HRGN region, RECT area);
    // Copies `region` (its bounds `area`) of the picture to the window.
    void show(HWND window, HRGN region, RECT area) const;

    // The picture is also kept as tiles of 8 x 8 pixels, each known to be of
    // one colour or not known to be: a block copy of one colour onto tiles
    // all of that colour changes nothing and needs no pixel read. Reading the
    // pixels of a 64 x 64 letter drawn at 16 x 16 pixels a cell on each drag
    // step cost more than everything else the step does.
    // Whether every pixel of the area (inside the picture) is `colour`, as
    // far as the tiles know.
    bool knownToBe(int x, int y, int width, int height, std::uint32_t colour) const;
    // Records that the area's pixels were just written, all as `colour`
    // when it is given.
    void written(int x, int y, int width, int height, std::optional<std::uint32_t> colour);
    // Copies `areas` of the picture to the same places of `window`'s client area.
    void show(HWND window, std::span<const RECT> areas) const;

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    static constexpr int Tile = 8;
    static constexpr std::uint32_t UnknownTile = 0xffffffff; // no pixel colour has a top byte
    std::vector<std::uint32_t> tiles_;
    int tilesAcross_ = 0;
};

// A surface for one drawing: it draws into `picture` and, when destroyed,
// copies the changed parts to `window`.
class Win32ClientSurface : public ClientSurface {
public:
    Win32ClientSurface(HWND window, ClientPicture& picture, const CellBitmapDc& cells, std::function<HICON(Icon)> iconOf);
    ~Win32ClientSurface() override;
    Win32ClientSurface(const Win32ClientSurface&) = delete;
    Win32ClientSurface& operator=(const Win32ClientSurface&) = delete;

    void copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY) override;
    void fillRect(PixelRect rect, Rgb colour) override;
    void drawIcon(Icon icon, int x, int y) override;

private:
    // Writes `width` pixels of each of `height` rows from `source` (the next
    // row `sourceStride` pixels on, or the same row again when 0) to the
    // picture at (x, y), already clipped; marks the block changed when any
    // pixel differed.
    void writeBlock(const std::uint32_t* source, std::ptrdiff_t sourceStride, int width, int height, int x, int y,
        std::optional<std::uint32_t> colour);
    void changed(RECT area);

    HWND window_;
    ClientPicture& picture_;
    const CellBitmapDc& cells_;
    std::function<HICON(Icon)> iconOf_;
    // At most a few rectangles, each the union of changed blocks near it, so
    // the window receives a few copies however much was drawn.
    std::vector<RECT> changed_;
};

// A 32-bit top-down DIB section of `width` x `height`; `bits` receives its
// pixels, 0x00RRGGBB each.
UniqueBitmap createPixelBitmap(HDC dc, int width, int height, std::uint32_t*& bits);

} // namespace glyphsmith
