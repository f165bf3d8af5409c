#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"

// The editor's keys and the tooltips that name them. One table holds every
// key: what it does and which button, if any, it stands for, so a button's
// tooltip always names the key that really does its work.
//
// Every key uses Ctrl or Alt (Page Up and Page Down aside), so that typing
// into the boxes works as it always did: plain letters and digits, and the
// arrows that move the caret, reach the box that has the focus. Shift+arrows
// are the editor's only in the overview, where they select a range, plain
// arrows only while pixels are selected, which they move, and Escape only
// while something is selected.

namespace glyphsmith {

struct EditorDialog::KeyBinding {
    int key;
    unsigned modifiers;
    void (EditorDialog::*action)();
    int button;          // the button the key stands for, 0 for none
    const char* keyName; // as the tooltip and the README show it
    // When set, the key is the editor's only while this holds; otherwise it
    // goes on as usual (Escape to Quit, Shift+arrows to the box).
    bool (EditorDialog::*applies)() const = nullptr;
};

namespace {

// What each button does, for its tooltip.
struct ButtonTip {
    int button;
    const char* text;
};

const ButtonTip ButtonTips[] = {
    { LetterButton, "Back to the overview of the whole font" },
    { ShiftUpButton, "Move the letter up one pixel" },
    { ShiftDownButton, "Move the letter down one pixel" },
    { ShiftLeftButton, "Move the letter left one pixel" },
    { ShiftRightButton, "Move the letter right one pixel" },
    { CopyButton, "Copy the letter" },
    { PasteButton, "Replace the letter by the copied one" },
    { FillButton, "Fill the letter, or clear it when its top-left pixel is set" },
    { UndoButton, "Bring the letter back to how it was when it was chosen" },
    { OpenButton, "Open a font file" },
    { SaveButton, "Save the font under a name you choose; a font opened from a game, where the game loads it" },
    { OutlineButton, "Turn every letter of the font into its outline" },
    { AboutButton, "About Glyphsmith, and its guide" },
    { QuitButton, "Quit Glyphsmith" },
    { CharacterDownButton, "The previous letter" },
    { CharacterUpButton, "The next letter" },
    { WidthDownButton, "Make the letter one pixel narrower" },
    { WidthUpButton, "Make the letter one pixel wider" },
    { HeightDownButton, "One pixel less height" },
    { HeightUpButton, "One pixel more height" },
    { PencilToolButton, "Pencil: a click flips a pixel, a drag paints" },
    { LineToolButton, "Line: drag from end to end; Shift keeps it level, upright or at 45 degrees" },
    { RectangleToolButton, "Rectangle: drag from corner to corner" },
    { FilledRectangleToolButton, "Filled rectangle: drag from corner to corner" },
    { FloodFillToolButton, "Flood fill: a click fills the area of like pixels around it" },
    { SelectToolButton, "Select: drag a rectangle, then drag it or move it with the arrows; Ctrl+C, Ctrl+X, "
                        "Ctrl+V and Ctrl+Delete copy, cut, paste and clear it" },
    { FlipHorizontalButton, "Flip the letter, the selection or the selected letters left to right" },
    { FlipVerticalButton, "Flip the letter, the selection or the selected letters upside down" },
    { RotateClockwiseButton, "Turn the letter, the selection or the selected letters a quarter clockwise" },
    { RotateAnticlockwiseButton, "Turn the letter, the selection or the selected letters a quarter anticlockwise" },
    { RotateHalfTurnButton, "Turn the letter, the selection or the selected letters half round" },
    { InvertButton, "Invert the pixels of the letter, the selection or the selected letters" },
    { BoldButton, "Make the letter, the selection or the selected letters bold: each pixel also sets the one to its right" },
};

} // namespace

// The table sits in a member so that it may name the dialog's private commands.
std::span<const EditorDialog::KeyBinding> EditorDialog::keyBindings()
{
    static const KeyBinding bindings[] = {
        { 'O', KeyControl, &EditorDialog::openFont, OpenButton, "Ctrl+O" },
        { 'S', KeyControl, &EditorDialog::saveToCurrentFile, 0, "Ctrl+S" },
        { 'S', KeyControl | KeyShift, &EditorDialog::saveUnderNewName, SaveButton, "Ctrl+Shift+S" },
        { 'C', KeyControl, &EditorDialog::copyGlyph, CopyButton, "Ctrl+C" },
        { 'V', KeyControl, &EditorDialog::pasteGlyph, PasteButton, "Ctrl+V" },
        { 'Z', KeyControl, &EditorDialog::undoStep, 0, "Ctrl+Z" },
        { 'Y', KeyControl, &EditorDialog::redoStep, 0, "Ctrl+Y" },
        { 'Z', KeyControl | KeyShift, &EditorDialog::redoStep, 0, "Ctrl+Shift+Z" },
        { 'R', KeyControl, &EditorDialog::undoEdits, UndoButton, "Ctrl+R" },
        { 'F', KeyControl, &EditorDialog::fillGlyph, FillButton, "Ctrl+F" },
        { 'L', KeyControl, &EditorDialog::outlineFont, OutlineButton, "Ctrl+L" },
        { 'T', KeyControl, &EditorDialog::toggleTextPreview, 0, "Ctrl+T" },
        { 'T', KeyControl | KeyShift, &EditorDialog::togglePreviewDirection, 0, "Ctrl+Shift+T" },
        { 'Q', KeyControl, &EditorDialog::quitEditor, QuitButton, "Ctrl+Q" },
        { KeyF1, 0, &EditorDialog::showAbout, AboutButton, "F1" },
        { KeyPageUp, 0, &EditorDialog::previousBlock, 0, "Page Up" },
        { KeyPageDown, 0, &EditorDialog::nextBlock, 0, "Page Down" },
        { KeyLeft, KeyControl, &EditorDialog::previousLetter, CharacterDownButton, "Ctrl+Left" },
        { KeyRight, KeyControl, &EditorDialog::nextLetter, CharacterUpButton, "Ctrl+Right" },
        { KeyHome, KeyControl, &EditorDialog::showOverview, LetterButton, "Ctrl+Home" },
        { KeyUp, KeyAlt, &EditorDialog::shiftUp, ShiftUpButton, "Alt+Up" },
        { KeyDown, KeyAlt, &EditorDialog::shiftDown, ShiftDownButton, "Alt+Down" },
        { KeyLeft, KeyAlt, &EditorDialog::shiftLeft, ShiftLeftButton, "Alt+Left" },
        { KeyRight, KeyAlt, &EditorDialog::shiftRight, ShiftRightButton, "Alt+Right" },
        { KeyLeft, KeyControl | KeyShift, &EditorDialog::narrowerGlyph, WidthDownButton, "Ctrl+Shift+Left" },
        { KeyRight, KeyControl | KeyShift, &EditorDialog::widerGlyph, WidthUpButton, "Ctrl+Shift+Right" },
        { KeyUp, KeyControl | KeyShift, &EditorDialog::lowerGlyph, HeightDownButton, "Ctrl+Shift+Up" },
        { KeyDown, KeyControl | KeyShift, &EditorDialog::tallerGlyph, HeightUpButton, "Ctrl+Shift+Down" },
        { 'H', KeyAlt, &EditorDialog::flipHorizontal, FlipHorizontalButton, "Alt+H" },
        { 'V', KeyAlt, &EditorDialog::flipVertical, FlipVerticalButton, "Alt+V" },
        { 'R', KeyAlt, &EditorDialog::rotateClockwise, RotateClockwiseButton, "Alt+R" },
        { 'R', KeyAlt | KeyShift, &EditorDialog::rotateAnticlockwise, RotateAnticlockwiseButton, "Alt+Shift+R" },
        { 'T', KeyAlt, &EditorDialog::rotateHalfTurn, RotateHalfTurnButton, "Alt+T" },
        { 'I', KeyAlt, &EditorDialog::invert, InvertButton, "Alt+I" },
        { 'B', KeyAlt, &EditorDialog::bold, BoldButton, "Alt+B" },
        { '1', KeyAlt, &EditorDialog::choosePencil, PencilToolButton, "Alt+1" },
        { '2', KeyAlt, &EditorDialog::chooseLine, LineToolButton, "Alt+2" },
        { '3', KeyAlt, &EditorDialog::chooseRectangle, RectangleToolButton, "Alt+3" },
        { '4', KeyAlt, &EditorDialog::chooseFilledRectangle, FilledRectangleToolButton, "Alt+4" },
        { '5', KeyAlt, &EditorDialog::chooseFloodFill, FloodFillToolButton, "Alt+5" },
        { '6', KeyAlt, &EditorDialog::chooseSelect, SelectToolButton, "Alt+6" },
        { 'X', KeyControl, &EditorDialog::cutSelection, 0, "Ctrl+X" },
        { 'G', KeyControl, &EditorDialog::toggleReference, 0, "Ctrl+G" },
        { 'G', KeyControl | KeyShift, &EditorDialog::chooseReference, 0, "Ctrl+Shift+G" },
        { KeyLeft, 0, &EditorDialog::selectionLeft, 0, "Left", &EditorDialog::hasPixelSelection },
        { KeyRight, 0, &EditorDialog::selectionRight, 0, "Right", &EditorDialog::hasPixelSelection },
        { KeyUp, 0, &EditorDialog::selectionUp, 0, "Up", &EditorDialog::hasPixelSelection },
        { KeyDown, 0, &EditorDialog::selectionDown, 0, "Down", &EditorDialog::hasPixelSelection },
        { KeyLeft, KeyShift, &EditorDialog::rangeLeft, 0, "Shift+Left", &EditorDialog::inOverview },
        { KeyRight, KeyShift, &EditorDialog::rangeRight, 0, "Shift+Right", &EditorDialog::inOverview },
        { KeyUp, KeyShift, &EditorDialog::rangeUp, 0, "Shift+Up", &EditorDialog::inOverview },
        { KeyDown, KeyShift, &EditorDialog::rangeDown, 0, "Shift+Down", &EditorDialog::inOverview },
        { KeyDelete, KeyControl, &EditorDialog::clearSelected, 0, "Ctrl+Delete" },
        { KeyEscape, 0, &EditorDialog::clearSelection, 0, "Escape", &EditorDialog::hasSelection },
    };
    return bindings;
}

void EditorDialog::buttonByKeyTable(int controlId)
{
    for (const KeyBinding& binding : keyBindings()) {
        if (binding.button == controlId) {
            (this->*binding.action)();
            return;
        }
    }
}

bool EditorDialog::keyPressed(int key, unsigned modifiers)
{
    for (const KeyBinding& binding : keyBindings()) {
        if (binding.key == key && binding.modifiers == modifiers
            && (!binding.applies || (this->*binding.applies)())) {
            (this->*binding.action)();
            return true;
        }
    }
    return false;
}

void EditorDialog::setToolTips()
{
    for (const ButtonTip& tip : ButtonTips) {
        std::string keys;
        for (const KeyBinding& binding : keyBindings())
            if (binding.button == tip.button)
                keys += (keys.empty() ? "" : " or ") + std::string(binding.keyName);
        // The window system's own key for the cancel command.
        if (tip.button == QuitButton)
            keys += " or Escape";
        windowSystem_.setToolTip(tip.button, std::string(tip.text) + " (" + keys + ")");
    }
    windowSystem_.setToolTip(LetterNumberBox, "The number of the letter to edit");
    windowSystem_.setToolTip(CharacterBox, "Type a character to edit its letter");
    windowSystem_.setToolTip(WidthBox, "The letter's width in pixels; in the overview, set width of the selected letters");
    windowSystem_.setToolTip(HeightBox,
        "The letter's height in pixels; in the overview, the font's line height, or set height of the selected letters");
    windowSystem_.setToolTip(SpacingBox, "Type N to add N blank columns to the right of every selected letter");
}

void EditorDialog::previousLetter()
{
    selectLetter((currentLetter_ + font_.codeCount() - 1) % font_.codeCount(), false);
}

void EditorDialog::nextLetter()
{
    selectLetter((currentLetter_ + 1) % font_.codeCount(), false);
}

void EditorDialog::previousBlock()
{
    stepBlock(-1);
}

void EditorDialog::nextBlock()
{
    stepBlock(+1);
}

void EditorDialog::narrowerGlyph()
{
    stepWidth(-1);
}

void EditorDialog::widerGlyph()
{
    stepWidth(+1);
}

void EditorDialog::lowerGlyph()
{
    stepHeight(-1);
}

void EditorDialog::tallerGlyph()
{
    stepHeight(+1);
}

void EditorDialog::showAbout()
{
    if (hooks_.about)
        hooks_.about();
}

} // namespace glyphsmith
