#include "editor/text_preview.h"

#include <algorithm>

#include "editor/editor_dialog.h"

namespace glyphsmith {

namespace {

const char* const PreviewTextSetting = "previewText";
const char* const DefaultPreviewText = "The quick brown fox jumps over the lazy dog.";
// How many missing characters the title names.
constexpr std::size_t MissingNamed = 12;

std::string hexadecimal(char32_t character)
{
    const char* const digits = "0123456789ABCDEF";
    std::string text;
    for (int shift = character > 0xffff ? 20 : 12; shift >= 0; shift -= 4)
        text += digits[(character >> shift) & 0xf];
    return text;
}


// The line's height: the font's line height, or for a font without one the
// tallest glyph of the text, so that something shows.
int lineBoxHeight(const BitmapFont& font, std::span<const int> codes)
{
    if (font.lineHeight > 0)
        return std::min<int>(font.lineHeight, 4 * MaxGlyphSize);
    int tallest = 1;
    for (int code : codes)
        if (fontHolds(font, code))
            tallest = std::max<int>(tallest, font.glyphs[code].height);
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

bool fontHolds(const BitmapFont& font, int code)
{
    return code >= 0 && code < font.codeCount() && !font.glyphs[code].isEmpty();
}

std::vector<int> previewCodes(std::u32string_view text, TextEncoding encoding)
{
    std::vector<int> codes;
    for (char32_t character : text)
        codes.push_back(codeOf(encoding, character).value_or(-1));
    return codes;
}

std::u32string missingCharacters(const BitmapFont& font, std::u32string_view text, TextEncoding encoding)
{
    std::u32string missing;
    for (char32_t character : text)
        if (!fontHolds(font, codeOf(encoding, character).value_or(-1)) && missing.find(character) == std::u32string::npos)
            missing += character;
    return missing;
}

int missingMarkerWidth(int lineHeight)
{
    return std::max(3, (lineHeight + 1) / 2);
}

IndexedPicture layOutTextPreview(const BitmapFont& font, std::u32string_view text, int baseline)
{
    const std::vector<int> codes = previewCodes(text, {});
    return layOutTextPreview(font, codes, false, baseline);
}

IndexedPicture layOutTextPreview(const BitmapFont& font, std::span<const int> codes, bool rightToLeft, int baseline)
{
    const int lineHeight = lineBoxHeight(font, codes);
    const int markerWidth = missingMarkerWidth(lineHeight);
    const int markerHeight = std::max(lineHeight, 3);
    int lineWidth = 0;
    int rowHeight = markerHeight;
    for (int code : codes) {
        if (fontHolds(font, code)) {
            const Glyph& glyph = font.glyphs[code];
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
        for (std::size_t index = 0; index < codes.size(); ++index) {
            // Right to left the line is laid out from its last character on.
            const int code = codes[rightToLeft ? codes.size() - 1 - index : index];
            if (fontHolds(font, code)) {
                const Glyph& glyph = font.glyphs[code];
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
    const std::u32string text = decodeUtf8(windowSystem_.textPreviewText());
    const std::vector<int> codes = previewCodes(text, encoding_);
    windowSystem_.setTextPreviewPicture(layOutTextPreview(font_, codes, previewRightToLeft_, drawing_.guides.baseline));
    // The title says what the picture cannot show, and which way it runs.
    const std::u32string missing = missingCharacters(font_, text, encoding_);
    std::string title = previewRightToLeft_ ? "Text preview, right to left" : "Text preview";
    if (!missing.empty()) {
        title += ": " + std::to_string(missing.size()) + " missing in " + encodingName(encoding_) + ":";
        for (std::size_t at = 0; at < missing.size() && at < MissingNamed; ++at) {
            title += ' ';
            // Control characters and blanks are named by their code point.
            if (missing[at] <= ' ' || (missing[at] >= 127 && missing[at] < 160))
                title += "U+" + hexadecimal(missing[at]);
            else
                appendUtf8(title, missing[at]);
        }
        if (missing.size() > MissingNamed)
            title += " ...";
    }
    windowSystem_.setTextPreviewTitle(title);
}

void EditorDialog::togglePreviewDirection()
{
    previewRightToLeft_ = !previewRightToLeft_;
    updateTextPreview();
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
