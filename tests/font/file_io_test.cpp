#include "font/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "test_folder.h"

namespace glyphsmith {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

TEST(ReplaceFile, CreatesAndReplacesWithoutLeavingTemporaryFiles)
{
    TestFolder folder;
    const std::string path = folder.path("font.wfn");
    ASSERT_TRUE(replaceFile(path, bytesOf({ 1, 2, 3 })));
    EXPECT_EQ(folder.read("font.wfn"), bytesOf({ 1, 2, 3 }));

    ASSERT_TRUE(replaceFile(path, bytesOf({ 9 })));
    EXPECT_EQ(folder.read("font.wfn"), bytesOf({ 9 }));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "font.wfn" });
}

TEST(ReplaceFile, KeepsThePermissionsOfTheFileItReplaces)
{
    TestFolder folder;
    const std::string path = folder.path("font.0");
    folder.write("font.0", bytesOf({ 1 }));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(replaceFile(path, bytesOf({ 2 })));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ReplaceFile, FailureLeavesTheTargetAndFolderAsTheyWere)
{
    TestFolder folder;
    // A folder cannot be replaced by a file.
    fs::create_directory(folder.path("taken"));
    folder.write("taken/inside", bytesOf({ 7 }));
    EXPECT_FALSE(replaceFile(folder.path("taken"), bytesOf({ 1 })));
    EXPECT_EQ(folder.read("taken/inside"), bytesOf({ 7 }));

    // A missing folder: nothing is created anywhere.
    EXPECT_FALSE(replaceFile(folder.path("missing/font.wfn"), bytesOf({ 1 })));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "taken" });
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

    std::vector<std::uint8_t> untouched = bytesOf({ 5 });
    EXPECT_EQ(readWholeFile(folder.path("big"), big.size() - 1, untouched), FileError::FileTooLarge);
    EXPECT_EQ(readWholeFile(folder.path("absent"), 100, untouched), FileError::CannotOpen);
    EXPECT_EQ(untouched, bytesOf({ 5 }));
}

} // namespace
} // namespace glyphsmith
