#include "editor/undo_history.h"

#include <utility>

namespace glyphsmith {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

} // namespace

void UndoHistory::rememberGlyph(const BitmapFont& font, int code)
{
    if (code < 0 || code >= font.codeCount() || !openGlyphs_.insert(code).second)
        return;
    record(GlyphChange { code, font.glyphs[code] });
}

void UndoHistory::rememberLineHeight(const BitmapFont& font)
{
    record(LineHeightChange { font.lineHeight });
}

void UndoHistory::rememberCodeCount(const BitmapFont& font, int newCount)
{
    CodeCountChange change { font.codeCount(), {} };
    if (newCount < font.codeCount() && newCount >= 0)
        change.glyphs.assign(font.glyphs.begin() + newCount, font.glyphs.end());
    record(std::move(change));
    // Glyphs remembered before the count changed may be dropped and come back
    // empty: later edits of them must be remembered again.
    openGlyphs_.clear();
}

void UndoHistory::rememberFont(const BitmapFont& font)
{
    record(FontChange { font });
    openGlyphs_.clear();
}

void UndoHistory::record(Change change)
{
    open_.bytes += bytesOf(change);
    open_.changes.push_back(std::move(change));
}

std::size_t UndoHistory::bytesOf(const Change& change)
{
    return sizeof(Change)
        + std::visit(Overloaded {
                         [](const GlyphChange&) { return std::size_t { 0 }; },
                         [](const LineHeightChange&) { return std::size_t { 0 }; },
                         [](const CodeCountChange& c) { return c.glyphs.capacity() * sizeof(Glyph); },
                         [](const FontChange& c) { return c.font.glyphs.capacity() * sizeof(Glyph); },
                     },
            change);
}

void UndoHistory::swapWithFont(Change& change, BitmapFont& font)
{
    std::visit(Overloaded {
                   [&](GlyphChange& c) {
                       // Steps apply in order, so the code is always inside the font here.
                       if (c.code < font.codeCount())
                           std::swap(c.glyph, font.glyphs[c.code]);
                   },
                   [&](LineHeightChange& c) { std::swap(c.lineHeight, font.lineHeight); },
                   [&](CodeCountChange& c) {
                       const int current = font.codeCount();
                       std::vector<Glyph> dropped;
                       if (c.codeCount < current)
                           dropped.assign(font.glyphs.begin() + c.codeCount, font.glyphs.end());
                       font.setCodeCount(c.codeCount);
                       for (std::size_t at = 0; at < c.glyphs.size() && current + at < font.glyphs.size(); ++at)
                           font.glyphs[current + at] = c.glyphs[at];
                       c = CodeCountChange { current, std::move(dropped) };
                   },
                   [&](FontChange& c) { std::swap(c.font, font); },
               },
        change);
}

void UndoHistory::endStep(const BitmapFont& font)
{
    openGlyphs_.clear();
    if (open_.changes.empty())
        return;
    // A step that changed nothing (a drag over pixels that already had the
    // value, a size typed again) would only make Undo seem to do nothing.
    bool changed = false;
    for (const Change& change : open_.changes) {
        changed = std::visit(Overloaded {
                                 [&](const GlyphChange& c) {
                                     return c.code >= font.codeCount() || !(c.glyph == font.glyphs[c.code]);
                                 },
                                 [&](const LineHeightChange& c) { return c.lineHeight != font.lineHeight; },
                                 [&](const CodeCountChange& c) { return c.codeCount != font.codeCount(); },
                                 [&](const FontChange& c) { return !(c.font == font); },
                             },
            change);
        if (changed)
            break;
    }
    if (!changed) {
        discardStep();
        return;
    }
    // A change after an undo drops the steps that could have been redone.
    while (steps_.size() > position_) {
        storedBytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (savedPosition_ && *savedPosition_ > position_)
        savedPosition_.reset();
    storedBytes_ += open_.bytes;
    steps_.push_back(std::move(open_));
    open_ = {};
    ++position_;
    dropOldestWhileOverBudget();
}

void UndoHistory::discardStep()
{
    open_ = {};
    openGlyphs_.clear();
}

void UndoHistory::dropOldestWhileOverBudget()
{
    // The newest step always stays, however large.
    while (storedBytes_ > byteBudget_ && steps_.size() > 1) {
        storedBytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --position_;
        if (savedPosition_)
            savedPosition_ = *savedPosition_ == 0 ? std::nullopt : std::optional(*savedPosition_ - 1);
    }
}

bool UndoHistory::undo(BitmapFont& font)
{
    endStep(font);
    if (!canUndo())
        return false;
    Step& step = steps_[--position_];
    for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change)
        swapWithFont(*change, font);
    recount(step);
    return true;
}

bool UndoHistory::redo(BitmapFont& font)
{
    endStep(font);
    if (!canRedo())
        return false;
    Step& step = steps_[position_++];
    for (Change& change : step.changes)
        swapWithFont(change, font);
    recount(step);
    return true;
}

void UndoHistory::recount(Step& step)
{
    // A swap may leave a code count change or a whole font of another size behind.
    storedBytes_ -= step.bytes;
    step.bytes = 0;
    for (const Change& change : step.changes)
        step.bytes += bytesOf(change);
    storedBytes_ += step.bytes;
}

void UndoHistory::markSaved(const BitmapFont& font)
{
    endStep(font);
    savedPosition_ = position_;
}

bool UndoHistory::differsFromSaved() const
{
    return !open_.changes.empty() || savedPosition_ != position_;
}

} // namespace glyphsmith
