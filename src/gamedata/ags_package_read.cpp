#include "gamedata/ags_package.h"

#include <algorithm>
#include <cstring>

#include "gamedata/ags_list_reader.h"
#include "gamedata/ags_obfuscation.h"

namespace glyphsmith {

namespace {

constexpr std::string_view HeadSignature = "CLIB\x1a";
constexpr std::string_view TailSignature = "CLIB\x01\x02\x03\x04SIGE";
// Far more entries than any game has; a count above it is a damaged list.
constexpr std::uint32_t MaxEntries = 1'000'000;
constexpr std::uint32_t MaxParts = 1000;
constexpr std::size_t MaxNameBytes = 1024;

bool hasHeadAt(std::span<const std::uint8_t> file, std::uint64_t position, std::uint64_t limit)
{
    // Written so that a huge position from an executable's ending cannot wrap.
    return position <= limit && limit - position >= HeadSignature.size() + 1
        && std::memcmp(file.data() + position, HeadSignature.data(), HeadSignature.size()) == 0;
}

// A name held in a fixed field ends at its first zero.
std::optional<std::string> fixedName(const std::vector<std::uint8_t>& field)
{
    auto end = std::find(field.begin(), field.end(), 0);
    if (end == field.end())
        return std::nullopt;
    return std::string(field.begin(), end);
}

class ListParser {
public:
    ListParser(AgsPackage& package, AgsListReader& in, std::string& error) : p_(package), in_(in), error_(error) {}

    bool fail(const std::string& reason)
    {
        if (error_.empty())
            error_ = reason;
        return false;
    }
    bool checkRead(const std::string& where)
    {
        return !in_.overran() || fail("the package's list ends inside " + where);
    }
    // Whether `count` items of at least `itemBytes` each can fit in what is left.
    bool countFits(std::uint64_t count, std::uint64_t limit, std::size_t itemBytes, const char* what)
    {
        if (count > limit || count * itemBytes > in_.remaining())
            return fail("the package's list claims " + std::to_string(count) + " " + what
                + ", more than the file can hold");
        return true;
    }

    bool version6()
    {
        std::uint8_t key = in_.u8();
        in_.u8();
        std::uint32_t count = static_cast<std::uint32_t>(in_.number(2));
        in_.field(13);
        if (!checkRead("its header") || !countFits(count, MaxEntries, 13 + 4 + 2, "entries"))
            return false;
        p_.entries.resize(count);
        p_.parts = { "" };
        for (std::uint32_t i = 0; i < count; ++i) {
            std::vector<std::uint8_t> field = in_.field(13);
            field.push_back(0);
            std::string& name = p_.entries[i].name;
            for (std::size_t j = 0; field[j] != 0; ++j)
                name.push_back(static_cast<char>(field[j] - key));
        }
        for (auto& entry : p_.entries) {
            entry.sizeField = in_.plainPosition();
            entry.size = in_.number(4);
        }
        in_.field(2 * std::size_t { count });
        if (!checkRead("its entry sizes"))
            return false;
        // The entries follow the list one after another.
        std::uint64_t position = in_.position();
        for (auto& entry : p_.entries) {
            entry.position = position;
            position += entry.size;
        }
        return true;
    }

    bool parts(int version)
    {
        std::uint32_t count = static_cast<std::uint32_t>(in_.number(4));
        if (!checkRead("its header") || !countFits(count, MaxParts, 1, "package files"))
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::optional<std::string> name;
            if (version < 20)
                name = fixedName(in_.field(20));
            else
                name = in_.zeroEnded(version >= 30 ? MaxNameBytes : 50);
            if (!checkRead("the name of package file " + std::to_string(i)))
                return false;
            if (!name)
                return fail("the name of package file " + std::to_string(i) + " has no end");
            p_.parts.push_back(*name);
        }
        return true;
    }

    bool names(int version, std::uint32_t count)
    {
        for (std::uint32_t i = 0; i < count; ++i) {
            std::optional<std::string> name;
            if (version == 10) {
                name = fixedName(in_.field(25));
            } else if (version < 20) {
                name = decodeKeyedName(in_.field(25));
            } else if (version == 20) {
                std::size_t length = in_.number(2) / 5;
                name = length <= 100 ? decodeKeyedName(in_.field(length)) : std::nullopt;
            } else {
                name = in_.zeroEnded(100);
            }
            if (!checkRead("the name of entry " + std::to_string(i)))
                return false;
            if (!name)
                return fail("the name of entry " + std::to_string(i) + " has no end");
            p_.entries[i].name = *name;
        }
        return true;
    }

    bool versions10To21(int version)
    {
        if (version == 21)
            in_.hideFromHere(static_cast<std::uint32_t>(in_.number(4)));
        if (!parts(version))
            return false;
        std::uint32_t count = static_cast<std::uint32_t>(in_.number(4));
        if (!checkRead("its entry count") || !countFits(count, MaxEntries, 2 + 4 + 4 + 1, "entries"))
            return false;
        p_.entries.resize(count);
        if (!names(version, count))
            return false;
        for (auto& entry : p_.entries) {
            entry.offsetField = in_.plainPosition();
            entry.position = p_.start + in_.number(4);
        }
        for (auto& entry : p_.entries) {
            entry.sizeField = in_.plainPosition();
            entry.size = in_.number(4);
        }
        for (auto& entry : p_.entries)
            entry.part = in_.u8();
        return checkRead("its entry offsets and sizes");
    }

    bool version30()
    {
        in_.number(4);
        if (!parts(30))
            return false;
        std::uint32_t count = static_cast<std::uint32_t>(in_.number(4));
        if (!checkRead("its entry count") || !countFits(count, MaxEntries, 1 + 1 + 8 + 8, "entries"))
            return false;
        p_.entries.resize(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            AgsPackageEntry& entry = p_.entries[i];
            std::optional<std::string> name = in_.zeroEnded(MaxNameBytes);
            if (!checkRead("entry " + std::to_string(i)))
                return false;
            if (!name)
                return fail("the name of entry " + std::to_string(i) + " has no end");
            entry.name = *name;
            entry.part = in_.u8();
            entry.offsetField = in_.plainPosition();
            std::uint64_t offset = in_.number(8);
            entry.sizeField = in_.plainPosition();
            entry.size = in_.number(8);
            if (!checkRead("entry " + std::to_string(i)))
                return false;
            // Kept below 2^62 so that positions and ends never overflow.
            if (offset >= (std::uint64_t { 1 } << 62) || entry.size >= (std::uint64_t { 1 } << 62))
                return fail("entry " + std::to_string(i) + " (" + entry.name + ") lies past the end of the file");
            entry.position = p_.start + offset;
        }
        return true;
    }

    // Every entry of the file read lies after the list and before the data's
    // end, and no two share a byte.
    bool checkPlacement()
    {
        std::vector<const AgsPackageEntry*> placed;
        for (std::size_t i = 0; i < p_.entries.size(); ++i) {
            const AgsPackageEntry& entry = p_.entries[i];
            std::string label = "entry " + std::to_string(i) + " (" + entry.name + ")";
            if (entry.part < 0 || static_cast<std::size_t>(entry.part) >= std::max<std::size_t>(p_.parts.size(), 1))
                return fail(label + " names package file " + std::to_string(entry.part) + ", which the list does not have");
            if (entry.part != 0)
                continue;
            if (entry.position < p_.listEnd)
                return fail(label + " lies inside the package's list");
            if (entry.position > p_.dataEnd || entry.size > p_.dataEnd - entry.position)
                return fail(label + " lies past the end of the file");
            placed.push_back(&entry);
        }
        std::sort(placed.begin(), placed.end(), [](auto* a, auto* b) {
            return a->position != b->position ? a->position < b->position : a->size < b->size;
        });
        for (std::size_t i = 1; i < placed.size(); ++i) {
            if (placed[i]->position < placed[i - 1]->position + placed[i - 1]->size)
                return fail("entries " + placed[i - 1]->name + " and " + placed[i]->name + " overlap");
        }
        return true;
    }

private:
    AgsPackage& p_;
    AgsListReader& in_;
    std::string& error_;
};

// Finds the package: at the start of the file, or where the ending of an
// executable points (a 64-bit position is tried first, then a 32-bit one).
bool locate(std::span<const std::uint8_t> file, AgsPackage& package, std::string& error)
{
    if (hasHeadAt(file, 0, file.size())) {
        package.dataEnd = file.size();
        return true;
    }
    const std::size_t tail = TailSignature.size();
    if (file.size() < tail + 4
        || std::memcmp(file.data() + file.size() - tail, TailSignature.data(), tail) != 0) {
        error = "holds no AGS data package";
        return false;
    }
    package.appended = true;
    for (int width : { 8, 4 }) {
        if (file.size() < tail + width)
            continue;
        std::size_t field = file.size() - tail - width;
        std::uint64_t position = 0;
        for (int i = 0; i < width; ++i)
            position |= std::uint64_t { file[field + i] } << (8 * i);
        if (position > 0 && hasHeadAt(file, position, field)) {
            package.start = position;
            package.dataEnd = field;
            return true;
        }
    }
    error = "ends with a package signature that points at no package";
    return false;
}

} // namespace

int AgsPackage::find(std::string_view name) const
{
    auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
            auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            return lower(x) == lower(y);
        });
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (same(entries[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<AgsPackage> readAgsPackage(std::span<const std::uint8_t> file, std::string& error)
{
    error.clear();
    AgsPackage package;
    if (!locate(file, package, error))
        return std::nullopt;
    std::size_t versionAt = package.start + HeadSignature.size();
    package.version = file[versionAt];
    package.listStart = versionAt + 1;

    AgsListReader in(file, package.listStart, package.dataEnd);
    ListParser parser(package, in, error);
    bool ok = false;
    switch (package.version) {
    case 6:
        ok = parser.version6();
        break;
    case 10:
    case 11:
    case 15:
    case 20:
    case 21:
    case 30:
        if (in.u8() != 0) {
            error = "is not the first file of its package (open the file whose name ends in .exe, .ags or .dat)";
            return std::nullopt;
        }
        ok = package.version == 30 ? parser.version30() : parser.versions10To21(package.version);
        break;
    default:
        error = "holds an AGS package of version " + std::to_string(package.version)
            + ", which this program does not know";
        return std::nullopt;
    }
    if (!ok)
        return std::nullopt;
    package.listEnd = in.position();
    package.hiddenFrom = in.hiddenFrom();
    package.plainList = in.takePlain();
    if (package.version == 21)
        package.seed = static_cast<std::uint32_t>(package.plainList[1] | package.plainList[2] << 8
            | package.plainList[3] << 16 | std::uint32_t { package.plainList[4] } << 24);
    if (!parser.checkPlacement())
        return std::nullopt;
    return package;
}

std::span<const std::uint8_t> agsEntryBytes(std::span<const std::uint8_t> file, const AgsPackage& package,
    std::size_t index, std::string& error)
{
    const AgsPackageEntry& entry = package.entries.at(index);
    if (entry.part != 0) {
        std::string partName = static_cast<std::size_t>(entry.part) < package.parts.size()
            ? package.parts[entry.part] : std::to_string(entry.part);
        error = entry.name + " is stored in the package's other file " + partName
            + ", which this program does not read";
        return {};
    }
    return file.subspan(entry.position, entry.size);
}

} // namespace glyphsmith
