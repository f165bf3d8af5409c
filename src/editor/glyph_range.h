#pragma once

// The codes selected in the overview for commands over many glyphs at once:
// a run from an anchor to an end (Shift+click, Shift+arrows) and single codes
// added or taken away one at a time (Ctrl+click).

#include <set>

namespace glyphsmith {

class GlyphRange {
public:
    bool empty() const { return codes_.empty(); }
    void clear();
    // Selects every code from `anchor` to `end`, either way round, in place
    // of whatever was selected.
    void selectRun(int anchor, int end);
    // Adds `code`, or takes it away when it is selected already.
    void toggle(int code);
    bool contains(int code) const { return codes_.contains(code); }
    // In code order.
    const std::set<int>& codes() const { return codes_; }
    // Where the last run started and ended; the end is what Shift+arrows move.
    int anchor() const { return anchor_; }
    int end() const { return end_; }
    // Drops the codes at or past `codeCount`, after the font shrank.
    void limitTo(int codeCount);

private:
    std::set<int> codes_;
    int anchor_ = 0;
    int end_ = 0;
};

} // namespace glyphsmith
