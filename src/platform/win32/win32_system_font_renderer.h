#pragma once

// The system font import on GDI: the default GUI font at the asked size,
// drawn without smoothing into a 64 x 64 memory bitmap and read back.

#include "platform/system_font_renderer.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

class Win32SystemFontRenderer : public SystemFontRenderer {
public:
    Win32SystemFontRenderer();
    ~Win32SystemFontRenderer() override;

    bool selectFont(int points) override;
    void drawCharacter(int code, RenderSquare& square) override;

private:
    UniqueMemoryDc dc_;
    UniqueBitmap canvas_;
    UniqueFont font_;
    HGDIOBJ originalBitmap_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

} // namespace glyphsmith
