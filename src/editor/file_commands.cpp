#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/file_messages.h"
#include "editor/file_names.h"
#include "font/engine_check.h"
#include "font/font_file_import.h"
#include "font/font_format.h"

// Open, Save and Quit, the unsaved-changes prompt that guards Open and Quit,
// and the loading shared with start-up. The only memory of the current file
// is its title and extension: they seed the next file dialog, choose the
// format and make up the caption.

namespace glyphsmith {

namespace {

const char* const OpenFilter
    = "All supported font files|font.*;*.0;*.ttf;*.otf;*.ttc;*.bdf;*.pcf;*.pcf.gz;*.fon;*.fnt;*.wfn;*.bmp;resource.map;*.ags;*.exe;ac2game.dat|"
      "AGS font (*.wfn)|*.wfn|SCI font (font.*, *.0, *.fon)|font.*;*.0;*.fon|SCI game (resource.map)|resource.map|"
      "AGS game (*.ags, *.exe, ac2game.dat)|*.ags;*.exe;ac2game.dat|"
      "TrueType and OpenType fonts (*.ttf, *.otf, *.ttc)|*.ttf;*.otf;*.ttc|"
      "Bitmap fonts (*.bdf, *.pcf, *.pcf.gz, *.fon, *.fnt)|*.bdf;*.pcf;*.pcf.gz;*.fon;*.fnt|"
      "Windows bitmap (*.bmp)|*.bmp|All files (*.*)|*.*||";
// The same without BDF and PCF, for a font-file reader that does not read them.
const char* const OpenFilterWithoutBdfAndPcf
    = "All supported font files|font.*;*.0;*.ttf;*.otf;*.ttc;*.fon;*.fnt;*.wfn;*.bmp;resource.map;*.ags;*.exe;ac2game.dat|"
      "AGS font (*.wfn)|*.wfn|SCI font (font.*, *.0, *.fon)|font.*;*.0;*.fon|SCI game (resource.map)|resource.map|"
      "AGS game (*.ags, *.exe, ac2game.dat)|*.ags;*.exe;ac2game.dat|"
      "TrueType and OpenType fonts (*.ttf, *.otf, *.ttc)|*.ttf;*.otf;*.ttc|"
      "Bitmap fonts (*.fon, *.fnt)|*.fon;*.fnt|"
      "Windows bitmap (*.bmp)|*.bmp|All files (*.*)|*.*||";
const char* const SaveFilter
    = "AGS font (*.wfn)|*.wfn|SCI font (*.0, *.fon)|*.0;*.fon|Windows bitmap (*.bmp)|*.bmp||";

// Hide the read-only box; the folder must exist; for Open the file must
// exist, for Save an existing file is overwritten only after asking.
constexpr unsigned OpenFlags = 4 | 2048 | 4096;
constexpr unsigned SaveFlags = 2 | 4 | 2048;

const char* const SaveChangesText = "Do you want to save the changes made to this font?,";
const char* const SaveChangesCaption = "Save changes?";

std::string captionFor(std::string_view fileName)
{
    return std::string(programName) + " (" + std::string(fileName) + ")";
}

} // namespace

FileServices EditorDialog::fileServices(const CodePage* fontFileCodePage)
{
    return { windowSystem_, &windowSystem_.systemFontRenderer(), hooks_.fontFiles, fontFileCodePage };
}

bool EditorDialog::offerToSaveChanges()
{
    if (!modified_)
        return true;
    switch (windowSystem_.showMessage(SaveChangesText, SaveChangesCaption, MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
        // Going on after a save that did not happen would lose the edits.
        return saveFont();
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

void EditorDialog::openFont()
{
    if (!offerToSaveChanges())
        return;
    // Read the names only now, so that a file just saved under a new name is
    // the one offered.
    const bool bdfAndPcf = !hooks_.fontFiles || hooks_.fontFiles->readsBdfAndPcf();
    std::optional<FileDialogAnswer> answer = windowSystem_.fileDialog({ FileDialogKind::Open,
        bdfAndPcf ? OpenFilter : OpenFilterWithoutBdfAndPcf, OpenFlags, fileTitle_, fileExt_ });
    if (!answer)
        return;
    setFileNames(answer->title, answer->extension);
    loadFontFile(answer->path);
}

bool EditorDialog::saveFont()
{
    // A font from a game is saved where the game takes it.
    if (gameFont_.game)
        return saveGamePatch();
    return saveAs();
}

bool EditorDialog::saveAs()
{
    std::optional<FileDialogAnswer> answer
        = windowSystem_.fileDialog({ FileDialogKind::Save, SaveFilter, SaveFlags, fileTitle_, fileExt_ });
    if (!answer)
        return false;
    // The new names stay even if the write fails, so the next dialog offers them.
    setFileNames(answer->title, answer->extension);
    return writeFontTo(answer->path, answer->name);
}

void EditorDialog::saveToCurrentFile()
{
    if (gameFont_.game) {
        saveGamePatch();
        return;
    }
    if (filePath_.empty()) {
        saveFont();
        return;
    }
    writeFontTo(filePath_, fileTitle_ + "." + fileExt_);
}

bool EditorDialog::writeFontTo(const std::string& path, const std::string& fileName)
{
    beginStep();
    const FontFormat format = formatToWrite(formatForExtension(fileExt_, fileTitle_), path);
    const FileResult result = writeFontFile(font_, format, path, fileServices());
    switch (result.outcome) {
    case FileOutcome::Done:
        setCaptionBase(captionFor(fileName));
        filePath_ = path;
        gameFont_.game.reset(); // the font is now that file's
        rememberEncoding(path);
        saveGuides(); // a new name takes the guides along
        history_.markSaved(font_);
        modified_ = false;
        warnOfEngineChanges(path);
        return true;
    case FileOutcome::Refused:
        // The writer has said why; nothing was saved, so the font stays changed.
        return false;
    case FileOutcome::Failed:
        // The reason matters here: a font too large for the format needs
        // other action than a full disk does.
        windowSystem_.showMessage(std::string(WriteErrorText) + "\n\n" + describe(result), "", MessageButtons::Ok);
        // A Windows font of that name stays; the font can still go elsewhere.
        if (result.error == FileError::NotAnSciFont)
            return saveFont();
        return false;
    }
    return false;
}

void EditorDialog::warnOfEngineChanges(const std::string& path)
{
    // The file stays as written: whether a game may change it is the user's call.
    std::string text;
    for (const std::string& line : engineWarnings(path))
        text += (text.empty() ? "" : "\n") + line;
    if (!text.empty())
        windowSystem_.showMessage(text, "", MessageButtons::Ok);
}

void EditorDialog::filesDropped(const std::vector<std::string>& paths)
{
    // One font at a time: the first file dropped is the one opened.
    if (paths.empty() || !offerToSaveChanges())
        return;
    FileNames names = fileNamesOf(paths.front());
    setFileNames(std::move(names.title), std::move(names.extension));
    loadFontFile(paths.front());
}

void EditorDialog::quitEditor()
{
    if (!offerToSaveChanges())
        return;
    windowSystem_.endDialog(DialogCancel);
}

void EditorDialog::loadFontFile(const std::string& path)
{
    if (looksLikeGame(path)) {
        openGameFont(path);
        return;
    }
    // A load is one step: undoing it brings back the font before it.
    beginStep();
    history_.rememberFont(font_);
    // A font file (TrueType, BDF, ...) fills codes 128 to 255 from the code
    // page the file was last used with, or the one a new font starts in.
    const std::optional<TextEncoding> remembered = rememberedEncoding(path);
    const CodePage* importPage = remembered ? remembered->page : defaultCodePage().page;
    const FileResult result
        = readFontFile(font_, formatForExtension(fileExt_, fileTitle_), path, fileServices(importPage));
    if (!result.ok())
        history_.discardStep(); // a reader that fails changes nothing
    if (result.outcome == FileOutcome::Refused)
        return; // the reader has said why and changed nothing
    if (result.outcome == FileOutcome::Failed) {
        windowSystem_.showMessage(std::string(ReadErrorText) + "\n\n" + describe(result), "", MessageButtons::Ok);
        return;
    }
    // The font may now hold another number of codes, and a range chosen in
    // the old one means nothing in it.
    range_.glyphs.clear();
    fontResized();
    setCaptionBase(captionFor(fileTitle_ + "." + fileExt_));
    setLetterMode(0);
    filePath_ = path;
    gameFont_.game.reset();
    takeEncodingOf(path);
    loadGuides();
    refreshWindow();
    history_.markSaved(font_);
    modified_ = false;
    if (!result.warning.empty())
        windowSystem_.showMessage(result.warning, "", MessageButtons::Ok);
}

} // namespace glyphsmith
