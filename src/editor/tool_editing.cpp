#include <algorithm>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/font_view.h"

// The tools of letter mode other than the pencil, on the mouse. Line and the
// two rectangles follow the drag as a rubber band: each move puts the glyph
// back as it was at the press and draws the shape again, so the whole drag
// is one step of the history. Flood fill works on the press. The selection
// tool drags out a rectangle, or moves the selection when the press lands in
// it. Like the pencil, a shape draws when it starts on a clear pixel and
// erases when it starts on a set one; only the left button starts one. A drag
// past the glyph's edge holds the shape's end or corner at the edge.

namespace glyphsmith {

namespace {

int floorDivide(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// The tool buttons of letter mode and their captions.
struct ToolButton {
    int id;
    DrawingTool tool;
    const char* caption;
};

constexpr ToolButton ToolButtons[] = {
    { PencilToolButton, DrawingTool::Pencil, "Pencil" },
    { LineToolButton, DrawingTool::Line, "Line" },
    { RectangleToolButton, DrawingTool::Rectangle, "Rect" },
    { FilledRectangleToolButton, DrawingTool::FilledRectangle, "Solid" },
    { FloodFillToolButton, DrawingTool::FloodFill, "Flood" },
    { SelectToolButton, DrawingTool::Select, "Select" },
};

} // namespace

GlyphPoint EditorDialog::glyphPointAt(int x, int y) const
{
    return { floorDivide(x - LetterLeft, LetterScale), floorDivide(y - LetterTop, LetterScale) };
}

GlyphPoint EditorDialog::insideGlyph(GlyphPoint point) const
{
    return { std::clamp(point.x, 0, std::max(currentGlyph_->width - 1, 0)),
        std::clamp(point.y, 0, std::max(currentGlyph_->height - 1, 0)) };
}

void EditorDialog::toolPress(int x, int y)
{
    const GlyphPoint point = glyphPointAt(x, y);
    const bool onGlyph = point.x >= 0 && point.y >= 0 && point.x < currentGlyph_->width && point.y < currentGlyph_->height;
    if (drawing_.tool == DrawingTool::Select) {
        selectionPress(point, onGlyph);
        return;
    }
    if (!onGlyph)
        return;
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    const bool value = !currentGlyph_->cell(point.x, point.y);
    paintValue_ = value ? 1 : 0;
    if (drawing_.tool == DrawingTool::FloodFill) {
        floodFill(*currentGlyph_, point, value);
        paintFontView();
        endStep();
        return;
    }
    drawing_.drag = ToolDrag::Shape;
    drawing_.dragFrom = point;
    drawing_.dragBase = *currentGlyph_;
    drawShape(point, 0);
}

void EditorDialog::toolMove(unsigned keys, int x, int y)
{
    if (!(keys & (LeftButtonHeld | RightButtonHeld | MiddleButtonHeld))) {
        // No button held: the drag ended outside the window.
        toolRelease();
        return;
    }
    const GlyphPoint point = glyphPointAt(x, y);
    switch (drawing_.drag) {
    case ToolDrag::Shape:
        drawShape(insideGlyph(point), keys);
        break;
    case ToolDrag::Selecting:
        selectPixels(drawing_.dragFrom, insideGlyph(point));
        break;
    case ToolDrag::Moving:
        placeSelection({ drawing_.moveStart.x + point.x - drawing_.dragFrom.x, drawing_.moveStart.y + point.y - drawing_.dragFrom.y });
        break;
    case ToolDrag::None:
        break;
    }
}

void EditorDialog::toolRelease()
{
    const ToolDrag ended = drawing_.drag;
    drawing_.drag = ToolDrag::None;
    if (ended == ToolDrag::Shape || ended == ToolDrag::Moving)
        endStep();
}

void EditorDialog::drawShape(GlyphPoint to, unsigned keys)
{
    *currentGlyph_ = drawing_.dragBase;
    const bool value = paintValue_ != 0;
    switch (drawing_.tool) {
    case DrawingTool::Line:
        drawLine(*currentGlyph_, drawing_.dragFrom, keys & ShiftHeld ? constrainedEnd(drawing_.dragFrom, to) : to, value);
        break;
    case DrawingTool::Rectangle:
    case DrawingTool::FilledRectangle:
        drawRectangle(*currentGlyph_, drawing_.dragFrom, to, drawing_.tool == DrawingTool::FilledRectangle, value);
        break;
    default:
        break;
    }
    paintFontView();
    modified_ = history_.differsFromSaved();
}

void EditorDialog::chooseTool(DrawingTool tool)
{
    toolRelease();
    dropPixelSelection();
    drawing_.tool = tool;
    showTool();
}

void EditorDialog::showTool()
{
    for (const ToolButton& button : ToolButtons) {
        const std::string caption = button.caption;
        windowSystem_.setControlText(button.id, button.tool == drawing_.tool ? "[" + caption + "]" : caption);
    }
}

void EditorDialog::choosePencil()
{
    chooseTool(DrawingTool::Pencil);
}

void EditorDialog::chooseLine()
{
    chooseTool(DrawingTool::Line);
}

void EditorDialog::chooseRectangle()
{
    chooseTool(DrawingTool::Rectangle);
}

void EditorDialog::chooseFilledRectangle()
{
    chooseTool(DrawingTool::FilledRectangle);
}

void EditorDialog::chooseFloodFill()
{
    chooseTool(DrawingTool::FloodFill);
}

void EditorDialog::chooseSelect()
{
    chooseTool(DrawingTool::Select);
}

} // namespace glyphsmith
