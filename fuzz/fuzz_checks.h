#pragma once

// What every font fuzz target checks besides "no crash": the properties a
// reader promises. A broken property aborts, so the fuzzer keeps the input.

#include <signal.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
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

// A font in pages of its own that a read may only write once it has
// succeeded. Comparing 2 MB of cells after every refused input took most of
// each run, so instead the pages are made read-only before each read: the
// first write faults, is noted, and the pages are opened again. A refused
// read must have made no write at all, which is stricter than "the font
// compares equal" and costs nothing when nothing is written.
class ReadBench {
public:
    ReadBench()
    {
        void* pages = ::mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        require(pages != MAP_FAILED, "cannot map a font");
        font_ = new (pages) BitmapFont(*startingFont());
        watched_ = this;
        struct sigaction action {};
        action.sa_sigaction = &ReadBench::onFault;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGSEGV, &action, &previous_);
    }

    BitmapFont& font() { return *font_; }

    // Call before each read.
    void reset()
    {
        written_ = false;
        require(::mprotect(font_, Bytes, PROT_READ) == 0, "cannot protect the font");
    }

    // Checks a finished read: a read that did not succeed did not write.
    void checkUnchangedUnlessDone(const FileResult& result)
    {
        require(result.ok() || !written_, "a failed read wrote to the font");
        require(::mprotect(font_, Bytes, PROT_READ | PROT_WRITE) == 0, "cannot unprotect the font");
    }

private:
    static constexpr std::size_t PageBytes = 4096;
    static constexpr std::size_t Bytes = (sizeof(BitmapFont) + PageBytes - 1) / PageBytes * PageBytes;

    static void onFault(int signal, siginfo_t* info, void* context)
    {
        ReadBench* bench = watched_;
        auto* address = static_cast<char*>(info->si_addr);
        auto* begin = reinterpret_cast<char*>(bench->font_);
        if (address >= begin && address < begin + Bytes) {
            bench->written_ = true;
            ::mprotect(begin, Bytes, PROT_READ | PROT_WRITE);
            return; // the faulting write runs again, now allowed
        }
        // Any other fault is a real crash: hand it to the sanitizer's handler.
        if (bench->previous_.sa_flags & SA_SIGINFO)
            bench->previous_.sa_sigaction(signal, info, context);
        else if (bench->previous_.sa_handler != SIG_IGN && bench->previous_.sa_handler != SIG_DFL)
            bench->previous_.sa_handler(signal);
        else
            std::abort();
    }

    static inline ReadBench* watched_ = nullptr;
    BitmapFont* font_ = nullptr;
    volatile bool written_ = false;
    struct sigaction previous_ {};
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
