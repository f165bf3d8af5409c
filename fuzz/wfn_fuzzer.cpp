// Fuzz target for the AGS font reader (.wfn files).

#include "font_file_fuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using glyphsmith::BitmapFont;
    glyphsmith::fuzz::fuzzFontFile({ &BitmapFont::readWfnBytes, &BitmapFont::writeWfnBytes }, data, size);
    return 0;
}
