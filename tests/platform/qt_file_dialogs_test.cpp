#include <QFileDialog>
#include <gtest/gtest.h>

#include "platform/qt/qt_file_dialogs.h"
#include "qt_test_support.h"

namespace glyphsmith {
namespace {

const char* const OpenFilter = "All supported font files|font.*;*.0;*.ttf;*.wfn;*.bmp|AGS font (*.wfn)|*.wfn|"
                               "SCI font (font.*)|font.*;*.0|TrueType font (*.ttf)|*.ttf|Windows bitmap (*.bmp)|"
                               "*.bmp|All files (*.*)|*.*||";
const char* const SaveFilter = "AGS font (*.wfn)|*.wfn|SCI font (*.0)|*.0|Windows bitmap (*.bmp)|*.bmp||";

TEST(QtFileFilters, OpenFilterBecomesQtNameFilters)
{
    EXPECT_EQ(qtNameFilters(OpenFilter),
        QStringList({ "All supported font files (font.* *.0 *.ttf *.wfn *.bmp)", "AGS font (*.wfn) (*.wfn)",
            "SCI font (font.*) (font.* *.0)", "TrueType font (*.ttf) (*.ttf)", "Windows bitmap (*.bmp) (*.bmp)",
            "All files (*.*) (*)" }));
}

TEST(QtFileFilters, SaveFilterBecomesQtNameFilters)
{
    EXPECT_EQ(qtNameFilters(SaveFilter),
        QStringList({ "AGS font (*.wfn) (*.wfn)", "SCI font (*.0) (*.0)", "Windows bitmap (*.bmp) (*.bmp)" }));
}

TEST(QtFileFilters, MalformedFiltersGiveWhatIsComplete)
{
    EXPECT_EQ(qtNameFilters(""), QStringList());
    EXPECT_EQ(qtNameFilters("Fonts|*.wfn"), QStringList({ "Fonts (*.wfn)" })); // no closing "||"
    EXPECT_EQ(qtNameFilters("Fonts|*.wfn|Lonely|"), QStringList({ "Fonts (*.wfn)" }));
    EXPECT_EQ(qtNameFilters("Fonts|*.wfn||Ignored|*.x||"), QStringList({ "Fonts (*.wfn)" }));
}

TEST(QtFileDialogSetup, OpenDialogWantsAnExistingFile)
{
    QFileDialog dialog;
    configureFileDialog(dialog, { FileDialogKind::Open, OpenFilter, 6148, "agsfnt1", "wfn" });
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.nameFilters().size(), 6);
    EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
    EXPECT_EQ(dialog.defaultSuffix(), "wfn");
}

TEST(QtFileDialogSetup, SaveDialogPromptsBeforeOverwriting)
{
    QFileDialog dialog;
    configureFileDialog(dialog, { FileDialogKind::Save, SaveFilter, 2054, "", "" });
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));

    QFileDialog quiet;
    configureFileDialog(quiet, { FileDialogKind::Save, SaveFilter, 2048, "", "" });
    EXPECT_TRUE(quiet.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(QtFileDialogAnswer, ChosenPathIsSplitIntoFourTexts)
{
    struct Case {
        FileDialogKind kind;
        const char* chosen;
        const char* defaultExtension;
        FileDialogAnswer expected;
    };
    const Case cases[] = {
        { FileDialogKind::Open, "/fonts/agsfnt1.wfn", "", { "/fonts/agsfnt1.wfn", "agsfnt1.wfn", "agsfnt1", "wfn" } },
        { FileDialogKind::Open, "/games/FONT", "wfn", { "/games/FONT", "FONT", "FONT", "" } },
        { FileDialogKind::Open, "/my.fonts/font", "", { "/my.fonts/font", "font", "font", "" } },
        { FileDialogKind::Open, "/games/font.001", "", { "/games/font.001", "font.001", "font", "001" } },
        { FileDialogKind::Save, "/out/x", "bmp", { "/out/x.bmp", "x.bmp", "x", "bmp" } },
        { FileDialogKind::Save, "/out/x.wfn", "bmp", { "/out/x.wfn", "x.wfn", "x", "wfn" } },
        { FileDialogKind::Save, "/out/x", "", { "/out/x", "x", "x", "" } },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.chosen);
        FileDialogRequest request { each.kind, SaveFilter, 0, "", each.defaultExtension };
        FileDialogAnswer answer = answerForPath(each.chosen, request);
        EXPECT_EQ(answer.path, each.expected.path);
        EXPECT_EQ(answer.name, each.expected.name);
        EXPECT_EQ(answer.title, each.expected.title);
        EXPECT_EQ(answer.extension, each.expected.extension);
    }
}

TEST(QtFileDialogScript, RequestsAreRecordedAndAnsweredInOrder)
{
    QtWindowSystem system(testOptions());
    FileDialogAnswer chosen { "/f/a.wfn", "a.wfn", "a", "wfn" };
    system.script().fileAnswers.push_back(chosen);
    system.script().fileAnswers.push_back(std::nullopt);

    FileDialogRequest open { FileDialogKind::Open, OpenFilter, 6148, "a", "wfn" };
    std::optional<FileDialogAnswer> first = system.fileDialog(open);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->path, "/f/a.wfn");
    EXPECT_FALSE(system.fileDialog({ FileDialogKind::Save, SaveFilter, 2054, "a", "wfn" }));

    ASSERT_EQ(system.script().fileRequests.size(), 2u);
    EXPECT_EQ(system.script().fileRequests[0].filter, OpenFilter);
    EXPECT_EQ(system.script().fileRequests[0].flags, 6148u);
    EXPECT_EQ(system.script().fileRequests[1].kind, FileDialogKind::Save);
}

TEST(QtFileDialogScriptDeathTest, AnUnscriptedDialogFailsLoudly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QtWindowSystem system(testOptions());
    EXPECT_DEATH(system.fileDialog({ FileDialogKind::Open, OpenFilter, 6148, "", "" }), "no scripted answer");
}

} // namespace
} // namespace glyphsmith
