#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/qt/qt_registry.h"
#include "platform/resources.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

// Sets an environment variable for the life of the object.
struct ScopedVariable {
    ScopedVariable(const char* name, const std::string& value) : name(name)
    {
        if (const char* current = std::getenv(name))
            saved = current;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { saved ? ::setenv(name, saved->c_str(), 1) : ::unsetenv(name); }
    const char* name;
    std::optional<std::string> saved;
};

// Points the freedesktop folders at a temporary folder for one test.
class QtRegistryTest : public ::testing::Test {
protected:
    std::string text(const std::string& name) const
    {
        std::vector<std::uint8_t> bytes = folder.read(name);
        return { bytes.begin(), bytes.end() };
    }

    // Opens the class key `name`, sets one value in it and closes it again.
    void set(const std::string& name, const std::string& subkey, const std::string& value)
    {
        std::optional<RegistryKey> key = registry.createClassKey(name);
        ASSERT_TRUE(key) << name;
        registry.setDefaultValue(*key, subkey, value);
        registry.closeKey(*key);
    }

    // The writes the program makes at every start.
    void registerFileTypes()
    {
        set(".wfn", "", "Glyphsmith");
        set(".0", "", "Glyphsmith");
        set("Glyphsmith", "", "Adventure game font file");
        set("Glyphsmith", "shell\\open\\command", "/home/user\\glyphsmith.exe %1");
    }

    TestFolder folder;
    ScopedVariable data { "XDG_DATA_HOME", folder.path("data") };
    ScopedVariable config { "XDG_CONFIG_HOME", folder.path("config") };
    FreedesktopRegistry registry { "/opt/glyphsmith/bin/glyphsmith", false };
};

TEST_F(QtRegistryTest, FileTypesBecomeTheInstalledTypesDesktopEntryAndDefaults)
{
    registerFileTypes();
    // Each format's type exactly as the installed package declares it.
    const std::string package = text("data/mime/packages/Glyphsmith.xml");
    const std::span<const std::uint8_t> installedBytes = embeddedResource(MimePackageResource);
    const std::string installed(installedBytes.begin(), installedBytes.end());
    for (const char* type : { "application/x-ags-font", "application/x-sci-font" }) {
        const std::string start = std::string("  <mime-type type=\"") + type + "\">";
        const std::size_t at = installed.find(start);
        ASSERT_NE(at, std::string::npos) << type;
        const std::string element = installed.substr(at, installed.find("</mime-type>\n", at) + 13 - at);
        EXPECT_NE(package.find(element), std::string::npos) << type;
    }
    EXPECT_EQ(package.find("x-glyphsmith"), std::string::npos);
    EXPECT_EQ(text("data/applications/Glyphsmith.desktop"),
        "[Desktop Entry]\nType=Application\nName=Glyphsmith\nComment=Adventure game font file\n"
        "Exec=/opt/glyphsmith/bin/glyphsmith %f\nMimeType=application/x-sci-font;application/x-ags-font;\n"
        "Terminal=false\nNoDisplay=true\n");
    EXPECT_EQ(text("config/mimeapps.list"),
        "[Default Applications]\napplication/x-sci-font=Glyphsmith.desktop\n"
        "application/x-ags-font=Glyphsmith.desktop\n\n"
        "[Added Associations]\napplication/x-sci-font=Glyphsmith.desktop;\n"
        "application/x-ags-font=Glyphsmith.desktop;\n");
}

TEST_F(QtRegistryTest, TheOldSharedTypeGoesAndOtherAssociationsStay)
{
    // What earlier versions wrote: one type for both extensions.
    std::filesystem::create_directories(folder.path("config"));
    std::string before = "[Default Applications]\ntext/plain=editor.desktop\napplication/x-glyphsmith=Glyphsmith.desktop\n\n"
                         "[Removed Associations]\nimage/png=viewer.desktop;\n\n"
                         "[Added Associations]\napplication/x-glyphsmith=other.desktop;Glyphsmith.desktop;\n";
    folder.write("config/mimeapps.list", { before.begin(), before.end() });
    std::filesystem::create_directories(folder.path("data/mime/packages"));
    const std::string oldPackage = "<mime-info><mime-type type=\"application/x-glyphsmith\"/></mime-info>\n";
    folder.write("data/mime/packages/Glyphsmith.xml", { oldPackage.begin(), oldPackage.end() });
    registerFileTypes();
    registerFileTypes();
    EXPECT_EQ(text("config/mimeapps.list"),
        "[Default Applications]\ntext/plain=editor.desktop\napplication/x-sci-font=Glyphsmith.desktop\n"
        "application/x-ags-font=Glyphsmith.desktop\n\n"
        "[Removed Associations]\nimage/png=viewer.desktop;\n\n"
        "[Added Associations]\napplication/x-glyphsmith=other.desktop;\n"
        "application/x-sci-font=Glyphsmith.desktop;\napplication/x-ags-font=Glyphsmith.desktop;\n");
    EXPECT_EQ(text("data/mime/packages/Glyphsmith.xml").find("x-glyphsmith"), std::string::npos);
}

TEST_F(QtRegistryTest, AnExtensionGivenToAnotherClassLeavesTheFirst)
{
    registerFileTypes();
    set(".0", "", "Other");
    set(".xyz", "", "Other");
    std::string glyphsmith = text("data/mime/packages/Glyphsmith.xml");
    EXPECT_EQ(glyphsmith.find("*.0"), std::string::npos);
    EXPECT_NE(glyphsmith.find("*.wfn"), std::string::npos);
    // An extension without a type of the installed package shares the class's type.
    const std::string other = text("data/mime/packages/Other.xml");
    EXPECT_NE(other.find("<glob pattern=\"*.0\"/>"), std::string::npos);
    EXPECT_NE(other.find("<mime-type type=\"application/x-other\">\n    <comment>Other</comment>\n"
                         "    <glob pattern=\"*.xyz\"/>\n"),
        std::string::npos);
}

TEST_F(QtRegistryTest, NamesThatWouldLeaveTheFolderAndDeadKeysWriteNothing)
{
    for (const char* name : { "", ".", "..", "../evil", "a/b", "a\\b", "/etc/passwd" })
        EXPECT_FALSE(registry.createClassKey(name)) << name;
    std::optional<RegistryKey> key = registry.createClassKey("Glyphsmith");
    registry.closeKey(*key);
    registry.setDefaultValue(*key, "", "late");
    registry.setDefaultValue({ 999 }, "", "unknown");
    EXPECT_FALSE(folder.exists("data"));

    set(".wfn", "", "../../escape");
    EXPECT_FALSE(folder.exists("escape.xml"));
    EXPECT_FALSE(folder.exists("data/escape.xml"));
}

TEST(FreedesktopExecLine, UsesTheCommandsProgramWhereItExistsElseTheRunningOneQuoted)
{
    TestFolder folder;
    folder.write("glyphsmith", { '#', '!' });
    std::filesystem::permissions(folder.path("glyphsmith"), std::filesystem::perms::owner_all);
    std::string root = folder.path("");
    root.pop_back(); // "<dir>\glyphsmith.exe %1", as the program builds it
    EXPECT_EQ(FreedesktopRegistry::execLine(root + "\\glyphsmith.exe %1", "/usr/bin/other"),
        folder.path("glyphsmith") + " %f");

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
