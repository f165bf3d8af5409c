// How Qt's message boxes look, and the scripted answers the Qt backend gives
// its boxes; the editor's tests check the headless backend's.

#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace glyphsmith {
namespace {

TEST(QtMessageBoxes, ShowExactlyTheGivenTextAndButtonsAndReturnTheScriptedAnswer)
{
    QtWindowSystem system(testOptions());
    system.script().messageAnswers = { MessageResult::Ok, MessageResult::Yes };
    EXPECT_EQ(system.showMessage("Error writing file.", "", MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(system.showMessage("Do you want to save the changes made to this font?,", "Save changes?",
                  MessageButtons::YesNoCancel),
        MessageResult::Yes);
    system.script().fileAnswers = { std::nullopt };
    EXPECT_FALSE(system.fileDialog({ FileDialogKind::Save, "Fonts|*.wfn||", 2054, "font", "wfn" })) << "cancelled";

    const std::vector<ShownMessage>& shown = system.script().shownMessages;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Error writing file.");
    // No caption given: the application's name, the executable's base name.
    EXPECT_EQ(shown[0].caption, "qt_platform_tests");
    EXPECT_EQ(shown[0].buttons, std::vector<std::string> { "OK" });
    EXPECT_EQ(shown[0].defaultButton, "OK");

    EXPECT_EQ(shown[1].text, "Do you want to save the changes made to this font?,");
    EXPECT_EQ(shown[1].caption, "Save changes?");
    EXPECT_EQ(shown[1].buttons.size(), 3u);
    EXPECT_EQ(shown[1].defaultButton, "Yes");
    EXPECT_FALSE(shown[0].hasIcon || shown[1].hasIcon);
    EXPECT_FALSE(shown[0].hasOwner) << "no dialog is running";
    for (MessageResult answer : { MessageResult::No, MessageResult::Cancel }) { // Cancel comes by the close box
        system.script().messageAnswers = { answer };
        EXPECT_EQ(system.showMessage("Save?", "", MessageButtons::YesNoCancel), answer);
    }
}

TEST_F(QtDialogFixture, MessageBoxesAreOwnedByTheRunningDialog)
{
    system.script().messageAnswers = { MessageResult::Ok };
    run([&] { system.showMessage("About", "Glyphsmith", MessageButtons::Ok); });
    ASSERT_EQ(system.script().shownMessages.size(), 1u);
    EXPECT_TRUE(system.script().shownMessages[0].hasOwner);
}

// A scripted run must never wait on a real modal box.
TEST(QtModalScriptDeathTest, AnUnscriptedBoxOrFileDialogFailsLoudly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QtWindowSystem system(testOptions());
    EXPECT_DEATH(system.showMessage("Nobody answers", "", MessageButtons::Ok), "no scripted answer");
    EXPECT_DEATH(system.fileDialog({ FileDialogKind::Open, "Fonts|*.wfn||", 6148, "", "" }), "no scripted answer");
}

} // namespace
} // namespace glyphsmith
