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
    if (tool_ == DrawingTool::Select) {
        selectionPress(point, onGlyph);
        return;
    }
    if (!onGlyph)
        return;
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    const bool value = !currentGlyph_->cell(point.x, point.y);
    paintValue_ = value ? 1 : 0;
    if (tool_ == DrawingTool::FloodFill) {
        floodFill(*currentGlyph_, point, value);
        paintFontView();
        endStep();
        return;
    }
    drag_ = Drag::Shape;
    dragFrom_ = point;
    dragBase_ = *currentGlyph_;
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
    switch (drag_) {
    case Drag::Shape:
        drawShape(insideGlyph(point), keys);
        break;
    case Drag::Selecting:
        selectPixels(dragFrom_, insideGlyph(point));
        break;
    case Drag::Moving:
        placeSelection({ moveStart_.x + point.x - dragFrom_.x, moveStart_.y + point.y - dragFrom_.y });
        break;
    case Drag::None:
        break;
    }
}

void EditorDialog::toolRelease()
{
    const Drag ended = drag_;
    drag_ = Drag::None;
    if (ended == Drag::Shape || ended == Drag::Moving)
        endStep();
}

void EditorDialog::drawShape(GlyphPoint to, unsigned keys)
{
    *currentGlyph_ = dragBase_;
    const bool value = paintValue_ != 0;
    switch (tool_) {
    case DrawingTool::Line:
        drawLine(*currentGlyph_, dragFrom_, keys & ShiftHeld ? constrainedEnd(dragFrom_, to) : to, value);
        break;
    case DrawingTool::Rectangle:
    case DrawingTool::FilledRectangle:
        drawRectangle(*currentGlyph_, dragFrom_, to, tool_ == DrawingTool::FilledRectangle, value);
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
    tool_ = tool;
    showTool();
}

void EditorDialog::showTool()
{
    for (const ToolButton& button : toolButtons()) {
        const std::string caption = button.caption;
        windowSystem_.setControlText(button.id, button.tool == tool_ ? "[" + caption + "]" : caption);
    }
}

std::span<const EditorDialog::ToolButton> EditorDialog::toolButtons()
{
    static const ToolButton buttons[] = {
        { PencilToolButton, DrawingTool::Pencil, "Pencil" },
        { LineToolButton, DrawingTool::Line, "Line" },
        { RectangleToolButton, DrawingTool::Rectangle, "Rect" },
        { FilledRectangleToolButton, DrawingTool::FilledRectangle, "Solid" },
        { FloodFillToolButton, DrawingTool::FloodFill, "Flood" },
        { SelectToolButton, DrawingTool::Select, "Select" },
    };
    return buttons;
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
