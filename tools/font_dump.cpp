#include "font_dump.h"

#include <string>

namespace glyphsmith {

void dumpFont(const BitmapFont& font, std::ostream& out)
{
    out << "line-height " << font.lineHeight << '\n';
    std::string row;
    for (int code = 0; code < font.codeCount(); ++code) {
        const Glyph& glyph = font.glyphs[code];
        out << "glyph " << code << ' ' << glyph.width << ' ' << glyph.height << '\n';
        for (int y = 0; y < glyph.height; ++y) {
            row.clear();
            for (int x = 0; x < glyph.width; ++x)
                row += glyph.cell(x, y) ? '#' : '.';
            out << row << '\n';
        }
    }
}

} // namespace glyphsmith
