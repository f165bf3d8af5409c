#pragma once

// The editor's one window. EditorDialog holds the editor's state (the current
// letter, the view, the clipboard and undo glyphs, the unsaved-changes flag,
// the current file's name) and handles every control of the dialog. It edits
// the one BitmapFont in place and reaches the screen only through WindowSystem.
//
// The class is spread over files by concern: each group of declarations
// below names the file that defines it (src/README.md lists them too);
// editor_dialog.cpp holds the state, the boxes and arrows and the dispatch
// of commands.
//
// Any code that changes the font records the change first: beginStep(),
// then history_.rememberGlyph / rememberLineHeight / rememberCodeCount /
// rememberFont for what it is about to change, then the change, then
// endStep(), which also brings `modified` in line.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "editor/application_hooks.h"
#include "editor/coverage_state.h"
#include "editor/edited_game_font.h"
#include "editor/letter_drawing_state.h"
#include "editor/range_state.h"
#include "editor/undo_history.h"
#include "font/font_files.h"
#include "font/text_encoding.h"
#include "platform/window_system.h"

namespace glyphsmith {

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
    // What the font's codes stand for; never part of the file.
    TextEncoding encoding() const { return encoding_; }
    // The glyphs selected in the overview.
    const GlyphRange& range() const { return range_.glyphs; }
    DrawingTool tool() const { return drawing_.tool; }
    const LetterGuides& guides() const { return drawing_.guides; }
    bool referenceShown() const { return drawing_.reference.shown; }
    // The pixels selected in letter mode, while there are any.
    const std::optional<FloatingPixels>& pixelSelection() const { return drawing_.selection; }

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
    void listChosen(int controlId) override;

private:
    struct GlyphSize {
        int width;
        int height;
        bool operator==(const GlyphSize&) const = default;
    };

    // The boxes and arrows (editor_dialog.cpp).
    int boxNumber(int controlId);
    // A box's text as the boxes are read: at most nine characters.
    std::string boxText(int controlId);
    // 1 to 64: a width or height a glyph may take.
    static bool isGlyphSize(int value) { return value >= 1 && value <= MaxGlyphSize; }
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
    // The first character of a box's text: UTF-8, or a byte of its own where
    // the text is not UTF-8; 0 for the empty text.
    static char32_t firstCharacter(std::string_view text);
    // The text of code `code` in the encoding: UTF-8, empty for 0 and for
    // codes no character has.
    std::string characterText(int code) const;
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

    // The encoding (encoding_commands.cpp).
    void initEncodingList();
    // The encoding remembered for the file at `path`, if any.
    std::optional<TextEncoding> rememberedEncoding(const std::string& path);
    // The code page a font of at most 256 codes starts in: the one last
    // chosen, else the system's own, else cp1252.
    TextEncoding defaultCodePage();
    // Takes the encoding for the font just loaded from `path`: the one
    // remembered for it, else Unicode for more than 256 codes, else defaultCodePage.
    void takeEncodingOf(const std::string& path);
    // Remembers the current encoding for the file at `path`.
    void rememberEncoding(const std::string& path);
    // What the encoding is remembered by: the font's file, or its game and number.
    std::string encodingKey() const;
    // Shows `encoding` everywhere: the list, caption, character box, preview.
    void setEncoding(TextEncoding encoding);
    void encodingChosen();
    // The status line under the list.
    void showStatus(const std::string& text);
    // Names the code under the mouse in the overview, if any.
    void showCodeUnder(int x, int y);
    // The code of the overview cell at client point (x, y), or -1.
    int overviewCodeAt(int x, int y) const;

    // The coverage check of a text file (coverage_commands.cpp).
    void initCoverageList();
    void coverageChosen();
    void checkTextFile();
    // Checks the text last read against the font in its encoding and lists the result.
    void showCoverage();

    // Painting (font_view.cpp).
    void paintLetter(ClientSurface& surface);
    void paintOverview(ClientSurface& surface);
    void paintSelectionFrame(ClientSurface& surface);
    // The letter's and the clipboard's small previews, drawn again on top.
    void paintLetterPreviews(ClientSurface& surface);
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
    // `fontFileCodePage`: see FileServices.
    FileServices fileServices(const CodePage* fontFileCodePage = nullptr);

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
    void press(int x, int y, unsigned keys);
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

    // Flips, turns, invert and bold (reshape_commands.cpp): of the current
    // glyph, of the rectangular selection or of the range, as one step.
    void reshape(void (*transform)(Glyph&));
    // Draws the current glyph after a change; a new size also goes to the boxes.
    void showReshapedGlyph(GlyphSize before);
    void flipHorizontal();
    void flipVertical();
    void rotateClockwise();
    void rotateAnticlockwise();
    void rotateHalfTurn();
    void invert();
    void bold();

    // A range of glyphs in the overview (range_commands.cpp).
    // A press on `code` in the overview with the mouse keys `keys`.
    void overviewPress(int code, unsigned keys);
    // Selects from the range's anchor (the current letter when there is no
    // range) to `end`.
    void extendRange(int end);
    void stepRange(int step);
    void rangeLeft();
    void rangeRight();
    void rangeUp();
    void rangeDown();
    // A range in the overview, or pixels selected in letter mode.
    bool hasSelection() const;
    bool inOverview() const;
    // Escape while there is a selection: lets go of it.
    void clearSelection();
    // The Width and Height boxes for the range; true when there is a range.
    bool showRangeBoxes();
    // showRangeBoxes and a fresh picture.
    void showRange();
    void reshapeRange(void (*transform)(Glyph&));
    void copyRange();
    void pasteRange();
    void clearRange();
    // The Spacing box: the widths it counts from are taken when it gets the
    // focus; each number typed gives every glyph of the range that many blank
    // columns more, and leaving the box ends the step and empties it.
    void spacingFocused();
    void spacingChanged();
    void spacingLeft();
    // A size in the Width or Height box (`box`) for the range, given to each
    // glyph's `size`; false when there is no range and the box has its usual meaning.
    bool rangeSizeChanged(int box, std::int32_t Glyph::*size);

    // Pixels selected in letter mode (selection_commands.cpp).
    bool hasPixelSelection() const;
    // A press of the selection tool: moves the selection when it lands in
    // it, otherwise starts a new one.
    void selectionPress(GlyphPoint point, bool onGlyph);
    // Selects the rectangle with corners a and b (cut to the glyph).
    void selectPixels(GlyphPoint a, GlyphPoint b);
    // Moves the floating pixels to `at`, within the open step.
    void placeSelection(GlyphPoint at);
    void moveSelectionBy(int dx, int dy);
    void selectionLeft();
    void selectionRight();
    void selectionUp();
    void selectionDown();
    // Puts the selected pixels down where they are and forgets the selection.
    void dropPixelSelection();
    // Forgets the selection without touching the glyph, for undo and redo.
    void forgetPixelSelection();
    // Applies `transform` to the selected pixels; false when none are selected.
    bool reshapeSelection(void (*transform)(Glyph&));
    // Each false when no pixels are selected.
    bool copySelection();
    bool deleteSelection();
    void cutSelection();
    // The clipboard glyph as a new selection at the top-left corner.
    void pasteAsSelection();
    // Ctrl+Delete: the selected pixels in letter mode, the range's in the overview.
    void clearSelected();

    // The guides of letter mode (letter_guides.cpp).
    // The current file's guides from the settings; none for a font without a file.
    void loadGuides();
    void saveGuides();
    // A press on the markers' strip starts dragging the nearer marker; false
    // when the press lies elsewhere.
    bool guidePress(int x, int y);
    void guideMove(int y);
    // Ends a marker's drag and keeps the guides for the file.
    void guideRelease();
    void paintGuides(ClientSurface& surface);

    // The tracing reference of letter mode (tracing_reference.cpp).
    void toggleReference();
    // Asks for the reference's font file; cancelling goes back to the system font.
    void chooseReference();
    // The current character as the reference draws it; null while it is
    // hidden or has no such character.
    const Glyph* referenceGlyph();
    // Draws the current character into the reference's glyph; false when it cannot.
    bool drawReference();
    void paintReference(ClientSurface& surface);

    // The drawing tools of letter mode (tool_editing.cpp).
    // The glyph cell under client point (x, y); it may lie outside the glyph.
    GlyphPoint glyphPointAt(int x, int y) const;
    // The nearest cell of the current glyph's used area.
    GlyphPoint insideGlyph(GlyphPoint point) const;
    void toolPress(int x, int y);
    void toolMove(unsigned keys, int x, int y);
    void toolRelease();
    // The rubber band: the glyph as at the press with the shape to `to` on it.
    void drawShape(GlyphPoint to, unsigned keys);
    void chooseTool(DrawingTool tool);
    // The chosen tool's button shows its caption in brackets.
    void showTool();
    void choosePencil();
    void chooseLine();
    void chooseRectangle();
    void chooseFilledRectangle();
    void chooseFloodFill();
    void chooseSelect();

    // Keys and tooltips (key_commands.cpp).
    struct KeyBinding;
    static std::span<const KeyBinding> keyBindings();
    // Runs the command of the key that button `controlId` stands for.
    void buttonByKeyTable(int controlId);
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
    // Runs the preview the other way (Ctrl+Shift+T).
    void togglePreviewDirection();

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
    // The game whose font is being edited, if any.
    EditedGameFont gameFont_;
    // The client area as the dialog template lays it out; the overview never
    // fits the window smaller.
    PixelSize templateClientSize_;
    TextEncoding encoding_;
    // The preview runs right to left: set with a Hebrew or Arabic code page, flipped by Ctrl+Shift+T.
    bool previewRightToLeft_ = false;
    // The code the status line names, so moves within one cell do not repeat it.
    int statusCode_ = -1;
    // The last check of a text file against the font.
    CoverageState coverage_;
    // The glyphs selected in the overview and what the range commands keep.
    RangeState range_;
    // The tools, selection, guides and tracing reference of letter mode.
    LetterDrawing drawing_;
};

} // namespace glyphsmith
