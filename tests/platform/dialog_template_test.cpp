#include "platform/dialog_template.h"

#include <gtest/gtest.h>

#include <set>

namespace glyphsmith {
namespace {

// The dialog's size, caption and enabled controls are checked where the
// backends build it; here, what no backend notices.
TEST(DialogTemplate, TheMainDialogHasUniqueIdsAndNoControlInTheFontView)
{
    std::string error;
    std::optional<DialogTemplate> dialog = loadDialogTemplate(MainDialogTemplate, &error);
    ASSERT_TRUE(dialog) << error;
    std::set<int> ids;
    for (const ControlTemplate& control : dialog->controls) {
        EXPECT_TRUE(control.id == -1 || ids.insert(control.id).second) << "duplicate id " << control.id;
        PixelRect pixels = toPixels(control);
        EXPECT_TRUE(pixels.right <= 120 || pixels.bottom <= 32)
            << control.caption << " reaches into the font view at " << pixels.right << ", " << pixels.bottom;
    }
}

TEST(DialogTemplate, DialogUnitsUseBaseUnitsSixByThirteen)
{
    ControlTemplate control;
    control.x = 44;
    control.y = 3;
    control.width = 26;
    control.height = 12;
    EXPECT_EQ(toPixels(control), (PixelRect{ 66, 5, 105, 24 })); // 4.875 rounds to 5, 24.375 to 24
    EXPECT_EQ(dialogUnitsToPixelsX(287), 431);
    EXPECT_EQ(dialogUnitsToPixelsY(127), 206);
}

TEST(DialogTemplate, MalformedTextIsRefusedWithTheLine)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        { "", "line 0: no dialog line" },
        { "edit 1 \"\" 1 2 3 4", "line 1: a control before the dialog line" },
        { "dialog 102 \"A\" 10 10 \"F\" 8\nslider 5 \"\" 1 2 3 4", "line 2: unknown line kind" },
        { "dialog 102 \"A\" 10 10 \"F\" 8\nbutton 5 \"Go 1 2 3 4", "line 2: unterminated quote" },
        { "dialog 102 \"A\" 10 10 \"F\" 8\nbutton 5 \"Go\" 1 2 x 4", "line 2: expected: KIND ID \"CAPTION\" X Y WIDTH HEIGHT STYLE..." },
        { "dialog 102 \"A\" 10 \"F\" 8", "line 1: expected: dialog ID \"CAPTION\" WIDTH HEIGHT \"FONT\" POINTS STYLE..." },
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parseDialogTemplate(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(DialogTemplate, QuotedCaptionsKeepBlanksAndCommentsAreSkipped)
{
    std::optional<DialogTemplate> dialog = parseDialogTemplate(
        "# comment\n\ndialog 7 \"Two words\" 10 20 \"MS Sans Serif\" 8 caption\nlabel -1 \"A b\" 1 2 3 4 left group\n");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->caption, "Two words");
    EXPECT_TRUE(dialog->hasStyle("caption"));
    ASSERT_EQ(dialog->controls.size(), 1u);
    EXPECT_EQ(dialog->controls[0].caption, "A b");
    EXPECT_EQ(dialog->controls[0].styles, (std::vector<std::string>{ "left", "group" }));
}

} // namespace
} // namespace glyphsmith
