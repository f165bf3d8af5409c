#include "gamedata/ags_package.h"

#include <algorithm>
#include <optional>
#include <limits>

#include "gamedata/ags_obfuscation.h"

namespace glyphsmith {

namespace {

void putNumber(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

bool rebuildAgsPackage(std::span<const std::uint8_t> file, const AgsPackage& package,
    const std::vector<AgsReplacement>& replacements, std::vector<std::uint8_t>& out, std::string& error)
{
    const int width = package.version >= 30 ? 8 : 4;
    const std::uint64_t limit = width == 8 ? std::numeric_limits<std::uint64_t>::max() >> 2
                                           : std::numeric_limits<std::uint32_t>::max();

    std::vector<const std::vector<std::uint8_t>*> newBytes(package.entries.size(), nullptr);
    for (const AgsReplacement& replacement : replacements) {
        if (replacement.entry >= package.entries.size()) {
            error = "the package has no entry " + std::to_string(replacement.entry);
            return false;
        }
        const AgsPackageEntry& entry = package.entries[replacement.entry];
        if (entry.part != 0) {
            error = entry.name + " is stored in another file of the package, which this program does not write";
            return false;
        }
        newBytes[replacement.entry] = &replacement.bytes;
    }

    // The entries of this file in the order they lie in it.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < package.entries.size(); ++i) {
        if (package.entries[i].part == 0)
            order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const AgsPackageEntry& x = package.entries[a];
        const AgsPackageEntry& y = package.entries[b];
        return x.position != y.position ? x.position < y.position : x.size < y.size;
    });

    std::vector<std::uint8_t> result;
    std::vector<std::uint8_t> list = package.plainList;
    result.reserve(file.size());
    result.insert(result.end(), file.begin(), file.begin() + package.listEnd);
    std::uint64_t cursor = package.listEnd;
    for (std::size_t index : order) {
        const AgsPackageEntry& entry = package.entries[index];
        // Whatever lies between entries stays with the entry it precedes.
        result.insert(result.end(), file.begin() + cursor, file.begin() + entry.position);
        std::uint64_t offset = result.size() - package.start;
        std::span<const std::uint8_t> bytes = newBytes[index] ? std::span<const std::uint8_t>(*newBytes[index])
                                                              : file.subspan(entry.position, entry.size);
        if (offset > limit || bytes.size() > limit || offset + bytes.size() > limit) {
            error = "the package would grow past what its version " + std::to_string(package.version) + " can hold";
            return false;
        }
        result.insert(result.end(), bytes.begin(), bytes.end());
        if (package.version != 6)
            putNumber(list, entry.offsetField, offset, width);
        putNumber(list, entry.sizeField, bytes.size(), width);
        cursor = entry.position + entry.size;
    }
    result.insert(result.end(), file.begin() + cursor, file.end());

    // The list keeps its length: only numbers of fixed width changed.
    std::size_t at = package.listStart;
    if (package.version == 21) {
        AgsListSequence sequence(package.seed);
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::uint8_t hide = i >= package.hiddenFrom ? sequence.next() : 0;
            result[at + i] = static_cast<std::uint8_t>(list[i] + hide);
        }
    } else {
        std::copy(list.begin(), list.end(), result.begin() + at);
    }
    out = std::move(result);
    return true;
}

} // namespace glyphsmith

namespace glyphsmith {

bool checkAgsRebuild(std::span<const std::uint8_t> file, const AgsPackage& package,
    const std::vector<AgsReplacement>& replacements, std::span<const std::uint8_t> rebuilt, std::string& error)
{
    std::string reason;
    std::optional<AgsPackage> reread = readAgsPackage(rebuilt, reason);
    if (!reread) {
        error = "the new package cannot be read back: " + reason;
        return false;
    }
    if (reread->version != package.version || reread->start != package.start
        || reread->entries.size() != package.entries.size() || reread->parts != package.parts
        || reread->appended != package.appended
        || !std::equal(file.begin(), file.begin() + package.start, rebuilt.begin())
        || !std::equal(file.begin() + package.dataEnd, file.end(), rebuilt.begin() + reread->dataEnd, rebuilt.end())) {
        error = "the new package does not have the old one's version, files and entries";
        return false;
    }
    for (std::size_t i = 0; i < package.entries.size(); ++i) {
        const AgsPackageEntry& before = package.entries[i];
        const AgsPackageEntry& after = reread->entries[i];
        if (before.name != after.name || before.part != after.part) {
            error = "entry " + std::to_string(i) + " (" + before.name + ") changed its name or place";
            return false;
        }
        if (before.part != 0)
            continue;
        std::span<const std::uint8_t> expected = file.subspan(before.position, before.size);
        for (const AgsReplacement& replacement : replacements) {
            if (replacement.entry == i)
                expected = replacement.bytes;
        }
        std::span<const std::uint8_t> found = rebuilt.subspan(after.position, after.size);
        if (!std::equal(expected.begin(), expected.end(), found.begin(), found.end())) {
            error = "entry " + std::to_string(i) + " (" + before.name + ") does not hold what was written";
            return false;
        }
    }
    return true;
}

} // namespace glyphsmith
