#pragma once

// Builds AGS data packages for the tests: every version, the entries laid out
// one after another behind the list, alone or appended to a stub executable.

#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/ags_obfuscation.h"

namespace glyphsmith::test {

using Bytes = std::vector<std::uint8_t>;

struct TestEntry {
    std::string name;
    Bytes bytes;
};

inline void putNumber(Bytes& out, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void putText(Bytes& out, const std::string& text, std::size_t field = 0)
{
    out.insert(out.end(), text.begin(), text.end());
    out.resize(out.size() + (field ? field - text.size() : 1), 0);
}

inline Bytes packageList(int version, const std::vector<TestEntry>& entries, const std::vector<std::uint64_t>& offsets)
{
    Bytes list;
    const std::uint64_t count = entries.size();
    if (version == 6) {
        const std::uint8_t key = 0x10;
        list = { key, 0 };
        putNumber(list, count, 2);
        list.resize(list.size() + 13, 0);
        for (const TestEntry& entry : entries) {
            for (char c : entry.name)
                list.push_back(static_cast<std::uint8_t>(c + key));
            list.resize(list.size() + 13 - entry.name.size(), 0);
        }
        for (const TestEntry& entry : entries)
            putNumber(list, entry.bytes.size(), 4);
        list.resize(list.size() + 2 * count, 0);
        return list;
    }
    list = { 0 };
    if (version == 21)
        putNumber(list, 0x1234, 4);
    if (version == 30)
        putNumber(list, 0, 4);
    putNumber(list, 1, 4);
    putText(list, "game.ags", version < 20 ? 20 : 0);
    putNumber(list, count, 4);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].name;
        if (version == 30) {
            putText(list, name);
            list.push_back(0);
            putNumber(list, offsets[i], 8);
            putNumber(list, entries[i].bytes.size(), 8);
        } else if (version == 10) {
            putText(list, name, 25);
        } else if (version < 20) {
            Bytes keyed = encodeKeyedName(name);
            list.insert(list.end(), keyed.begin(), keyed.end());
            list.resize(list.size() + 25 - keyed.size(), 0);
        } else if (version == 20) {
            Bytes keyed = encodeKeyedName(name);
            putNumber(list, keyed.size() * 5, 2);
            list.insert(list.end(), keyed.begin(), keyed.end());
        } else {
            putText(list, name);
        }
    }
    if (version == 30)
        return list;
    for (std::uint64_t offset : offsets)
        putNumber(list, offset, 4);
    for (const TestEntry& entry : entries)
        putNumber(list, entry.bytes.size(), 4);
    list.resize(list.size() + count, 0);
    if (version == 21) {
        AgsListSequence sequence(0x1234);
        for (std::size_t i = 5; i < list.size(); ++i)
            list[i] = static_cast<std::uint8_t>(list[i] + sequence.next());
    }
    return list;
}

inline Bytes makePackage(int version, const std::vector<TestEntry>& entries)
{
    const std::string head = "CLIB\x1a";
    std::vector<std::uint64_t> offsets(entries.size(), 0);
    std::uint64_t offset = head.size() + 1 + packageList(version, entries, offsets).size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        offsets[i] = offset;
        offset += entries[i].bytes.size();
    }
    Bytes package(head.begin(), head.end());
    package.push_back(static_cast<std::uint8_t>(version));
    Bytes list = packageList(version, entries, offsets);
    package.insert(package.end(), list.begin(), list.end());
    for (const TestEntry& entry : entries)
        package.insert(package.end(), entry.bytes.begin(), entry.bytes.end());
    return package;
}

// A stand-in for the game's executable, with the package appended and the
// ending that points at it (a 32-bit position, 64-bit from version 30).
inline const Bytes& stubExecutable()
{
    static const Bytes stub = { 'M', 'Z', 0x90, 0, 3, 0, 0, 0, 'r', 'u', 'n', 's', 0, 0xff };
    return stub;
}

inline Bytes appendToStub(const Bytes& package, int version)
{
    Bytes file = stubExecutable();
    file.insert(file.end(), package.begin(), package.end());
    putNumber(file, stubExecutable().size(), version >= 30 ? 8 : 4);
    const std::string tail = "CLIB\x01\x02\x03\x04SIGE";
    file.insert(file.end(), tail.begin(), tail.end());
    return file;
}

inline Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

} // namespace glyphsmith::test
