// Times the import of codes 0 to 127 from a font file through GDI (run it
// under Wine here, or on Windows): an outline font at 16 pixels and a Windows
// bitmap font, the counterparts of glyphsmith-bench's importTrueType and
// importPcf. The target is under 20 ms each, opening the file included.
// Google Benchmark is not packaged for mingw-w64, so this program times the
// runs itself and prints the median.
//
//   gdi_font_file_benchmark OUTLINE.ttf BITMAP.fon

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fontfile/gdi_font_file.h"

namespace glyphsmith {
namespace {

constexpr int Runs = 30;

// The median time of one import in milliseconds, or -1 when the file cannot be imported.
double timeImport(const std::string& path, int pixelSize)
{
    GdiFontFileReader reader;
    auto font = std::make_unique<BitmapFont>();
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const FontFileImport import = importFontFile(*font, reader, { path, pixelSize, asciiCharacters() });
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (!import.result.ok()) {
            std::fprintf(stderr, "cannot import %s: %s\n", path.c_str(), describe(import.result).c_str());
            return -1;
        }
        times.push_back(took.count());
    }
    std::ranges::sort(times);
    return times[times.size() / 2];
}

} // namespace
} // namespace glyphsmith

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gdi_font_file_benchmark OUTLINE.ttf BITMAP.fon\n");
        return 2;
    }
    const double outline = glyphsmith::timeImport(argv[1], 16);
    const double bitmap = glyphsmith::timeImport(argv[2], 16);
    std::printf("importTrueType/16px      %8.2f ms (median of %d)\n", outline, glyphsmith::Runs);
    std::printf("importFon/16px           %8.2f ms (median of %d)\n", bitmap, glyphsmith::Runs);
    return outline < 0 || bitmap < 0 ? 1 : 0;
}
