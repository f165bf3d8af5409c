#pragma once

// The dialog template: the window's caption, size and controls, read from a
// text resource (res/main_dialog.txt) so that both backends build the same
// dialog. Positions are dialog units until converted with toPixels.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace glyphsmith {

enum class ControlKind { Edit, Button, Label, List };

struct ControlTemplate {
    ControlKind kind = ControlKind::Button;
    int id = -1; // -1 for a label, which has no id of its own
    std::string caption;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<std::string> styles;

    bool hasStyle(std::string_view style) const;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0;
    int height = 0;
    std::string fontName;
    int fontPoints = 0;
    std::vector<std::string> styles;
    std::vector<ControlTemplate> controls; // in keyboard-navigation order

    bool hasStyle(std::string_view style) const;
    const ControlTemplate* control(int id) const;
};

// Parses the template text. On a malformed line returns nullopt and, when
// `error` is given, says which line and why.
std::optional<DialogTemplate> parseDialogTemplate(std::string_view text, std::string* error = nullptr);

// The template built into the program for `templateId`; nullopt when there is
// none or it does not parse.
std::optional<DialogTemplate> loadDialogTemplate(int templateId, std::string* error = nullptr);

// Dialog units to pixels with fixed base units of 6 x 13 pixels (the average
// character of "MS Sans Serif" 8 points at 96 DPI): x * 6 / 4 and y * 13 / 8,
// rounded to the nearest pixel as the classic dialog manager does.
inline constexpr int DialogBaseUnitX = 6;
inline constexpr int DialogBaseUnitY = 13;
int dialogUnitsToPixelsX(int units);
int dialogUnitsToPixelsY(int units);
PixelRect toPixels(const ControlTemplate& control);

} // namespace glyphsmith
