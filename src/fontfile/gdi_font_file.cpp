// Reading desktop font files through GDI.
//
// The file is added to this process only (AddFontResourceExW with
// FR_PRIVATE) and removed when the face closes. Its faces are then asked for
// by name, which font_file_names.cpp reads from the file, and GDI's choice is
// checked, so that a face GDI will not give never turns into another font.
//
// An outline font is made at an em of the pixel size asked, unsmoothed, and
// each character comes from GetGlyphOutlineW as a monochrome bitmap with its
// advance and origin. GetGlyphOutlineW does not serve raster fonts: a .fon or
// .fnt is used at its stored size nearest the one asked, and each character
// is drawn with ExtTextOutW into a monochrome bitmap as high as the line and
// as wide as the character's advance, its pixels exactly as stored.

#include "fontfile/gdi_font_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "font/file_io.h"
#include "fontfile/font_file_names.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

namespace {

// Larger than any font file we expect; the names are read from memory.
constexpr std::size_t MaxFontFileBytes = std::size_t{ 256 } << 20;

// The file's fonts, added for this process until destroyed.
class PrivateFontResource {
public:
    explicit PrivateFontResource(std::wstring path)
        : path_(std::move(path))
        , added_(::AddFontResourceExW(path_.c_str(), FR_PRIVATE, nullptr) > 0)
    {
    }
    ~PrivateFontResource()
    {
        if (added_)
            ::RemoveFontResourceExW(path_.c_str(), FR_PRIVATE, nullptr);
    }
    PrivateFontResource(const PrivateFontResource&) = delete;
    PrivateFontResource& operator=(const PrivateFontResource&) = delete;

    bool added() const { return added_; }

private:
    std::wstring path_;
    bool added_;
};

std::string styleOf(int weight, bool italic)
{
    if (weight >= FW_BOLD)
        return italic ? "Bold Italic" : "Bold";
    return italic ? "Italic" : "Regular";
}

// The Windows code page of a raster font's character set, 0 for the symbol
// set, whose bytes are taken as they are.
UINT codePageOf(BYTE charset)
{
    if (charset == SYMBOL_CHARSET)
        return 0;
    if (charset == OEM_CHARSET)
        return 437;
    CHARSETINFO info {};
    if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(charset)), &info, TCI_SRCCHARSET))
        return info.ciACP;
    return 1252;
}

// A big-endian number of `bytes` bytes from the font table `tag` of the font
// selected into `dc`; nullopt when the font has no such table.
std::optional<long> tableNumber(HDC dc, const char (&tag)[5], DWORD offset, DWORD bytes)
{
    const DWORD table = DWORD(BYTE(tag[0])) | DWORD(BYTE(tag[1])) << 8 | DWORD(BYTE(tag[2])) << 16
        | DWORD(BYTE(tag[3])) << 24;
    BYTE data[4] = {};
    if (::GetFontData(dc, table, offset, data, bytes) != bytes)
        return std::nullopt;
    long value = 0;
    for (DWORD i = 0; i < bytes; ++i)
        value = (value << 8) | data[i];
    return value;
}

// An outline font's line as the Linux build's FreeType makes it, so both
// builds give the same cells: the "hhea" ascender and descender scaled to
// `pixelSize` pixels per em in FreeType's 16.16 fixed point and rounded
// outward to whole pixels. (GDI's tmAscent and tmDescent come from other
// fields and are rounded to the nearest pixel: at 13 pixels DejaVu Sans
// would lose a row above and one below.) Nullopt where the font does not
// give those numbers.
std::optional<FaceLine> gridFittedLine(HDC dc, int pixelSize)
{
    const std::optional<long> unitsPerEm = tableNumber(dc, "head", 18, 2);
    const std::optional<long> ascender = tableNumber(dc, "hhea", 4, 2);
    const std::optional<long> descender = tableNumber(dc, "hhea", 6, 2);
    if (!unitsPerEm || *unitsPerEm < 16 || !ascender || !descender)
        return std::nullopt;
    const auto signedUnits = [](long value) { return static_cast<std::int64_t>(static_cast<std::int16_t>(value)); };
    const std::int64_t ascent = signedUnits(*ascender);
    const std::int64_t descent = -signedUnits(*descender);
    if (ascent == 0 && descent == 0)
        return std::nullopt;
    const std::int64_t scale = ((std::int64_t { pixelSize } * 64 << 16) + *unitsPerEm / 2) / *unitsPerEm;
    // A distance in font units to 26.6 pixels, rounded as FreeType rounds.
    const auto scaled = [&](std::int64_t units) {
        const std::int64_t magnitude = (std::abs(units) * scale + 0x8000) >> 16;
        return units < 0 ? -magnitude : magnitude;
    };
    const auto ceilPixels = [](std::int64_t value) {
        return static_cast<int>(value >= 0 ? (value + 63) / 64 : -((-value) / 64));
    };
    return FaceLine { ceilPixels(scaled(ascent)), ceilPixels(scaled(descent)) };
}

class GdiFace : public FontFace {
public:
    GdiFace(std::unique_ptr<PrivateFontResource> resource, UniqueMemoryDc dc, UniqueFont font, FontFileNames names,
        int pixelSize)
        : resource_(std::move(resource))
        , dc_(std::move(dc))
        , font_(std::move(font))
        , selected_(dc_.get(), font_.get())
        , names_(std::move(names))
    {
        ::GetTextMetricsW(dc_.get(), &metrics_);
        // The raster font's first and last character as bytes of its own set.
        TEXTMETRICA bytes {};
        ::GetTextMetricsA(dc_.get(), &bytes);
        firstByte_ = bytes.tmFirstChar;
        lastByte_ = bytes.tmLastChar;
        codePage_ = codePageOf(metrics_.tmCharSet);
        line_ = { metrics_.tmAscent, metrics_.tmDescent };
        if (!isRaster())
            if (std::optional<FaceLine> line = gridFittedLine(dc_.get(), pixelSize))
                line_ = *line;
    }

    bool isRaster() const { return !(metrics_.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)); }

    FaceLine line() const override { return line_; }

    FontFileInfo info() const override
    {
        FontFileInfo info;
        info.family = names_.family;
        info.style = names_.style.empty() ? styleOf(metrics_.tmWeight, metrics_.tmItalic != 0) : names_.style;
        info.format = names_.format;
        info.kind = isRaster() ? FontFileKind::Bitmap : FontFileKind::Outline;
        for (const RasterFaceRecord& face : names_.rasterFaces)
            info.strikes.push_back(face.pixelSize);
        info.faces = names_.faces;
        return info;
    }

    bool hasCharacter(char32_t codePoint) override
    {
        // GDI names characters in UTF-16 units: beyond U+FFFF there is no single one.
        if (codePoint == 0 || codePoint > 0xFFFF || (codePoint >= 0xD800 && codePoint < 0xE000))
            return false;
        const wchar_t character = static_cast<wchar_t>(codePoint);
        if (isRaster()) {
            std::optional<BYTE> byte = byteOf(character);
            return byte && *byte >= firstByte_ && *byte <= lastByte_;
        }
        WORD index = 0xFFFF;
        return ::GetGlyphIndicesW(dc_.get(), &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1
            && index != 0xFFFF;
    }

    bool drawCharacter(char32_t codePoint, DrawnCharacter& drawn) override
    {
        if (!hasCharacter(codePoint))
            return false;
        const wchar_t character = static_cast<wchar_t>(codePoint);
        return isRaster() ? drawRaster(character, drawn) : drawOutline(character, drawn);
    }

private:
    std::optional<BYTE> byteOf(wchar_t character) const
    {
        if (codePage_ == 0)
            return character < 256 ? std::optional<BYTE>(static_cast<BYTE>(character)) : std::nullopt;
        char byte = 0;
        BOOL usedDefault = FALSE;
        const int written = ::WideCharToMultiByte(
            codePage_, WC_NO_BEST_FIT_CHARS, &character, 1, &byte, 1, nullptr, &usedDefault);
        if (written != 1 || usedDefault)
            return std::nullopt;
        return static_cast<BYTE>(byte);
    }

    bool drawOutline(wchar_t character, DrawnCharacter& drawn)
    {
        const MAT2 identity { { 0, 1 }, { 0, 0 }, { 0, 0 }, { 0, 1 } };
        GLYPHMETRICS glyph {};
        const DWORD size = ::GetGlyphOutlineW(dc_.get(), character, GGO_BITMAP, &glyph, 0, nullptr, &identity);
        if (size == GDI_ERROR)
            return false;
        drawn.advance = glyph.gmCellIncX;
        drawn.left = glyph.gmptGlyphOrigin.x;
        drawn.top = glyph.gmptGlyphOrigin.y;
        // A character without ink (a space) still reports a black box of 1 x 1.
        drawn.width = size == 0 ? 0 : static_cast<int>(glyph.gmBlackBoxX);
        drawn.height = size == 0 ? 0 : static_cast<int>(glyph.gmBlackBoxY);
        drawn.ink.assign(static_cast<std::size_t>(drawn.width) * drawn.height, 0);
        if (size == 0)
            return true;
        const std::size_t pitch = (static_cast<std::size_t>(drawn.width) + 31) / 32 * 4;
        if (size < pitch * drawn.height)
            return false;
        std::vector<unsigned char> rows(size);
        if (::GetGlyphOutlineW(dc_.get(), character, GGO_BITMAP, &glyph, size, rows.data(), &identity) == GDI_ERROR)
            return false;
        for (int y = 0; y < drawn.height; ++y)
            for (int x = 0; x < drawn.width; ++x)
                drawn.ink[static_cast<std::size_t>(y) * drawn.width + x] = (rows[y * pitch + x / 8] >> (7 - x % 8)) & 1;
        return true;
    }

    bool drawRaster(wchar_t character, DrawnCharacter& drawn)
    {
        SIZE extent {};
        if (!::GetTextExtentPoint32W(dc_.get(), &character, 1, &extent))
            return false;
        drawn.advance = extent.cx;
        drawn.left = 0;
        drawn.top = metrics_.tmAscent;
        drawn.width = std::max<int>(extent.cx, 0);
        drawn.height = metrics_.tmHeight;
        drawn.ink.assign(static_cast<std::size_t>(drawn.width) * drawn.height, 0);
        if (drawn.width == 0 || drawn.height <= 0)
            return true;

        // A top-down bitmap of one bit a pixel: colour 0 black (ink), 1 white.
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[2];
        } format {};
        format.header.biSize = sizeof format.header;
        format.header.biWidth = drawn.width;
        format.header.biHeight = -drawn.height;
        format.header.biPlanes = 1;
        format.header.biBitCount = 1;
        format.header.biCompression = BI_RGB;
        format.colours[1] = { 255, 255, 255, 0 };
        void* bits = nullptr;
        UniqueBitmap bitmap(::CreateDIBSection(dc_.get(), reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS,
            &bits, nullptr, 0));
        if (!bitmap || !bits)
            return false;
        {
            SelectedObject target(dc_.get(), bitmap.get());
            const RECT box { 0, 0, drawn.width, drawn.height };
            ::SetTextColor(dc_.get(), RGB(0, 0, 0));
            ::SetBkColor(dc_.get(), RGB(255, 255, 255));
            ::SetTextAlign(dc_.get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
            if (!::ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &box, &character, 1, nullptr))
                return false;
            ::GdiFlush();
        }
        const auto* rows = static_cast<const unsigned char*>(bits);
        const std::size_t pitch = (static_cast<std::size_t>(drawn.width) + 31) / 32 * 4;
        for (int y = 0; y < drawn.height; ++y)
            for (int x = 0; x < drawn.width; ++x)
                drawn.ink[static_cast<std::size_t>(y) * drawn.width + x]
                    = ((rows[y * pitch + x / 8] >> (7 - x % 8)) & 1) == 0;
        return true;
    }

    // Declared in the order they must be released in reverse: the font is
    // deselected before it is deleted, the resource removed last.
    std::unique_ptr<PrivateFontResource> resource_;
    UniqueMemoryDc dc_;
    UniqueFont font_;
    SelectedObject selected_;
    FontFileNames names_;
    TEXTMETRICW metrics_ {};
    FaceLine line_;
    BYTE firstByte_ = 0;
    BYTE lastByte_ = 0;
    UINT codePage_ = 0;
};

// The stored size nearest `pixelSize`, the first of equally near ones; the
// first without a size asked.
const RasterFaceRecord& nearestRasterFace(const std::vector<RasterFaceRecord>& faces, int pixelSize)
{
    const RasterFaceRecord* best = &faces.front();
    if (pixelSize <= 0)
        return *best;
    for (const RasterFaceRecord& face : faces)
        if (std::abs(face.pixelSize - pixelSize) < std::abs(best->pixelSize - pixelSize))
            best = &face;
    return *best;
}

// A raster font's face name, read in its own character set.
std::wstring faceNameOf(const RasterFaceRecord& face)
{
    if (face.faceName.empty())
        return {};
    const UINT setCodePage = codePageOf(static_cast<BYTE>(face.charset));
    const UINT codePage = setCodePage == 0 ? 1252 : setCodePage;
    const int size = static_cast<int>(face.faceName.size());
    const int length = ::MultiByteToWideChar(codePage, 0, face.faceName.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, face.faceName.data(), size, wide.data(), length);
    return wide;
}

LOGFONTW describeFace(const FontFileNames& names, int pixelSize)
{
    LOGFONTW description {};
    std::wstring faceName;
    if (names.rasterFaces.empty()) {
        description.lfHeight = -pixelSize; // an em of pixelSize
        description.lfWeight = names.weight;
        description.lfItalic = names.italic;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfOutPrecision = OUT_TT_PRECIS;
        faceName = toUtf16(names.faceName);
    } else {
        const RasterFaceRecord& face = nearestRasterFace(names.rasterFaces, pixelSize);
        description.lfHeight = face.pixelHeight; // the whole cell, as stored
        description.lfWeight = face.weight;
        description.lfItalic = face.italic;
        description.lfCharSet = static_cast<BYTE>(face.charset);
        description.lfOutPrecision = OUT_RASTER_PRECIS;
        faceName = faceNameOf(face);
    }
    description.lfQuality = NONANTIALIASED_QUALITY;
    faceName.resize(std::min<std::size_t>(faceName.size(), LF_FACESIZE - 1));
    std::copy(faceName.begin(), faceName.end(), description.lfFaceName);
    return description;
}

// Whether `face`, as GDI names the font it chose, is one of the file's names
// for its family (cut, as GDI cuts face names, to LF_FACESIZE - 1).
bool isFamilyOf(const wchar_t* face, const FontFileNames& names)
{
    std::vector<std::wstring> candidates;
    for (const std::string& name : names.familyNames)
        if (names.rasterFaces.empty())
            candidates.push_back(toUtf16(name));
    for (const RasterFaceRecord& raster : names.rasterFaces)
        candidates.push_back(faceNameOf(raster));
    return std::ranges::any_of(candidates, [&](std::wstring& candidate) {
        candidate.resize(std::min<std::size_t>(candidate.size(), LF_FACESIZE - 1));
        return ::lstrcmpiW(face, candidate.c_str()) == 0;
    });
}

} // namespace

std::unique_ptr<FontFace> GdiFontFileReader::openFace(const std::string& path, int pixelSize, FileResult& error)
{
    auto fail = [&](FileError reason) {
        error = FileResult::failed(reason);
        return nullptr;
    };
    std::vector<std::uint8_t> bytes;
    if (const FileError read = readWholeFile(path, MaxFontFileBytes, bytes); read != FileError::None)
        return fail(read == FileError::FileTooLarge ? FileError::UnknownFontFormat : read);
    std::optional<FontFileNames> names = readFontFileNames(bytes);
    if (!names)
        return fail(FileError::UnknownFontFormat);

    auto resource = std::make_unique<PrivateFontResource>(toUtf16(path));
    if (!resource->added())
        return fail(FileError::DamagedFontFile);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const int size = std::clamp(pixelSize > 0 ? pixelSize : DefaultPixelSize, 1, 0xFFFF);
    const LOGFONTW description = describeFace(*names, names->rasterFaces.empty() ? size : pixelSize);
    UniqueFont font(::CreateFontIndirectW(&description));
    if (!dc || !font)
        return fail(FileError::DamagedFontFile);

    // GDI gives a font of another name when it cannot find the one asked:
    // that would be some other font's letters, so the file is refused.
    wchar_t chosen[LF_FACESIZE] = {};
    {
        SelectedObject check(dc.get(), font.get());
        if (::GetTextFaceW(dc.get(), LF_FACESIZE, chosen) <= 0 || !isFamilyOf(chosen, *names))
            return fail(FileError::DamagedFontFile);
    }
    error = FileResult::done();
    return std::make_unique<GdiFace>(std::move(resource), std::move(dc), std::move(font), std::move(*names), size);
}

} // namespace glyphsmith
