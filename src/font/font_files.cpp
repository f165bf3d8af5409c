#include "font/font_files.h"

#include <algorithm>

#include "font/font_file_import.h"
#include "platform/message_boxes.h"

namespace glyphsmith {

namespace {

const char* const FontFileSaveRefusal = "Saving as this type of font file is not supported; save as an AGS font "
                                        "(.wfn), an SCI font (.0) or a glyph sheet (.bmp).";

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
            = importFontFile(font, *services.fontFiles, { path, std::max(font.lineHeight, 0),
                services.fontFileCodePage ? codePageCharacters(*services.fontFileCodePage) : asciiCharacters() });
        const FileError error = import.result.error;
        if (error != FileError::UnknownFontFormat && error != FileError::CannotOpen)
            return import.result;
    }
    return readAsBefore(font, format, path, services);
}

} // namespace

FileResult readFontFile(BitmapFont& font, FontFormat format, const std::string& path, FileServices services)
{
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
