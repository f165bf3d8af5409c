#pragma once

// What every font fuzz target checks besides "no crash": the properties a
// reader promises. A broken property aborts, so the fuzzer keeps the input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string_view>
#include <type_traits>

#include "font/bitmap_font.h"
#include "platform/message_boxes.h"

namespace glyphsmith::fuzz {

// Byte for byte, in one call: a comparison of each cell would be traced by
// the fuzzer's instrumentation and take most of each run.
inline bool sameBytes(const BitmapFont& a, const BitmapFont& b)
{
    static_assert(std::has_unique_object_representations_v<Glyph>);
    return a.lineHeight == b.lineHeight && a.codeCount() == b.codeCount() && a.sciHeader == b.sciHeader
        && std::memcmp(a.glyphs.data(), b.glyphs.data(), a.glyphs.size() * sizeof(Glyph)) == 0;
}

inline void require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// The font every read starts from: odd sizes and every cell set at random,
// hidden ones included, so any cell a refused read touches shows.
inline std::unique_ptr<BitmapFont> startingFont()
{
    auto font = std::make_unique<BitmapFont>();
    std::mt19937 random(7);
    font->lineHeight = 23;
    for (int c = 0; c < GlyphCount; ++c) {
        font->glyphs[c].width = (c * 7) % (MaxGlyphSize + 1);
        font->glyphs[c].height = (c * 11) % (MaxGlyphSize + 1);
        for (std::uint64_t& column : font->glyphs[c].pixels)
            column = (std::uint64_t{ random() } << 32) | random();
    }
    return font;
}

// The font each read starts from, and the check that a read which did not
// succeed left it exactly as it was. A glyph is half a kilobyte, so comparing
// the whole start font after each refused input is cheap.
class ReadBench {
public:
    ReadBench()
        : start_(startingFont())
        , font_(std::make_unique<BitmapFont>(*start_))
    {
    }

    BitmapFont& font() { return *font_; }

    // Call before each read.
    void reset()
    {
        if (changed_)
            *font_ = *start_;
        changed_ = false;
    }

    // Checks a finished read: a read that did not succeed did not change the font.
    void checkUnchangedUnlessDone(const FileResult& result)
    {
        changed_ = result.ok();
        require(result.ok() || sameBytes(*font_, *start_), "a failed read changed the font");
    }

private:
    std::unique_ptr<const BitmapFont> start_;
    std::unique_ptr<BitmapFont> font_;
    bool changed_ = false;
};

// Counts the messages a format shows of its own accord.
class CountingMessages : public MessageBoxes {
public:
    MessageResult showMessage(std::string_view, std::string_view, MessageButtons) override
    {
        ++shown;
        return MessageResult::Ok;
    }
    int shown = 0;
};

} // namespace glyphsmith::fuzz
