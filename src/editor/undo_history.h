#pragma once

// The editor's history of font changes, for undo and redo. A step is what one
// user action changed: the glyphs of the codes it touched, the line height,
// the number of codes, or the whole font where a load replaced it. Only what
// changed is stored, so thousands of steps on a small font take a few
// megabytes.
//
// Recording: before changing something, tell the history (rememberGlyph,
// rememberLineHeight, rememberCodeCount, rememberFont); then change the font;
// then call endStep. Everything remembered since the last endStep is one
// step, so a drag that paints for a while is one step as long as nothing ends
// it. Remembering the same glyph twice in one step keeps the first copy.
//
// Each change is stored as the other side of a swap: undoing a step swaps its
// stored values with the font's, which leaves the values for redo behind.

#include <cstddef>
#include <deque>
#include <optional>
#include <unordered_set>
#include <variant>
#include <vector>

#include "font/bitmap_font.h"

namespace glyphsmith {

class UndoHistory {
public:
    // Old steps are dropped once the stored values pass this many bytes.
    static constexpr std::size_t DefaultByteBudget = std::size_t { 256 } << 20;

    explicit UndoHistory(std::size_t byteBudget = DefaultByteBudget) : byteBudget_(byteBudget) { }

    // --- Recording; each call belongs to the step that endStep closes ---

    void rememberGlyph(const BitmapFont& font, int code);
    void rememberLineHeight(const BitmapFont& font);
    // Before font.setCodeCount(newCount): keeps the glyphs that will be dropped.
    void rememberCodeCount(const BitmapFont& font, int newCount);
    // Before the whole font is replaced, as a load does.
    void rememberFont(const BitmapFont& font);
    // Closes the step being recorded. A step whose changes left the font as
    // it was is dropped; any other drops the steps that could be redone.
    void endStep(const BitmapFont& font);
    // Forgets what was remembered since the last endStep, for a change that
    // did not happen after all (a load that failed before touching the font).
    void discardStep();

    // --- Moving through the history ---

    // Each ends the step being recorded first; false when there is nothing to undo or redo.
    bool undo(BitmapFont& font);
    bool redo(BitmapFont& font);
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }

    // --- The saved state, which `modified` follows ---

    // The font as it is now is the one on disk (after a save or a load).
    void markSaved(const BitmapFont& font);
    // True unless the font stands where it was last saved with nothing recorded since.
    bool differsFromSaved() const;

    // The bytes the stored steps take, for the memory bound.
    std::size_t storedBytes() const { return storedBytes_; }
    std::size_t stepCount() const { return steps_.size(); }

private:
    struct GlyphChange {
        int code;
        Glyph glyph;
    };
    struct LineHeightChange {
        std::int32_t lineHeight;
    };
    struct CodeCountChange {
        int codeCount;
        // The glyphs of the codes this count adds back to the font.
        std::vector<Glyph> glyphs;
    };
    struct FontChange {
        BitmapFont font;
    };
    using Change = std::variant<GlyphChange, LineHeightChange, CodeCountChange, FontChange>;
    struct Step {
        std::vector<Change> changes;
        std::size_t bytes = 0;
    };

    void record(Change change);
    static void swapWithFont(Change& change, BitmapFont& font);
    static std::size_t bytesOf(const Change& change);
    void recount(Step& step);
    void dropOldestWhileOverBudget();

    std::deque<Step> steps_;
    // Steps before this index are applied; those from it on can be redone.
    std::size_t position_ = 0;
    // Where the font was last saved; nullopt once that state cannot come back.
    std::optional<std::size_t> savedPosition_ = 0;
    Step open_;
    std::unordered_set<int> openGlyphs_;
    std::size_t storedBytes_ = 0;
    std::size_t byteBudget_;
};

} // namespace glyphsmith
