#pragma once

// The control ids of the editor's dialog (res/main_dialog.txt).

#include "platform/window_system.h"

namespace glyphsmith {

inline constexpr int HeightBox = 1000;
inline constexpr int WidthBox = 1001;
inline constexpr int LetterNumberBox = 1003;
inline constexpr int CharacterBox = 1008;
// How many codes the font holds; a new number takes effect when the box is left.
inline constexpr int CodesBox = 1027;
// What the font's codes stand for: Unicode or an 8-bit code page.
inline constexpr int EncodingList = 1028;
// A line of text under it: the character under the mouse, or why a typed
// character was not taken.
inline constexpr int StatusLine = 1029;
// The check of a text file: its first item starts it, the others name the
// characters the font cannot draw and go to their letters.
inline constexpr int CoverageList = 1030;

inline constexpr int ShiftUpButton = 1004;
inline constexpr int ShiftDownButton = 1005;
inline constexpr int ShiftLeftButton = 1006;
inline constexpr int ShiftRightButton = 1007;
inline constexpr int LetterButton = 1009;
inline constexpr int CopyButton = 1010;
inline constexpr int PasteButton = 1011;
inline constexpr int FillButton = 1012;
inline constexpr int UndoButton = 1013;
inline constexpr int OpenButton = 1014;
inline constexpr int SaveButton = 1015;
inline constexpr int AboutButton = 1016;
inline constexpr int OutlineButton = 1026;
inline constexpr int QuitButton = DialogCancel;

inline constexpr int HeightDownButton = 1020;
inline constexpr int HeightUpButton = 1021;
inline constexpr int WidthDownButton = 1022;
inline constexpr int WidthUpButton = 1023;
inline constexpr int CharacterDownButton = 1024;
inline constexpr int CharacterUpButton = 1025;

// The drawing tools of letter mode and the transforms.
inline constexpr int PencilToolButton = 1100;
inline constexpr int LineToolButton = 1101;
inline constexpr int RectangleToolButton = 1102;
inline constexpr int FilledRectangleToolButton = 1103;
inline constexpr int FloodFillToolButton = 1104;
inline constexpr int SelectToolButton = 1105;
inline constexpr int FlipHorizontalButton = 1110;
inline constexpr int FlipVerticalButton = 1111;
inline constexpr int RotateClockwiseButton = 1112;
inline constexpr int RotateAnticlockwiseButton = 1113;
inline constexpr int RotateHalfTurnButton = 1114;
inline constexpr int InvertButton = 1115;
inline constexpr int BoldButton = 1116;
// Blank columns to add to the right of every glyph of the overview's range.
inline constexpr int SpacingBox = 1120;

// The program's name: the window caption before any file, the start of the
// caption after a load or save, and the name the file types are registered under.
inline constexpr const char* programName = "Glyphsmith";

} // namespace glyphsmith
