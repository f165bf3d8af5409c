// Times Outline on a whole font of 128 glyphs of 62 x 62, the largest that
// still grows by the full 2 pixels. The argument is the share of set pixels
// in percent: the mask costs most when every pixel is set. The font is put
// back before each run outside the timed part. Target: under 5 ms.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "editor/glyph_transforms.h"

namespace glyphsmith {
namespace {

std::unique_ptr<BitmapFont> fontToOutline(int percentSet)
{
    auto font = std::make_unique<BitmapFont>();
    std::mt19937 random(42);
    std::bernoulli_distribution set(percentSet / 100.0);
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 62;
        glyph.height = 62;
        for (int x = 0; x < 62; ++x)
            for (int y = 0; y < 62; ++y)
                glyph.cell(x, y) = set(random) ? 1 : 0;
    }
    return font;
}

void outlineFont(benchmark::State& state)
{
    const auto original = fontToOutline(static_cast<int>(state.range(0)));
    auto font = std::make_unique<BitmapFont>();
    Glyph scratch;
    for (auto _ : state) {
        state.PauseTiming();
        *font = *original;
        state.ResumeTiming();
        outlineAllGlyphs(*font, scratch);
        benchmark::DoNotOptimize(font->glyphs.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(outlineFont)->Name("outlineAllGlyphs/percentSet")->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace glyphsmith
