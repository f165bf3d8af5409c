// Times the import of codes 0 to 127 from a font file through FreeType: an
// outline font (DejaVu Sans at 16 pixels) and a compressed PCF bitmap font
// (10x20 from xfonts-base). The target is under 20 ms each; both include
// opening the file, so the PCF time covers its decompression.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "fontfile/freetype_font_file.h"

namespace glyphsmith {
namespace {

void importFile(benchmark::State& state, const std::string& path, int pixelSize)
{
    FreeTypeFontFileReader reader;
    auto font = std::make_unique<BitmapFont>();
    const FontFileRequest request { path, pixelSize, asciiCharacters() };
    for (auto _ : state) {
        const FontFileImport import = importFontFile(*font, reader, request);
        if (!import.result.ok()) {
            state.SkipWithError(("cannot import " + path + ": " + describe(import.result)).c_str());
            return;
        }
        benchmark::DoNotOptimize(font->glyphs[65].pixels[0]);
    }
}

void importTrueType(benchmark::State& state)
{
    importFile(state, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16);
}
BENCHMARK(importTrueType)->Unit(benchmark::kMillisecond);

void importPcf(benchmark::State& state)
{
    importFile(state, "/usr/share/fonts/X11/misc/10x20.pcf.gz", 20);
}
BENCHMARK(importPcf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace glyphsmith
