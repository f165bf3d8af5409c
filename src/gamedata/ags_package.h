#pragma once

// An AGS data package ("CLIB"): the named entries of a compiled game, in one
// file of its own or appended to the game's Windows executable.
//
// Layout, in every version: the signature "CLIB" 0x1A, a version byte, then a
// list of entries (names, offsets, sizes, and in versions 10 and later the
// number of the package file that holds each entry), then the entries' bytes.
// An executable that carries a package ends with the package's position (32
// bits, 64 in version 30) followed by "CLIB\x01\x02\x03\x04SIGE".
//
// - version 6: a name key byte, one unused byte, a 16-bit count, 13 unused
//   bytes, the names in 13-byte fields (each byte plus the key), 32-bit
//   sizes, two unused bytes per entry; the entries follow the list in order.
// - versions 10, 11, 15: the file number (0 for the first file), the package
//   files (32-bit count, 20-byte names), the entries (32-bit count, 25-byte
//   names, keyed from version 11), 32-bit offsets, 32-bit sizes, file numbers.
// - version 20: as 15 but package file names end in a zero (at most 50 bytes)
//   and each keyed entry name follows a 16-bit field of five times its length.
// - version 21: as 20 but the names are plain zero-ended strings and the
//   whole list after a 32-bit seed is hidden by a number sequence.
// - version 30: a 32-bit flags field, package files as zero-ended names, then
//   per entry its zero-ended name, file number, 64-bit offset and size.
// Offsets of versions 10 and later count from the package's signature.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphsmith {

struct AgsPackageEntry {
    std::string name;
    int part = 0;               // the package file holding it; 0 is the file read
    std::uint64_t position = 0; // where its bytes begin in the file read (part 0 only)
    std::uint64_t size = 0;
    // Where its offset and size fields lie within the list's plain bytes.
    std::size_t offsetField = 0; // unused in version 6, whose offsets follow from the sizes
    std::size_t sizeField = 0;
};

struct AgsPackage {
    int version = 0;
    bool appended = false;          // found through the signature at the end of an executable
    std::uint64_t start = 0;        // position of the package's signature in the file
    std::size_t listStart = 0;      // the list's bytes in the file: [listStart, listEnd)
    std::size_t listEnd = 0;
    std::size_t dataEnd = 0;        // entries lie before this: the file's end, or the executable's ending
    std::size_t hiddenFrom = 0;     // version 21: the list's plain bytes from here on are hidden
    std::uint32_t seed = 0;         // version 21: the seed of the hiding sequence
    std::vector<std::uint8_t> plainList; // the list, as read (hidden bytes uncovered)
    std::vector<std::string> parts; // the names of the package's files, as stored
    std::vector<AgsPackageEntry> entries;

    // The entry named `name` (case ignored, as the engine looks them up), or -1.
    int find(std::string_view name) const;
};

// Reads the package of `file` (the whole file in memory). On failure returns
// nullopt and sets `error` to a reason that names no file, for example
// "the package's list ends before entry 3".
std::optional<AgsPackage> readAgsPackage(std::span<const std::uint8_t> file, std::string& error);

// The bytes of entry `index`; empty with `error` set when the entry lies in
// another file of a multi-file package.
std::span<const std::uint8_t> agsEntryBytes(std::span<const std::uint8_t> file, const AgsPackage& package,
    std::size_t index, std::string& error);

struct AgsReplacement {
    std::size_t entry = 0;
    std::vector<std::uint8_t> bytes;
};

// Builds in `out` the file `file` with the given entries replaced, in the
// package's own version: everything before the package (an executable), the
// list apart from the changed offsets and sizes, the other entries, the
// bytes between entries and the executable's ending are kept byte for byte.
// Returns false with `error` set when an entry cannot be replaced.
bool rebuildAgsPackage(std::span<const std::uint8_t> file, const AgsPackage& package,
    const std::vector<AgsReplacement>& replacements, std::vector<std::uint8_t>& out, std::string& error);

// Whether `rebuilt` holds the package of `file` with the given replacements:
// the same version, entries, names and executable part, every entry's bytes
// as expected. Sets `error` to the first difference.
bool checkAgsRebuild(std::span<const std::uint8_t> file, const AgsPackage& package,
    const std::vector<AgsReplacement>& replacements, std::span<const std::uint8_t> rebuilt, std::string& error);

} // namespace glyphsmith
