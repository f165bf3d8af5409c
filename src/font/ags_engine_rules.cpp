// How the AGS engine loads a .wfn file, which is more forgiving than our own
// reader in some ways and stricter in others:
//
//   - the first 15 bytes must be the signature, and the table position T (the
//     16-bit value at byte 15) must lie from 17 up to the last byte of the file;
//   - the table runs to the end of the file: (size - T) / 2 characters, so
//     bytes after our 128 entries are further characters;
//   - entry 0 is a character without a glyph; any other entry below 17, or
//     one that leaves no room for the 4 size bytes before T, is a bad
//     character shown as nothing;
//   - the records are taken in the order of their distinct positions, and a
//     record's rows may not run past the next record or the table: the engine
//     cuts them there and keeps only the whole rows that remain;
//   - but when a record with pixels is followed fewer than 4 bytes after its
//     start by the next record, that cut becomes a copy of negative length
//     and the loader corrupts its memory: we call such a file refused;
//   - only a game in Unicode mode reaches codes above 255: an 8-bit game's
//     characters are single bytes.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "font/engine_check.h"
#include "font/engine_rule_helpers.h"
#include "font/row_packing.h"

namespace glyphsmith {

namespace {

using namespace engine_rules;

constexpr std::string_view Signature = "WGT Font File  ";
constexpr std::size_t HeaderBytes = Signature.size() + 2;
constexpr std::size_t SizeBytes = 4; // width and height, 16 bits each

EngineCheck refused(std::string reason)
{
    return refusedBy(Engine::Ags, std::move(reason));
}

} // namespace

EngineCheck checkWithAgs(std::span<const std::uint8_t> file)
{
    if (file.size() < Signature.size() || std::memcmp(file.data(), Signature.data(), Signature.size()) != 0)
        return refused("the file does not begin with the signature \"WGT Font File  \"");
    if (file.size() < HeaderBytes)
        return refused("the file ends before the table position");
    const std::size_t table = u16At(file, Signature.size());
    if (table < HeaderBytes)
        return refused("the table position " + std::to_string(table) + " lies inside the header (below 17)");
    if (table >= file.size())
        return refused("the table position " + std::to_string(table) + " is at or past the end of the file ("
            + std::to_string(file.size()) + " bytes)");

    std::vector<std::size_t> entries((file.size() - table) / 2);
    for (std::size_t c = 0; c < entries.size(); ++c)
        entries[c] = u16At(file, table + 2 * c);

    auto isRecord = [&](std::size_t entry) { return entry >= HeaderBytes && entry + SizeBytes <= table; };
    // Each record ends where the next distinct record begins, or at the table.
    std::vector<std::size_t> starts;
    std::ranges::copy_if(entries, std::back_inserter(starts), isRecord);
    std::ranges::sort(starts);
    // std::unique, not std::ranges::unique: clang 14 (the fuzz build's
    // compiler) cannot use the subrange the ranges version returns from
    // libstdc++ 12.
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    EngineCheck check;
    check.engine = Engine::Ags;
    check.glyphs.resize(entries.size());
    for (std::size_t c = 0; c < entries.size(); ++c) {
        const std::size_t entry = entries[c];
        if (entry == 0)
            continue; // a character without a glyph: allowed, and shown as nothing
        if (entry < HeaderBytes) {
            check.reasons.push_back(characterLabel(c) + "its record position " + std::to_string(entry)
                + " lies inside the header; shown as nothing");
            continue;
        }
        if (!isRecord(entry)) {
            check.reasons.push_back(characterLabel(c) + "its record position " + std::to_string(entry)
                + " leaves no room for a record before the table at " + std::to_string(table)
                + "; shown as nothing");
            continue;
        }
        const int width = static_cast<int>(u16At(file, entry));
        int height = static_cast<int>(u16At(file, entry + 2));
        const auto next = std::ranges::upper_bound(starts, entry);
        const std::size_t end = next == starts.end() ? table : *next;
        if (end < entry + SizeBytes && packedSize(width, height) > 0) {
            const auto other = std::ranges::find(entries, end) - entries.begin();
            return refused("the engine's loader fails on this file: the records of characters " + std::to_string(c)
                + " and " + std::to_string(other) + " start " + std::to_string(end - entry) + " bytes apart");
        }
        // A following record may even start inside this one's size fields.
        const std::size_t room = end > entry + SizeBytes ? end - (entry + SizeBytes) : 0;
        if (packedSize(width, height) > room) {
            const int kept = static_cast<int>(room / static_cast<std::size_t>(rowBytes(width)));
            check.reasons.push_back(characterLabel(c) + "its rows run into "
                + (next == starts.end() ? "the table" : "the next record") + " at " + std::to_string(end)
                + "; its height " + std::to_string(height) + " becomes " + std::to_string(kept));
            height = kept;
        }
        check.glyphs[c] = { width, height };
        check.lineHeight = std::max(check.lineHeight, height);
    }
    constexpr std::size_t LastByteCode = 255;
    if (std::any_of(entries.begin() + static_cast<std::ptrdiff_t>(std::min(entries.size(), LastByteCode + 1)), entries.end(),
            [](std::size_t entry) { return entry != 0; }))
        check.notes.push_back("characters above 255 are drawn only by a game in Unicode mode, on an engine whose "
                              "WFN fonts read UTF-8 text");
    check.verdict = check.reasons.empty() ? EngineVerdict::Loads : EngineVerdict::Changed;
    return check;
}

} // namespace glyphsmith
