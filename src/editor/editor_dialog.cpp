#include "editor/editor_dialog.h"

#include <algorithm>
#include <cctype>

#include "editor/editor_controls.h"

// The editor's state, letter selection, the four edit boxes with their arrow
// buttons, and the one switch that sends each control to its handler.
//
// Setting a box's text runs that box's change handler inside the call, as a
// user's edit would. The arrows rely on it (they only rewrite a box), and so
// does selectLetter, whose rewriting of the letter boxes comes back to it as
// a selection of the code already current and ends there.

namespace glyphsmith {

namespace {

// Edit boxes are read into a 10-byte buffer, terminator included.
constexpr std::size_t BoxReadLimit = 9;

// The usual decimal reading: leading white space, an optional sign, then
// digits; text without digits reads as 0.
int decimalValue(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    long value = 0;
    // At most nine characters are read, so the value cannot overflow.
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10 + (text[at] - '0');
    return static_cast<int>(negative ? -value : value);
}

// The arrows beside Width and Height: one step, wrapping between 1 and 64.
// A value outside 1..64 steps down by one, or wraps to 1 going up.
int steppedSize(int value, int step)
{
    if (step < 0)
        return value > 1 ? value - 1 : MaxGlyphSize;
    return value < MaxGlyphSize ? value + 1 : 1;
}

} // namespace

EditorDialog::EditorDialog(WindowSystem& windowSystem, BitmapFont& font, ApplicationHooks hooks)
    : windowSystem_(windowSystem)
    , font_(font)
    , hooks_(std::move(hooks))
    , appIcon_(windowSystem.loadIcon(AppIconResource))
    , currentGlyph_(&font.glyphs[0])
{
}

void EditorDialog::setFileNames(std::string title, std::string extension)
{
    fileTitle_ = std::move(title);
    fileExt_ = std::move(extension);
}

void EditorDialog::initDialog()
{
    // The window has the template's size until the overview first fits it.
    templateClientSize_ = windowSystem_.clientSize();
    windowSystem_.loadCellBitmap(CellBitmapResource);
    windowSystem_.setIcons(appIcon_, appIcon_);
    windowSystem_.centreOnScreen();
    windowSystem_.limitText(CharacterBox, 1);
    fontResized();
    setToolTips();
    initCoverageList();
    initEncodingList();
    showTool();
    restoreTextPreview();
    setLetterMode(0);
    if (hooks_.startUp)
        hooks_.startUp();
}

void EditorDialog::command(int controlId)
{
    switch (controlId) {
    case LetterButton:
        showOverview();
        break;
    case CharacterDownButton:
        stepCharacter(-1);
        break;
    case CharacterUpButton:
        stepCharacter(+1);
        break;
    case WidthDownButton:
        stepWidth(-1);
        break;
    case WidthUpButton:
        stepWidth(+1);
        break;
    case HeightDownButton:
        stepHeight(-1);
        break;
    case HeightUpButton:
        stepHeight(+1);
        break;
    case ShiftUpButton:
        shiftUp();
        break;
    case ShiftDownButton:
        shiftDown();
        break;
    case ShiftLeftButton:
        shiftLeft();
        break;
    case ShiftRightButton:
        shiftRight();
        break;
    case FillButton:
        fillGlyph();
        break;
    case CopyButton:
        copyGlyph();
        break;
    case PasteButton:
        pasteGlyph();
        break;
    case UndoButton:
        undoEdits();
        break;
    case OutlineButton:
        outlineFont();
        break;
    case OpenButton:
        openFont();
        break;
    case SaveButton:
        saveFont();
        break;
    case AboutButton:
        if (hooks_.about)
            hooks_.about();
        break;
    default:
        // The tool and transform buttons do what their keys do.
        buttonByKeyTable(controlId);
        break;
    }
}

void EditorDialog::editChanged(int controlId)
{
    switch (controlId) {
    case LetterNumberBox:
        letterNumberChanged();
        break;
    case CharacterBox:
        characterChanged();
        break;
    case WidthBox:
        widthChanged();
        break;
    case HeightBox:
        heightChanged();
        break;
    case SpacingBox:
        spacingChanged();
        break;
    default:
        break;
    }
}

void EditorDialog::editFocusGained(int controlId)
{
    // The letter boxes empty themselves for typing; their change handlers
    // then see no letter and select nothing.
    if (controlId == LetterNumberBox || controlId == CharacterBox)
        windowSystem_.setControlText(controlId, "");
    if (controlId == SpacingBox)
        spacingFocused();
}

void EditorDialog::editFocusLost(int controlId)
{
    // Leaving a box shows the true value again, whatever was typed.
    switch (controlId) {
    case LetterNumberBox:
        setBoxNumber(LetterNumberBox, currentLetter_);
        break;
    case CharacterBox:
        setCharacterBox(currentLetter_);
        break;
    case WidthBox:
        endStep(); // a width typed there is one step
        if (!showRangeBoxes())
            setBoxNumber(WidthBox, currentGlyph_->width);
        break;
    case CodesBox:
        codesBoxLeft();
        break;
    case SpacingBox:
        spacingLeft();
        break;
    case HeightBox:
        endStep(); // a height typed there is one step
        if (!showRangeBoxes())
            setBoxNumber(HeightBox, letterMode_ ? currentGlyph_->height : font_.lineHeight);
        break;
    default:
        break;
    }
}

void EditorDialog::selectLetter(int code, bool force)
{
    if (code == currentLetter_ && !force)
        return;
    dropPixelSelection();
    const int codes = font_.codeCount();
    currentLetter_ = ((code % codes) + codes) % codes;
    currentGlyph_ = &font_.glyphs[currentLetter_];
    showBlockOf(currentLetter_);
    setLetterMode(1);
    // While the user types a number, the box is left as typed.
    if (windowSystem_.focusedControl() != LetterNumberBox)
        setBoxNumber(LetterNumberBox, currentLetter_);
    setCharacterBox(currentLetter_);
    setBoxNumber(WidthBox, currentGlyph_->width);
    setBoxNumber(HeightBox, currentGlyph_->height);
    refreshWindow();
    // Taken last, after the box handlers above have written the size back.
    undoGlyph_ = *currentGlyph_;
}

void EditorDialog::setLetterMode(int mode)
{
    letterMode_ = mode;
    if (mode == 0)
        forgetPixelSelection();
    if (showRangeBoxes())
        return;
    windowSystem_.enableControl(WidthBox, mode != 0);
    setBoxNumber(HeightBox, letterMode_ ? currentGlyph_->height : font_.lineHeight);
}

void EditorDialog::refreshWindow()
{
    windowSystem_.refreshNow();
}

void EditorDialog::showOverview()
{
    if (!letterMode_)
        return;
    setLetterMode(0);
    refreshWindow();
}

int EditorDialog::boxNumber(int controlId)
{
    return decimalValue(boxText(controlId));
}

std::string EditorDialog::boxText(int controlId)
{
    return windowSystem_.controlText(controlId, BoxReadLimit);
}

void EditorDialog::setBoxNumber(int controlId, int value)
{
    windowSystem_.setControlText(controlId, std::to_string(value));
}

void EditorDialog::setCharacterBox(int code)
{
    // Code 0 cannot stand in the box: it shows as the empty text.
    windowSystem_.setControlText(CharacterBox, characterText(code));
}

void EditorDialog::letterNumberChanged()
{
    const int value = boxNumber(LetterNumberBox);
    if (value >= 1 && value < font_.codeCount())
        selectLetter(value, false);
}

void EditorDialog::characterChanged()
{
    const std::string text = boxText(CharacterBox);
    if (!text.empty()) {
        // The character's code in the encoding: "ш" is byte 248 in cp1251.
        const std::optional<int> code = codeOf(encoding_, firstCharacter(text));
        // A font of 128 codes takes any code, reduced into 0..127; a larger
        // one only the codes it holds.
        if (code && (font_.codeCount() == GlyphCount || *code < font_.codeCount())) {
            // A character typed after one refused takes back what was said of that one.
            if (windowSystem_.focusedControl() == CharacterBox)
                showStatus("");
            selectLetter(*code, false);
        } else // Only typing gets here: the program writes the characters the font holds.
            showStatus(text + (code ? " is past the font's last code" : " is not in " + encodingName(encoding_)));
    }
    windowSystem_.selectText(CharacterBox, 0, 1);
    windowSystem_.scrollCaretIntoView(CharacterBox);
}

void EditorDialog::widthChanged()
{
    if (rangeSizeChanged(WidthBox, &Glyph::width))
        return;
    const int value = boxNumber(WidthBox);
    if (!isGlyphSize(value))
        return;
    if (value != currentGlyph_->width) {
        dropPixelSelection(); // it holds the glyph at its old size
        beginTypedStep(WidthBox);
        history_.rememberGlyph(font_, currentLetter_);
        currentGlyph_->width = value;
        endTypedStep(WidthBox);
    }
    refreshWindow();
}

void EditorDialog::heightChanged()
{
    if (rangeSizeChanged(HeightBox, &Glyph::height))
        return;
    const int value = boxNumber(HeightBox);
    if (!isGlyphSize(value))
        return;
    if (!letterMode_) {
        // In the overview the box holds the font-wide line height.
        if (value != font_.lineHeight) {
            beginTypedStep(HeightBox);
            history_.rememberLineHeight(font_);
            font_.lineHeight = value;
            endTypedStep(HeightBox);
            updateTextPreview();
        }
        return;
    }
    if (value != currentGlyph_->height) {
        dropPixelSelection(); // it holds the glyph at its old size
        beginTypedStep(HeightBox);
        history_.rememberGlyph(font_, currentLetter_);
        currentGlyph_->height = value;
        endTypedStep(HeightBox);
    }
    refreshWindow();
}

void EditorDialog::stepCharacter(int step)
{
    const int codes = font_.codeCount();
    const int from = codeOf(encoding_, firstCharacter(boxText(CharacterBox))).value_or(0);
    int code = (from % codes + codes + step) % codes;
    // Step over the codes no character has: surrogates, and a code page's
    // undefined bytes and codes above 255.
    for (int tries = 0; tries < codes && code != 0 && characterText(code).empty(); ++tries)
        code = (code + codes + step) % codes;
    setCharacterBox(code);
}

void EditorDialog::stepWidth(int step)
{
    if (!letterMode_ && range_.glyphs.empty())
        return;
    setBoxNumber(WidthBox, steppedSize(boxNumber(WidthBox), step));
}

void EditorDialog::stepHeight(int step)
{
    setBoxNumber(HeightBox, steppedSize(boxNumber(HeightBox), step));
}

} // namespace glyphsmith
