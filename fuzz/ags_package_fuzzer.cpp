// Fuzz target for the AGS data package reader and its rebuild.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "gamedata/ags_package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphsmith;
    const std::span<const std::uint8_t> file(data, size);
    std::string error;
    std::optional<AgsPackage> package = readAgsPackage(file, error);
    if (!package) {
        if (error.empty())
            std::abort(); // a refusal always has a reason
        return 0;
    }
    for (std::size_t i = 0; i < package->entries.size(); ++i)
        agsEntryBytes(file, *package, i, error);

    // Rebuilt without changes, a package is the same file; with its first
    // entry replaced, it holds what was written and everything else as it was.
    std::vector<std::uint8_t> rebuilt;
    if (!rebuildAgsPackage(file, *package, {}, rebuilt, error)
        || !std::equal(rebuilt.begin(), rebuilt.end(), file.begin(), file.end()))
        std::abort();
    if (!package->entries.empty() && package->entries[0].part == 0) {
        const std::vector<AgsReplacement> replacements = { { 0, { 1, 2, 3, 4, 5, 6, 7 } } };
        if (!rebuildAgsPackage(file, *package, replacements, rebuilt, error)
            || !checkAgsRebuild(file, *package, replacements, rebuilt, error))
            std::abort();
    }
    return 0;
}
