#pragma once

// Draws characters of the application's default font with Qt, for building a
// font from it. Drawing happens in an off-screen picture, never on a window,
// so it does not matter whether the main window is shown or covered.
//
// A QGuiApplication (or QApplication) must exist for as long as this renderer
// is used: Qt needs it for fonts and their metrics. Without one, selectFont
// returns false and nothing is drawn.

#include <QFont>
#include <QImage>

#include "platform/system_font_renderer.h"

namespace glyphsmith {

class QtSystemFontRenderer : public SystemFontRenderer {
public:
    QtSystemFontRenderer();

    // Takes the application's default font at `points` points (0 keeps its
    // own size), without smoothing and with full hinting so that every run
    // draws the same pixels. Points become pixels at the resolution Qt gives
    // an off-screen picture.
    bool selectFont(int points) override;

    // The character's box is its advance width by the font's height (ascent
    // plus descent); its ink is clipped to the box, so every non-blue pixel
    // lies inside it. Codes outside 1 to 127 draw nothing, like code 0.
    //
    // Control characters (1 to 31 and 127) are drawn as Qt draws a one-letter
    // string of them. With the offscreen platform's default font (DejaVu
    // Sans) that is: codes 10, 12 and 13 have no advance, so nothing is drawn
    // and they come out 0 x 0; code 9 advances to the first tab stop (80
    // pixels), so its box fills the square's width and the glyph has a height
    // but width 0; every other control code draws the font's hollow
    // missing-character rectangle in a box as wide as a digit.
    void drawCharacter(int code, RenderSquare& square) override;

private:
    QImage canvas_;
    QFont font_;
    bool selected_ = false;
};

} // namespace glyphsmith
