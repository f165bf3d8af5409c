#include <cstdio>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "font/file_io.h"
#include "font/utf8.h"

// The coverage check in the editor: the characters of a text file (a
// translation, a script) that the font cannot draw in its encoding, listed in
// the Check list under the Encoding list. Choosing one goes to its letter: an
// empty glyph's code is selected, and a character without a code is put in
// the character box, which says why it is not there.

namespace glyphsmith {

namespace {

const char* const CheckItem = "Check a text...";
const char* const TextFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*||";
constexpr unsigned TextOpenFlags = 4 | 2048 | 4096; // no read-only box; folder and file must exist
constexpr std::size_t MaxTextBytes = std::size_t { 64 } << 20;
// The items before the characters: the command and the summary.
constexpr std::size_t LeadingItems = 2;

} // namespace

void EditorDialog::initCoverageList()
{
    windowSystem_.setListItems(CoverageList, { CheckItem });
    windowSystem_.setToolTip(CoverageList,
        "Check a text file (UTF-8) against the font: lists each character the font cannot draw in its "
        "encoding, with how often it is used; choose one to go to its letter");
}

void EditorDialog::coverageChosen()
{
    const std::string chosen = windowSystem_.controlText(CoverageList, 256);
    if (chosen == CheckItem) {
        checkTextFile();
        return;
    }
    for (std::size_t index = 0; index < coverage_.uncovered.size(); ++index) {
        if (coverage_.items[LeadingItems + index] != chosen)
            continue;
        const UncoveredCharacter& entry = coverage_.uncovered[index];
        if (entry.code && *entry.code < font_.codeCount()) {
            selectLetter(*entry.code, true);
        } else {
            // The box says why the font has no letter for it.
            std::string text;
            appendUtf8(text, entry.character);
            windowSystem_.setControlText(CharacterBox, text);
            showStatus(text + (entry.code ? " is past the font's last code" : " is not in " + encodingName(encoding_)));
        }
        return;
    }
}

void EditorDialog::checkTextFile()
{
    const std::optional<FileDialogAnswer> answer
        = windowSystem_.fileDialog({ FileDialogKind::Open, TextFilter, TextOpenFlags, {}, "txt" });
    if (!answer) {
        windowSystem_.setControlText(CoverageList, coverage_.items.size() > 1 ? coverage_.items[1] : CheckItem);
        return;
    }
    std::vector<std::uint8_t> bytes;
    if (const FileError error = readWholeFile(answer->path, MaxTextBytes, bytes); error != FileError::None) {
        windowSystem_.showMessage("Cannot read " + answer->name + ".\n\n" + describe(FileResult::failed(error)), "",
            MessageButtons::Ok);
        return;
    }
    coverage_.text = std::string(bytes.begin(), bytes.end());
    coverage_.fileName = answer->name;
    showCoverage();
}

void EditorDialog::showCoverage()
{
    if (coverage_.fileName.empty())
        return;
    coverage_.uncovered = uncoveredCharacters(font_, coverage_.text, encoding_);
    coverage_.items = { CheckItem,
        coverage_.uncovered.empty() ? coverage_.fileName + ": all drawn"
                           : coverage_.fileName + ": " + std::to_string(coverage_.uncovered.size()) + " missing" };
    for (const UncoveredCharacter& entry : coverage_.uncovered) {
        std::string item;
        // Blanks and control characters are named by their number.
        if (entry.character <= ' ' || (entry.character >= 0x7f && entry.character <= 0xa0)) {
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(entry.character));
            item = number;
        } else
            appendUtf8(item, entry.character);
        item += " x" + std::to_string(entry.count) + ", line " + std::to_string(entry.firstLine);
        coverage_.items.push_back(item);
    }
    windowSystem_.setListItems(CoverageList, coverage_.items);
    windowSystem_.setControlText(CoverageList, coverage_.items[1]);
}

} // namespace glyphsmith
