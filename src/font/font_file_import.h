#pragma once

// Building a font from a font file made for desktops (TrueType, OpenType,
// BDF, PCF, Windows .fon/.fnt). A library that reads such files (FreeType on
// Linux, GDI on Windows) sits behind FontFileReader and only draws single
// characters; placing them into cells, the size limits and the list of
// missing characters are decided here, so every reader gives the same glyphs
// by the same rules.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "font/bitmap_font.h"
#include "font/code_pages.h"
#include "font/file_result.h"

namespace glyphsmith {

// Which character of the font file fills which code of our font.
struct CharacterMapping {
    int code = 0;             // 0 .. MaxCodeCount - 1
    char32_t codePoint = 0;   // Unicode

    bool operator==(const CharacterMapping&) const = default;
};

// Codes 0 to 127 from Unicode code points 0 to 127.
std::vector<CharacterMapping> asciiCharacters();

// Codes 0 to 127 as ASCII and 128 to 255 from the characters the code page
// gives those bytes; a byte it leaves undefined stays empty.
std::vector<CharacterMapping> codePageCharacters(const CodePage& page);

// Codes equal to their code points over `ranges`, for example
// "32-126,0x400-0x44F": single numbers or low-high pairs, decimal or 0x
// hexadecimal, separated by commas. Nullopt with `problem` set when the text
// is not such a list or names a code of MaxCodeCount or more.
std::optional<std::vector<CharacterMapping>> parseCodeRanges(std::string_view ranges, std::string& problem);

// One character as the font file draws it at the chosen size. Distances are
// in pixels; the origin is the point on the baseline where the character
// starts, x to the right and `top` upward.
struct DrawnCharacter {
    int advance = 0; // from this character's origin to the next one's
    int left = 0;    // from the origin to the bitmap's first column (may be negative)
    int top = 0;     // from the baseline up to the bitmap's first row
    int width = 0;   // of the bitmap
    int height = 0;
    std::vector<unsigned char> ink; // width * height, row by row from the top; non-zero is ink
};

// The line every character of the face shares, in pixels.
struct FaceLine {
    int ascent = 0;  // above the baseline
    int descent = 0; // below the baseline
};

enum class FontFileKind { Outline, Bitmap };

// What the converter's --font-info tells about a file.
struct FontFileInfo {
    std::string family;
    std::string style;
    std::string format;       // as the library names it: "TrueType", "CFF", "PCF", "BDF", "Windows FNT", ...
    FontFileKind kind = FontFileKind::Outline;
    std::vector<int> strikes; // a bitmap font's sizes in pixels, over every face of the file
    int faces = 1;
};

// One face of a font file, opened at one size.
class FontFace {
public:
    virtual ~FontFace() = default;

    virtual FaceLine line() const = 0;
    virtual FontFileInfo info() const = 0;
    virtual bool hasCharacter(char32_t codePoint) = 0;
    // Draws `codePoint` monochrome into `drawn`. False when the font has no
    // such character; its "missing" box is never drawn in its place.
    virtual bool drawCharacter(char32_t codePoint, DrawnCharacter& drawn) = 0;
};

class FontFileReader {
public:
    virtual ~FontFileReader() = default;

    // Opens `path`: an outline font scaled to `pixelSize` pixels per em (0 asks
    // for DefaultPixelSize), a bitmap font at its size nearest `pixelSize`,
    // chosen across every face of the file. Null with `error` set when the
    // file cannot be opened or is no font the reader knows (UnknownFontFormat:
    // the caller may then try its other readers).
    virtual std::unique_ptr<FontFace> openFace(const std::string& path, int pixelSize, FileResult& error) = 0;

    // Whether BDF and PCF files are read. Of the bitmap fonts GDI reads only
    // Windows' own .fon and .fnt, and Open then offers no others.
    virtual bool readsBdfAndPcf() const { return true; }
};

inline constexpr int DefaultPixelSize = 16;

struct FontFileRequest {
    std::string path;
    int pixelSize = 0;
    std::vector<CharacterMapping> characters = asciiCharacters();
};

struct FontFileImport {
    FileResult result;
    // Asked characters the font lacks, left empty. Control characters
    // (U+0000 to U+001F, U+007F to U+009F) are left out: fonts rarely draw
    // them and nobody expects them to.
    std::vector<CharacterMapping> missing;
};

// Replaces `font` by the requested characters of the file: every glyph as wide
// as the character's advance and as high as the face's line (ascent plus
// descent, which also becomes lineHeight), the bitmap placed by its offsets
// on the baseline and clipped to that cell. The font holds codes up to the
// highest asked (at least GlyphCount); codes not asked and code 0 are empty.
// A line of 64 pixels or more, or a printable character 64 or more wide,
// fails the import and leaves `font` as it was. A missing character is
// listed in the result and in its warning.
FontFileImport importFontFile(BitmapFont& font, FontFileReader& reader, const FontFileRequest& request);

// U+0000 to U+001F and U+007F to U+009F: characters no font is expected to draw.
bool isControlCharacter(char32_t codePoint);

// "U+00E9" for 0xE9.
std::string codePointName(char32_t codePoint);

} // namespace glyphsmith
