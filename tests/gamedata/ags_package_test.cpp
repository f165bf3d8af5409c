#include <gtest/gtest.h>

#include <sstream>

#include "ags_package_builder.h"
#include "gamedata/ags_package.h"

namespace glyphsmith {
namespace {

using test::Bytes;
using test::bytesOf;
using test::TestEntry;

constexpr int Versions[] = { 6, 10, 11, 15, 20, 21, 30 };

Bytes hex(const std::string& text)
{
    Bytes bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

const std::vector<TestEntry>& twoEntries()
{
    static const std::vector<TestEntry> entries = { { "ab", bytesOf("xy") }, { "c", bytesOf("z") } };
    return entries;
}

AgsPackage readOrFail(const Bytes& file)
{
    std::string error;
    std::optional<AgsPackage> package = readAgsPackage(file, error);
    EXPECT_TRUE(package) << error;
    return package.value_or(AgsPackage {});
}

Bytes entryOf(const Bytes& file, const AgsPackage& package, std::size_t index)
{
    std::string error;
    std::span<const std::uint8_t> bytes = agsEntryBytes(file, package, index, error);
    EXPECT_EQ(error, "");
    return Bytes(bytes.begin(), bytes.end());
}

// The packages of two entries ("ab" holding "xy", "c" holding "z"), laid out
// by hand from the engine's reader, the version 21 list hidden with seed 0x1234.
TEST(AgsPackage, MatchesHandMadeLayoutInEveryVersion)
{
    const std::pair<int, const char*> layouts[] = {
        { 6, "43 4c 49 42 1a 06 10 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 71 72 00 00 00 00 00 00 00 00 00"
             " 00 00 73 00 00 00 00 00 00 00 00 00 00 00 00 02 00 00 00 01 00 00 00 00 00 00 00 78 79 7a" },
        { 10, "43 4c 49 42 1a 0a 00 01 00 00 00 67 61 6d 65 2e 61 67 73 00 00 00 00 00 00 00 00 00 00 00 00 02 00 00"
              " 00 61 62 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 63 00 00 00 00 00 00 00"
              " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 67 00 00 00 69 00 00 00 02 00 00 00 01 00 00 00 00"
              " 00 78 79 7a" },
        { 11, "43 4c 49 42 1a 0b 00 01 00 00 00 67 61 6d 65 2e 61 67 73 00 00 00 00 00 00 00 00 00 00 00 00 02 00 00"
              " 00 ae db 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 b0 79 00 00 00 00 00 00"
              " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 67 00 00 00 69 00 00 00 02 00 00 00 01 00 00 00 00"
              " 00 78 79 7a" },
        { 15, "43 4c 49 42 1a 0f 00 01 00 00 00 67 61 6d 65 2e 61 67 73 00 00 00 00 00 00 00 00 00 00 00 00 02 00 00"
              " 00 ae db 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 b0 79 00 00 00 00 00 00"
              " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 67 00 00 00 69 00 00 00 02 00 00 00 01 00 00 00 00"
              " 00 78 79 7a" },
        { 20, "43 4c 49 42 1a 14 00 01 00 00 00 67 61 6d 65 2e 61 67 73 00 02 00 00 00 0f 00 ae db 01 0a 00 b0 79 33"
              " 00 00 00 35 00 00 00 02 00 00 00 01 00 00 00 00 00 78 79 7a" },
        { 21, "43 4c 49 42 1a 15 00 34 12 00 00 d7 25 74 c3 b8 05 d3 44 92 d4 83 04 14 5a d7 65 cb 3f e5 e7 55 9d 1c"
              " 0b c1 bb 5b cc 56 b3 5e 14 05 55 a8 dc f0 0f 53 94 78 79 7a" },
        { 30, "43 4c 49 42 1a 1e 00 00 00 00 00 01 00 00 00 67 61 6d 65 2e 61 67 73 00 02 00 00 00 61 62 00 00 43 00"
              " 00 00 00 00 00 00 02 00 00 00 00 00 00 00 63 00 00 45 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 78"
              " 79 7a" },
    };
    for (const auto& [version, layout] : layouts) {
        SCOPED_TRACE(version);
        const Bytes file = hex(layout);
        EXPECT_EQ(test::makePackage(version, twoEntries()), file);
        const AgsPackage package = readOrFail(file);
        EXPECT_EQ(package.version, version);
        ASSERT_EQ(package.entries.size(), 2u);
        EXPECT_EQ(package.entries[0].name, "ab");
        EXPECT_EQ(package.entries[1].name, "c");
        EXPECT_EQ(entryOf(file, package, 0), bytesOf("xy"));
        EXPECT_EQ(entryOf(file, package, 1), bytesOf("z"));
    }
}

std::vector<TestEntry> gameEntries()
{
    Bytes big(3000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    return { { "ac2game.dta", big }, { "AGSFNT0.WFN", bytesOf("font zero") }, { "empty.txt", {} },
        { "agsfnt1.wfn", bytesOf("font one") }, { "music.vox", bytesOf("la la la") } };
}

// Every version alone and in an executable, with `test` run on the file.
template <typename Test>
void forEachPackage(const std::vector<TestEntry>& entries, Test test)
{
    for (int version : Versions) {
        for (bool appended : { false, true }) {
            SCOPED_TRACE("version " + std::to_string(version) + (appended ? " in an executable" : ""));
            const Bytes package = test::makePackage(version, entries);
            test(version, appended, appended ? test::appendToStub(package, version) : package);
        }
    }
}

TEST(AgsPackage, ReadsEveryVersionAloneAndInAnExecutableAndRebuildsItUnchanged)
{
    forEachPackage(gameEntries(), [](int version, bool appended, const Bytes& file) {
        const AgsPackage package = readOrFail(file);
        EXPECT_EQ(package.version, version);
        EXPECT_EQ(package.appended, appended);
        EXPECT_EQ(package.start, appended ? test::stubExecutable().size() : 0u);
        ASSERT_EQ(package.entries.size(), gameEntries().size());
        for (std::size_t i = 0; i < package.entries.size(); ++i) {
            EXPECT_EQ(package.entries[i].name, gameEntries()[i].name);
            EXPECT_EQ(entryOf(file, package, i), gameEntries()[i].bytes);
        }
        EXPECT_EQ(package.find("agsfnt0.wfn"), 1);
        EXPECT_EQ(package.find("agsfnt2.wfn"), -1);
        Bytes rebuilt;
        std::string error;
        ASSERT_TRUE(rebuildAgsPackage(file, package, {}, rebuilt, error)) << error;
        EXPECT_EQ(rebuilt, file);
    });
}

TEST(AgsPackage, ReplacesEntriesAndKeepsEverythingElseInEveryVersion)
{
    forEachPackage(gameEntries(), [](int version, bool appended, const Bytes& file) {
        const AgsPackage package = readOrFail(file);
        // One entry grows, one shrinks: everything behind them moves.
        const std::vector<AgsReplacement> replacements = { { 1, bytesOf("a much longer font zero") }, { 3, bytesOf("1") } };
        Bytes rebuilt;
        std::string error;
        ASSERT_TRUE(rebuildAgsPackage(file, package, replacements, rebuilt, error)) << error;
        EXPECT_TRUE(checkAgsRebuild(file, package, replacements, rebuilt, error)) << error;

        const AgsPackage reread = readOrFail(rebuilt);
        EXPECT_EQ(reread.version, version);
        EXPECT_EQ(reread.plainList.size(), package.plainList.size());
        ASSERT_EQ(reread.entries.size(), package.entries.size());
        for (std::size_t i = 0; i < reread.entries.size(); ++i) {
            EXPECT_EQ(reread.entries[i].name, package.entries[i].name);
            Bytes expected = i == 1 ? replacements[0].bytes : i == 3 ? replacements[1].bytes : gameEntries()[i].bytes;
            EXPECT_EQ(entryOf(rebuilt, reread, i), expected) << i;
        }
        // The executable and its ending stay as they were.
        const std::size_t stub = appended ? test::stubExecutable().size() : 0;
        const std::size_t ending = file.size() - package.dataEnd;
        EXPECT_TRUE(std::equal(file.begin(), file.begin() + stub, rebuilt.begin()));
        EXPECT_TRUE(std::equal(file.end() - ending, file.end(), rebuilt.end() - ending));
        // The check finds a byte changed in an entry that was to stay.
        rebuilt[reread.entries[4].position] ^= 1;
        EXPECT_FALSE(checkAgsRebuild(file, package, replacements, rebuilt, error));
        EXPECT_EQ(error, "entry 4 (music.vox) does not hold what was written");
    });
}

TEST(AgsPackage, RebuildKeepsBytesBetweenEntries)
{
    // A version 30 package with four bytes of padding before its second entry.
    Bytes file = test::makePackage(30, twoEntries());
    file.insert(file.end() - 1, { 0xde, 0xad, 0xbe, 0xef });
    file[51] = 0x49; // entry "c" now at 0x49
    const AgsPackage package = readOrFail(file);
    ASSERT_EQ(entryOf(file, package, 1), bytesOf("z"));
    Bytes rebuilt;
    std::string error;
    ASSERT_TRUE(rebuildAgsPackage(file, package, { { 0, bytesOf("x") } }, rebuilt, error)) << error;
    const AgsPackage reread = readOrFail(rebuilt);
    EXPECT_EQ(entryOf(rebuilt, reread, 1), bytesOf("z"));
    EXPECT_EQ(Bytes(rebuilt.end() - 5, rebuilt.end() - 1), Bytes({ 0xde, 0xad, 0xbe, 0xef }));
}

TEST(AgsPackage, EntriesInAnotherFileAreListedButNeitherReadNorReplaced)
{
    Bytes file = test::makePackage(10, twoEntries());
    file[7] = 2;                                                  // two package files ...
    const Bytes secondName = { 'g', 'a', 'm', 'e', '.', '0', '0', '1' };
    file.insert(file.begin() + 31, 20, 0);                        // ... the second named game.001
    std::copy(secondName.begin(), secondName.end(), file.begin() + 31);
    file[122] = 1;                                                // "c" lies in it
    for (std::size_t at : { 105u, 109u })                         // the offsets move with the list
        file[at] += 20;
    const AgsPackage package = readOrFail(file);
    ASSERT_EQ(package.parts, (std::vector<std::string> { "game.ags", "game.001" }));
    EXPECT_EQ(package.entries[1].part, 1);
    std::string error;
    EXPECT_TRUE(agsEntryBytes(file, package, 1, error).empty());
    EXPECT_EQ(error, "c is stored in the package's other file game.001, which this program does not read");
    Bytes rebuilt;
    EXPECT_FALSE(rebuildAgsPackage(file, package, { { 1, bytesOf("q") } }, rebuilt, error));
    ASSERT_TRUE(rebuildAgsPackage(file, package, { { 0, bytesOf("q") } }, rebuilt, error)) << error;
    EXPECT_EQ(readOrFail(rebuilt).entries[1].part, 1);
}

Bytes changed(Bytes bytes, std::size_t at, std::initializer_list<std::uint8_t> values)
{
    std::copy(values.begin(), values.end(), bytes.begin() + at);
    return bytes;
}

// Version 10 two-entry layout: file number at 6, package files at 7, entry
// count at 31, names at 35 and 60, offsets at 85 and 89, sizes at 93 and 97,
// file numbers at 101 and 102, entries at 103.
TEST(AgsPackage, RefusesDamagedPackagesWithAReason)
{
    const Bytes v10 = test::makePackage(10, twoEntries());
    const Bytes v30 = test::makePackage(30, twoEntries());
    const Bytes v6 = test::makePackage(6, twoEntries());
    Bytes longName = v30;
    longName.insert(longName.begin() + 29, 2000, 'n');
    Bytes badTail = test::appendToStub(v10, 10);
    badTail[badTail.size() - 16] = 200;
    const std::vector<std::pair<Bytes, std::string>> rows = {
        { {}, "holds no AGS data package" },
        { bytesOf("MZ not a game at all"), "holds no AGS data package" },
        { changed(v10, 5, { 7 }), "holds an AGS package of version 7, which this program does not know" },
        { badTail, "ends with a package signature that points at no package" },
        { changed(v10, 6, { 1 }), "is not the first file of its package" },
        { changed(v10, 31, { 0xff, 0xff, 0xff, 0xff }), "the package's list claims 4294967295 entries, more than the file can hold" },
        { changed(v10, 7, { 0x00, 0x00, 0x01, 0x00 }), "the package's list claims 65536 package files, more than the file can hold" },
        { Bytes(v10.begin(), v10.begin() + 90), "the package's list ends inside its entry offsets and sizes" },
        { Bytes(v10.begin(), v10.begin() + 20), "the package's list ends inside the name of package file 0" },
        { changed(v10, 35, { 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a',
                               'a', 'a', 'a', 'a', 'a', 'a', 'a' }), "the name of entry 0 has no end" },
        { longName, "the name of entry 0 has no end" },
        { changed(v10, 89, { 200 }), "entry 1 (c) lies past the end of the file" },
        { changed(v10, 97, { 0xff, 0xff, 0xff, 0xff }), "entry 1 (c) lies past the end of the file" },
        { changed(v30, 32, { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff }), "entry 0 (ab) lies past the end of the file" },
        { changed(v10, 89, { 103 }), "entries c and ab overlap" },
        { changed(v10, 85, { 50 }), "entry 0 (ab) lies inside the package's list" },
        { changed(v10, 102, { 3 }), "entry 1 (c) names package file 3, which the list does not have" },
        { Bytes(v6.begin(), v6.end() - 1), "entry 1 (c) lies past the end of the file" },
    };
    for (const auto& [file, reason] : rows) {
        SCOPED_TRACE(reason);
        std::string error;
        EXPECT_FALSE(readAgsPackage(file, error));
        EXPECT_EQ(error.substr(0, reason.size()), reason);
    }
}

} // namespace
} // namespace glyphsmith
