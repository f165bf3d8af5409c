#pragma once

// Draws characters of the desktop's general font without smoothing, for the
// system font import.

#include <QFont>

#include "platform/system_font_renderer.h"

namespace glyphsmith {

class QtSystemFontRenderer : public SystemFontRenderer {
public:
    bool selectFont(int points) override;
    void drawCharacter(int code, RenderSquare& square) override;

private:
    QFont font_;
    bool selected_ = false;
};

} // namespace glyphsmith
