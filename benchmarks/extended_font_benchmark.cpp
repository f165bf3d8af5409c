// Fonts beyond 128 codes: reading and writing a Unicode AGS font of 400
// glyphs spread over codes 0 to 1103 (ASCII, Latin-1 and Cyrillic, as a
// Russian game in Unicode mode has them), and the peak memory of reading a
// hostile file whose 65,536 table entries all name one 1 x 1 record (target:
// well under 256 MB).

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "font/bitmap_font.h"

namespace glyphsmith {
namespace {

std::unique_ptr<BitmapFont> unicodeFont()
{
    auto font = std::make_unique<BitmapFont>();
    font->clear();
    font->setCodeCount(1104);
    for (int i = 0; i < 400; ++i) {
        Glyph& glyph = font->glyphs[i * 1104 / 400];
        glyph.width = 8;
        glyph.height = 12;
        for (int x = 0; x < 8; ++x)
            glyph.pixels[x] = (std::uint64_t{ 0x9e3779b9 } * static_cast<std::uint64_t>(i * 8 + x + 1)) & 0xfff;
    }
    return font;
}

void extendedReadUnicodeWfn(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes;
    if (!unicodeFont()->writeWfnBytes(bytes).ok()) {
        state.SkipWithError("cannot prepare the file");
        return;
    }
    auto font = std::make_unique<BitmapFont>();
    for (auto _ : state) {
        if (!font->readWfnBytes(bytes).ok())
            state.SkipWithError("read failed");
        benchmark::ClobberMemory();
    }
    state.counters["fileBytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(extendedReadUnicodeWfn);

void extendedWriteUnicodeWfn(benchmark::State& state)
{
    auto font = unicodeFont();
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        if (!font->writeWfnBytes(bytes).ok())
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(extendedWriteUnicodeWfn);

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Reads the hostile file in a child process, whose peak resident size then
// grows by what the read needs and nothing the benchmarks before it left.
void extendedHostileWfnPeakMemory(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes = { 'W', 'G', 'T', ' ', 'F', 'o', 'n', 't', ' ', 'F', 'i', 'l', 'e', ' ', ' ', 22, 0,
        1, 0, 1, 0, 0x80 };
    for (int c = 0; c < MaxCodeCount; ++c)
        bytes.insert(bytes.end(), { 17, 0 });
    for (auto _ : state) {
        int channel[2];
        if (pipe(channel) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            const long before = peakResidentKilobytes();
            auto font = std::make_unique<BitmapFont>();
            const bool ok = font->readWfnBytes(bytes).ok() && font->codeCount() == MaxCodeCount;
            const long grown = ok ? peakResidentKilobytes() - before : -1;
            const bool sent = write(channel[1], &grown, sizeof grown) == static_cast<ssize_t>(sizeof grown);
            _exit(sent ? 0 : 1);
        }
        long grown = -1;
        const bool received = read(channel[0], &grown, sizeof grown) == static_cast<ssize_t>(sizeof grown);
        close(channel[0]);
        close(channel[1]);
        waitpid(child, nullptr, 0);
        if (!received || grown < 0) {
            state.SkipWithError("the read failed");
            return;
        }
        state.counters["fileKiB"] = static_cast<double>(bytes.size()) / 1024;
        state.counters["peakGrowthMiB"] = static_cast<double>(grown) / 1024;
    }
}
BENCHMARK(extendedHostileWfnPeakMemory)->Iterations(1);

} // namespace
} // namespace glyphsmith
