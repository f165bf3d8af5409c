#pragma once

// What letter mode draws with besides the font: the chosen tool and the drag
// it is in, the floating pixels of the rectangular selection, the guides and
// the tracing reference. EditorDialog holds one LetterDrawing; the code that
// acts on it lives in tool_editing.cpp, selection_commands.cpp,
// letter_guides.cpp and tracing_reference.cpp.

#include <optional>
#include <string>

#include "editor/drawing_tools.h"
#include "editor/glyph_selection.h"
#include "editor/letter_guides.h"
#include "font/bitmap_font.h"

namespace glyphsmith {

// The drag of a tool: a shape's rubber band, a selection being dragged out
// or one being moved.
enum class ToolDrag { None, Shape, Selecting, Moving };
// The guide marker being dragged.
enum class GuideDrag { None, Baseline, XHeight };

// A font file's character drawn behind the enlarged glyph to trace over.
struct TracingReference {
    bool shown = false;
    // The font file; empty for the system font.
    std::string path;
    // The character last drawn, for which code and line height, and whether
    // it could be drawn.
    Glyph glyph;
    bool ready = false;
    int code = -1;
    int lineHeight = 0;
};

struct LetterDrawing {
    DrawingTool tool = DrawingTool::Pencil;
    ToolDrag drag = ToolDrag::None;
    // Where the drag started, the glyph at the press (for the rubber band),
    // and where the selection stood when its move started.
    GlyphPoint dragFrom;
    Glyph dragBase;
    GlyphPoint moveStart;
    std::optional<FloatingPixels> selection;
    // The letter whose pixels are selected.
    int selectionCode = 0;
    LetterGuides guides;
    GuideDrag guideDrag = GuideDrag::None;
    TracingReference reference;
};

} // namespace glyphsmith
