#pragma once

// The editor's one window. EditorDialog holds the editor's state (the current
// letter, the view, the clipboard and undo glyphs, the unsaved-changes flag,
// the current file's name) and handles every control of the dialog. It edits
// the one BitmapFont in place and reaches the screen only through WindowSystem.
//
// The class is spread over files by concern: editor_dialog.cpp (state,
// selection, the boxes and arrows, the dispatch of commands), font_view.cpp
// (painting), file_commands.cpp (Open, Save, Quit, drops), mouse_editing.cpp
// and glyph_commands.cpp (pixel edits and the glyph buttons), code_blocks.cpp
// (fonts of more than 128 codes: paging, the character text, growing and
// shrinking the font), game_commands.cpp (fonts inside games: opening one
// from a game's list, saving it as the patch the game loads),
// history_commands.cpp (the steps of the undo history,
// Ctrl+Z and Ctrl+Y), key_commands.cpp (the keys and the tooltips) and
// text_preview.cpp.
//
// Any code that changes the font records the change first: beginStep(),
// then history_.rememberGlyph / rememberLineHeight / rememberCodeCount /
// rememberFont for what it is about to change, then the change, then
// endStep(), which also brings `modified` in line.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "editor/undo_history.h"
#include "font/font_files.h"
#include "gamedata/game_fonts.h"
#include "platform/window_system.h"

namespace glyphsmith {

// What the application around the editor adds to it.
struct ApplicationHooks {
    // Runs at the end of the dialog's initialisation, before the window is
    // first shown: registration of the file types and the command-line file.
    std::function<void()> startUp;
    // The About button.
    std::function<void()> about;
    // Reads desktop font files (TrueType, BDF, ...) for Open; null where none is built in.
    FontFileReader* fontFiles = nullptr;
};

class EditorDialog : public DialogHandler {
public:
    EditorDialog(WindowSystem& windowSystem, BitmapFont& font, ApplicationHooks hooks = {});

    // --- Operations the rest of the program uses ---

    // Makes glyph `code` (reduced into 0..codeCount() - 1) current and shows
    // it in letter mode. Selecting the current code again does nothing unless `force`.
    void selectLetter(int code, bool force);
    // 1 = letter mode, 0 = overview; brings the Width and Height boxes in line.
    void setLetterMode(int mode);
    // Erases the whole client area and paints it again before returning.
    void refreshWindow();
    // Draws the font view over what is on screen, without erasing first.
    void paintFontView();
    // Reads `path` in the format that fileExt names; fileTitle and fileExt
    // must already name that file. A game (its folder or resource.map) is
    // opened instead, through the list of its fonts.
    void loadFontFile(const std::string& path);
    void setFileNames(std::string title, std::string extension);

    // Fonts of more than 128 codes (code_blocks.cpp). The overview shows one
    // block of 128 codes, 16 by 8.
    // Shows the previous (-1) or next (+1) block; in letter mode selects the
    // letter at the same place in that block (or the last code). Nothing
    // happens past the first or last block.
    void stepBlock(int direction);
    // Makes the font hold `count` codes (clamped to 128 .. 65536). Shrinking
    // past glyphs that are not empty asks first. True when the font changed.
    bool resizeFont(int count);
    // The first code of the block the overview shows.
    int shownBlockStart() const { return shownBlock_ * GlyphCount; }

    // --- State, for the application and for tests ---

    int currentLetter() const { return currentLetter_; }
    int letterMode() const { return letterMode_; }
    int paintValue() const { return paintValue_; }
    bool modified() const { return modified_; }
    const Glyph& currentGlyph() const { return *currentGlyph_; }
    const Glyph& clipboardGlyph() const { return clipboardGlyph_; }
    const Glyph& undoGlyph() const { return undoGlyph_; }
    const std::string& fileTitle() const { return fileTitle_; }
    const std::string& fileExt() const { return fileExt_; }
    const UndoHistory& history() const { return history_; }

    // --- DialogHandler ---

    void initDialog() override;
    void command(int controlId) override;
    void editChanged(int controlId) override;
    void editFocusGained(int controlId) override;
    void editFocusLost(int controlId) override;
    void mouse(MouseAction action, int x, int y, unsigned keys) override;
    void paint() override;
    Icon dragIcon() override { return appIcon_; }
    void cancel() override { quitEditor(); }
    bool keyPressed(int key, unsigned modifiers) override;
    void filesDropped(const std::vector<std::string>& paths) override;
    void textPreviewChanged() override;
    void textPreviewClosed() override;

private:
    // The boxes and arrows (editor_dialog.cpp).
    int boxNumber(int controlId);
    void setBoxNumber(int controlId, int value);
    void setCharacterBox(int code);
    void letterNumberChanged();
    void characterChanged();
    void widthChanged();
    void heightChanged();
    void stepCharacter(int step);
    void stepWidth(int step);
    void stepHeight(int step);
    void showOverview();

    // Fonts of more than 128 codes (code_blocks.cpp).
    // The code of the first character of a box's text: UTF-8, or a byte of
    // its own where the text is not UTF-8; 0 for the empty text.
    static int characterCode(std::string_view text);
    // The text of code `code`: UTF-8, empty for 0 and for codes no character has.
    static std::string characterText(int code);
    // Brings the editor in line with a font whose number of codes may have
    // changed: the current letter, the shown block, the Codes box, the caption.
    void fontResized();
    void codesBoxLeft();
    // Shows the block holding `code` in the overview.
    void showBlockOf(int code);
    // The caption without the shown codes; set after a load or a save.
    void setCaptionBase(std::string caption);
    // The caption base and, for a font of more than 128 codes, the codes
    // shown, for example "Glyphsmith (font.wfn) U+0400-U+047F".
    void showCaption();

    // Painting (font_view.cpp).
    void paintLetter(ClientSurface& surface);
    void paintOverview(ClientSurface& surface);
    void fitWindowToOverview(GridCellSize cell);
    void paintMinimised();

    // File commands (file_commands.cpp).
    void openFont();
    // True when the font was written.
    bool saveFont();
    void saveUnderNewName() { saveAs(); }
    // Asks for a name and saves there (the Save button, and the prompt's Yes,
    // when no game font is open).
    bool saveAs();
    // Saves to the file last loaded or saved without asking for a name; with
    // no such file, as saveFont.
    void saveToCurrentFile();
    // Writes the font to `path` in the format fileExt names and tells the
    // user how it went; true when it was written.
    bool writeFontTo(const std::string& path, const std::string& fileName);
    void quitEditor();
    // Tells the user when a game engine would refuse or change the font just saved.
    void warnOfEngineChanges(const std::string& path);
    // False when the command that asked must stop: the user cancelled, or
    // chose to save and the save did not happen.
    bool offerToSaveChanges();
    FileServices fileServices();

    // Fonts inside games (game_commands.cpp).
    // Opens the game at `path`, lets the user choose one of its fonts and loads it.
    void openGameFont(const std::string& path);
    // Saves the game font being edited where the game loads it: as its patch
    // file, asking first when that would replace a patch this session has not
    // written, or into the game's own file (an AGS package).
    bool saveGamePatch();
    // Tells the user when the game's engine would refuse or change the font
    // just saved into the game's own file.
    void warnOfGameFontChanges();

    // Mouse editing (mouse_editing.cpp).
    void press(int x, int y);
    void move(unsigned keys, int x, int y);

    // Glyph commands (glyph_commands.cpp).
    // In letter mode: applies `transform` to the current glyph, draws it and
    // marks the font changed.
    void transformCurrentGlyph(void (*transform)(Glyph&));
    void shiftUp();
    void shiftDown();
    void shiftLeft();
    void shiftRight();
    void fillGlyph();
    void copyGlyph();
    void pasteGlyph();
    void undoEdits();
    void outlineFont();

    // Keys and tooltips (key_commands.cpp).
    struct KeyBinding;
    static std::span<const KeyBinding> keyBindings();
    void setToolTips();
    void previousLetter();
    void nextLetter();
    void previousBlock();
    void nextBlock();
    void narrowerGlyph();
    void widerGlyph();
    void lowerGlyph();
    void tallerGlyph();
    void showAbout();

    // The text preview window (text_preview.cpp).
    void toggleTextPreview();
    // Draws the preview again from the font, when it is shown.
    void updateTextPreview();
    // Puts back the text of the last run.
    void restoreTextPreview();

    // The history of changes (history_commands.cpp).
    // Closes a step left open (a drag) before a command records its own.
    void beginStep();
    // Closes the step just recorded; `modified` follows the history.
    void endStep();
    // The same for a value typed into `box`: while the box has the focus the
    // step stays open, so "12" typed into Width is one step, not two; it
    // closes when the box loses the focus or another change begins.
    void beginTypedStep(int box);
    void endTypedStep(int box);
    void undoStep();
    void redoStep();
    struct GlyphSize {
        int width;
        int height;
        bool operator==(const GlyphSize&) const = default;
    };
    GlyphSize shownGlyphSize() const;
    // Brings the boxes and the picture in line with a font the history
    // changed; `shownBefore` is the current glyph's size before the change.
    void showHistoryState(GlyphSize shownBefore);

    WindowSystem& windowSystem_;
    BitmapFont& font_;
    ApplicationHooks hooks_;
    Icon appIcon_;

    int currentLetter_ = 0;
    int letterMode_ = 0;
    int paintValue_ = 0;
    bool modified_ = false;
    // The font's glyph of currentLetter_; every edit lands in the font at once.
    Glyph* currentGlyph_;
    // Both start as 0 x 0 glyphs with every cell clear.
    Glyph clipboardGlyph_;
    Glyph undoGlyph_;
    UndoHistory history_;
    std::string fileTitle_;
    std::string fileExt_;
    // The block of 128 codes the overview shows.
    int shownBlock_ = 0;
    // The caption without the shown codes, and the whole caption last set.
    std::string captionBase_;
    std::string caption_;
    // The full path of the file last loaded or saved; empty when none.
    std::string filePath_;
    // The game whose font is being edited, with that font's number; null
    // when the font came from a file of its own.
    std::unique_ptr<GameFonts> game_;
    int gameFont_ = 0;
    // The user has agreed to replace the font's patch, or this session wrote it.
    bool patchMayBeReplaced_ = false;
    // The client area as the dialog template lays it out; the overview never
    // fits the window smaller.
    PixelSize templateClientSize_;
};

} // namespace glyphsmith
