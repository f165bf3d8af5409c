// Fuzz target for the SCI font reader (font.*, *.0 files).

#include "font_file_fuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using glyphsmith::BitmapFont;
    glyphsmith::fuzz::fuzzFontFile({ &BitmapFont::readSciBytes, &BitmapFont::writeSciBytes }, data, size);
    return 0;
}
