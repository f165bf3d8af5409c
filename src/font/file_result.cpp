#include "font/file_result.h"

namespace glyphsmith {

namespace {

std::string ofCharacter(int character)
{
    return character >= 0 ? " of character " + std::to_string(character) : std::string();
}

} // namespace

std::string describe(const FileResult& result)
{
    if (result.outcome == FileOutcome::Refused)
        return "refused";
    switch (result.error) {
    case FileError::None:
        return {};
    case FileError::CannotOpen:
        return "cannot open the file";
    case FileError::FileTooLarge:
        return "the file is too large to be a font";
    case FileError::BadSignature:
        return "not a font file of this type (wrong signature)";
    case FileError::EndsInsideHeader:
        return "file ends inside the header";
    case FileError::TableOutsideFile:
        return "the offset table lies outside the file";
    case FileError::RecordOutsideFile:
        return "the record" + ofCharacter(result.character) + " lies outside the file";
    case FileError::EndsInsideRecord:
        return "file ends inside the record" + ofCharacter(result.character);
    case FileError::GlyphTooLarge:
        return "character " + std::to_string(result.character) + " is larger than 64 x 64 pixels";
    case FileError::BadPixelOffset:
        return "the pixel data starts outside the file";
    case FileError::PixelDataTooShort:
        return "the file holds fewer pixel rows than the picture needs";
    case FileError::FontTooLarge:
        if (result.character >= 0)
            return "the font is too large for this format: the record of character " + std::to_string(result.character)
                + " would start beyond the 64 KiB its 16-bit positions reach";
        return "the font is too large for this format";
    case FileError::SheetTooTall:
        return "the glyph sheet would be taller than 32,768 pixels, more than picture editors open";
    case FileError::CannotWrite:
        return "cannot write the file";
    case FileError::ReadOnly:
        return "the file is read-only";
    case FileError::NotRegularFile:
        return "not a regular file (a folder, device, pipe or socket), left alone";
    case FileError::GlyphCellTooLarge:
        return "character " + std::to_string(result.character)
            + " is 64 pixels or more wide or high at this size; choose a smaller size";
    case FileError::NotSupported:
        return "this file type is not supported yet";
    case FileError::NoSystemFont:
        return "the system font cannot be drawn at this size";
    case FileError::UnknownFontFormat:
        return "not a font file that can be read (TrueType, OpenType, BDF, PCF, .fon or .fnt)";
    case FileError::DamagedFontFile:
        return "the font file is damaged, or cannot be drawn at this size";
    case FileError::LineTooHigh:
        return "the font's line is 64 pixels or more high at this size; choose a smaller size";
    case FileError::NoDataAfterHeader:
        return "the resource header's length byte leaves no font data after it";
    case FileError::NotAnSciFont:
        return "the existing file is not an SCI font (a Windows font file, perhaps) and is left alone; "
               "save under another name";
    }
    return "unknown error";
}

} // namespace glyphsmith
