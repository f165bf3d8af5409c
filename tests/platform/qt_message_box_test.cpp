#include <QDir>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "platform/qt/qt_message_box.h"
#include "qt_test_support.h"

namespace glyphsmith {
namespace {

TEST(QtMessageBoxes, ShowExactlyTheGivenTextAndButtons)
{
    QtWindowSystem system(testOptions());
    system.script().messageAnswers = { MessageResult::Ok, MessageResult::Yes };
    EXPECT_EQ(system.showMessage("Error writing file.", "", MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(system.showMessage("Do you want to save the changes made to this font?,", "Save changes?",
                  MessageButtons::YesNoCancel),
        MessageResult::Yes);

    const std::vector<ShownMessage>& shown = system.script().shownMessages;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Error writing file.");
    // No caption given: the application's name, the executable's base name.
    EXPECT_EQ(shown[0].caption, "qt_platform_tests");
    EXPECT_EQ(shown[0].buttons, std::vector<std::string> { "OK" });
    EXPECT_EQ(shown[0].defaultButton, "OK");
    EXPECT_FALSE(shown[0].hasIcon);

    EXPECT_EQ(shown[1].text, "Do you want to save the changes made to this font?,");
    EXPECT_EQ(shown[1].caption, "Save changes?");
    EXPECT_EQ(shown[1].buttons.size(), 3u);
    EXPECT_EQ(shown[1].defaultButton, "Yes");
    EXPECT_FALSE(shown[1].hasIcon);
}

TEST(QtMessageBoxes, EachAnswerComesBackThroughTheBox)
{
    struct Case {
        MessageButtons buttons;
        MessageResult answer;
    };
    for (Case each : { Case { MessageButtons::YesNoCancel, MessageResult::Yes },
             Case { MessageButtons::YesNoCancel, MessageResult::No },
             Case { MessageButtons::YesNoCancel, MessageResult::Cancel },
             Case { MessageButtons::Ok, MessageResult::Ok } }) {
        QtModalScript script;
        script.active = true;
        script.messageAnswers.push_back(each.answer);
        std::unique_ptr<QMessageBox> box = buildMessageBox(nullptr, "text", "caption", each.buttons, "app");
        EXPECT_EQ(runMessageBox(*box, each.buttons, script), each.answer);
        EXPECT_TRUE(script.messageAnswers.empty());
    }
}

TEST(QtMessageBoxes, AreOwnedByTheRunningDialog)
{
    QtWindowSystem system(testOptions());
    RecordingHandler handler(system);
    system.script().messageAnswers = { MessageResult::Ok };
    runDialogWith(system, handler, [&] { system.showMessage("About", "Glyphsmith", MessageButtons::Ok); });
    ASSERT_EQ(system.script().shownMessages.size(), 1u);
    EXPECT_TRUE(system.script().shownMessages[0].hasOwner);
}

TEST(QtMessageBoxesDeathTest, AnUnscriptedBoxFailsLoudly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QtWindowSystem system(testOptions());
    EXPECT_DEATH(system.showMessage("Nobody answers", "", MessageButtons::Ok), "no scripted answer");
}

TEST(QtProcess, ReportsNameDirectoryAndArguments)
{
    QtWindowSystem system(testOptions());
    EXPECT_EQ(system.executableName(), "qt_platform_tests");
    EXPECT_EQ(system.currentDirectory(), QDir::currentPath().toStdString());
    EXPECT_EQ(system.commandLine(), "");
}

} // namespace
} // namespace glyphsmith
