// Fuzz target for the font-file import's own code: the list of code ranges a
// user types, and placing drawn characters into cells. The reader is a fake
// whose face line and characters come from the input, so every size, offset
// and missing character the libraries could report reaches the import.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "font/font_file_import.h"
#include "fuzz_checks.h"

namespace glyphsmith::fuzz {
namespace {

// Hands out the input's bytes in order, then zeros.
class InputBytes {
public:
    InputBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t next() { return position_ < size_ ? data_[position_++] : 0; }
    int signedByte() { return static_cast<std::int8_t>(next()); }
    std::string_view text(std::size_t count)
    {
        count = std::min(count, size_ - position_);
        const std::string_view taken(reinterpret_cast<const char*>(data_ + position_), count);
        position_ += count;
        return taken;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

class InputFace : public FontFace {
public:
    explicit InputFace(InputBytes& input) : input_(input)
    {
        line_.ascent = input_.signedByte();
        line_.descent = input_.signedByte();
    }

    FaceLine line() const override { return line_; }
    FontFileInfo info() const override { return {}; }
    bool hasCharacter(char32_t) override { return true; }

    // Sizes up to 80 by 80 and offsets of a signed byte: past every cell
    // edge, as a wide italic or a misplaced bitmap would be.
    bool drawCharacter(char32_t, DrawnCharacter& drawn) override
    {
        const std::uint8_t kind = input_.next();
        if (kind % 8 == 0)
            return false;
        drawn.advance = input_.signedByte();
        drawn.left = input_.signedByte();
        drawn.top = input_.signedByte();
        drawn.width = input_.next() % 81;
        drawn.height = input_.next() % 81;
        drawn.ink.assign(static_cast<std::size_t>(drawn.width) * static_cast<std::size_t>(drawn.height), 0);
        for (unsigned char& cell : drawn.ink)
            cell = input_.next() & 1;
        return true;
    }

private:
    InputBytes& input_;
    FaceLine line_;
};

class InputReader : public FontFileReader {
public:
    explicit InputReader(InputBytes& input) : input_(input) {}

    std::unique_ptr<FontFace> openFace(const std::string&, int, FileResult& error) override
    {
        if (input_.next() % 16 == 0) {
            error = FileResult::failed(FileError::UnknownFontFormat);
            return nullptr;
        }
        return std::make_unique<InputFace>(input_);
    }

private:
    InputBytes& input_;
};

void fuzzImport(const std::uint8_t* data, std::size_t size)
{
    static ReadBench bench;
    bench.reset();
    InputBytes input(data, size);

    // A short range list, or the ASCII characters when it is not one.
    FontFileRequest request;
    std::string problem;
    if (const auto ranges = parseCodeRanges(input.text(input.next() % 24), problem)) {
        for (const CharacterMapping& mapping : *ranges)
            require(mapping.code >= 0 && mapping.code < MaxCodeCount, "a parsed code is out of range");
        request.characters = *ranges;
    } else {
        require(!problem.empty(), "a refused range list without its reason");
    }

    InputReader reader(input);
    BitmapFont& font = bench.font();
    const FontFileImport import = importFontFile(font, reader, request);
    bench.checkUnchangedUnlessDone(import.result);
    if (!import.result.ok()) {
        require(import.missing.empty(), "a failed import lists missing characters");
        return;
    }
    require(font.lineHeight >= 0 && font.lineHeight < MaxGlyphSize, "an imported line of 64 or more");
    require(font.codeCount() >= GlyphCount, "an imported font of fewer than 128 codes");
    for (const Glyph& glyph : font.glyphs)
        require(glyph.width >= 0 && glyph.width < MaxGlyphSize && glyph.height >= 0 && glyph.height < MaxGlyphSize,
            "an imported glyph of 64 or more");
    for (const CharacterMapping& missing : import.missing)
        require(!isControlCharacter(missing.codePoint), "a control character is listed as missing");
    require(import.missing.empty() == import.result.warning.empty(), "missing characters without a warning");
}

} // namespace
} // namespace glyphsmith::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    glyphsmith::fuzz::fuzzImport(data, size);
    return 0;
}
