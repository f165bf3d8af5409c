#include "font/font_files.h"

#include <algorithm>

#include "font/file_io.h"
#include "font/file_io_calls.h"
#include "font/font_file_import.h"
#include "platform/message_boxes.h"

namespace glyphsmith {

namespace {

const char* const FontFileSaveRefusal = "Saving as this type of font file is not supported; save as an AGS font "
                                        "(.wfn), an SCI font (.0 or .fon) or a glyph sheet (.bmp).";

// Larger than any SCI font file; a bigger file is not one.
constexpr std::size_t MaxSciFileBytes = 4 * 1024 * 1024;

bool sharesNameWithSciPatches(const std::string& path)
{
    return endsWithIgnoringCase(path, ".fon") || endsWithIgnoringCase(path, ".fnt");
}

bool startsAsSciFont(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    return readWholeFile(path, MaxSciFileBytes, bytes) == FileError::None && !bytes.empty()
        && isSciResourceType(bytes[0]);
}

// A Windows font file is the only thing a .fon or .fnt may be besides an SCI
// font; reading one as SCI would only hide the import's reason.
FileResult importWithoutFallback(BitmapFont& font, const std::string& path, FileServices services)
{
    if (!services.fontFiles)
        return FileResult::failed(FileError::UnknownFontFormat);
    return importFontFile(font, *services.fontFiles, { path, std::max(font.lineHeight, 0), asciiCharacters() }).result;
}

// An SCI save onto an existing .fon must not destroy a Windows font file (or
// anything else that is not an SCI font) of the same name.
bool wouldReplaceOtherFont(const std::string& path)
{
    if (!endsWithIgnoringCase(path, ".fon"))
        return false;
    const SaveTarget target = saveCalls.inspect(path.c_str());
    const bool existingFile = target == SaveTarget::RegularFile || target == SaveTarget::ReadOnlyFile;
    return existingFile && !startsAsSciFont(path);
}

FileResult readAsBefore(BitmapFont& font, FontFormat format, const std::string& path, FileServices services)
{
    if (format == FontFormat::Ttf) {
        if (!services.systemFont)
            return FileResult::failed(FileError::NoSystemFont);
        return font.importSystemFont(path, *services.systemFont, services.messages);
    }
    return font.readSci(path);
}

FileResult importOrReadAsBefore(BitmapFont& font, FontFormat format, const std::string& path, FileServices services)
{
    if (services.fontFiles) {
        const FontFileImport import
            = importFontFile(font, *services.fontFiles, { path, std::max(font.lineHeight, 0), asciiCharacters() });
        const FileError error = import.result.error;
        if (error != FileError::UnknownFontFormat && error != FileError::CannotOpen)
            return import.result;
    }
    return readAsBefore(font, format, path, services);
}

} // namespace

FontFormat formatToRead(FontFormat byExtension, const std::string& path)
{
    if (byExtension != FontFormat::FontFile || !sharesNameWithSciPatches(path))
        return byExtension;
    return startsAsSciFont(path) ? FontFormat::Sci : FontFormat::FontFile;
}

FontFormat formatToWrite(FontFormat byExtension, const std::string& path)
{
    return byExtension == FontFormat::FontFile && endsWithIgnoringCase(path, ".fon") ? FontFormat::Sci : byExtension;
}

FileResult readFontFile(BitmapFont& font, FontFormat format, const std::string& path, FileServices services)
{
    if (format == FontFormat::FontFile && sharesNameWithSciPatches(path))
        return formatToRead(format, path) == FontFormat::Sci ? font.readSci(path)
                                                              : importWithoutFallback(font, path, services);
    switch (format) {
    case FontFormat::Wfn:
        return font.readWfn(path);
    case FontFormat::Sci:
        return font.readSci(path);
    case FontFormat::Ttf:
    case FontFormat::FontFile:
        return importOrReadAsBefore(font, format, path, services);
    case FontFormat::Bmp:
        return font.readBmp(path, services.messages);
    }
    return FileResult::failed(FileError::NotSupported);
}

FileResult writeFontFile(const BitmapFont& font, FontFormat format, const std::string& path, FileServices services)
{
    switch (format) {
    case FontFormat::Wfn:
        return font.writeWfn(path);
    case FontFormat::Sci:
        if (wouldReplaceOtherFont(path))
            return FileResult::failed(FileError::NotAnSciFont);
        return font.writeSci(path);
    case FontFormat::Ttf:
        return font.writeTtf(path, services.messages);
    case FontFormat::FontFile:
        // Writing an SCI file under the name of the font it came from would
        // overwrite that font; declined like a TrueType save.
        services.messages.showMessage(FontFileSaveRefusal, "", MessageButtons::Ok);
        return FileResult::refused();
    case FontFormat::Bmp:
        return font.writeBmp(path);
    }
    return FileResult::failed(FileError::NotSupported);
}

} // namespace glyphsmith
