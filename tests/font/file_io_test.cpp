#include "font/file_io.h"
#include "font/file_io_calls.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "test_folder.h"

namespace glyphsmith {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> Old = { 1, 2, 3 };
const std::vector<std::uint8_t> New = { 9, 8, 7, 6, 5, 4 };

TEST(ReplaceFile, KeepsTheModeAndOwnerOfTheFileItReplaces)
{
    TestFolder folder;
    const std::string path = folder.path("font.0");
    folder.write("font.0", Old);
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    // Only root may give a file away; as anyone else the owner part is moot.
    const bool giveAway = ::geteuid() == 0 && ::chown(path.c_str(), 65534, 65534) == 0;

    ASSERT_EQ(replaceFile(path, New), FileError::None);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(fs::status(path).permissions(), mode);
    if (giveAway) {
        EXPECT_EQ(after.st_uid, 65534u);
        EXPECT_EQ(after.st_gid, 65534u);
    }
}

TEST(ReplaceFile, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    struct Row {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // link, what it points to
        std::string saved;                                      // the name a save goes to
        std::string target;                                     // the file that must change
    };
    const Row rows[] = {
        { "link beside its file", { { "a/link.wfn", "font.wfn" } }, "a/link.wfn", "a/font.wfn" },
        { "link to a link", { { "a/first", "second" }, { "a/second", "font.wfn" } }, "a/first", "a/font.wfn" },
        { "link into another folder", { { "a/link.wfn", "../b/font.wfn" } }, "a/link.wfn", "b/font.wfn" },
        { "link by absolute path", { { "a/link.wfn", "@b/font.wfn" } }, "a/link.wfn", "b/font.wfn" },
        { "link to a file not there yet", { { "a/link.wfn", "new.wfn" } }, "a/link.wfn", "a/new.wfn" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestFolder folder;
        fs::create_directory(folder.path("a"));
        fs::create_directory(folder.path("b"));
        folder.write("a/font.wfn", Old);
        folder.write("b/font.wfn", Old);
        for (const auto& [link, to] : row.links)
            fs::create_symlink(to.starts_with('@') ? folder.path(to.substr(1)) : to, folder.path(link));

        ASSERT_EQ(replaceFile(folder.path(row.saved), New), FileError::None);
        EXPECT_EQ(folder.read(row.target), New);
        for (const auto& [link, to] : row.links)
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.path(link)))) << link;
        const std::size_t inA = row.links.size() + (row.target == "a/new.wfn" ? 2 : 1);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path("a")), {}), std::ptrdiff_t(inA));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path("b")), {}), 1);
    }
}

TEST(ReplaceFile, RefusesTargetsThatAreNotRegularFilesAndLeavesThemAlone)
{
    TestFolder folder;
    fs::create_directory(folder.path("folder"));
    folder.write("folder/inside", Old);
    ASSERT_EQ(::mkfifo(folder.path("fifo").c_str(), 0644), 0);
    // A device reached through a link: the device is checked, not the link.
    // It is made here, so a save that wrongly went through could not replace
    // the machine's own /dev/null.
    std::vector<std::string> names { "folder", "fifo" };
    if (folder.makeNullDevice("null")) {
        fs::create_symlink(folder.path("null"), folder.path("device"));
        names.push_back("device");
    }

    for (const std::string& name : names)
        EXPECT_EQ(replaceFile(folder.path(name), New), FileError::NotRegularFile) << name;

    EXPECT_EQ(folder.read("folder/inside"), Old);
    EXPECT_TRUE(fs::is_fifo(folder.path("fifo")));
    if (names.size() == 3) {
        EXPECT_TRUE(fs::is_character_file(folder.path("device")));
        EXPECT_EQ(folder.entries(), (std::vector<std::string>{ "device", "fifo", "folder", "null" }));
    }
}

// Runs `body` in a child process as the unprivileged user 'nobody' and returns
// its exit status, or -1 when this process cannot become that user.
int runAsNobody(const std::function<int()>& body)
{
    if (::geteuid() != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
        return -1;
    return WEXITSTATUS(status);
}

TEST(ReplaceFile, RefusesAFileTheUserMayNotWrite)
{
    TestFolder folder;
    // The folder is open to all, so only the file's own mode stands in the way.
    fs::permissions(folder.path(""), fs::perms::all);
    folder.write("locked.wfn", Old);
    fs::permissions(folder.path("locked.wfn"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const int status = runAsNobody([&] {
        return replaceFile(folder.path("locked.wfn"), New) == FileError::ReadOnly ? 0 : 1;
    });
    if (status < 0)
        GTEST_SKIP() << "cannot run a child process as the unprivileged user 'nobody' (needs root)";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder.read("locked.wfn"), Old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "locked.wfn" });
    EXPECT_EQ(describe(FileResult::failed(FileError::ReadOnly)), "the file is read-only");
}

// Logs each call of a save and passes it on to the system, except the one
// named in `failing`, which fails as the system's would: a write after half
// the bytes, a close after closing, a rename by aiming at the folder.
class SaveCallsSeen : public ::testing::Test {
protected:
    SaveCallsSeen()
    {
        calls.clear();
        saveCalls.createNew = [](const char* path, const char* like, bool& taken) {
            return passes("create") ? system.createNew(path, like, taken) : (taken = false, NoFileHandle);
        };
        saveCalls.write = [](FileHandle file, const std::uint8_t* bytes, std::size_t size) {
            return passes("write") ? system.write(file, bytes, size) : (system.write(file, bytes, size / 2), -1);
        };
        saveCalls.sync = [](FileHandle file) { return passes("sync") && system.sync(file); };
        saveCalls.close = [](FileHandle file) { return system.close(file) && passes("close"); };
        saveCalls.rename = [](const char* from, const char* to) {
            return system.rename(from, passes("rename") ? to : fs::path(to).parent_path().c_str());
        };
        saveCalls.syncFolder = [](const char* folder) { return passes("sync folder") && system.syncFolder(folder); };
    }
    ~SaveCallsSeen() override { saveCalls = system; }
    static bool passes(const char* call) { return calls.emplace_back(call) != failing; }
    static inline SaveCalls system = saveCalls;
    static inline std::vector<std::string> calls;
    static inline std::string failing;
};

TEST_F(SaveCallsSeen, SyncsTheFileBeforeTheRenameAndLeavesNothingBehindWhenACallFails)
{
    failing = "sync folder"; // a folder that cannot be synced still holds the new file
    TestFolder saved;
    EXPECT_EQ(replaceFile(saved.path("font.wfn"), New), FileError::None);
    EXPECT_EQ(saved.read("font.wfn"), New);
    EXPECT_EQ(calls, (std::vector<std::string>{ "create", "write", "sync", "close", "rename", "sync folder" }));

    for (const char* call : { "create", "write", "sync", "close", "rename" }) {
        SCOPED_TRACE(call);
        failing = call;
        TestFolder folder;
        folder.write("font.wfn", Old);
        EXPECT_EQ(replaceFile(folder.path("font.wfn"), New), FileError::CannotWrite);
        EXPECT_EQ(replaceFile(folder.path("new.wfn"), New), FileError::CannotWrite);
        EXPECT_EQ(folder.read("font.wfn"), Old);
        EXPECT_EQ(folder.entries(), std::vector<std::string>{ "font.wfn" });
    }
}

TEST_F(SaveCallsSeen, WritesEveryByteHoweverFewTheSystemTakesAtATimeAndFailsWhenItTakesNone)
{
    // (most bytes one write takes, the result, the writes made) for the 6 bytes of New
    const std::tuple<std::size_t, FileError, int> rows[] = {
        { 6, FileError::None, 1 }, { 4, FileError::None, 2 }, { 1, FileError::None, 6 },
        { 0, FileError::CannotWrite, 1 },
    };
    failing = "";
    for (const auto& [most, error, writes] : rows) {
        SCOPED_TRACE(most);
        static std::size_t taken;
        taken = most;
        saveCalls.write = [](FileHandle file, const std::uint8_t* bytes, std::size_t size) {
            return passes("write") ? system.write(file, bytes, std::min(size, taken)) : -1;
        };
        calls.clear();
        TestFolder folder;
        folder.write("font.wfn", Old);
        EXPECT_EQ(replaceFile(folder.path("font.wfn"), New), error);
        EXPECT_EQ(folder.read("font.wfn"), error == FileError::None ? New : Old);
        EXPECT_EQ(std::ranges::count(calls, std::string("write")), writes);
    }
}

TEST(ReplaceFile, AMissingFolderOrALinkLoopFailsAndCreatesNothing)
{
    TestFolder folder;
    fs::create_symlink("loop", folder.path("loop"));
    EXPECT_EQ(replaceFile(folder.path("missing/font.wfn"), New), FileError::CannotWrite);
    EXPECT_EQ(replaceFile(folder.path("loop"), New), FileError::CannotWrite);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "loop" });
}

TEST(ReadWholeFile, ReadsEveryByteAndRefusesOversizedOrMissingFiles)
{
    TestFolder folder;
    std::vector<std::uint8_t> big(200000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    folder.write("big", big);

    std::vector<std::uint8_t> read;
    EXPECT_EQ(readWholeFile(folder.path("big"), big.size(), read), FileError::None);
    EXPECT_EQ(read, big);

    std::vector<std::uint8_t> untouched = { 5 };
    EXPECT_EQ(readWholeFile(folder.path("big"), big.size() - 1, untouched), FileError::FileTooLarge);
    EXPECT_EQ(readWholeFile(folder.path("absent"), 100, untouched), FileError::CannotOpen);
    EXPECT_EQ(untouched, std::vector<std::uint8_t>{ 5 });
}

} // namespace
} // namespace glyphsmith
