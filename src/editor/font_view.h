#pragma once

// Where the font view lies in the dialog's client area, in client pixels.
// Painting and mouse editing share these numbers.

namespace glyphsmith {

// The view lies right of the controls' strip and below their button row.
inline constexpr int ViewLeft = 120;
inline constexpr int ViewTop = 32;

// Letter mode: the current glyph enlarged, one block of 16 x 16 screen pixels
// per glyph pixel, beside 2 x 2 previews of it and of the clipboard glyph.
inline constexpr int LetterLeft = 184;
inline constexpr int LetterTop = 32;
inline constexpr int LetterScale = 16;
inline constexpr int PreviewScale = 2;
inline constexpr int ClipboardPreviewTop = 152;

// The overview draws every glyph at twice its size.
inline constexpr int OverviewScale = 2;
inline constexpr int OverviewColumns = 16;
inline constexpr int OverviewRows = 8;

// The smallest outer window size the overview fits the window to.
inline constexpr int OverviewMinWindowWidth = 245;
inline constexpr int OverviewMinWindowHeight = 231;
// Room the outer window needs beside the grid: the strip of controls on the
// left and the button row, caption and frame above and below it.
inline constexpr int OverviewWindowExtraWidth = 120;
inline constexpr int OverviewWindowExtraHeight = 57;

} // namespace glyphsmith
