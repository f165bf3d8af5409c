// Reading desktop font files through FreeType.
//
// An outline font is scaled to the pixel size asked and rendered monochrome
// with hinting, FreeType's mono target. A bitmap font is used at the stored
// size nearest the one asked, looked for across every face of the file (a
// .fon holds one face per size), and its pixels are taken as stored. The
// line is the size's ascender and descender as FreeType reports them.
//
// Characters are looked up by Unicode code point. A bitmap font whose
// character map is not Unicode (a KOI8-R PCF, every .fon/.fnt) numbers its
// characters by the bytes of its own character set; the code point is turned
// into that byte through iconv.

#include "fontfile/freetype_font_file.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <type_traits>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_FONT_FORMATS_H
#include FT_WINFONTS_H

namespace glyphsmith {

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FaceHandle = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

FileError errorOf(FT_Error error)
{
    switch (error) {
    case FT_Err_Cannot_Open_Resource:
        return FileError::CannotOpen;
    case FT_Err_Unknown_File_Format:
    case FT_Err_Invalid_File_Format:
        return FileError::UnknownFontFormat;
    default:
        return FileError::DamagedFontFile;
    }
}

int roundedPixels(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

// The strike's size in pixels: its nominal size where the font gives one,
// else the height of its line.
int strikePixels(const FT_Bitmap_Size& size)
{
    const int nominal = roundedPixels(size.y_ppem);
    return nominal > 0 ? nominal : size.height;
}

// The iconv name of a Windows font's character set.
const char* windowsCharset(FT_Byte charset)
{
    switch (charset) {
    case FT_WinFNT_ID_CP1252: return "CP1252";
    case FT_WinFNT_ID_MAC: return "MACINTOSH";
    case FT_WinFNT_ID_CP932: return "CP932";
    case FT_WinFNT_ID_CP949: return "CP949";
    case FT_WinFNT_ID_CP936: return "CP936";
    case FT_WinFNT_ID_CP950: return "CP950";
    case FT_WinFNT_ID_CP1253: return "CP1253";
    case FT_WinFNT_ID_CP1254: return "CP1254";
    case FT_WinFNT_ID_CP1258: return "CP1258";
    case FT_WinFNT_ID_CP1255: return "CP1255";
    case FT_WinFNT_ID_CP1256: return "CP1256";
    case FT_WinFNT_ID_CP1257: return "CP1257";
    case FT_WinFNT_ID_CP1251: return "CP1251";
    case FT_WinFNT_ID_CP874: return "CP874";
    case FT_WinFNT_ID_CP1250: return "CP1250";
    case FT_WinFNT_ID_OEM: return "CP437";
    default: return nullptr; // the symbol set and unknown ones: bytes used as they are
    }
}

// The Unicode character of each byte of `charset`, or nullopt where iconv
// does not know the set. Bytes the set leaves undefined map to 0.
std::optional<std::array<char32_t, 256>> unicodeOfBytes(const std::string& charset)
{
    iconv_t converter = iconv_open("UTF-32LE", charset.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::array<char32_t, 256> table{};
    for (int byte = 1; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        unsigned char out[4] = {};
        char* inPointer = &in;
        char* outPointer = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        const std::size_t converted = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
        if (converted != static_cast<std::size_t>(-1) && outLeft == 0)
            table[byte] = out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
    }
    iconv_close(converter);
    return table;
}

// The character set a bitmap font without a Unicode map numbers its characters by.
std::string charsetOf(FT_Face face)
{
    FT_WinFNT_HeaderRec header;
    if (FT_Get_WinFNT_Header(face, &header) == 0) {
        const char* name = windowsCharset(header.charset);
        return name ? name : "";
    }
    const char* encoding = nullptr;
    const char* registry = nullptr;
    if (FT_Get_BDF_Charset_ID(face, &encoding, &registry) == 0 && encoding && registry)
        return std::string(registry) + "-" + encoding;
    return {};
}

bool isInk(const FT_Bitmap& bitmap, const unsigned char* row, unsigned column)
{
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
        return (row[column / 8] >> (7 - column % 8)) & 1;
    case FT_PIXEL_MODE_GRAY2:
        return ((row[column / 4] >> (6 - 2 * (column % 4))) & 3) >= 2;
    case FT_PIXEL_MODE_GRAY4:
        return ((row[column / 2] >> (4 - 4 * (column % 2))) & 15) >= 8;
    default: // FT_PIXEL_MODE_GRAY, the only other mode these fonts give
        return row[column] >= std::max(bitmap.num_grays, static_cast<unsigned short>(2)) / 2;
    }
}

class FreeTypeFace : public FontFace {
public:
    FreeTypeFace(LibraryHandle library, FaceHandle face, std::vector<int> strikes)
        : library_(std::move(library)), face_(std::move(face)), strikes_(std::move(strikes))
    {
        if (!face_->charmap && face_->num_charmaps > 0)
            FT_Set_Charmap(face_.get(), face_->charmaps[0]);
        if (!FT_IS_SCALABLE(face_.get()) && face_->charmap && face_->charmap->encoding != FT_ENCODING_UNICODE)
            if (const std::string charset = charsetOf(face_.get()); !charset.empty())
                unicodeOfByte_ = unicodeOfBytes(charset);
    }

    FaceLine line() const override
    {
        const FT_Size_Metrics& metrics = face_->size->metrics;
        return { roundedPixels(metrics.ascender), roundedPixels(-metrics.descender) };
    }

    FontFileInfo info() const override
    {
        FontFileInfo info;
        info.family = face_->family_name ? face_->family_name : "";
        info.style = face_->style_name ? face_->style_name : "";
        const char* format = FT_Get_Font_Format(face_.get());
        info.format = format ? format : "";
        info.kind = FT_IS_SCALABLE(face_.get()) ? FontFileKind::Outline : FontFileKind::Bitmap;
        info.strikes = strikes_;
        info.faces = static_cast<int>(face_->num_faces);
        return info;
    }

    bool hasCharacter(char32_t codePoint) override { return glyphIndex(codePoint) != 0; }

    bool drawCharacter(char32_t codePoint, DrawnCharacter& drawn) override
    {
        const FT_UInt index = glyphIndex(codePoint);
        if (index == 0)
            return false;
        const bool outline = FT_IS_SCALABLE(face_.get());
        if (FT_Load_Glyph(face_.get(), index, outline ? FT_LOAD_TARGET_MONO : FT_LOAD_DEFAULT) != 0)
            return false;
        FT_GlyphSlot slot = face_->glyph;
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
            return false;
        const FT_Bitmap& bitmap = slot->bitmap;
        drawn.advance = roundedPixels(slot->advance.x);
        drawn.left = slot->bitmap_left;
        drawn.top = slot->bitmap_top;
        drawn.width = static_cast<int>(bitmap.width);
        drawn.height = static_cast<int>(bitmap.rows);
        drawn.ink.assign(static_cast<std::size_t>(bitmap.width) * bitmap.rows, 0);
        const int pitch = std::abs(bitmap.pitch);
        for (unsigned y = 0; y < bitmap.rows; ++y) {
            // A negative pitch stores the rows bottom up.
            const unsigned stored = bitmap.pitch < 0 ? bitmap.rows - 1 - y : y;
            const unsigned char* row = bitmap.buffer + static_cast<std::size_t>(stored) * pitch;
            for (unsigned x = 0; x < bitmap.width; ++x)
                drawn.ink[static_cast<std::size_t>(y) * bitmap.width + x] = isInk(bitmap, row, x);
        }
        return true;
    }

private:
    FT_UInt glyphIndex(char32_t codePoint)
    {
        if (!face_->charmap)
            return 0;
        if (!unicodeOfByte_)
            return FT_Get_Char_Index(face_.get(), codePoint);
        // Bytes below 0x80 that the set leaves undefined are taken as ASCII.
        const std::array<char32_t, 256>& table = *unicodeOfByte_;
        for (int byte = 1; byte < 256; ++byte)
            if (table[byte] == codePoint || (byte < 0x80 && table[byte] == 0 && codePoint == char32_t(byte)))
                return FT_Get_Char_Index(face_.get(), byte);
        return 0;
    }

    // Declared first so that it is destroyed last: the face belongs to it.
    LibraryHandle library_;
    FaceHandle face_;
    std::vector<int> strikes_;
    std::optional<std::array<char32_t, 256>> unicodeOfByte_;
};

} // namespace

std::unique_ptr<FontFace> FreeTypeFontFileReader::openFace(const std::string& path, int pixelSize, FileResult& error)
{
    auto fail = [&](FT_Error code) {
        error = FileResult::failed(errorOf(code));
        return nullptr;
    };
    FT_Library rawLibrary = nullptr;
    if (FT_Error code = FT_Init_FreeType(&rawLibrary))
        return fail(code);
    LibraryHandle library(rawLibrary);

    auto open = [&](FT_Long index, FaceHandle& face) {
        FT_Face raw = nullptr;
        FT_Error code = FT_New_Face(library.get(), path.c_str(), index, &raw);
        face.reset(raw);
        return code;
    };
    FaceHandle face;
    if (FT_Error code = open(0, face))
        return fail(code);

    const int size = std::clamp(pixelSize > 0 ? pixelSize : DefaultPixelSize, 1, 0xFFFF);
    if (FT_IS_SCALABLE(face.get())) {
        if (FT_Error code = FT_Set_Pixel_Sizes(face.get(), 0, size))
            return fail(code);
        FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE);
        error = FileResult::done();
        return std::make_unique<FreeTypeFace>(std::move(library), std::move(face), std::vector<int>{});
    }

    // A bitmap font: the strike nearest the size asked over every face, the
    // first of equally near ones; without a size asked, the first strike.
    std::vector<int> strikes;
    FT_Long bestFace = -1;
    int bestStrike = 0;
    int bestDistance = 0;
    const FT_Long faces = face->num_faces;
    for (FT_Long index = 0; index < faces; ++index) {
        FaceHandle other;
        FT_Face candidate = face.get();
        if (index > 0) {
            if (FT_Error code = open(index, other))
                return fail(code);
            candidate = other.get();
        }
        for (int strike = 0; strike < candidate->num_fixed_sizes; ++strike) {
            const int pixels = strikePixels(candidate->available_sizes[strike]);
            strikes.push_back(pixels);
            const int distance = pixelSize > 0 ? std::abs(pixels - pixelSize) : (bestFace < 0 ? 0 : 1);
            if (bestFace < 0 || distance < bestDistance) {
                bestFace = index;
                bestStrike = strike;
                bestDistance = distance;
            }
        }
    }
    if (bestFace < 0)
        return fail(FT_Err_Invalid_Pixel_Size);
    if (bestFace > 0)
        if (FT_Error code = open(bestFace, face))
            return fail(code);
    if (FT_Error code = FT_Select_Size(face.get(), bestStrike))
        return fail(code);
    error = FileResult::done();
    return std::make_unique<FreeTypeFace>(std::move(library), std::move(face), std::move(strikes));
}

} // namespace glyphsmith
