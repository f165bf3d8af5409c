#include <cstdio>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/font_view.h"

// What character each code of the font stands for. Neither file format says:
// a font of 256 codes may be for cp1250 or cp1255, as the game decides. The
// user picks it in the Encoding list; the choice is remembered for the file
// (by its full path, in the program's settings) and never changes the font
// or its file, so it is no step of the history and leaves `modified` alone.
// The caption, the character box, the text preview and the status line over
// the overview all read codes through it.

namespace glyphsmith {

namespace {

// "NAME\tPATH" lines, the latest choice first.
const char* const FileEncodingsSetting = "fileEncodings";
// The code page last chosen for any file.
const char* const CodePageSetting = "codePage";
// How many files the settings remember an encoding for.
constexpr std::size_t RememberedFiles = 200;
constexpr int ByteCodes = 256;

const char* const UnicodeItem = "Unicode";

std::string listItem(TextEncoding encoding)
{
    return encoding.page ? std::string(encoding.page->name) : UnicodeItem;
}

std::string unicodeName(char32_t character)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
    return text;
}

// The remembered lines other than the one for `path`.
std::string linesWithout(const std::string& lines, const std::string& path, std::size_t keep)
{
    std::string kept;
    std::size_t count = 0;
    for (std::size_t at = 0; at < lines.size() && count < keep;) {
        std::size_t end = lines.find('\n', at);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(at, end - at);
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos && line.substr(tab + 1) != path) {
            kept += line + "\n";
            ++count;
        }
        at = end + 1;
    }
    return kept;
}

} // namespace

void EditorDialog::initEncodingList()
{
    std::vector<std::string> items { UnicodeItem };
    for (std::string_view name : codePageNames())
        items.emplace_back(name);
    windowSystem_.setListItems(EncodingList, items);
    windowSystem_.setToolTip(EncodingList,
        "What the font's codes stand for: Unicode, or the code page the game writes its text in. "
        "It changes no letter and nothing in the file");
    encoding_ = font_.codeCount() > ByteCodes ? TextEncoding {} : defaultCodePage();
    setEncoding(encoding_);
}

std::optional<TextEncoding> EditorDialog::rememberedEncoding(const std::string& path)
{
    const std::string lines = windowSystem_.setting(FileEncodingsSetting);
    for (std::size_t at = 0; at < lines.size();) {
        std::size_t end = lines.find('\n', at);
        if (end == std::string::npos)
            end = lines.size();
        const std::string_view line = std::string_view(lines).substr(at, end - at);
        const std::size_t tab = line.find('\t');
        if (tab != std::string_view::npos && line.substr(tab + 1) == path)
            return parseEncoding(line.substr(0, tab)); // a name this build does not know is forgotten
        at = end + 1;
    }
    return std::nullopt;
}

TextEncoding EditorDialog::defaultCodePage()
{
    for (const std::string& name : { windowSystem_.setting(CodePageSetting), windowSystem_.systemCodePage() })
        if (const CodePage* page = findCodePage(name))
            return { page };
    return { findCodePage("cp1252") };
}

void EditorDialog::takeEncodingOf(const std::string& path)
{
    const std::optional<TextEncoding> remembered = rememberedEncoding(path);
    setEncoding(remembered ? *remembered : font_.codeCount() > ByteCodes ? TextEncoding {} : defaultCodePage());
}

void EditorDialog::rememberEncoding(const std::string& path)
{
    if (path.empty())
        return;
    const std::string lines = windowSystem_.setting(FileEncodingsSetting);
    windowSystem_.setSetting(FileEncodingsSetting,
        encodingName(encoding_) + "\t" + path + "\n" + linesWithout(lines, path, RememberedFiles - 1));
}

void EditorDialog::setEncoding(TextEncoding encoding)
{
    encoding_ = encoding;
    previewRightToLeft_ = encoding_.page && encoding_.page->rightToLeft;
    windowSystem_.setControlText(EncodingList, listItem(encoding_));
    showCaption();
    // The box shows the true character again, unless the user is typing into it.
    if (windowSystem_.focusedControl() != CharacterBox)
        setCharacterBox(currentLetter_);
    statusCode_ = -1;
    showStatus("");
    updateTextPreview();
    showCoverage();
}

void EditorDialog::listChosen(int controlId)
{
    if (controlId == EncodingList)
        encodingChosen();
    else if (controlId == CoverageList)
        coverageChosen();
}

void EditorDialog::encodingChosen()
{
    const std::optional<TextEncoding> chosen = parseEncoding(windowSystem_.controlText(EncodingList, 64));
    if (!chosen) // the list holds only known names
        return;
    if (chosen->page)
        windowSystem_.setSetting(CodePageSetting, chosen->page->name);
    setEncoding(*chosen);
    rememberEncoding(encodingKey());
}

std::string EditorDialog::encodingKey() const
{
    // A font inside a game has no file of its own: the game's file and the
    // font's number name it.
    if (gameFont_.game)
        return gameFont_.game->savePath(gameFont_.number) + ":" + std::to_string(gameFont_.number);
    return filePath_;
}

void EditorDialog::showStatus(const std::string& text)
{
    windowSystem_.setControlText(StatusLine, text);
}

int EditorDialog::overviewCodeAt(int x, int y) const
{
    if (letterMode_ || x < ViewLeft || y < ViewTop)
        return -1;
    // The whole cell counts, the margin right of and below the glyph included.
    const GridCellSize cell = font_.gridCellSize();
    const int column = (x - ViewLeft) / (OverviewScale * cell.width);
    const int row = (y - ViewTop) / (OverviewScale * cell.height);
    const int code = shownBlockStart() + OverviewColumns * row + column;
    return column < OverviewColumns && row < OverviewRows && code < font_.codeCount() ? code : -1;
}

void EditorDialog::showCodeUnder(int x, int y)
{
    const int code = overviewCodeAt(x, y);
    if (code == statusCode_)
        return;
    statusCode_ = code;
    if (code < 0) {
        showStatus("");
        return;
    }
    const std::optional<char32_t> character = characterOf(encoding_, code);
    // Control characters and blanks are named by number only.
    const bool control = character && (*character <= 32 || (*character >= 127 && *character <= 160));
    const std::string text = control ? std::string() : characterText(code);
    showStatus(std::to_string(code) + ": "
        + (!character        ? "none in " + encodingName(encoding_)
                : text.empty() ? unicodeName(*character)
                               : text + " " + unicodeName(*character)));
}

} // namespace glyphsmith
