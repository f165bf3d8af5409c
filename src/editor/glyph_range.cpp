#include "editor/glyph_range.h"

#include <algorithm>

namespace glyphsmith {

void GlyphRange::clear()
{
    codes_.clear();
}

void GlyphRange::selectRun(int anchor, int end)
{
    codes_.clear();
    for (int code = std::min(anchor, end); code <= std::max(anchor, end); ++code)
        codes_.insert(code);
    anchor_ = anchor;
    end_ = end;
}

void GlyphRange::toggle(int code)
{
    if (!codes_.erase(code))
        codes_.insert(code);
    // A Shift+click after this runs from here.
    anchor_ = end_ = code;
}

void GlyphRange::limitTo(int codeCount)
{
    codes_.erase(codes_.lower_bound(codeCount), codes_.end());
    anchor_ = std::min(anchor_, codeCount - 1);
    end_ = std::min(end_, codeCount - 1);
}

} // namespace glyphsmith
