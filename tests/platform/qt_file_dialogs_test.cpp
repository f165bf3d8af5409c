// The Qt file dialogs' own conversions; scripted answers are checked with the
// message boxes.

#include <QFileDialog>
#include <gtest/gtest.h>

#include "platform/qt/qt_file_dialogs.h"
#include <string>
#include <vector>

namespace glyphsmith {
namespace {

const char* const OpenFilter = "All supported font files|font.*;*.0;*.ttf;*.wfn;*.bmp|AGS font (*.wfn)|*.wfn|"
                               "SCI font (font.*)|font.*;*.0|TrueType font (*.ttf)|*.ttf|Windows bitmap (*.bmp)|"
                               "*.bmp|All files (*.*)|*.*||";

TEST(QtFileFilters, BecomeQtNameFiltersUpToWhatIsComplete)
{
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        { OpenFilter,
            { "All supported font files (font.* *.0 *.ttf *.wfn *.bmp)", "AGS font (*.wfn) (*.wfn)",
                "SCI font (font.*) (font.* *.0)", "TrueType font (*.ttf) (*.ttf)",
                "Windows bitmap (*.bmp) (*.bmp)", "All files (*.*) (*)" } },
        { "", {} },
        { "Fonts|*.wfn", { "Fonts (*.wfn)" } }, // no closing "||"
        { "Fonts|*.wfn|Lonely|", { "Fonts (*.wfn)" } },
        { "Fonts|*.wfn||Ignored|*.x||", { "Fonts (*.wfn)" } },
    };
    for (const Case& each : cases)
        EXPECT_EQ(qtNameFilters(each.filter), each.expected) << each.filter;
}

TEST(QtFileDialogSetup, FlagsChooseTheFileModeAndTheOverwritePrompt)
{
    struct Case {
        FileDialogKind kind;
        unsigned flags;
        QFileDialog::AcceptMode accept;
        QFileDialog::FileMode mode;
        bool confirmOverwrite;
    };
    const Case cases[] = {
        { FileDialogKind::Open, 6148, QFileDialog::AcceptOpen, QFileDialog::ExistingFile, false },
        { FileDialogKind::Open, 2048, QFileDialog::AcceptOpen, QFileDialog::AnyFile, false },
        { FileDialogKind::Save, 2054, QFileDialog::AcceptSave, QFileDialog::AnyFile, true },
        { FileDialogKind::Save, 6144, QFileDialog::AcceptSave, QFileDialog::AnyFile, false },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.flags);
        QFileDialog dialog;
        configureFileDialog(dialog, { each.kind, OpenFilter, each.flags, "agsfnt1", "wfn" });
        EXPECT_EQ(dialog.acceptMode(), each.accept);
        EXPECT_EQ(dialog.fileMode(), each.mode);
        EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !each.confirmOverwrite);
        EXPECT_EQ(dialog.nameFilters().size(), 6);
        EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
        EXPECT_EQ(dialog.defaultSuffix(), "wfn");
    }
}

TEST(QtFileDialogAnswer, ChosenPathIsSplitIntoFourTexts)
{
    struct Case {
        FileDialogKind kind;
        const char* chosen;
        const char* defaultExtension;
        std::vector<std::string> expected; // path, name, title, extension
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
        FileDialogAnswer answer = answerForPath(each.chosen, { each.kind, "", 0, "", each.defaultExtension });
        EXPECT_EQ((std::vector<std::string> { answer.path, answer.name, answer.title, answer.extension }),
            each.expected)
            << each.chosen;
    }
}

} // namespace
} // namespace glyphsmith
