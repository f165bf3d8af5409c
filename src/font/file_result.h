#pragma once

// What a font file operation reports to its caller. The operation itself never
// shows an error; the caller (the editor's file commands, the converter) tells
// the user once, using describe() for the wording.

#include <string>

namespace glyphsmith {

enum class FileOutcome {
    Done,    // the file was read or written
    Failed,  // nothing was read or written; `error` says why
    Refused, // the operation declined its work and has already told the user why
};

enum class FileError {
    None,
    CannotOpen,        // the file could not be opened or read
    FileTooLarge,      // larger than any file of the format can be
    BadSignature,      // the file does not start as the format requires
    EndsInsideHeader,  // the file ends before its header is complete
    TableOutsideFile,  // the offset table lies (partly) past the end of the file
    RecordOutsideFile, // a table entry points at or past the end of the file
    EndsInsideRecord,  // the file ends inside a character record
    GlyphTooLarge,     // a record is wider or taller than 64 pixels
    BadPixelOffset,    // the picture's pixel data starts outside the file
    PixelDataTooShort, // the picture holds fewer pixel rows than its size needs
    FontTooLarge,      // the font does not fit the format's 16-bit offsets
    SheetTooTall,      // the glyph sheet would be taller than 32,768 pixels
    CannotWrite,       // the file could not be created or written
    ReadOnly,          // the user may not write the existing file
    NotRegularFile,    // the existing file is a folder, device, pipe or socket
    GlyphCellTooLarge, // a drawn character's cell is 64 pixels or more wide or high
    NotSupported,      // the format cannot be handled by this program
    NoSystemFont,      // the standard system font could not be had for drawing
    UnknownFontFormat, // the file is no font file (TrueType, OpenType, BDF, PCF, .fon, ...) that can be read
    DamagedFontFile,   // a font file that is damaged or cannot be drawn at the size asked
    LineTooHigh,       // a font file's line is 64 pixels or more high at the size asked
    NoDataAfterHeader, // an SCI file's resource header leaves no font data after it
    NotAnSciFont,      // an SCI save would replace a .fon file that is no SCI font (a Windows font)
};

struct FileResult {
    FileOutcome outcome = FileOutcome::Done;
    FileError error = FileError::None;
    int character = -1;  // the character code the error concerns, -1 for none
    std::string warning; // something the reader skipped, worth telling the user

    bool ok() const { return outcome == FileOutcome::Done; }

    static FileResult done() { return {}; }
    static FileResult failed(FileError error, int character = -1)
    {
        return { FileOutcome::Failed, error, character, {} };
    }
    static FileResult refused() { return { FileOutcome::Refused, FileError::None, -1, {} }; }
};

// The reason in the user's words, for example
// "file ends inside the record of character 65". Empty for a success.
std::string describe(const FileResult& result);

} // namespace glyphsmith
