#pragma once

// "Will it load?": the loading rules of the game engines that read our font
// formats, applied to the bytes of a file. A file can be valid for this
// program and still be refused or changed by the engine that runs the game;
// these checks say so before the game shows garbage.
//
// The AGS engine reads .wfn files; ScummVM reads SCI fonts. Glyph sheets and
// TrueType files are read by no engine.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "font/file_result.h"

namespace glyphsmith {

enum class Engine {
    Ags,     // the AGS engine, for .wfn files
    ScummVm, // ScummVM, for SCI fonts given as loose files
};

enum class EngineVerdict {
    Loads,   // the engine shows the font as drawn
    Changed, // the engine loads the font but shows some of it differently
    Refused, // the engine does not load the font at all
};

// A character's size as the engine holds it, after any cuts the engine makes.
struct EngineGlyphSize {
    int width = 0;
    int height = 0;
    bool operator==(const EngineGlyphSize&) const = default;
};

struct EngineCheck {
    Engine engine = Engine::Ags;
    EngineVerdict verdict = EngineVerdict::Loads;
    // Changed: one line per change, naming the character code and what
    // happens to it. Refused: the one reason. Loads: empty.
    std::vector<std::string> reasons;
    // What the user should know though the engine loads the font as drawn,
    // for example that only some games reach its characters.
    std::vector<std::string> notes;
    // The line height the engine uses. An AGS font stores none; there it is
    // the tallest character the engine holds.
    int lineHeight = 0;
    // Every character the engine holds, in code order; empty when refused.
    // This may be more or fewer than 128.
    std::vector<EngineGlyphSize> glyphs;
};

// The AGS engine's rules for a .wfn file.
EngineCheck checkWithAgs(std::span<const std::uint8_t> file);

// ScummVM's rules for an SCI font file.
EngineCheck checkWithScummVm(std::span<const std::uint8_t> file);

// "AGS" or "ScummVM".
std::string_view engineName(Engine engine);

// One line for a check, `label` standing for the file:
//   "LABEL: ENGINE: loads"
//   "LABEL: ENGINE: loads with changes: CHANGE; CHANGE; ..."
//   "LABEL: ENGINE: refused: REASON"
// each followed by "; note: NOTE" for every note.
std::string engineCheckLine(std::string_view label, const EngineCheck& check);

// Reads the file at `path` and checks it against each engine that reads its
// format, chosen as for opening (.wfn: AGS, .bmp, .ttf and font files: none,
// a .fon or .fnt whose first byte is 0x87 or 0x07 and anything else:
// ScummVM). Fills `checks` (empty for a
// format no engine reads) and returns FileError::None, or the reason the file
// could not be read.
FileError checkFontFile(const std::string& path, std::vector<EngineCheck>& checks);

// For the editor, to call after it has saved a font: reads back the file just
// written at `path` and returns the lines to show the user, one for each
// engine that would refuse or change the font, worded as engineCheckLine()
// with `path` as the label, for example
//   "font.001: ScummVM: refused: character 100: record offset 32770 is 0x8000
//    or above, so it is read as a negative number"
// (the converter prints the same lines after "warning: "). Returns nothing
// when every engine loads the font as drawn, and for formats no engine reads
// (glyph sheets). If the file cannot be read back, returns one line saying so.
// The file is never changed: whether to keep it is the user's choice.
std::vector<std::string> engineWarnings(const std::string& path);

} // namespace glyphsmith
