#include "editor/text_preview.h"

#include <algorithm>

#include "editor/editor_dialog.h"

namespace glyphsmith {

namespace {

const char* const PreviewTextSetting = "previewText";
const char* const DefaultPreviewText = "The quick brown fox jumps over the lazy dog.";


// The line's height: the font's line height, or for a font without one the
// tallest glyph of the text, so that something shows.
int lineBoxHeight(const BitmapFont& font, std::u32string_view text)
{
    if (font.lineHeight > 0)
        return std::min<int>(font.lineHeight, 4 * MaxGlyphSize);
    int tallest = 1;
    for (char32_t character : text)
        if (fontHolds(font, character))
            tallest = std::max<int>(tallest, font.glyphs[character].height);
    return tallest;
}

class PictureWriter {
public:
    explicit PictureWriter(IndexedPicture& picture) : picture_(picture) { }

    void fill(int left, int top, int width, int height, std::uint8_t colour)
    {
        const int right = std::min(left + width, picture_.width);
        const int bottom = std::min(top + height, picture_.height);
        for (int y = std::max(top, 0); y < bottom; ++y)
            std::fill(row(y) + std::max(left, 0), row(y) + std::max(right, 0), colour);
    }

    // Row by row: the first screen row of each glyph row is written pixel by
    // pixel, the other Scale - 1 are copies of it. A fixed scale keeps the
    // inner loop free of calls: this runs after every pixel drawn.
    template <int Scale>
    void glyph(const Glyph& glyph, int left, int top)
    {
        if (left < 0 || top < 0)
            return;
        const int width = std::min<int>(std::clamp<int>(glyph.width, 0, MaxGlyphSize), (picture_.width - left) / Scale);
        const int height = std::clamp<int>(glyph.height, 0, MaxGlyphSize);
        for (int y = 0; y < height && top + y * Scale < picture_.height; ++y) {
            std::uint8_t* out = row(top + y * Scale) + left;
            for (int x = 0; x < width; ++x) {
                const std::uint8_t colour = ((glyph.pixels[x] >> y) & 1) != 0 ? PreviewInk : PreviewPaper;
                for (int repeat = 0; repeat < Scale; ++repeat)
                    *out++ = colour;
            }
            for (int copy = 1; copy < Scale && top + y * Scale + copy < picture_.height; ++copy)
                std::copy(row(top + y * Scale) + left, out, row(top + y * Scale + copy) + left);
        }
    }

    void recolour(int left, int top, int width, int height, std::uint8_t from, std::uint8_t to)
    {
        const int right = std::min(left + width, picture_.width);
        const int bottom = std::min(top + height, picture_.height);
        for (int y = std::max(top, 0); y < bottom; ++y)
            std::replace(row(y) + std::max(left, 0), row(y) + std::max(right, 0), from, to);
    }

    void frame(int left, int top, int width, int height, int thickness, std::uint8_t colour)
    {
        fill(left, top, width, thickness, colour);
        fill(left, top + height - thickness, width, thickness, colour);
        fill(left, top, thickness, height, colour);
        fill(left + width - thickness, top, thickness, height, colour);
    }

private:
    std::uint8_t* row(int y) { return picture_.pixels.data() + static_cast<std::size_t>(y) * picture_.width; }
    IndexedPicture& picture_;
};

} // namespace

bool fontHolds(const BitmapFont& font, char32_t character)
{
    return character < static_cast<char32_t>(font.codeCount()) && !font.glyphs[character].isEmpty();
}

int missingMarkerWidth(int lineHeight)
{
    return std::max(3, (lineHeight + 1) / 2);
}

IndexedPicture layOutTextPreview(const BitmapFont& font, std::u32string_view text, int baseline)
{
    const int lineHeight = lineBoxHeight(font, text);
    const int markerWidth = missingMarkerWidth(lineHeight);
    const int markerHeight = std::max(lineHeight, 3);
    int lineWidth = 0;
    int rowHeight = markerHeight;
    for (char32_t character : text) {
        if (fontHolds(font, character)) {
            const Glyph& glyph = font.glyphs[character];
            lineWidth += std::clamp<int>(glyph.width, 0, MaxGlyphSize);
            rowHeight = std::max<int>(rowHeight, std::clamp<int>(glyph.height, 0, MaxGlyphSize));
        } else {
            lineWidth += markerWidth;
        }
    }

    IndexedPicture picture;
    picture.width = 2 * PreviewMargin + std::max(2 * lineWidth, 1);
    picture.height = 3 * PreviewMargin + 3 * rowHeight;
    picture.palette = { { 224, 224, 224 }, { 0, 0, 0 }, { 255, 255, 255 }, { 220, 0, 0 }, { 220, 40, 40 } };
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, PreviewBackground);
    PictureWriter writer(picture);
    for (int scale : { 1, 2 }) {
        const int top = scale == 1 ? PreviewMargin : 2 * PreviewMargin + rowHeight;
        int x = PreviewMargin;
        // The line itself, as high as the font's line height; a taller glyph
        // reaches below it.
        writer.fill(x, top, lineWidth * scale, lineHeight * scale, PreviewPaper);
        for (char32_t character : text) {
            if (fontHolds(font, character)) {
                const Glyph& glyph = font.glyphs[character];
                if (scale == 1)
                    writer.glyph<1>(glyph, x, top);
                else
                    writer.glyph<2>(glyph, x, top);
                x += std::clamp<int>(glyph.width, 0, MaxGlyphSize) * scale;
            } else {
                writer.frame(x, top, markerWidth * scale, markerHeight * scale, scale, PreviewMarker);
                x += markerWidth * scale;
            }
        }
        // The row just under the baseline, on paper only: the letters' own
        // pixels below it stay as they are.
        if (baseline > 0 && baseline < rowHeight)
            writer.recolour(PreviewMargin, top + baseline * scale, lineWidth * scale, scale, PreviewPaper, PreviewGuide);
    }
    return picture;
}

void EditorDialog::toggleTextPreview()
{
    const bool shown = !windowSystem_.isTextPreviewShown();
    windowSystem_.showTextPreview(shown);
    updateTextPreview();
}

void EditorDialog::updateTextPreview()
{
    if (!windowSystem_.isTextPreviewShown())
        return;
    windowSystem_.setTextPreviewPicture(
        layOutTextPreview(font_, decodeUtf8(windowSystem_.textPreviewText()), guides_.baseline));
}

void EditorDialog::textPreviewChanged()
{
    // Kept for the next run of the program.
    windowSystem_.setSetting(PreviewTextSetting, windowSystem_.textPreviewText());
    updateTextPreview();
}

void EditorDialog::textPreviewClosed() { }

void EditorDialog::restoreTextPreview()
{
    const std::string text = windowSystem_.setting(PreviewTextSetting);
    windowSystem_.setTextPreviewText(text.empty() ? DefaultPreviewText : text);
}

} // namespace glyphsmith
