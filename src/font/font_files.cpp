#include "font/font_files.h"

namespace glyphsmith {

FileResult readFontFile(BitmapFont& font, FontFormat format, const std::string& path, FileServices services)
{
    switch (format) {
    case FontFormat::Wfn:
        return font.readWfn(path);
    case FontFormat::Sci:
        return font.readSci(path);
    case FontFormat::Ttf:
        if (!services.systemFont)
            return FileResult::failed(FileError::NoSystemFont);
        return font.importSystemFont(path, *services.systemFont, services.messages);
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
    case FontFormat::Bmp:
        return font.writeBmp(path);
    }
    return FileResult::failed(FileError::NotSupported);
}

} // namespace glyphsmith
