// Times reading and writing the largest AGS and SCI fonts (128 glyphs of
// 64 x 63, a 65 KB file) against clearing a BitmapFont, which touches the
// same 64 KB of cells, and prints how many clears each file operation costs.
// A save syncs the file and its folder to disk; encodeWfn (the file built in
// memory) and saveUnsynced (the same bytes written and renamed without any
// sync) show how much of writeWfn the syncs take. decodeWfn and decodeSci
// read the largest fonts from memory, decodeSmallWfn a 2 KB font of 7 x 9
// glyphs, the size of a typical game's text font.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "font/bitmap_font.h"

namespace glyphsmith {
namespace {

std::unique_ptr<BitmapFont> largestFont()
{
    auto font = std::make_unique<BitmapFont>();
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = font->glyphs[c];
        glyph.width = MaxGlyphSize;
        glyph.height = MaxGlyphSize - 1;
        for (int x = 0; x < MaxGlyphSize; ++x)
            for (int y = 0; y < MaxGlyphSize; ++y)
                glyph.cell(x, y) = ((x * 7 + y * 13 + c * 5) % 11 < 4) ? 1 : 0;
    }
    return font;
}

std::unique_ptr<BitmapFont> smallFont()
{
    auto font = std::make_unique<BitmapFont>();
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = font->glyphs[c];
        glyph.width = 7;
        glyph.height = 9;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 9; ++y)
                glyph.cell(x, y) = ((x * 3 + y * 5 + c) % 7 < 3) ? 1 : 0;
    }
    return font;
}

// A folder of our own for the files the benchmarks write, removed at exit.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "glyphsmith-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            root_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ignored);
    }
    bool ok() const { return !root_.empty(); }
    std::string path(const char* name) const { return (std::filesystem::path(root_) / name).string(); }

private:
    std::string root_;
};

ScratchFolder* scratch = nullptr;

void clearFont(benchmark::State& state)
{
    auto font = largestFont();
    for (auto _ : state) {
        font->clear();
        benchmark::DoNotOptimize(font->glyphs.data());
        benchmark::ClobberMemory();
    }
}

template <auto Write>
void writeFont(benchmark::State& state, const char* name)
{
    auto font = largestFont();
    const std::string path = scratch->path(name);
    for (auto _ : state) {
        if (!((*font).*Write)(path).ok())
            state.SkipWithError("write failed");
    }
}

void encodeWfn(benchmark::State& state)
{
    auto font = largestFont();
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        if (!font->writeWfnBytes(bytes).ok())
            state.SkipWithError("encoding failed");
        benchmark::DoNotOptimize(bytes.data());
    }
}

void encodeSci(benchmark::State& state)
{
    auto font = largestFont();
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        if (!font->writeSciBytes(bytes).ok())
            state.SkipWithError("encoding failed");
        benchmark::DoNotOptimize(bytes.data());
    }
}

// Reads a file held in memory, made from `font` by the matching writer.
template <auto Encode, auto Decode>
void decodeFont(benchmark::State& state, std::unique_ptr<BitmapFont> (*makeFont)())
{
    auto font = makeFont();
    std::vector<std::uint8_t> bytes;
    if (!((*font).*Encode)(bytes).ok()) {
        state.SkipWithError("cannot prepare the file");
        return;
    }
    state.counters["file bytes"] = static_cast<double>(bytes.size());
    for (auto _ : state) {
        if (!((*font).*Decode)(bytes).ok())
            state.SkipWithError("read failed");
        benchmark::ClobberMemory();
    }
}

// A save as it was before syncing: a temporary file written, closed and
// renamed over the target.
void saveUnsynced(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes;
    largestFont()->writeWfnBytes(bytes);
    const std::string path = scratch->path("unsynced.wfn");
    const std::string temporary = path + ".tmp";
    for (auto _ : state) {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (!file || std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0)
            state.SkipWithError("write failed");
    }
}

template <auto Write, auto Read>
void readFont(benchmark::State& state, const char* name)
{
    auto font = largestFont();
    const std::string path = scratch->path(name);
    if (!((*font).*Write)(path).ok()) {
        state.SkipWithError("cannot prepare the file");
        return;
    }
    for (auto _ : state) {
        if (!((*font).*Read)(path).ok())
            state.SkipWithError("read failed");
        benchmark::ClobberMemory();
    }
}

void registerBenchmarks()
{
    benchmark::RegisterBenchmark("clear", clearFont);
    benchmark::RegisterBenchmark("readWfn", readFont<&BitmapFont::writeWfn, &BitmapFont::readWfn>, "read.wfn");
    benchmark::RegisterBenchmark("writeWfn", writeFont<&BitmapFont::writeWfn>, "write.wfn");
    benchmark::RegisterBenchmark("encodeWfn", encodeWfn);
    benchmark::RegisterBenchmark("saveUnsynced", saveUnsynced);
    benchmark::RegisterBenchmark("decodeWfn",
        decodeFont<&BitmapFont::writeWfnBytes, &BitmapFont::readWfnBytes>, &largestFont);
    benchmark::RegisterBenchmark("decodeSmallWfn",
        decodeFont<&BitmapFont::writeWfnBytes, &BitmapFont::readWfnBytes>, &smallFont);
    benchmark::RegisterBenchmark("readSci", readFont<&BitmapFont::writeSci, &BitmapFont::readSci>, "read.0");
    benchmark::RegisterBenchmark("writeSci", writeFont<&BitmapFont::writeSci>, "write.0");
    benchmark::RegisterBenchmark("encodeSci", encodeSci);
    benchmark::RegisterBenchmark("decodeSci",
        decodeFont<&BitmapFont::writeSciBytes, &BitmapFont::readSciBytes>, &largestFont);
}

// Shows the usual table and remembers each benchmark's real time per
// iteration: the median when repetitions are asked for, as the machine may be
// busy with other work, otherwise the single run.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration)
                singles[name] = run.GetAdjustedRealTime();
        }
    }

    std::map<std::string, double> nanoseconds() const
    {
        std::map<std::string, double> result = singles;
        for (const auto& [name, time] : medians)
            result[name] = time;
        return result;
    }

private:
    std::map<std::string, double> singles;
    std::map<std::string, double> medians;
};

} // namespace
} // namespace glyphsmith

int main(int argc, char** argv)
{
    using namespace glyphsmith;
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ScratchFolder folder;
    if (!folder.ok()) {
        std::fprintf(stderr, "cannot create a scratch folder\n");
        return 1;
    }
    scratch = &folder;

    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::map<std::string, double> times = reporter.nanoseconds();
    const auto clear = times.find("clear");
    if (clear == times.end() || clear->second <= 0)
        return 0;
    std::printf("\nCost in clears of a BitmapFont (clear = %.1f us; target: 4 or less, for reads and for\n"
                "writes less their syncs, which take what the disk takes; 1.5 or less for decodeSmallWfn):\n",
        clear->second / 1000);
    // Only the file operations of 128-code fonts: other benchmarks in this
    // program (Outline, fonts beyond 128 codes) have targets of their own and
    // may report in other units.
    for (const auto& [name, time] : times)
        if (name != "clear" && !name.starts_with("outline") && !name.starts_with("extended"))
            std::printf("  %-12s %8.1f us  %5.2f x clear\n", name.c_str(), time / 1000, time / clear->second);
    const auto write = times.find("writeWfn");
    const auto encode = times.find("encodeWfn");
    const auto unsynced = times.find("saveUnsynced");
    if (write != times.end() && encode != times.end() && unsynced != times.end())
        std::printf("Syncing a saved AGS font to disk: about %.1f us of each writeWfn\n",
            (write->second - encode->second - unsynced->second) / 1000);
    return 0;
}
