#include "platform/dialog_template.h"

#include <algorithm>
#include <charconv>

#include "platform/resources.h"

namespace glyphsmith {

namespace {

// Splits a line into words; a word in double quotes may hold blanks.
// Returns false for an unterminated quote.
bool splitWords(std::string_view line, std::vector<std::string>& words)
{
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
            ++at;
            continue;
        }
        if (line[at] == '"') {
            std::size_t close = line.find('"', at + 1);
            if (close == std::string_view::npos)
                return false;
            words.emplace_back(line.substr(at + 1, close - at - 1));
            at = close + 1;
            continue;
        }
        std::size_t end = line.find_first_of(" \t\r", at);
        if (end == std::string_view::npos)
            end = line.size();
        words.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return true;
}

bool toInt(const std::string& word, int& value)
{
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

bool parseInts(const std::vector<std::string>& words, std::size_t first, std::initializer_list<int*> values)
{
    std::size_t index = first;
    for (int* value : values)
        if (index >= words.size() || !toInt(words[index++], *value))
            return false;
    return true;
}

std::optional<ControlKind> kindOf(const std::string& word)
{
    if (word == "edit")
        return ControlKind::Edit;
    if (word == "button")
        return ControlKind::Button;
    if (word == "label")
        return ControlKind::Label;
    if (word == "list")
        return ControlKind::List;
    return std::nullopt;
}

int roundedScale(int units, int base, int divisor)
{
    // Rounds half away from zero, as a multiply-then-divide with rounding does.
    int scaled = units * base;
    return scaled >= 0 ? (scaled + divisor / 2) / divisor : -((-scaled + divisor / 2) / divisor);
}

} // namespace

bool ControlTemplate::hasStyle(std::string_view style) const
{
    return std::ranges::find(styles, style) != styles.end();
}

bool DialogTemplate::hasStyle(std::string_view style) const
{
    return std::ranges::find(styles, style) != styles.end();
}

const ControlTemplate* DialogTemplate::control(int controlId) const
{
    auto found = std::ranges::find(controls, controlId, &ControlTemplate::id);
    return found == controls.end() ? nullptr : &*found;
}

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text, std::string* error)
{
    DialogTemplate result;
    bool sawDialog = false;
    int lineNumber = 0;
    auto fail = [&](const char* why) -> std::optional<DialogTemplate> {
        if (error)
            *error = "line " + std::to_string(lineNumber) + ": " + why;
        return std::nullopt;
    };

    while (!text.empty()) {
        ++lineNumber;
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

        std::vector<std::string> words;
        if (!splitWords(line, words))
            return fail("unterminated quote");
        if (words.empty() || words[0].starts_with('#'))
            continue;

        if (words[0] == "dialog") {
            if (sawDialog)
                return fail("a second dialog line");
            if (words.size() < 7 || !toInt(words[1], result.id) || !parseInts(words, 3, { &result.width, &result.height })
                || !toInt(words[6], result.fontPoints))
                return fail("expected: dialog ID \"CAPTION\" WIDTH HEIGHT \"FONT\" POINTS STYLE...");
            result.caption = words[2];
            result.fontName = words[5];
            result.styles.assign(words.begin() + 7, words.end());
            sawDialog = true;
            continue;
        }

        std::optional<ControlKind> kind = kindOf(words[0]);
        if (!kind)
            return fail("unknown line kind");
        if (!sawDialog)
            return fail("a control before the dialog line");
        ControlTemplate control;
        control.kind = *kind;
        if (words.size() < 7 || !toInt(words[1], control.id)
            || !parseInts(words, 3, { &control.x, &control.y, &control.width, &control.height }))
            return fail("expected: KIND ID \"CAPTION\" X Y WIDTH HEIGHT STYLE...");
        control.caption = words[2];
        control.styles.assign(words.begin() + 7, words.end());
        result.controls.push_back(std::move(control));
    }
    if (!sawDialog)
        return fail("no dialog line");
    return result;
}

std::optional<DialogTemplate> loadDialogTemplate(int templateId, std::string* error)
{
    std::span<const std::uint8_t> bytes = embeddedResource(templateId);
    if (bytes.empty()) {
        if (error)
            *error = "no dialog template " + std::to_string(templateId);
        return std::nullopt;
    }
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::optional<DialogTemplate> parsed = parseDialogTemplate(text, error);
    if (parsed && parsed->id != templateId) {
        if (error)
            *error = "resource " + std::to_string(templateId) + " holds dialog " + std::to_string(parsed->id);
        return std::nullopt;
    }
    return parsed;
}

int dialogUnitsToPixelsX(int units)
{
    return roundedScale(units, DialogBaseUnitX, 4);
}

int dialogUnitsToPixelsY(int units)
{
    return roundedScale(units, DialogBaseUnitY, 8);
}

PixelRect toPixels(const ControlTemplate& control)
{
    int left = dialogUnitsToPixelsX(control.x);
    int top = dialogUnitsToPixelsY(control.y);
    return { left, top, dialogUnitsToPixelsX(control.x + control.width),
        dialogUnitsToPixelsY(control.y + control.height) };
}

} // namespace glyphsmith
