#include <algorithm>
#include <cstdio>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "font/utf8.h"

// Fonts of more than 128 codes: the overview pages through blocks of 128
// codes, the caption names the block shown (through the encoding: U+0400-U+047F
// in Unicode, the code page's name for codes 128 to 255 of an 8-bit font), the
// character box holds the code's character as UTF-8 text, and the Codes box
// grows or shrinks the font.
//
// A font of exactly 128 codes shows and does what it always has: the caption
// names only the file, and the Codes box shows 128.

namespace glyphsmith {

namespace {

constexpr int ByteCodes = 256;
constexpr int SurrogateFirst = 0xd800;
constexpr int SurrogateLast = 0xdfff;

int blockCount(const BitmapFont& font)
{
    return (font.codeCount() + GlyphCount - 1) / GlyphCount;
}

std::string unicodeName(int code)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

} // namespace

char32_t EditorDialog::firstCharacter(std::string_view text)
{
    if (text.empty())
        return 0;
    // Text that is not UTF-8 reads as its first byte, as a one-byte box always did.
    const std::optional<DecodedCharacter> character = decodeUtf8At(text, 0);
    return character ? character->value : static_cast<unsigned char>(text[0]);
}

std::string EditorDialog::characterText(int code) const
{
    std::string text;
    const std::optional<char32_t> character = characterOf(encoding_, code);
    if (character && *character > 0 && *character < 0x110000 && !(*character >= SurrogateFirst && *character <= SurrogateLast))
        appendUtf8(text, *character);
    return text;
}

void EditorDialog::stepBlock(int direction)
{
    const int block = shownBlock_ + (direction < 0 ? -1 : 1);
    if (block < 0 || block >= blockCount(font_))
        return;
    if (letterMode_) {
        const int code = currentLetter_ + (block - shownBlock_) * GlyphCount;
        selectLetter(std::min(code, font_.codeCount() - 1), false);
        return;
    }
    shownBlock_ = block;
    showCaption();
    refreshWindow();
}

void EditorDialog::showBlockOf(int code)
{
    shownBlock_ = code / GlyphCount;
    showCaption();
}

bool EditorDialog::resizeFont(int count)
{
    count = std::clamp(count, GlyphCount, MaxCodeCount);
    const int before = font_.codeCount();
    if (count == before)
        return false;
    const auto dropped = count > before ? 0 : std::count_if(font_.glyphs.begin() + count, font_.glyphs.end(),
        [](const Glyph& glyph) { return !glyph.isEmpty(); });
    if (dropped > 0) {
        const std::string question = "Codes " + std::to_string(count) + " to " + std::to_string(before - 1) + " hold "
            + std::to_string(dropped) + (dropped == 1 ? " glyph" : " glyphs")
            + ", which a font of " + std::to_string(count) + " codes drops. Drop them?";
        if (windowSystem_.showMessage(question, "Fewer codes", MessageButtons::YesNoCancel) != MessageResult::Yes)
            return false;
    }
    const bool letterDropped = currentLetter_ >= count;
    beginStep();
    history_.rememberCodeCount(font_, count);
    font_.setCodeCount(count);
    endStep();
    fontResized();
    // Codes past 255 stand for no byte: a font grown past them is for Unicode.
    if (count > ByteCodes && before <= ByteCodes && encoding_.page)
        setEncoding({});
    if (letterMode_ && letterDropped)
        selectLetter(currentLetter_, true);
    else
        refreshWindow();
    return true;
}

void EditorDialog::fontResized()
{
    // Resizing reallocates the glyphs: the current glyph must be found anew.
    currentLetter_ = std::min(currentLetter_, font_.codeCount() - 1);
    currentGlyph_ = &font_.glyphs[currentLetter_];
    shownBlock_ = std::min(shownBlock_, blockCount(font_) - 1);
    range_.glyphs.limitTo(font_.codeCount());
    setBoxNumber(CodesBox, font_.codeCount());
    showCaption();
}

void EditorDialog::codesBoxLeft()
{
    const int count = boxNumber(CodesBox);
    if (count != font_.codeCount())
        resizeFont(count);
    // Show the true number whatever was typed or refused.
    setBoxNumber(CodesBox, font_.codeCount());
}

void EditorDialog::setCaptionBase(std::string caption)
{
    captionBase_ = std::move(caption);
    showCaption();
}

void EditorDialog::showCaption()
{
    std::string caption = captionBase_.empty() ? std::string(programName) : captionBase_;
    if (font_.codeCount() > GlyphCount) {
        const int first = shownBlockStart();
        const int last = std::min(first + GlyphCount, font_.codeCount()) - 1;
        // Under a code page, codes 128 to 255 are its own; codes above have no character.
        caption += " "
            + (!encoding_.page ? unicodeName(first) + "-" + unicodeName(last)
                    : first == 0 ? std::string("ASCII")
                    : first == GlyphCount ? std::string(encoding_.page->name)
                                          : std::to_string(first) + "-" + std::to_string(last));
    }
    // A 128-code font keeps the caption it has always had, set only by loads and saves.
    if (caption == caption_ || (caption_.empty() && caption == programName))
        return;
    caption_ = caption;
    windowSystem_.setCaption(caption_);
}

} // namespace glyphsmith
