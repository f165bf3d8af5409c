#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/qt/qt_registry.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

std::string text(const std::vector<std::uint8_t>& bytes)
{
    return { bytes.begin(), bytes.end() };
}

// Points the freedesktop folders at a temporary folder for one test.
class QtRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "XDG_DATA_HOME", "XDG_CONFIG_HOME" }) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        ::setenv("XDG_DATA_HOME", folder.path("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", folder.path("config").c_str(), 1);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

    // The writes the program makes at every start.
    void registerFileTypes(FreedesktopRegistry& registry, const std::string& openCommand)
    {
        for (const char* extension : { ".wfn", ".0" }) {
            std::optional<RegistryKey> key = registry.createClassKey(extension);
            ASSERT_TRUE(key);
            registry.setDefaultValue(*key, "", "Glyphsmith");
            registry.closeKey(*key);
        }
        std::optional<RegistryKey> key = registry.createClassKey("Glyphsmith");
        ASSERT_TRUE(key);
        registry.setDefaultValue(*key, "", "Adventure game font file");
        registry.setDefaultValue(*key, "shell\\open\\command", openCommand);
        registry.closeKey(*key);
    }

    TestFolder folder;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(QtRegistryTest, FileTypesBecomeMimePackageDesktopEntryAndDefault)
{
    FreedesktopRegistry registry("/opt/glyphsmith/bin/glyphsmith", false);
    registerFileTypes(registry, "/home/user\\glyphsmith.exe %1");

    EXPECT_EQ(text(folder.read("data/mime/packages/Glyphsmith.xml")),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-glyphsmith\">\n"
        "    <comment>Adventure game font file</comment>\n"
        "    <glob pattern=\"*.0\"/>\n"
        "    <glob pattern=\"*.wfn\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
    EXPECT_EQ(text(folder.read("data/applications/Glyphsmith.desktop")),
        "[Desktop Entry]\nType=Application\nName=Glyphsmith\nComment=Adventure game font file\n"
        "Exec=/opt/glyphsmith/bin/glyphsmith %f\nMimeType=application/x-glyphsmith;\nTerminal=false\n"
        "NoDisplay=true\n");
    EXPECT_EQ(text(folder.read("config/mimeapps.list")),
        "[Default Applications]\napplication/x-glyphsmith=Glyphsmith.desktop\n\n"
        "[Added Associations]\napplication/x-glyphsmith=Glyphsmith.desktop;\n");
}

TEST_F(QtRegistryTest, WritingAgainKeepsOtherAssociations)
{
    std::filesystem::create_directories(folder.path("config"));
    std::string before = "[Default Applications]\ntext/plain=editor.desktop\napplication/x-glyphsmith=old.desktop\n\n"
                         "[Removed Associations]\nimage/png=viewer.desktop;\n";
    folder.write("config/mimeapps.list", { before.begin(), before.end() });

    FreedesktopRegistry registry("/usr/bin/glyphsmith", false);
    registerFileTypes(registry, "/x\\glyphsmith.exe %1");
    registerFileTypes(registry, "/x\\glyphsmith.exe %1");

    EXPECT_EQ(text(folder.read("config/mimeapps.list")),
        "[Default Applications]\ntext/plain=editor.desktop\napplication/x-glyphsmith=Glyphsmith.desktop\n\n"
        "[Removed Associations]\nimage/png=viewer.desktop;\n\n"
        "[Added Associations]\napplication/x-glyphsmith=Glyphsmith.desktop;\n");
}

TEST_F(QtRegistryTest, AnExtensionGivenToAnotherClassLeavesTheFirst)
{
    FreedesktopRegistry registry("/usr/bin/glyphsmith", false);
    registerFileTypes(registry, "/x\\glyphsmith.exe %1");
    std::optional<RegistryKey> key = registry.createClassKey(".0");
    registry.setDefaultValue(*key, "", "Other");
    registry.closeKey(*key);

    std::string glyphsmith = text(folder.read("data/mime/packages/Glyphsmith.xml"));
    EXPECT_EQ(glyphsmith.find("*.0"), std::string::npos);
    EXPECT_NE(glyphsmith.find("*.wfn"), std::string::npos);
    EXPECT_NE(text(folder.read("data/mime/packages/Other.xml")).find("<glob pattern=\"*.0\"/>"), std::string::npos);
}

TEST_F(QtRegistryTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    FreedesktopRegistry registry("/usr/bin/glyphsmith", false);
    for (const char* name : { "", ".", "..", "../evil", "a/b", "a\\b", "/etc/passwd" })
        EXPECT_FALSE(registry.createClassKey(name)) << name;
    std::optional<RegistryKey> key = registry.createClassKey(".wfn");
    ASSERT_TRUE(key);
    registry.setDefaultValue(*key, "", "../../escape");
    registry.closeKey(*key);
    EXPECT_FALSE(std::filesystem::exists(folder.path("escape.xml")));
    EXPECT_FALSE(std::filesystem::exists(folder.path("data/escape.xml")));
}

TEST_F(QtRegistryTest, UnknownAndClosedKeysChangeNothing)
{
    FreedesktopRegistry registry("/usr/bin/glyphsmith", false);
    std::optional<RegistryKey> key = registry.createClassKey("Glyphsmith");
    registry.closeKey(*key);
    registry.setDefaultValue(*key, "", "late");
    registry.setDefaultValue({ 999 }, "", "unknown");
    EXPECT_FALSE(std::filesystem::exists(folder.path("data")));
}

TEST(FreedesktopExecLine, UsesTheCommandsProgramWhereItExists)
{
    TestFolder folder;
    std::string program = folder.path("glyphsmith");
    folder.write("glyphsmith", { '#', '!' });
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::string command = folder.path("") + "\\glyphsmith.exe %1";
    command.erase(command.find("/\\"), 1); // "<dir>\glyphsmith.exe %1", as the program builds it
    EXPECT_EQ(FreedesktopRegistry::execLine(command, "/usr/bin/other"), program + " %f");
}

TEST(FreedesktopExecLine, FallsBackToTheRunningProgramAndQuotes)
{
    struct Case {
        const char* executable;
        const char* exec;
    };
    for (Case each : { Case { "/usr/bin/glyphsmith", "/usr/bin/glyphsmith %f" },
             Case { "/opt/my tools/glyphsmith", "\"/opt/my tools/glyphsmith\" %f" },
             Case { "/opt/100%/g$x", "\"/opt/100%%/g\\\\$x\" %f" } }) {
        EXPECT_EQ(FreedesktopRegistry::execLine("C:\\nowhere\\glyphsmith.exe %1", each.executable), each.exec);
    }
}

} // namespace
} // namespace glyphsmith
