#include <algorithm>
#include <memory>

#include "editor/editor_dialog.h"
#include "editor/font_view.h"
#include "font/font_file_import.h"

// The tracing reference of letter mode: the current character as a desktop
// font file (or, until one is chosen, the system font) draws it at the font's
// line height, shown faintly on the clear pixels of the enlarged glyph. It is
// drawn from a font of its own and never changes ours. Ctrl+G shows and hides
// it; Ctrl+Shift+G chooses the font file (cancelling goes back to the system
// font).

namespace glyphsmith {

namespace {

constexpr Rgb ReferenceColour { 80, 80, 80 };

const char* const ReferenceFilter
    = "Font files|*.ttf;*.otf;*.ttc;*.bdf;*.pcf;*.pcf.gz;*.fon;*.fnt|All files (*.*)|*.*||";
constexpr unsigned ReferenceFlags = 4 | 2048 | 4096;

// The system-font import tells the user what it did; for a reference that
// only the editor sees, nothing is said.
class SilentMessages : public MessageBoxes {
public:
    MessageResult showMessage(std::string_view, std::string_view, MessageButtons) override
    {
        return MessageResult::Ok;
    }
};

} // namespace

void EditorDialog::toggleReference()
{
    drawing_.reference.shown = !drawing_.reference.shown;
    if (letterMode_)
        refreshWindow();
}

void EditorDialog::chooseReference()
{
    const std::optional<FileDialogAnswer> answer
        = windowSystem_.fileDialog({ FileDialogKind::Open, ReferenceFilter, ReferenceFlags, "", "" });
    if (answer) {
        // A file no reader takes would show nothing at all: say so, and keep
        // the reference there was.
        FileResult problem = FileResult::failed(FileError::UnknownFontFormat);
        if (!hooks_.fontFiles || !hooks_.fontFiles->openFace(answer->path, DefaultPixelSize, problem)) {
            windowSystem_.showMessage(
                "The tracing reference cannot be drawn from " + answer->name + ".\n\n" + describe(problem), "",
                MessageButtons::Ok);
            return;
        }
    }
    drawing_.reference.path = answer ? answer->path : std::string();
    drawing_.reference.code = -1; // draw it anew
    drawing_.reference.shown = true;
    if (letterMode_)
        refreshWindow();
}

const Glyph* EditorDialog::referenceGlyph()
{
    if (!drawing_.reference.shown)
        return nullptr;
    if (drawing_.reference.code != currentLetter_ || drawing_.reference.lineHeight != font_.lineHeight) {
        drawing_.reference.code = currentLetter_;
        drawing_.reference.lineHeight = font_.lineHeight;
        drawing_.reference.ready = drawReference();
    }
    return drawing_.reference.ready ? &drawing_.reference.glyph : nullptr;
}

bool EditorDialog::drawReference()
{
    auto drawn = std::make_unique<BitmapFont>();
    if (!drawing_.reference.path.empty()) {
        if (!hooks_.fontFiles)
            return false;
        FontFileRequest request { drawing_.reference.path, font_.lineHeight > 0 ? font_.lineHeight : DefaultPixelSize,
            { { currentLetter_, static_cast<char32_t>(currentLetter_) } } };
        if (!importFontFile(*drawn, *hooks_.fontFiles, request).result.ok())
            return false;
    } else {
        // The system font brings codes 0 to 127 only.
        if (currentLetter_ >= GlyphCount)
            return false;
        SilentMessages silent;
        drawn->lineHeight = font_.lineHeight;
        if (!drawn->importSystemFont("", windowSystem_.systemFontRenderer(), silent).ok())
            return false;
    }
    drawing_.reference.glyph = drawn->glyphs[currentLetter_];
    return true;
}

void EditorDialog::paintReference(ClientSurface& surface)
{
    const Glyph* reference = referenceGlyph();
    if (!reference)
        return;
    const Glyph& glyph = *currentGlyph_;
    const int width = std::min<int>({ std::clamp<int>(glyph.width, 0, MaxGlyphSize), reference->width, MaxGlyphSize });
    const int height = std::min<int>({ std::clamp<int>(glyph.height, 0, MaxGlyphSize), reference->height, MaxGlyphSize });
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (reference->cell(x, y) && !glyph.cell(x, y))
                surface.fillRect({ LetterLeft + LetterScale * x, LetterTop + LetterScale * y,
                                     LetterLeft + LetterScale * (x + 1), LetterTop + LetterScale * (y + 1) },
                    ReferenceColour);
    // A preview wider than the room left of the enlarged glyph lies over it:
    // it stays on top, as without a reference.
    if (width > (LetterLeft - ViewLeft) / PreviewScale)
        paintLetterPreviews(surface);
}

} // namespace glyphsmith
