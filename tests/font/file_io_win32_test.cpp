// Saving on Windows: the same promise as on Linux, with UTF-16 names at the API.

#include "font/file_io.h"

#include <gtest/gtest.h>

#include "font/file_io_calls.h"
#include "platform/win32/utf16.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

const std::vector<std::uint8_t> Old = { 1, 2, 3 };
const std::vector<std::uint8_t> New = { 9, 8, 7, 6, 5, 4 };

// Names in the folder, listed through the W API so that any script survives.
std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((toUtf16(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(toUtf8(name));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

TEST(ReplaceFileOnWindows, SavesAndReadsNamesInAnyScript)
{
    TestFolder folder;
    const std::string name = "\xd1\x88\xd1\x80\xd0\xb8\xd1\x84\xd1\x82 \xc3\xa9t\xc3\xa9.wfn"; // "шрифт été.wfn"
    const std::string path = folder.path("") + name;
    ASSERT_EQ(replaceFile(path, Old), FileError::None);
    ASSERT_EQ(replaceFile(path, New), FileError::None);
    std::vector<std::uint8_t> read;
    EXPECT_EQ(readWholeFile(path, 100, read), FileError::None);
    EXPECT_EQ(read, New);
    EXPECT_EQ(namesIn(folder.path("")), std::vector<std::string>({ name }));
}

TEST(ReplaceFileOnWindows, RefusesReadOnlyFilesAndFoldersAndLeavesThemAlone)
{
    TestFolder folder;
    folder.write("locked.wfn", Old);
    const std::wstring locked = toUtf16(folder.path("locked.wfn"));
    ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    ::CreateDirectoryW(toUtf16(folder.path("folder.wfn")).c_str(), nullptr);

    EXPECT_EQ(replaceFile(folder.path("locked.wfn"), New), FileError::ReadOnly);
    EXPECT_EQ(replaceFile(folder.path("folder.wfn"), New), FileError::NotRegularFile);
    EXPECT_EQ(folder.read("locked.wfn"), Old);
    EXPECT_EQ(namesIn(folder.path("")), std::vector<std::string>({ "folder.wfn", "locked.wfn" }));
    ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A move the system refuses (another program holds the old file open, say)
// leaves the old file and no temporary one.
TEST(ReplaceFileOnWindows, AFailedMoveLeavesTheOldFileAndNoTemporaryOne)
{
    const SaveCalls system = saveCalls;
    saveCalls.rename = [](const char*, const char*) { return false; };
    TestFolder folder;
    folder.write("font.wfn", Old);
    EXPECT_EQ(replaceFile(folder.path("font.wfn"), New), FileError::CannotWrite);
    saveCalls = system;
    EXPECT_EQ(folder.read("font.wfn"), Old);
    EXPECT_EQ(namesIn(folder.path("")), std::vector<std::string>({ "font.wfn" }));
}

} // namespace
} // namespace glyphsmith
