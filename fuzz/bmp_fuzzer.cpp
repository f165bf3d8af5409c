// Fuzz target for the glyph sheet reader (24-bit BMP). A sheet that reads is
// written as a sheet again, which must read back to the same glyphs.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_checks.h"

namespace glyphsmith::fuzz {
namespace {

// A sheet stores only what is visible: a glyph's size and the cells inside it.
// A glyph without rows or columns has nothing to draw and comes back 0 x 0.
bool sameVisibleGlyph(const Glyph& read, const Glyph& original)
{
    if (original.width == 0 || original.height == 0)
        return read.width == 0 && read.height == 0;
    if (read.width != original.width || read.height != original.height)
        return false;
    for (int x = 0; x < read.width; ++x)
        for (int y = 0; y < read.height; ++y)
            if (read.cell(x, y) != original.cell(x, y))
                return false;
    return true;
}

void fuzzSheet(const std::uint8_t* data, std::size_t size)
{
    static ReadBench bench;
    static auto again = std::make_unique<BitmapFont>();
    bench.reset();
    BitmapFont& font = bench.font();
    CountingMessages messages;
    const FileResult read = font.readBmpBytes(std::span(data, size), messages);
    bench.checkUnchangedUnlessDone(read);
    require((read.outcome == FileOutcome::Refused) == (messages.shown == 1), "a refusal without its message");
    if (!read.ok())
        return;

    std::vector<std::uint8_t> written;
    require(font.writeBmpBytes(written).ok(), "a sheet that was read cannot be written");
    CountingMessages quiet;
    require(again->readBmpBytes(written, quiet).ok(), "a written sheet does not read back");
    for (int c = 0; c < GlyphCount; ++c)
        require(sameVisibleGlyph(again->glyphs[c], font.glyphs[c]), "a sheet read, written and read again changed");
}

} // namespace
} // namespace glyphsmith::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    glyphsmith::fuzz::fuzzSheet(data, size);
    return 0;
}
