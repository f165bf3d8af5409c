#include <algorithm>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/font_view.h"

// A range of glyphs selected in the overview and the commands over all of it:
// every flip, turn, invert and bold, Copy and Paste, Clear, a width or height
// typed into its box, and a number N typed into the Spacing box, which adds N
// blank columns to the right of each glyph (letter spacing). Each command is
// one step of the history, however many glyphs it changes.

namespace glyphsmith {

void EditorDialog::overviewPress(int code, unsigned keys)
{
    if (keys & ShiftHeld) {
        extendRange(code);
        return;
    }
    if (keys & ControlHeld) {
        range_.glyphs.toggle(code);
        showRange();
        return;
    }
    // A plain click chooses one letter to edit: the range is done with.
    range_.glyphs.clear();
    showRange();
    selectLetter(code, false);
}

void EditorDialog::extendRange(int end)
{
    const int last = font_.codeCount() - 1;
    range_.glyphs.selectRun(range_.glyphs.empty() ? currentLetter_ : range_.glyphs.anchor(), std::clamp(end, 0, last));
    showBlockOf(range_.glyphs.end());
    showRange();
}

void EditorDialog::stepRange(int step)
{
    extendRange((range_.glyphs.empty() ? currentLetter_ : range_.glyphs.end()) + step);
}

void EditorDialog::rangeLeft()
{
    stepRange(-1);
}

void EditorDialog::rangeRight()
{
    stepRange(+1);
}

void EditorDialog::rangeUp()
{
    stepRange(-OverviewColumns);
}

void EditorDialog::rangeDown()
{
    stepRange(+OverviewColumns);
}

bool EditorDialog::hasSelection() const
{
    return letterMode_ ? hasPixelSelection() : !range_.glyphs.empty();
}

bool EditorDialog::inOverview() const
{
    return !letterMode_;
}

void EditorDialog::clearSelection()
{
    if (letterMode_) {
        dropPixelSelection();
        return;
    }
    range_.glyphs.clear();
    showRange();
}

bool EditorDialog::showRangeBoxes()
{
    // With a range the Width and Height boxes stand for its glyphs: they show
    // the first one's size, and a size typed there goes to every one.
    windowSystem_.enableControl(SpacingBox, !letterMode_ && !range_.glyphs.empty());
    if (letterMode_ || range_.glyphs.empty())
        return false;
    const Glyph& first = font_.glyphs[*range_.glyphs.codes().begin()];
    windowSystem_.enableControl(WidthBox, true);
    range_.showingBoxes = true;
    setBoxNumber(WidthBox, first.width);
    setBoxNumber(HeightBox, first.height);
    range_.showingBoxes = false;
    return true;
}

void EditorDialog::showRange()
{
    if (letterMode_)
        return;
    // A range changed under the Spacing box starts its count again.
    if (windowSystem_.focusedControl() == SpacingBox)
        spacingFocused();
    if (!showRangeBoxes()) {
        // Back to the overview's own boxes: the line height, no width.
        windowSystem_.enableControl(WidthBox, false);
        setBoxNumber(HeightBox, font_.lineHeight);
    }
    refreshWindow();
}

void EditorDialog::reshapeRange(void (*transform)(Glyph&))
{
    if (range_.glyphs.empty())
        return;
    beginStep();
    for (int code : range_.glyphs.codes()) {
        history_.rememberGlyph(font_, code);
        transform(font_.glyphs[code]);
    }
    showRange();
    endStep();
}

void EditorDialog::copyRange()
{
    range_.clipboard.clear();
    const int first = *range_.glyphs.codes().begin();
    for (int code : range_.glyphs.codes())
        range_.clipboard.push_back({ code - first, font_.glyphs[code] });
}

void EditorDialog::pasteRange()
{
    if (range_.clipboard.empty())
        return;
    beginStep();
    // The glyphs keep their distances from each other; those that would land
    // past the font's last code are left out.
    for (const auto& [offset, glyph] : range_.clipboard) {
        const int code = currentLetter_ + offset;
        if (code >= font_.codeCount())
            break;
        history_.rememberGlyph(font_, code);
        font_.glyphs[code] = glyph;
    }
    showRange();
    endStep();
}

void EditorDialog::clearRange()
{
    if (letterMode_ || range_.glyphs.empty())
        return;
    beginStep();
    // Each glyph keeps its size and loses its pixels.
    for (int code : range_.glyphs.codes()) {
        history_.rememberGlyph(font_, code);
        font_.glyphs[code].pixels.fill(0);
    }
    showRange();
    endStep();
}

void EditorDialog::spacingFocused()
{
    range_.widths.clear();
    for (int code : range_.glyphs.codes())
        range_.widths.push_back(font_.glyphs[code].width);
}

void EditorDialog::spacingLeft()
{
    endStep(); // the columns typed there are one step
    range_.widths.clear();
    range_.showingBoxes = true;
    windowSystem_.setControlText(SpacingBox, "");
    range_.showingBoxes = false;
    showRangeBoxes();
}

void EditorDialog::spacingChanged()
{
    if (letterMode_ || range_.showingBoxes || range_.widths.size() != range_.glyphs.codes().size())
        return;
    // N counts from the widths the glyphs had when the box took the focus, so
    // "1" then "12" typed on adds 12 columns, not 13.
    const int added = std::clamp(boxNumber(SpacingBox), 0, MaxGlyphSize);
    beginTypedStep(SpacingBox);
    auto base = range_.widths.begin();
    for (int code : range_.glyphs.codes()) {
        Glyph& glyph = font_.glyphs[code];
        const int from = std::clamp<int>(*base++, 0, MaxGlyphSize);
        const int width = std::min(from + added, MaxGlyphSize);
        if (glyph.width == width)
            continue;
        history_.rememberGlyph(font_, code);
        glyph.width = width;
        // The added columns start blank, whatever an earlier shrink left there.
        std::fill(glyph.pixels.begin() + from, glyph.pixels.begin() + width, 0);
    }
    endTypedStep(SpacingBox);
    refreshWindow();
}

bool EditorDialog::rangeSizeChanged(int box, std::int32_t Glyph::*size)
{
    if (letterMode_ || range_.glyphs.empty())
        return false;
    if (range_.showingBoxes)
        return true;
    const int value = boxNumber(box);
    if (!isGlyphSize(value))
        return true;
    beginTypedStep(box);
    for (int code : range_.glyphs.codes()) {
        if (font_.glyphs[code].*size == value)
            continue;
        history_.rememberGlyph(font_, code);
        font_.glyphs[code].*size = value;
    }
    endTypedStep(box);
    refreshWindow();
    return true;
}

} // namespace glyphsmith
