// The programs' information options, run as a user or a packager would,
// without a display.

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace glyphsmith {
namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
};

ProgramRun run(const std::string& command)
{
    ProgramRun result;
    // No display: the options must answer without one.
    if (FILE* pipe = ::popen(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + command).c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            result.out.append(buffer, got);
        result.status = ::pclose(pipe);
    }
    return result;
}

TEST(CommandLine, BothProgramsTellTheirVersionAndTheEditorItsUsage)
{
    const std::string editor = GLYPHSMITH_EDITOR;
    const std::string convert = GLYPHSMITH_CONVERT;
    const std::vector<std::pair<std::string, std::string>> cases {
        { editor + " --version", "glyphsmith " GLYPHSMITH_VERSION "\n" },
        { convert + " --version", "glyphsmith-convert " GLYPHSMITH_VERSION "\n" },
    };
    for (const auto& [command, output] : cases) {
        const ProgramRun result = run(command);
        EXPECT_EQ(result.status, 0) << command;
        EXPECT_EQ(result.out, output) << command;
    }
    const ProgramRun help = run(editor + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: glyphsmith [FILE]")) << help.out;
}

} // namespace
} // namespace glyphsmith
