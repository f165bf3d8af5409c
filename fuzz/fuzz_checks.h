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
    return std::memcmp(&a, &b, sizeof(BitmapFont)) == 0;
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
        for (std::int32_t& cell : font->glyphs[c].pixels)
            cell = static_cast<std::int32_t>(random() & 1);
    }
    return font;
}

// Holds the starting font and a working copy. The copy is put back only
// after a read that succeeded, since a failed read must not have changed it.
class ReadBench {
public:
    ReadBench() : before_(startingFont()), font_(std::make_unique<BitmapFont>(*before_)) {}

    BitmapFont& font() { return *font_; }

    // Checks a finished read: a read that did not succeed left the font
    // byte for byte as it was.
    void checkUnchangedUnlessDone(const FileResult& result)
    {
        if (result.ok())
            dirty_ = true;
        else
            require(sameBytes(*font_, *before_), "a failed read changed the font");
    }

    // Call before each read.
    void reset()
    {
        if (dirty_)
            *font_ = *before_;
        dirty_ = false;
    }

private:
    std::unique_ptr<BitmapFont> before_;
    std::unique_ptr<BitmapFont> font_;
    bool dirty_ = false;
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
