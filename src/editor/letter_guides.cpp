#include "editor/letter_guides.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "editor/editor_dialog.h"
#include "editor/font_view.h"

// The guides: their setting per file, the markers left of the enlarged glyph
// that drag them, and their lines over the glyph.

namespace glyphsmith {

namespace {

constexpr Rgb BaselineColour { 220, 40, 40 };
constexpr Rgb XHeightColour { 40, 170, 60 };

// The strip left of the enlarged glyph that holds the two markers.
constexpr int MarkerLeft = LetterLeft - 14;
constexpr int MarkerRight = LetterLeft - 2;

int guideY(int boundary)
{
    return LetterTop + LetterScale * boundary;
}

} // namespace

std::string guidesSettingName(std::string_view path)
{
    // FNV-1a, 64 bits: the same name for the same path on every system.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char byte : path) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ULL;
    }
    char name[32];
    std::snprintf(name, sizeof name, "guides-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

std::string formatGuides(const LetterGuides& guides)
{
    return std::to_string(guides.baseline) + " " + std::to_string(guides.xHeight);
}

LetterGuides parseGuides(std::string_view text)
{
    int baseline = 0;
    int xHeight = 0;
    char extra = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d %d %c", &baseline, &xHeight, &extra) != 2 || baseline < 0
        || baseline > MaxGlyphSize || xHeight < 0 || xHeight > MaxGlyphSize)
        return {};
    return { baseline, xHeight };
}

void EditorDialog::loadGuides()
{
    drawing_.guides = filePath_.empty() ? LetterGuides {} : parseGuides(windowSystem_.setting(guidesSettingName(filePath_)));
}

void EditorDialog::saveGuides()
{
    // A font not yet saved keeps its guides in memory; its first save stores them.
    if (!filePath_.empty())
        windowSystem_.setSetting(guidesSettingName(filePath_), formatGuides(drawing_.guides));
}

bool EditorDialog::guidePress(int x, int y)
{
    if (x < MarkerLeft || x >= MarkerRight || y < LetterTop - LetterScale / 2)
        return false;
    // The marker nearer the press moves; the baseline when they are level.
    const int baselineDistance = std::abs(y - guideY(drawing_.guides.baseline));
    const int xHeightDistance = std::abs(y - guideY(drawing_.guides.xHeight));
    drawing_.guideDrag = xHeightDistance < baselineDistance ? GuideDrag::XHeight : GuideDrag::Baseline;
    guideMove(y);
    return true;
}

void EditorDialog::guideMove(int y)
{
    const int boundary = std::clamp((y - LetterTop + LetterScale / 2) / LetterScale, 0, MaxGlyphSize);
    int& guide = drawing_.guideDrag == GuideDrag::XHeight ? drawing_.guides.xHeight : drawing_.guides.baseline;
    if (guide == boundary)
        return;
    guide = boundary;
    refreshWindow();
    updateTextPreview();
}

void EditorDialog::guideRelease()
{
    if (drawing_.guideDrag == GuideDrag::None)
        return;
    drawing_.guideDrag = GuideDrag::None;
    saveGuides();
}

void EditorDialog::paintGuides(ClientSurface& surface)
{
    const int right = LetterLeft + LetterScale * std::clamp<int>(currentGlyph_->width, 0, MaxGlyphSize);
    for (const auto& [boundary, colour] : { std::pair { drawing_.guides.xHeight, XHeightColour }, std::pair { drawing_.guides.baseline, BaselineColour } }) {
        const int y = guideY(boundary);
        surface.fillRect({ MarkerLeft, std::max(y - 3, LetterTop), MarkerRight, y + 3 }, colour);
        if (boundary > 0)
            surface.fillRect({ LetterLeft, y - 1, right, y + 1 }, colour);
    }
}

} // namespace glyphsmith
