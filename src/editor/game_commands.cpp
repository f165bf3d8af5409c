#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/file_messages.h"
#include "editor/file_names.h"
#include "font/engine_check.h"
#include "gamedata/utf8_paths.h"

// Fonts inside games. Opening a game (an SCI game's folder or resource.map,
// an AGS game's file) lists its fonts and loads the one the user picks. Save
// then writes, for an SCI game, the patch file the game loads in preference
// to its own copy, in the game's folder, never the game's own files; for an
// AGS game, the game's file itself, whose original is kept beside it.

namespace glyphsmith {

namespace {

const char* const ChooseFontPrompt = "Choose the font to edit:";

// "Font 0 (agsfnt0.wfn): WFN, 1578 bytes": the number, the game's own name
// for the font, and its details.
std::string listLine(const GameFont& font)
{
    const std::string entry = font.entryName.empty() ? "" : " (" + font.entryName + ")";
    return "Font " + std::to_string(font.number) + entry + ": " + font.details + ", "
        + std::to_string(font.unpackedSize) + " bytes";
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(pathFromUtf8(path), error);
}

} // namespace

void EditorDialog::openGameFont(const std::string& path)
{
    GameResult result;
    std::unique_ptr<GameFonts> game = openGame(path, result);
    if (!game) {
        windowSystem_.showMessage(std::string(ReadErrorText) + "\n\n" + result.error, "", MessageButtons::Ok);
        return;
    }
    if (game->fonts().empty()) {
        windowSystem_.showMessage(game->gameName() + " holds no fonts.", "", MessageButtons::Ok);
        return;
    }
    const std::string caption = "Fonts of " + game->gameName() + " (" + game->kindName() + ")";
    ItemChoiceRequest request{ caption, ChooseFontPrompt, {}, 0 };
    for (const GameFont& font : game->fonts())
        request.items.push_back(listLine(font));
    const std::optional<int> chosen = windowSystem_.chooseItem(request);
    if (!chosen)
        return;
    const GameFont& font = game->fonts()[static_cast<std::size_t>(*chosen)];
    if (!font.openable) {
        windowSystem_.showMessage("Font " + std::to_string(font.number) + " of " + game->gameName()
                + " cannot be edited here (" + font.details + ").",
            "", MessageButtons::Ok);
        return;
    }

    // Loading a font is one step: undoing it brings back the font before it.
    beginStep();
    history_.rememberFont(font_);
    result = game->readFont(font.number, font_);
    if (!result.ok()) {
        history_.discardStep(); // a failed read changes nothing
        windowSystem_.showMessage(std::string(ReadErrorText) + "\n\n" + result.error, "", MessageButtons::Ok);
        return;
    }
    // Save As offers the patch's own name.
    FileNames names = fileNamesOf(font.entryName);
    setFileNames(std::move(names.title), std::move(names.extension));
    fontResized();
    setCaptionBase(std::string(programName) + " (" + game->gameName() + " font " + std::to_string(font.number) + ")");
    setLetterMode(0);
    refreshWindow();
    filePath_.clear();
    gameFont_.number = font.number;
    gameFont_.game = std::move(game);
    takeEncodingOf(encodingKey());
    gameFont_.patchMayBeReplaced = false;
    history_.markSaved(font_);
    modified_ = false;
}

bool EditorDialog::saveGamePatch()
{
    const std::string path = gameFont_.game->savePath(gameFont_.number);
    // A game whose own file takes the font keeps its original itself.
    const bool intoGame = gameFont_.game->savesIntoGameFile();
    if (!intoGame && !gameFont_.patchMayBeReplaced && fileExists(path)) {
        const std::string question = gameFont_.game->gameName() + " already has a patch for font " + std::to_string(gameFont_.number)
            + " (" + path.substr(path.find_last_of("/\\") + 1) + "). Replace it?";
        if (windowSystem_.showMessage(question, "Replace patch?", MessageButtons::YesNoCancel) != MessageResult::Yes)
            return false;
    }
    beginStep();
    const GameResult result = gameFont_.game->saveFont(gameFont_.number, font_);
    if (!result.ok()) {
        windowSystem_.showMessage(std::string(WriteErrorText) + "\n\n" + result.error, "", MessageButtons::Ok);
        return false;
    }
    gameFont_.patchMayBeReplaced = true;
    history_.markSaved(font_);
    modified_ = false;
    if (intoGame)
        warnOfGameFontChanges();
    else
        warnOfEngineChanges(path);
    return true;
}

void EditorDialog::warnOfGameFontChanges()
{
    // The font as the game now holds it; the game file itself is no font file.
    std::vector<std::uint8_t> bytes;
    if (!gameFont_.game->fontFile(gameFont_.number, bytes).ok())
        return;
    const auto listed = std::ranges::find(gameFont_.game->fonts(), gameFont_.number, &GameFont::number);
    std::string extension = listed != gameFont_.game->fonts().end() ? fileNamesOf(listed->entryName).extension : "";
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool wfn = extension == "wfn";
    const EngineCheck check = wfn ? checkWithAgs(bytes) : checkWithScummVm(bytes);
    if (check.verdict != EngineVerdict::Loads)
        windowSystem_.showMessage(engineCheckLine(gameFont_.game->gameName() + " font " + std::to_string(gameFont_.number), check), "",
            MessageButtons::Ok);
}

} // namespace glyphsmith
